// Where the map view looks and how large it is.
#pragma once

#include <cstdint>

extern int zoom_level; // 0..2
extern std::int32_t view_origin_hex;
// The hex of the last click on the map (what the piece actions and the popups act on).
extern std::int32_t clicked_hex;
extern int view_width;
extern int view_height;
// Height of the two info boxes and width of the hex info box, remembered between resizes and
// saved with the game (-1 = not yet laid out).
extern int info_panel_height;
extern int info_panel_width;
// 0 while a view command redraws the map; the info refresh and the scroll bars wait for 1.
extern std::uint8_t view_ready;
// Set by a full redraw; single-hex redraws are skipped until the next user action clears it.
extern std::uint8_t map_just_redrawn;
// Replay step delay, 0..19; a logged-on player's own delay is restored at log-on.
extern std::uint8_t replay_delay;
