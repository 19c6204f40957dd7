#include "test_support.h"

#include "data/hex_geometry.h"

#include <cstring>
#include <set>

namespace {

class hex_geometry_test : public fresh_game_test {
protected:
    void make_board(int columns, int rows, int grid) {
        board->map_columns = columns;
        board->map_rows = rows;
        board->hex_count = columns * rows;
        board->grid_type = static_cast<std::uint8_t>(grid);
        board->hex_array.assign(static_cast<std::size_t>(columns * rows), hex_struct{});
    }
    static board_struct sheet(const char* name, int x1, int y1, int x2, int y2, int flags, int column_origin,
                              int column_width, int row_origin, int row_width) {
        board_struct s;
        s.first_column = x1;
        s.first_row = y1;
        s.last_column = x2;
        s.last_row = y2;
        std::strncpy(s.name, name, sizeof s.name);
        s.flags = static_cast<std::uint8_t>(flags);
        s.column_origin = column_origin;
        s.column_label_width = static_cast<std::uint8_t>(column_width);
        s.row_origin = static_cast<std::uint16_t>(row_origin);
        s.row_label_width = static_cast<std::uint8_t>(row_width);
        return s;
    }
    void set_sheets(std::vector<board_struct> sheets) {
        sheets.push_back(board_struct{}); // end record
        board->board_array = std::move(sheets);
    }
    void add_side(int hex, int type, int bits) {
        auto& sides = board->hexside_array;
        if (!sides.empty() && sides.back().hex == 63000) sides.pop_back();
        sides.push_back({hex, static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(bits)});
        sides.push_back(hexside_struct{});
    }
    void add_line_type() {
        hexline_type_struct t;
        t.style = 1;
        board->hexline_type_array = {t, hexline_type_struct{}};
    }
    std::vector<int> found() const {
        std::vector<int> v;
        for (int t : hexside_feature_list) {
            if (t == -1) break;
            v.push_back(t);
        }
        return v;
    }
};

// --- neighbours ---------------------------------------------------------------------------

TEST_F(hex_geometry_test, neighbours_step_off_each_edge_with_its_code) {
    struct row {
        int grid, hex, direction, expected;
    };
    const row table[] = {
        {1, 0, 8, 63008},    {1, 0, 7, 63004}, // the column is tested before the row
        {1, 95, 2, 63002},   {1, 9, 3, 63006},  {1, 9, 9, 63006},  {1, 99, 3, 63006},
        {3, 10, 4, 63004},   {3, 9, 6, 63006}, // not hex 10, the first hex of the next row
        {3, 19, 3, 63006},   {3, 19, 9, 63006}, {3, 90, 1, 63004}, {3, 95, 3, 63002},
        {2, 19, 6, 63006},   {2, 19, 3, 63006}, // row 1 is odd: down-right is column + 1
        {2, 29, 3, 29 + 10},                    // row 2 is even: down-right keeps the column
        {2, 10, 4, 63004},   {2, 0, 1, 63004},  {2, 10, 1, 20},    {2, 5, 7, 63008}, // row 0: up is off
    };
    for (const auto& r : table) {
        make_board(10, 10, r.grid);
        EXPECT_EQ(neighbour_hex(r.hex, r.direction), r.expected)
            << "grid " << r.grid << " hex " << r.hex << " direction " << r.direction;
    }
}

TEST_F(hex_geometry_test, neighbours_of_inner_hexes_by_grid_type) {
    // 10 x 10 board; hex 44 is column 4 row 4 (even), hex 55 column 5 row 5 (odd).
    struct row {
        int grid, hex;
        int expected[10]; // directions 0..9
    };
    const row table[] = {
        {1, 44, {44, 43, 54, 45, 44, 44, 44, 33, 34, 35}}, {1, 55, {55, 64, 65, 66, 55, 55, 55, 54, 45, 56}},
        {2, 44, {44, 53, 44, 54, 43, 44, 45, 33, 44, 34}}, {2, 55, {55, 65, 55, 66, 54, 55, 56, 45, 55, 46}},
        {3, 44, {44, 53, 54, 55, 43, 44, 45, 33, 34, 35}},
    };
    for (const auto& r : table) {
        make_board(10, 10, r.grid);
        for (int d = 0; d <= 9; ++d)
            EXPECT_EQ(neighbour_hex(r.hex, d), r.expected[d]) << "grid " << r.grid << " direction " << d;
        EXPECT_EQ(neighbour_hex(r.hex, 10), r.hex);
        EXPECT_EQ(neighbour_hex(r.hex, -1), r.hex);
    }
}

TEST_F(hex_geometry_test, neighbours_are_mutual_and_off_board_codes_name_the_edge) {
    for (int grid : {1, 2, 3}) {
        make_board(7, 6, grid);
        for (int h = 0; h < board->hex_count; ++h) {
            for (int d : {1, 2, 3, 4, 6, 7, 8, 9}) {
                int n = neighbour_hex(h, d);
                if (n == h) continue; // no neighbour that way on this grid
                if (n < board->hex_count) {
                    EXPECT_EQ(neighbour_hex(n, 10 - d), h) << "grid " << grid << " hex " << h << " dir " << d;
                    continue;
                }
                const int c = h % 7, r = h / 7;
                const bool at_edge = (n == 63004 && c == 0) || (n == 63006 && c == 6) ||
                                     (n == 63008 && r == 0) || (n == 63002 && r == 5);
                EXPECT_TRUE(at_edge) << "grid " << grid << " hex " << h << " dir " << d << " gave " << n;
            }
        }
    }
}

TEST_F(hex_geometry_test, a_hex_not_on_the_board_has_no_neighbours) {
    make_board(10, 10, 3);
    for (int hex : {-1, 100, 63000, 63006})
        for (int d : {1, 2, 3, 4, 6, 7, 8, 9})
            EXPECT_EQ(neighbour_hex(hex, d), hex);
    free_map();
    EXPECT_EQ(neighbour_hex(5, 6), 5); // no map: no division by zero
}

// --- hexside features ---------------------------------------------------------------------

TEST_F(hex_geometry_test, hexside_feature_is_found_on_the_side_the_direction_crosses) {
    // From hex a = column 4 row 4 of a 10 x 10 board (even column and row) and hex 55 (odd),
    // which hex holds the crossed side and under which bit.
    struct row {
        int grid, a, direction;
        bool on_b; // the neighbour holds the side
        int bit;
    };
    const row table[] = {
        {1, 44, 1, false, 1},  {1, 44, 2, true, 4},   {1, 44, 3, true, 2},   {1, 44, 7, false, 2},
        {1, 44, 8, false, 4},  {1, 44, 9, true, 1},   {1, 55, 1, false, 1},  {1, 55, 9, true, 1},
        {2, 44, 1, false, 8},  {2, 44, 3, true, 32},  {2, 44, 4, false, 16}, {2, 44, 6, true, 16},
        {2, 44, 7, false, 32}, {2, 44, 9, true, 8},   {2, 55, 3, true, 32},  {2, 55, 7, false, 32},
        {3, 44, 2, true, 128}, {3, 44, 4, false, 64}, {3, 44, 6, true, 64},  {3, 44, 8, false, 128},
    };
    for (const auto& r : table) {
        make_board(10, 10, r.grid);
        add_line_type();
        const int b = neighbour_hex(r.a, r.direction);
        const int holder = r.on_b ? b : r.a;
        add_side(holder, 7, r.bit);
        add_side(holder, 3, 255 & ~r.bit);  // every other side of the holder: not this one
        add_side(r.on_b ? r.a : b, 5, 255); // the other hex's own sides never count
        EXPECT_EQ(hexside_features(r.a, b, r.direction), 1) << "grid " << r.grid << " dir " << r.direction;
        EXPECT_EQ(found(), std::vector<int>{7}) << "grid " << r.grid << " dir " << r.direction;
        board->hexside_array.clear();
    }
}

TEST_F(hex_geometry_test, square_diagonal_needs_both_sides_at_the_corner) {
    make_board(10, 10, 3);
    add_line_type();
    const int a = 44;
    struct corner {
        int direction, first_hex, first_bit, second_hex, second_bit;
    };
    const corner corners[] = {
        {1, a, 64, a + 10, 128},     // left side of a, lower side of a
        {3, a + 1, 64, a + 10, 128}, // right side of a, lower side of a
        {7, a, 64, a, 128},          // left and upper sides of a
        {9, a, 128, a + 1, 64},      // upper and right sides of a
    };
    for (const auto& c : corners) {
        board->hexside_array.clear();
        add_side(c.first_hex, 4, c.first_bit);
        EXPECT_EQ(hexside_features(a, neighbour_hex(a, c.direction), c.direction), 0) << c.direction;
        add_side(c.second_hex, 9, c.second_bit); // another type on the second side
        EXPECT_EQ(hexside_features(a, neighbour_hex(a, c.direction), c.direction), 0) << c.direction;
        add_side(c.second_hex, 4, c.second_bit);
        EXPECT_EQ(hexside_features(a, neighbour_hex(a, c.direction), c.direction), 1) << c.direction;
        EXPECT_EQ(found(), std::vector<int>{4});
    }
}

TEST_F(hex_geometry_test, hexside_sides_of_hexes_off_the_board_are_never_read) {
    make_board(10, 10, 3);
    add_line_type();
    // Hex 10 begins the next row: its left side is not the right side of hex 9.
    add_side(10, 2, 64);
    EXPECT_EQ(hexside_features(9, neighbour_hex(9, 6), 6), 0);
    EXPECT_EQ(hexside_features(9, 10, 6), 0);
    add_side(9, 2, 128);
    EXPECT_EQ(hexside_features(9, 63008, 9), 0); // the corner's right side is off the board
    // Below the last row, and a holder at hex_count itself.
    add_side(100, 6, 255);
    EXPECT_EQ(hexside_features(95, neighbour_hex(95, 2), 2), 0);
    make_board(10, 10, 1);
    EXPECT_EQ(hexside_features(95, 100, 2), 0);
    EXPECT_EQ(hexside_features(95, 63002, 2), 0);
    EXPECT_EQ(hexside_features(-1, 9, 9), 0);
    EXPECT_EQ(hexside_feature_list[0], -1);
}

TEST_F(hex_geometry_test, hexside_list_holds_at_most_fifty_and_needs_line_types) {
    make_board(10, 10, 1);
    for (int i = 0; i < 60; ++i)
        add_side(44, i, 4);
    EXPECT_EQ(hexside_features(44, 34, 8), 0); // no line types yet
    EXPECT_EQ(hexside_feature_list[0], -1);
    add_line_type();
    EXPECT_EQ(hexside_features(44, 34, 8), 50);
    EXPECT_EQ(hexside_feature_list[49], 49);
    EXPECT_EQ(hexside_feature_list[50], -1);
    EXPECT_EQ(hexside_features(44, 44, 5), 0);
    EXPECT_EQ(hexside_features(44, 43, 4), 0); // grid type 1 has no side to the left
}

// --- labels -------------------------------------------------------------------------------

TEST_F(hex_geometry_test, label_without_sheets_is_the_hex_number) {
    make_board(10, 10, 1);
    EXPECT_EQ(hex_coordinate_label(57), "57");
    board->board_array = {board_struct{}}; // only the end record
    EXPECT_EQ(hex_coordinate_label(57), "57");
}

TEST_F(hex_geometry_test, label_texts_follow_the_sheet_bits) {
    make_board(10, 10, 3);
    struct row {
        int flags, column_origin, column_width, row_origin, row_width, hex;
        const char* expected;
    };
    const row table[] = {
        {2 | 8 | 16, 1, 2, 1, 2, 0, "N  A01"}, // column text first: a space and A, then 01
        {8 | 16, 1, 2, 1, 2, 0, "N 01 A"},     // row text first
        {2 | 8 | 16, 27, 2, 1, 2, 0, "N AA01"},
        {2 | 8 | 16, 52, 2, 1, 2, 0, "N AZ01"},
        {2 | 8 | 16, 53, 2, 1, 2, 0, "N BA01"},
        {2 | 8 | 16, 701, 2, 1, 2, 0, "N ZY01"},
        {2 | 8 | 16, 702, 3, 1, 2, 0, "N  ZZ01"},
        {2 | 8 | 16, 703, 3, 1, 2, 0, "N AAA01"},
        {2 | 8 | 16, 26, 2, 1, 2, 0, "N  Z01"},
        {2 | 8 | 16, 0, 2, 1, 2, 0, "N   01"},             // 0: no letters
        {2 | 8 | 16 | 32, 25, 2, 1, 2, 23, "N AB03"},      // column 3 row 2: 25 + 3 = 28 = AB, row 1 + 2
        {2 | 4 | 8 | 16 | 32, 0, 2, 1234, 2, 0, "N 0034"}, // 1234 in width 2 keeps "34"
        {2 | 4 | 8, 10, 2, 10, 3, 23, "N 07008"},          // counting down: 10 - 3, 10 - 2
        {2 | 4 | 8, 1, 3, 0, 3, 23, "N -02-02"},           // below zero
        {2 | 4 | 8 | 16 | 32, 0, 0, 0, 2, 23, "N 02"},     // a width of 0 gives no text
        {2 | 16, 3, 1, 1, 2, 0, "N C A"},                  // lettered rows, counting down
    };
    for (const auto& r : table) {
        set_sheets(
            {sheet("N", 0, 0, 9, 9, r.flags, r.column_origin, r.column_width, r.row_origin, r.row_width)});
        EXPECT_EQ(hex_coordinate_label(r.hex), r.expected)
            << "flags " << r.flags << " origin " << r.column_origin;
    }
}

TEST_F(hex_geometry_test, first_sheet_holding_the_hex_labels_it) {
    make_board(10, 10, 3);
    set_sheets({sheet("ONE", 0, 0, 4, 4, 2 | 4 | 8 | 16 | 32, 1, 2, 1, 2),
                sheet("TWO", 3, 3, 9, 6, 2 | 4 | 8 | 16 | 32, 1, 2, 1, 2)});
    EXPECT_EQ(hex_coordinate_label(0), "ONE 0101");
    EXPECT_EQ(hex_coordinate_label(44), "ONE 0505"); // on both sheets
    EXPECT_EQ(hex_coordinate_label(45), "TWO 0302");
    EXPECT_EQ(hex_coordinate_label(99), "Off-Board"); // row 9 is on no sheet
    EXPECT_EQ(hex_coordinate_label(100), "Off-Board");
    EXPECT_EQ(hex_coordinate_label(-1), "Off-Board");
    EXPECT_EQ(hex_coordinate_label(63000), "Off-Board");
}

TEST_F(hex_geometry_test, half_shifted_lines_of_a_sheet_count_from_the_sheets_own_rows) {
    // Grid type 1, sheet of columns 2..5 and rows 2..4, numbered, counting up from 1.
    const int up = 2 | 4 | 8 | 16 | 32;
    make_board(10, 10, 1);
    // x1 even, bit 64 clear: the odd columns of the sheet run one board row higher.
    set_sheets({sheet("S", 2, 2, 5, 4, up, 1, 2, 1, 2)});
    EXPECT_EQ(hex_coordinate_label(2 * 10 + 2), "S 0101");
    EXPECT_EQ(hex_coordinate_label(1 * 10 + 3), "S 0201");
    EXPECT_EQ(hex_coordinate_label(4 * 10 + 3), "Off-Board");
    EXPECT_EQ(hex_coordinate_label(3 * 10 + 3), "S 0203");
    // x1 odd, bit 64 set: the even columns run one board row lower.
    set_sheets({sheet("S", 3, 2, 6, 4, up | 64, 1, 2, 1, 2)});
    EXPECT_EQ(hex_coordinate_label(3 * 10 + 4), "S 0201");
    EXPECT_EQ(hex_coordinate_label(2 * 10 + 4), "Off-Board");
    EXPECT_EQ(hex_coordinate_label(5 * 10 + 4), "S 0203");
    EXPECT_EQ(hex_coordinate_label(2 * 10 + 3), "S 0101");
    // Grid type 2: the same with rows and columns exchanged.
    make_board(10, 10, 2);
    set_sheets({sheet("S", 2, 3, 4, 5, up, 1, 2, 1, 2)}); // y1 odd, bit 64 clear: even rows one right
    EXPECT_EQ(hex_coordinate_label(4 * 10 + 3), "S 0102");
    EXPECT_EQ(hex_coordinate_label(4 * 10 + 2), "Off-Board");
    EXPECT_EQ(hex_coordinate_label(3 * 10 + 2), "S 0101");
    set_sheets({sheet("S", 2, 2, 4, 5, up | 64, 1, 2, 1, 2)}); // y1 even, bit 64: odd rows one left
    EXPECT_EQ(hex_coordinate_label(3 * 10 + 1), "S 0102");
    EXPECT_EQ(hex_coordinate_label(3 * 10 + 4), "Off-Board");
}

TEST_F(hex_geometry_test, location_text_edge_cases) {
    make_board(10, 10, 3);
    const board_struct s = sheet("N", 2, 1, 9, 9, 2 | 4 | 8 | 16 | 32, 0, 2, 0, 2);
    set_sheets({s});
    EXPECT_EQ(parse_location_text(s, "0305"), (1 + 5) * 10 + 2 + 3);
    EXPECT_EQ(parse_location_text(s, "035"), 63000);
    EXPECT_EQ(parse_location_text(s, "03050"), 63000);
    EXPECT_EQ(parse_location_text(s, "0309"), 63000); // row 10 is past the sheet's last row
    EXPECT_EQ(parse_location_text(s, "08xx"), 63000);
    EXPECT_EQ(parse_location_text(s, ""), 63000);
    // A sheet that reaches past the board's last column.
    const board_struct wide = sheet("W", 5, 0, 20, 9, 2 | 4 | 8 | 16 | 32, 0, 2, 0, 2);
    EXPECT_EQ(parse_location_text(wide, "0400"), 9);
    EXPECT_EQ(parse_location_text(wide, "0500"), 63000);
    free_map();
    EXPECT_EQ(parse_location_text(s, "0305"), 63000);
}

// Every label on boards of each grid type, with sheets of every option and several origins,
// reads back as its hex on its sheet.
TEST_F(hex_geometry_test, every_label_parses_back_to_its_hex) {
    const int origins[][2] = {{0, 0}, {1, 1}, {5, 30}, {49, 50}, {100, 7}};
    int checked = 0;
    for (int grid : {1, 2, 3}) {
        make_board(13, 11, grid);
        for (int flags = 1; flags < 128; flags += 2) { // bit 1 keeps every sheet in use
            for (const auto& o : origins) {
                set_sheets({sheet("NW", 0, 0, 5, 4, flags, o[0], 4, o[1], 4),
                            sheet("NE", 6, 0, 12, 4, flags ^ 64, o[1], 4, o[0], 4),
                            sheet("SW", 1, 5, 6, 10, flags ^ 16, o[0] + 3, 4, o[1], 4),
                            sheet("SE", 7, 5, 12, 10, flags ^ 32, o[0], 4, o[1] + 2, 4)});
                for (int h = 0; h < board->hex_count; ++h) {
                    const std::string label = hex_coordinate_label(h);
                    const int i = sheet_of_hex(h);
                    if (i < 0) {
                        EXPECT_EQ(label, "Off-Board");
                        continue;
                    }
                    const board_struct& s = board->board_array[static_cast<std::size_t>(i)];
                    const std::string prefix = std::string(s.name) + " ";
                    ASSERT_EQ(label.substr(0, prefix.size()), prefix);
                    ASSERT_EQ(parse_location_text(s, label.substr(prefix.size())), h)
                        << "grid " << grid << " flags " << flags << " origin " << o[0] << "," << o[1]
                        << " label '" << label << "'";
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 3 * 64 * 5 * 100);
}

} // namespace
