#include "additional_instruction_form.h"

#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
bool shown[4] = {false, true, true, true};

const char* instruction_text(int id) {
    switch (id) {
    case instruction_combat:
        return "When finished selecting ALL of the pieces for this combat (both attacking and defending), "
               "click the OK "
               "button at the upper right of the map screen.\n\r\n\rThis will save the combat to the replay "
               "and bring "
               "up the summary.";
    case instruction_cycle:
        return "Use the cycle buttons at the top of the map screen to move forward (Next) or backwards "
               "(Last) in the "
               "piece list, or STOP to quit cycling.";
    default:
        return "To move the selected piece(s), either left click on each location in the movement path or "
               "right "
               "click directly on the destination.  To finish the move, click the green 'OK' button at the "
               "top of the "
               "screen, or click the right mouse button.\n\r";
    }
}
} // namespace

bool instruction_shown(int id) {
    return id >= 1 && id <= 3 && shown[id];
}

void set_instruction_shown(int id, bool on) {
    if (id >= 1 && id <= 3) shown[id] = on;
}

additional_instruction_form::additional_instruction_form(QWidget* parent, int id)
    : form_base(parent), id_(id) {
    setObjectName("additional_instruction_form");
    setWindowTitle("Additional Instructions");
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(QString::fromLatin1(instruction_text(id)).replace("\n\r", "\n"), this);
    label_->setObjectName("label");
    label_->setWordWrap(true);
    box_ = new QCheckBox("Do not show this set of instructions again.", this);
    box_->setObjectName("checkbox_1");
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("cb_1");
    layout->addWidget(label_);
    layout->addWidget(box_);
    layout->addWidget(ok_);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    connect(box_, &QCheckBox::toggled, this, [this](bool on) { set_instruction_shown(id_, !on); });
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  accept();
                                  return true;
                              }}});
}

void show_instruction(int id) {
    if (!instruction_shown(id)) return;
    additional_instruction_form f(dialog_parent(), id);
    f.create_form();
    f.exec();
}
