#include "edit_pool_form.h"

#include "data/encodings.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/records.h"
#include "mainwin/forms/edit_text_form.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/forms/list_scroll.h"
#include "mainwin/sounds.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/placement.h"
#include "play/pools.h"
#include "play/removal.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

int pool_preselection = -1;
int last_selected_pool = -1;

namespace {

QRect remembered_geometry;

bool is_card_pool(int pool) {
    return pool >= 0 && pool < pool_records() && !is_force_pool(pool);
}

QPushButton* make_button(QWidget* parent, const char* name, const char* text, const char* hint = nullptr) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    if (hint) b->setToolTip(hint);
    return b;
}

} // namespace

edit_pool_form::edit_pool_form(QWidget* parent, bool new_pool) : form_base(parent), make_new_pool_(new_pool) {
    setObjectName("edit_pool_form");
    setWindowTitle("Create or Edit Force Pools");
    auto* layout = new QGridLayout(this);

    group_1_ = new QGroupBox("Enter Name / Select Pool", this);
    group_1_->setObjectName("groupb_1");
    auto* g1 = new QVBoxLayout(group_1_);
    name_ = new QLineEdit(group_1_);
    name_->setObjectName("pool_name");
    pools_ = new QListWidget(group_1_);
    pools_->setObjectName("pool_list");
    label_2_ = new QLabel("(Double-Click to edit name)", group_1_);
    label_2_->setObjectName("label_2");
    g1->addWidget(name_);
    g1->addWidget(pools_);
    g1->addWidget(label_2_);

    group_2_ = new QGroupBox("Select Pieces For Action", this);
    group_2_->setObjectName("groupb_2");
    auto* g2 = new QGridLayout(group_2_);
    pieces_ = new QListWidget(group_2_);
    pieces_->setObjectName("piece_list");
    pieces_->setSelectionMode(QAbstractItemView::MultiSelection);
    card_text_ = new QTextEdit(group_2_);
    card_text_->setObjectName("card_piece_list");
    card_text_->setReadOnly(true);
    card_text_->setPlainText(
        "Cards can not be placed or modified from this form.  Instead,  select \"Cards\" from "
        "the main menu and either \"Decks\" or \"Hands\".");
    card_text_->hide();
    auto* label_6 = new QLabel("(Click to add to List Selected)", group_2_);
    label_6->setObjectName("label_6");
    g2->addWidget(pieces_, 0, 0);
    g2->addWidget(card_text_, 0, 0); // over piece_list, shown in its place
    g2->addWidget(label_6, 1, 0);

    group_3_ = new QGroupBox("List Selected for Action", this);
    group_3_->setObjectName("groupb_3");
    auto* g3 = new QVBoxLayout(group_3_);
    selected_ = new QListWidget(group_3_);
    selected_->setObjectName("selected_list");
    selected_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* label_1 = new QLabel("(Click to de-select)", group_3_);
    label_1->setObjectName("label_1");
    g3->addWidget(selected_);
    g3->addWidget(label_1);

    layout->addWidget(group_1_, 0, 0);
    layout->addWidget(group_2_, 0, 1);
    layout->addWidget(group_3_, 0, 2);

    auto* frame_1 = new QFrame(this);
    frame_1->setObjectName("frame_1");
    auto* f1 = new QVBoxLayout(frame_1);
    label_3_ = new QLabel("Pool Options", frame_1);
    label_3_->setObjectName("label_3");
    newpool_ = make_button(frame_1, "newpool_button", "Make New Pool", "Add a new pool to this game.");
    delete_pool_ =
        make_button(frame_1, "delete_pool_button", "Delete Pool", "Delete the selected (highlighted) pool.");
    add_new_ =
        make_button(frame_1, "add_new_pieces_button", "Add New Pieces", "Add new pieces to selected pool.");
    order_ = make_button(frame_1, "cb_1", "Set Display Order");
    for (QWidget* w : std::initializer_list<QWidget*>{label_3_, newpool_, delete_pool_, add_new_, order_})
        f1->addWidget(w);

    auto* frame_2 = new QFrame(this);
    frame_2->setObjectName("frame_2");
    auto* f2 = new QVBoxLayout(frame_2);
    label_5_ = new QLabel("Select Options", frame_2);
    label_5_->setObjectName("label_5");
    select_all_ = make_button(frame_2, "select_all_button", "Select All");
    random_ = make_button(frame_2, "random_button", "Random Pick", "Selects a piece randomly from pool");
    for (QWidget* w : std::initializer_list<QWidget*>{label_5_, select_all_, random_})
        f2->addWidget(w);

    auto* frame_5 = new QFrame(this);
    frame_5->setObjectName("frame_5");
    auto* f5 = new QVBoxLayout(frame_5);
    label_4_ = new QLabel("List Options", frame_5);
    label_4_->setObjectName("label_4");
    ok_ = make_button(frame_5, "ok_button", "Place Now", "Place listed pieces on the board.");
    clear_all_ =
        make_button(frame_5, "clear_all_button", "Clear List", "All pieces on list returned to pools.");
    delete_pieces_ = make_button(frame_5, "delete_selected_pieces_button", "Delete Pieces",
                                 "Deletes all pieces on list from the game.");
    transfer_ = make_button(frame_5, "transfer_button", "Transfer Pieces",
                            "Transfer pieces on list to another pool.");
    edit_info_ = make_button(frame_5, "edit_piece_info_button", "Edit Piece Info",
                             "Edit piece values and information.");
    for (QWidget* w :
         std::initializer_list<QWidget*>{label_4_, ok_, clear_all_, delete_pieces_, transfer_, edit_info_})
        f5->addWidget(w);

    cancel_ = make_button(this, "cancel", "Done/Cancel", "Close form and return.");
    layout->addWidget(frame_1, 1, 0);
    layout->addWidget(frame_2, 1, 1);
    layout->addWidget(frame_5, 1, 2);
    layout->addWidget(cancel_, 2, 2);
    for (QListWidget* l : {pools_, pieces_, selected_})
        l->setMinimumWidth(240);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }},
                              {UserEvent, [this](QObject*, event_data&) {
                                   make_new_pool();
                                   return true;
                               }}});
    connect(pools_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) {
        if (transfer_mode_) pool_clicked(pools_->row(i));
    });
    connect(pools_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!transfer_mode_) pool_clicked(row);
    });
    connect(pools_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* i) { rename_pool_at(pools_->row(i)); });
    connect(pieces_, &QListWidget::itemSelectionChanged, this, [this] {
        const int scroll = pieces_->verticalScrollBar()->value();
        std::vector<std::int32_t> chosen;
        for (int row = 0; row < pieces_->count(); ++row)
            if (pieces_->item(row)->isSelected() && static_cast<std::size_t>(row) < piece_by_row_.size())
                chosen.push_back(piece_by_row_[static_cast<std::size_t>(row)]);
        if (chosen.empty()) return;
        for (std::int32_t piece : chosen)
            add_to_list(piece, false);
        refresh();
        pieces_->verticalScrollBar()->setValue(scroll);
    });
    connect(selected_, &QListWidget::itemSelectionChanged, this, [this] {
        std::vector<std::size_t> rows;
        for (int row = 0; row < std::min(selected_->count(), 1000); ++row)
            if (selected_->item(row)->isSelected()) rows.push_back(static_cast<std::size_t>(row));
        if (rows.empty()) return;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            if (*it < placement_list.size())
                placement_list.erase(placement_list.begin() + static_cast<std::ptrdiff_t>(*it));
        refresh();
    });
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        // The first pool that begins with the text; typing changes nothing in the game.
        if (!text.isEmpty()) {
            for (int row = 0; row < pools_->count(); ++row) {
                if (!pools_->item(row)->text().startsWith(text, Qt::CaseInsensitive)) continue;
                pools_->setCurrentRow(row);
                if (row == pools_->count() - 1 && row >= 3) pools_->scrollToItem(pools_->item(row - 3));
                pools_->scrollToItem(pools_->item(row));
                break;
            }
        }
        set_buttons();
    });

    auto on_click = [this](QPushButton* b, std::function<void()> action) {
        set_event_handlers(b, {{ClickEvent, [action](QObject*, event_data&) {
                                    action();
                                    return true;
                                }}});
    };
    on_click(newpool_, [this] { make_new_pool(); });
    on_click(delete_pool_, [this] { delete_selected_pool(); });
    on_click(select_all_, [this] {
        for (std::int32_t piece : piece_by_row_)
            add_to_list(piece, false);
        refresh();
    });
    on_click(random_, [this] {
        if (piece_by_row_.size() < 2) return;
        add_to_list(
            piece_by_row_[static_cast<std::size_t>(random_below(static_cast<int>(piece_by_row_.size())))],
            true);
        refresh();
    });
    on_click(clear_all_, [this] {
        placement_list.clear();
        refresh();
    });
    on_click(delete_pieces_, [this] {
        play_delete_sound();
        delete_pieces_from_game(listed_pieces());
        placement_list.clear();
        refresh();
    });
    on_click(edit_info_, [this] {
        for (std::int32_t piece : listed_pieces())
            open_piece_editor(piece);
        game_modified = 1;
        refresh();
    });
    on_click(add_new_, [this] {
        const int pool = selected_pool();
        if (!is_force_pool(pool)) return;
        const auto kept = placement_list;
        const std::uint8_t ask = ask_place_from_pools, automatic = auto_place_from_pool;
        ask_place_from_pools = 0;
        auto_place_from_pool = 0;
        place_new_pieces(pool, true);
        ask_place_from_pools = ask;
        auto_place_from_pool = automatic;
        placement_list = kept;
        game_modified = 1;
        refresh();
    });
    on_click(ok_, [this] {
        operation_mode = 6;
        pool_preselection = selected_pool();
        game_modified = 1;
        accept();
    });
    on_click(cancel_, [this] {
        if (transfer_mode_) {
            set_transfer_mode(false);
            return;
        }
        placement_list.clear();
        reject();
    });
    on_click(transfer_, [this] {
        if (!placement_list.empty()) set_transfer_mode(true);
    });
    on_click(order_, [this] {
        const int pool = selected_pool();
        const std::string name =
            pool >= 0 ? name_of(game->pool_array[static_cast<std::size_t>(pool)].name) : std::string();
        const std::uint8_t kind = pool >= 0 ? game->pool_array[static_cast<std::size_t>(pool)].type : 0;
        run_reorder_pools_form();
        // The pool selected before, wherever it went.
        int again = -1;
        for (int k = 0; k < pool_records() && again < 0; ++k)
            if (name_of(game->pool_array[static_cast<std::size_t>(k)].name) == name &&
                game->pool_array[static_cast<std::size_t>(k)].type == kind)
                again = k;
        fill_pool_list(again);
        refresh();
    });
}

