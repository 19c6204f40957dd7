#include "stack_forms.h"

#include "appearance/stacks.h"
#include "classes/class_order.h"
#include "classes/forms/symbol_preview.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/value_text.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/forms/list_scroll.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "players/visibility.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* make_button(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

std::string symbol_name(std::int32_t symbol) {
    const symbol_struct* s = symbols->piece_symbol(symbol);
    return s ? name_of(s->name) : std::string();
}

std::string owner_name(std::int32_t owner) {
    return owner == owner_all_players || !player_record(owner) ? "All Players" : player_display_name(owner);
}

} // namespace

std::string stack_def_line(int position) {
    if (position < 0 || position >= stack_def_count()) return {};
    const stack_def_struct& d = game->stack_def_array[static_cast<std::size_t>(position)];
    const class_struct* c = d.required_class == class_end ? nullptr : class_record(d.required_class);
    return symbol_name(d.stack_symbol) + "     [REQ: " + (c ? name_of(c->name) : std::string("None    ")) +
           "]    " + std::to_string(d.minimum_pieces[0]) + "/" + std::to_string(d.minimum_pieces[1]) + "/" +
           std::to_string(d.minimum_pieces[2]) + "   (" + owner_name(d.owner) + ")";
}

// The editor.

edit_stack_symbols_form::edit_stack_symbols_form(QWidget* parent) : form_base(parent) {
    setObjectName("edit_stack_symbols_form");
    setWindowTitle("Stack Definitions");
    auto* layout = new QGridLayout(this);
    stacks_ = new QListWidget(this);
    stacks_->setObjectName("stackbox");
    stack_picture_ = new QLabel(this);
    stack_picture_->setObjectName("stack_picture");
    stack_picture_->setFixedSize(80, 80);
    classes_ = new QListWidget(this);
    classes_->setObjectName("classbox");
    piece_picture_ = new QLabel(this);
    piece_picture_->setObjectName("piece_picture");
    piece_picture_->setFixedSize(80, 80);
    no_type_ = new QCheckBox("No type required - use this stack as the player's default.", this);
    no_type_->setObjectName("no_type_box");
    players_ = new QListWidget(this);
    players_->setObjectName("playerbox");
    layout->addWidget(stacks_, 0, 0, 4, 1);
    layout->addWidget(stack_picture_, 0, 1);
    layout->addWidget(classes_, 0, 2, 2, 1);
    layout->addWidget(piece_picture_, 0, 3);
    layout->addWidget(no_type_, 2, 2, 1, 2);
    layout->addWidget(players_, 3, 2);
    auto* counts = new QVBoxLayout;
    for (int z = 0; z < 3; ++z) {
        QSpinBox*& s = minimum_[static_cast<std::size_t>(z)];
        s = new QSpinBox(this);
        s->setObjectName(QString("updown_%1").arg(z + 1));
        s->setRange(0, 249);
        counts->addWidget(new QLabel(QString("Zoom %1 pieces:").arg(z + 1), this));
        counts->addWidget(s);
    }
    layout->addLayout(counts, 3, 3);
    pick_ = make_button(this, "pick_stack", "Clear");
    sort_ = make_button(this, "sort_button", "Sort");
    save_ = make_button(this, "save", "Save");
    save_exit_ = make_button(this, "save_and_exit", "Save/Exit");
    done_ = make_button(this, "cancel", "Done");
    int c = 0;
    for (QPushButton* b : {pick_, sort_, save_, save_exit_, done_})
        layout->addWidget(b, 4, c++);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    connect(stacks_, &QListWidget::currentRowChanged, this, [this] {
        editing_ = -1;
        const std::int32_t s = selected_symbol();
        show_piece_symbol_preview(stack_picture_, s);
        const auto defs = stack_defs_of_symbol(s);
        if (defs.size() == 1) show_definition(defs.front());
        set_pick_label();
    });
    connect(classes_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= class_by_row_.size()) return;
        const class_struct* cls = class_record(class_by_row_[static_cast<std::size_t>(row)]);
        no_type_->setChecked(false);
        const QSignalBlocker quiet(players_);
        players_->setCurrentRow(
            cls && cls->owner < owner_all_players && player_record(cls->owner) ? cls->owner + 1 : 0);
        show_piece_symbol_preview(piece_picture_, cls ? cls->symbol : -1);
    });
    connect(players_, &QListWidget::currentRowChanged, this, [this](int row) {
        const int cls_index = class_shown();
        if (row <= 0 || cls_index == class_end) return;
        const class_struct* cls = class_record(cls_index);
        if (!cls || cls->owner == row - 1) return;
        if (message_box(
                "Owning Player Conflict",
                "The selected owning player is different than the one that owns the stack's \n\rrequired "
                "piece type.\n\rIf you select OK, the stack's required piece type will be automatically "
                "cleared.",
                box_buttons::ok_cancel, box_icon::exclamation) == box_answer::ok) {
            const QSignalBlocker quiet(classes_);
            classes_->setCurrentRow(-1);
            no_type_->setChecked(true);
        } else {
            const QSignalBlocker quiet(players_);
            players_->setCurrentRow(
                cls->owner < owner_all_players && player_record(cls->owner) ? cls->owner + 1 : 0);
        }
    });
    set_event_handlers(save_, {{ClickEvent, [this](QObject*, event_data&) {
                                    save_shown();
                                    return true;
                                }}});
    set_event_handlers(save_exit_, {{ClickEvent, [this](QObject*, event_data&) {
                                         save_shown();
                                         accept();
                                         return true;
                                     }}});
    set_event_handlers(done_, {{ClickEvent, [this](QObject*, event_data&) {
                                    accept();
                                    return true;
                                }}});
    set_event_handlers(
        pick_, {{ClickEvent, [this](QObject*, event_data&) {
                     const std::int32_t s = selected_symbol();
                     if (s < 0) {
                         message_box("No Stack Selected",
                                     "You must first select a stack definition before you can delete it.",
                                     box_buttons::ok, box_icon::exclamation);
                         return true;
                     }
                     const auto defs = stack_defs_of_symbol(s);
                     if (defs.empty()) {
                         message_box("Not a Stack Symbol", "This symbol is not used as a stack symbol.",
                                     box_buttons::ok, box_icon::exclamation);
                         return true;
                     }
                     int mode = -1, position = defs.front();
                     if (defs.size() > 1) {
                         get_stack_def_to_edit_form pick(this, s);
                         pick.create_form();
                         pick.exec();
                         mode = pick.mode();
                         position = pick.position();
                         if (mode == -2) return true;
                         if (mode == 1) {
                             editing_ = position;
                             show_definition(position);
                             return true;
                         }
                     }
                     if (message_box("Confirm Deletion",
                                     "Are you sure you want to delete the stack definition(s) \n\rdisplayed "
                                     "as: " +
                                         symbol_name(s),
                                     box_buttons::ok_cancel, box_icon::question) != box_answer::ok)
                         return true;
                     if (mode == 0)
                         remove_stack_def(position);
                     else
                         remove_stack_defs_of_symbol(s);
                     game_modified = 1;
                     fill_stacks(s);
                     return true;
                 }}});
    set_event_handlers(sort_, {{ClickEvent, [this](QObject*, event_data&) {
                                    if (stack_def_count() < 2) {
                                        message_box("Less Than 2 Stacks Defined",
                                                    "There are not enough stacks defined to sort them.",
                                                    box_buttons::ok, box_icon::information);
                                        return true;
                                    }
                                    reorder_stack_defs_form order(this);
                                    order.create_form();
                                    order.exec();
                                    return true;
                                }}});
}

