// The state of a move or combat being built up on the map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

constexpr int move_path_capacity = 100;
constexpr int selected_pieces_capacity = 1000;
constexpr int combat_list_capacity = 500;

extern std::int32_t move_path[move_path_capacity];
extern std::int32_t selected_pieces[selected_pieces_capacity];
extern std::int32_t attacker_list[combat_list_capacity];
extern std::int32_t defender_list[combat_list_capacity];
extern char combat_click_side;
extern std::int32_t combat_last_added;
extern std::uint8_t path_reveal_flags;
extern std::int32_t path_reveal_count;
// Where the history ended when the path's first step was added: the reveals written since then
// go behind the move record.
extern std::size_t path_reveals_from;

// The pieces of the hex the piece actions form or the unit panel lists, in line order, ended by -1.
constexpr int action_selection_capacity = 1000;
extern std::int32_t action_selection[action_selection_capacity];

// The pieces the cycle buttons visit, ended by -1.
constexpr int cycle_list_capacity = 5000;
extern std::int32_t cycle_list[cycle_list_capacity];

// Every list above that names pieces follows a change of the piece array: new_index(old) is the
// piece's index after the change, or -1 when the piece is gone, whose entry then leaves the
// list (the entries behind it move up). Whatever reorders or frees pieces calls this once.
void renumber_held_pieces(const std::function<std::int32_t(std::int32_t)>& new_index);
// The same after the record of piece a moved to index b, the pieces between shifting by one.
void held_pieces_after_move_in_order(std::int32_t a, std::int32_t b);
// The same after a piece left the game (its slot freed).
void held_pieces_after_removal(std::int32_t piece);

// Empties the path, the selection and both combat lists.
void reset_command_state();
