// The three settings files of the program folder: recent games, default folders, preferences.
#pragma once

#include "data/folders.h"
#include "data/view_state.h" // info_panel_height, info_panel_width

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

extern std::string recent_games[5]; // most recent first; an empty entry ends the list

struct preferences_struct {
    int print_resolution = 300;
    int aspect_width = 10, aspect_height = 10;
    int print_setting_1 = 7, print_setting_2 = 2;
    std::uint8_t form_colour[3] = {76, 181, 232};
    std::uint8_t show_new_game_help = 1;
    int window_x = 0, window_y = 0, window_width = 620, window_height = 440;
};
extern preferences_struct preferences;
// The preference bytes (ask_place_from_pools ... resizable_forms) are in data/options.h.

// Height of the two info boxes and width of the hex info box kept between resizes and runs
// (-1 = not yet laid out).
// Reads the current size of the hex info panel into the two values above before they are saved;
// set by the main window while it exists.
extern std::function<void()> read_info_panel_size_hook;

// The file names, in the program folder.
constexpr const char* recent_games_file_name = "LASTGAME.LST";
constexpr const char* default_dirs_file_name = "ZEL_DIRS.LST";
constexpr const char* preferences_file_name = "ZEL_DFLT.LST";
constexpr std::size_t preferences_file_size = 32;

// A rectangle of the screen, in pixels.
struct screen_rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// Keeps a window rectangle inside the screen's work area: at least 560 x 300, no wider than the
// area, no higher than the area less 30 pixels, and moved back inside it.
screen_rect fit_window_to_screen(screen_rect window, const screen_rect& work_area);

// Computes program_folder, sets the default folders and reads the folders file.
void set_default_dirs();
// Writes the folders file; true when it was written (a failure is reported).
bool save_default_dirs();
void load_recent_games();
// Puts current_game_path at the front of the list and writes the file; false when not written.
bool save_recent_games();
// Reads the preferences file, or writes a new one with the defaults when there is none; the
// window rectangle is kept inside the given screen work area.
void load_preferences(const screen_rect& work_area);
// Writes the preferences file; false when it could not be written.
bool save_preferences();

// The 32 bytes of the preferences file for the current values, and the reading of such bytes
// (a file shorter than 32 bytes keeps the defaults of the rest).
std::string preferences_file_path();
std::vector<std::uint8_t> encode_preferences();
void decode_preferences(const std::vector<std::uint8_t>& bytes, const screen_rect& work_area);
