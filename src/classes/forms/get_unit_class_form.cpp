#include "get_unit_class_form.h"

#include "classes/class_editing.h"
#include "classes/forms/edit_unit_data_form.h"
#include "classes/forms/new_class_form.h"
#include "classes/forms/symbol_preview.h"
#include "data/dialog_globals.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"
#include "mainwin/forms/form_colour.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRect remembered_geometry;

bool any_live(bool cards) {
    for (const class_struct& c : game->class_array) {
        if (c.symbol == class_end) break;
        if (c.symbol != class_free && c.is_card() == cards) return true;
    }
    return false;
}

} // namespace

get_unit_class_form::get_unit_class_form(QWidget* parent, int preselect, int mode)
    : form_base(parent), preselect_(preselect), mode_(mode) {
    setObjectName("get_unit_class_form");
    setWindowTitle("Select an Existing Class");
    auto* layout = new QVBoxLayout(this);
    auto* label_1 = new QLabel("Type in the Class name:", this);
    label_1->setObjectName("label_1");
    text_ = new QLineEdit(this);
    text_->setObjectName("textb_1");
    auto* label_2 = new QLabel("Click new Class name and click Select:", this);
    label_2->setObjectName("label_2");
    list_ = new QListWidget(this);
    list_->setObjectName("lb_1");
    auto* switches = new QHBoxLayout;
    // Two switches, each in a group of its own.
    pieces_ = new QRadioButton("Piece Classes", this);
    pieces_->setObjectName("show_pieces");
    pieces_->setAutoExclusive(false);
    cards_ = new QRadioButton("Cards", this);
    cards_->setObjectName("show_cards");
    cards_->setAutoExclusive(false);
    sort_ = new QCheckBox("Sort Classes Alphabetically", this);
    sort_->setObjectName("sort_box");
    switches->addWidget(pieces_);
    switches->addWidget(cards_);
    switches->addWidget(sort_);
    auto* buttons = new QHBoxLayout;
    select_ = new QPushButton("Select", this);
    select_->setObjectName("select_button");
    done_ = new QPushButton("Done", this);
    done_->setObjectName("cancel_button");
    buttons->addWidget(select_);
    buttons->addWidget(done_);
    preview_ = new QLabel(this);
    preview_->setObjectName("pic_frame");
    preview_->setFixedSize(64, 64);
    for (QWidget* w : std::initializer_list<QWidget*>{label_1, text_, label_2, list_, preview_})
        layout->addWidget(w);
    layout->addLayout(switches);
    layout->addLayout(buttons);
    pieces_->setChecked(true);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(select_, {{ClickEvent, [this](QObject*, event_data&) {
                                      on_select();
                                      return true;
                                  }}});
    set_event_handlers(done_, {{ClickEvent, [this](QObject*, event_data&) {
                                    chosen_ = -1;
                                    reject();
                                    return true;
                                }}});
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
        show_piece_symbol_preview(
            preview_,
            game->class_array[static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)].class_index)]
                .symbol);
        selecting_ = true;
        text_->setText(mixed_to_qstring(name_of(
            game->class_array[static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)].class_index)]
                .name)));
        selecting_ = false;
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { on_select(); });
    connect(text_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!selecting_) on_typed(t);
    });
    connect(pieces_, &QRadioButton::clicked, this, [this] { build_list(); });
    connect(cards_, &QRadioButton::clicked, this, [this] { build_list(); });
    connect(sort_, &QCheckBox::clicked, this, [this](bool on) {
        sort_classes_alphabetically = on ? 1 : 0;
        build_list();
    });
}

