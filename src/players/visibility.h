// What the logged-in player may see of a piece.
#pragma once

#include <cstdint>

// 3 everything, 2 the symbol but not the name and values, 1 the hidden symbol only, 0 nothing.
int get_piece_visibility(int piece);
// The symbol the logged-in player sees for a piece.
std::int32_t get_piece_display_symbol(int piece);
