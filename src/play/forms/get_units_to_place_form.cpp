#include "get_units_to_place_form.h"

#include "classes/forms/edit_unit_data_form.h"
#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/value_text.h"
#include "mainwin/forms/form_colour.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/piece_actions.h"
#include "play/placement.h"
#include "players/visibility.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <cctype>

namespace {
QRect remembered_geometry;

std::string owner_name(const class_struct& c) {
    return c.owner < players_in_game() ? player_display_name(c.owner) : std::string();
}
} // namespace

get_units_to_place_form::get_units_to_place_form(QWidget* parent) : form_base(parent) {
    setObjectName("get_units_to_place_form");
    setWindowTitle("Add New Pieces to the Game");
    auto* layout = new QGridLayout(this);
    text_ = new QLineEdit(this);
    text_->setObjectName("textb_1");
    classes_ = new QListWidget(this);
    classes_->setObjectName("lb_1");
    qty_ = new QSpinBox(this);
    qty_->setObjectName("qty_to_place_box");
    qty_->setRange(0, placement_pieces_max);
    qty_->setValue(1);
    add_ = new QPushButton("ADD To List", this);
    add_->setObjectName("add_to_list_button");
    add_->setToolTip("Add current selection to the list.");
    selected_ = new QListWidget(this);
    selected_->setObjectName("units_selected_box");
    ok_ = new QPushButton("Place Now", this);
    ok_->setObjectName("ok_button");
    ok_->setToolTip("Place listed pieces on the board.");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel_button");
    cancel_->setToolTip("Do not place any pieces and return.");
    remove_last_ = new QPushButton("Remove Last", this);
    remove_last_->setObjectName("remove_last_button");
    remove_last_->setToolTip("Removes last piece selected from list.");
    clear_all_ = new QPushButton("Clear All", this);
    clear_all_->setObjectName("clear_all_button");
    clear_all_->setToolTip("Clears all pieces from list.");
    auto_edit_ = new QCheckBox("Edit each new piece's values", this);
    auto_edit_->setObjectName("auto_edit_checkbox");
    place_again_ = new QCheckBox(
        "Return to this screen immediately after placing pieces on board (without clicking the OK button).",
        this);
    place_again_->setObjectName("place_one_only");
    layout->addWidget(new QLabel(" 1.  Select Piece Class ", this), 0, 0);
    layout->addWidget(text_, 1, 0);
    layout->addWidget(classes_, 2, 0, 4, 1);
    layout->addWidget(new QLabel(" 2.  Select Quantity and ADD ", this), 0, 1);
    layout->addWidget(qty_, 1, 1);
    layout->addWidget(add_, 2, 1);
    layout->addWidget(
        new QLabel(" List To Be Placed (click to edit)   (Maximum of 100 pieces at a time)", this), 0, 2);
    layout->addWidget(selected_, 1, 2, 5, 1);
    layout->addWidget(new QLabel(" 3.  Select Action ", this), 6, 0);
    layout->addWidget(ok_, 7, 0);
    layout->addWidget(cancel_, 7, 1);
    layout->addWidget(remove_last_, 8, 0);
    layout->addWidget(clear_all_, 8, 1);
    layout->addWidget(auto_edit_, 9, 0, 1, 3);
    layout->addWidget(place_again_, 10, 0, 1, 3);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(add_, {{ClickEvent, [this](QObject*, event_data&) {
                                   on_add();
                                   return true;
                               }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  place_again_after_placing = place_again_->isChecked() ? 1 : 0;
                                  game_modified = 1;
                                  accept();
                                  return true;
                              }}});
    hook_placement_list_buttons(*this, cancel_, remove_last_, clear_all_, auto_edit_,
                                [this] { show_selected(); });
    connect(text_, &QLineEdit::textEdited, this, [this](const QString& t) {
        for (int r = 0; r < classes_->count(); ++r)
            if (!t.isEmpty() && classes_->item(r)->text().startsWith(t, Qt::CaseInsensitive)) {
                classes_->setCurrentRow(r);
                classes_->scrollToItem(classes_->item(r));
                return;
            }
    });
    connect(selected_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || static_cast<std::size_t>(row) >= placement_list.size()) return;
        qty_->setValue(placement_list[static_cast<std::size_t>(row)].count);
        const auto at = std::find(class_by_line_.begin(), class_by_line_.end(),
                                  placement_list[static_cast<std::size_t>(row)].index);
        if (at != class_by_line_.end())
            classes_->setCurrentRow(static_cast<int>(at - class_by_line_.begin()));
    });
    connect(qty_, &QSpinBox::valueChanged, this, [this](int v) {
        add_->setText(selected_->currentRow() >= 0 && v < 1 ? "REMOVE From List" : "ADD To List");
    });
    connect(classes_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int c = class_of_line(classes_->row(item));
        if (c < 0) return;
        if (placement_target >= 0 && placement_target < 60000 && placement_pool < 0) {
            // One piece of the class straight onto the hex; the list waits meanwhile.
            std::vector<placement_entry> kept = std::move(placement_list);
            placement_list = {placement_entry{1, c, 0}};
            create_placement_pieces(placement_target, false);
            placement_list = std::move(kept);
        } else {
            qty_->setValue(1);
            selected_->setCurrentRow(-1);
            on_add();
        }
    });
}

