#include "preference_forms.h"

#include "ui_set_autosave_timer_form.h"
#include "ui_set_combat_sum_vals_form.h"
#include "ui_set_default_dirs_form.h"
#include "ui_set_form_back_color_form.h"
#include "ui_set_scroll_jump_size_form.h"

#include "data/game_settings.h"
#include "data/options.h"
#include "data/records.h"
#include "mainwin/autosave.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/preference_values.h"
#include "mainwin/settings_files.h"
#include "mainwin/view_geometry.h"
#include "platform/boxes.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

#include <QFileInfo>

namespace {

// Registers a click on a button.
template <typename F> void on_click(form_base* form, QObject* button, F f) {
    form->set_event_handlers(button, {{ClickEvent, [f](QObject*, event_data&) {
                                           f();
                                           return true;
                                       }}});
}

template <typename Form> bool run_form() {
    Form f(dialog_parent());
    f.create_form();
    return f.exec() == QDialog::Accepted;
}

} // namespace

// ---- autosave period

set_autosave_timer_form::set_autosave_timer_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::set_autosave_timer_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   ui_->updown_1->setValue(autosave_period_shown(autosave_on));
                                   ui_->textb_1->setText(QString::number(ui_->updown_1->value()));
                                   return false;
                               }}});
    connect(ui_->updown_1, &QSpinBox::valueChanged, this,
            [this](int v) { ui_->textb_1->setText(QString::number(v)); });
    on_click(this, ui_->ok, [this] {
        autosave_on = static_cast<std::uint8_t>(ui_->updown_1->value());
        accept();
    });
    on_click(this, ui_->cancel, [this] { reject(); });
}
set_autosave_timer_form::~set_autosave_timer_form() = default;

// ---- combat summary values

QCheckBox* set_combat_sum_vals_form::check(bool classes, int n) const {
    return findChild<QCheckBox*>(QString("check_%1").arg((classes ? 0 : 8) + n));
}

set_combat_sum_vals_form::set_combat_sum_vals_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::set_combat_sum_vals_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   for (bool classes : {true, false}) {
                                       auto ticks = combat_ticks_from_mask(
                                           classes ? game_settings.combat_summary_class_mask
                                                   : game_settings.combat_summary_piece_mask);
                                       auto used = combat_values_in_use(classes);
                                       for (int n = 1; n <= 8; ++n) {
                                           QCheckBox* box = check(classes, n);
                                           if (game) {
                                               const auto& names = classes ? game->class_value_names
                                                                           : game->piece_value_names;
                                               box->setText(to_qstring(combat_value_caption(names[n - 1])));
                                           }
                                           box->setChecked(ticks[n - 1]);
                                           box->setEnabled(used[n - 1]);
                                       }
                                   }
                                   return false;
                               }}});
    on_click(this, ui_->ok, [this] {
        for (bool classes : {true, false}) {
            std::array<bool, 8> ticks{};
            for (int n = 1; n <= 8; ++n)
                ticks[n - 1] = check(classes, n)->isChecked();
            auto& mask =
                classes ? game_settings.combat_summary_class_mask : game_settings.combat_summary_piece_mask;
            const auto chosen = combat_mask_from_ticks(ticks);
            if (mask != chosen) game_modified = 1; // saved with the game
            mask = chosen;
        }
        accept();
    });
    on_click(this, ui_->cancel, [this] { reject(); });
}
set_combat_sum_vals_form::~set_combat_sum_vals_form() = default;

// ---- default folders

QLineEdit* set_default_dirs_form::box(int index) const {
    return findChild<QLineEdit*>(QString("textb_%1").arg(index + 1));
}

set_default_dirs_form::set_default_dirs_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::set_default_dirs_form>()) {
    ui_->setupUi(this);
    // Enter is OK wherever the focus is; the Change buttons take only their own clicks.
    for (QPushButton* change : {ui_->change_1, ui_->change_2, ui_->change_3, ui_->change_4, ui_->change_5})
        change->setAutoDefault(false);
    ui_->ok->setDefault(true);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   for (int i = 0; i < 5; ++i)
                                       box(i)->setText(path_to_qstring(default_dir_value(i)));
                                   return false;
                               }}});
    for (int i = 0; i < 5; ++i)
        on_click(this, findChild<QPushButton*>(QString("change_%1").arg(i + 1)),
                 [this, i] { change_folder(i); });
    on_click(this, ui_->ok, [this] { check_and_save(); });
    on_click(this, ui_->cancel, [this] { reject(); });
}
set_default_dirs_form::~set_default_dirs_form() = default;