bool edit_stack_symbols_form::on_created() {
    apply_form_colour(this);
    if (class_end_index() == 0) {
        message_box(
            "No Classes Defined",
            "There are no piece classes defined.  You will need \n\rto create some before defining a stack.",
            box_buttons::ok, box_icon::exclamation);
        QTimer::singleShot(0, this, [this] { reject(); });
        return false;
    }
    if (symbols->piece_symbol_count <= 0) {
        message_box(
            "No Piece Symbols Defined",
            "There are no piece symbols defined for this game.  You will need \n\rto create some before "
            "defining classes or stacks.",
            box_buttons::ok, box_icon::exclamation);
        QTimer::singleShot(0, this, [this] { reject(); });
        return false;
    }
    for (const picker_row& r : class_picker_rows(true, false, true)) {
        class_by_row_.push_back(r.class_index);
        classes_->addItem(to_qstring(r.text));
    }
    players_->addItem("All Players");
    const int players = players_in_game();
    for (int p = 0; p < players; ++p)
        players_->addItem(mixed_to_qstring(player_display_name(p)));
    players_->setCurrentRow(0);
    fill_stacks(-1);
    return false;
}

void edit_stack_symbols_form::fill_stacks(std::int32_t select) {
    const QSignalBlocker quiet(stacks_);
    stacks_->clear();
    symbol_by_row_.clear();
    for (std::int32_t k = 0; k < symbols->piece_symbol_count; ++k) {
        symbol_by_row_.push_back(k);
        const bool used = !stack_defs_of_symbol(k).empty();
        stacks_->addItem(to_qstring(symbol_name(k) + (used ? "  [USED: Click/Edit]" : "")));
    }
    const auto at = std::find(symbol_by_row_.begin(), symbol_by_row_.end(), select);
    stacks_->setCurrentRow(at == symbol_by_row_.end() ? -1 : static_cast<int>(at - symbol_by_row_.begin()));
    set_pick_label();
}

