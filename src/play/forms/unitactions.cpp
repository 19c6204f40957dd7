#include "unitactions.h"

#include "data/command_state.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/records.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/info_panel.h"
#include "mainwin/map_draw.h"
#include "mainwin/sounds.h"
#include "platform/main_window_ref.h"
#include "platform/picture_icons.h"
#include "platform/qt_fonts.h"
#include "platform/qt_text.h"
#include "play/forms/additional_instruction_form.h"
#include "play/movement.h"
#include "players/visibility.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

std::function<void(std::int32_t)> piece_actions_form_hook;

namespace {

// Kept while the program runs.
QRect remembered_geometry;
std::vector<int> remembered_widths;
bool remembered_facing_shown = false;
bool auto_close_after_action = false;
bool hidden_change_for_all = false;

enum menu_item {
    item_not_hidden = 10000,
    item_info_hidden,
    item_fully_hidden,
    item_for_all,
    item_top = 10005
};

struct button_spec {
    const char* name;
    const char* text;
    const char* hint;
};
const button_spec button_specs[] = {
    {"flip_button", "Flip", "Flip piece(s).  [Only if flip sides are defined]"},
    {"move_button", "Move", "Move piece(s)."},
    {"attack_button", "Attack", "Attack with piece(s)."},
    {"defend_button", "Defend", "Defend with piece(s)."},
    {"add_unit_button", "Add", "Add new piece(s)."},
    {"ok_button", "OK", "Return to main screen."},
    {"remove_unit_button", "Remove", "Remove piece(s)."},
    {"sort_button", "Sort", "Sort the pieces at this location."},
};

bool any_class_has_facing() {
    for (const class_struct& c : game->class_array) {
        if (c.symbol == class_end) break;
        if (c.facing_set != 0) return true;
    }
    return false;
}

std::string owner_text(int class_index) {
    if (class_index < 0 || static_cast<std::size_t>(class_index) >= game->class_array.size()) return "All";
    const int owner = game->class_array[static_cast<std::size_t>(class_index)].owner;
    return owner < players_in_game() ? player_display_name(owner) : "All";
}

std::vector<std::string> row_cells(const action_row& r, bool facing_shown) {
    const piece_struct& p = game->piece_array[static_cast<std::size_t>(r.piece)];
    const bool class_known = r.visibility >= visibility_info_hidden,
               all_known = r.visibility == visibility_full;
    const bool class_ok =
        p.class_index >= 0 && static_cast<std::size_t>(p.class_index) < game->class_array.size();
    std::vector<std::string> cells;
    if (facing_shown) cells.push_back(all_known ? facing_text(p.facing) : "");
    cells.push_back(all_known ? name_of(p.name) : "Unknown");
    cells.push_back(class_known && class_ok
                        ? name_of(game->class_array[static_cast<std::size_t>(p.class_index)].name)
                        : "Unknown/Hidden");
    cells.push_back(flags_text(p.flags, p.hidden));
    cells.push_back(all_known ? format_piece_values(r.piece) : "");
    cells.push_back(class_known ? format_class_values(p.class_index) : "");
    cells.push_back(owner_text(p.class_index));
    return cells;
}

} // namespace

