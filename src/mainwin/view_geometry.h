// Where the map view looks: hexes to pixels and back, scrolling, zooming, the scroll bars.
//
// A hex index is row x map_columns + column. Grid type 1 shifts every odd column half a hex
// down, grid type 2 every odd row half a hex right, grid type 3 is square cells.
#pragma once

#include "data/view_state.h"

#include <cstdint>
#include <functional>

extern int scroll_pos_x, scroll_pos_y; // positions last given to hscroll_map and vscroll_map
extern int map_mouse_x, map_mouse_y;   // last mouse position over mapscreen_frame
extern int hex_screen_x, hex_screen_y; // set by set_hex_screen_pos
// Page-scroll jump in columns or rows for each zoom; kept with the game.
extern std::uint8_t (&scroll_jump_sizes)[3];

// The outline of one hex per zoom, as offsets from the hex's top-left corner.
struct outline_point {
    int x = 0, y = 0;
};
struct hex_outline_table {
    bool built = false;
    outline_point points[12];
    // What the table was built for: the set's cell size and hex shape, the board's grid.
    std::int32_t size = -1;
    std::uint8_t hex_shape = 0, grid_type = 0;
};
extern hex_outline_table hex_outline_tables[3];

void build_hex_geometry_tables();
// True when the tables were built for another set or board than the ones in memory (or not yet).
bool hex_outline_tables_stale();
void mark_hex_outline_tables_not_built();

// What the scrolls ask of the drawing. The view fills these in; each does nothing while empty.
struct map_view_hooks {
    // Copies width x height pixels of the screen copy from (from_x, from_y) to (to_x, to_y).
    std::function<void(int from_x, int from_y, int width, int height, int to_x, int to_y)> shift_screen_copy;
    // Fills a rectangle of the screen copy with the map's background colour.
    std::function<void(int x, int y, int width, int height)> fill_background;
    // Draws a block of hexes into the screen copy; first_hex is on the board, the block may
    // reach beyond its last column or row.
    std::function<void(std::int32_t first_hex, int columns, int rows)> draw_map_block;
    // Copies the screen copy to the screen.
    std::function<void()> show_map_buffer;
    // Redraws the whole view.
    std::function<void()> redraw_map;
};
extern map_view_hooks view_hooks;

// Pixel step between columns and rows at the current zoom, and the cell counts that fit in the
// view. All are 0 without a map or when the symbol set gives no size for the zoom.
int cell_width();
int cell_height();
int visible_columns();
int visible_rows();
std::int32_t view_origin_column();
std::int32_t view_origin_row();

// Top-left pixel of a hex relative to the view; may lie outside it. Always returns 1.
int hex_to_screen_xy(std::int32_t hex, int& x, int& y);
void set_hex_screen_pos(std::int32_t hex);
// The hex under a pixel of the view: -1 without a map, 63000 off the board.
std::int32_t point_to_hex(int x, int y);
bool is_point_beyond_view(int x, int y);

void update_scroll_positions();

void scroll_view_right(int n);
void scroll_view_left(int n);
void scroll_view_down(int n);
void scroll_view_up(int n);
void scroll_to_left_end();
void scroll_to_right_end();
void scroll_to_top();
void scroll_to_bottom();

void zoom_in_at_hex();
void zoom_out();
void bring_hex_into_view(std::int32_t hex);

// What the user did to a scroll bar.
enum class scroll_code {
    line_back,    // arrow left or up
    line_forward, // arrow right or down
    page_back,
    page_forward,
    thumb_position, // the thumb was let go at new_position
    thumb_track,    // the thumb is being dragged
    to_start,
    to_end,
};

// The handler of hscroll_map (horizontal) and vscroll_map: false (not handled) unless the view
// is ready and a map is loaded. Afterwards scroll_pos_x and scroll_pos_y are up to date for the
// bars.
bool map_scroll_bar_event(bool horizontal, scroll_code code, int new_position);
