#include "advance_turn_form.h"

#include "ui_advance_turn_form.h"

#include "data/records.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/turns.h"

#include <QLineEdit>

namespace {
// The option boxes as they were when the form last closed; all ticked at start.
bool remembered_clear_replay = true, remembered_clear_move = true, remembered_clear_combat = true;
} // namespace

advance_turn_form::advance_turn_form(QWidget* parent, bool clear_mode)
    : form_base(parent), ui_(std::make_unique<Ui::advance_turn_form>()), clear_mode_(clear_mode) {
    ui_->setupUi(this);
    if (auto* e = ui_->updown_1->findChild<QLineEdit*>()) e->setObjectName("textb_1");
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->ok, {{ClickEvent, [this](QObject*, event_data&) { return on_ok(); }}});
    set_event_handlers(ui_->cancel, {{ClickEvent, [this](QObject*, event_data&) {
                                          reject();
                                          return true;
                                      }}});
    connect(ui_->updown_1, &QSpinBox::valueChanged, this, [this] { show_new_turn_name(); });
}

advance_turn_form::~advance_turn_form() = default;

bool advance_turn_form::on_created() {
    apply_form_colour(this);
    std::string current = std::to_string(game->game_turn) + "  ";
    const std::string name = get_turn_name(game->game_turn);
    if (!name.empty()) current += "(" + name + ")";
    ui_->cur_turn->setText(to_qstring(current));
    {
        const QSignalBlocker quiet(ui_->updown_1);
        ui_->updown_1->setValue(proposed_turn(clear_mode_));
    }
    show_new_turn_name();
    ui_->clear_replay->setChecked(remembered_clear_replay);
    ui_->clear_move_flags->setChecked(remembered_clear_move);
    ui_->clear_combat_flags->setChecked(remembered_clear_combat);
    return false;
}

void advance_turn_form::show_new_turn_name() {
    ui_->textb_2->setText(to_qstring(get_turn_name(ui_->updown_1->value())));
}

bool advance_turn_form::on_ok() {
    advance_turn_choice c;
    c.new_turn = ui_->updown_1->value();
    c.clear_replay = ui_->clear_replay->isChecked();
    c.clear_move_flags = ui_->clear_move_flags->isChecked();
    c.clear_combat_flags = ui_->clear_combat_flags->isChecked();
    c.name = from_qstring(ui_->textb_2->text());
    apply_advance_turn(c);
    accept();
    return true;
}

void advance_turn_form::done(int result) {
    remembered_clear_replay = ui_->clear_replay->isChecked();
    remembered_clear_move = ui_->clear_move_flags->isChecked();
    remembered_clear_combat = ui_->clear_combat_flags->isChecked();
    form_base::done(result);
}

void run_advance_turn_form(int mode) {
    advance_turn_form f(dialog_parent(), mode == 1);
    f.create_form();
    f.exec();
}
