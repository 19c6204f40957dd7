// The saved game file (.OPS): everything of a game except the map and the symbols.
#pragma once

#include "encodings.h"

#include <string>

constexpr int saved_game_major_version = 2;
constexpr int saved_game_minor_version = 9;

// Version of the saved game last read: major x 100 + minor.
extern int ops_file_version;

// Writes the game in memory to current_game_path (its extension set to ".OPS"). The file is
// replaced only when the whole new file was written; false (after the error box) otherwise.
bool write_saved_game();
// Writes the game in memory to `path` as it stands: the game's own name and its unsaved mark
// stay as they are (the autosave copy). A failure is shown in its box unless `report` is false.
bool write_saved_game_file(const std::string& path, bool report = true);

// Reads current_game_path into a fresh game that replaces the one in memory only when the
// whole file read well; a failed read leaves the game in memory untouched.
bool read_saved_game();
// The same for the bytes of a whole file already in memory.
bool read_saved_game_bytes(const byte_vector& file);
