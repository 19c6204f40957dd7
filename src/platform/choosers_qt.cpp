#include "choosers.h"
#include "main_window_ref.h"
#include "qt_text.h"
#include "responder.h"

#include <QFileDialog>
#include <QStringList>

std::optional<std::string> choose_file(const file_chooser_request& request) {
    if (auto* r = active_responder()) {
        std::string filters;
        for (const auto& f : request.filters) {
            if (!filters.empty()) filters += ';';
            filters += f.pattern;
        }
        return r->take_text({"chooser", request.title, filters, box_buttons::ok_cancel, box_icon::none},
                            std::nullopt);
    }
    QFileDialog dialog(dialog_parent(), to_qstring(request.title), to_qstring(request.start_folder));
    QStringList filters;
    for (const auto& f : request.filters) {
        // Match both letter cases of the pattern: "*.OPS" also finds "*.ops".
        QString p = to_qstring(f.pattern);
        QString both = p == p.toLower() ? p : p + ' ' + p.toLower();
        filters << to_qstring(f.description) + " (" + both + ")";
    }
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.start_name.empty()) dialog.selectFile(to_qstring(request.start_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return from_qstring(dialog.selectedFiles().first());
}
