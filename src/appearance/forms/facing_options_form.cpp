#include "facing_options_form.h"

#include "appearance/facing.h"
#include "data/records.h"
#include "data/symbols.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/form_colour.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace {

constexpr const char* colour_names[colour_choice_count] = {
    "Black",   "Blue",   "Brown",      "Cyan",       "Dark Blue",   "Dark Red",
    "Gray",    "Green",  "Light Blue", "Light Gray", "Light Green", "Light Red",
    "Magenta", "Orange", "Red",        "White",      "Yellow"};

QColor table_colour(int i) {
    return QColor(colour_table[i][0], colour_table[i][1], colour_table[i][2]);
}

int choice_of_name(const char* name) {
    for (int i = 0; i < colour_choice_count; ++i)
        if (std::string_view(colour_names[i]) == name) return i;
    return 0;
}

std::string lower_case(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

facing_options_form::facing_options_form(QWidget* parent) : form_base(parent) {
    setObjectName("facing_options_form");
    setWindowTitle("Facing Styles");
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Style Name:", this), 0, 0);
    name_ = new QComboBox(this);
    name_->setObjectName("set_name");
    name_->setEditable(true);
    layout->addWidget(name_, 0, 1, 1, 3);
    const char* direction_names[3][2] = {
        {"hexside_b", "Flat Sides"}, {"vertex_b", "Vertex (Angles)"}, {"both_b", "Both (Side + Vertex)"}};
    auto* directions = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        auto* b = new QRadioButton(direction_names[k][1], this);
        b->setObjectName(direction_names[k][0]);
        directions->addButton(b);
        directions_[static_cast<std::size_t>(k)] = b;
        layout->addWidget(b, 1 + k, 0);
    }
    const char* style_names[5][2] = {{"no_b", "None"},
                                     {"edge_b", "Piece Edge"},
                                     {"offset_b", "Offset Arrow "},
                                     {"overlay_b", "Overlay Arrow"},
                                     {"hexedge_b", "Hex Edge"}};
    auto* styles = new QButtonGroup(this);
    for (int k = 0; k < 5; ++k) {
        auto* b = new QRadioButton(style_names[k][1], this);
        b->setObjectName(style_names[k][0]);
        styles->addButton(b);
        styles_[static_cast<std::size_t>(k)] = b;
        layout->addWidget(b, 1 + k, 1);
    }
    layout->addWidget(new QLabel("Fill Color:", this), 1, 2);
    fill_ = new QComboBox(this);
    fill_->setObjectName("combo_1");
    layout->addWidget(new QLabel("Outline Color:", this), 2, 2);
    outline_ = new QComboBox(this);
    outline_->setObjectName("combo_2");
    for (const char* n : colour_names) {
        fill_->addItem(n);
        outline_->addItem(n);
    }
    layout->addWidget(fill_, 1, 3);
    layout->addWidget(outline_, 2, 3);
    colour_preview_ = new QLabel(this);
    colour_preview_->setFixedSize(40, 24);
    layout->addWidget(colour_preview_, 3, 3);
    layout->addWidget(
        new QLabel("Size is set in pixels for each zoom level.  A size of zero causes no symbol to be "
                   "drawn. (Maximum size = 40)",
                   this),
        6, 0, 1, 4);
    for (int z = 0; z < 3; ++z) {
        QSpinBox*& s = sizes_[static_cast<std::size_t>(z)];
        s = new QSpinBox(this);
        s->setObjectName(QString("updown_%1").arg(z + 1));
        s->setRange(0, 40);
        QLabel*& t = size_texts_[static_cast<std::size_t>(z)];
        t = new QLabel(this);
        t->setObjectName(QString("z%1_sizes").arg(z + 1));
        QLabel*& p = previews_[static_cast<std::size_t>(z)];
        p = new QLabel(this);
        p->setFixedSize(60, 60);
        layout->addWidget(new QLabel(QString("Zoom %1:").arg(z + 1), this), 7 + z, 0);
        layout->addWidget(s, 7 + z, 1);
        layout->addWidget(t, 7 + z, 2);
        layout->addWidget(p, 7 + z, 3);
        int smallest = 0, largest = 0;
        for (std::int32_t k = 0; k < symbols->piece_symbol_count; ++k)
            if (const symbol_struct* ps = symbols->piece_symbol(k)) {
                const int w = symbol_extent(ps->left[z], ps->right[z]);
                if (w <= 0) continue;
                smallest = smallest == 0 ? w : std::min(smallest, w);
                largest = std::max(largest, w);
            }
        t->setText(
            QString("Hex:  %1\nPiece: ").arg(symbols->hex_size_by_zoom[z]) +
            (largest > 0 ? QString("%1 - %2").arg(smallest).arg(largest) : QString("Pieces:  (None)")));
        connect(s, &QSpinBox::valueChanged, this, [this] { draw_previews(); });
    }
    all_classes_ =
        new QCheckBox("If this box is checked, all classes will be set to use the currently selected "
                      "facing style when 'OK' is clicked.",
                      this);
    all_classes_->setObjectName("checkbox_1");
    layout->addWidget(all_classes_, 10, 0, 1, 4);
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok_button");
    ok_->setToolTip("Save this set and return.");
    add_new_ = new QPushButton("Add As New", this);
    add_new_->setObjectName("cb_2");
    add_new_->setToolTip("Save this set information, and add/edit another.");
    defaults_ = new QPushButton("Restore Defaults", this);
    defaults_->setObjectName("cb_3");
    defaults_->setToolTip("Return set values to the defaults.");
    exit_ = new QPushButton("Exit", this);
    exit_->setObjectName("cb_4");
    exit_->setToolTip("Do not save this set, and return.");
    int c = 0;
    for (QPushButton* b : {ok_, add_new_, defaults_, exit_})
        layout->addWidget(b, 11, c++);

    for (QAbstractButton* b : directions->buttons())
        connect(b, &QAbstractButton::toggled, this, [this] { draw_previews(); });
    for (QAbstractButton* b : styles->buttons())
        connect(b, &QAbstractButton::toggled, this, [this] { draw_previews(); });
    connect(fill_, &QComboBox::currentIndexChanged, this, [this] { draw_previews(); });
    connect(outline_, &QComboBox::currentIndexChanged, this, [this] { draw_previews(); });
    connect(name_, &QComboBox::activated, this, [this](int row) { show_set(row); });

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(
        ok_,
        {{ClickEvent, [this](QObject*, event_data&) {
              const int set = store(true);
              if (set >= 0 && all_classes_->isChecked() &&
                  message_box("Confirm Change",
                              "Confirm changing all classes to use facing: " +
                                  name_of(game->facing_set_array[static_cast<std::size_t>(set)].name) + "?  ",
                              box_buttons::ok_cancel, box_icon::question) == box_answer::ok) {
                  const std::size_t end = class_end_index();
                  for (std::size_t k = 0; k < end; ++k)
                      game->class_array[k].facing_set = static_cast<std::uint8_t>(set + 1);
                  game_modified = 1;
              }
              accept();
              return true;
          }}});
    set_event_handlers(
        add_new_,
        {{ClickEvent, [this](QObject*, event_data&) {
              // A set of that name is there already: a new one may not take it.
              if (named_set() >= 0) {
                  message_box("Duplicate Facing Style",
                              "A facing style of this name has already been defined.\n\r"
                              "Give the new style a name of its own.",
                              box_buttons::ok, box_icon::exclamation);
                  return true;
              }
              const int set = store(false);
              if (set < 0) {
                  reject();
                  return true;
              }
              name_->addItem(to_qstring(name_of(game->facing_set_array[static_cast<std::size_t>(set)].name)));
              return true;
          }}});
    set_event_handlers(defaults_, {{ClickEvent, [this](QObject*, event_data&) {
                                        name_->setEditText("Default");
                                        directions_[0]->setChecked(true);
                                        styles_[1]->setChecked(true);
                                        fill_->setCurrentIndex(choice_of_name("Yellow"));
                                        outline_->setCurrentIndex(choice_of_name("Red"));
                                        sizes_[0]->setValue(0);
                                        sizes_[1]->setValue(4);
                                        sizes_[2]->setValue(8);
                                        return true;
                                    }}});
    set_event_handlers(exit_, {{ClickEvent, [this](QObject*, event_data&) {
                                    reject();
                                    return true;
                                }}});
}

