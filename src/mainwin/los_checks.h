// Line-of-sight checks asked for on the map: the area check around a spotter.
#pragma once

#include <cstdint>
#include <vector>

// The window of an area check around (column, row) with a radius and a direction (1 up,
// 2 right, 3 down, 4 left, any other all round), cut to the board; empty when it lies off it.
struct area_window {
    int first_column = 0, last_column = -1, first_row = 0, last_row = -1;
    bool empty() const { return last_column < first_column || last_row < first_row; }
};
area_window area_check_window(int column, int row, int radius, int direction);

// The area check around the check's spotter hex: every hex of the window on the screen but the
// spotter's own is checked and marked on the screen (a cross where the line is blocked, a
// rectangle where it is clear). The spotter and target are -1 afterwards. The hexes checked.
struct area_result {
    std::vector<std::int32_t> seen, blocked;
};
area_result run_area_los_check();
