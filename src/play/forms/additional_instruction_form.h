// The short instructions shown when a combat, a cycle or a move starts, until the player asks
// not to see them again ("Additional Instructions").
#pragma once

#include "platform/form.h"

class QCheckBox;
class QLabel;
class QPushButton;

// 1 combat, 2 cycling, 3 moving.
constexpr int instruction_combat = 1, instruction_cycle = 2, instruction_move = 3;
// Whether an instruction still shows (for the rest of the run).
bool instruction_shown(int id);
void set_instruction_shown(int id, bool on);

class additional_instruction_form : public form_base {
    Q_OBJECT
public:
    additional_instruction_form(QWidget* parent, int id);
    QCheckBox* checkbox_1() const { return box_; }
    QLabel* text() const { return label_; }
    QPushButton* ok_button() const { return ok_; }

private:
    int id_;
    QCheckBox* box_ = nullptr;
    QLabel* label_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Shows the instruction modally when its flag is set.
void show_instruction(int id);
