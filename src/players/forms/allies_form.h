// Setting which players are allied.
#pragma once

#include "platform/form.h"

#include <memory>
#include <vector>

namespace Ui {
class allies_form;
}
class QLabel;
class QListWidget;

class allies_form : public form_base {
    Q_OBJECT
public:
    explicit allies_form(QWidget* parent);
    ~allies_form() override;
    Ui::allies_form& controls() { return *ui_; }
    // The selected player, -1 when the game has no players.
    int selected_player() const { return selected_; }

private:
    bool on_created();
    bool on_player_selected();
    bool on_row_selected(QListWidget* list, const std::vector<int>& rows);
    bool on_double_click(QListWidget* list, const std::vector<int>& rows, const event_data& ev, bool allied);
    void fill_lists();
    void show_picture(QLabel* box, int player);

    std::unique_ptr<Ui::allies_form> ui_;
    int selected_ = -1;
    // Row -> player index of allies_list and avail_list.
    std::vector<int> allies_rows_, avail_rows_;
    bool filling_ = false;
};

// Runs allies_form modally ("Set Player Alliances").
void run_allies_form();
