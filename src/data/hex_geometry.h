// Board geometry shared across the program: the neighbour of a hex in a keypad direction, the
// hexside features between two neighbours, and the text label of a hex on its map sheet.
#pragma once

#include "data/board.h"

#include <array>
#include <cstdint>
#include <string>

// What neighbour_hex gives instead of a hex when the step leaves the board.
constexpr std::int32_t off_board_below = 63002;
constexpr std::int32_t off_board_left = 63004;
constexpr std::int32_t off_board_right = 63006;
constexpr std::int32_t off_board_above = 63008;

// Option bits of a map sheet's flags byte.
constexpr std::uint8_t sheet_column_text_first = 2;
constexpr std::uint8_t sheet_numbered_columns = 4;
constexpr std::uint8_t sheet_numbered_rows = 8;
constexpr std::uint8_t sheet_columns_count_up = 16;
constexpr std::uint8_t sheet_rows_count_up = 32;
constexpr std::uint8_t sheet_shift_other_way = 64;

// Side bits of a hexside record, by grid type.
constexpr std::uint8_t side_1_lower_left = 1, side_1_upper_left = 2, side_1_upper = 4;
constexpr std::uint8_t side_2_lower_left = 8, side_2_left = 16, side_2_upper_left = 32;
constexpr std::uint8_t side_3_left = 64, side_3_upper = 128;

// Directions are keypad digits: 1 down-left, 2 down, 3 down-right, 4 left, 6 right, 7 up-left,
// 8 up, 9 up-right; 0 and 5 are the hex itself. A hex that is not on the board, and a
// direction the grid type has no neighbour for, give the hex back unchanged.
std::int32_t neighbour_hex(std::int32_t hex, int direction);

// The feature types found by hexside_features, ended by -1; rebuilt by every call.
constexpr int hexside_feature_capacity = 50;
extern std::array<int, hexside_feature_capacity + 1> hexside_feature_list;

// The hexside feature types on the side crossed going from hex a to its neighbour b in the
// direction; the number of entries put into hexside_feature_list.
int hexside_features(std::int32_t a, std::int32_t b, int direction);

// Whether the map has map sheets (its first sheet record in use).
bool board_has_sheets();

// The index in board_array of the first sheet in use that holds the hex, or -1.
int sheet_of_hex(std::int32_t hex);

// The label of a hex as the user sees it: its sheet's name, a space, then column and row text;
// the hex number when the map has no sheets; "Off-Board" when no sheet holds it.
std::string hex_coordinate_label(std::int32_t hex);

// The column and row part of a label on the sheet, without the name.
std::string sheet_location_text(const board_struct& sheet, std::int32_t hex);

// The hex whose column and row text on the sheet is the text, or 63000 when there is none.
std::int32_t parse_location_text(const board_struct& sheet, const std::string& text);
