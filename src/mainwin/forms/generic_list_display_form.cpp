#include "generic_list_display_form.h"

#include "ui_generic_list_display_form.h"

#include "mainwin/forms/form_colour.h"
#include "mainwin/general_dialogs.h"
#include "mainwin/settings_files.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

generic_list_display_form::generic_list_display_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::generic_list_display_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(ui_->cb_1, {{ClickEvent, [this](QObject*, event_data&) {
                                        accept();
                                        return true;
                                    }}});
}

generic_list_display_form::~generic_list_display_form() = default;

bool generic_list_display_form::on_created() {
    apply_form_colour(this);
    ui_->label_1->setText(mixed_to_qstring(list_display_title));
    for (const auto& item : list_display_items)
        ui_->lb_1->addItem(mixed_to_qstring(item));
    return false;
}

void install_generic_list_display_form() {
    generic_list_display_hook = [] {
        generic_list_display_form f(dialog_parent());
        f.create_form();
        f.exec();
    };
}
