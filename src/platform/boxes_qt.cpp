#include "boxes.h"
#include "main_window_ref.h"
#include "qt_text.h"
#include "responder.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>

std::string display_text(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            // "\n\r" and "\r\n" are one line break; a lone "\r" is one too.
            bool after_newline = i > 0 && text[i - 1] == '\n';
            bool before_newline = i + 1 < text.size() && text[i + 1] == '\n';
            if (!after_newline && !before_newline) out += '\n';
            continue;
        }
        out += text[i];
    }
    return out;
}

box_answer message_box(const std::string& caption, const std::string& text, box_buttons buttons,
                       box_icon icon, box_owner owner) {
    if (auto* r = active_responder()) return r->take_box({"box", caption, text, buttons, icon, owner});

    QMessageBox box(owner == box_owner::none ? nullptr : dialog_parent());
    box.setWindowTitle(mixed_to_qstring(caption));
    box.setText(mixed_to_qstring(display_text(text)));
    switch (icon) {
    case box_icon::none:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case box_icon::information:
        box.setIcon(QMessageBox::Information);
        break;
    case box_icon::exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case box_icon::question:
        box.setIcon(QMessageBox::Question);
        break;
    case box_icon::stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    using SB = QMessageBox::StandardButton;
    switch (buttons) {
    case box_buttons::ok:
        box.setStandardButtons(SB::Ok);
        break;
    case box_buttons::ok_cancel:
        box.setStandardButtons(SB::Ok | SB::Cancel);
        break;
    case box_buttons::yes_no:
        box.setStandardButtons(SB::Yes | SB::No);
        break;
    case box_buttons::yes_no_cancel:
        box.setStandardButtons(SB::Yes | SB::No | SB::Cancel);
        break;
    case box_buttons::retry_cancel:
        box.setStandardButtons(SB::Retry | SB::Cancel);
        break;
    case box_buttons::abort_retry_ignore:
        box.setStandardButtons(SB::Abort | SB::Retry | SB::Ignore);
        break;
    }
    switch (box.exec()) {
    case SB::Ok:
        return box_answer::ok;
    case SB::Yes:
        return box_answer::yes;
    case SB::No:
        return box_answer::no;
    case SB::Retry:
        return box_answer::retry;
    case SB::Abort:
        return box_answer::abort;
    case SB::Ignore:
        return box_answer::ignore;
    default:
        return box_answer::cancel;
    }
}

void error_code_box(const std::string& caption, const std::string& code) {
    message_box(caption, "Error Code: " + code, box_buttons::ok, box_icon::stop, box_owner::none);
}

void diagnostic_output(const std::string& text) {
    qWarning().noquote() << mixed_to_qstring(text);
}
