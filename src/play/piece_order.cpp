#include "piece_order.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/history_stream.h"
#include "data/records.h"
#include "data/value_text.h"
#include "players/visibility.h"

#include <algorithm>

void move_piece_in_order(int a, int b, bool record) {
    auto& pieces = game->piece_array;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(pieces.size()));
    if (b < 0 || b >= end || a < 0 || a >= end || a == b) return;
    auto first = pieces.begin();
    if (a < b)
        std::rotate(first + a, first + a + 1, first + b + 1);
    else
        std::rotate(first + b, first + a, first + a + 1);
    if (record) append_piece_order_record(a, b);
    held_pieces_after_move_in_order(a, b);
    game_modified = 1;
}

std::vector<int> pieces_to_order(std::int32_t hex) {
    std::vector<int> out;
    const auto& pieces = game->piece_array;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(pieces.size()));
    const auto& counts = board->hex_piece_counts;
    const std::size_t most =
        (hex >= 0 && static_cast<std::size_t>(hex) < counts.size()
             ? static_cast<std::size_t>(std::max(0, counts[static_cast<std::size_t>(hex)]))
             : 0) +
        9;
    for (int i = 0; i < end && out.size() < most; ++i) {
        const piece_struct& p = pieces[static_cast<std::size_t>(i)];
        if (p.location == hex && !p.in_pool() && get_piece_visibility(i) >= visibility_info_hidden)
            out.push_back(i);
    }
    return out;
}

std::string piece_order_line(int piece) {
    if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) return {};
    const bool on_top = game->piece_array[static_cast<std::size_t>(piece)].flags & piece_flag_on_top;
    return std::string(on_top ? "<DOT> " : "   ") + piece_and_class_name(piece);
}

void save_new_piece_order(std::vector<int> order) {
    for (std::size_t k = 0; k < order.size(); ++k) {
        const int moved = order[k];
        move_piece_in_order(moved, game->piece_end_index - 1, true);
        for (std::size_t j = k + 1; j < order.size(); ++j)
            if (order[j] > moved) --order[j];
    }
}
