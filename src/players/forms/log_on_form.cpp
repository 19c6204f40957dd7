#include "log_on_form.h"

#include "ui_log_on_form.h"

#include "players/forms/player_box.h"

#include "data/game_file.h"
#include "mainwin/forms/form_colour.h"
#include "platform/files.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "players/forms/password_form.h"
#include "players/forms/player_picture.h"
#include "players/log_on.h"
#include "players/visibility.h"

#include <QPixmap>

log_on_form::log_on_form(QWidget* parent) : form_base(parent), ui_(std::make_unique<Ui::log_on_form>()) {
    ui_->setupUi(this);
    install_player_form_hooks();
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->playerbox,
                       {{ClickEvent, [this](QObject*, event_data&) { return on_player_selected(); }}});
    set_event_handlers(ui_->log_in, {{ClickEvent, [this](QObject*, event_data&) {
                                          close_if(log_in_as_player(selected_));
                                          return true;
                                      }}});
    set_event_handlers(ui_->add_player, {{ClickEvent, [this](QObject*, event_data&) {
                                              close_if(log_in_as_new_player());
                                              return true;
                                          }}});
    set_event_handlers(ui_->visitor_b, {{ClickEvent, [this](QObject*, event_data&) {
                                             close_if(log_in_as_visitor());
                                             return true;
                                         }}});
    set_event_handlers(ui_->cancel, {{ClickEvent, [this](QObject*, event_data&) {
                                          close_if(cancel_log_on());
                                          return true;
                                      }}});
}

log_on_form::~log_on_form() = default;

void log_on_form::close_if(bool done) {
    if (done) accept();
}

bool log_on_form::on_created() {
    apply_form_colour(this);
    const std::string game_name = base_name_of(current_game_path);
    ui_->label_1->setText(
        mixed_to_qstring("Welcome to the game: " + game_name +
                         ".  Please log-in as either one of the existing players, or as a new "
                         "player."));
    filling_ = true;
    selected_ = fill_player_box(ui_->playerbox);
    filling_ = false;
    ui_->player_pic->setGeometry(ui_->frame_1->contentsRect());
    show_picture();
    return false;
}

bool log_on_form::on_player_selected() {
    if (filling_) return false;
    selected_ = player_box_selection(ui_->playerbox);
    show_picture();
    return true;
}

void log_on_form::show_picture() {
    QImage picture = draw_player_picture(selected_, ui_->player_pic->width(), ui_->player_pic->height());
    if (picture.isNull())
        ui_->player_pic->clear();
    else
        ui_->player_pic->setPixmap(QPixmap::fromImage(picture));
}

void run_log_on_form() {
    log_on_form f(dialog_parent());
    f.create_form();
    // Closing the window is a cancel.
    if (f.exec() != QDialog::Accepted) cancel_log_on();
}
