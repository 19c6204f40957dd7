// Editing the names of all turns in a grid.
#pragma once

#include "platform/form.h"

#include <memory>

namespace Ui {
class edit_turn_names_form;
}

class edit_turn_names_form : public form_base {
    Q_OBJECT
public:
    explicit edit_turn_names_form(QWidget* parent);
    ~edit_turn_names_form() override;
    Ui::edit_turn_names_form& controls() { return *ui_; }

private:
    bool on_created();
    bool on_save();

    std::unique_ptr<Ui::edit_turn_names_form> ui_;
};

void run_edit_turn_names_form();
