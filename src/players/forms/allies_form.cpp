#include "allies_form.h"

#include "ui_allies_form.h"

#include "mainwin/forms/form_colour.h"
#include "mainwin/settings_files.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "data/alliances.h"
#include "players/forms/player_picture.h"
#include "players/visibility.h"

#include <QPixmap>
#include <QScrollBar>

allies_form::allies_form(QWidget* parent) : form_base(parent), ui_(std::make_unique<Ui::allies_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->cb_4, {{ClickEvent, [this](QObject*, event_data&) {
                                        accept();
                                        return true;
                                    }}});
    set_event_handlers(ui_->player_list,
                       {{ClickEvent, [this](QObject*, event_data&) { return on_player_selected(); }}});
    // A selection in a list arrives as a click on the list; a double click on an item comes
    // from the list's viewport, where the mouse is.
    set_event_handlers(ui_->allies_list, {{ClickEvent, [this](QObject*, event_data&) {
                                               return on_row_selected(ui_->allies_list, allies_rows_);
                                           }}});
    set_event_handlers(ui_->avail_list, {{ClickEvent, [this](QObject*, event_data&) {
                                              return on_row_selected(ui_->avail_list, avail_rows_);
                                          }}});
    set_event_handlers(ui_->allies_list->viewport(), {{DoubleClickEvent, [this](QObject*, event_data& e) {
                                                           return on_double_click(ui_->allies_list,
                                                                                  allies_rows_, e, false);
                                                       }}});
    set_event_handlers(ui_->avail_list->viewport(), {{DoubleClickEvent, [this](QObject*, event_data& e) {
                                                          return on_double_click(ui_->avail_list, avail_rows_,
                                                                                 e, true);
                                                      }}});
}

allies_form::~allies_form() = default;

bool allies_form::on_created() {
    apply_form_colour(this);
    ui_->pictb_1->clear();
    ui_->pictb_2->clear();
    const int players = players_in_game();
    filling_ = true;
    ui_->player_list->clear();
    for (int i = 0; i < players; ++i)
        ui_->player_list->addItem(to_qstring(player_display_name(i)));
    selected_ = players > 0 ? 0 : -1;
    ui_->player_list->setCurrentIndex(selected_);
    filling_ = false;
    if (alliance_table.empty())
        reset_alliance_table(players);
    else
        fit_alliance_table(players);
    fill_lists();
    ui_->pictb_1->setGeometry(ui_->frame_1->contentsRect());
    ui_->pictb_2->setGeometry(ui_->frame_2->contentsRect());
    return false;
}

void allies_form::fill_lists() {
    const int allies_scroll = ui_->allies_list->verticalScrollBar()->value();
    const int avail_scroll = ui_->avail_list->verticalScrollBar()->value();
    filling_ = true;
    ui_->allies_list->clear();
    ui_->avail_list->clear();
    allies_rows_.clear();
    avail_rows_.clear();
    if (selected_ >= 0) {
        // From the flags of both sides, never from the counts: only a two-sided alliance
        // counts, so a one-sided flag is offered for selection again.
        const int players = players_in_game();
        for (int k = 0; k < players; ++k) {
            if (k == selected_) continue;
            const bool allied = players_allied(selected_, k);
            (allied ? allies_rows_ : avail_rows_).push_back(k);
            (allied ? ui_->allies_list : ui_->avail_list)->addItem(to_qstring(player_display_name(k)));
        }
    }
    filling_ = false;
    ui_->allies_list->verticalScrollBar()->setValue(allies_scroll);
    ui_->avail_list->verticalScrollBar()->setValue(avail_scroll);
}

void allies_form::show_picture(QLabel* box, int player) {
    QImage picture = draw_player_picture(player, box->width(), box->height());
    if (picture.isNull())
        box->clear();
    else
        box->setPixmap(QPixmap::fromImage(picture));
}

bool allies_form::on_player_selected() {
    if (filling_) return false;
    const int row = ui_->player_list->currentIndex();
    selected_ = row >= 0 && row < players_in_game() ? row : -1;
    show_picture(ui_->pictb_1, selected_);
    fill_lists();
    ui_->pictb_2->clear();
    return true;
}

bool allies_form::on_row_selected(QListWidget* list, const std::vector<int>& rows) {
    if (filling_) return false;
    const int row = list->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return false;
    show_picture(ui_->pictb_2, rows[static_cast<std::size_t>(row)]);
    return true;
}

bool allies_form::on_double_click(QListWidget* list, const std::vector<int>& rows, const event_data& ev,
                                  bool allied) {
    QListWidgetItem* item = list->itemAt(ev.pos);
    if (!item || selected_ < 0) return false;
    const int row = list->row(item);
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return false;
    set_alliance(selected_, rows[static_cast<std::size_t>(row)], allied);
    fill_lists();
    return true;
}

void run_allies_form() {
    allies_form f(dialog_parent());
    f.create_form();
    f.exec();
}