bool edit_pool_form::on_created() {
    apply_form_colour(this);
    if (game->pool_array.empty()) {
        try {
            pool_struct end;
            end.piece_count = class_end;
            game->pool_array.push_back(end);
        } catch (const std::bad_alloc&) {
            message_box("Memory error.  Could not create pool structure.", "", box_buttons::ok,
                        box_icon::information);
            QTimer::singleShot(0, this, [this] { reject(); });
            return false;
        }
    }
    int select = -1;
    const int n = pool_records();
    auto usable = [n](int k) {
        return k >= 0 && k < n && game->pool_array[static_cast<std::size_t>(k)].piece_count != class_free;
    };
    if (usable(pool_preselection))
        select = pool_preselection;
    else if (usable(last_selected_pool))
        select = last_selected_pool;
    fill_pool_list(select);
    if (pools_->currentRow() < 0 && pools_->count() > 0) pools_->setCurrentRow(0);
    pool_preselection = -1;
    refresh();
    if (remembered_geometry.isValid()) setGeometry(remembered_geometry);
    if (make_new_pool_) post_user_event(1);
    return false;
}

void edit_pool_form::done(int result) {
    recount_pools();
    remembered_geometry = geometry();
    form_base::done(result);
}

int edit_pool_form::pool_of_row(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= pool_by_row_.size()) return -1;
    return pool_by_row_[static_cast<std::size_t>(row)];
}

