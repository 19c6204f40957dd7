// The three settings files of the program folder: recent games, default folders, preferences.
#pragma once

#include <cstdint>
#include <string>

extern std::string program_folder; // ends with a separator
// When set, the program folder used instead of the executable's (tests).
extern std::string program_folder_override;
extern std::string recent_games[5];

struct default_path_names_struct {
    std::string pictures, sounds, games, player_pictures, video_clips;
};
extern default_path_names_struct default_paths;

struct preferences_struct {
    int print_resolution = 300;
    int aspect_width = 10, aspect_height = 10;
    int print_setting_1 = 7, print_setting_2 = 2;
    std::uint8_t form_colour[3] = {76, 181, 232};
    std::uint8_t show_new_game_help = 1;
    int window_x = 0, window_y = 0, window_width = 620, window_height = 440;
};
extern preferences_struct preferences;
extern std::uint8_t ask_place_from_pools, ask_remove_to_pool, auto_place_from_pool, auto_remove_to_pool;
extern std::uint8_t sort_classes_alphabetically, combat_options, default_comment_to_text, resizable_forms;

void set_default_dirs();
void load_recent_games();
void save_recent_games();
void load_preferences();
void save_preferences();