unitactions::unitactions(QWidget* parent, std::int32_t hex) : form_base(parent), hex_(hex) {
    setObjectName("unitactions");
    setWindowTitle("Select Pieces For Action");
    auto* layout = new QVBoxLayout(this);
    label_1_ = new QLabel("To select pieces: Click on piece row or All ", this);
    label_1_->setObjectName("label_1");
    label_1_->setFont(font_by_name("14.MS Sans Serif.Bold"));
    label_2_ = new QLabel("Double click to edit a piece's information field.", this);
    label_2_->setObjectName("label_2");
    label_2_->setFont(font_by_name("12.MS Sans Serif.Bold"));
    layout->addWidget(label_1_);
    layout->addWidget(label_2_);
    auto* row = new QHBoxLayout;
    for (const auto& b : button_specs) {
        auto* t = new QToolButton(this);
        t->setObjectName(b.name);
        t->setText(b.text);
        t->setToolTip(b.hint);
        t->setIcon(picture_button_icon(b.name));
        t->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        row->addWidget(t);
        buttons_.push_back(t);
    }
    layout->addLayout(row);
    grid_ = new QTableWidget(this);
    grid_->setObjectName("grid");
    grid_->setFont(font_by_name("8.MS Sans Serif.Bold"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->verticalHeader()->hide();
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid_->setMinimumSize(621, 160);
    layout->addWidget(grid_);
    auto* bottom = new QHBoxLayout;
    sel_all_ = new QPushButton("All", this);
    sel_all_->setObjectName("sel_all_button");
    auto_close_ = new QCheckBox(
        "Automatically Close Window After Add, Remove, or Flip Action (without clicking the OK button)",
        this);
    auto_close_->setObjectName("auto_close");
    bottom->addWidget(sel_all_);
    bottom->addWidget(auto_close_);
    layout->addLayout(bottom);

    menu_ = new QMenu(this);
    menu_->setObjectName("ID_unitactions_RMB");
    for (auto [id, text] :
         {std::pair{item_not_hidden, "Not Hidden"}, std::pair{item_info_hidden, "Unit Info Hidden"},
          std::pair{item_fully_hidden, "Piece Fully Hidden"},
          std::pair{item_for_all, "Change For All Pieces"}}) {
        QAction* a = menu_->addAction(text);
        a->setData(id);
        a->setCheckable(true);
    }
    menu_->addSeparator();
    menu_->addAction("Move to Top of Stack")->setData(static_cast<int>(item_top));

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }},
                              {ResizeEvent, [this](QObject*, event_data& e) {
                                   if (resizable_forms && grid_->columnCount() > 0)
                                       lay_out_columns(e.new_size.width() - 20);
                                   return false;
                               }}});
    auto on_click = [this](const char* name, std::function<void()> act) {
        set_event_handlers(button(name), {{ClickEvent, [act](QObject*, event_data&) {
                                               act();
                                               return true;
                                           }}});
    };
    on_click("move_button", [this] { on_move(); });
    on_click("attack_button", [this] { on_combat('A'); });
    on_click("defend_button", [this] { on_combat('D'); });
    on_click("add_unit_button", [this] { on_add(); });
    on_click("remove_unit_button", [this] { on_remove(); });
    on_click("flip_button", [this] { on_flip(true); });
    on_click("sort_button", [this] { on_sort(); });
    on_click("ok_button", [this] { accept(); });
    // A right click on Flip flips back.
    button("flip_button")->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button("flip_button"), &QWidget::customContextMenuRequested, this, [this] {
        if (button("flip_button")->isEnabled()) on_flip(false);
    });
    connect(sel_all_, &QPushButton::clicked, this, [this] {
        for (std::size_t r = 0; r < rows_.size(); ++r)
            set_mark(static_cast<int>(r), true);
        set_buttons();
    });
    connect(auto_close_, &QCheckBox::clicked, this,
            [] { auto_close_after_action = !auto_close_after_action; });
    connect(grid_, &QTableWidget::cellClicked, this, [this](int r, int) { row_clicked(r); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) { on_double_click(r, c); });
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int r = grid_->rowAt(at.y());
        if (QMenu* m = row_menu(r)) m->popup(grid_->viewport()->mapToGlobal(at));
    });
    connect(menu_, &QMenu::triggered, this, [this](QAction* a) {
        const int id = a->data().toInt();
        if (id == item_for_all) {
            hidden_change_for_all = !hidden_change_for_all;
            if (row_menu(menu_row_)) menu_->popup(menu_->pos());
        } else if (id == item_top) {
            if (menu_row_ >= 0 && static_cast<std::size_t>(menu_row_) < rows_.size()) {
                move_piece_to_top_of_stack(rows_[static_cast<std::size_t>(menu_row_)].piece);
                fill_rows();
                redraw_map_hex(hex_);
            }
        } else {
            on_hidden_item(id - item_not_hidden);
        }
    });
}

unitactions::~unitactions() = default;

QToolButton* unitactions::button(const char* name) const {
    for (QToolButton* b : buttons_)
        if (b->objectName() == name) return b;
    return nullptr;
}

