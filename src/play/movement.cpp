#include "movement.h"

#include "reveal.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/game_settings.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/records.h"
#include "platform/boxes.h"

#include <algorithm>
#include <vector>

namespace {

template <std::size_t N> int count_list(const std::int32_t (&list)[N]) {
    int n = 0;
    while (static_cast<std::size_t>(n) < N && list[n] != -1)
        ++n;
    return n;
}

bool valid_piece_index(std::int32_t p) {
    return p >= 0 && static_cast<std::size_t>(p) < game->piece_array.size();
}

piece_struct& piece_ref(std::int32_t p) {
    return game->piece_array[static_cast<std::size_t>(p)];
}

void add_count(std::int32_t hex, int by) {
    auto& counts = board->hex_piece_counts;
    if (hex < 0 || static_cast<std::size_t>(hex) >= counts.size()) return;
    counts[static_cast<std::size_t>(hex)] = std::max(0, counts[static_cast<std::size_t>(hex)] + by);
}

// The distinct hexes of the pieces of both combat lists, attackers first, at most 100.
std::vector<std::int32_t> combat_hexes() {
    std::vector<std::int32_t> hexes;
    auto collect = [&](const std::int32_t* list, int capacity) {
        for (int i = 0; i < capacity && list[i] != -1; ++i) {
            if (!valid_piece_index(list[i])) continue;
            const std::int32_t hex = piece_ref(list[i]).location;
            if (hexes.size() < 100 && std::find(hexes.begin(), hexes.end(), hex) == hexes.end())
                hexes.push_back(hex);
        }
    };
    collect(attacker_list, combat_list_capacity);
    collect(defender_list, combat_list_capacity);
    return hexes;
}

// Takes the first occurrence of a piece out of the selection, the rest moving up.
void unselect(std::int32_t piece) {
    for (int i = 0; i < selected_pieces_capacity && selected_pieces[i] != -1; ++i)
        if (selected_pieces[i] == piece) {
            std::copy(selected_pieces + i + 1, selected_pieces + selected_pieces_capacity,
                      selected_pieces + i);
            selected_pieces[selected_pieces_capacity - 1] = -1;
            return;
        }
}

} // namespace

bool game_uses_hidden_pieces() {
    for (const player_struct& p : game->player_array) {
        if (p.name[0] == 0) break;
        if (p.flags & player_flag_uses_hidden) return true;
    }
    return false;
}

int take_up_for_move(std::span<const std::int32_t> pieces) {
    int n = 0;
    for (std::int32_t p : pieces) {
        if (p == -1 || n >= 499) break;
        if (valid_piece_index(p)) selected_pieces[n++] = p;
    }
    selected_pieces[n] = -1;
    if (n > 0) operation_mode = 2;
    return n;
}

int path_step_count() {
    int n = 0;
    while (n < move_path_capacity && move_path[n] != location_end)
        ++n;
    return n;
}

bool add_path_step(std::int32_t hex) {
    const int n = path_step_count();
    if (n >= move_path_steps_max) {
        message_box("Movement Path Full",
                    "A movement path holds at most 99 steps.\n\rClick Done to move the pieces this far, or "
                    "Undo to take steps back.",
                    box_buttons::ok, box_icon::exclamation);
        return false;
    }
    if (n == 0) {
        path_reveal_count = 0;
        path_reveal_flags = 0;
        path_reveals_from = history_end_offset();
    }
    move_path[n] = hex;
    move_path[n + 1] = location_end;
    redraw_map_hex(hex);
    play_game_sound(game_sound::move);
    if (!game_uses_hidden_pieces()) return true;
    for (int i = 0; i < selected_pieces_capacity && selected_pieces[i] != -1; ++i) {
        const move_reveal_result r = auto_reveal_after_move(selected_pieces[i], hex, true);
        if (r.others > 0) path_reveal_flags |= 1;
        if (r.itself) path_reveal_flags |= 2;
        if (r.any()) ++path_reveal_count;
    }
    return true;
}

void undo_path_step() {
    if (path_reveal_flags & 1) {
        message_box("Undo Command Error",
                    "This movement path has revealed enemy pieces. None of the steps may be undone.",
                    box_buttons::ok, box_icon::stop);
        return;
    }
    const int n = path_step_count();
    if (n == 0) return;
    const std::int32_t hex = move_path[n - 1];
    move_path[n - 1] = location_end;
    redraw_map_hex(hex);
}

