// Taking a piece off the board: out of the game, or into a force pool.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the removal question answered: 0 leave the game, 1 into a pool, 3 cancelled.
constexpr int remove_leave_game = 0, remove_into_pool = 1, remove_cancelled = 3;
extern int remove_choice;
extern int remove_pool;
extern int last_remove_to_pool;
extern int last_remove_pool;

// The force pools a piece can go into (existing pools that are not hands or decks), as indices.
std::vector<int> force_pools();
bool is_force_pool(int pool);

// The question (remove_unit_to_form): sets remove_choice and remove_pool. `propose_pool` when
// Auto-Remove Pieces To Pool is on. Filled by the form.
extern std::function<void(std::int32_t piece, bool propose_pool)> remove_question_hook;

// Removes a piece standing on the map as the preferences say (asking when they want it) and
// records it (code 23); every held list lets it go. False when nothing changed (cancelled, not
// on the map, no usable pool).
bool remove_piece_from_board(std::int32_t piece);

// Removes each piece in turn (the piece actions form's Remove).
void remove_pieces_from_board(const std::vector<std::int32_t>& pieces);
