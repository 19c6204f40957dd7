#include "placement.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/records.h"
#include "data/value_text.h"
#include "platform/boxes.h"
#include "players/visibility.h"

std::vector<placement_entry> placement_list;
std::int32_t placement_target = 63000;
std::int32_t placement_pool = -1;
int auto_edit_new_pieces = 0;
std::uint8_t place_again_after_placing = 0;
std::function<void()> placement_form_hook;
std::function<int(int)> new_piece_editor_hook;
std::function<void()> pool_pieces_form_hook;
std::function<bool()> from_pool_question_hook;

namespace {

void append_to_action_selection(std::int32_t piece) {
    int n = 0;
    while (n < action_selection_capacity - 1 && action_selection[n] != -1)
        ++n;
    if (n >= action_selection_capacity - 1) return;
    action_selection[n] = piece;
    action_selection[n + 1] = -1;
}

} // namespace

std::uint8_t placed_hidden_state(int class_index) {
    if (!class_record(class_index)) return 0;
    const int owner = game->class_array[static_cast<std::size_t>(class_index)].owner;
    const player_struct* p = owner < players_in_game() ? player_record(owner) : nullptr;
    return p && p->flags != 0 && (p->flags & player_flag_hidden_when_placed) ? 2 : 0;
}

std::int32_t placement_total(const std::vector<placement_entry>& list) {
    std::int32_t n = 0;
    for (const auto& e : list)
        if (e.count > 0) n += e.count;
    return n;
}

int create_placement_pieces(std::int32_t target, bool into_pool) {
    if (into_pool ? (target < 0 || static_cast<std::size_t>(target) >= game->pool_array.size())
                  : (target < 0 || target >= board->hex_count))
        return 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> groups;
    for (const auto& e : placement_list)
        if (e.count > 0 && class_record(e.index)) groups.emplace_back(e.index, e.count);
    int made = 0;
    bool group_written = false;
    for (const auto& [class_index, count] : groups) {
        const bool card = game->class_array[static_cast<std::size_t>(class_index)].is_card();
        for (std::int32_t k = 0; k < count; ++k) {
            int piece = -1;
            if (auto_edit_new_pieces && !card && new_piece_editor_hook) {
                piece = new_piece_editor_hook(class_index);
                if (piece < 0) continue; // cancelled
            } else {
                piece = add_piece();
                if (piece < 0) break;
                piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
                p.class_index = class_index;
                p.hidden = placed_hidden_state(class_index);
                if (card) p.value_types[0] = value_type_card;
            }
            piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
            // A group on the map is recorded before its first piece; pieces that go into a pool
            // are recorded by nothing, so no group record is left without its pieces.
            if (!into_pool && !group_written) {
                append_group_placement_record(target, piece, groups);
                group_written = true;
            }
            p.location = target;
            if (into_pool) {
                p.flags |= piece_flag_in_pool;
                pool_struct& pool = game->pool_array[static_cast<std::size_t>(target)];
                if (pool.piece_count >= 0 && pool.piece_count < class_end - 1) ++pool.piece_count;
            } else {
                p.flags &= static_cast<std::uint8_t>(~piece_flag_in_pool);
                if (static_cast<std::size_t>(target) < board->hex_piece_counts.size())
                    ++board->hex_piece_counts[static_cast<std::size_t>(target)];
                append_add_piece_record(piece, class_index, 0, 0, target);
                append_to_action_selection(piece);
            }
            ++made;
        }
    }
    if (made > 0) game_modified = 1;
    return made;
}

int place_listed_pool_pieces(std::int32_t hex) {
    if (hex < 0 || hex >= board->hex_count) return 0;
    int placed = 0;
    for (const auto& e : placement_list) {
        const std::int32_t piece = e.index;
        if (e.count == -1 || piece == -1) break;
        if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) continue;
        piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
        const std::int32_t pool = p.location;
        if (!p.in_pool() || pool < 0 || static_cast<std::size_t>(pool) >= game->pool_array.size()) continue;
        p.location = hex;
        p.flags &= static_cast<std::uint8_t>(~piece_flag_in_pool);
        if (static_cast<std::size_t>(hex) < board->hex_piece_counts.size())
            ++board->hex_piece_counts[static_cast<std::size_t>(hex)];
        pool_struct& from = game->pool_array[static_cast<std::size_t>(pool)];
        if (from.piece_count > 0 && from.piece_count < class_end) --from.piece_count;
        append_to_action_selection(piece);
        p.hidden = placed_hidden_state(p.class_index);
        append_add_piece_record(piece, p.class_index, 1, pool, hex);
        if (auto_edit_new_pieces) open_piece_editor(piece);
        ++placed;
    }
    if (placed > 0) game_modified = 1;
    return placed;
}

bool place_pieces_from_pool(std::int32_t hex) {
    placement_list.clear();
    if (pool_pieces_form_hook) pool_pieces_form_hook();
    if (placement_list.empty()) return false;
    const int placed = place_listed_pool_pieces(hex);
    placement_list.clear();
    if (placed > 0) redraw_map_hex(hex);
    return true;
}

bool classes_to_place() {
    for (const class_struct& c : game->class_array) {
        if (c.symbol == class_end) break;
        if (c.symbol != class_free) return true;
    }
    message_box("No Classes Defined",
                "Before you can make/place pieces, you need to define some piece classes.", box_buttons::ok,
                box_icon::exclamation);
    return false;
}

bool place_new_pieces(std::int32_t target, bool into_pool) {
    const bool pools = !game->pool_array.empty() && game->pool_array[0].piece_count != class_end;
    if (auto_place_from_pool) {
        if (pools) return place_pieces_from_pool(target);
        message_box(
            "No Force Pools Defined",
            "Your placement default is set to 'From Force Pools', but \n\r no pools have been defined yet.  "
            "If you place \n\rpieces, they will be created from scratch.",
            box_buttons::ok, box_icon::information);
    } else if (!into_pool && ask_place_from_pools && from_pool_question_hook && from_pool_question_hook()) {
        return place_pieces_from_pool(target);
    }
    placement_target = into_pool ? 63000 : target;
    placement_pool = into_pool ? target : -1;
    placement_list.clear();
    if (placement_form_hook) placement_form_hook();
    if (placement_list.empty()) return false;
    const int made = create_placement_pieces(target, into_pool);
    placement_list.clear();
    if (!into_pool && made > 0) redraw_map_hex(target);
    return made > 0;
}
