#include "alliances.h"

#include "data/records.h"

#include <algorithm>

std::vector<alliance_entry> alliance_table;

std::vector<alliance_entry> make_alliance_table(int n) {
    if (n < 1) n = 1;
    alliance_entry empty;
    empty.flags.assign(static_cast<std::size_t>(n), 0);
    return std::vector<alliance_entry>(static_cast<std::size_t>(n), empty);
}

void reset_alliance_table(int n) {
    alliance_table = make_alliance_table(n);
}

void grow_alliance_table(int n) {
    if (n < 0) n = 0;
    if (alliance_table.empty()) {
        // The table must cover the newcomer too.
        reset_alliance_table(n + 1);
        return;
    }
    auto grown = make_alliance_table(n + 1);
    for (std::size_t p = 0; p < static_cast<std::size_t>(n) && p < alliance_table.size(); ++p) {
        const auto& old = alliance_table[p];
        grown[p].count = old.count;
        for (std::size_t k = 0; k < static_cast<std::size_t>(n) && k < old.flags.size(); ++k)
            grown[p].flags[k] = old.flags[k];
    }
    alliance_table.swap(grown);
}

void fit_alliance_table(int n) {
    if (n < 1) return;
    const auto size = static_cast<std::size_t>(n);
    if (alliance_table.size() < size) alliance_table.resize(size);
    for (auto& e : alliance_table)
        if (e.flags.size() < size) e.flags.resize(size, 0);
}

bool set_alliance(int a, int b, bool allied) {
    const auto n = alliance_table.size();
    if (a < 0 || b < 0 || static_cast<std::size_t>(a) >= n || static_cast<std::size_t>(b) >= n) return false;
    auto& ea = alliance_table[static_cast<std::size_t>(a)];
    auto& eb = alliance_table[static_cast<std::size_t>(b)];
    if (static_cast<std::size_t>(b) >= ea.flags.size() || static_cast<std::size_t>(a) >= eb.flags.size())
        return false;
    const std::int32_t flag = allied ? 1 : 0;
    // The table is saved with the game: a change is unsaved work.
    if (ea.flags[static_cast<std::size_t>(b)] != flag || eb.flags[static_cast<std::size_t>(a)] != flag)
        game_modified = 1;
    ea.flags[static_cast<std::size_t>(b)] = flag;
    eb.flags[static_cast<std::size_t>(a)] = flag;
    // Counted from the flags, so a count that had drifted is put right.
    for (auto* e : {&ea, &eb})
        e->count = static_cast<std::int32_t>(
            std::count_if(e->flags.begin(), e->flags.end(), [](std::int32_t f) { return f != 0; }));
    return true;
}