int edit_pool_form::selected_pool() const {
    return pool_of_row(pools_->currentRow());
}

std::vector<std::int32_t> edit_pool_form::listed_pieces() const {
    std::vector<std::int32_t> out;
    for (const auto& e : placement_list)
        if (e.count != -1 && e.index != -1) out.push_back(e.index);
    return out;
}

void edit_pool_form::add_to_list(std::int32_t piece, bool random) {
    if (placement_list.size() >= static_cast<std::size_t>(placement_pieces_max)) return;
    const auto listed = listed_pieces();
    if (std::find(listed.begin(), listed.end(), piece) != listed.end()) return;
    placement_list.push_back(placement_entry{1, piece, static_cast<std::uint8_t>(random ? 1 : 0)});
}

void edit_pool_form::fill_pool_list(int select_pool) {
    const QSignalBlocker quiet(pools_);
    pools_->clear();
    pool_by_row_.clear();
    const std::vector<std::string> rows = pool_row_texts(listed_pieces());
    for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
        if (game->pool_array[static_cast<std::size_t>(k)].piece_count == class_free) continue;
        pool_by_row_.push_back(k);
        pools_->addItem(to_qstring(rows[static_cast<std::size_t>(k)]));
    }
    const auto at = std::find(pool_by_row_.begin(), pool_by_row_.end(), select_pool);
    pools_->setCurrentRow(at != pool_by_row_.end() ? static_cast<int>(at - pool_by_row_.begin())
                                                   : (pools_->count() > 0 ? 0 : -1));
}

