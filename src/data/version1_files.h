// Games, boards and symbol sets of the program's first file generation. The readers hand them to
// these converters, which the import subsystem installs; without one such a file is refused with
// a message and the reader reports the failure.
#pragma once

#include <functional>

struct board_state;
struct symbol_state;

struct version1_converters {
    // The set named by symbol_set_path into `into`; false when it was not converted.
    std::function<bool(symbol_state& into)> symbol_set;
    // The board named by linked_map_path into `into`; false when it was not converted.
    std::function<bool(board_state& into)> map;
    // The game at current_game_path into the game in memory; false when it was not converted
    // (the game in memory is then untouched).
    std::function<bool()> game;
};
extern version1_converters version1_conversion;

bool convert_version1_symbol_set(symbol_state& into);
bool convert_version1_map(board_state& into);
bool convert_version1_game();
