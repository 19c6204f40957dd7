#include "test_support.h"

#include "data/hex_geometry.h"
#include "data/options.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/view_geometry.h"
#include "ui_main_form.h"

#include <QCoreApplication>
#include <QScrollBar>

#include <array>
#include <memory>

namespace {

// What the scrolls asked of the drawing.
struct drawing_calls {
    int redraws = 0, shows = 0;
    std::vector<std::array<int, 6>> shifts;
    std::vector<std::array<int, 4>> fills;
    std::vector<std::array<int, 3>> blocks;
    bool nothing() const {
        return redraws == 0 && shows == 0 && shifts.empty() && fills.empty() && blocks.empty();
    }
};

class view_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_view();
        calls = {};
        view_hooks.shift_screen_copy = [this](int a, int b, int c, int d, int e, int f) {
            calls.shifts.push_back({a, b, c, d, e, f});
        };
        view_hooks.fill_background = [this](int a, int b, int c, int d) {
            calls.fills.push_back({a, b, c, d});
        };
        view_hooks.draw_map_block = [this](int h, int c, int r) { calls.blocks.push_back({h, c, r}); };
        view_hooks.show_map_buffer = [this] { ++calls.shows; };
        view_hooks.redraw_map = [this] { ++calls.redraws; };
    }
    void TearDown() override {
        view_hooks = {};
        reset_view();
    }
    static void reset_view() {
        zoom_level = 0;
        view_origin_hex = 0;
        view_width = view_height = 0;
        scroll_pos_x = scroll_pos_y = 0;
        map_mouse_x = map_mouse_y = 0;
        redraw_entire_screen = 0;
        view_ready = 1;
        map_just_redrawn = 0;
    }
    // Cell steps per zoom of the three grid types, as a symbol set of sizes 20, 40, 60 gives
    // them (odd heights on grid type 1 and odd widths on type 2 test the half-cell rounding).
    void make_board(int columns, int rows, int grid) {
        board->map_columns = columns;
        board->map_rows = rows;
        board->hex_count = columns * rows;
        board->grid_type = static_cast<std::uint8_t>(grid);
        board->hex_array.assign(static_cast<std::size_t>(columns * rows), hex_struct{});
        const int narrow[3] = {15, 31, 47}, tall[3] = {19, 37, 57}, square[3] = {20, 40, 60};
        for (int z = 0; z < 3; ++z) {
            symbols->hex_size_by_zoom[z] = square[z];
            board->hex_width_by_zoom[z] = grid == 1 ? narrow[z] : grid == 2 ? tall[z] : square[z];
            board->hex_height_by_zoom[z] = grid == 1 ? tall[z] : grid == 2 ? narrow[z] : square[z];
        }
    }
    void set_origin(int column, int row) { view_origin_hex = row * board->map_columns + column; }
    int origin_column() const { return view_origin_hex % board->map_columns; }
    int origin_row() const { return view_origin_hex / board->map_columns; }
    bool origin_on_board() const { return view_origin_hex >= 0 && view_origin_hex < board->hex_count; }
    bool visible(int hex) const {
        const int c = hex % board->map_columns, r = hex / board->map_columns;
        return c >= origin_column() && c - origin_column() < visible_columns() && r >= origin_row() &&
               r - origin_row() < visible_rows();
    }
    drawing_calls calls;
};

// --- pixels and hexes ---------------------------------------------------------------------