void edit_pool_form::pool_clicked(int row) {
    const int pool = pool_of_row(row);
    if (transfer_mode_) {
        if (pool < 0) return;
        if (!is_force_pool(pool)) {
            message_box(
                "Special Pool Type",
                "Cards/pieces can not be transferred from this form.  Instead, select 'Cards'  \n\rfrom "
                "the main menu and either 'Decks' or 'Hands'.",
                box_buttons::ok, box_icon::information);
            return;
        }
        transfer_to(pool);
        return;
    }
    if (pools_->currentRow() != row) {
        const QSignalBlocker quiet(pools_);
        pools_->setCurrentRow(row);
    }
    if (is_force_pool(pool)) last_selected_pool = pool;
    refresh();
}

void edit_pool_form::rename_pool_at(int row) {
    const int pool = pool_of_row(row);
    if (pool < 0) return;
    const std::string name =
        run_edit_text_form(name_of(game->pool_array[static_cast<std::size_t>(pool)].name));
    if (name.empty()) return;
    rename_pool(pool, name);
    fill_pool_list(pool);
    refresh();
}

void edit_pool_form::make_new_pool() {
    std::string name = from_qstring(name_->text());
    for (;;) {
        name = run_edit_text_form(name, "Enter New Pool Name");
        if (name.empty()) return;
        name_->setText(to_qstring(name));
        if (!pool_name_taken(name)) break;
        if (message_box(
                "New Pool Name Error!",
                "The name you entered for the new pool is the\n\rsame as an existing one.\n\rSelect Retry to "
                "edit the name again, or Cancel",
                box_buttons::retry_cancel, box_icon::exclamation) != box_answer::retry)
            return;
    }
    const int pool = create_force_pool(name);
    if (pool < 0) return;
    fill_pool_list(pool);
    last_selected_pool = pool;
    refresh();
}

