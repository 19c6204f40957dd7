#include "turns.h"

#include "data/history_stream.h"
#include "data/records.h"

#include <new>

namespace {

constexpr char unnamed_mark = 1;

turn_name make_entry(const std::string& name) {
    turn_name t;
    if (name.empty()) {
        t.text[0] = unnamed_mark;
        return t;
    }
    set_name(t.text, name.substr(0, max_turn_name_length));
    return t;
}

turn_name unnamed_entry() {
    return make_entry({});
}

} // namespace

int turn_name_count() {
    const auto& names = game->turn_names;
    std::size_t i = 0;
    while (i < names.size() && names[i].text[0] != 0)
        ++i;
    return static_cast<int>(i);
}

std::string get_turn_name(int n) {
    if (n < 0 || n >= turn_name_count()) return {};
    const turn_name& t = game->turn_names[static_cast<std::size_t>(n)];
    if (t.text[0] == unnamed_mark) return {};
    return name_of(t.text);
}

int ensure_turn_name_slot(int n) {
    if (n < 0) return 0;
    auto& names = game->turn_names;
    const int count = turn_name_count();
    // An existing entry can always be renamed, even in a full list.
    if (!names.empty() && n < count) return 2;
    if (count >= max_turn_names) return 0;
    // Entry n must stay within the list's limit.
    if (n >= max_turn_names) return 0;
    try {
        std::vector<turn_name> grown(static_cast<std::size_t>(n) + 2, unnamed_entry());
        for (int i = 0; i < count; ++i)
            grown[static_cast<std::size_t>(i)] = names[static_cast<std::size_t>(i)];
        grown.back() = turn_name{};
        names.swap(grown);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

bool set_turn_name(int n, const std::string& name) {
    if (name.empty()) return true;
    if (ensure_turn_name_slot(n) == 0) return false;
    game->turn_names[static_cast<std::size_t>(n)] = make_entry(name);
    game_modified = 1;
    return true;
}

int proposed_turn(bool clear_mode) {
    // A turn from a file may lie outside 0 .. 32000.
    const int turn = game->game_turn < 0               ? 0
                     : game->game_turn > max_game_turn ? max_game_turn
                                                       : game->game_turn;
    if (clear_mode) return turn;
    return turn >= max_game_turn ? max_game_turn : turn + 1;
}

void apply_advance_turn(const advance_turn_choice& choice) {
    int turn = choice.new_turn;
    game->game_turn = turn < 0 ? 0 : turn > max_game_turn ? max_game_turn : turn;
    std::uint8_t cleared = 0;
    if (choice.clear_move_flags) cleared |= piece_flag_moved;
    if (choice.clear_combat_flags) cleared |= piece_flag_attacked | piece_flag_defended;
    if (cleared)
        for (auto& p : game->piece_array)
            p.flags = static_cast<std::uint8_t>(p.flags & ~cleared);
    if (choice.clear_replay) clear_history();
    set_turn_name(game->game_turn, choice.name);
    game_modified = 1;
}

bool save_turn_names(const std::vector<std::string>& rows) {
    int last = -1;
    for (std::size_t i = 0; i < rows.size() && i < static_cast<std::size_t>(max_turn_names); ++i)
        if (!rows[i].empty()) last = static_cast<int>(i);
    try {
        std::vector<turn_name> names(static_cast<std::size_t>(last + 2), turn_name{});
        for (int i = 0; i <= last; ++i)
            names[static_cast<std::size_t>(i)] = make_entry(rows[static_cast<std::size_t>(i)]);
        game->turn_names.swap(names);
    } catch (const std::bad_alloc&) {
        return false;
    }
    game_modified = 1;
    return true;
}
