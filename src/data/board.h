// The map board in memory: its hexes and the lists drawn over them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int max_hexes = 60000;
constexpr int max_hexline_types = 250;
constexpr std::int32_t grid_symbol_none = 63000;
constexpr std::uint8_t default_background_colour = 13;

struct hex_struct {
    std::int32_t terrain = 0;
    std::int32_t second_terrain = 63000; // 63000 (any index past the terrain table) = none
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
    std::uint8_t grid_type = 1; // 1 odd columns shifted down, 2 odd rows shifted right, 3 squares
    // Bytes of the file kept and written back unchanged.
    std::uint8_t kept_header_byte = 0;
    std::uint8_t kept_settings_byte = 0;
    std::uint8_t kept_settings_block_1[10] = {};
    std::uint8_t kept_settings_block_2[10] = {};
    std::uint8_t kept_view_byte = 0;
    // 1 = converted from a version-1 map; 2 after a read; 213 after a write.
    std::int32_t map_file_version = 0;
    // Map settings kept with the board.
    std::int32_t grid_symbol = grid_symbol_none; // terrain symbol drawn as the grid; 63000 none
    std::uint8_t grid_display = 0;
    std::uint8_t grid_adjustment = 1;
    std::uint8_t draw_layer_order[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    std::uint8_t background_colour = default_background_colour; // colour_table index
    std::int32_t saved_view_origin = 0; // the view origin and zoom last saved with the board
    std::uint8_t saved_zoom_level = 0;
    std::uint8_t use_elevations = 0;
    std::uint8_t fast_draw = 0;
    std::uint8_t has_map_sheets = 0; // the first board record is in use
    // Numbers of hexside and hexline records, end record included.
    std::int32_t hexside_count = 0;
    std::int32_t hexline_count = 0;
    // Per zoom: the hex cell size derived from the symbol set.
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

// The path of the board's .MAP file.
extern std::string linked_map_path;
// Set when the map and symbol set are loaded for a game: the readers open the linked files at
// once and ask for others only when those are missing.
extern bool load_for_game;

// Checked look-up of a hexside or hexline type: null when the type names no record, or a
// record not in use (style 0), which is then not drawn.
const hexline_type_struct* hexline_type_of(const board_state& b, std::uint8_t type);

bool map_loaded();
void free_map();
// Rebuilds board->hex_piece_counts from the pieces standing on the board.
void rebuild_hex_piece_counts();
