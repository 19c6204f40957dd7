// Opening and saving a whole game.
#pragma once

#include <functional>
#include <string>

// The path of the game in memory (empty when it was never saved).
extern std::string current_game_path;
// The path of the map/board file the game is linked to is linked_map_path (data/board.h).

// The "not saved" prompt: 0 Cancel, 2 No, 1 saved. The result is also left in edit_index.
int confirm_save_current_game();

// Saving under a chosen name; true when the game was written. Filled in by the save path.
extern std::function<bool()> save_game_as_hook;
bool save_game_as();