void set_default_dirs_form::change_folder(int index) {
    file_chooser_request request;
    request.title = default_dir_chooser_title(index);
    request.filters = {{"All Files (*.*)", "*.*"}};
    request.start_folder = path_from_qstring(box(index)->text());
    request.name = index == dir_player_pictures ? "Set the Default Player Picture Folder" : "";
    if (auto chosen = choose_file(request)) box(index)->setText(path_to_qstring(folder_of(*chosen) + "/"));
}

void set_default_dirs_form::check_and_save() {
    for (int i = 0; i < 5; ++i) {
        QString text = box(i)->text();
        if (text.isEmpty() || QFileInfo(text).isDir()) continue;
        switch (message_box("Path Does not exist", default_dir_missing_message(i), box_buttons::yes_no_cancel,
                            box_icon::question)) {
        case box_answer::yes:
            box(i)->setFocus();
            return; // back to the form to edit
        case box_answer::no:
            box(i)->setText(path_to_qstring(default_dir_value(i)));
            break;
        default:
            reject();
            return;
        }
    }
    for (int i = 0; i < 5; ++i)
        // Names are joined straight onto these folders: a typed folder needs its separator.
        default_dir_value(i) = default_dir_with_separator(path_from_qstring(box(i)->text()));
    save_default_dirs(); // a failed write was reported
    accept();
}

// ---- scroll jump sizes

QRadioButton* set_scroll_jump_size_form::option(int zoom, int choice) const {
    return findChild<QRadioButton*>(QString("option_%1").arg(zoom * 6 + choice + 1));
}

set_scroll_jump_size_form::set_scroll_jump_size_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::set_scroll_jump_size_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this,
                       {{CreateEvent, [this](QObject*, event_data&) {
                             apply_form_colour(this);
                             for (int z = 0; z < 3; ++z)
                                 option(z, scroll_jump_choice_index(scroll_jump_sizes[z]))->setChecked(true);
                             return false;
                         }}});
    on_click(this, ui_->ok, [this] {
        for (int z = 0; z < 3; ++z) {
            int chosen = -1;
            for (int k = 0; k < 6; ++k)
                if (option(z, k)->isChecked()) chosen = k;
            const auto size = scroll_jump_size_of_choice(chosen);
            if (scroll_jump_sizes[z] != size) game_modified = 1; // saved with the game as well
            scroll_jump_sizes[z] = size;
        }
        accept();
        save_preferences();
    });
    on_click(this, ui_->cancel, [this] { reject(); });
}
set_scroll_jump_size_form::~set_scroll_jump_size_form() = default;

// ---- form colour

set_form_back_color_form::set_form_back_color_form(QWidget* parent)
    : form_base(parent), ui_(std::make_unique<Ui::set_form_back_color_form>()) {
    ui_->setupUi(this);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   for (int i = 0; i < 3; ++i)
                                       copy_[i] = preferences.form_colour[i];
                                   return false;
                               }}});
    on_click(this, ui_->pick_colour, [this] {
        if (auto c = choose_colour("Set Form Background Color", copy_)) copy_ = *c;
    });
    on_click(this, ui_->ok, [this] {
        for (int i = 0; i < 3; ++i)
            preferences.form_colour[i] = copy_[i];
        accept();
    });
    on_click(this, ui_->default_colour, [this] {
        const std::uint8_t standard[3] = {76, 181, 232};
        for (int i = 0; i < 3; ++i)
            preferences.form_colour[i] = standard[i];
        accept();
    });
    on_click(this, ui_->cancel, [this] { reject(); });
}
set_form_back_color_form::~set_form_back_color_form() = default;

bool run_set_autosave_timer_form() {
    return run_form<set_autosave_timer_form>();
}
bool run_set_combat_sum_vals_form() {
    return run_form<set_combat_sum_vals_form>();
}
bool run_set_default_dirs_form() {
    return run_form<set_default_dirs_form>();
}
bool run_set_scroll_jump_size_form() {
    return run_form<set_scroll_jump_size_form>();
}
bool run_set_form_back_color_form() {
    return run_form<set_form_back_color_form>();
}

void install_preference_forms() {
    set_autosave_timer_form_hook = [] { run_set_autosave_timer_form(); };
}
