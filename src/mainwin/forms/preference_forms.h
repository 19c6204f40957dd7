// The five preference dialogs opened from the main menu. Each shows the current values, writes
// them back only on OK, and leaves everything as it was on Cancel or the close box.
#pragma once

#include "platform/form.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class set_autosave_timer_form;
class set_combat_sum_vals_form;
class set_default_dirs_form;
class set_scroll_jump_size_form;
class set_form_back_color_form;
} // namespace Ui

class set_autosave_timer_form : public form_base {
    Q_OBJECT
public:
    explicit set_autosave_timer_form(QWidget* parent);
    ~set_autosave_timer_form() override;
    Ui::set_autosave_timer_form& controls() { return *ui_; }

private:
    std::unique_ptr<Ui::set_autosave_timer_form> ui_;
};

class set_combat_sum_vals_form : public form_base {
    Q_OBJECT
public:
    explicit set_combat_sum_vals_form(QWidget* parent);
    ~set_combat_sum_vals_form() override;
    Ui::set_combat_sum_vals_form& controls() { return *ui_; }
    class QCheckBox* check(bool classes, int n) const; // n = 1..8

private:
    std::unique_ptr<Ui::set_combat_sum_vals_form> ui_;
};

class set_default_dirs_form : public form_base {
    Q_OBJECT
public:
    explicit set_default_dirs_form(QWidget* parent);
    ~set_default_dirs_form() override;
    Ui::set_default_dirs_form& controls() { return *ui_; }
    class QLineEdit* box(int index) const; // default_dir_box order

private:
    void change_folder(int index);
    void check_and_save();
    std::unique_ptr<Ui::set_default_dirs_form> ui_;
};

class set_scroll_jump_size_form : public form_base {
    Q_OBJECT
public:
    explicit set_scroll_jump_size_form(QWidget* parent);
    ~set_scroll_jump_size_form() override;
    Ui::set_scroll_jump_size_form& controls() { return *ui_; }
    class QRadioButton* option(int zoom, int choice) const; // zoom 0..2, choice 0..5

private:
    std::unique_ptr<Ui::set_scroll_jump_size_form> ui_;
};

class set_form_back_color_form : public form_base {
    Q_OBJECT
public:
    explicit set_form_back_color_form(QWidget* parent);
    ~set_form_back_color_form() override;
    Ui::set_form_back_color_form& controls() { return *ui_; }
    const std::array<std::uint8_t, 3>& colour_copy() const { return copy_; }

private:
    std::array<std::uint8_t, 3> copy_{};
    std::unique_ptr<Ui::set_form_back_color_form> ui_;
};

// Opens a form modally; true when it was closed with OK (for the colour form also with
// "Return to Default").
bool run_set_autosave_timer_form();
bool run_set_combat_sum_vals_form();
bool run_set_default_dirs_form();
bool run_set_scroll_jump_size_form();
bool run_set_form_back_color_form();

// Connects set_autosave_timer_form_hook to its form.
void install_preference_forms();
