#include "reveal.h"

#include "data/alliances.h"
#include "data/board.h"
#include "data/game_settings.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/los_settings.h"
#include "data/records.h"
#include "los/los_engine.h"
#include "platform/progress.h"
#include "players/visibility.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::size_t reveals_kept = 1000;
constexpr std::size_t hexes_kept = 500;

int reveal_range_of(int owner) {
    const player_struct* p = player_record(owner);
    return p ? std::clamp<int>(p->reveal_range, 0, 50) : -1;
}

int column_of(std::int32_t hex) {
    return hex % board->map_columns;
}
int row_of(std::int32_t hex) {
    return hex / board->map_columns;
}

bool hex_in_range_of(std::int32_t target, std::int32_t finder, int range) {
    return range >= 0 &&
           in_reveal_range(column_of(target), row_of(target), column_of(finder), row_of(finder), range);
}

piece_struct& piece_ref(int piece) {
    return game->piece_array[static_cast<std::size_t>(piece)];
}

// Pieces found after one move: recorded as code-11 records of the finder's owner, their hexes
// kept for the redraw.
struct found_list {
    int player = 0;
    std::vector<std::uint8_t> owners;
    std::vector<std::int32_t> pieces;
    std::vector<std::int32_t> hexes;
    int count = 0;

    void add(int piece) {
        ++count;
        if (pieces.size() < reveals_kept) {
            owners.push_back(static_cast<std::uint8_t>(piece_owner(piece)));
            pieces.push_back(piece);
        }
        const std::int32_t hex = piece_ref(piece).location;
        if (hexes.size() < hexes_kept && std::find(hexes.begin(), hexes.end(), hex) == hexes.end())
            hexes.push_back(hex);
    }
    void record_and_redraw(bool redraw) {
        if (pieces.empty()) return;
        append_reveal_history_record(history_code_move_reveal, player, owners, pieces);
        if (redraw)
            for (std::int32_t hex : hexes)
                redraw_map_hex(hex);
    }
};

bool sight_line(std::int32_t from, std::int32_t to) {
    return check_line_of_sight(from, to, los_check.spotter_height, los_check.target_height, false, false) !=
           -1;
}

} // namespace

bool reveal_is_allowed(int target_owner, int finder_owner) {
    if (target_owner == finder_owner || target_owner < 0 || target_owner >= owner_all_players) return false;
    if (static_cast<std::size_t>(target_owner) < alliance_table.size()) {
        const auto& flags = alliance_table[static_cast<std::size_t>(target_owner)].flags;
        if (finder_owner >= 0 && static_cast<std::size_t>(finder_owner) < flags.size() &&
            flags[static_cast<std::size_t>(finder_owner)] != 0)
            return false;
    }
    return true;
}

bool in_reveal_range(int target_column, int target_row, int finder_column, int finder_row, int range) {
    if (range < 0) return false;
    const int dc = target_column - finder_column, dr = target_row - finder_row;
    if (std::abs(dc) > range || std::abs(dr) > range) return false;
    if (range == 0 || std::abs(dc) != range || std::abs(dr) != range) return true;
    // A far corner of the whole box.
    if (board->grid_type == 1) return finder_column % 2 != 0 ? dr != -range : dr != range;
    if (board->grid_type == 2) return finder_row % 2 != 0 ? dc != -range : dc != range;
    return true;
}

bool takes_part_in_reveal(int piece) {
    if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) return false;
    const piece_struct& p = piece_ref(piece);
    return p.location >= 0 && p.location < board->hex_count && !p.in_pool() && !p.is_card();
}

int piece_owner(int piece) {
    if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) return -1;
    const int c = piece_ref(piece).class_index;
    if (c < 0 || static_cast<std::size_t>(c) >= game->class_array.size()) return -1;
    return game->class_array[static_cast<std::size_t>(c)].owner;
}