TEST_F(view_test, point_to_hex_at_hand_worked_pixels) {
    struct row {
        int grid, zoom, origin_column, origin_row, x, y, expected;
    };
    // 30 x 20 boards. Grid 1 at zoom 1: cells 31 x 37, odd columns 18 pixels lower. Grid 2 at
    // zoom 1: cells 37 x 31, odd rows 18 pixels further right. Grid 3 at zoom 1: 40 x 40.
    const row table[] = {
        {1, 1, 0, 0, 0, 0, 0},
        {1, 1, 0, 0, 30, 36, 0},
        {1, 1, 0, 0, 30, 37, 30},
        {1, 1, 0, 0, 31, 17, 63000}, // upper half of the first row of an odd column
        {1, 1, 0, 0, 31, 18, 1},
        {1, 1, 0, 0, 61, 54, 1},
        {1, 1, 0, 0, 61, 55, 31},
        {1, 1, 0, 0, 62, 37, 32},
        {1, 1, 2, 3, 0, 0, 92},
        {1, 1, 2, 3, 31, 17, 63},
        {1, 1, 2, 3, 31, 18, 93},
        {1, 0, 0, 0, 15, 9, 1},
        {1, 2, 0, 0, 47, 27, 63000},
        {1, 2, 0, 0, 47, 28, 1},
        {1, 1, 0, 0, -1, 0, 63000}, // left of the view at column 0
        {1, 1, 0, 0, 29 * 31, 100, 2 * 30 + 29},
        {1, 1, 0, 0, 30 * 31, 100, 63000},
        {2, 1, 0, 0, 17, 31, 63000}, // left half of an odd row at the left edge
        {2, 1, 0, 0, 18, 31, 30},
        {2, 1, 0, 0, 54, 61, 30},
        {2, 1, 0, 0, 55, 31, 31},
        {2, 1, 0, 0, 36, 0, 0},
        {2, 1, 0, 0, 37, 0, 1},
        {2, 1, 4, 1, 17, 0, 33},
        {2, 1, 4, 1, 17, 31, 64},
        {2, 1, 0, 0, 18, 19 * 31 + 30, 19 * 30},
        {2, 1, 0, 0, 0, 20 * 31, 63000},
        {3, 1, 0, 0, 39, 39, 0},
        {3, 1, 0, 0, 40, 0, 1},
        {3, 1, 0, 0, 0, 40, 30},
        {3, 1, 0, 0, 1199, 0, 29},
        {3, 1, 0, 0, 1200, 0, 63000},
        {3, 0, 5, 5, 21, 41, 7 * 30 + 6},
        {3, 2, 5, 5, 0, -1, 4 * 30 + 5},
    };
    for (const auto& r : table) {
        make_board(30, 20, r.grid);
        zoom_level = r.zoom;
        set_origin(r.origin_column, r.origin_row);
        EXPECT_EQ(point_to_hex(r.x, r.y), r.expected)
            << "grid " << r.grid << " zoom " << r.zoom << " at " << r.x << "," << r.y;
    }
}

TEST_F(view_test, hex_to_screen_xy_at_hand_worked_hexes) {
    struct row {
        int grid, zoom, origin_column, origin_row, hex, x, y;
    };
    const row table[] = {
        {1, 1, 0, 0, 1, 31, 18},    {1, 1, 0, 0, 31, 31, 55},    {1, 1, 0, 0, 32, 62, 37},
        {1, 1, 2, 3, 92, 0, 0},     {1, 1, 2, 3, 93, 31, 18},    {1, 1, 2, 3, 63, 31, -19},
        {1, 1, 2, 3, 0, -62, -111}, {1, 0, 0, 0, 1, 15, 9},      {1, 2, 0, 0, 1, 47, 28},
        {2, 1, 0, 0, 30, 18, 31},   {2, 1, 0, 0, 31, 55, 31},    {2, 1, 4, 1, 34, 18, 0},
        {3, 1, 0, 0, 31, 40, 40},   {3, 0, 5, 5, 0, -100, -100},
    };
    for (const auto& r : table) {
        make_board(30, 20, r.grid);
        zoom_level = r.zoom;
        set_origin(r.origin_column, r.origin_row);
        int x = 0, y = 0;
        EXPECT_EQ(hex_to_screen_xy(r.hex, x, y), 1);
        EXPECT_EQ(x, r.x) << "grid " << r.grid << " hex " << r.hex;
        EXPECT_EQ(y, r.y) << "grid " << r.grid << " hex " << r.hex;
        set_hex_screen_pos(r.hex);
        EXPECT_EQ(hex_screen_x, r.x);
        EXPECT_EQ(hex_screen_y, r.y);
    }
}

// Every pixel of every cell drawn in the view maps back to that cell, and every other pixel of
// the view to 63000: the two conversions agree at centres, edges and the shifted lines.
TEST_F(view_test, point_to_hex_inverts_hex_to_screen_xy_over_the_whole_view) {
    for (int grid : {1, 2, 3}) {
        for (int zoom : {0, 1, 2}) {
            for (auto origin :
                 {std::array<int, 2>{0, 0}, std::array<int, 2>{3, 1}, std::array<int, 2>{8, 10}}) {
                make_board(12, 14, grid);
                zoom_level = zoom;
                set_origin(origin[0], origin[1]);
                view_width = 230;
                view_height = 170;
                const int w = board->hex_width_by_zoom[zoom], h = board->hex_height_by_zoom[zoom];
                long covered = 0;
                for (int hex = 0; hex < board->hex_count; ++hex) {
                    int x0 = 0, y0 = 0;
                    hex_to_screen_xy(hex, x0, y0);
                    for (int y = std::max(0, y0); y < std::min(view_height, y0 + h); ++y)
                        for (int x = std::max(0, x0); x < std::min(view_width, x0 + w); ++x) {
                            ++covered;
                            ASSERT_EQ(point_to_hex(x, y), hex)
                                << "grid " << grid << " zoom " << zoom << " at " << x << "," << y;
                        }
                }
                long mapped = 0;
                for (int y = 0; y < view_height; ++y)
                    for (int x = 0; x < view_width; ++x)
                        mapped += point_to_hex(x, y) != 63000;
                EXPECT_EQ(mapped, covered) << "grid " << grid << " zoom " << zoom;
            }
        }
    }
}

