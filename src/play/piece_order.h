// The order of the pieces in the piece array, which is the order they are drawn in a hex.
#pragma once

// Moves the record of piece a to index b, the records between shifting by one; with `record`
// appends the piece-order record (code 18). Every held list of pieces follows. Nothing happens
// when b is outside 0 .. piece_end_index - 1, a is not a piece, or b equals a.
void move_piece_in_order(int a, int b, bool record);

#include <cstdint>
#include <string>
#include <vector>

// The pieces the sort form lists for a hex: standing there (not in a pool), known at least by
// class to the player, in array order; at most the hex's count + 9.
std::vector<int> pieces_to_order(std::int32_t hex);
// A piece's line in the sort form: "<DOT> " for a piece drawn on top, else three blanks, then
// the name, two blanks and the class name.
std::string piece_order_line(int piece);
// Puts the pieces, in this order, at the back of the piece array, each move recorded.
void save_new_piece_order(std::vector<int> order);
