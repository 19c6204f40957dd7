#include "hex_geometry.h"

#include "data/records.h"

#include <algorithm>
#include <cstring>

std::array<int, hexside_feature_capacity + 1> hexside_feature_list = {-1};

namespace {

bool on_board(std::int64_t hex) {
    return hex >= 0 && hex < board->hex_count && board->map_columns > 0;
}

bool is_odd(std::int64_t v) {
    return v % 2 != 0;
}

// Steps of each direction 1..9: {column step, row step in an odd line, row step in an even
// line} for grid type 1 (lines are columns), the same with columns and rows exchanged for grid
// type 2 (lines are rows); 9 marks a direction the grid has no neighbour in.
struct step {
    int along, odd, even;
};
constexpr step no_step = {9, 9, 9};
constexpr step column_steps[10] = {no_step, {-1, 1, 0}, {0, 1, 1},   {1, 1, 0},   no_step,
                                   no_step, no_step,    {-1, 0, -1}, {0, -1, -1}, {1, 0, -1}};
constexpr step row_steps[10] = {no_step, {1, 0, -1}, no_step,     {1, 1, 0}, {0, -1, -1},
                                no_step, {0, 1, 1},  {-1, 0, -1}, no_step,   {-1, 1, 0}};
constexpr step square_steps[10] = {no_step, {-1, 1, 1}, {0, 1, 1},    {1, 1, 1},   {-1, 0, 0},
                                   no_step, {1, 0, 0},  {-1, -1, -1}, {0, -1, -1}, {1, -1, -1}};

// Column and row steps of one direction; false when the grid type has no neighbour that way.
bool direction_step(int grid_type, bool odd, int direction, int& dc, int& dr) {
    if (direction < 0 || direction > 9) return false;
    const auto d = static_cast<std::size_t>(direction);
    const step* table = grid_type == 1   ? column_steps
                        : grid_type == 2 ? row_steps
                        : grid_type == 3 ? square_steps
                                         : nullptr;
    if (!table || table[d].along == 9) return false;
    const int across = odd ? table[d].odd : table[d].even;
    if (grid_type == 2) {
        dr = table[d].along;
        dc = across;
    } else {
        dc = table[d].along;
        dr = across;
    }
    return true;
}

// One side of a hex: the hex that stores it and its bit there; hex -1 when there is none.
struct side_ref {
    std::int64_t hex = -1;
    std::uint8_t bit = 0;
};

// The hex right of a, or -1 in the last column (a + 1 would be the next row's first hex).
std::int64_t right_of(std::int64_t a) {
    const std::int64_t columns = board->map_columns;
    return a % columns == columns - 1 ? -1 : a + 1;
}

std::int64_t below(std::int64_t a) {
    std::int64_t b = a + board->map_columns;
    return b < board->hex_count ? b : -1;
}

// The side crossed going from a to b in the direction, and on square diagonals the second side
// that meets it at the corner crossed.
bool crossed_sides(std::int64_t a, std::int64_t b, int direction, side_ref& first, side_ref& second) {
    first = {};
    second = {};
    switch (board->grid_type) {
    case 1:
        switch (direction) {
        case 1:
            first = {a, side_1_lower_left};
            return true;
        case 2:
            first = {b, side_1_upper};
            return true;
        case 3:
            first = {b, side_1_upper_left};
            return true;
        case 7:
            first = {a, side_1_upper_left};
            return true;
        case 8:
            first = {a, side_1_upper};
            return true;
        case 9:
            first = {b, side_1_lower_left};
            return true;
        default:
            return false;
        }
    case 2:
        switch (direction) {
        case 1:
            first = {a, side_2_lower_left};
            return true;
        case 3:
            first = {b, side_2_upper_left};
            return true;
        case 4:
            first = {a, side_2_left};
            return true;
        case 6:
            first = {b, side_2_left};
            return true;
        case 7:
            first = {a, side_2_upper_left};
            return true;
        case 9:
            first = {b, side_2_lower_left};
            return true;
        default:
            return false;
        }
    case 3:
        switch (direction) {
        case 1:
            first = {a, side_3_left}, second = {below(a), side_3_upper};
            return true;
        case 2:
            first = {below(a), side_3_upper};
            return true;
        case 3:
            first = {right_of(a), side_3_left}, second = {below(a), side_3_upper};
            return true;
        case 4:
            first = {a, side_3_left};
            return true;
        case 6:
            first = {right_of(a), side_3_left};
            return true;
        case 7:
            first = {a, side_3_left}, second = {a, side_3_upper};
            return true;
        case 8:
            first = {a, side_3_upper};
            return true;
        case 9:
            first = {a, side_3_upper}, second = {right_of(a), side_3_left};
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

std::string letters_of(std::int64_t n) {
    if (n == 0) return {};
    if (n < 0) return "-" + letters_of(-n);
    std::string text;
    while (n > 0) {
        --n;
        text.insert(text.begin(), static_cast<char>('A' + n % 26));
        n /= 26;
    }
    return text;
}

// The column or row text of a number: digits or letters, brought to the label width.
std::string number_text(std::int64_t n, bool numbered, int width) {
    if (width <= 0) return {};
    std::string text;
    bool negative = false;
    if (numbered) {
        negative = n < 0;
        text = std::to_string(negative ? -n : n);
    } else {
        text = letters_of(n);
    }
    const auto w = static_cast<std::size_t>(width);
    if (numbered) {
        // Zeros go after the sign, so that a negative number still reads as one.
        std::size_t digits = negative ? w - 1 : w;
        if (text.size() < digits) text.insert(0, digits - text.size(), '0');
        if (negative) text.insert(text.begin(), '-');
    } else if (text.size() < w) {
        text.insert(0, w - text.size(), ' ');
    }
    if (text.size() > w) text.erase(0, text.size() - w);
    return text;
}

std::int64_t column_number(const board_struct& s, std::int64_t rel_column) {
    return (s.flags & sheet_columns_count_up) ? s.column_origin + rel_column : s.column_origin - rel_column;
}

std::int64_t row_number(const board_struct& s, std::int64_t rel_row) {
    return (s.flags & sheet_rows_count_up) ? s.row_origin + rel_row : s.row_origin - rel_row;
}

std::string column_text(const board_struct& s, std::int64_t rel_column) {
    return number_text(column_number(s, rel_column), s.flags & sheet_numbered_columns, s.column_label_width);
}

std::string row_text(const board_struct& s, std::int64_t rel_row) {
    return number_text(row_number(s, rel_row), s.flags & sheet_numbered_rows, s.row_label_width);
}

// The half-hex shift between a sheet's own rows (grid type 1) or columns (grid type 2) and the
// board's, for a hex in the given board column (type 1) or row (type 2).
int sheet_shift(const board_struct& s, std::int64_t line) {
    const bool other_way = s.flags & sheet_shift_other_way;
    if (board->grid_type == 1) {
        // Odd columns sit lower: a sheet starting in an odd column with bit 64 takes the even
        // columns one row lower; one starting in an even column without it, the odd ones higher.
        if (other_way && is_odd(s.first_column) && !is_odd(line)) return 1;
        if (!other_way && !is_odd(s.first_column) && is_odd(line)) return -1;
    } else if (board->grid_type == 2) {
        if (other_way && !is_odd(s.first_row) && is_odd(line)) return -1;
        if (!other_way && is_odd(s.first_row) && !is_odd(line)) return 1;
    }
    return 0;
}

// Relative column and row of a board hex on a sheet; false when the sheet does not hold it.
bool relative_position(const board_struct& s, std::int64_t hex, std::int64_t& rel_column,
                       std::int64_t& rel_row) {
    const std::int64_t c = hex % board->map_columns;
    const std::int64_t r = hex / board->map_columns;
    std::int64_t dc = 0, dr = 0;
    if (board->grid_type == 1) dr = sheet_shift(s, c);
    if (board->grid_type == 2) dc = sheet_shift(s, r);
    if (c < s.first_column + dc || c > s.last_column + dc) return false;
    if (r < s.first_row + dr || r > s.last_row + dr) return false;
    rel_column = c - s.first_column - dc;
    rel_row = r - s.first_row - dr;
    return true;
}

// The sheets in use, in list order.
template <typename F> void for_each_sheet(F f) {
    const auto& sheets = board->board_array;
    for (std::size_t i = 0; i < sheets.size() && sheets[i].flags != 0; ++i)
        if (f(static_cast<int>(i), sheets[i])) return;
}

std::string sheet_name(const board_struct& s) {
    return std::string(s.name, strnlen(s.name, sizeof s.name));
}

} // namespace

std::int32_t neighbour_hex(std::int32_t hex, int direction) {
    if (!on_board(hex)) return hex;
    const std::int64_t columns = board->map_columns;
    std::int64_t column = hex % columns;
    std::int64_t row = hex / columns;
    const bool odd = is_odd(board->grid_type == 2 ? row : column);
    int dc = 0, dr = 0;
    if (!direction_step(board->grid_type, odd, direction, dc, dr)) return hex;
    column += dc;
    row += dr;
    if (column >= columns) return off_board_right;
    if (column < 0) return off_board_left;
    if (row < 0) return off_board_above;
    if (row >= board->map_rows) return off_board_below;
    return static_cast<std::int32_t>(row * columns + column);
}

int hexside_features(std::int32_t a, std::int32_t b, int direction) {
    hexside_feature_list[0] = -1;
    const auto& sides = board->hexside_array;
    const auto& types = board->hexline_type_array;
    if (sides.empty() || sides[0].hex == location_end) return 0;
    if (types.empty() || types[0].style == 0) return 0;
    if (!on_board(a)) return 0;

    side_ref first, second;
    if (!crossed_sides(a, b, direction, first, second)) return 0;
    if (!on_board(first.hex)) return 0;

    int count = 0;
    for (const hexside_struct& rec : sides) {
        if (count == hexside_feature_capacity) break;
        if (rec.hex != first.hex || !(rec.sides & first.bit)) continue;
        if (second.bit == 0) {
            hexside_feature_list[static_cast<std::size_t>(count++)] = rec.type;
            continue;
        }
        if (!on_board(second.hex)) continue;
        for (const hexside_struct& other : sides) {
            if (count == hexside_feature_capacity) break;
            if (other.hex == second.hex && other.type == rec.type && (other.sides & second.bit))
                hexside_feature_list[static_cast<std::size_t>(count++)] = rec.type;
        }
    }
    hexside_feature_list[static_cast<std::size_t>(count)] = -1;
    return count;
}

bool board_has_sheets() {
    return !board->board_array.empty() && board->board_array[0].flags != 0;
}

int sheet_of_hex(std::int32_t hex) {
    if (!on_board(hex)) return -1;
    int found = -1;
    for_each_sheet([&](int i, const board_struct& s) {
        std::int64_t rc = 0, rr = 0;
        if (!relative_position(s, hex, rc, rr)) return false;
        found = i;
        return true;
    });
    return found;
}

std::string sheet_location_text(const board_struct& s, std::int32_t hex) {
    std::int64_t rc = 0, rr = 0;
    if (!on_board(hex) || !relative_position(s, hex, rc, rr)) return {};
    return (s.flags & sheet_column_text_first) ? column_text(s, rc) + row_text(s, rr)
                                               : row_text(s, rr) + column_text(s, rc);
}

std::string hex_coordinate_label(std::int32_t hex) {
    if (!board_has_sheets()) return std::to_string(hex);
    int i = sheet_of_hex(hex);
    if (i < 0) return "Off-Board";
    const board_struct& s = board->board_array[static_cast<std::size_t>(i)];
    return sheet_name(s) + " " + sheet_location_text(s, hex);
}

std::int32_t parse_location_text(const board_struct& s, const std::string& text) {
    if (!on_board(0)) return location_end;
    const std::size_t cw = s.column_label_width, rw = s.row_label_width;
    if (text.size() != cw + rw) return location_end;
    const bool column_first = s.flags & sheet_column_text_first;
    const std::string col_part = column_first ? text.substr(0, cw) : text.substr(rw);
    const std::string row_part = column_first ? text.substr(cw) : text.substr(0, rw);

    // Search the sheet's columns and rows for the texts, rather than reading the texts back as
    // numbers: that undoes the padding, the letters and the cut to the label width exactly as
    // the labels were made. Only positions that can land on the board are tried; the half-hex
    // shift moves a sheet row or column by at most one.
    const std::int64_t columns = board->map_columns, rows = board->map_rows;
    const std::int64_t x1 = s.first_column, y1 = s.first_row;
    const std::int64_t slack_c = board->grid_type == 2 ? 1 : 0;
    const std::int64_t slack_r = board->grid_type == 1 ? 1 : 0;
    std::int64_t rel_column = -1, rel_row = -1;
    const std::int64_t c_from = std::max<std::int64_t>(0, -x1 - slack_c);
    const std::int64_t c_to = std::min<std::int64_t>(s.last_column - x1, columns - 1 - x1 + slack_c);
    for (std::int64_t rc = c_from; rc <= c_to; ++rc)
        if (column_text(s, rc) == col_part) {
            rel_column = rc;
            break;
        }
    const std::int64_t r_from = std::max<std::int64_t>(0, -y1 - slack_r);
    const std::int64_t r_to = std::min<std::int64_t>(s.last_row - y1, rows - 1 - y1 + slack_r);
    for (std::int64_t rr = r_from; rr <= r_to; ++rr)
        if (row_text(s, rr) == row_part) {
            rel_row = rr;
            break;
        }
    if (rel_column < 0 || rel_row < 0) return location_end;

    std::int64_t c = x1 + rel_column;
    std::int64_t r = y1 + rel_row;
    if (board->grid_type == 1) r += sheet_shift(s, c);
    if (board->grid_type == 2) c += sheet_shift(s, r);
    if (c < 0 || c >= columns || r < 0 || r >= rows) return location_end;
    return static_cast<std::int32_t>(r * columns + c);
}
