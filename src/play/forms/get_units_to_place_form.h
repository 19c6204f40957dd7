// Building a placement list of classes and quantities ("Add New Pieces to the Game").
#pragma once

#include "platform/form.h"

#include <functional>
#include <vector>

class QCheckBox;
class QListWidget;
class QLineEdit;
class QPushButton;
class QSpinBox;

class get_units_to_place_form : public form_base {
    Q_OBJECT
public:
    explicit get_units_to_place_form(QWidget* parent);
    QLineEdit* textb_1() const { return text_; }
    QListWidget* lb_1() const { return classes_; }
    QSpinBox* qty_to_place_box() const { return qty_; }
    QPushButton* add_to_list_button() const { return add_; }
    QListWidget* units_selected_box() const { return selected_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }
    QPushButton* remove_last_button() const { return remove_last_; }
    QPushButton* clear_all_button() const { return clear_all_; }
    QCheckBox* auto_edit_checkbox() const { return auto_edit_; }
    QCheckBox* place_one_only() const { return place_again_; }
    // The class of a line of lb_1.
    int class_of_line(int line) const;
    void done(int result) override;

private:
    bool on_created();
    void on_add();
    void show_selected();
    void set_buttons();

    std::vector<int> class_by_line_;
    QLineEdit* text_ = nullptr;
    QListWidget *classes_ = nullptr, *selected_ = nullptr;
    QSpinBox* qty_ = nullptr;
    QPushButton *add_ = nullptr, *ok_ = nullptr, *cancel_ = nullptr, *remove_last_ = nullptr,
                *clear_all_ = nullptr;
    QCheckBox *auto_edit_ = nullptr, *place_again_ = nullptr;
};

// The buttons both placement list forms share: Cancel (empties the list), Remove Last, Clear All
// (then `refresh` shows the list again) and the auto-edit box.
void hook_placement_list_buttons(form_base& form, QPushButton* cancel, QPushButton* remove_last,
                                 QPushButton* clear_all, QCheckBox* auto_edit, std::function<void()> refresh);

// Fills the placement hooks (the list form, the new-piece editor) and the piece actions form's Add.
void install_placement_hooks();