bool move_selected_pieces() {
    const int n = count_list(selected_pieces);
    const int s = path_step_count();
    if (n == 0 || s == 0 || !valid_piece_index(selected_pieces[0])) return false;
    if (append_move_record(selected_pieces, move_path, path_reveals_from) < 0) return false;
    const std::int32_t start = piece_ref(selected_pieces[0]).location;
    const std::int32_t end = move_path[s - 1];
    for (int i = 0; i < n; ++i) {
        if (!valid_piece_index(selected_pieces[i])) continue;
        piece_struct& p = piece_ref(selected_pieces[i]);
        add_count(p.location, -1);
        add_count(end, 1);
        p.location = end;
        p.flags |= piece_flag_moved;
    }
    // No path marker and no highlight in the redraw.
    const std::int32_t mode = operation_mode, first = selected_pieces[0];
    operation_mode = 0;
    selected_pieces[0] = -1;
    redraw_map_hex(start);
    play_game_sound(game_sound::move_done);
    for (int i = 0; i < s; ++i)
        redraw_map_hex(move_path[i]);
    selected_pieces[0] = first;
    operation_mode = mode;
    if (show_hex_in_panels_hook) show_hex_in_panels_hook(end);
    return true;
}

void finish_move() {
    if (move_selected_pieces()) game_modified = 1;
    std::fill(std::begin(move_path), std::end(move_path), location_end);
    selected_pieces[0] = -1;
    path_reveal_flags = 0;
    path_reveal_count = 0;
    operation_mode = 0;
}

int add_combatants(char side, std::span<const std::int32_t> pieces) {
    std::int32_t* list = side == 'A' ? attacker_list : defender_list;
    int in_list = 0;
    while (in_list < combat_list_capacity && list[in_list] != -1)
        ++in_list;
    int in_selection = count_list(selected_pieces);
    int added = 0;
    for (std::int32_t p : pieces) {
        if (p == -1) break;
        if (!valid_piece_index(p)) continue;
        // Both lists keep room for their end mark.
        if (in_list >= combat_list_capacity - 1 || in_selection >= selected_pieces_capacity - 1) break;
        list[in_list++] = p;
        selected_pieces[in_selection++] = p;
        if (game_settings.reveal_during_combat) piece_ref(p).hidden = 0;
        ++added;
    }
    list[in_list] = -1;
    selected_pieces[in_selection] = -1;
    if (added > 0) operation_mode = 3;
    combat_last_added = added;
    combat_click_side = side;
    return added;
}

void undo_combat_selection() {
    if (combat_last_added > 0 && (combat_click_side == 'A' || combat_click_side == 'D')) {
        std::int32_t* list = combat_click_side == 'A' ? attacker_list : defender_list;
        int c = 0;
        while (c < combat_list_capacity && list[c] != -1)
            ++c;
        std::int32_t last_hex = -1;
        for (int i = std::max(0, c - combat_last_added); i < c; ++i) {
            if (valid_piece_index(list[i])) last_hex = piece_ref(list[i]).location;
            unselect(list[i]);
            list[i] = -1;
        }
        if (last_hex >= 0) redraw_map_hex(last_hex);
        combat_last_added = 0;
        combat_click_side = 0;
        return;
    }
    const std::vector<std::int32_t> hexes = combat_hexes();
    std::fill(std::begin(selected_pieces), std::end(selected_pieces), -1);
    std::fill(std::begin(attacker_list), std::end(attacker_list), -1);
    std::fill(std::begin(defender_list), std::end(defender_list), -1);
    combat_click_side = 0;
    combat_last_added = 0;
    for (std::int32_t hex : hexes)
        redraw_map_hex(hex);
}

void show_combat_summary() {
    if ((game_settings.combat_summary_class_mask || game_settings.combat_summary_piece_mask) &&
        combat_summary_hook)
        combat_summary_hook();
}

bool resolve_combat() {
    if (attacker_list[0] == -1 && defender_list[0] == -1) return false;
    show_combat_summary();
    append_combat_record(attacker_list, defender_list);
    if ((combat_options & 2) && roll_dice_form_hook) roll_dice_form_hook();
    for (int i = 0; i < combat_list_capacity && attacker_list[i] != -1; ++i)
        if (valid_piece_index(attacker_list[i])) piece_ref(attacker_list[i]).flags |= piece_flag_attacked;
    for (int i = 0; i < combat_list_capacity && defender_list[i] != -1; ++i)
        if (valid_piece_index(defender_list[i])) piece_ref(defender_list[i]).flags |= piece_flag_defended;
    const std::vector<std::int32_t> hexes = combat_hexes();
    defender_list[0] = -1;
    selected_pieces[0] = -1;
    attacker_list[0] = -1;
    combat_click_side = 0;
    combat_last_added = 0;
    for (std::int32_t hex : hexes)
        redraw_map_hex(hex);
    return true;
}