bool facing_options_form::on_created() {
    if (game->class_array.empty()) {
        QMetaObject::invokeMethod(
            this, [this] { reject(); }, Qt::QueuedConnection);
        return false;
    }
    apply_form_colour(this);
    const int n = facing_set_count();
    for (int k = 0; k < n; ++k)
        name_->addItem(to_qstring(name_of(game->facing_set_array[static_cast<std::size_t>(k)].name)));
    if (n > 0) {
        name_->setCurrentIndex(0);
        show_set(0);
    } else {
        directions_[0]->setChecked(true);
        styles_[0]->setChecked(true);
    }
    draw_previews();
    return false;
}

void facing_options_form::show_set(int index) {
    if (index < 0 || index >= facing_set_count()) return;
    const facing_set_struct& s = game->facing_set_array[static_cast<std::size_t>(index)];
    directions_[static_cast<std::size_t>(std::clamp<int>(s.direction, 1, 3) - 1)]->setChecked(true);
    styles_[static_cast<std::size_t>(std::min<int>(s.style, 4))]->setChecked(true);
    fill_->setCurrentIndex(colour_index_to_choice(s.fill_colour));
    outline_->setCurrentIndex(colour_index_to_choice(s.outline_colour));
    for (int z = 0; z < 3; ++z)
        sizes_[static_cast<std::size_t>(z)]->setValue(std::min<int>(s.size[z], 40));
    draw_previews();
}

