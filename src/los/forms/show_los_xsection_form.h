// The result of a single line-of-sight check (" LOS Results: ") with the cross-section of the
// ground between spotter and target and the legend of the terrains drawn.
#pragma once

#include "platform/form.h"

#include <string>
#include <vector>

class QPushButton;

class show_los_xsection_form : public form_base {
    Q_OBJECT
public:
    explicit show_los_xsection_form(QWidget* parent);
    QWidget* display_frame() const { return display_; }
    QWidget* legend_frame() const { return legend_; }
    QPushButton* new_spot() const { return new_spot_; }
    QPushButton* new_tgt() const { return new_tgt_; }
    QPushButton* new_both() const { return new_both_; }
    QPushButton* done() const { return done_; }
    // 0 done, 2 new target, 4 new spotter, 6 both.
    int choice() const { return choice_; }

private:
    QWidget *display_ = nullptr, *legend_ = nullptr;
    QPushButton *new_spot_ = nullptr, *new_tgt_ = nullptr, *new_both_ = nullptr, *done_ = nullptr;
    int choice_ = 0;
};

// The caption of the result of the last check.
std::string los_result_caption();
// The terrains of the legend: each once, in the order first drawn, at most 16, kept from one
// cross-section to the next within a game.
const std::vector<int>& los_legend_terrains();
// Shows the result of the last check; the user's choice.
int run_show_los_xsection_form();
