// The removal question ("Remove From Board Options"): out of the game or into a force pool.
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

class remove_unit_to_form : public form_base {
    Q_OBJECT
public:
    remove_unit_to_form(QWidget* parent, std::int32_t piece, bool propose_pool);
    QRadioButton* remove_button() const { return leave_; }
    QRadioButton* place_to_pool_button() const { return to_pool_; }
    QListWidget* pool_list() const { return pools_; }
    QListWidget* piece_list() const { return pieces_; }
    QPushButton* remove_now() const { return now_; }
    QPushButton* cancel_button() const { return cancel_; }
    void done(int result) override;

private:
    bool on_created();
    void show_pool_pieces();
    void on_remove_now();

    std::int32_t piece_;
    bool propose_pool_;
    bool answered_ = false;
    std::vector<int> pool_indices_;
    QLabel* unit_text_ = nullptr;
    QRadioButton *leave_ = nullptr, *to_pool_ = nullptr;
    QListWidget *pools_ = nullptr, *pieces_ = nullptr;
    QPushButton *now_ = nullptr, *cancel_ = nullptr;
};

// Fills remove_question_hook with the form.
void install_removal_hooks();
