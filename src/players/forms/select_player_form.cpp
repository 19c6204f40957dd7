#include "select_player_form.h"

#include "ui_select_player_form.h"

#include "players/forms/player_box.h"

#include "data/dialog_globals.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "players/forms/password_form.h"
#include "players/forms/player_picture.h"
#include "players/log_on.h"
#include "players/player_records.h"
#include "players/visibility.h"

#include <QPixmap>

select_player_form::select_player_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::select_player_form>()) {
    ui_->setupUi(this);
    install_player_form_hooks();
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->playerbox,
                       {{ClickEvent, [this](QObject*, event_data&) { return on_player_selected(); }}});
    set_event_handlers(ui_->cb_1, {{ClickEvent, [this](QObject*, event_data&) {
                                        if (selected_ < 0) return true;
                                        edit_index = selected_;
                                        if (player_info_form_hook) player_info_form_hook();
                                        fill_list();
                                        return true;
                                    }}});
    set_event_handlers(ui_->add_player, {{ClickEvent, [this](QObject*, event_data&) {
                                              edit_index = players_in_game();
                                              if (player_info_form_hook) player_info_form_hook();
                                              fill_list();
                                              return true;
                                          }}});
    set_event_handlers(ui_->delete_player, {{ClickEvent, [this](QObject*, event_data&) {
                                                 if (selected_ < 0) return true;
                                                 if (delete_player(selected_)) fill_list();
                                                 return true;
                                             }}});
    set_event_handlers(ui_->cancel, {{ClickEvent, [this](QObject*, event_data&) {
                                          accept();
                                          return true;
                                      }}});
}

select_player_form::~select_player_form() = default;

bool select_player_form::on_created() {
    apply_form_colour(this);
    fill_list();
    return false;
}

void select_player_form::fill_list() {
    filling_ = true;
    selected_ = fill_player_box(ui_->playerbox);
    filling_ = false;
    show_picture();
}

bool select_player_form::on_player_selected() {
    if (filling_) return false;
    selected_ = player_box_selection(ui_->playerbox);
    show_picture();
    return true;
}

void select_player_form::show_picture() {
    QLabel* box = ui_->player_pic;
    QImage picture = draw_player_picture(selected_, box->width(), box->height());
    if (picture.isNull()) {
        box->clear();
        box->hide();
        ui_->no_pic_label->show();
    } else {
        box->setPixmap(QPixmap::fromImage(picture));
        box->show();
        ui_->no_pic_label->hide();
    }
}

void run_select_player_form() {
    select_player_form f(dialog_parent());
    f.create_form();
    f.exec();
}
