#include "los_settings_forms.h"

#include "data/game_settings.h"
#include "data/records.h"
#include "data/symbols.h"
#include "mainwin/forms/form_colour.h"
#include "platform/boxes.h"
#include "platform/choosers.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace {

// The largest number a two-digit field of the saved game holds.
constexpr int stored_number_max = 62499;
// Ranges the terrain values keep, all of which the file holds (no negative value).
constexpr int terrain_value_max = 9999;

QSpinBox* spin(QWidget* parent, const char* name, int low, int high) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(low, high);
    return s;
}

QPushButton* button(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

los_settings_form::los_settings_form(QWidget* parent) : form_base(parent) {
    setObjectName("los_settings_form");
    setWindowTitle("LOS Characteristics");
    auto* layout = new QVBoxLayout(this);
    auto* g1 = new QGroupBox("Blocking and Range", this);
    g1->setObjectName("groupb_1");
    auto* l1 = new QGridLayout(g1);
    points_ = spin(g1, "points_to_block_ud", 0, terrain_value_max);
    range_ = spin(g1, "range_ud", 0, terrain_value_max);
    range_text_ = new QLineEdit(g1);
    range_text_->setObjectName("range");
    range_text_->setReadOnly(true);
    degrade_ = new QCheckBox("Degrade for range", g1);
    degrade_->setObjectName("degrade");
    l1->addWidget(new QLabel("Points to block LOS:", g1), 0, 0);
    l1->addWidget(points_, 0, 1);
    l1->addWidget(new QLabel("Maximum range (hexes):", g1), 1, 0);
    l1->addWidget(range_, 1, 1);
    l1->addWidget(range_text_, 1, 2);
    l1->addWidget(degrade_, 2, 0, 1, 3);
    auto* g2 = new QGroupBox("Elevations", this);
    g2->setObjectName("groupb_2");
    auto* l2 = new QGridLayout(g2);
    elevation_ = new QLineEdit(g2);
    elevation_->setObjectName("elev_text");
    smoothing_ = new QCheckBox("Smooth the ground between level changes", g2);
    smoothing_->setObjectName("smoothing");
    cliff_ = spin(g2, "cliff_ud", 0, terrain_value_max);
    l2->addWidget(new QLabel("Each elevation level is:", g2), 0, 0);
    l2->addWidget(elevation_, 0, 1);
    l2->addWidget(smoothing_, 1, 0, 1, 2);
    l2->addWidget(new QLabel("Cliff at a level step of:", g2), 2, 0);
    l2->addWidget(cliff_, 2, 1);
    auto* g3 = new QGroupBox("Hex Size", this);
    g3->setObjectName("groupb_3");
    auto* l3 = new QGridLayout(g3);
    hex_size_ = new QLineEdit(g3);
    hex_size_->setObjectName("hex_size_text");
    hex_units_ = new QLineEdit(g3);
    hex_units_->setObjectName("hex_units_text");
    l3->addWidget(new QLabel("Size of a hex:", g3), 0, 0);
    l3->addWidget(hex_size_, 0, 1);
    l3->addWidget(hex_units_, 0, 2);
    ok_ = button(this, "ok_button", "OK");
    cancel_ = button(this, "cancel", "Cancel");
    for (QWidget* w : std::initializer_list<QWidget*>{g1, g2, g3, ok_, cancel_})
        layout->addWidget(w);

    const los_settings_struct& s = los_settings;
    points_->setValue(std::clamp<std::int32_t>(s.points_to_block, 0, terrain_value_max));
    range_->setValue(s.maximum_range < 1 ? 0 : std::min<std::int32_t>(s.maximum_range, terrain_value_max));
    auto show_range = [this] {
        range_text_->setText(range_->value() == 0 ? QString("Unlimited") : QString::number(range_->value()));
    };
    show_range();
    connect(range_, &QSpinBox::valueChanged, this, show_range);
    degrade_->setChecked(s.degrade_for_range != 0);
    elevation_->setText(to_qstring(name_of(s.elevation_level_text)));
    hex_size_->setText(s.hex_size > 0 ? QString::number(s.hex_size) : QString());
    hex_units_->setText(to_qstring(name_of(s.hex_units)));
    smoothing_->setChecked(s.ground_smoothing != 0);
    cliff_->setValue(std::clamp<std::int32_t>(s.cliff_elevation, 0, terrain_value_max));

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  if (apply_los_settings()) accept();
                                  return true;
                              }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
}

