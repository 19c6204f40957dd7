// The line-of-sight rules of a game ("LOS Characteristics") and the LOS values of each terrain
// ("Terrain LOS Values").
#pragma once

#include "data/los_settings.h"
#include "platform/form.h"

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

class los_settings_form : public form_base {
    Q_OBJECT
public:
    explicit los_settings_form(QWidget* parent);
    QSpinBox* points_to_block_ud() const { return points_; }
    QSpinBox* range_ud() const { return range_; }
    QLineEdit* range_text() const { return range_text_; }
    QCheckBox* degrade() const { return degrade_; }
    QLineEdit* elev_text() const { return elevation_; }
    QCheckBox* smoothing() const { return smoothing_; }
    QSpinBox* cliff_ud() const { return cliff_; }
    QLineEdit* hex_size_text() const { return hex_size_; }
    QLineEdit* hex_units_text() const { return hex_units_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel() const { return cancel_; }
    // OK: the controls checked against their fields, then stored. False (with a box) when a text
    // does not fit, and nothing is stored.
    bool apply_los_settings();

private:
    QSpinBox *points_ = nullptr, *range_ = nullptr, *cliff_ = nullptr;
    QLineEdit *range_text_ = nullptr, *elevation_ = nullptr, *hex_size_ = nullptr, *hex_units_ = nullptr;
    QCheckBox *degrade_ = nullptr, *smoothing_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr;
};

class los_terrain_vals_form : public form_base {
    Q_OBJECT
public:
    explicit los_terrain_vals_form(QWidget* parent);
    QListWidget* terrain_list() const { return list_; }
    QSpinBox* gl_ud() const { return ground_; }
    QSpinBox* agl_ud() const { return height_; }
    QSpinBox* blockpts_ud() const { return block_; }
    QSpinBox* spot_percent_ud() const { return spot_; }
    QSpinBox* tgt_percent_ud() const { return target_; }
    QPushButton* change_color() const { return colour_; }
    QPushButton* last() const { return last_; }
    QPushButton* next() const { return next_; }
    QPushButton* reset() const { return reset_; }
    QPushButton* reset_all() const { return reset_all_; }
    QPushButton* edit_los() const { return edit_los_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel() const { return cancel_; }
    QLabel* block_label() const { return block_label_; }

private:
    void show_terrain(int terrain);
    void keep_shown();
    void set_block_label();
    std::vector<terrain_los_struct> working_;
    int shown_ = -1;
    QListWidget* list_ = nullptr;
    QLabel *picture_ = nullptr, *block_label_ = nullptr;
    QSpinBox *ground_ = nullptr, *height_ = nullptr, *block_ = nullptr, *spot_ = nullptr, *target_ = nullptr;
    QPushButton *colour_ = nullptr, *last_ = nullptr, *next_ = nullptr, *reset_ = nullptr,
                *reset_all_ = nullptr, *edit_los_ = nullptr, *ok_ = nullptr, *cancel_ = nullptr;
};

void run_los_settings_form();
void run_los_terrain_vals_form();
