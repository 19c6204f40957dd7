// Hidden pieces found by enemy pieces that come near them: by reveal range (each player's range
// in hexes) and, after a move, by line of sight.
#pragma once

#include <cstdint>

// The one rule of who finds whom, for the range and the sight-line reveals alike: a piece of
// owner target is found by a piece of owner finder when they differ, target is a player (below
// 200) and target's alliance entry does not name finder. Allies are never revealed to each other.
bool reveal_is_allowed(int target_owner, int finder_owner);

// Whether a target at (target column, row) lies within `range` of a finder at (column, row): the
// square box of the range about the finder, less, for range 1 and more on a hex grid, the two
// far corners of the box on the side the finder's column (grid 1) or row (grid 2) is shifted
// away from. The corners are those of the whole box, also where the board's edge cuts it, so
// that an edge never takes a true neighbour away. Range 0 is the finder's own hex.
bool in_reveal_range(int target_column, int target_row, int finder_column, int finder_row, int range);

// A piece that can find or be found: on the board, not in a pool, not a card.
bool takes_part_in_reveal(int piece);

// The class owner of a piece, or -1 when the piece or its class is not there.
int piece_owner(int piece);

// The full run over the board: every player piece is fully hidden, then every piece that some
// enemy piece has within its owner's range is found (hidden state 0). Recorded as code 25;
// redraws the map. Pieces of classes owned by all or by nobody keep their state.
void run_range_auto_reveal();

// What one moved piece found on arriving at a hex.
struct move_reveal_result {
    int others = 0;      // enemy pieces revealed
    bool itself = false; // the moved piece was found by an enemy
    bool any() const { return others > 0 || itself; }
};

// After piece `moved` arrived at `location`: with reveal when moving by range and/or by line of
// sight on, the hidden enemy pieces it finds are revealed, and the piece itself when an enemy
// finds it. Every reveal is recorded as code 11 (they go behind the move record when the move
// is recorded); with `redraw` the hexes of the revealed pieces are redrawn.
move_reveal_result auto_reveal_after_move(int moved, std::int32_t location, bool redraw);
