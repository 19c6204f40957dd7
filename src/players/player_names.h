// Names of players for messages, lists and the replay.
#pragma once

#include <string>

// "Unknown" for a negative index, without a player array or past the last player; "Visitor" for
// 255 (the player byte of a visitor); else the player's name.
std::string player_display_name(int player);
