// Option flags set from the main menu and read across the program.
#pragma once

#include <cstdint>

extern std::uint8_t rmb_mode;       // what the right mouse button does
extern std::int32_t operation_mode; // what a left click on the map does
extern std::uint8_t sound_on;
extern std::uint8_t autosave_on; // 0 off, else the period in minutes
extern std::uint8_t redraw_entire_screen;

// Preferences kept in the preferences file. combat_options: bit value 2 rolls the dice after a
// resolved combat.
extern std::uint8_t ask_place_from_pools, ask_remove_to_pool, auto_place_from_pool, auto_remove_to_pool;
extern std::uint8_t sort_classes_alphabetically, combat_options, default_comment_to_text, resizable_forms;
