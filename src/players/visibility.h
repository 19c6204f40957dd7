// What the player logged on now (current_player) may know of a piece. Every view, list, report
// and replay asks these functions; they keep no state and change nothing.
#pragma once

#include "data/records.h"

#include <string>

// Visibility codes.
constexpr int visibility_none = 0;        // not shown at all
constexpr int visibility_hidden = 1;      // drawn with a hidden symbol only (a card: face down)
constexpr int visibility_info_hidden = 2; // class symbol drawn, name and values hidden
constexpr int visibility_full = 3;        // symbol, name and values known

// The visibility code 0..3 of a piece for the current player; 0 for an index that names no piece.
int get_piece_visibility(int piece_index);
// 3 or 0: whether the current player may know which piece lies in a force pool. For a
// non-card piece in a pool it equals get_piece_visibility; a card is known when it is seen face up.
int get_pool_piece_visibility(int piece_index);
// The symbol number to draw for the piece as the current player sees it: the class symbol
// exactly when the code is 2 or 3, else the hidden symbol (for a card, its deck's card back).
// 0 for a deleted class.
int get_piece_display_symbol(int piece_index);
// A player's name for messages, lists and the replay; 255 is the visitor.
std::string player_display_name(int player_index);

// The number of players: the records before the first empty name.
int players_in_game();
// Player p's record when p names one (an index below the number of players), else null.
const player_struct* player_record(int player_index);
// Whether viewer and owner are allied: each one's alliance entry must list the other.
bool players_allied(int viewer, int owner);
