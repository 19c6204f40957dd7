// Opening and saving a whole game: the driver that asks the questions, repairs the links of an
// opened game and copies its companion files.
#pragma once

#include "data/board.h"

#include "data/game_file.h"

#include <string>
#include <string_view>

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

// Lets the saved-game writer offer "save under another name" through save_game_as.
void install_game_open_hooks();

// Pieces of the above, for the tests.
//
// The map path named at the head of a saved game's bytes (current or version-1 layout); for a
// version-1 file the map's name is placed in `game_folder`.
std::string map_path_from_game_head(std::string_view head, const std::string& game_folder);
// The path without a "-AUTOSAVE" ending of its base name (any letter case), else unchanged.
std::string path_without_autosave_suffix(const std::string& path);
// The four link repairs of an opened game, each listed when it finds anything. Returns the
// number of records repaired.
int repair_game_links();
