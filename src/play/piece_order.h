// The order of the pieces in the piece array, which is the order they are drawn in a hex.
#pragma once

// Moves the record of piece a to index b, the records between shifting by one; with `record`
// appends the piece-order record (code 18). Every held list of pieces follows. Nothing happens
// when b is outside 0 .. piece_end_index - 1, a is not a piece, or b equals a.
void move_piece_in_order(int a, int b, bool record);
