// The force pool editor ("Create or Edit Force Pools") and the pool order form ("Adjust Force
// Pool Display Order").
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextEdit;
class QTimer;

class edit_pool_form : public form_base {
    Q_OBJECT
public:
    // `make_new_pool`: the editor opens on the name entry of a new pool.
    edit_pool_form(QWidget* parent, bool new_pool = false);
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel() const { return cancel_; }
    QPushButton* newpool_button() const { return newpool_; }
    QPushButton* delete_pool_button() const { return delete_pool_; }
    QPushButton* add_new_pieces_button() const { return add_new_; }
    QPushButton* select_all_button() const { return select_all_; }
    QPushButton* random_button() const { return random_; }
    QPushButton* clear_all_button() const { return clear_all_; }
    QPushButton* delete_selected_pieces_button() const { return delete_pieces_; }
    QPushButton* transfer_button() const { return transfer_; }
    QPushButton* edit_piece_info_button() const { return edit_info_; }
    QPushButton* cb_1() const { return order_; }
    QLineEdit* pool_name() const { return name_; }
    QListWidget* pool_list() const { return pools_; }
    QListWidget* piece_list() const { return pieces_; }
    QListWidget* selected_list() const { return selected_; }
    QTextEdit* card_piece_list() const { return card_text_; }
    QLabel* label_2() const { return label_2_; }
    bool transfer_mode() const { return transfer_mode_; }
    // The pool of a pool_list row, or -1.
    int pool_of_row(int row) const;
    // A click on a pool_list row (the selection, or the destination of a transfer), a
    // double-click (rename).
    void pool_clicked(int row);
    void rename_pool_at(int row);
    void done(int result) override;

private:
    bool on_created();
    void fill_pool_list(int select_pool);
    void show_pieces();
    void show_selected();
    void set_buttons();
    void refresh();
    int selected_pool() const;
    std::vector<std::int32_t> listed_pieces() const;
    void add_to_list(std::int32_t piece, bool random);
    void make_new_pool();
    void delete_selected_pool();
    void set_transfer_mode(bool on);
    void transfer_to(int pool);

    std::vector<int> pool_by_row_;
    std::vector<std::int32_t> piece_by_row_;
    bool transfer_mode_ = false;
    bool make_new_pool_ = false;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr, *newpool_ = nullptr, *delete_pool_ = nullptr,
                *add_new_ = nullptr, *select_all_ = nullptr, *random_ = nullptr, *clear_all_ = nullptr,
                *delete_pieces_ = nullptr, *transfer_ = nullptr, *edit_info_ = nullptr, *order_ = nullptr;
    QLineEdit* name_ = nullptr;
    QListWidget *pools_ = nullptr, *pieces_ = nullptr, *selected_ = nullptr;
    QTextEdit* card_text_ = nullptr;
    QGroupBox *group_1_ = nullptr, *group_2_ = nullptr, *group_3_ = nullptr;
    QLabel *label_2_ = nullptr, *label_3_ = nullptr, *label_4_ = nullptr, *label_5_ = nullptr;
};

class reorder_pools_form : public form_base {
    Q_OBJECT
public:
    explicit reorder_pools_form(QWidget* parent);
    QListWidget* symlist() const { return list_; }
    QPushButton* done_button() const { return done_; }
    QPushButton* move_up_button() const { return up_; }
    QPushButton* move_down_button() const { return down_; }
    int moving_row() const { return moving_; }
    // One step of the moving row up (-1) or down (1).
    void move(int step);

private:
    void fill();
    void scroll_to_moving();

    int moving_ = 0;
    int direction_ = 0;
    QListWidget* list_ = nullptr;
    QPushButton *done_ = nullptr, *up_ = nullptr, *down_ = nullptr;
    QTimer *delay_ = nullptr, *repeat_ = nullptr;
};

// The pool the editor opens on next (set by Place Now, used once), and the pool last selected.
extern int pool_preselection;
extern int last_selected_pool;

// Runs the editor modally (`make_new_pool`: straight into the name of a new pool).
void run_edit_pool_form(bool new_pool = false);
// Runs the pool order form (nothing without pools).
void run_reorder_pools_form();