bool unitactions::on_created() {
    if (!resizable_forms) setFixedSize(sizeHint());
    if (remembered_geometry.isValid()) {
        move(remembered_geometry.topLeft());
        if (resizable_forms) resize(remembered_geometry.size());
    }
    apply_form_colour(this);
    auto_close_->setChecked(auto_close_after_action);
    first_click_ = true;
    clicks_accepted_ = false;
    QTimer::singleShot(500, this, [this] { clicks_accepted_ = true; });
    fill_rows();
    for (std::size_t r = 0; r < rows_.size(); ++r)
        set_mark(static_cast<int>(r), true);
    set_buttons();
    return false;
}

void unitactions::lay_out_columns(int width) {
    if (facing_shown_ != remembered_facing_shown) {
        remembered_widths.clear();
        remembered_facing_shown = facing_shown_;
    }
    const std::vector<int> widths = action_column_widths(width, facing_shown_, remembered_widths);
    QStringList titles{""};
    if (facing_shown_) titles << "Facing";
    titles << "Piece ID"
           << "Class Type"
           << "M/C/H"
           << "Piece Values"
           << "Class Values"
           << "Player";
    grid_->setColumnCount(static_cast<int>(widths.size()));
    grid_->setHorizontalHeaderLabels(titles);
    for (std::size_t c = 0; c < widths.size(); ++c)
        grid_->setColumnWidth(static_cast<int>(c), widths[c]);
}

void unitactions::fill_rows() {
    rows_ = build_action_rows(hex_);
    facing_shown_ = any_class_has_facing();
    lay_out_columns(grid_->width() > 100 ? grid_->width() : 621);
    marked_.assign(rows_.size(), false);
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        grid_->setItem(static_cast<int>(r), 0, new QTableWidgetItem(QString()));
        const auto cells = row_cells(rows_[r], facing_shown_);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            // A text the column cuts shows whole under the pointer.
            auto* item = new QTableWidgetItem(mixed_to_qstring(cells[c]));
            item->setToolTip(item->text());
            grid_->setItem(static_cast<int>(r), static_cast<int>(c) + 1, item);
        }
    }
}

void unitactions::set_mark(int row, bool on) {
    if (row < 0 || static_cast<std::size_t>(row) >= marked_.size()) return;
    marked_[static_cast<std::size_t>(row)] = on;
    if (QTableWidgetItem* item = grid_->item(row, 0)) item->setText(on ? QString(QChar(0xBB)) : QString());
}

void unitactions::row_clicked(int row) {
    if (!clicks_accepted_ || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    if (first_click_) {
        for (std::size_t r = 0; r < rows_.size(); ++r)
            set_mark(static_cast<int>(r), false);
        set_mark(row, true);
        first_click_ = false;
    } else {
        set_mark(row, !marked(row));
    }
    set_buttons();
}

void unitactions::set_buttons() {
    const bool has_pieces = action_selection[0] != -1;
    const action_buttons b = compute_action_buttons(rows_, marked_, has_pieces, operation_mode);
    const std::pair<const char*, bool> states[] = {
        {"flip_button", b.flip},     {"move_button", b.move},    {"attack_button", b.attack},
        {"defend_button", b.defend}, {"add_unit_button", b.add}, {"remove_unit_button", b.remove},
        {"sort_button", b.sort}};
    for (auto [name, on] : states) {
        button(name)->setEnabled(on);
        button(name)->setVisible(on);
    }
}

std::vector<std::int32_t> unitactions::marked_pieces(int min_visibility, std::size_t at_most) const {
    std::vector<std::int32_t> pieces;
    for (std::size_t r = 0; r < rows_.size() && pieces.size() < at_most; ++r)
        if (marked_[r] && rows_[r].visibility >= min_visibility) pieces.push_back(rows_[r].piece);
    return pieces;
}

void unitactions::on_move() {
    const auto pieces = marked_pieces(visibility_hidden, 499);
    if (!pieces.empty()) show_instruction(instruction_move);
    if (take_up_for_move(pieces) > 0) {
        move_path[0] = location_end;
        redraw_hex(hex_);
    }
    accept();
}

void unitactions::on_combat(char side) {
    const auto pieces = marked_pieces(visibility_hidden, combat_list_capacity);
    if (operation_mode != 3 && !pieces.empty()) show_instruction(instruction_combat);
    if (add_combatants(side, pieces) > 0) redraw_hex(hex_);
    accept();
}

void unitactions::after_action() {
    fill_rows();
    set_buttons();
    redraw_map_hex(hex_);
    if (auto_close_after_action) accept();
}

void unitactions::on_add() {
    if (place_pieces_at_hex_hook) place_pieces_at_hex_hook(hex_);
    after_action();
}

void unitactions::on_remove() {
    const auto pieces = marked_pieces(visibility_hidden, 499);
    if (remove_pieces_hook) remove_pieces_hook(pieces);
    after_action();
}

void unitactions::on_flip(bool forward) {
    const auto pieces = marked_pieces(visibility_info_hidden, 100);
    if (flip_pieces_hook) flip_pieces_hook(pieces, forward);
    fill_rows();
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (std::find(pieces.begin(), pieces.end(), rows_[r].piece) != pieces.end())
            set_mark(static_cast<int>(r), true);
    set_buttons();
    redraw_map_hex(hex_);
    if (auto_close_after_action) accept();
}

void unitactions::on_sort() {
    if (piece_order_form_hook) piece_order_form_hook(hex_);
    fill_rows();
    set_buttons();
    redraw_map_hex(hex_);
}

void unitactions::on_double_click(int row, int column) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    set_mark(row, !marked(row));
    const action_row r = rows_[static_cast<std::size_t>(row)];
    const int data_column = column - (facing_shown_ ? 2 : 1); // 0 Piece ID .. 5 Player
    const int class_index = game->piece_array[static_cast<std::size_t>(r.piece)].class_index;
    if (facing_shown_ && column == 1) {
        if (r.visibility == visibility_full && facing_dial_hook) facing_dial_hook(r.piece);
    } else if (data_column == 4 || data_column == 5) {
        if (r.visibility >= visibility_info_hidden) open_class_editor(class_index);
    } else if (r.visibility == visibility_full) {
        open_piece_editor(r.piece);
    }
    fill_rows();
    set_buttons();
}