TEST_F(view_test, neighbours_lie_in_their_keypad_direction_on_screen) {
    const int dx_sign[10] = {0, -1, 0, 1, -1, 0, 1, -1, 0, 1};
    const int dy_sign[10] = {0, 1, 1, 1, 0, 0, 0, -1, -1, -1};
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (int grid : {1, 2, 3}) {
        make_board(9, 8, grid);
        zoom_level = 1;
        const int w = board->hex_width_by_zoom[1], h = board->hex_height_by_zoom[1];
        for (int hex = 0; hex < board->hex_count; ++hex)
            for (int d : {1, 2, 3, 4, 6, 7, 8, 9}) {
                const int n = neighbour_hex(hex, d);
                if (n == hex || n >= board->hex_count) continue;
                int x0, y0, x1, y1;
                hex_to_screen_xy(hex, x0, y0);
                hex_to_screen_xy(n, x1, y1);
                EXPECT_EQ(sign(x1 - x0), dx_sign[d]) << "grid " << grid << " hex " << hex << " dir " << d;
                EXPECT_EQ(sign(y1 - y0), dy_sign[d]) << "grid " << grid << " hex " << hex << " dir " << d;
                EXPECT_LE(std::abs(x1 - x0), w);
                EXPECT_LE(std::abs(y1 - y0), h);
            }
    }
}

TEST_F(view_test, no_map_or_no_cell_size_never_divides) {
    view_width = 400;
    view_height = 300;
    EXPECT_EQ(point_to_hex(10, 10), -1);
    int x = 7, y = 7;
    EXPECT_EQ(hex_to_screen_xy(5, x, y), 1);
    make_board(10, 10, 1);
    board->hex_width_by_zoom[0] = 0; // a symbol set that gives no size for zoom 1
    EXPECT_EQ(point_to_hex(10, 10), 63000);
    scroll_pos_x = scroll_pos_y = 5;
    set_origin(4, 4);
    const std::int32_t origin = view_origin_hex;
    update_scroll_positions();
    scroll_view_right(2);
    scroll_view_left(2);
    scroll_view_down(2);
    scroll_view_up(2);
    scroll_to_left_end();
    scroll_to_right_end();
    scroll_to_top();
    scroll_to_bottom();
    bring_hex_into_view(99);
    EXPECT_EQ(view_origin_hex, origin);
    EXPECT_EQ(scroll_pos_x, 5);
    EXPECT_EQ(scroll_pos_y, 5);
    EXPECT_TRUE(calls.nothing());
    zoom_in_at_hex(); // zoom 2 has a size: the view starts at the board's corner
    EXPECT_EQ(zoom_level, 1);
    board->hex_height_by_zoom[0] = -3;
    zoom_out();
    EXPECT_EQ(zoom_level, 0);
    EXPECT_TRUE(origin_on_board());
    free_map();
    zoom_in_at_hex();
    EXPECT_EQ(view_origin_hex, 0);
    EXPECT_FALSE(is_point_beyond_view(404, 304));
    EXPECT_TRUE(is_point_beyond_view(405, 0));
}

TEST_F(view_test, point_beyond_view_leaves_two_cells_and_four_pixels) {
    make_board(30, 20, 1);
    zoom_level = 1; // 31 x 37
    view_width = 400;
    view_height = 300;
    EXPECT_FALSE(is_point_beyond_view(400 + 62 + 4, 300 + 74 + 4));
    EXPECT_TRUE(is_point_beyond_view(400 + 62 + 5, 0));
    EXPECT_TRUE(is_point_beyond_view(0, 300 + 74 + 5));
}

// --- scrolling ----------------------------------------------------------------------------

// A 40 x 30 square board at zoom 1 (40 pixels) in a 400 x 300 view: 10 columns, 7 rows.
class scroll_test : public view_test {
protected:
    void SetUp() override {
        view_test::SetUp();
        make_board(40, 30, 3);
        zoom_level = 1;
        view_width = 400;
        view_height = 300;
    }
};

TEST_F(scroll_test, scroll_positions) {
    struct row {
        int column, row, x, y;
    };
    const row table[] = {{0, 0, 0, 0}, {4, 10, 8, 13}, {31, 24, 35, 27}, {32, 25, 39, 29}, {39, 29, 39, 29}};
    for (const auto& r : table) {
        set_origin(r.column, r.row);
        update_scroll_positions();
        EXPECT_EQ(scroll_pos_x, r.x) << r.column;
        EXPECT_EQ(scroll_pos_y, r.y) << r.row;
    }
}

