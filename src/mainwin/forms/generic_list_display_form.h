// A heading and a list of items, closed with OK.
#pragma once

#include "platform/form.h"

#include <memory>

namespace Ui {
class generic_list_display_form;
}

class generic_list_display_form : public form_base {
    Q_OBJECT
public:
    explicit generic_list_display_form(QWidget* parent);
    ~generic_list_display_form() override;
    Ui::generic_list_display_form& controls() { return *ui_; }

private:
    bool on_created();
    std::unique_ptr<Ui::generic_list_display_form> ui_;
};

// Connects show_generic_list_display() to this form.
void install_generic_list_display_form();
