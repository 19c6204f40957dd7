// The pieces drawn in the hex being drawn, so that selected ones can be highlighted. Only the
// map drawing writes these; the piece actions form keeps its grid rows in a list of its own.
#pragma once

#include <cstdint>

struct piece_mark {
    std::int32_t piece = -1; // -1 ends the list
    std::int32_t display_symbol = 0;
    std::int32_t slot = 0;
    std::int32_t symbol = 0;
};

constexpr int piece_marks_capacity = 100;
extern piece_mark selected_piece_marks[piece_marks_capacity];
void clear_piece_marks();
