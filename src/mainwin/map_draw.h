// Drawing the board and what stands on it into the map view.
//
// Everything is drawn into back_map first; finished blocks are copied into the screen copy
// (screen_save_bitmap), and the map frame's paint only copies the screen copy to the screen.
#pragma once

#include "data/symbols.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct placename_struct;

extern bitmap screen_save_bitmap; // what the view shows, view size + 2 pixels
extern bitmap back_map_bitmap;    // drawing surface, 1.5 x the view, at least 600 x 400
extern std::unique_ptr<canvas> screen_save_canvas;
extern std::unique_ptr<canvas> back_map;
extern std::uint8_t map_buffers_ready;
extern std::uint8_t back_map_drawing;
extern std::uint8_t pieces_per_hex_slots; // 1 or 4 while a hex's pieces are drawn

// The view asks the screen to show the screen copy again (the map frame repaints itself).
extern std::function<void()> map_screen_update_hook;
// Empties the hex and piece info panels.
extern std::function<void()> map_clear_info_panels_hook;

// The colour of a colour_table index, as the drawing reads it.
colour_rgb map_colour(int index);

// Fills view_hooks so that scrolling draws through this module.
void install_map_view_hooks();

bool allocate_map_buffers();
void redraw_map();
void clear_map_view();
void show_map_buffer();
void draw_map_block(std::int32_t first_hex, int columns, int rows);
// Draws columns x rows hexes from view_origin_hex into the canvas, the origin hex's cell at
// (0, 0); without sizes given, what the view shows.
void draw_map_area(canvas& c, int columns = 0, int rows = 0);
void redraw_hex(std::int32_t hex);
void redraw_hex_area(std::int32_t hex, canvas& c);
void redraw_hex_on_canvas(std::int32_t hex, canvas& c);
void redraw_hex_contents(std::int32_t hex, canvas& c);
void draw_hex_pieces(std::int32_t hex, canvas& c);
// Where a symbol of ws x hs pixels stands in its hex's box for a slot code.
void get_symbol_offset_in_hex(int ws, int hs, int slot, int& dx, int& dy);
void draw_hexsides(std::int32_t hex, int x, int y, canvas& c);
void draw_hexlines(std::int32_t hex, int x, int y, canvas& c);
void draw_place_name_labels(std::int32_t hex, int x, int y, canvas& c);
void draw_hex_overlays(std::int32_t hex, canvas& c);
// The whole board onto a canvas (the board printout); false when it is too large.
bool draw_entire_board(canvas& c);

// One line of a hexside or hexline type in its style and width.
void draw_styled_line(canvas& c, int x1, int y1, int x2, int y2, colour_rgb colour, int width, int style);
// The font text of a place name's label at a zoom level ("10.Arial.Bold").
std::string place_name_font(const placename_struct& p, int zoom);

// Drawn by their own features; each draws nothing yet.
void draw_base_map_block(canvas& c, int x, int y, int width, int height);
// A piece's facing marker: its symbol box and its hex's corner on the screen.
void draw_facing_mark(std::int32_t piece, int box_x, int box_y, int box_w, int box_h, int hex_x, int hex_y,
                      canvas& c);
// A stack symbol (chosen by choose_stack_symbol) in a slot of the hex at (x, y).
void draw_stack_symbol(std::int32_t stack_symbol, int x, int y, int slot, canvas& c);
void draw_status_dots(std::int32_t piece, int x, int y, int width, int height, canvas& c);
void draw_board_cards(std::int32_t hex, canvas& c);

// The mask symbol of a symbol, from its mask number (0 = none, n = the n-th mask): null when
// the number names no mask.
const symbol_struct* mask_for(const symbol_struct& s);
