#include "command_state.h"

#include <algorithm>
#include <iterator>

std::int32_t move_path[move_path_capacity] = {63000};
std::int32_t selected_pieces[selected_pieces_capacity] = {-1};
std::int32_t attacker_list[combat_list_capacity] = {-1};
std::int32_t defender_list[combat_list_capacity] = {-1};
char combat_click_side = 0;
std::int32_t combat_last_added = -1;
std::uint8_t path_reveal_flags = 0;
std::int32_t path_reveal_count = 0;

void reset_command_state() {
    std::fill(std::begin(move_path), std::end(move_path), 63000);
    std::fill(std::begin(selected_pieces), std::end(selected_pieces), -1);
    std::fill(std::begin(attacker_list), std::end(attacker_list), -1);
    std::fill(std::begin(defender_list), std::end(defender_list), -1);
    combat_click_side = 0;
    combat_last_added = -1;
    path_reveal_flags = 0;
    path_reveal_count = 0;
}