bool get_unit_class_form::on_created() {
    apply_form_colour(this);
    if (game->class_array.empty())
        preselect_ = -1;
    else if (preselect_ < -1 || static_cast<std::size_t>(preselect_) >= game->class_array.size())
        preselect_ = 0;
    sort_->setChecked(sort_classes_alphabetically != 0);
    const bool piece_classes = any_live(false), card_classes = any_live(true);
    pieces_->setEnabled(piece_classes);
    if (!piece_classes) pieces_->setChecked(false);
    cards_->setEnabled(card_classes);
    if (!card_classes) cards_->setChecked(false);
    if (!piece_classes && card_classes) cards_->setChecked(true);
    if (mode_ == 1) setWindowTitle("Select Class to Edit");
    if (mode_ == 2) setWindowTitle("Select New Class For Piece");
    if (remembered_geometry.isValid()) setGeometry(remembered_geometry);
    build_list();
    const int shown = preselect_ >= 0 ? preselect_ : last_selected_class;
    if (shown >= 0 && static_cast<std::size_t>(shown) < game->class_array.size()) {
        selecting_ = true;
        text_->setText(mixed_to_qstring(name_of(game->class_array[static_cast<std::size_t>(shown)].name)));
        selecting_ = false;
    }
    text_->setFocus();
    return false;
}

void get_unit_class_form::build_list() {
    rows_ = class_picker_rows(pieces_->isChecked(), cards_->isChecked(), sort_classes_alphabetically != 0);
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const auto& r : rows_)
        list_->addItem(mixed_to_qstring(r.text));
    if (rows_.empty()) return;
    int row = sort_position_of_class(preselect_);
    if (row < 0) row = static_cast<int>(rows_.size()) - 1;
    list_->setCurrentRow(row);
    list_->scrollToItem(list_->item(std::max(0, row - 3)), QAbstractItemView::PositionAtTop);
    show_piece_symbol_preview(
        preview_,
        game->class_array[static_cast<std::size_t>(rows_[static_cast<std::size_t>(row)].class_index)].symbol);
}

void get_unit_class_form::on_typed(const QString& text) {
    const QSignalBlocker quiet(list_);
    for (int r = 0; r < list_->count(); ++r)
        if (!text.isEmpty() && list_->item(r)->text().startsWith(text, Qt::CaseInsensitive)) {
            list_->setCurrentRow(r);
            list_->scrollToItem(list_->item(r));
            return;
        }
    // Nothing begins so: no row stays chosen, and Select asks about a new class.
    list_->setCurrentRow(-1);
}

void get_unit_class_form::on_select() {
    const int row = list_->currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) < rows_.size()) {
        chosen_ = rows_[static_cast<std::size_t>(row)].class_index;
        last_selected_class = chosen_;
        accept();
        return;
    }
    const std::string typed = from_qstring(text_->text());
    if (typed.empty()) {
        chosen_ = -1;
        accept();
        return;
    }
    if (message_box("Class:  " + typed + "  Not Found.", "Do you want to make this\n\r a new class?",
                    box_buttons::yes_no, box_icon::question) != box_answer::yes)
        return;
    const int made = add_class();
    if (made < 0) return; // add_class said why; nothing is chosen
    class_struct& c = game->class_array[static_cast<std::size_t>(made)];
    set_name(c.name, typed.substr(0, 25));
    c.name[25] = 0;
    // A reused free record is made live with the first piece symbol.
    if (c.symbol == class_free || c.symbol < 0 || c.symbol >= symbols->piece_symbol_count) c.symbol = 0;
    chosen_ = made;
    last_selected_class = made;
    accept();
}

void get_unit_class_form::done(int result) {
    remembered_geometry = geometry();
    form_base::done(result);
}

int run_class_picker(int mode) {
    const int preselect = edit_index;
    edit_index = -1;
    if (first_class_with_piece_symbol() < 0 && !any_live(true)) {
        run_new_class_form(-1);
        return -1;
    }
    get_unit_class_form f(dialog_parent(), preselect, mode);
    f.create_form();
    f.exec();
    edit_index = f.chosen();
    return edit_index;
}

void install_class_form_hooks() {
    get_unit_class_hook = [](int mode) { return run_class_picker(mode); };
    class_editor_hook = [](int index) { run_new_class_form(index); };
    piece_editor_hook = [](int piece) { run_piece_editor(piece); };
}