bool los_settings_form::apply_los_settings() {
    const std::string elevation = from_qstring(elev_text()->text());
    const std::string units = from_qstring(hex_units_->text());
    const std::string size_text = from_qstring(hex_size_->text());
    constexpr std::size_t units_max = sizeof(los_settings.hex_units) - 1;
    constexpr std::size_t elevation_max = sizeof(los_settings.elevation_level_text) - 1;
    int size = 0;
    if (!size_text.empty()) {
        const bool digits =
            std::all_of(size_text.begin(), size_text.end(), [](char c) { return c >= '0' && c <= '9'; });
        size = digits && size_text.size() <= 5 ? std::stoi(size_text) : -1;
    }
    if (size < 0 || size > stored_number_max) {
        message_box("Hex Size Error", "The hex size must be a whole number from 0 to 62499.", box_buttons::ok,
                    box_icon::exclamation);
        return false;
    }
    if (units.size() > units_max) {
        message_box("Hex Units Error", "The hex units may hold at most 9 characters.", box_buttons::ok,
                    box_icon::exclamation);
        return false;
    }
    if (elevation.size() > elevation_max) {
        message_box("Elevation Text Error", "The elevation text may hold at most 19 characters.",
                    box_buttons::ok, box_icon::exclamation);
        return false;
    }
    los_settings_struct& s = los_settings;
    s.points_to_block = std::max(1, points_->value());
    s.maximum_range = range_->value() == 0 ? -1 : range_->value();
    s.degrade_for_range = degrade_->isChecked() ? 1 : 0;
    set_name(s.elevation_level_text, elevation);
    s.hex_size = size;
    set_name(s.hex_units, units);
    s.ground_smoothing = smoothing_->isChecked() ? 1 : 0;
    s.cliff_elevation = cliff_->value();
    game_modified = 1;
    return true;
}

// The terrain values.