std::int32_t edit_stack_symbols_form::selected_symbol() const {
    const int row = stacks_->currentRow();
    return row >= 0 && static_cast<std::size_t>(row) < symbol_by_row_.size()
               ? symbol_by_row_[static_cast<std::size_t>(row)]
               : -1;
}

void edit_stack_symbols_form::set_pick_label() {
    pick_->setText(stack_defs_of_symbol(selected_symbol()).size() > 1 ? "Pick One" : "Clear");
}

void edit_stack_symbols_form::show_definition(int position) {
    if (position < 0 || position >= stack_def_count()) return;
    const stack_def_struct& d = game->stack_def_array[static_cast<std::size_t>(position)];
    {
        const QSignalBlocker quiet(classes_);
        const auto at = std::find(class_by_row_.begin(), class_by_row_.end(), d.required_class);
        classes_->setCurrentRow(d.required_class == class_end || at == class_by_row_.end()
                                    ? -1
                                    : static_cast<int>(at - class_by_row_.begin()));
    }
    no_type_->setChecked(d.required_class == class_end);
    {
        const QSignalBlocker quiet(players_);
        players_->setCurrentRow(d.owner == owner_all_players || !player_record(d.owner) ? 0 : d.owner + 1);
    }
    for (int z = 0; z < 3; ++z)
        minimum_[static_cast<std::size_t>(z)]->setValue(d.minimum_pieces[z]);
}

int edit_stack_symbols_form::owner_shown() const {
    const int row = players_->currentRow();
    return row <= 0 ? owner_all_players : row - 1;
}

int edit_stack_symbols_form::class_shown() const {
    const int row = classes_->currentRow();
    if (no_type_->isChecked() || row < 0 || static_cast<std::size_t>(row) >= class_by_row_.size())
        return class_end;
    return class_by_row_[static_cast<std::size_t>(row)];
}

bool edit_stack_symbols_form::save_shown() {
    const std::int32_t s = selected_symbol();
    if (s < 0) return false;
    stack_def_struct d;
    d.stack_symbol = s;
    d.required_class = class_shown();
    d.owner = owner_shown();
    for (int z = 0; z < 3; ++z)
        d.minimum_pieces[z] = static_cast<std::uint8_t>(minimum_[static_cast<std::size_t>(z)]->value());
    const auto defs = stack_defs_of_symbol(s);
    int target = -1; // the definition overwritten, or -1 for a new one
    bool check = true;
    if (defs.size() == 1) {
        const box_answer a = message_box(
            "Save As A New Stack?",
            "A stack with this symbol is already defined. Do you want to \n\rsave this as a new stack? "
            "\n\r\n\r(Select 'No' to replace the existing stack definition for this symbol)  ",
            box_buttons::yes_no_cancel, box_icon::question);
        if (a == box_answer::cancel) return false;
        if (a == box_answer::no) {
            target = defs.front();
            check = false;
        }
    } else if (defs.size() > 1 && editing_ >= 0) {
        target = editing_;
    }
    if (check) {
        switch (stack_def_clash(d, target)) {
        case stack_clash::required_class:
            if (message_box(
                    "Duplicate Reqiured Piece",
                    "At least one other stack definition uses this required piece. \n\rIf multiple stack "
                    "definitions share a common required piece \n\ronly the first stack is valid; the others "
                    "will be ignored. \n\rSelect Yes to continue saving this stack (as a new definition), or "
                    "Cancel to abort.",
                    box_buttons::ok_cancel, box_icon::exclamation) != box_answer::ok)
                return false;
            break;
        case stack_clash::owner_default:
            if (message_box("Duplicate Player Default Stack",
                            "This player already has a default stack defined.  Only\n\r one default stack "
                            "can used per "
                            "player, any others will be ignored. \n\rSelect OK to continue saving this "
                            "stack, or Cancel "
                            "to abort.",
                            box_buttons::ok_cancel, box_icon::exclamation) != box_answer::ok)
                return false;
            break;
        default:
            break;
        }
    }
    if (target < 0) target = add_stack_def();
    if (target < 0) return false;
    game->stack_def_array[static_cast<std::size_t>(target)] = d;
    game_modified = 1;
    fill_stacks(s);
    return true;
}