void facing_options_form::draw_previews() {
    const QColor fill = table_colour(colour_choice_to_index(fill_->currentIndex()));
    const QColor outline = table_colour(colour_choice_to_index(outline_->currentIndex()));
    QPixmap swatch(colour_preview_->size());
    swatch.fill(Qt::white);
    {
        QPainter p(&swatch);
        p.setPen(outline);
        p.setBrush(fill);
        p.drawRect(4, 4, swatch.width() - 9, swatch.height() - 9);
    }
    colour_preview_->setPixmap(swatch);
    const bool none = styles_[0]->isChecked();
    for (int z = 0; z < 3; ++z) {
        QLabel* label = previews_[static_cast<std::size_t>(z)];
        QPixmap pic(label->size());
        pic.fill(QColor(192, 192, 192));
        const int size = sizes_[static_cast<std::size_t>(z)]->value(), cx = pic.width() / 2,
                  cy = pic.height() / 2;
        if (!none) {
            const auto outline_points = styles_[1]->isChecked()
                                            ? build_facing_polygon(cx, cy + size / 2, size, 1, 1)
                                            : build_facing_polygon(cx + size / 2, cy, size, 2, 2);
            QPolygon poly;
            for (const canvas_point& pt : outline_points)
                poly << QPoint(pt.x, pt.y);
            QPainter p(&pic);
            p.setPen(outline);
            p.setBrush(fill);
            p.drawPolygon(poly);
        }
        label->setPixmap(pic);
    }
}

int facing_options_form::named_set() const {
    const std::string wanted = lower_case(from_qstring(name_->currentText()));
    const int n = facing_set_count();
    for (int k = 0; k < n; ++k)
        if (lower_case(name_of(game->facing_set_array[static_cast<std::size_t>(k)].name)) == wanted) return k;
    return -1;
}

int facing_options_form::store(bool ask_before_changing) {
    int set = named_set();
    if (set < 0) {
        set = add_facing_set();
        if (set < 0) {
            message_box("Operation Error", "Can't add a new facing definition.\n\rOperation aborted.",
                        box_buttons::ok, box_icon::stop);
            return -1;
        }
    } else if (ask_before_changing &&
               message_box("Confirm Change", "Confirm changing this existing facing style's values?",
                           box_buttons::ok_cancel, box_icon::question) != box_answer::ok) {
        return -1;
    }
    facing_set_struct& s = game->facing_set_array[static_cast<std::size_t>(set)];
    ::set_name(s.name, from_qstring(name_->currentText()).substr(0, sizeof(s.name) - 1));
    s.direction = static_cast<std::uint8_t>(directions_[2]->isChecked()   ? 3
                                            : directions_[1]->isChecked() ? 2
                                                                          : 1);
    std::uint8_t style = 0;
    for (int k = 0; k < 5; ++k)
        if (styles_[static_cast<std::size_t>(k)]->isChecked()) style = static_cast<std::uint8_t>(k);
    s.style = style;
    s.fill_colour = static_cast<std::uint8_t>(colour_choice_to_index(fill_->currentIndex()));
    s.outline_colour = static_cast<std::uint8_t>(colour_choice_to_index(outline_->currentIndex()));
    for (int z = 0; z < 3; ++z)
        s.size[z] = static_cast<std::uint8_t>(sizes_[static_cast<std::size_t>(z)]->value());
    game_modified = 1;
    return set;
}

void run_facing_options_form() {
    facing_options_form f(dialog_parent());
    f.create_form();
    f.exec();
}
