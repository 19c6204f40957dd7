#include "edit_flip_def.h"

#include "classes/class_editing.h"
#include "classes/flips.h"
#include "classes/forms/symbol_preview.h"
#include "data/options.h"
#include "data/records.h"
#include "data/value_text.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/piece_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cctype>

namespace {
QRect remembered_geometry;

std::string row_text(int c) {
    return name_of(game->class_array[static_cast<std::size_t>(c)].name) +
           (flip_defined_for(c) ? " (Flip Defined)" : "");
}
} // namespace

edit_flip_def::edit_flip_def(QWidget* parent_widget, int parent) : form_base(parent_widget) {
    setObjectName("edit_flip_def");
    setWindowTitle("Edit Auto-Flip Definitions");
    auto* layout = new QGridLayout(this);
    auto side = [this, layout](const char* group, const char* title, int column, QComboBox*& box,
                               QLabel*& vals, QLabel*& picture, const char* box_name, const char* vals_name,
                               const char* pic_name) {
        auto* g = new QGroupBox(title, this);
        g->setObjectName(group);
        auto* gl = new QGridLayout(g);
        box = new QComboBox(g);
        box->setObjectName(box_name);
        vals = new QLabel(g);
        vals->setObjectName(vals_name);
        picture = new QLabel(g);
        picture->setObjectName(pic_name);
        picture->setFixedSize(64, 64);
        gl->addWidget(box, 0, 0);
        gl->addWidget(vals, 1, 0);
        gl->addWidget(picture, 0, 1, 2, 1);
        layout->addWidget(g, 0, column);
    };
    side("groupb_1", " Parent ", 0, parent_box_, parent_vals_, parent_picture_, "parent_box", "parent_vals",
         "parent_picture");
    side("groupb_2", " Flip To ", 1, flip_box_, flip_vals_, flip_picture_, "flip_box", "flip_vals",
         "flip_picture");
    reciprocal_ = new QCheckBox(
        "Automatically create reciprocal definition (if A flips to B, then B also flips to A)", this);
    reciprocal_->setObjectName("checkbox_1");
    layout->addWidget(reciprocal_, 1, 0, 1, 2);
    save_exit_ = new QPushButton(" Save and  Exit", this);
    save_exit_->setObjectName("save_button");
    save_ = new QPushButton("  Save and    Continue", this);
    save_->setObjectName("save");
    done_ = new QPushButton("Done", this);
    done_->setObjectName("cancel_button");
    layout->addWidget(save_exit_, 2, 0);
    layout->addWidget(save_, 2, 1);
    layout->addWidget(done_, 3, 0, 1, 2);
    fill();
    // The given class by its row, not its index used as a row.
    int row = row_of(parent);
    if (row < 0) row = row_of(last_selected_class);
    parent_box_->setCurrentIndex(std::max(0, row));
    const int chosen_parent = class_at(parent_box_);
    int flip_row = -1;
    for (const flip_struct& f : game->flip_array) {
        if (f.parent == class_end) break;
        if (f.parent == chosen_parent) {
            flip_row = row_of(f.flip_class);
            break;
        }
    }
    if (flip_row < 0) flip_row = row_of(last_selected_class);
    flip_box_->setCurrentIndex(std::max(0, flip_row));
    show_sides();

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   if (remembered_geometry.isValid()) setGeometry(remembered_geometry);
                                   return false;
                               }}});
    connect(parent_box_, &QComboBox::currentIndexChanged, this, [this] { show_sides(); });
    connect(flip_box_, &QComboBox::currentIndexChanged, this, [this] { show_sides(); });
    set_event_handlers(save_, {{ClickEvent, [this](QObject*, event_data&) {
                                    on_save();
                                    return true;
                                }}});
    set_event_handlers(save_exit_, {{ClickEvent, [this](QObject*, event_data&) {
                                         on_save();
                                         accept();
                                         return true;
                                     }}});
    set_event_handlers(done_, {{ClickEvent, [this](QObject*, event_data&) {
                                    accept();
                                    return true;
                                }}});
}

void edit_flip_def::fill() {
    classes_.clear();
    for (std::size_t i = 0; i < game->class_array.size(); ++i) {
        const class_struct& c = game->class_array[i];
        if (c.symbol == class_end) break;
        if (c.symbol != class_free) classes_.push_back(static_cast<int>(i));
    }
    if (sort_classes_alphabetically)
        std::stable_sort(classes_.begin(), classes_.end(), [](int a, int b) {
            std::string x = name_of(game->class_array[static_cast<std::size_t>(a)].name),
                        y = name_of(game->class_array[static_cast<std::size_t>(b)].name);
            for (char& ch : x)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            for (char& ch : y)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            return x < y;
        });
    for (QComboBox* box : {parent_box_, flip_box_}) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (int c : classes_)
            box->addItem(mixed_to_qstring(row_text(c)));
    }
}

int edit_flip_def::row_of(int class_index) const {
    const auto at = std::find(classes_.begin(), classes_.end(), class_index);
    return at == classes_.end() ? -1 : static_cast<int>(at - classes_.begin());
}

int edit_flip_def::class_at(const QComboBox* box) const {
    const int row = box->currentIndex();
    return row >= 0 && static_cast<std::size_t>(row) < classes_.size()
               ? classes_[static_cast<std::size_t>(row)]
               : -1;
}

void edit_flip_def::show_sides() {
    const int p = class_at(parent_box_), f = class_at(flip_box_);
    parent_vals_->setText(mixed_to_qstring(format_class_values(p)));
    flip_vals_->setText(mixed_to_qstring(format_class_values(f)));
    show_piece_symbol_preview(parent_picture_,
                              p >= 0 ? game->class_array[static_cast<std::size_t>(p)].symbol : -1);
    show_piece_symbol_preview(flip_picture_,
                              f >= 0 ? game->class_array[static_cast<std::size_t>(f)].symbol : -1);
}

void edit_flip_def::on_save() {
    const int p = class_at(parent_box_), f = class_at(flip_box_);
    if (!add_flip_definition(p, f)) return;
    if (reciprocal_->isChecked()) add_flip_definition(f, p);
    const int pr = parent_box_->currentIndex(), fr = flip_box_->currentIndex();
    fill();
    parent_box_->setCurrentIndex(pr);
    flip_box_->setCurrentIndex(fr);
    done_->setText("Done");
}

void edit_flip_def::done(int result) {
    remembered_geometry = geometry();
    form_base::done(result);
}

void install_flip_hooks() {
    edit_flip_def_hook = [](int parent) {
        edit_flip_def f(dialog_parent(), parent);
        f.create_form();
        f.exec();
    };
    flip_pieces_hook = [](std::span<const std::int32_t> pieces, bool forward) {
        flip_pieces(pieces.data(), pieces.size(), forward);
    };
}
