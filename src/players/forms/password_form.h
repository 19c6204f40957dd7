// The password entry: a new password (mode 0) or a check (mode 1 log-on, 2 old password).
#pragma once

#include "platform/form.h"

#include <memory>

namespace Ui {
class password_form;
}

class password_form : public form_base {
    Q_OBJECT
public:
    // The mode is read from edit_index when the form is created.
    explicit password_form(QWidget* parent);
    ~password_form() override;
    Ui::password_form& controls() { return *ui_; }

private:
    bool on_created();
    std::unique_ptr<Ui::password_form> ui_;
};

// Runs password_form modally in the mode held by edit_index; the text comes back in
// form_result_text (upper case, empty when cancelled).
void run_password_form();
// Makes the player logic ask passwords and edit players through the real forms.
void install_player_form_hooks();
