// Which players count which others as allies.
#pragma once

#include <cstdint>
#include <vector>

struct alliance_entry {
    std::int32_t count = 0;          // number of players this player is allied with
    std::vector<std::int32_t> flags; // flags[k] non-zero: player k is an ally
};

// One entry per player, each with one flag per player. Empty: no alliances.
extern std::vector<alliance_entry> alliance_table;

// A table of n entries (n below 1 taken as 1), each with count 0 and n flags 0.
std::vector<alliance_entry> make_alliance_table(int n);
void reset_alliance_table(int n);
// After a player was added to n players: every old entry gets a flag 0 for the newcomer, and
// the newcomer an empty entry. Without a table, an empty one for the n + 1 players.
void grow_alliance_table(int n);
// Makes the table hold at least n entries of at least n flags, keeping what it holds; a table
// left short (by a file, a failed growth) is padded with empty entries and flags 0.
void fit_alliance_table(int n);

// Sets or clears the alliance of players a and b in both directions; each entry's count is
// then the number of its non-zero flags. False when either index is outside the table.
bool set_alliance(int a, int b, bool allied);
