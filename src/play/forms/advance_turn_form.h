// Setting the next (or any) turn, clearing the replay and the piece flags.
#pragma once

#include "platform/form.h"

#include <memory>

namespace Ui {
class advance_turn_form;
}

class advance_turn_form : public form_base {
    Q_OBJECT
public:
    // clear_mode: the current turn is proposed instead of the next one (Clear Replay).
    advance_turn_form(QWidget* parent, bool clear_mode);
    ~advance_turn_form() override;
    Ui::advance_turn_form& controls() { return *ui_; }

    void done(int result) override;

private:
    bool on_created();
    bool on_ok();
    void show_new_turn_name();

    std::unique_ptr<Ui::advance_turn_form> ui_;
    bool clear_mode_;
};

// Runs the form modally: mode 0 advances the turn, 1 clears the replay (as edit_index says).
void run_advance_turn_form(int mode);
