// The class editor ("Edit Class Properties"): a new class or an existing one, its name, symbol,
// facing set, owner, hidden symbol and eight typed values. It edits a copy and stores it only
// on Save / OK / Edit Another.
#pragma once

#include "classes/class_editing.h"
#include "platform/form.h"

#include <array>

class value_rows;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class new_class_form : public form_base {
    Q_OBJECT
public:
    // index -1: a new class.
    new_class_form(QWidget* parent, int index);
    ~new_class_form() override;

    QLineEdit* namebox() const { return namebox_; }
    QLineEdit* name_box(int k) const;
    QLineEdit* value_box(int k) const;
    // The type option of value k: 0 Numeric, 1 Text, 2 Yes/No, 3 Not Used.
    QRadioButton* type_option(int k, int option) const;
    QComboBox* symbox() const { return symbox_; }
    QComboBox* player_list() const { return player_list_; }
    QComboBox* hidden_sym_list() const { return hidden_list_; }
    QComboBox* facing_style() const { return facing_; }
    QLabel* preview() const { return preview_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }
    QPushButton* done_edit_another() const { return another_; }
    QPushButton* delete_button() const { return delete_; }
    const class_edit_session& session() const { return session_; }
    bool new_class_mode() const { return new_mode_; }

private:
    bool on_created();
    void load(const class_edit_session& s);
    void rebuild_player_default();
    // Checks and stores; false when the user went back to editing.
    bool save(bool flash_and_message);
    void pick_another(int preselect);

    int start_index_;
    class_edit_session session_;
    bool new_mode_ = true, first_save_ = true, name_typed_ = false;
    QLineEdit* namebox_ = nullptr;
    value_rows* rows_ = nullptr;
    QComboBox *symbox_ = nullptr, *facing_ = nullptr, *player_list_ = nullptr, *hidden_list_ = nullptr;
    QLabel* hidden_label_ = nullptr;
    QLabel* preview_ = nullptr;
    std::array<QLabel*, 5> step_labels_{};
    QPushButton *ok_ = nullptr, *cancel_ = nullptr, *another_ = nullptr, *delete_ = nullptr;
};

// Runs the editor modally: index -1 for a new class. Refuses (with its message) when the game has
// no piece symbols.
void run_new_class_form(int index);
// Edit "Classes": the picker first (or a new class when there is none to edit).
void edit_classes_command();
