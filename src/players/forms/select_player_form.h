// The list of players: edit, add or delete one.
#pragma once

#include "platform/form.h"

#include <memory>

namespace Ui {
class select_player_form;
}

class select_player_form : public form_base {
    Q_OBJECT
public:
    explicit select_player_form(QWidget* parent);
    ~select_player_form() override;
    Ui::select_player_form& controls() { return *ui_; }
    // The selected player, -1 when the game has none.
    int selected_player() const { return selected_; }

private:
    bool on_created();
    bool on_player_selected();
    void fill_list();
    void show_picture();

    std::unique_ptr<Ui::select_player_form> ui_;
    int selected_ = -1;
    bool filling_ = false;
};

// Runs select_player_form modally ("Select Player").
void run_select_player_form();
