// Ways for game logic to reach forms and the view without knowing them. The forms layer fills
// these at start-up; a test can set its own. An empty hook does nothing (or answers "cancel").
#pragma once

#include <functional>

// The class picker: mode as the picker takes it, result a class index or -1 when cancelled.
extern std::function<int(int mode)> get_unit_class_hook;
// Redraw the whole map view.
extern std::function<void()> redraw_view_hook;
// Modal editors of one piece and of one class.
extern std::function<void(int piece)> piece_editor_hook;
extern std::function<void(int class_index)> class_editor_hook;
// Close and delete the open info-page, deck and hand windows of the game.
extern std::function<void()> close_game_windows_hook;

// Save the game under another name (the open and save driver): true when it was written.
extern std::function<bool()> save_game_elsewhere_hook;

int get_unit_class(int mode);
void redraw_whole_view();
