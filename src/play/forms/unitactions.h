// The piece actions form: the pieces of one hex in a grid, and what a player does with them.
#pragma once

#include "platform/form.h"
#include "play/piece_actions.h"

#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QToolButton;

class unitactions : public form_base {
    Q_OBJECT
public:
    unitactions(QWidget* parent, std::int32_t hex);
    ~unitactions() override;

    QTableWidget* grid() const { return grid_; }
    QToolButton* button(const char* name) const;
    QCheckBox* auto_close_box() const { return auto_close_; }
    // The clicks of the double click that opened the form are not taken; after 500 ms they are.
    void accept_clicks() { clicks_accepted_ = true; }
    const std::vector<action_row>& rows() const { return rows_; }
    bool marked(int row) const {
        return row >= 0 && static_cast<std::size_t>(row) < marked_.size() &&
               marked_[static_cast<std::size_t>(row)];
    }
    // The right-button menu of a row, built as it would be shown (for the keyboard and tests).
    QMenu* row_menu(int row);
    void row_clicked(int row);
    void done(int result) override;

private:
    bool on_created();
    void fill_rows();
    void lay_out_columns(int width);
    void set_buttons();
    void set_mark(int row, bool on);
    std::vector<std::int32_t> marked_pieces(int min_visibility, std::size_t at_most) const;
    void on_move();
    void on_combat(char side);
    void on_add();
    void on_remove();
    void on_flip(bool forward);
    void on_sort();
    void on_double_click(int row, int column);
    void on_hidden_item(int state);
    void after_action();

    std::int32_t hex_;
    std::vector<action_row> rows_;
    std::vector<bool> marked_;
    bool first_click_ = true;
    bool clicks_accepted_ = false;
    bool facing_shown_ = false;
    int menu_row_ = -1;
    QLabel* label_1_ = nullptr;
    QLabel* label_2_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QCheckBox* auto_close_ = nullptr;
    QPushButton* sel_all_ = nullptr;
    std::vector<QToolButton*> buttons_;
    QMenu* menu_ = nullptr;
};

// Opens the form modally for the hex (tests may replace it).
extern std::function<void(std::int32_t hex)> piece_actions_form_hook;
void open_piece_actions(std::int32_t hex);
