// The autosave copy of the open game.
#pragma once

#include <functional>
#include <string>

// The autosave name of a game file: its base name followed by "-AUTOSAVE", folder and extension
// unchanged ("Battle.OPS" gives "Battle-AUTOSAVE.OPS").
std::string autosave_path(const std::string& game_path);

// The timer period in milliseconds for autosave_on minutes; 0 when autosave is off.
int autosave_period_ms();

enum class autosave_outcome { written, not_now, failed };

// One tick of the autosave timer: writes the game under its autosave name (its own name,
// game_modified and the recent games untouched). Nothing is written while no game is open or
// while a map operation is half done (operation_mode not 0); the next tick tries again. A failed
// copy is said once ("Autosave Error") and tried again only after the game changed.
autosave_outcome write_autosave_copy();

// Runs set_autosave_timer_form, which sets autosave_on (filled by the preference forms).
extern std::function<void()> set_autosave_timer_form_hook;
