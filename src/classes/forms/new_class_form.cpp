#include "new_class_form.h"

#include "classes/forms/symbol_preview.h"
#include "classes/forms/value_rows.h"
#include "classes/value_editing.h"
#include "data/dialog_globals.h"
#include "data/hooks.h"
#include "data/symbols.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/info_panel.h"
#include "mainwin/sounds.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "players/visibility.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstring>

namespace {

std::string symbol_name(int n) {
    const symbol_struct* s = symbols->piece_symbol(n);
    return s ? name_of(s->name) : std::string();
}

} // namespace

new_class_form::new_class_form(QWidget* parent, int index) : form_base(parent), start_index_(index) {
    setObjectName("new_class_form");
    setWindowTitle("Edit Class Properties");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    const char* const step_names[5] = {"label_7", "label_8", "label_13", "label_9", "label_10"};
    const char* const step_texts[5] = {"1.  Enter Name:", "2.  Pick Symbol:", "3.  Facing Style:",
                                       "4.  Owning Player:", "5. Hidden Symbol:"};
    for (int i = 0; i < 5; ++i) {
        step_labels_[static_cast<std::size_t>(i)] = new QLabel(step_texts[i], this);
        step_labels_[static_cast<std::size_t>(i)]->setObjectName(step_names[i]);
        top->addWidget(step_labels_[static_cast<std::size_t>(i)], i, 0);
    }
    namebox_ = new QLineEdit(this);
    namebox_->setObjectName("namebox");
    namebox_->setMaxLength(25);
    symbox_ = new QComboBox(this);
    symbox_->setObjectName("symbox");
    facing_ = new QComboBox(this);
    facing_->setObjectName("facing_style");
    player_list_ = new QComboBox(this);
    player_list_->setObjectName("player_list");
    hidden_list_ = new QComboBox(this);
    hidden_list_->setObjectName("hidden_sym_list");
    top->addWidget(namebox_, 0, 1);
    top->addWidget(symbox_, 1, 1);
    top->addWidget(facing_, 2, 1);
    top->addWidget(player_list_, 3, 1);
    top->addWidget(hidden_list_, 4, 1);
    preview_ = new QLabel(this);
    preview_->setObjectName("frame_3");
    preview_->setFixedSize(64, 64);
    preview_->setFrameShape(QFrame::Box);
    top->addWidget(preview_, 0, 2, 5, 1);
    layout->addLayout(top);
    hidden_label_ =
        new QLabel("The Hidden Symbol will NOT be used - Player Info Hidden option is \"OFF\".", this);
    hidden_label_->setObjectName("hidden_label");
    layout->addWidget(hidden_label_);

    auto* values = new QGridLayout;
    rows_ = new value_rows(this, values, "Class", &session_.record.values);
    layout->addLayout(values);
    auto* note = new QLabel(
        "Note:  Value names (as shown on this screen) are shared / used equally by ALL classes.", this);
    note->setObjectName("label_11");
    layout->addWidget(note);
    auto* buttons = new QHBoxLayout;
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok_button");
    ok_->setToolTip("Save these values.");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel_button");
    cancel_->setToolTip("Exit without saving changes.");
    another_ = new QPushButton("   Edit    Another", this);
    another_->setObjectName("done_edit_another");
    another_->setToolTip("Save this and edit another class. ");
    delete_ = new QPushButton("Delete", this);
    delete_->setObjectName("delete_button");
    delete_->setToolTip("Delete this class.");
    for (QPushButton* b : {ok_, cancel_, another_, delete_})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  if (!save(true)) return true;
                                  if (!new_mode_) accept();
                                  return true;
                              }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
    set_event_handlers(another_, {{ClickEvent, [this](QObject*, event_data&) {
                                       if (save(false)) pick_another(session_.edited);
                                       return true;
                                   }}});
    set_event_handlers(delete_,
                       {{ClickEvent, [this](QObject*, event_data&) {
                             const int deleting = session_.edited;
                             if (deleting < 0) return true;
                             const bool deleted =
                                 delete_class(deleting) != 0 &&
                                 game->class_array[static_cast<std::size_t>(deleting)].symbol == class_free;
                             if (deleted) play_delete_sound();
                             if (!deleted) {
                                 pick_another(deleting);
                                 return true;
                             }
                             game_modified = 1;
                             // The nearest live class before it, else one after it.
                             int preselect = -1;
                             for (int i = deleting - 1; i >= 0 && preselect < 0; --i)
                                 if (game->class_array[static_cast<std::size_t>(i)].symbol != class_free)
                                     preselect = i;
                             if (preselect < 0) preselect = first_class_with_piece_symbol();
                             // Nothing left to edit: the form has nothing to stand on.
                             if (preselect < 0) {
                                 accept();
                                 return true;
                             }
                             pick_another(preselect);
                             return true;
                         }}});
    connect(namebox_, &QLineEdit::textEdited, this, [this] { name_typed_ = true; });
    connect(symbox_, &QComboBox::activated, this, [this](int i) {
        if (new_mode_ && !name_typed_) namebox_->setText(mixed_to_qstring(symbol_name(i)));
    });
    connect(symbox_, &QComboBox::currentIndexChanged, this,
            [this](int i) { show_piece_symbol_preview(preview_, i); });
    connect(hidden_list_, &QComboBox::activated, this,
            [this] { show_piece_symbol_preview(preview_, symbox_->currentIndex()); });
    connect(player_list_, &QComboBox::activated, this, [this] { rebuild_player_default(); });
}

