#include "cycle_filters.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/hex_geometry.h"
#include "data/records.h"
#include "data/value_text.h"
#include "players/visibility.h"

#include <algorithm>
#include <cctype>

cycle_filter remembered_cycle_filter;

std::vector<std::int32_t> build_cycle_list(const cycle_filter& f) {
    std::vector<std::int32_t> out;
    const auto& pieces = game->piece_array;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(pieces.size()));
    for (int i = 0; i < end && out.size() < static_cast<std::size_t>(cycle_list_capacity) - 1; ++i) {
        const piece_struct& p = pieces[static_cast<std::size_t>(i)];
        if (p.in_pool() || p.location < 0 || p.location >= board->hex_count) continue;
        if (get_piece_visibility(i) != visibility_full) continue;
        if (f.not_moved && (p.flags & piece_flag_moved)) continue;
        if (f.not_in_combat && (p.flags & (piece_flag_attacked | piece_flag_defended))) continue;
        const bool class_ok =
            p.class_index >= 0 && static_cast<std::size_t>(p.class_index) < game->class_array.size();
        if (f.by_player &&
            (!class_ok || game->class_array[static_cast<std::size_t>(p.class_index)].owner != f.player))
            continue;
        if (f.by_class && p.class_index != f.class_index) continue;
        out.push_back(i);
    }
    std::copy(out.begin(), out.end(), cycle_list);
    cycle_list[out.size()] = -1;
    return out;
}

std::string cycle_line(std::int32_t piece) {
    const bool on_map = piece >= 0 && static_cast<std::size_t>(piece) < game->piece_array.size();
    return piece_and_class_name(piece) + "  " +
           (on_map ? hex_coordinate_label(game->piece_array[static_cast<std::size_t>(piece)].location)
                   : std::string());
}

std::vector<int> classes_alphabetically() {
    std::vector<std::pair<std::string, int>> keys;
    for (std::size_t i = 0; i < game->class_array.size(); ++i) {
        const class_struct& c = game->class_array[i];
        if (c.symbol == class_end) break;
        if (c.symbol == class_free || c.is_card()) continue;
        std::string k = name_of(c.name);
        for (char& ch : k)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        keys.emplace_back(k, static_cast<int>(i));
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> out;
    for (const auto& k : keys)
        out.push_back(k.second);
    return out;
}
