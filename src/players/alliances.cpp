#include "alliances.h"

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
    if (alliance_table.empty()) {
        reset_alliance_table(n);
        return;
    }
    if (n < 0) n = 0;
    auto grown = make_alliance_table(n + 1);
    for (std::size_t p = 0; p < static_cast<std::size_t>(n) && p < alliance_table.size(); ++p) {
        const auto& old = alliance_table[p];
        grown[p].count = old.count;
        for (std::size_t k = 0; k < static_cast<std::size_t>(n) && k < old.flags.size(); ++k)
            grown[p].flags[k] = old.flags[k];
    }
    alliance_table.swap(grown);
}
