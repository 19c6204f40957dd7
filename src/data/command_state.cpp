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
std::size_t path_reveals_from = 0;
std::int32_t action_selection[action_selection_capacity] = {-1};
std::int32_t cycle_list[cycle_list_capacity] = {-1};

void reset_command_state() {
    std::fill(std::begin(move_path), std::end(move_path), 63000);
    std::fill(std::begin(selected_pieces), std::end(selected_pieces), -1);
    std::fill(std::begin(attacker_list), std::end(attacker_list), -1);
    std::fill(std::begin(defender_list), std::end(defender_list), -1);
    combat_click_side = 0;
    combat_last_added = -1;
    path_reveal_flags = 0;
    path_reveal_count = 0;
    path_reveals_from = 0;
}

namespace {
template <std::size_t N>
void renumber_list(std::int32_t (&list)[N], const std::function<std::int32_t(std::int32_t)>& new_index) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < N && list[i] != -1; ++i) {
        const std::int32_t to = new_index(list[i]);
        if (to >= 0) list[out++] = to;
    }
    // The freed entries at the back become end marks, so no walk finds a stale piece.
    for (std::size_t i = out; i < N && list[i] != -1; ++i)
        list[i] = -1;
}
} // namespace

void renumber_held_pieces(const std::function<std::int32_t(std::int32_t)>& new_index) {
    renumber_list(selected_pieces, new_index);
    renumber_list(attacker_list, new_index);
    renumber_list(defender_list, new_index);
    renumber_list(action_selection, new_index);
    renumber_list(cycle_list, new_index);
}

void held_pieces_after_move_in_order(std::int32_t a, std::int32_t b) {
    if (a == b) return;
    renumber_held_pieces([a, b](std::int32_t p) {
        if (p == a) return b;
        if (a < b && p > a && p <= b) return p - 1;
        if (a > b && p >= b && p < a) return p + 1;
        return p;
    });
}

void held_pieces_after_removal(std::int32_t piece) {
    renumber_held_pieces([piece](std::int32_t p) { return p == piece ? -1 : p; });
}
