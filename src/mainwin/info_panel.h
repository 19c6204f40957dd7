// The two info boxes beside the map: the hex under the pointer and the pieces in it, and the
// piece that piece cycling has reached.
//
// The texts are made by plain functions (testable without a window); the panels are drawn into
// off-screen bitmaps that the boxes' paint handlers copy to the screen.
#pragma once

#include "data/command_state.h"
#include "data/value_text.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// action_selection and cycle_list are in data/command_state.h. The cycle's start chosen (an
// entry of cycle_list, -1 = no cycle) and where the cycle stands now (-1 = not stepped yet: the
// first step shows the chosen start piece).
extern std::int32_t cycle_start;
extern std::int32_t cycle_position;

// The hex the panels show; -1 = none yet.
extern std::int32_t last_info_hex;

// Panel buffers and their sizes (the sizes of the boxes).
extern bitmap unit_panel_bitmap, hex_panel_bitmap;
extern std::unique_ptr<canvas> unit_panel_canvas, hex_panel_canvas;
extern int unit_panel_width, unit_panel_height, hex_panel_width, hex_panel_height;

// Asks the two boxes to repaint from the buffers. Filled by the main window.
extern std::function<void()> info_panels_changed_hook;
// Opens the cycling filter form, which leaves cycle_list and cycle_start. Filled by that form.
extern std::function<void()> cycle_units_form_hook;
// Hides and disables the three cycle buttons when a cycle ends. Filled by the main window.
extern std::function<void()> piece_cycle_ended_hook;

// format_class_value, format_class_values and format_piece_values are in data/value_text.h.

// A text of a panel at its place, in its font and colour_table entry.
struct panel_text {
    int x = 0, y = 0;
    std::string text;
    std::string font;
    int colour = 0;
    int width = 0; // the text is cut at this width; 0 = at the panel's edge
};

// The hex panel's lines for a hex (empty for a hex not on the board).
std::vector<panel_text> hex_info_lines(std::int32_t hex, int panel_width);

// One line of the unit panel.
struct unit_panel_line {
    std::int32_t piece = -1;
    int visibility = 0;
    bool moved = false;
    char combat_mark = 0; // 'A', 'D' or 0
    char hidden_mark = 0; // 'h', 'H' or 0
    bool card = false;
    // The texts of the columns after the marks; empty columns are left empty.
    std::string name, class_name, piece_values, class_values;
};
struct unit_panel_content {
    std::string head;
    std::vector<unit_panel_line> lines;
};
// What the unit panel lists for a hex, as the current player may know it.
unit_panel_content unit_panel_for_hex(std::int32_t hex);

// The texts of the unit panel while cycling stops at a piece.
std::vector<panel_text> cycled_piece_lines(std::int32_t piece);

// Remakes a panel at its size and fills it; colour -1 is the panel's own colour (entry 120).
void clear_unit_info_panel(int colour = -1);
void clear_hex_info_panel(int colour = -1);
// Both panels emptied.
void clear_info_panels();
// Takes new sizes for the panels; a change remakes them and shows last_info_hex again.
void set_info_panel_sizes(int unit_width, int unit_height, int hex_width, int hex_height);

// The mouse moved to (x, y) of the map view: refills both panels when the hex changed.
// True when the panels were drawn anew.
bool show_hex_panels_at(int x, int y);
void show_hex_pieces_info(std::int32_t hex);
void show_hex_info(std::int32_t hex);
void show_cycled_piece(std::int32_t piece);

// Steps the cycle by +1 or -1 over the pieces the player may know that stand on the board.
// With none, "No Units Found" and the cycle ends. Nothing while no cycle is active.
void cycle_to_next_piece(int direction);
// Ends the cycle: empty list, start -1, the buttons hidden.
void end_piece_cycle();