TEST_F(scroll_test, scrolling_right_raises_to_even_and_shifts_the_screen_copy) {
    scroll_view_right(3);
    EXPECT_EQ(origin_column(), 4);
    ASSERT_EQ(calls.shifts.size(), 1u);
    EXPECT_EQ(calls.shifts[0], (std::array<int, 6>{160, 0, 238, 300, 0, 0}));
    ASSERT_EQ(calls.blocks.size(), 1u);
    EXPECT_EQ(calls.blocks[0], (std::array<int, 3>{10, 5, 7})); // the columns after the old view
    EXPECT_EQ(calls.shows, 1);
    EXPECT_EQ(calls.redraws, 0);
    EXPECT_EQ(scroll_pos_x, 8);

    calls = {};
    scroll_view_right(8); // 320 pixels: still more than 10 short of the width
    EXPECT_EQ(origin_column(), 12);
    EXPECT_EQ(calls.shifts.size(), 1u);
    calls = {};
    scroll_view_right(9); // 10 columns fill the view: redrawn whole
    EXPECT_EQ(origin_column(), 22);
    EXPECT_TRUE(calls.shifts.empty());
    EXPECT_EQ(calls.redraws, 1);
    calls = {};
    scroll_view_right(0);
    scroll_view_right(-4);
    EXPECT_TRUE(calls.nothing());
    redraw_entire_screen = 1;
    scroll_view_right(2);
    EXPECT_EQ(origin_column(), 24);
    EXPECT_EQ(calls.redraws, 1);
    EXPECT_TRUE(calls.shifts.empty());
}

TEST_F(scroll_test, scrolling_right_at_the_last_columns_fills_the_strip_and_stops_on_the_board) {
    set_origin(30, 2); // the view already shows the last column
    scroll_view_right(2);
    EXPECT_EQ(origin_column(), 32);
    EXPECT_EQ(origin_row(), 2);
    EXPECT_EQ(calls.shifts.size(), 1u);
    EXPECT_TRUE(calls.blocks.empty());
    ASSERT_EQ(calls.fills.size(), 1u);
    EXPECT_EQ(calls.fills[0], (std::array<int, 4>{319, 0, 83, 302}));
    calls = {};
    scroll_view_right(2); // two empty columns show past the board: no further
    EXPECT_EQ(origin_column(), 32);
    EXPECT_TRUE(calls.nothing());

    // A step that would take the origin onto column 40 (the next row) stops at column 38.
    set_origin(30, 2);
    scroll_view_right(10);
    EXPECT_EQ(origin_column(), 38);
    EXPECT_EQ(origin_row(), 2);
    set_origin(31, 2);
    scroll_view_right(10);
    EXPECT_EQ(origin_column(), 39);
}

TEST_F(scroll_test, scrolling_left_and_up_cut_to_the_origin) {
    set_origin(4, 4);
    scroll_view_left(3);
    EXPECT_EQ(origin_column(), 1);
    ASSERT_EQ(calls.shifts.size(), 1u);
    EXPECT_EQ(calls.shifts[0], (std::array<int, 6>{0, 0, 280, 300, 120, 0}));
    EXPECT_EQ(calls.blocks, (std::vector<std::array<int, 3>>{{4 * 40 + 1, 3, 7}}));
    EXPECT_EQ(calls.shows, 1);
    scroll_view_left(5);
    EXPECT_EQ(origin_column(), 0);
    calls = {};
    scroll_view_left(2);
    EXPECT_TRUE(calls.nothing());

    scroll_view_up(3);
    EXPECT_EQ(origin_row(), 1);
    EXPECT_EQ(calls.shifts.back(), (std::array<int, 6>{0, 0, 400, 180, 0, 120}));
    EXPECT_EQ(calls.blocks.back(), (std::array<int, 3>{40, 10, 3}));
    scroll_view_up(4);
    EXPECT_EQ(origin_row(), 0);
    calls = {};
    scroll_view_up(1);
    EXPECT_TRUE(calls.nothing());

    set_origin(20, 20);
    scroll_view_left(9); // the old origin would land within a cell and 10 pixels of the right edge
    EXPECT_EQ(origin_column(), 11);
    EXPECT_EQ(calls.redraws, 1);
    scroll_view_up(8); // 320 pixels: more than the view's height
    EXPECT_EQ(origin_row(), 12);
    EXPECT_EQ(calls.redraws, 2);
}

