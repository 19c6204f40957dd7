// The flip definition editor ("Edit Auto-Flip Definitions").
#pragma once

#include "platform/form.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class edit_flip_def : public form_base {
    Q_OBJECT
public:
    // parent: the class to show as the parent (-1 none).
    edit_flip_def(QWidget* parent_widget, int parent);
    QComboBox* parent_box() const { return parent_box_; }
    QComboBox* flip_box() const { return flip_box_; }
    QLabel* parent_vals() const { return parent_vals_; }
    QPushButton* save_and_exit() const { return save_exit_; }
    QPushButton* save_and_continue() const { return save_; }
    QPushButton* done_button() const { return done_; }
    QCheckBox* reciprocal() const { return reciprocal_; }
    // The row of a class in the boxes (-1 none).
    int row_of(int class_index) const;
    void done(int result) override;

private:
    void fill();
    void show_sides();
    void on_save();
    int class_at(const QComboBox* box) const;

    std::vector<int> classes_; // class by row
    QComboBox *parent_box_ = nullptr, *flip_box_ = nullptr;
    QLabel *parent_vals_ = nullptr, *flip_vals_ = nullptr, *parent_picture_ = nullptr,
           *flip_picture_ = nullptr;
    QPushButton *save_exit_ = nullptr, *save_ = nullptr, *done_ = nullptr;
    QCheckBox* reciprocal_ = nullptr;
};

// Fills the flip hooks: the definition editor, and the piece actions form's Flip.
void install_flip_hooks();
