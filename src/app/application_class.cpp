#include "application_class.h"

#include "data/records.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/generic_list_display_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/forms/preference_forms.h"

void ApplicationClass::on_start() {
    startup_command_line = command_line();
    new_game();
    install_generic_list_display_form();
    install_preference_forms();
    auto* form = new main_form();
    if (!form->create_window()) {
        delete form;
        set_exit_code(-1);
        quit();
        return;
    }
    main_form_instance = form;
}

void ApplicationClass::on_end() {
    delete main_form_instance;
    main_form_instance = nullptr;
}
