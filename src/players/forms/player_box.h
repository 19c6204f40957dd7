// The drop-down of players shared by the log-on and player-selection forms.
#pragma once

class QComboBox;

// Fills the box with the players' display names ("No Players Defined" without players) and
// selects the first; returns the selected player, or -1 when there is none.
int fill_player_box(QComboBox* box);
// The player the box's current row names, or -1.
int player_box_selection(const QComboBox* box);
