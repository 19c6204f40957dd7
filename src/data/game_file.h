// The game in memory and its file.
#pragma once

#include "platform/files.h"

#include <string>

// The path of the game in memory (empty when it was never saved).
extern std::string current_game_path;

// The game's own file as this program last read or wrote it: a Save that finds it changed
// since (another copy of the program saved it) asks before writing over it.
struct game_file_version {
    std::string path;
    file_stamp stamp;
};
extern game_file_version game_file_as_known;
// Remembers the file at `path` as it now is.
void remember_game_file(const std::string& path);
// The path of the map/board file the game is linked to is linked_map_path (data/board.h).

// Which game the next open takes: 0..4 an entry of recent_games, -1 ask with the chooser.
extern int recent_game_to_open;