new_class_form::~new_class_form() = default;

QLineEdit* new_class_form::name_box(int k) const {
    return rows_->name_box(k);
}
QLineEdit* new_class_form::value_box(int k) const {
    return rows_->value_box(k);
}
QRadioButton* new_class_form::type_option(int k, int option) const {
    return rows_->type_option(k, option);
}

bool new_class_form::on_created() {
    apply_form_colour(this);
    if (symbols->piece_symbol_count <= 0) return false; // run_new_class_form refused already
    load(start_index_ < 0 ? begin_new_class() : begin_class_edit(start_index_));
    return false;
}

void new_class_form::load(const class_edit_session& s) {
    session_ = s;
    new_mode_ = s.edited < 0;
    const class_struct& c = session_.record;
    if (new_mode_) {
        ok_->setText("Save");
        another_->setEnabled(false);
        delete_->setEnabled(false);
        setWindowTitle("Enter Information and Values For the New Class");
        first_save_ = true;
    } else {
        ok_->setText("OK");
        another_->setEnabled(true);
        delete_->setEnabled(true);
        setWindowTitle("Edit Existing Class Values and Information");
        const char* const texts[5] = {
            "Class Name:", "Display Symbol:", "Facing Style:", "Owning Player:", "Hidden Symbol:"};
        for (int i = 0; i < 5; ++i) {
            step_labels_[static_cast<std::size_t>(i)]->setText(texts[i]);
            step_labels_[static_cast<std::size_t>(i)]->setStyleSheet("color: #0000c0;");
        }
    }
    namebox_->setText(mixed_to_qstring(name_of(c.name)));
    namebox_->setFocus();
    symbox_->clear();
    hidden_list_->clear();
    for (int i = 0; i < symbols->piece_symbol_count; ++i) {
        symbox_->addItem(mixed_to_qstring(symbol_name(i)));
        hidden_list_->addItem(mixed_to_qstring(symbol_name(i)));
    }
    // A symbol number equal to the count names no symbol.
    symbox_->setCurrentIndex(c.symbol >= 0 && c.symbol < symbols->piece_symbol_count ? c.symbol : 0);
    if (new_mode_ && first_save_) namebox_->setText(mixed_to_qstring(symbol_name(symbox_->currentIndex())));
    hidden_list_->addItem("Player Default");
    const bool own_hidden = !new_mode_ && c.hidden_symbol != 30000 && c.hidden_symbol >= 0 &&
                            c.hidden_symbol < symbols->piece_symbol_count;
    hidden_list_->setCurrentIndex(own_hidden ? c.hidden_symbol : hidden_list_->count() - 1);
    player_list_->clear();
    const int players = players_in_game();
    for (int p = 0; p < players; ++p)
        player_list_->addItem(mixed_to_qstring(player_display_name(p)));
    player_list_->addItem("All Players");
    player_list_->setCurrentIndex(c.owner < players ? c.owner : players);
    rebuild_player_default();
    rows_->show(game->class_value_names, session_.record.value_types);
    facing_->clear();
    facing_->addItem("No Facing/Not Used");
    for (const facing_set_struct& f : game->facing_set_array) {
        if (f.direction == 0) break;
        const char* kind = f.direction == 1 ? "(Side)" : f.direction == 2 ? "(Vertex)" : "(Both)";
        facing_->addItem(mixed_to_qstring(name_of(f.name) + kind));
    }
    facing_->setCurrentIndex(c.facing_set < facing_->count() ? c.facing_set : 0);
}

