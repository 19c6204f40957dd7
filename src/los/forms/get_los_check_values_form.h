// Choosing a line-of-sight check ("LOS Check"): one line or an area, its direction, radius and
// the heights of spotter and target.
#pragma once

#include "platform/form.h"

class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

class get_los_check_values_form : public form_base {
    Q_OBJECT
public:
    explicit get_los_check_values_form(QWidget* parent);
    QRadioButton* single_check() const { return single_; }
    QRadioButton* area_check() const { return area_; }
    QListWidget* direction() const { return direction_; }
    QSpinBox* radius_ud() const { return radius_; }
    QSpinBox* spot_agl_ud() const { return spotter_; }
    QSpinBox* tgt_agl_ud() const { return target_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel() const { return cancel_; }

private:
    void set_area(bool on);
    QRadioButton *single_ = nullptr, *area_ = nullptr;
    QListWidget* direction_ = nullptr;
    QSpinBox *radius_ = nullptr, *spotter_ = nullptr, *target_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr, *settings_ = nullptr;
};

// The menu command's form; afterwards the check type says what the map clicks do.
void run_get_los_check_values_form();
