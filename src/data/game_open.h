// Opening and saving a whole game.
#pragma once

#include "platform/files.h"

#include <string>
#include <string_view>

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

// Opens a saved game with its map and symbol set. On any failure the game, board and symbol set
// that were in memory stay in place, whole, with their paths; nothing is freed before the new
// map, set and game have all read well.
bool open_saved_game();

// The "not saved" prompt: 0 Cancel, 2 No, 1 saved. The result is also left in edit_index. Yes
// answers 1 only when the game was really written; a cancelled chooser or a failed write is 0.
int confirm_save_current_game();

// Saving under a chosen name, with the card, info-page and (on request) map files copied when
// the name changes; true when the game was written.
bool save_game_as();

// Copies the map, its symbol set with its strips and order file, and the whole-map bitmaps into
// `folder`, then links the game to the copies. False (after its message) when a file is missing;
// the links then stay on the originals.
bool copy_map_files_to_folder(const std::string& folder);

// Pieces of the above, for the tests.
//
// The map path named at the head of a saved game's bytes (current or version-1 layout); for a
// version-1 file the map's name is placed in `game_folder`.
std::string map_path_from_game_head(std::string_view head, const std::string& game_folder);
// The path without a "-AUTOSAVE" ending of its base name (any letter case), else unchanged.
std::string path_without_autosave_suffix(const std::string& path);
// Rebuilds board->hex_piece_counts from the pieces standing on the board.
void rebuild_hex_piece_counts();
// The four link repairs of an opened game, each listed when it finds anything. Returns the
// number of records repaired.
int repair_game_links();
