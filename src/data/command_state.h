// The state of a move or combat being built up on the map.
#pragma once

#include <cstdint>

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

// Empties the path, the selection and both combat lists.
void reset_command_state();
