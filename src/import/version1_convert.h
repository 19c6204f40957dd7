// Conversion of version-1 maps and symbol sets into the current formats.
#pragma once

struct board_state;
struct symbol_state;

// Converts the version-1 set named by symbol_set_path into `into`; false when it was not converted.
bool convert_version1_symbol_set(symbol_state& into);
// Converts the version-1 board named by linked_map_path into `into`; false when it was not converted.
bool convert_version1_map(board_state& into);
// Converts the version-1 game at current_game_path into the game in memory; false when it was
// not converted (the game in memory is then untouched).
bool convert_version1_game();