void new_class_form::rebuild_player_default() {
    const int last = hidden_list_->count() - 1;
    if (last < 0) return;
    const int owner = player_list_->currentIndex();
    const player_struct* p = owner < players_in_game() ? player_record(owner) : nullptr;
    QString text = "Player Default  (No Symbol)";
    if (p && p->default_hidden_symbol >= 0 && p->default_hidden_symbol < symbols->piece_symbol_count)
        text = "Player Default  (" + mixed_to_qstring(symbol_name(p->default_hidden_symbol)) + ")";
    hidden_list_->setItemText(last, text);
    if (p && (p->flags & player_flag_uses_hidden))
        hidden_label_->setText("Player Info set so on-board hidden pieces of this class use hidden symbol.");
}

bool new_class_form::save(bool flash_and_message) {
    value_edit edit = rows_->read();
    class_struct& c = session_.record;
    value_name names[8];
    const bool stored =
        check_and_store_values(edit, c.values, c.value_types, names, "Existing Value will be Lost!");
    rows_->show_texts(edit);
    if (!stored) return false;
    const std::string name = from_qstring(namebox_->text()).substr(0, 25);
    if (new_mode_ && class_name_in_use(name, session_.edited) &&
        message_box("Class Name Already In Use",
                    "A class with this name already exists.  While you are not prevented \n\rfrom using the "
                    "same name "
                    "for different classes, this will likely cause \n\ra great deal of confusion and is not "
                    "recommended.\n\r\n\rClick OK to save the class definition 'as-is', or Cancel to abort.",
                    box_buttons::ok_cancel, box_icon::exclamation) != box_answer::ok)
        return false;
    std::memcpy(game->class_value_names, names, sizeof names);
    set_name(c.name, name);
    c.name[25] = 0;
    c.symbol = symbox_->currentIndex();
    const int hidden = hidden_list_->currentIndex();
    c.hidden_symbol = hidden == hidden_list_->count() - 1 ? 30000 : hidden;
    const int owner = player_list_->currentIndex();
    // An owner the list does not show (nobody, 201) stays unless another one was chosen.
    if (!(c.owner == owner_nobody && owner == player_list_->count() - 1))
        c.owner = static_cast<std::uint8_t>(owner == player_list_->count() - 1 ? owner_all_players : owner);
    c.facing_set = static_cast<std::uint8_t>(std::max(0, facing_->currentIndex()));
    if (commit_class_edit(session_) < 0) {
        reject();
        return false;
    }
    if (new_mode_) {
        // The next class starts as a copy of this one, as a new record.
        session_.edited = -1;
        cancel_->setText("Quit");
        if (flash_and_message && first_save_) {
            another_->setEnabled(true);
            message_box(
                "Class Saved OK",
                "The new class information was saved successfully. \n\rYou can continue to add classes by "
                "clicking the Save \n\rbutton, or click Quit when finished. \n\r\n\rYou can also click 'Edit "
                "Another' to edit an existing \n\rclass definition.  However, afterwards you will not \n\rbe "
                "able to continue adding new classes automatically, \n\rand Quit will return you to the map "
                "screen.",
                box_buttons::ok, box_icon::information);
        }
        first_save_ = false;
    }
    return true;
}

void new_class_form::pick_another(int preselect) {
    edit_index = preselect;
    const int chosen = get_unit_class(1);
    if (chosen < 0) {
        accept();
        return;
    }
    load(begin_class_edit(chosen));
}

void run_new_class_form(int index) {
    if (symbols->piece_symbol_count <= 0) {
        message_box(
            "Symbol Error",
            "No piece symbols have been drawn for this game. \n\rYou you will need to return to the symbol "
            "editor and  \n\rdraw at least one piece symbol before you can define a class",
            box_buttons::ok, box_icon::stop);
        return;
    }
    new_class_form f(dialog_parent(), index);
    f.create_form();
    f.exec();
}

void edit_classes_command() {
    int start = last_selected_class;
    const bool usable =
        start >= 0 && static_cast<std::size_t>(start) < game->class_array.size() &&
        game->class_array[static_cast<std::size_t>(start)].symbol != class_free &&
        game->class_array[static_cast<std::size_t>(start)].symbol < symbols->piece_symbol_count;
    if (!usable) start = first_class_with_piece_symbol();
    if (start < 0) {
        run_new_class_form(-1);
        return;
    }
    edit_index = start;
    const int chosen = get_unit_class(1);
    if (chosen >= 0) open_class_editor(chosen);
}
