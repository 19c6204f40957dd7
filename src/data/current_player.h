// Who is logged on: a player index, -1 for a visitor, -2 after a failed or cancelled log-on.
#pragma once

extern int current_player;