TEST_F(scroll_test, scrolling_down_shifts_up_to_two_thirds_and_stays_on_the_board) {
    scroll_view_down(3);
    EXPECT_EQ(origin_row(), 4);
    ASSERT_EQ(calls.shifts.size(), 1u);
    EXPECT_EQ(calls.shifts[0], (std::array<int, 6>{0, 160, 400, 140, 0, 0}));
    EXPECT_EQ(calls.blocks, (std::vector<std::array<int, 3>>{{7 * 40, 10, 6}}));
    EXPECT_EQ(calls.shows, 1);
    calls = {};
    scroll_view_down(6); // 240 of 300 pixels: redrawn whole
    EXPECT_EQ(origin_row(), 10);
    EXPECT_EQ(calls.redraws, 1);
    EXPECT_TRUE(calls.shifts.empty());

    calls = {};
    set_origin(0, 24); // the uncovered rows lie past the board: filled, never drawn
    scroll_view_down(2);
    EXPECT_EQ(origin_row(), 26);
    EXPECT_TRUE(calls.blocks.empty());
    EXPECT_EQ(calls.fills, (std::vector<std::array<int, 4>>{{0, 220, 402, 82}}));
    calls = {};
    scroll_view_down(2); // 26 + 7 rows > 31: no further
    EXPECT_TRUE(calls.nothing());

    set_origin(0, 24);
    scroll_view_down(6); // row 30 would be off the board
    EXPECT_EQ(origin_row(), 28);
    EXPECT_TRUE(origin_on_board());
}

TEST_F(scroll_test, jumps_to_the_ends) {
    set_origin(20, 10);
    scroll_to_left_end(); // at least a view away: redrawn whole
    EXPECT_EQ(origin_column(), 0);
    EXPECT_EQ(origin_row(), 10);
    EXPECT_EQ(calls.redraws, 1);
    EXPECT_EQ(scroll_pos_x, 0);
    calls = {};
    set_origin(6, 10);
    scroll_to_left_end(); // near: scrolled, shifting the screen copy
    EXPECT_EQ(origin_column(), 0);
    EXPECT_EQ(calls.shifts.size(), 1u);
    EXPECT_EQ(calls.redraws, 0);

    calls = {};
    scroll_to_right_end(); // target 40 + 2 - 10
    EXPECT_EQ(origin_column(), 32);
    EXPECT_EQ(calls.redraws, 1);
    EXPECT_EQ(scroll_pos_x, 39);
    calls = {};
    set_origin(26, 10);
    scroll_to_right_end();
    EXPECT_EQ(origin_column(), 32);
    EXPECT_EQ(calls.blocks, (std::vector<std::array<int, 3>>{{10 * 40 + 36, 7, 7}}));

    set_origin(5, 20);
    scroll_to_top();
    EXPECT_EQ(origin_row(), 0);
    EXPECT_EQ(origin_column(), 5);
    scroll_to_bottom(); // target 30 + 2 - 7
    EXPECT_EQ(origin_row(), 25);
    set_origin(5, 3);
    calls = {};
    scroll_to_top(); // fewer rows away than the view holds: scrolled
    EXPECT_EQ(origin_row(), 0);
    EXPECT_EQ(calls.shifts.size(), 1u);

    calls = {};
    redraw_entire_screen = 1;
    set_origin(6, 3);
    scroll_to_left_end();
    EXPECT_EQ(origin_column(), 0);
    EXPECT_EQ(calls.redraws, 1);
    EXPECT_TRUE(calls.shifts.empty());
}

TEST_F(scroll_test, right_and_bottom_ends_stay_on_the_board_in_a_tiny_view) {
    view_width = 40; // one column: the target 40 + 2 - 1 is past the board
    view_height = 40;
    scroll_to_right_end();
    EXPECT_EQ(origin_column(), 39);
    scroll_to_bottom();
    EXPECT_EQ(origin_row(), 29);
    EXPECT_TRUE(origin_on_board());
}

TEST_F(scroll_test, any_sequence_of_scrolls_keeps_the_origin_on_the_board) {
    for (int grid : {1, 2, 3}) {
        for (int zoom : {0, 1, 2}) {
            make_board(grid == 3 ? 23 : 16, grid == 3 ? 17 : 25, grid);
            zoom_level = zoom;
            view_origin_hex = 0;
            unsigned seed = 12345;
            for (int step = 0; step < 400; ++step) {
                seed = seed * 1103515245u + 12345u;
                const int n = static_cast<int>((seed >> 8) % 23);
                switch ((seed >> 16) % 10) {
                case 0:
                    scroll_view_right(n);
                    break;
                case 1:
                    scroll_view_left(n);
                    break;
                case 2:
                    scroll_view_down(n);
                    break;
                case 3:
                    scroll_view_up(n);
                    break;
                case 4:
                    scroll_to_right_end();
                    break;
                case 5:
                    scroll_to_bottom();
                    break;
                case 6:
                    scroll_to_left_end();
                    break;
                case 7:
                    scroll_to_top();
                    break;
                case 8:
                    map_scroll_bar_event(n % 2 == 0, scroll_code::thumb_position, n * 3);
                    break;
                default:
                    map_scroll_bar_event(n % 2 == 0, scroll_code::page_forward, 0);
                    break;
                }
                ASSERT_TRUE(origin_on_board()) << "grid " << grid << " zoom " << zoom << " step " << step;
                ASSERT_GE(scroll_pos_x, 0);
                ASSERT_LT(scroll_pos_x, board->map_columns);
                ASSERT_GE(scroll_pos_y, 0);
                ASSERT_LT(scroll_pos_y, board->map_rows);
            }
        }
    }
}

