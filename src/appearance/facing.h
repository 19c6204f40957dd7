// Facing sets and the marker that shows which side or corner of its hex a piece faces.
#pragma once

#include "data/records.h"
#include "platform/canvas.h"

#include <optional>
#include <vector>

// Sets before the end record (looking at no more than 250).
int facing_set_count();
// A new set before the end record (direction 1, the rest for the caller to fill), or -1 with
// its box: "Limit Reached Error" at 250 sets, "Memory Allocation Error" when memory runs out
// (the list is then as it was).
int add_facing_set();
// The set a class names (1-based), or null for 0 and for a number past the sets.
const facing_set_struct* class_facing_set(const class_struct& cls);

// The facing direction of a code in degrees (0 right, 90 up), or nothing for a code that names
// no side or corner.
std::optional<int> facing_direction(int code);

struct facing_box {
    int x = 0, y = 0, width = 0, height = 0;
};
// The point of a box a marker of that code stands on: a corner or the middle of a side.
std::optional<canvas_point> facing_anchor_point(const facing_box& box, int code);
// The point of a hex box (of size h) the hex-edge arrow's tip touches, from the box's corner.
std::optional<canvas_point> hex_edge_anchor(int h, int code);

// The marker outline: shape 1 a bar on a side or an L round a corner, 2 a triangle whose tip is
// the point, 3 the same triangle standing on the point. Empty: nothing to draw.
std::vector<canvas_point> build_facing_polygon(int x, int y, int size, int code, int shape);

// The outline of a piece's marker: the piece's symbol box and the hex's box at zoom level z
// (hex size h). Empty when the piece shows no facing there.
std::vector<canvas_point> piece_facing_outline(const piece_struct& piece, const class_struct& cls,
                                               const facing_box& symbol_box, int hex_x, int hex_y, int h,
                                               int zoom);

// The facing code a direction (degrees, 0 right, 90 up) picks on a grid type (1 odd columns
// shifted, 2 odd rows shifted, 3 square) for a set's direction kind (1 sides, 2 vertices, 3
// both); 0 for any other grid type or kind. A sector's bound nearer 0 degrees belongs to it.
int facing_code_at_angle(double degrees, int grid_type, int kind);
