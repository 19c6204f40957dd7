// Option flags set from the main menu and read across the program.
#pragma once

#include <cstdint>

extern std::uint8_t rmb_mode;       // what the right mouse button does
extern std::int32_t operation_mode; // what a left click on the map does
extern std::uint8_t sound_on;
extern std::uint8_t autosave_on; // 0 off, else the period in minutes
extern std::uint8_t redraw_entire_screen;
