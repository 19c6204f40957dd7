// The class picker ("Select an Existing Class"): a class of the game by list or by typed name.
#pragma once

#include "classes/class_order.h"
#include "platform/form.h"

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class get_unit_class_form : public form_base {
    Q_OBJECT
public:
    // preselect: the class to select first (-1 none); mode 1 edit, 2 new class for a piece.
    get_unit_class_form(QWidget* parent, int preselect, int mode);
    QLineEdit* textb_1() const { return text_; }
    QListWidget* lb_1() const { return list_; }
    QPushButton* select_button() const { return select_; }
    QPushButton* cancel_button() const { return done_; }
    QRadioButton* show_pieces() const { return pieces_; }
    QRadioButton* show_cards() const { return cards_; }
    QCheckBox* sort_box() const { return sort_; }
    // The chosen class, -1 for none.
    int chosen() const { return chosen_; }
    void done(int result) override;

private:
    bool on_created();
    void build_list();
    void on_select();
    void on_typed(const QString& text);

    int preselect_;
    int mode_;
    int chosen_ = -1;
    bool selecting_ = false;
    std::vector<picker_row> rows_;
    QLineEdit* text_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton *select_ = nullptr, *done_ = nullptr;
    QRadioButton *pieces_ = nullptr, *cards_ = nullptr;
    QCheckBox* sort_ = nullptr;
    QLabel* preview_ = nullptr;
};

// Runs the picker for get_unit_class: edit_index holds the preselection on entry and the
// chosen class (-1 none) on return.
int run_class_picker(int mode);
// Fills the class picker and class editor hooks.
void install_class_form_hooks();
