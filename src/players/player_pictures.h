// Where a player's picture file is.
#pragma once

#include <string>

// The player's picture (its file name with the extension .BMP) from the player-pictures folder
// when one is set and the file is there, else from the saved game's folder; empty when the
// player has no picture or the file is in neither place.
std::string player_picture_path(int player_index);
