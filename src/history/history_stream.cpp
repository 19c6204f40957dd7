#include "history_stream.h"

#include "data/encodings.h"
#include "data/records.h"

#include <new>

long append_history_record(int length, int code) {
    if (length < 0 || code < 0 || code > 255) return -1;
    auto& s = game->history_stream;
    if (s.empty() || s.back() != marker_close) return -1;
    try {
        std::size_t start = s.size() - 1; // overwrite the closing 0xFE
        s.resize(s.size() + 2 + static_cast<std::size_t>(length), 0);
        s[start] = marker_open;
        s[start + 1] = static_cast<std::uint8_t>(code);
        s.back() = marker_close;
        return static_cast<long>(start + 2);
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

void put_history_num2(long offset, int value) {
    auto& s = game->history_stream;
    if (offset < 0 || static_cast<std::size_t>(offset) + 2 > s.size()) return;
    s[offset] = static_cast<std::uint8_t>(value / 250);
    s[offset + 1] = static_cast<std::uint8_t>(value % 250);
}

void clear_history() {
    byte_vector out;
    byte_writer w(out);
    const auto& pieces = game->piece_array;
    w.num2(static_cast<std::int64_t>(pieces.size()));
    for (const auto& p : pieces) {
        w.num2(p.class_index >= 0 && p.class_index <= num2_max ? p.class_index : 0);
        std::int32_t loc = p.location;
        if (p.in_pool() && loc != location_end && loc != location_free) loc = 63002;
        w.num2(loc >= 0 && loc <= num2_max ? loc : location_free);
        w.byte(p.hidden);
    }
    w.num2(game->game_turn >= 0 && game->game_turn <= num2_max ? game->game_turn : 0);
    w.byte(marker_close);
    game->history_stream = std::move(out);
}

// Not yet: the history keeps the old numbers until the record layouts are walked here.
void renumber_history_pieces(const std::vector<std::int32_t>&) {}
