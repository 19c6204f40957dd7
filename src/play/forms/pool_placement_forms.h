// Placing pieces out of force pools: the question whether pieces come from a pool ("Place Pieces
// From Pool or Create From Scratch") and the picking form ("Select Pieces To Place On Board From
// Force Pools").
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

class new_units_from_pool_form : public form_base {
    Q_OBJECT
public:
    explicit new_units_from_pool_form(QWidget* parent);
    QCheckBox* dont_show() const { return box_; }
    QPushButton* yes_button() const { return yes_; }
    QPushButton* no_button() const { return no_; }
    bool answer() const { return answer_; }

private:
    QCheckBox* box_ = nullptr;
    QPushButton *yes_ = nullptr, *no_ = nullptr;
    bool answer_ = false;
};

class get_units_from_pool_form : public form_base {
    Q_OBJECT
public:
    explicit get_units_from_pool_form(QWidget* parent);
    QListWidget* pool_list() const { return pools_; }
    QListWidget* piece_list() const { return pieces_; }
    QListWidget* selected_list() const { return selected_; }
    QPushButton* place_now_button() const { return place_; }
    QPushButton* select_all_button() const { return all_; }
    QPushButton* random_button() const { return random_; }
    QPushButton* cancel_button() const { return cancel_; }
    // A click on a piece line (random: drawn by Random Pick).
    void pick(int line, bool random = false);

private:
    void show_lists();
    void set_buttons();

    std::vector<int> pool_by_line_, piece_by_line_;
    QListWidget *pools_ = nullptr, *pieces_ = nullptr, *selected_ = nullptr;
    QPushButton *place_ = nullptr, *remove_last_ = nullptr, *clear_all_ = nullptr, *cancel_ = nullptr,
                *random_ = nullptr, *all_ = nullptr, *remove_ = nullptr;
    QCheckBox* auto_edit_ = nullptr;
};

// Fills the two pool hooks of placing.
void install_pool_placement_hooks();