// --- zoom ---------------------------------------------------------------------------------

TEST_F(scroll_test, zoom_in_centres_on_the_mouse) {
    zoom_level = 0; // 20 pixels: 20 x 15 cells in view
    map_mouse_x = 395;
    map_mouse_y = 295; // + 5: column 20, row 15
    zoom_in_at_hex();
    EXPECT_EQ(zoom_level, 1);
    EXPECT_EQ(origin_column(), 16); // 20 - 5 = 15, raised to even
    EXPECT_EQ(origin_row(), 12);
    EXPECT_EQ(calls.redraws, 1);
    EXPECT_EQ(scroll_pos_x, 20);

    // At the bottom-right corner the centre is held to column 38 and row 28.
    zoom_level = 0;
    set_origin(30, 20);
    zoom_in_at_hex();
    EXPECT_EQ(origin_column(), 34);
    EXPECT_EQ(origin_row(), 26);

    zoom_level = 0;
    set_origin(10, 10);
    map_mouse_x = -100;
    map_mouse_y = 0;
    zoom_in_at_hex(); // x taken as 0: column 10
    EXPECT_EQ(origin_column(), 6);

    calls = {};
    zoom_level = 2;
    const std::int32_t origin = view_origin_hex;
    zoom_in_at_hex();
    EXPECT_EQ(zoom_level, 2);
    EXPECT_EQ(view_origin_hex, origin);
    EXPECT_TRUE(calls.nothing());
}

TEST_F(scroll_test, zoom_out_keeps_the_centre_and_the_board_in_view) {
    set_origin(10, 6); // centre column 15, row 9
    zoom_out();
    EXPECT_EQ(zoom_level, 0);
    EXPECT_EQ(origin_column(), 4); // 15 - 10 = 5, lowered to even
    EXPECT_EQ(origin_row(), 2);
    EXPECT_EQ(calls.redraws, 1);

    zoom_level = 1;
    set_origin(36, 26); // centre 41, 29: held so that the view ends at the board's edge
    zoom_out();
    EXPECT_EQ(origin_column(), 20);
    EXPECT_EQ(origin_row(), 14);

    calls = {};
    zoom_level = 0;
    zoom_out();
    EXPECT_EQ(zoom_level, 0);
    EXPECT_TRUE(calls.nothing());

    view_width = view_height = 10; // narrower than a cell at every zoom
    zoom_level = 2;
    set_origin(39, 29);
    zoom_out();
    EXPECT_TRUE(origin_on_board());
}

// --- bringing a hex into view -------------------------------------------------------------

TEST_F(scroll_test, bring_hex_into_view_refuses_hexes_off_the_board) {
    set_origin(10, 10);
    map_just_redrawn = 1;
    for (int hex : {board->hex_count, board->hex_count + 1, -1, 63000}) {
        bring_hex_into_view(hex);
        EXPECT_EQ(view_origin_hex, 10 * 40 + 10) << hex;
        EXPECT_EQ(map_just_redrawn, 1) << hex;
    }
    EXPECT_TRUE(calls.nothing());
    bring_hex_into_view(board->hex_count - 1);
    EXPECT_EQ(map_just_redrawn, 0);
    EXPECT_TRUE(visible(board->hex_count - 1));
}

