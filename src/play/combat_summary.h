// The combat summary of attacker_list and defender_list: counts, and the sums of the chosen
// values over the pieces whose values the logged-on player may know.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct combat_summary {
    std::string attack_text, defend_text;
    struct row {
        std::string name, attacker, defender;
    };
    std::vector<row> rows;
    // Pieces of each side whose chosen values the player may not know: left out of the sums.
    int attackers_left_out = 0, defenders_left_out = 0;
};

combat_summary make_combat_summary();

// What the player may know of a piece's values in the summary: 0 nothing, 2 the class's values,
// 3 the piece's too. With Reveal Pieces During Combat on the pieces of a combat are known.
int combat_value_visibility(std::int32_t piece);
