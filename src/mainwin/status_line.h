// The texts of the main window's status line, by status mode.
#pragma once

#include <string>
#include <vector>

// What the texts are made of.
struct status_line_state {
    std::string game_path; // the game's file; the status line shows its base name
    int turn = 0;
    std::string turn_name;
    std::string player_part; // "(name)" or "(Visitor/No Player)"
    std::string card_name;   // the card being placed or acted on, as the player sees it
};

// The panes of one mode: mode 1 gives three (ending at 175 and 450 pixels, then the rest), every
// other mode one over the whole width. An unknown mode gives one empty pane.
std::vector<std::string> status_line_texts(int mode, const status_line_state& state);

// Pixel right edges of the first two panes of mode 1.
constexpr int status_pane_1_end = 175;
constexpr int status_pane_2_end = 450;

// "(" + the player's display name + ")", or "(Visitor/No Player)" when no player is logged on.
std::string status_player_part(int player);

// The state from the game in memory; `card` is the card piece to name (-1 none).
status_line_state current_status_line_state(int card);
