// The line-of-sight settings of a game, the values of the last check, and the LOS properties
// of each terrain symbol.
#pragma once

#include <cstdint>
#include <vector>

struct terrain_los_struct {
    std::int32_t block_points = 0;
    std::int32_t ground_level = 0;
    std::int32_t height_above_ground = 0;
    std::int32_t percent_when_spotting = 30;
    std::int32_t percent_when_target = 60;
    std::uint8_t display_colour[3] = {};
};

struct los_settings_struct {
    std::int32_t maximum_range = -1; // in hexes; -1 unlimited
    std::uint8_t degrade_for_range = 1;
    std::int32_t points_to_block = 100; // never below 1
    char elevation_level_text[20] = "5 meters";
    std::int32_t hex_size = 0;
    char hex_units[10] = {};
    std::uint8_t ground_smoothing = 1;
    std::int32_t cliff_elevation = 2;
    std::uint8_t terrain_ground_levels_in_use = 0;
};

struct los_check_struct {
    std::int32_t check_type = 1; // 1 single
    std::int32_t direction = 5;  // 5 all
    std::int32_t spotter_hex = -1;
    std::int32_t target_hex = -1;
    std::int32_t radius = 10;
    std::int32_t spotter_height = 0;
    std::int32_t target_height = 0;
};

extern los_settings_struct los_settings;
extern los_check_struct los_check;
extern std::vector<terrain_los_struct> terrain_los_array; // one record per terrain symbol

// Defaults for the settings and the check, and one default terrain record per terrain symbol.
void reset_los_settings();
