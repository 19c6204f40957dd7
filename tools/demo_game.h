// The demo game that ./run opens.
#pragma once

#include <string>

// Writes Demo.SET with its nine strips, Demo.MAP and Demo.OPS into `folder` (made when missing)
// and leaves that game in memory with current_game_path naming it. False when a file could not
// be written (the writer reported it).
bool make_demo_game(const std::string& folder);
