#include "map_hooks.h"

#include "main_form.h"

#include "data/game_settings.h"
#include "mainwin/info_panel.h"
#include "mainwin/map_draw.h"
#include "mainwin/settings_files.h"
#include "platform/app_services.h"
#include "platform/files.h"
#include "platform/qt_text.h"

#include <QCoreApplication>
#include <QFileInfo>

std::string startup_command_line;
int pending_card = -1;
int pending_card_pool = 0;
QPointer<QWidget> pending_card_windows[2];
std::function<bool(const std::string&)> front_program_starter = start_program_file;
std::function<void(int, std::int32_t)> map_mode_click_hook;
std::function<void(int, std::int32_t)> right_button_mode_hook;
std::function<void(std::int32_t)> card_popup_hook;
std::function<void(int, std::int32_t)> map_popup_item_hook;

void clear_info_panels_hook() {
    // Whatever the panels showed is gone: the next pointer move fills them again.
    last_info_hex = -1;
    // A cycle over pieces of a map no longer shown has nothing left to visit.
    if (cycle_start >= 0) end_piece_cycle();
    clear_info_panels();
}
void view_resized_hook() {}
void redraw_hex_hook(int hex) {
    redraw_hex(hex);
}
void end_map_operation_hook() {
    if (main_window) main_window->end_map_operation();
}
void collect_board_cards_hook(int) {}
bool game_settings_grid_display_available() {
    return game_settings.draw_options[0] != 0;
}

void start_front_program() {
    auto found = find_file_case_blind(join_path(program_folder, "ZEL2.EXE"));
    if (!found) return;
    // Never start this program itself, whatever the front program's file turns out to be.
    QFileInfo target(path_to_qstring(*found));
    QFileInfo self(QCoreApplication::applicationFilePath());
    if (target.canonicalFilePath() == self.canonicalFilePath()) return;
    if (front_program_starter) front_program_starter(*found); // a failure to start is ignored
}
