#include "piece_editing.h"

#include "data/current_player.h"
#include "data/history_stream.h"
#include "players/visibility.h"

#include <cstring>

namespace {
void remember_loaded(piece_edit_session& s) {
    s.old_values = s.record.values;
    std::memcpy(s.old_types, s.record.value_types, sizeof s.old_types);
    s.old_hidden = s.record.hidden;
}
} // namespace

std::uint8_t hidden_state_when_placed(int class_index) {
    if (class_index < 0 || static_cast<std::size_t>(class_index) >= game->class_array.size()) return 0;
    const int owner = game->class_array[static_cast<std::size_t>(class_index)].owner;
    const player_struct* p = owner < players_in_game() ? player_record(owner) : nullptr;
    return p && (p->flags & player_flag_hidden_when_placed) ? 2 : 0;
}

std::string hidden_state_line(int state) {
    return state == 1   ? "This piece's INFO hidden."
           : state == 2 ? "This piece IS hidden."
                        : "This piece is NOT hidden.";
}

std::string hidden_state_name(int state) {
    return state == 1 ? "INFO Hidden" : state == 2 ? "HIDDEN" : "NOT Hidden";
}

piece_edit_session begin_piece_edit(int index, int new_class) {
    piece_edit_session s;
    const auto& pieces = game->piece_array;
    if (index >= 0 && static_cast<std::size_t>(index) < pieces.size()) {
        s.edited = index;
        s.record = pieces[static_cast<std::size_t>(index)];
        remember_loaded(s);
        s.pooled_or_new = s.record.location >= location_end || s.record.in_pool();
    } else {
        s.new_piece = true;
        s.pooled_or_new = true;
        s.record = piece_struct{};
        s.record.class_index = new_class;
        if (new_class >= 0 && static_cast<std::size_t>(new_class) < game->class_array.size()) {
            const class_struct& c = game->class_array[static_cast<std::size_t>(new_class)];
            s.record.values = c.values;
            std::memcpy(s.record.value_types, c.value_types, sizeof s.record.value_types);
        }
        remember_loaded(s);
    }
    // The copy only: a Cancel leaves the piece as it was.
    // A pooled piece takes its class owner's state unrecorded; only a change made here counts.
    if (s.pooled_or_new) {
        s.record.hidden = hidden_state_when_placed(s.record.class_index);
        s.old_hidden = s.record.hidden;
        s.record.flags &= static_cast<std::uint8_t>(~piece_flag_on_top);
    }
    return s;
}

bool other_on_top_pieces(int piece, std::int32_t location) {
    const auto& pieces = game->piece_array;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(pieces.size()));
    for (int i = 0; i < end; ++i) {
        const piece_struct& p = pieces[static_cast<std::size_t>(i)];
        if (i != piece && p.location == location && !p.in_pool() && (p.flags & piece_flag_on_top))
            return true;
    }
    return false;
}

void clear_other_on_top_pieces(int piece, std::int32_t location) {
    auto& pieces = game->piece_array;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(pieces.size()));
    for (int i = 0; i < end; ++i) {
        piece_struct& p = pieces[static_cast<std::size_t>(i)];
        if (i != piece && p.location == location && !p.in_pool())
            p.flags &= static_cast<std::uint8_t>(~piece_flag_on_top);
    }
}

int commit_piece_edit(piece_edit_session& s, bool record_hidden) {
    int index = s.edited;
    if (s.new_piece) {
        index = add_piece();
        if (index < 0) return -1;
        s.record.location = 0; // the caller places it
    }
    if (static_cast<std::size_t>(index) >= game->piece_array.size()) return -1;
    game->piece_array[static_cast<std::size_t>(index)] = s.record;
    if (!s.new_piece) {
        for (int k = 0; k < 8; ++k)
            if (s.record.values[static_cast<std::size_t>(k)] != s.old_values[static_cast<std::size_t>(k)] ||
                s.record.value_types[k] != s.old_types[k])
                append_value_change_record(
                    'U', k, s.old_values[static_cast<std::size_t>(k)].data(), s.old_types[k],
                    s.record.values[static_cast<std::size_t>(k)].data(), s.record.value_types[k], index);
        if (record_hidden && s.record.hidden != s.old_hidden)
            append_hidden_change_record(current_player, index, s.old_hidden, s.record.hidden);
    }
    s.edited = index;
    s.new_piece = false;
    remember_loaded(s);
    game_modified = 1;
    return index;
}
