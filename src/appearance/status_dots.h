// Status dots: the six game-wide markers drawn in a piece's box when a condition holds.
#pragma once

#include "data/records.h"

#include <optional>

constexpr int status_dot_count = 6;

// Whether a dot's condition holds for a piece of a class. A condition, value number or value type
// outside its range (a damaged file) never holds.
bool status_dot_holds(const status_dot_struct& dot, const piece_struct& piece, const class_struct& cls);

// The square a dot fills in a piece box at a zoom level (0..2), or nothing when it is not drawn
// there (position 0 or past 9, size 0).
struct dot_square {
    int x = 0, y = 0, size = 0;
};
std::optional<dot_square> status_dot_square(const status_dot_struct& dot, int zoom, int x, int y, int width,
                                            int height);

// The texts of the form's lists.
extern const char* const status_dot_condition_texts[7];
extern const char* const status_dot_position_texts[10];
