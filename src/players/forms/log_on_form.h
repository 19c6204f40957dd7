// Choosing who plays: an existing player, a new player, or a visitor.
#pragma once

#include "platform/form.h"

#include <memory>

namespace Ui {
class log_on_form;
}

class log_on_form : public form_base {
    Q_OBJECT
public:
    explicit log_on_form(QWidget* parent);
    ~log_on_form() override;
    Ui::log_on_form& controls() { return *ui_; }
    // The selected player, -1 when the game has none.
    int selected_player() const { return selected_; }

private:
    bool on_created();
    bool on_player_selected();
    void close_if(bool done);
    void show_picture();

    std::unique_ptr<Ui::log_on_form> ui_;
    int selected_ = -1;
    bool filling_ = false;
};

// Runs log_on_form modally; current_player and player_logged_in tell the outcome.
void run_log_on_form();
