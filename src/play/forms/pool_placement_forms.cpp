#include "pool_placement_forms.h"

#include "data/encodings.h"
#include "data/options.h"
#include "data/records.h"
#include "data/value_text.h"
#include "mainwin/forms/form_colour.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/forms/get_units_to_place_form.h"
#include "play/placement.h"
#include "play/pools.h"
#include "play/removal.h"
#include "players/visibility.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

std::vector<std::int32_t> listed_pieces() {
    std::vector<std::int32_t> out;
    for (const auto& e : placement_list)
        out.push_back(e.index);
    return out;
}

} // namespace

new_units_from_pool_form::new_units_from_pool_form(QWidget* parent) : form_base(parent) {
    setObjectName("new_units_from_pool_form");
    setWindowTitle("Place Pieces From Pool or Create From Scratch");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Do you want the units to be placed on the board from a force pool?", this));
    box_ = new QCheckBox("Don't show this box again.", this);
    box_->setObjectName("checkbox");
    no_ = new QPushButton("No", this);
    no_->setObjectName("no_button");
    yes_ = new QPushButton("Yes", this);
    yes_->setObjectName("yes_button");
    layout->addWidget(box_);
    layout->addWidget(no_);
    layout->addWidget(yes_);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    for (QPushButton* b : {yes_, no_})
        set_event_handlers(b, {{ClickEvent, [this, b](QObject*, event_data&) {
                                    ask_place_from_pools = box_->isChecked() ? 0 : 1;
                                    answer_ = b == yes_;
                                    accept();
                                    return true;
                                }}});
}

get_units_from_pool_form::get_units_from_pool_form(QWidget* parent) : form_base(parent) {
    setObjectName("get_units_from_pool_form");
    setWindowTitle("Select Pieces To Place On Board From Force Pools");
    auto* layout = new QGridLayout(this);
    pools_ = new QListWidget(this);
    pools_->setObjectName("pool_list");
    pieces_ = new QListWidget(this);
    pieces_->setObjectName("piece_list");
    selected_ = new QListWidget(this);
    selected_->setObjectName("selected_list");
    layout->addWidget(new QLabel(" 1. Enter Name / Select Pool ", this), 0, 0);
    layout->addWidget(pools_, 1, 0);
    layout->addWidget(new QLabel(" 2.  Click to Select Pieces ", this), 0, 1);
    layout->addWidget(pieces_, 1, 1);
    layout->addWidget(new QLabel(" Selected List ", this), 0, 2);
    layout->addWidget(selected_, 1, 2);
    auto button = [this, layout](QPushButton*& b, const char* name, const char* text, int row, int column) {
        b = new QPushButton(text, this);
        b->setObjectName(name);
        layout->addWidget(b, row, column);
    };
    button(place_, "place_now_button", "Place Now", 2, 0);
    button(remove_last_, "remove_last_button", "Remove Last", 2, 1);
    button(clear_all_, "clear_all_button", "Clear All", 2, 2);
    button(cancel_, "cancel_button", "Cancel", 3, 0);
    button(random_, "random_button", "Random Pick", 3, 1);
    button(all_, "select_all_button", "Select All", 3, 2);
    button(remove_, "remove_from_list_button", "Remove Piece", 4, 0);
    random_->setToolTip("Selects a piece randomly from pool");
    auto_edit_ = new QCheckBox("Edit each piece's values", this);
    auto_edit_->setObjectName("auto_edit_checkbox");
    auto_edit_->setChecked(auto_edit_new_pieces != 0);
    layout->addWidget(auto_edit_, 4, 1, 1, 2);

    placement_list.clear();
    for (std::size_t i = 0; i < game->pool_array.size(); ++i) {
        if (game->pool_array[i].piece_count == class_end) break;
        if (game->pool_array[i].piece_count == class_free) continue;
        pool_by_line_.push_back(static_cast<int>(i));
    }
    show_lists();
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    connect(pools_, &QListWidget::currentRowChanged, this, [this] {
        const int row = pools_->currentRow();
        if (row >= 0 && !is_force_pool(pool_by_line_[static_cast<std::size_t>(row)]))
            message_box("Special Pool Type",
                        "Cards can not be placed or modified from this form.  Instead,  \n\rselect 'Cards' "
                        "from the main "
                        "menu and either 'Decks' or 'Hands'.",
                        box_buttons::ok, box_icon::information);
        show_lists();
    });
    connect(pieces_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { pick(pieces_->row(i)); });
    set_event_handlers(place_, {{ClickEvent, [this](QObject*, event_data&) {
                                     accept();
                                     return true;
                                 }}});
    hook_placement_list_buttons(*this, cancel_, remove_last_, clear_all_, auto_edit_,
                                [this] { show_lists(); });
    set_event_handlers(remove_, {{ClickEvent, [this](QObject*, event_data&) {
                                      const int row = selected_->currentRow();
                                      if (row >= 0 && static_cast<std::size_t>(row) < placement_list.size())
                                          placement_list.erase(placement_list.begin() + row);
                                      show_lists();
                                      return true;
                                  }}});
    set_event_handlers(all_,
                       {{ClickEvent, [this](QObject*, event_data&) {
                             while (pieces_->count() > 0 &&
                                    placement_list.size() < static_cast<std::size_t>(placement_pieces_max))
                                 pick(0);
                             return true;
                         }}});
    set_event_handlers(random_, {{ClickEvent, [this](QObject*, event_data&) {
                                      if (pieces_->count() > 0) pick(random_below(pieces_->count()), true);
                                      return true;
                                  }}});
}

