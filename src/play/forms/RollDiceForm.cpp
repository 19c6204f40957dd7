#include "RollDiceForm.h"

#include "ui_RollDiceForm.h"

#include "data/game_settings.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/sounds.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/dice.h"

#include <QLineEdit>
#include <QTextCursor>

namespace {
// Where the form stood when it last closed (-1000 = not yet).
int remembered_x = -1000, remembered_y = -1000;

void limit_to_value(QSpinBox* box) {
    box->setRange(box->value(), box->value());
}
} // namespace

RollDiceForm::RollDiceForm(QWidget* parent) : form_base(parent), ui_(std::make_unique<Ui::RollDiceForm>()) {
    ui_->setupUi(this);
    // The up-downs' own edit fields are the text boxes beside them.
    if (auto* e = ui_->updown_sides->findChild<QLineEdit*>()) e->setObjectName("sides_per_die_text_box");
    if (auto* e = ui_->updown_number->findChild<QLineEdit*>()) e->setObjectName("number_to_roll_text_box");
    // Tab moves on to the next control, as in every other field of the form.
    ui_->results_box->setTabChangesFocus(true);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->roll_now_button,
                       {{ClickEvent, [this](QObject*, event_data&) { return on_roll_now(); }}});
    set_event_handlers(ui_->done_button,
                       {{ClickEvent, [this](QObject*, event_data&) { return on_done(false); }}});
    set_event_handlers(ui_->gen_comment_button,
                       {{ClickEvent, [this](QObject*, event_data&) { return on_done(true); }}});
    set_event_handlers(ui_->cancel_button, {{ClickEvent, [this](QObject*, event_data&) {
                                                 reject();
                                                 return true;
                                             }}});
}

RollDiceForm::~RollDiceForm() = default;

void RollDiceForm::reject() {
    if (ui_->cancel_button->isEnabled()) form_base::reject();
}

bool RollDiceForm::on_created() {
    if (remembered_x != -1000 && remembered_y != -1000) move(remembered_x, remembered_y);
    apply_form_colour(this);
    // The counts come from the saved game, which may hold any byte.
    ui_->updown_sides->setValue(bounded_dice_value(game_settings.die_sides));
    ui_->updown_number->setValue(bounded_dice_value(game_settings.dice_count));
    view_mode_ = !comment_text.empty();
    if (view_mode_) {
        ui_->roll_now_button->setEnabled(false);
        ui_->cancel_button->setEnabled(false);
        ui_->done_button->setEnabled(true);
        ui_->gen_comment_button->setEnabled(false);
        limit_to_value(ui_->updown_sides);
        limit_to_value(ui_->updown_number);
        ui_->results_box->setPlainText(to_qstring(comment_text));
        ui_->results_box->setReadOnly(true);
        ui_->roll_now_button->setDefault(false);
        ui_->done_button->setDefault(true);
        ui_->done_button->setFocus();
        play_dice_sound();
    } else {
        ui_->done_button->setEnabled(false);
        ui_->gen_comment_button->setEnabled(false);
    }
    return false;
}

bool RollDiceForm::on_roll_now() {
    if (view_mode_ || roll_record_ >= 0) return true;
    play_dice_sound();
    const dice_roll roll = roll_dice(ui_->updown_number->value(), ui_->updown_sides->value());
    roll_record_ = roll.record;
    const std::string text = roll_results_text(from_qstring(ui_->results_box->toPlainText()), roll.results);
    ui_->results_box->setPlainText(to_qstring(text));
    ui_->roll_now_button->setEnabled(false);
    ui_->cancel_button->setEnabled(false);
    ui_->done_button->setEnabled(true);
    ui_->gen_comment_button->setEnabled(true);
    ui_->roll_now_button->setDefault(false);
    ui_->done_button->setDefault(true);
    // A comment can be typed behind the results.
    ui_->results_box->setFocus();
    ui_->results_box->moveCursor(QTextCursor::End);
    return true;
}

bool RollDiceForm::on_done(bool more_comments) {
    if (!view_mode_ && roll_record_ >= 0)
        record_roll_comment(roll_record_, from_qstring(ui_->results_box->toPlainText()));
    accept();
    if (more_comments && add_comment_form_hook) add_comment_form_hook();
    return true;
}

void RollDiceForm::done(int result) {
    remembered_x = x();
    remembered_y = y();
    form_base::done(result);
}

void open_dice_roller() {
    comment_text.clear();
    RollDiceForm f(dialog_parent());
    f.create_form();
    f.exec();
}
