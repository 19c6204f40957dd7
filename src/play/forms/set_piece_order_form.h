// Sorting the pieces of a hex: the current order, and a new order built by double clicks.
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <vector>

class QListWidget;
class QPushButton;

class set_piece_order_form : public form_base {
    Q_OBJECT
public:
    set_piece_order_form(QWidget* parent, std::int32_t hex);
    QListWidget* oldlist() const { return old_; }
    QListWidget* newlist() const { return new_; }
    QPushButton* save_button() const { return save_; }
    QPushButton* cancel_button() const { return cancel_; }
    // Double clicks, as the lists take them.
    void take_into_new(int old_row);
    void give_back(int new_row);

private:
    void show_lists(int filled = -1);

    std::int32_t hex_;
    std::vector<int> old_order_, new_order_;
    std::size_t places_ = 0;
    QListWidget *old_ = nullptr, *new_ = nullptr;
    QPushButton *save_ = nullptr, *cancel_ = nullptr;
};

// Fills piece_order_form_hook.
void install_piece_order_hooks();