// Choosing among the definitions of one symbol.

get_stack_def_to_edit_form::get_stack_def_to_edit_form(QWidget* parent, std::int32_t symbol)
    : form_base(parent), positions_(stack_defs_of_symbol(symbol)) {
    setObjectName("get_stack_def_to_edit_form");
    setWindowTitle("Select Stack Definition To Edit");
    auto* layout = new QVBoxLayout(this);
    auto* count = new QLabel(QString("%1 stack definitions use this symbol.").arg(positions_.size()), this);
    count->setObjectName("number_text");
    auto* picture = new QLabel(this);
    picture->setObjectName("picbox");
    picture->setFixedSize(80, 80);
    show_piece_symbol_preview(picture, symbol);
    list_ = new QListWidget(this);
    list_->setObjectName("stkbox");
    for (int p : positions_)
        list_->addItem(to_qstring(stack_def_line(p)));
    if (!positions_.empty()) list_->setCurrentRow(0);
    layout->addWidget(count);
    layout->addWidget(picture);
    layout->addWidget(list_);
    edit_ = make_button(this, "edit", "Edit");
    delete_this_ = make_button(this, "delete_this", "Delete");
    delete_all_ = make_button(this, "delete_all", "Delete All");
    cancel_ = make_button(this, "cancel", "Cancel");
    const std::pair<QPushButton*, int> modes[] = {
        {edit_, 1}, {delete_this_, 0}, {delete_all_, -1}, {cancel_, -2}};
    for (const auto& [b, m] : modes) {
        layout->addWidget(b);
        const int mode = m;
        set_event_handlers(b, {{ClickEvent, [this, mode](QObject*, event_data&) {
                                    const int row = list_->currentRow();
                                    mode_ = mode;
                                    position_ = row >= 0 && static_cast<std::size_t>(row) < positions_.size()
                                                    ? positions_[static_cast<std::size_t>(row)]
                                                    : -1;
                                    if (position_ < 0 && mode_ >= 0) mode_ = -2; // nothing chosen
                                    accept();
                                    return true;
                                }}});
    }
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
}

// The priority order.

reorder_stack_defs_form::reorder_stack_defs_form(QWidget* parent) : form_base(parent) {
    setObjectName("reorder_stack_defs_form");
    setWindowTitle("Adjust Stack Symbol Priority Order");
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName("symlist");
    up_ = make_button(this, "move_up_button", "Move Up");
    down_ = make_button(this, "move_down_button", "Move Down");
    done_ = make_button(this, "done_button", "Done");
    layout->addWidget(list_);
    layout->addWidget(up_);
    layout->addWidget(down_);
    layout->addWidget(new QLabel("Hold Buttons Down For Faster Scroll", this));
    layout->addWidget(done_);
    repeat_ = new QTimer(this);
    repeat_->setInterval(200);
    connect(repeat_, &QTimer::timeout, this, [this] { move(direction_); });
    for (QPushButton* b : {up_, down_}) {
        const int step = b == up_ ? -1 : 1;
        connect(b, &QPushButton::pressed, this, [this, step] {
            direction_ = step;
            move(step);
            repeat_->start();
        });
        connect(b, &QPushButton::released, this, [this] { repeat_->stop(); });
    }
    set_event_handlers(done_, {{ClickEvent, [this](QObject*, event_data&) {
                                    accept();
                                    return true;
                                }}});
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   fill(0);
                                   return false;
                               }}});
}

void reorder_stack_defs_form::fill(int select) {
    list_->clear();
    const int n = stack_def_count();
    for (int i = 0; i < n; ++i)
        list_->addItem(to_qstring(stack_def_line(i)));
    if (n > 0) list_->setCurrentRow(std::clamp(select, 0, n - 1));
}

void reorder_stack_defs_form::move(int step) {
    const int row = list_->currentRow();
    if (row < 0 || !swap_stack_defs(row, row + step)) return;
    game_modified = 1;
    fill(row + step);
    keep_row_in_view(list_, row + step);
}

void run_edit_stack_symbols_form() {
    edit_stack_symbols_form f(dialog_parent());
    f.create_form();
    f.exec();
}