void edit_pool_form::delete_selected_pool() {
    const int pool = selected_pool();
    if (pool < 0) return;
    const pool_struct& p = game->pool_array[static_cast<std::size_t>(pool)];
    if (p.piece_count > 0 &&
        message_box(
            "Pool is not Empty!",
            "This force pool contains one or more pieces.\n\rIf the pool is deleted, these pieces will "
            "be\n\rremoved permanently from the game.\n\r\n\rDo you want to delete the pool anyway?",
            box_buttons::yes_no, box_icon::question) != box_answer::yes)
        return;
    if (pool_holds_unknown_pieces(pool) &&
        message_box(
            "Pool Continas Hidden Pieces!",
            "This force pool contains one or more hidden.\n\renemy pieces.\n\rDo you want to delete the "
            "pool anyway?",
            box_buttons::yes_no, box_icon::question) != box_answer::yes)
        return;
    // Listed pieces of the pool go with it.
    placement_list.erase(std::remove_if(placement_list.begin(), placement_list.end(),
                                        [pool](const placement_entry& e) {
                                            const auto& pieces = game->piece_array;
                                            return e.index >= 0 &&
                                                   static_cast<std::size_t>(e.index) < pieces.size() &&
                                                   pieces[static_cast<std::size_t>(e.index)].in_pool() &&
                                                   pieces[static_cast<std::size_t>(e.index)].location == pool;
                                        }),
                         placement_list.end());
    if (!delete_pool(pool)) {
        message_box(
            "Pool In History",
            "The game's history holds card actions of this pool, so it cannot be deleted while the history "
            "is kept.",
            box_buttons::ok, box_icon::exclamation);
        return;
    }
    play_delete_sound();
    name_->clear();
    const int left = pool_records();
    fill_pool_list(pool < left ? pool : left - 1);
    refresh();
}

void edit_pool_form::set_transfer_mode(bool on) {
    transfer_mode_ = on;
    cancel_->setText(on ? "Cancel" : "Done/Cancel");
    label_2_->setText(on ? "(Pick destination pool)" : "(Double-Click to edit name)");
    const QString colour = on ? "color: rgb(192, 0, 0);" : QString();
    for (QWidget* w : std::initializer_list<QWidget*>{group_1_, label_2_, label_3_, label_4_, label_5_})
        w->setStyleSheet(colour);
    pieces_->setEnabled(!on);
    selected_->setEnabled(!on);
    set_buttons();
}

void edit_pool_form::transfer_to(int pool) {
    transfer_pieces_to_pool(listed_pieces(), pool);
    placement_list.clear();
    set_transfer_mode(false);
    fill_pool_list(pool);
    refresh();
}

void edit_pool_form::refresh() {
    const std::vector<std::string> rows = pool_row_texts(listed_pieces());
    for (int row = 0; row < pools_->count(); ++row) {
        const int k = pool_of_row(row);
        if (k >= 0 && static_cast<std::size_t>(k) < rows.size())
            pools_->item(row)->setText(to_qstring(rows[static_cast<std::size_t>(k)]));
    }
    show_pieces();
    show_selected();
    set_buttons();
}

void edit_pool_form::show_pieces() {
    const QSignalBlocker quiet(pieces_);
    pieces_->clear();
    piece_by_row_.clear();
    const int pool = selected_pool();
    const bool cards = is_card_pool(pool);
    pieces_->setVisible(!cards);
    card_text_->setVisible(cards);
    if (cards || pool < 0) return;
    piece_by_row_ = known_pool_pieces(pool, listed_pieces());
    for (std::int32_t piece : piece_by_row_)
        pieces_->addItem(to_qstring(format_piece_description(piece)));
}

void edit_pool_form::show_selected() {
    const QSignalBlocker quiet(selected_);
    selected_->clear();
    int n = 0;
    for (std::int32_t piece : listed_pieces()) {
        if (++n > placement_pieces_max) break;
        selected_->addItem(to_qstring(format_pool_piece_description(piece)));
    }
}