QMenu* unitactions::row_menu(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return nullptr;
    menu_row_ = row;
    if (!marked(row)) {
        set_mark(row, true);
        set_buttons();
    }
    const std::int32_t piece = rows_[static_cast<std::size_t>(row)].piece;
    const bool allowed = may_change_hidden_state(piece);
    const int hidden = game->piece_array[static_cast<std::size_t>(piece)].hidden;
    for (QAction* a : menu_->actions()) {
        const int id = a->data().toInt();
        if (id >= item_not_hidden && id <= item_fully_hidden) {
            a->setEnabled(allowed);
            a->setChecked(allowed && hidden == id - item_not_hidden);
        } else if (id == item_for_all) {
            a->setEnabled(allowed);
            a->setChecked(allowed && hidden_change_for_all);
        }
    }
    return menu_;
}

void unitactions::on_hidden_item(int state) {
    if (menu_row_ < 0 || static_cast<std::size_t>(menu_row_) >= rows_.size()) return;
    std::vector<std::int32_t> pieces;
    if (hidden_change_for_all)
        for (const action_row& r : rows_)
            pieces.push_back(r.piece);
    else
        pieces.push_back(rows_[static_cast<std::size_t>(menu_row_)].piece);
    // Each piece by its own permission: the menu was enabled for one of them.
    bool changed = false;
    for (std::int32_t p : pieces)
        changed = change_hidden_state(p, state) || changed;
    if (!changed) return;
    const std::vector<bool> kept = marked_;
    fill_rows();
    for (std::size_t r = 0; r < rows_.size() && r < kept.size(); ++r)
        set_mark(static_cast<int>(r), kept[r]);
    set_buttons();
    redraw_map_hex(hex_);
}

void unitactions::done(int result) {
    remembered_geometry = geometry();
    remembered_widths.assign(static_cast<std::size_t>(grid_->columnCount()), 0);
    for (int c = 0; c < grid_->columnCount(); ++c)
        remembered_widths[static_cast<std::size_t>(c)] = grid_->columnWidth(c);
    form_base::done(result);
}

void open_piece_actions(std::int32_t hex) {
    if (piece_actions_form_hook) {
        piece_actions_form_hook(hex);
        return;
    }
    unitactions f(dialog_parent(), hex);
    f.create_form();
    f.exec();
}