TEST_F(scroll_test, bring_hex_into_view_cases) {
    struct row {
        int zoom, origin_column, origin_row, column, row, expected_column, expected_row, redraws;
    };
    // Zoom 0 shows 20 x 15 cells, zoom 1 10 x 7.
    const row table[] = {
        {0, 10, 0, 11, 5, 8, 0, 0},   // visible, one column from the left edge: 2 left
        {0, 10, 0, 29, 5, 12, 0, 0},  // in the last visible column: 2 right
        {0, 10, 0, 28, 5, 10, 0, 0},  // two columns from the right edge: stays
        {1, 10, 0, 11, 3, 10, 0, 0},  // only 10 columns visible: stays
        {0, 10, 4, 15, 5, 10, 2, 0},  // one row from the top: 2 up
        {0, 20, 0, 15, 5, 10, 0, 0},  // left of the view: 4 + 6 = 10 left
        {0, 0, 0, 25, 5, 10, 0, 0},   // right of the view: 4 + 6 = 10 right
        {0, 20, 0, 5, 5, 0, 0, 1},    // too far left for one scroll: centred
        {0, 0, 0, 39, 29, 30, 23, 1}, // centred: column 29 is odd, so column and row + 1
        {0, 0, 10, 3, 2, 0, 0, 0},    // above: 3 + 9 = 12, cut to the origin row
    };
    for (const auto& r : table) {
        calls = {};
        zoom_level = r.zoom;
        set_origin(r.origin_column, r.origin_row);
        const int hex = r.row * 40 + r.column;
        bring_hex_into_view(hex);
        EXPECT_EQ(origin_column(), r.expected_column) << "hex " << r.column << "," << r.row;
        EXPECT_EQ(origin_row(), r.expected_row) << "hex " << r.column << "," << r.row;
        EXPECT_EQ(calls.redraws, r.redraws) << "hex " << r.column << "," << r.row;
        EXPECT_TRUE(visible(hex)) << "hex " << r.column << "," << r.row;
    }
}

TEST_F(view_test, every_hex_brought_into_view_is_visible) {
    for (int grid : {1, 2, 3}) {
        for (int zoom : {0, 1, 2}) {
            make_board(31, 27, grid);
            view_width = 300;
            view_height = 250;
            zoom_level = zoom;
            for (auto start :
                 {std::array<int, 2>{0, 0}, std::array<int, 2>{12, 14}, std::array<int, 2>{30, 26}}) {
                for (int hex = 0; hex < board->hex_count; ++hex) {
                    set_origin(start[0], start[1]);
                    bring_hex_into_view(hex);
                    ASSERT_TRUE(origin_on_board());
                    ASSERT_TRUE(visible(hex)) << "grid " << grid << " zoom " << zoom << " hex " << hex;
                }
            }
        }
    }
}

// --- scroll bars --------------------------------------------------------------------------

TEST_F(scroll_test, scroll_bar_codes) {
    EXPECT_EQ(scroll_jump_sizes[0], 10); // an empty game's jump sizes
    EXPECT_EQ(scroll_jump_sizes[1], 6);
    EXPECT_EQ(scroll_jump_sizes[2], 2);
    set_origin(10, 10);
    EXPECT_TRUE(map_scroll_bar_event(true, scroll_code::line_forward, 0));
    EXPECT_EQ(origin_column(), 12);
    EXPECT_TRUE(map_scroll_bar_event(true, scroll_code::line_back, 0));
    EXPECT_EQ(origin_column(), 10);
    EXPECT_TRUE(map_scroll_bar_event(false, scroll_code::page_forward, 0));
    EXPECT_EQ(origin_row(), 16);
    EXPECT_TRUE(map_scroll_bar_event(false, scroll_code::page_back, 0));
    EXPECT_EQ(origin_row(), 10);
    update_scroll_positions();
    EXPECT_EQ(scroll_pos_x, 14);
    EXPECT_TRUE(map_scroll_bar_event(true, scroll_code::thumb_position, 20));
    EXPECT_EQ(origin_column(), 16);
    EXPECT_EQ(scroll_pos_x, 20);
    EXPECT_TRUE(map_scroll_bar_event(true, scroll_code::thumb_position, 17));
    EXPECT_EQ(origin_column(), 13);
    calls = {};
    EXPECT_TRUE(map_scroll_bar_event(true, scroll_code::thumb_track, 30));
    EXPECT_EQ(origin_column(), 13);
    EXPECT_TRUE(calls.nothing());
    EXPECT_TRUE(map_scroll_bar_event(true, scroll_code::to_end, 0));
    EXPECT_EQ(origin_column(), 32);
    EXPECT_TRUE(map_scroll_bar_event(false, scroll_code::to_end, 0));
    EXPECT_EQ(origin_row(), 25);
    EXPECT_TRUE(map_scroll_bar_event(true, scroll_code::to_start, 0));
    EXPECT_EQ(origin_column(), 0);
    EXPECT_TRUE(map_scroll_bar_event(false, scroll_code::to_start, 0));
    EXPECT_EQ(origin_row(), 0);

    view_ready = 0;
    EXPECT_FALSE(map_scroll_bar_event(true, scroll_code::line_forward, 0));
    EXPECT_EQ(origin_column(), 0);
    view_ready = 1;
    free_map();
    EXPECT_FALSE(map_scroll_bar_event(true, scroll_code::line_forward, 0));
}