void get_units_from_pool_form::pick(int line, bool random) {
    if (line < 0 || static_cast<std::size_t>(line) >= piece_by_line_.size()) return;
    if (placement_list.size() >= static_cast<std::size_t>(placement_pieces_max)) return;
    placement_list.push_back(placement_entry{1, piece_by_line_[static_cast<std::size_t>(line)],
                                             static_cast<std::uint8_t>(random ? 1 : 0)});
    show_lists();
}

void get_units_from_pool_form::show_lists() {
    const int pool_row = pools_->currentRow();
    const std::vector<std::int32_t> listed = listed_pieces();
    {
        const QSignalBlocker quiet(pools_);
        pools_->clear();
        const std::vector<std::string> rows = pool_row_texts(listed);
        for (int pool : pool_by_line_)
            pools_->addItem(mixed_to_qstring(rows[static_cast<std::size_t>(pool)]));
        pools_->setCurrentRow(pool_row);
    }
    pieces_->clear();
    piece_by_line_.clear();
    if (pool_row >= 0 && static_cast<std::size_t>(pool_row) < pool_by_line_.size()) {
        piece_by_line_ = known_pool_pieces(pool_by_line_[static_cast<std::size_t>(pool_row)], listed);
        for (std::int32_t piece : piece_by_line_)
            pieces_->addItem(mixed_to_qstring(format_piece_description(piece)));
    }
    selected_->clear();
    for (std::int32_t piece : listed)
        selected_->addItem(mixed_to_qstring(format_pool_piece_description(piece)));
    set_buttons();
}

void get_units_from_pool_form::set_buttons() {
    place_->setEnabled(!placement_list.empty());
    remove_last_->setEnabled(!placement_list.empty());
    clear_all_->setEnabled(placement_list.size() >= 2);
    all_->setEnabled(pieces_->count() >= 1);
    random_->setEnabled(pieces_->count() >= 2);
}

void install_pool_placement_hooks() {
    pool_pieces_form_hook = [] {
        get_units_from_pool_form f(dialog_parent());
        f.create_form();
        f.exec();
    };
    from_pool_question_hook = [] {
        new_units_from_pool_form f(dialog_parent());
        f.create_form();
        f.exec();
        return f.answer();
    };
}
