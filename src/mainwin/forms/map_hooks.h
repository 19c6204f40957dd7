// Calls from the main window into parts of the view and the card windows that are built
// elsewhere. Each does nothing until its owner fills it in.
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

// The command line the program was started with.
extern std::string startup_command_line;

// Card handed over by a deck or hand window (user events 1, 10 and 11).
extern int pending_card;
extern int pending_card_pool;
extern QPointer<QWidget> pending_card_windows[2];

// Work of the map clicks that later parts fill: the left click of operation modes 7 to 9 (line
// of sight) and 10 and 11 (cards), and the right-button modes 3, 4 and 6; the card popup of a hex
// with cards; the map popup's Add, Remove, Flip and LOS items (by command id).
extern std::function<void(int mode, std::int32_t hex)> map_mode_click_hook;
extern std::function<void(int rmb_mode, std::int32_t hex)> right_button_mode_hook;
extern std::function<void(std::int32_t hex)> card_popup_hook;
extern std::function<void(int item, std::int32_t hex)> map_popup_item_hook;

void clear_info_panels_hook();
void view_resized_hook();
void redraw_hex_hook(int hex);
void end_map_operation_hook();
void collect_board_cards_hook(int pool);
bool game_settings_grid_display_available();

// Starts the front program "ZEL2.EXE" from the program folder when it is there. Tests replace
// the starter to see what would be started.
extern std::function<bool(const std::string& path)> front_program_starter;
void start_front_program();