void run_range_auto_reveal() {
    if (board->map_columns <= 0) return;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
    std::vector<std::int32_t> taking_part;
    for (int i = 0; i < end; ++i)
        if (takes_part_in_reveal(i)) {
            taking_part.push_back(i);
            if (piece_owner(i) >= 0 && piece_owner(i) < owner_all_players) piece_ref(i).hidden = 2;
        }
    if (taking_part.empty()) return;

    // The pieces by hex, so that each finder looks only into the hexes of its range.
    std::vector<std::int32_t> start(static_cast<std::size_t>(board->hex_count) + 1, 0);
    for (std::int32_t p : taking_part)
        ++start[static_cast<std::size_t>(piece_ref(p).location) + 1];
    for (std::size_t h = 1; h < start.size(); ++h)
        start[h] += start[h - 1];
    std::vector<std::int32_t> by_hex(taking_part.size());
    {
        std::vector<std::int32_t> fill(start.begin(), start.end() - 1);
        for (std::int32_t p : taking_part)
            by_hex[static_cast<std::size_t>(fill[static_cast<std::size_t>(piece_ref(p).location)]++)] = p;
    }

    progress_window progress;
    progress.open("Auto-Reveal Progress", "Revealing on-board pieces, please wait...");
    progress.set_range(0, static_cast<int>(taking_part.size()));
    const int columns = board->map_columns, rows = board->map_rows;
    for (std::int32_t s : taking_part) {
        progress.step();
        const int owner = piece_owner(s);
        if (owner < 0 || owner >= owner_all_players) continue;
        const int range = reveal_range_of(owner);
        if (range < 0) continue;
        const int fc = column_of(piece_ref(s).location), fr = row_of(piece_ref(s).location);
        for (int r = std::max(0, fr - range); r <= std::min(rows - 1, fr + range); ++r)
            for (int c = std::max(0, fc - range); c <= std::min(columns - 1, fc + range); ++c) {
                if (!in_reveal_range(c, r, fc, fr, range)) continue;
                const auto hex = static_cast<std::size_t>(r * columns + c);
                if (hex + 1 >= start.size()) continue;
                for (std::int32_t k = start[hex]; k < start[hex + 1]; ++k) {
                    const std::int32_t p = by_hex[static_cast<std::size_t>(k)];
                    if (p != s && piece_ref(p).hidden != 0 && reveal_is_allowed(piece_owner(p), owner))
                        piece_ref(p).hidden = 0;
                }
            }
    }
    progress.close();
    append_range_reveal_record();
    redraw_whole_view();
}

move_reveal_result auto_reveal_after_move(int moved, std::int32_t location, bool redraw) {
    move_reveal_result result;
    if (!game_settings.auto_reveal_moving_range && !game_settings.auto_reveal_moving_los) return result;
    if (moved < 0 || static_cast<std::size_t>(moved) >= game->piece_array.size() ||
        piece_ref(moved).is_card())
        return result;
    if (location < 0 || location >= board->hex_count || board->map_columns <= 0) return result;
    const int owner = piece_owner(moved);
    if (owner < 0 || owner >= owner_all_players) return result;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));

    // found: the hidden enemy pieces that `finds(p)` says the moved piece sees; then the moved
    // piece itself by the first enemy that `found_by(e)` says sees it.
    auto reveal_pass = [&](auto finds, auto found_by) {
        found_list others;
        others.player = owner;
        for (int p = 0; p < end; ++p)
            if (p != moved && takes_part_in_reveal(p) && piece_ref(p).hidden != 0 &&
                reveal_is_allowed(piece_owner(p), owner) && finds(p)) {
                piece_ref(p).hidden = 0;
                others.add(p);
            }
        others.record_and_redraw(redraw);
        result.others += others.count;
        if (piece_ref(moved).hidden == 0) return;
        for (int e = 0; e < end; ++e) {
            if (e == moved || !takes_part_in_reveal(e) || !reveal_is_allowed(owner, piece_owner(e)) ||
                !found_by(e))
                continue;
            piece_ref(moved).hidden = 0;
            // Recorded, so that the replay finds it where the play did.
            found_list self;
            self.player = piece_owner(e);
            self.add(moved);
            self.record_and_redraw(redraw);
            result.itself = true;
            return;
        }
    };
    if (game_settings.auto_reveal_moving_range) {
        const int range = reveal_range_of(owner);
        reveal_pass([&](int p) { return hex_in_range_of(piece_ref(p).location, location, range); },
                    [&](int e) {
                        return hex_in_range_of(location, piece_ref(e).location,
                                               reveal_range_of(piece_owner(e)));
                    });
    }
    if (game_settings.auto_reveal_moving_los) {
        reveal_pass([&](int p) { return sight_line(location, piece_ref(p).location); },
                    [&](int e) { return sight_line(piece_ref(e).location, location); });
    }
    return result;
}
