// One player's name, picture, password, hidden-piece options and reveal range.
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Ui {
class player_info_form;
}

class player_info_form : public form_base {
    Q_OBJECT
public:
    // The player to edit is read from edit_index when the form is created; the end record's
    // index makes a new player.
    explicit player_info_form(QWidget* parent);
    ~player_info_form() override;
    Ui::player_info_form& controls() { return *ui_; }
    int player_index() const { return index_; }
    // False when no record could be made: the form is not to be shown.
    bool usable() const { return index_ >= 0; }
    bool is_new_player() const { return new_player_; }
    bool stored() const { return stored_; }
    bool picture_present() const { return picture_present_; }
    const std::string& picture_path() const { return picture_path_; }
    std::int32_t working_symbol() const { return symbol_; }

private:
    bool on_created();
    void fill_symbol_box();
    void select_symbol_by_name(const QString& name);
    void show_symbol_preview();
    // Loads the picture (asking to browse for a missing file) and shows it.
    void show_picture(std::string path);
    bool browse_for_picture();
    void clear_picture();
    void save();

    std::unique_ptr<Ui::player_info_form> ui_;
    int index_ = -1;
    bool new_player_ = false;
    bool had_password_ = false;
    bool picture_present_ = false;
    bool stored_ = false;
    bool filling_ = false;
    std::string new_password_;
    std::string picture_path_;
    std::int32_t symbol_ = 63001;
};

// Runs player_info_form modally on edit_index; a new player left unsaved is taken back.
void run_player_info_form();
