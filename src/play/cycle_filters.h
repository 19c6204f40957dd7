// Which on-map pieces the cycle buttons step through.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct cycle_filter {
    bool not_moved = false, not_in_combat = false;
    bool by_player = false;
    int player = 0;
    bool by_class = false;
    int class_index = -1;
};
// The filters as last used (remembered while the program runs).
extern cycle_filter remembered_cycle_filter;

// The pieces that pass, in array order (at most 5000): known to the player in full, on the map.
// Also fills cycle_list.
std::vector<std::int32_t> build_cycle_list(const cycle_filter& f);
// A piece's line in the start list: name, class name and hex label.
std::string cycle_line(std::int32_t piece);
// The live piece classes in alphabetical order (case-insensitive, ties in class order).
std::vector<int> classes_alphabetically();