los_terrain_vals_form::los_terrain_vals_form(QWidget* parent)
    : form_base(parent), working_(terrain_los_array) {
    setObjectName("los_terrain_vals_form");
    setWindowTitle("Terrain LOS Values");
    auto* layout = new QGridLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName("terrain_list");
    for (std::size_t t = 0; t < working_.size(); ++t) {
        const symbol_struct* s = symbols->terrain_symbol(static_cast<std::int64_t>(t));
        list_->addItem(s ? to_qstring(name_of(s->name)) : QString("Terrain %1").arg(t));
    }
    picture_ = new QLabel(this);
    picture_->setFixedSize(64, 64);
    layout->addWidget(list_, 0, 0, 8, 1);
    layout->addWidget(picture_, 0, 1);
    ground_ = spin(this, "gl_ud", 0, terrain_value_max);
    height_ = spin(this, "agl_ud", 0, terrain_value_max);
    block_ = spin(this, "blockpts_ud", 0, terrain_value_max);
    spot_ = spin(this, "spot_percent_ud", 0, 100);
    target_ = spin(this, "tgt_percent_ud", 0, 100);
    block_label_ = new QLabel(this);
    const std::pair<const char*, QSpinBox*> rows[] = {{"Ground Level", ground_},
                                                      {"Height Above Ground", height_},
                                                      {nullptr, block_},
                                                      {"Percent When Spotting", spot_},
                                                      {"Percent When Target", target_}};
    int r = 1;
    for (const auto& [text, box] : rows) {
        layout->addWidget(text ? new QLabel(text, this) : block_label_, r, 1);
        layout->addWidget(box, r++, 2);
    }
    auto* note = new QLabel(mixed_to_qstring("Note: Each elevation level represents " +
                                             name_of(los_settings.elevation_level_text)),
                            this);
    layout->addWidget(note, r++, 1, 1, 2);
    colour_ = button(this, "change_color", "Change Color");
    last_ = button(this, "last", "Last");
    next_ = button(this, "next", "Next");
    reset_ = button(this, "reset", "Reset");
    reset_all_ = button(this, "reset_all", "Reset All");
    edit_los_ = button(this, "edit_los", "LOS Characteristics");
    ok_ = button(this, "ok_button", "OK");
    cancel_ = button(this, "cancel", "Cancel");
    int c = 0;
    for (QPushButton* b : {colour_, last_, next_, reset_, reset_all_, edit_los_, ok_, cancel_})
        layout->addWidget(b, 8 + c / 4, 1 + c % 4), ++c;
    set_block_label();

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        keep_shown();
        show_terrain(row);
    });
    for (QSpinBox* s : {ground_, height_, block_, spot_, target_})
        connect(s, &QSpinBox::valueChanged, this, [this] { keep_shown(); });
    auto on_click = [this](QPushButton* b, std::function<void()> f) {
        set_event_handlers(b, {{ClickEvent, [f](QObject*, event_data&) {
                                    f();
                                    return true;
                                }}});
    };
    on_click(last_, [this] {
        if (shown_ > 0) list_->setCurrentRow(shown_ - 1);
    });
    on_click(next_, [this] {
        if (shown_ + 1 < list_->count()) list_->setCurrentRow(shown_ + 1);
    });
    on_click(reset_, [this] {
        if (shown_ < 0 || static_cast<std::size_t>(shown_) >= terrain_los_array.size()) return;
        working_[static_cast<std::size_t>(shown_)] = terrain_los_array[static_cast<std::size_t>(shown_)];
        show_terrain(shown_);
    });
    on_click(reset_all_, [this] {
        if (message_box("Action Verification",
                        "Are you sure you want to reset all the terrain \n\rLOS values to those last saved?",
                        box_buttons::ok_cancel, box_icon::question) != box_answer::ok)
            return;
        working_ = terrain_los_array;
        show_terrain(shown_);
    });
    on_click(colour_, [this] {
        if (shown_ < 0) return;
        auto& t = working_[static_cast<std::size_t>(shown_)];
        if (auto c2 = choose_colour("Terrain Display Color",
                                    {t.display_colour[0], t.display_colour[1], t.display_colour[2]}))
            for (int k = 0; k < 3; ++k)
                t.display_colour[k] = (*c2)[static_cast<std::size_t>(k)];
    });
    on_click(edit_los_, [this] {
        los_settings_form f(this);
        f.create_form();
        f.exec();
        set_block_label();
    });
    on_click(ok_, [this] {
        keep_shown();
        const bool raised = std::any_of(working_.begin(), working_.end(),
                                        [](const terrain_los_struct& t) { return t.ground_level > 0; });
        if (!los_settings.terrain_ground_levels_in_use && raised) {
            if (message_box(
                    "Replace Map Elevations with Terrain?",
                    "One or more terrain types was given a base elevation greater then zero.  \n\rIf you "
                    "click OK to continue, terrain elevations will replace any elevations \n\rentered as "
                    "part "
                    "of the map. \n\r\n\rContinue?",
                    box_buttons::ok_cancel, box_icon::question) != box_answer::ok)
                return;
            los_settings.terrain_ground_levels_in_use = 1;
        }
        terrain_los_array = working_;
        game_settings.use_elevations = 1;
        game_modified = 1;
        accept();
    });
    on_click(cancel_, [this] { reject(); });
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   if (list_->count() > 0) list_->setCurrentRow(0);
                                   return false;
                               }}});
}

void los_terrain_vals_form::set_block_label() {
    block_label_->setText(QString("Block Points   (%1 points block LOS.)").arg(los_settings.points_to_block));
}

void los_terrain_vals_form::keep_shown() {
    if (shown_ < 0 || static_cast<std::size_t>(shown_) >= working_.size()) return;
    terrain_los_struct& t = working_[static_cast<std::size_t>(shown_)];
    t.ground_level = ground_->value();
    t.height_above_ground = height_->value();
    t.block_points = block_->value();
    t.percent_when_spotting = spot_->value();
    t.percent_when_target = target_->value();
}

void los_terrain_vals_form::show_terrain(int terrain) {
    if (terrain < 0 || static_cast<std::size_t>(terrain) >= working_.size()) return;
    shown_ = -1; // the boxes are filled, not edited
    const terrain_los_struct& t = working_[static_cast<std::size_t>(terrain)];
    auto put = [](QSpinBox* s, std::int32_t v) {
        const QSignalBlocker quiet(s);
        s->setValue(std::clamp<std::int32_t>(v, s->minimum(), s->maximum()));
    };
    put(ground_, t.ground_level);
    put(height_, t.height_above_ground);
    put(block_, t.block_points);
    put(spot_, t.percent_when_spotting);
    put(target_, t.percent_when_target);
    shown_ = terrain;
}

void run_los_settings_form() {
    los_settings_form f(dialog_parent());
    f.create_form();
    f.exec();
}

void run_los_terrain_vals_form() {
    los_terrain_vals_form f(dialog_parent());
    f.create_form();
    f.exec();
}
