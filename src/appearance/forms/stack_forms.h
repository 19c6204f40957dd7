// The stack definitions: "Stack Definitions", "Select Stack Definition To Edit" and "Adjust
// Stack Symbol Priority Order".
#pragma once

#include "platform/form.h"

#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;

class edit_stack_symbols_form : public form_base {
    Q_OBJECT
public:
    explicit edit_stack_symbols_form(QWidget* parent);
    QListWidget* stackbox() const { return stacks_; }
    QListWidget* classbox() const { return classes_; }
    QListWidget* playerbox() const { return players_; }
    QCheckBox* no_type_box() const { return no_type_; }
    QSpinBox* updown(int zoom) const { return minimum_[static_cast<std::size_t>(zoom)]; }
    QPushButton* pick_stack() const { return pick_; }
    QPushButton* sort_button() const { return sort_; }
    QPushButton* save() const { return save_; }
    QPushButton* save_and_exit() const { return save_exit_; }
    QPushButton* cancel() const { return done_; }
    // Saves what the controls show for the selected symbol; false when nothing was saved.
    bool save_shown();

private:
    bool on_created();
    void fill_stacks(std::int32_t select_symbol);
    std::int32_t selected_symbol() const;
    void show_definition(int position);
    void set_pick_label();
    int owner_shown() const;
    int class_shown() const;

    std::vector<std::int32_t> symbol_by_row_;
    std::vector<int> class_by_row_;
    int editing_ = -1; // the definition chosen through Pick One
    QListWidget *stacks_ = nullptr, *classes_ = nullptr, *players_ = nullptr;
    QLabel *stack_picture_ = nullptr, *piece_picture_ = nullptr;
    QCheckBox* no_type_ = nullptr;
    std::array<QSpinBox*, 3> minimum_{};
    QPushButton *pick_ = nullptr, *sort_ = nullptr, *save_ = nullptr, *save_exit_ = nullptr, *done_ = nullptr;
};

class get_stack_def_to_edit_form : public form_base {
    Q_OBJECT
public:
    get_stack_def_to_edit_form(QWidget* parent, std::int32_t symbol);
    QListWidget* stkbox() const { return list_; }
    QPushButton* edit() const { return edit_; }
    QPushButton* delete_this() const { return delete_this_; }
    QPushButton* delete_all() const { return delete_all_; }
    QPushButton* cancel() const { return cancel_; }
    // 1 edit, 0 delete this one, -1 delete all of the symbol, -2 cancelled; and the chosen one.
    int mode() const { return mode_; }
    int position() const { return position_; }

private:
    std::vector<int> positions_;
    int mode_ = -2, position_ = -1;
    QListWidget* list_ = nullptr;
    QPushButton *edit_ = nullptr, *delete_this_ = nullptr, *delete_all_ = nullptr, *cancel_ = nullptr;
};

class reorder_stack_defs_form : public form_base {
    Q_OBJECT
public:
    explicit reorder_stack_defs_form(QWidget* parent);
    QListWidget* symlist() const { return list_; }
    QPushButton* move_up_button() const { return up_; }
    QPushButton* move_down_button() const { return down_; }
    QPushButton* done_button() const { return done_; }
    void move(int step);

private:
    void fill(int select);
    int direction_ = 0;
    QListWidget* list_ = nullptr;
    QPushButton *up_ = nullptr, *down_ = nullptr, *done_ = nullptr;
    QTimer* repeat_ = nullptr;
};

// A definition's line in the lists: symbol, required class, minimums, owner.
std::string stack_def_line(int position);

void run_edit_stack_symbols_form();