void edit_pool_form::set_buttons() {
    const bool listed = selected_->count() > 0;
    const bool pool = selected_pool() >= 0;
    const bool on = !transfer_mode_;
    ok_->setEnabled(on && listed);
    cancel_->setEnabled(true);
    // A new pool may not take the name of one there is.
    newpool_->setEnabled(on && (name_->text().isEmpty() || !pool_name_taken(from_qstring(name_->text()))));
    delete_pool_->setEnabled(on && pool);
    add_new_->setEnabled(on && is_force_pool(selected_pool()));
    select_all_->setEnabled(on && pieces_->isVisible() && pieces_->count() >= 1);
    random_->setEnabled(on && pieces_->isVisible() && pieces_->count() > 1);
    for (QPushButton* b : {clear_all_, delete_pieces_, transfer_, edit_info_})
        b->setEnabled(on && listed);
    order_->setEnabled(on);
}

// The pool order form.

reorder_pools_form::reorder_pools_form(QWidget* parent) : form_base(parent) {
    setObjectName("reorder_pools_form");
    setWindowTitle("Adjust Force Pool Display Order");
    auto* layout = new QGridLayout(this);
    auto* frame_1 = new QFrame(this);
    frame_1->setObjectName("frame_1");
    layout->addWidget(new QLabel("Select pool to move:", this), 0, 0);
    list_ = new QListWidget(this);
    list_->setObjectName("symlist");
    layout->addWidget(list_, 1, 0, 3, 1);
    up_ = make_button(this, "move_up_button", "Move Up");
    down_ = make_button(this, "move_down_button", "Move Down");
    done_ = make_button(this, "done_button", "Done");
    layout->addWidget(up_, 1, 1);
    layout->addWidget(down_, 2, 1);
    layout->addWidget(new QLabel("Hold Buttons Down For Faster Scroll", this), 3, 1);
    layout->addWidget(done_, 4, 1);
    layout->addWidget(frame_1, 4, 0);
    delay_ = new QTimer(this);
    delay_->setSingleShot(true);
    delay_->setInterval(200);
    repeat_ = new QTimer(this);
    repeat_->setInterval(100);
    connect(delay_, &QTimer::timeout, this, [this] { repeat_->start(); });
    connect(repeat_, &QTimer::timeout, this, [this] { move(direction_); });
    for (QPushButton* b : {up_, down_}) {
        const int step = b == up_ ? -1 : 1;
        connect(b, &QPushButton::pressed, this, [this, step] {
            direction_ = step;
            move(step);
            delay_->start();
        });
        connect(b, &QPushButton::released, this, [this] {
            delay_->stop();
            repeat_->stop();
        });
    }
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        moving_ = row;
        scroll_to_moving();
    });
    set_event_handlers(done_, {{ClickEvent, [this](QObject*, event_data&) {
                                    accept();
                                    return true;
                                }}});
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   fill();
                                   if (list_->count() == 0) QTimer::singleShot(0, this, [this] { accept(); });
                                   return false;
                               }}});
}

void reorder_pools_form::fill() {
    const QSignalBlocker quiet(list_);
    list_->clear();
    const int n = pool_records();
    for (int k = 0; k < n; ++k) {
        const pool_struct& p = game->pool_array[static_cast<std::size_t>(k)];
        const std::string what = p.type == pool_type_hand ? "    [Card Hand]"
                                 : p.type == pool_type_deck
                                     ? "    [Card Deck]"
                                     : "(" + std::to_string(p.piece_count) + "  Pieces)";
        list_->addItem(to_qstring(name_of(p.name) + " " + what));
    }
    moving_ = std::clamp(moving_, 0, std::max(0, n - 1));
    if (n > 0) list_->setCurrentRow(moving_);
}

void reorder_pools_form::move(int step) {
    const int to = moving_ + step;
    if (step == 0 || to < 0 || to >= list_->count()) return;
    if (!swap_pools(moving_, to)) return;
    moving_ = to;
    fill();
    scroll_to_moving();
}

void reorder_pools_form::scroll_to_moving() {
    keep_row_in_view(list_, moving_);
}

void run_edit_pool_form(bool new_pool) {
    edit_pool_form f(dialog_parent(), new_pool);
    f.create_form();
    f.exec();
}

void run_reorder_pools_form() {
    if (pool_records() == 0) return;
    reorder_pools_form f(dialog_parent());
    f.create_form();
    f.exec();
}
