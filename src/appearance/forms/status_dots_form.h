// The six status dots of the game ("Edit Status Dots").
#pragma once

#include "data/records.h"
#include "platform/form.h"

#include <array>

class QComboBox;
class QPushButton;
class QSpinBox;

class StatusDotsForm : public form_base {
    Q_OBJECT
public:
    explicit StatusDotsForm(QWidget* parent);
    QComboBox* type_list(int dot) const { return rows_[static_cast<std::size_t>(dot)].type; }
    QComboBox* value_list(int dot) const { return rows_[static_cast<std::size_t>(dot)].value; }
    QSpinBox* limit(int dot) const { return rows_[static_cast<std::size_t>(dot)].limit; }
    QPushButton* colour_box(int dot) const { return rows_[static_cast<std::size_t>(dot)].colour; }
    QComboBox* position_list(int dot) const { return rows_[static_cast<std::size_t>(dot)].position; }
    QSpinBox* size(int dot, int zoom) const {
        return rows_[static_cast<std::size_t>(dot)].size[static_cast<std::size_t>(zoom)];
    }
    QPushButton* cb_1() const { return ok_; }

private:
    struct row {
        QComboBox *type = nullptr, *value = nullptr, *position = nullptr;
        QSpinBox* limit = nullptr;
        QPushButton* colour = nullptr;
        std::array<QSpinBox*, 3> size{};
    };
    void fill_values(int dot);
    void show_colour(int dot);
    std::array<row, 6> rows_;
    // The dots as edited; the game's own change only with OK.
    std::array<status_dot_struct, 6> dots_{};
    QPushButton* ok_ = nullptr;
};

// Runs the form modally.
void run_status_dots_form();
