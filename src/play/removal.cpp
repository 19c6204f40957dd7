#include "removal.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/records.h"
#include "players/visibility.h"

#include <algorithm>

int remove_choice = remove_leave_game;
int remove_pool = 0;
int last_remove_to_pool = 0;
int last_remove_pool = 0;
std::function<void(std::int32_t, bool)> remove_question_hook;

bool is_force_pool(int pool) {
    const auto& pools = game->pool_array;
    if (pool < 0 || static_cast<std::size_t>(pool) >= pools.size()) return false;
    // The list ends at its end record.
    for (int i = 0; i <= pool; ++i)
        if (pools[static_cast<std::size_t>(i)].piece_count == class_end) return false;
    if (pools[static_cast<std::size_t>(pool)].piece_count == class_free) return false;
    const int type = pools[static_cast<std::size_t>(pool)].type;
    return type != pool_type_hand && type != pool_type_deck;
}

std::vector<int> force_pools() {
    std::vector<int> out;
    for (std::size_t i = 0; i < game->pool_array.size(); ++i) {
        if (game->pool_array[i].piece_count == class_end) break;
        if (is_force_pool(static_cast<int>(i))) out.push_back(static_cast<int>(i));
    }
    return out;
}

bool remove_piece_from_board(std::int32_t piece) {
    auto& pieces = game->piece_array;
    if (piece < 0 || static_cast<std::size_t>(piece) >= pieces.size()) return false;
    piece_struct& p = pieces[static_cast<std::size_t>(piece)];
    if (p.in_pool() || p.location < 0 || p.location >= board->hex_count) return false;
    const std::int32_t old_hex = p.location;
    if (auto_remove_to_pool) {
        remove_choice = remove_into_pool;
        if (remove_question_hook) remove_question_hook(piece, true);
    } else if (ask_remove_to_pool) {
        if (remove_question_hook) remove_question_hook(piece, false);
    } else {
        remove_choice = remove_leave_game;
        remove_pool = 0;
    }
    if (remove_choice == remove_cancelled) return false;
    // Only a force pool that exists takes the piece.
    if (remove_choice == remove_into_pool && !is_force_pool(remove_pool)) return false;
    const bool to_pool = remove_choice == remove_into_pool;
    if (append_remove_piece_record(piece, old_hex, to_pool ? 1 : 0, to_pool ? remove_pool : 0) < 0)
        return false;
    if (to_pool) {
        p.location = remove_pool;
        p.flags |= piece_flag_in_pool;
        pool_struct& pool = game->pool_array[static_cast<std::size_t>(remove_pool)];
        if (pool.piece_count >= 0 && pool.piece_count < class_end - 1) ++pool.piece_count;
    } else {
        p.location = location_free;
    }
    auto& counts = board->hex_piece_counts;
    if (static_cast<std::size_t>(old_hex) < counts.size() && counts[static_cast<std::size_t>(old_hex)] > 0)
        --counts[static_cast<std::size_t>(old_hex)];
    held_pieces_after_removal(piece);
    game_modified = 1;
    redraw_map_hex(old_hex);
    return true;
}

void remove_pieces_from_board(const std::vector<std::int32_t>& pieces) {
    for (std::int32_t p : pieces)
        if (remove_piece_from_board(p)) play_game_sound(game_sound::remove);
}