TEST_F(view_test, outline_tables) {
    make_board(10, 10, 1);
    symbols->hex_size_by_zoom[0] = 100;
    symbols->hex_size_by_zoom[1] = 37;
    symbols->hex_size_by_zoom[2] = 0;
    auto points = [](int z) {
        std::vector<std::array<int, 2>> v;
        for (const auto& p : hex_outline_tables[z].points)
            v.push_back({p.x, p.y});
        return v;
    };
    mark_hex_outline_tables_not_built();
    EXPECT_FALSE(hex_outline_tables[0].built);
    symbols->hex_shape = 1;
    EXPECT_TRUE(hex_outline_tables_stale());
    build_hex_geometry_tables();
    EXPECT_TRUE(hex_outline_tables[0].built && hex_outline_tables[1].built && hex_outline_tables[2].built);
    EXPECT_FALSE(hex_outline_tables_stale());
    // Another board or set (a new grid, another cell size) makes them stale by itself.
    board->grid_type = 2;
    EXPECT_TRUE(hex_outline_tables_stale());
    board->grid_type = 1;
    symbols->hex_size_by_zoom[1] = 38;
    EXPECT_TRUE(hex_outline_tables_stale());
    symbols->hex_size_by_zoom[1] = 37;
    EXPECT_FALSE(hex_outline_tables_stale());
    EXPECT_EQ(points(0), (std::vector<std::array<int, 2>>{{85, 12},
                                                          {90, 25},
                                                          {95, 37},
                                                          {95, 62},
                                                          {90, 75},
                                                          {85, 87},
                                                          {15, 87},
                                                          {10, 75},
                                                          {5, 62},
                                                          {5, 37},
                                                          {10, 25},
                                                          {15, 12}}));
    EXPECT_EQ(points(1)[2], (std::array<int, 2>{35, 13})); // 0.95 x 37 = 35.15, 0.375 x 37 = 13.875
    EXPECT_EQ(points(2)[4], (std::array<int, 2>{0, 0}));
    board->grid_type = 2;
    build_hex_geometry_tables();
    EXPECT_EQ(points(0), (std::vector<std::array<int, 2>>{{65, 5},
                                                          {75, 10},
                                                          {85, 15},
                                                          {85, 85},
                                                          {75, 90},
                                                          {65, 95},
                                                          {35, 95},
                                                          {25, 90},
                                                          {15, 85},
                                                          {15, 15},
                                                          {25, 10},
                                                          {35, 5}}));
    for (int grid : {1, 3}) {
        board->grid_type = static_cast<std::uint8_t>(grid);
        symbols->hex_shape = grid == 1 ? 0 : 1; // square: hex shape off, or square cells
        build_hex_geometry_tables();
        EXPECT_EQ(points(0), (std::vector<std::array<int, 2>>{{75, 0},
                                                              {100, 0},
                                                              {100, 25},
                                                              {100, 75},
                                                              {100, 100},
                                                              {75, 100},
                                                              {25, 100},
                                                              {0, 100},
                                                              {0, 75},
                                                              {0, 25},
                                                              {0, 0},
                                                              {25, 0}}));
    }
}

// --- the main window's scroll bars --------------------------------------------------------

class scroll_bar_form_test : public scroll_test {
protected:
    void TearDown() override {
        form.reset();
        scroll_test::TearDown();
        open_game_hook = nullptr;
        startup_command_line.clear();
        info_panel_height = info_panel_width = -1;
    }
    std::unique_ptr<main_form> form;
};

TEST_F(scroll_bar_form_test, bars_drive_the_view_and_show_its_position) {
    form = std::make_unique<main_form>();
    form->create_window();
    QCoreApplication::processEvents();
    make_board(40, 30, 3);
    zoom_level = 1;
    view_width = 400;
    view_height = 300;
    set_origin(10, 10);
    form->set_scroll_bars();
    QScrollBar* h = form->controls().hscroll_map;
    QScrollBar* v = form->controls().vscroll_map;
    EXPECT_EQ(h->maximum(), 39);
    EXPECT_EQ(v->maximum(), 29);
    EXPECT_EQ(h->value(), 14);

    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(origin_column(), 12);
    EXPECT_EQ(h->value(), scroll_pos_x);
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(origin_row(), 16);
    EXPECT_EQ(v->value(), scroll_pos_y);

    // Dragging the thumb moves nothing until it is let go.
    h->setSliderDown(true);
    h->setSliderPosition(30);
    EXPECT_EQ(origin_column(), 12);
    h->setSliderDown(false);
    EXPECT_EQ(origin_column(), 26); // by 30 - 16 = 14
    EXPECT_EQ(h->value(), scroll_pos_x);

    v->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(origin_row(), 25);
    EXPECT_EQ(v->value(), 29);
    h->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(origin_column(), 0);
    EXPECT_EQ(h->value(), 0);

    view_ready = 0;
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(origin_column(), 0);
}

} // namespace
