// The piece editor ("Edit Piece Values"): a piece's name, class, eight values, hidden state and
// on-top flag, edited as a copy and stored only on OK.
#pragma once

#include "classes/piece_editing.h"
#include "platform/form.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class value_rows;

class edit_unit_data_form : public form_base {
    Q_OBJECT
public:
    // index -1: a new piece of class new_class.
    edit_unit_data_form(QWidget* parent, int index, int new_class);
    QLineEdit* namebox() const { return namebox_; }
    QComboBox* classbox() const { return classbox_; }
    QLineEdit* name_box(int k) const;
    QLineEdit* value_box(int k) const;
    QRadioButton* type_option(int k, int option) const;
    QCheckBox* on_top() const { return on_top_; }
    QLabel* hidden_line() const { return label_9_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }
    QPushButton* delete_button() const { return delete_; }
    // The piece stored (new pieces get their index on OK), -1 before.
    int stored_piece() const { return stored_; }

private:
    bool on_created();
    bool on_ok();
    void step_hidden_state();

    piece_edit_session session_;
    int stored_ = -1;
    QLineEdit* namebox_ = nullptr;
    QComboBox* classbox_ = nullptr;
    value_rows* rows_ = nullptr;
    QCheckBox* on_top_ = nullptr;
    QLabel *label_7_ = nullptr, *label_8_ = nullptr, *label_9_ = nullptr;
    QFrame* frame_4_ = nullptr;
    QLabel* preview_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr, *delete_ = nullptr;
};

// Runs the editor modally for a piece (open_piece_editor), or with index -1 for a new piece of
// class `new_class`; gives the piece stored, or -1 when nothing was.
int run_piece_editor(int index, int new_class = -1);