bool get_units_to_place_form::on_created() {
    apply_form_colour(this);
    if (!classes_to_place()) {
        QTimer::singleShot(0, this, [this] { reject(); });
        return false;
    }
    std::vector<std::pair<std::string, int>> lines;
    for (std::size_t i = 0; i < game->class_array.size(); ++i) {
        const class_struct& c = game->class_array[i];
        if (c.symbol == class_end) break;
        if (c.symbol == class_free || !symbols->piece_symbol(c.symbol)) continue;
        lines.emplace_back(name_of(c.name) + "   (" + format_class_values(static_cast<int>(i)) + ")  " +
                               owner_name(c),
                           static_cast<int>(i));
    }
    if (sort_classes_alphabetically)
        std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
            return QString::fromStdString(a.first).compare(QString::fromStdString(b.first),
                                                           Qt::CaseInsensitive) < 0;
        });
    for (const auto& [text, c] : lines) {
        classes_->addItem(mixed_to_qstring(text));
        class_by_line_.push_back(c);
    }
    if (classes_->count() > 0) classes_->setCurrentRow(0);
    auto_edit_->setChecked(auto_edit_new_pieces != 0);
    place_again_->setChecked(place_again_after_placing != 0);
    placement_list.clear();
    if (remembered_geometry.isValid()) setGeometry(remembered_geometry);
    show_selected();
    classes_->setFocus();
    return false;
}

int get_units_to_place_form::class_of_line(int line) const {
    return line >= 0 && static_cast<std::size_t>(line) < class_by_line_.size()
               ? class_by_line_[static_cast<std::size_t>(line)]
               : -1;
}

void get_units_to_place_form::on_add() {
    int quantity = qty_->value();
    const int row = selected_->currentRow();
    if (quantity <= 0) {
        if (row >= 0 && static_cast<std::size_t>(row) < placement_list.size())
            placement_list.erase(placement_list.begin() + row);
        qty_->setValue(1);
        show_selected();
        return;
    }
    const int c = class_of_line(classes_->currentRow());
    if (c < 0) return;
    std::int32_t total = placement_total(placement_list);
    if (row >= 0 && static_cast<std::size_t>(row) < placement_list.size())
        total -= placement_list[static_cast<std::size_t>(row)].count;
    if (total + quantity > placement_pieces_max) {
        if (total >= placement_pieces_max) {
            message_box(
                "Placement Piece Limit Exceeded",
                "The list already holds 100 pieces, the most one placement takes.  \n\rPlace them, or take "
                "some out of the list first.  ",
                box_buttons::ok, box_icon::exclamation);
            return;
        }
        message_box("Placement Piece Limit Exceeded",
                    "You have selected to place more than 100 pieces in this single action.  \n\rThe piece "
                    "quantities "
                    "have been adjusted to meet this limit.  \n\rIf you need to place more than 100 pieces, "
                    "please use "
                    "multiple placement actions.  ",
                    box_buttons::ok, box_icon::exclamation);
        quantity = placement_pieces_max - total;
    }
    if (row >= 0 && static_cast<std::size_t>(row) < placement_list.size())
        placement_list[static_cast<std::size_t>(row)] = placement_entry{quantity, c, 0};
    else
        placement_list.push_back(placement_entry{quantity, c, 0});
    show_selected();
}

void get_units_to_place_form::show_selected() {
    const QSignalBlocker quiet(selected_);
    selected_->clear();
    for (const auto& e : placement_list) {
        const class_struct& c = game->class_array[static_cast<std::size_t>(e.index)];
        selected_->addItem(mixed_to_qstring("[ " + std::to_string(e.count) + " ]    " + name_of(c.name) +
                                            "  (" + format_class_values(e.index) + ")  " + owner_name(c)));
    }
    set_buttons();
}

void get_units_to_place_form::set_buttons() {
    ok_->setEnabled(!placement_list.empty());
    remove_last_->setEnabled(!placement_list.empty());
    clear_all_->setEnabled(placement_list.size() >= 2);
    add_->setText("ADD To List");
}

void get_units_to_place_form::done(int result) {
    remembered_geometry = geometry();
    form_base::done(result);
}

void hook_placement_list_buttons(form_base& form, QPushButton* cancel, QPushButton* remove_last,
                                 QPushButton* clear_all, QCheckBox* auto_edit,
                                 std::function<void()> refresh) {
    form.set_event_handlers(cancel, {{ClickEvent, [&form](QObject*, event_data&) {
                                          placement_list.clear();
                                          form.reject();
                                          return true;
                                      }}});
    form.set_event_handlers(remove_last, {{ClickEvent, [refresh](QObject*, event_data&) {
                                               if (!placement_list.empty()) placement_list.pop_back();
                                               refresh();
                                               return true;
                                           }}});
    form.set_event_handlers(clear_all, {{ClickEvent, [refresh](QObject*, event_data&) {
                                             placement_list.clear();
                                             refresh();
                                             return true;
                                         }}});
    QObject::connect(auto_edit, &QCheckBox::toggled, &form,
                     [](bool on) { auto_edit_new_pieces = on ? 1 : 0; });
}

void install_placement_hooks() {
    placement_form_hook = [] {
        get_units_to_place_form f(dialog_parent());
        f.create_form();
        f.exec();
    };
    new_piece_editor_hook = [](int class_index) { return run_piece_editor(-1, class_index); };
    place_pieces_at_hex_hook = [](std::int32_t hex) { place_new_pieces(hex, false); };
}
