// Rolling dice, and showing a recorded roll read-only.
#pragma once

#include "platform/form.h"

#include <memory>

namespace Ui {
class RollDiceForm;
}

class RollDiceForm : public form_base {
    Q_OBJECT
public:
    explicit RollDiceForm(QWidget* parent);
    ~RollDiceForm() override;
    Ui::RollDiceForm& controls() { return *ui_; }
    bool view_mode() const { return view_mode_; }
    // Offset of the roll record's payload, -1 before a roll.
    long roll_record() const { return roll_record_; }

    void done(int result) override;
    // Escape is the Cancel button: it does nothing while Cancel is disabled (after a roll).
    void reject() override;

private:
    bool on_created();
    bool on_roll_now();
    bool on_done(bool more_comments);

    std::unique_ptr<Ui::RollDiceForm> ui_;
    bool view_mode_ = false;
    long roll_record_ = -1;
};

// The dice command and tool button: an empty comment text, then the form modally.
void open_dice_roller();
