// A player's picture drawn for a form's picture box.
#pragma once

#include <QImage>

// The player's picture scaled by one factor (the smaller of box height / picture height and box
// width / picture width, small pictures enlarged too); a null image when the player has no
// picture or its file is not found or cannot be read.
QImage draw_player_picture(int player_index, int box_width, int box_height);
