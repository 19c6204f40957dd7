// The map board in memory: its hexes and the lists drawn over them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct hex_struct {
    std::int32_t terrain = 0;
    std::int32_t second_terrain = 0;
    std::int32_t elevation = 0;
    std::uint8_t flags = 0; // 1 hexlines, 2 place name, 4 hexsides; flags / 8 = overlay count
};

struct placename_struct {
    std::int32_t hex = 63000;
    std::int32_t terrain = 0;
    char name[25] = {};
    std::uint8_t colour = 0;
    std::uint8_t font_size[3] = {};
    std::uint8_t label_position[3] = {};
    std::uint8_t style = 0;
};

struct hexside_struct {
    std::int32_t hex = 63000;
    std::uint8_t type = 0;
    std::uint8_t sides = 0;
};

struct hexline_type_struct {
    std::uint8_t colour = 0;
    std::uint8_t pen_width[3] = {};
    char name[25] = {};
    std::uint8_t style = 0; // 0 = not in use, ends the list
};

struct hex_overlay_struct {
    std::int32_t hex = 63000;
    std::int32_t terrain = 0;
};

struct board_struct {
    std::int32_t first_column = 0, first_row = 0, last_column = 0, last_row = 0;
    char name[10] = {};
    std::uint8_t flags = 0; // 0 ends the list
    std::int32_t column_origin = 0;
    std::uint16_t row_origin = 0;
    std::uint8_t column_label_width = 0;
    std::uint8_t row_label_width = 0;
};

struct hexline_struct {
    std::int32_t hex = 63000;
    std::uint8_t type = 0;
    std::uint8_t directions_1 = 0;
    std::uint8_t directions_2 = 0;
};

struct board_state {
    std::int32_t map_columns = 0;
    std::int32_t map_rows = 0;
    std::int32_t hex_count = 0;
    std::uint8_t grid_type = 1;
    // Pixel step from one column / one row to the next at each zoom, derived from the symbol
    // set's cell sizes when the board is read.
    std::int32_t hex_width_by_zoom[3] = {};
    std::int32_t hex_height_by_zoom[3] = {};
    std::vector<hex_struct> hex_array;
    std::vector<placename_struct> placename_array;
    std::vector<hexside_struct> hexside_array;
    std::vector<hexline_type_struct> hexline_type_array;
    std::vector<hex_overlay_struct> hex_overlay_array;
    std::vector<board_struct> board_array;
    std::vector<hexline_struct> hexline_array;
    // Pieces standing in each hex (pooled pieces not counted). Wide enough for every piece.
    std::vector<std::int32_t> hex_piece_counts;
};

// The board in memory. Never null while the program runs.
extern std::unique_ptr<board_state> board;

bool map_loaded();
void free_map();
