// Choosing the pieces the cycle buttons step through ("Cycle Through On-Map Pieces").
#pragma once

#include "platform/form.h"
#include "play/cycle_filters.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

class cycle_units_form : public form_base {
    Q_OBJECT
public:
    explicit cycle_units_form(QWidget* parent);
    QListWidget* start_list() const { return start_; }
    QCheckBox* not_moved() const { return not_moved_; }
    QCheckBox* not_in_combat() const { return not_in_combat_; }
    QCheckBox* by_player() const { return by_player_; }
    QComboBox* player_list() const { return players_; }
    QCheckBox* by_class() const { return by_class_; }
    QComboBox* class_list() const { return classes_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }

private:
    cycle_filter read() const;
    void rebuild();

    std::vector<int> class_order_;
    QListWidget* start_ = nullptr;
    QCheckBox *not_moved_ = nullptr, *not_in_combat_ = nullptr, *by_player_ = nullptr, *by_class_ = nullptr;
    QComboBox *players_ = nullptr, *classes_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr;
};

// Fills cycle_units_form_hook.
void install_cycle_form_hooks();
