#include "password_form.h"

#include "ui_password_form.h"

#include "data/dialog_globals.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "players/forms/player_info_form.h"
#include "players/log_on.h"

password_form::password_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::password_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->ok_button, {{ClickEvent, [this](QObject*, event_data&) {
                                             form_result_text =
                                                 upper_case_password(from_qstring(ui_->textbox->text()));
                                             accept();
                                             return true;
                                         }}});
    set_event_handlers(ui_->cancel_button, {{ClickEvent, [this](QObject*, event_data&) {
                                                 form_result_text.clear();
                                                 reject();
                                                 return true;
                                             }}});
}

password_form::~password_form() = default;

bool password_form::on_created() {
    apply_form_colour(this);
    // Closing the window any other way is a cancel.
    form_result_text.clear();
    const int mode = edit_index;
    // Masked in every mode, a new password too: the other players may be watching the screen.
    ui_->textbox->setEchoMode(QLineEdit::Password);
    // A star for every character, whatever the style's own mark.
    ui_->textbox->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    if (mode == 1 || mode == 2) {
        setWindowTitle(QStringLiteral("Password Verification"));
        ui_->label_1->setText(mode == 1 ? QStringLiteral("Enter your password for verification:")
                                        : QStringLiteral("Enter your old password for verification:"));
    }
    ui_->textbox->setFocus();
    return false;
}

void run_password_form() {
    password_form f(dialog_parent());
    f.create_form();
    f.exec();
}

void install_player_form_hooks() {
    if (!password_form_hook) password_form_hook = run_password_form;
    if (!player_info_form_hook) player_info_form_hook = run_player_info_form;
}
