#include "piece_order.h"

#include "data/command_state.h"
#include "data/history_stream.h"
#include "data/records.h"

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
