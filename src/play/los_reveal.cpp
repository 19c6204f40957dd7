#include "los_reveal.h"

#include "data/board.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/los_settings.h"
#include "data/records.h"
#include "los/los_engine.h"
#include "platform/progress.h"
#include "play/reveal.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace {

struct candidate {
    std::int32_t piece, hex;
    int owner;
};

bool on_board(const piece_struct& p) {
    return !p.in_pool() && p.location >= 0 && p.location < board->hex_count;
}

int owner_of(const piece_struct& p) {
    if (p.class_index < 0 || static_cast<std::size_t>(p.class_index) >= game->class_array.size()) return -1;
    return game->class_array[static_cast<std::size_t>(p.class_index)].owner;
}

bool sees(std::int32_t from, std::int32_t to) {
    return check_line_of_sight(from, to, los_check.spotter_height, los_check.target_height, false, false) !=
           -1;
}

// Who may find whom: the rule of the range reveal (allies never), and a piece of nobody's class,
// which the run does not hide, is found by anyone else when it is hidden.
bool may_find(int target_owner, int finder_owner) {
    if (target_owner == owner_nobody) return finder_owner != owner_nobody;
    return reveal_is_allowed(target_owner, finder_owner);
}

int piece_end() {
    return std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
}

} // namespace

void apply_los_reveal(bool naive) {
    auto& pieces = game->piece_array;
    const int end = piece_end();
    // 1. Every player's piece on the board is hidden (a card's hidden state is its face: cards
    // are left as they lie).
    for (int i = 0; i < end; ++i) {
        piece_struct& p = pieces[static_cast<std::size_t>(i)];
        if (p.location == location_free || !on_board(p) || p.is_card()) continue;
        const int o = owner_of(p);
        if (o >= 0 && o < owner_all_players) p.hidden = 2;
    }
    // The pieces that look and those that may be found: on the board, not cards, not of all
    // players (a piece of nobody's class looks too).
    std::vector<candidate> spotters;
    for (int i = 0; i < end; ++i) {
        const piece_struct& p = pieces[static_cast<std::size_t>(i)];
        if (p.location == location_free || !on_board(p) || p.is_card()) continue;
        const int o = owner_of(p);
        if (o < 0 || o == owner_all_players) continue;
        spotters.push_back({i, p.location, o});
    }
    if (naive) {
        for (const candidate& a : spotters)
            for (const candidate& b : spotters) {
                piece_struct& target = pieces[static_cast<std::size_t>(b.piece)];
                if (target.hidden != 2 || !may_find(b.owner, a.owner)) continue;
                if (sees(a.hex, b.hex)) target.hidden = 0;
            }
        return;
    }
    // The answer depends on the two hexes only: each pair of hexes is asked once, and a target
    // is done at the first spotter that sees it. The engine keeps its path, result and asked
    // hexes per thread and only reads the board and settings, so the targets are shared out over
    // the cores; each thread writes the hidden states of its own targets only.
    std::vector<std::size_t> targets;
    for (std::size_t t = 0; t < spotters.size(); ++t)
        if (pieces[static_cast<std::size_t>(spotters[t].piece)].hidden == 2) targets.push_back(t);
    if (targets.empty()) return;
    prepare_los_engine(); // what the engine keeps of the board, built once before the threads
    auto work = [&](std::size_t first, std::size_t step) {
        const bool writes = los_writes_check_hexes;
        los_writes_check_hexes = false; // the check's hexes are shared: no thread writes them
        std::unordered_map<std::uint64_t, bool> asked;
        for (std::size_t k = first; k < targets.size(); k += step) {
            const candidate& b = spotters[targets[k]];
            for (const candidate& a : spotters) {
                if (!may_find(b.owner, a.owner)) continue;
                const std::uint64_t key =
                    (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a.hex)) << 32) |
                    static_cast<std::uint32_t>(b.hex);
                auto at = asked.find(key);
                if (at == asked.end()) at = asked.emplace(key, sees(a.hex, b.hex)).first;
                if (at->second) {
                    pieces[static_cast<std::size_t>(b.piece)].hidden = 0;
                    break;
                }
            }
        }
        los_writes_check_hexes = writes;
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min(cores, std::max<std::size_t>(1, targets.size() / 16));
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) {
        try {
            pool.emplace_back(work, t, threads);
        } catch (const std::system_error&) {
            work(t, threads); // no thread to be had: this share on this one
        }
    }
    work(0, threads);
    for (std::thread& t : pool)
        t.join();
}

void run_los_auto_reveal() {
    progress_window progress;
    progress.open("Please Wait", "Checking LOS between all pieces, please wait...");
    apply_los_reveal();
    progress.set_position(100);
    append_los_reveal_record();
    los_check.spotter_hex = -1;
    los_check.target_hex = -1;
    game_modified = 1;
    redraw_whole_view();
    progress.close();
}
