// Ways for game logic to reach forms and the view without knowing them. The forms layer fills
// these at start-up; a test can set its own. An empty hook does nothing (or answers "cancel").
#pragma once

#include <cstdint>
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

// The game's sound effects.
enum class game_sound { move, move_done, remove, flip, card, shuffle, dice };
extern std::function<void(game_sound)> game_sound_hook;
void play_game_sound(game_sound sound);
// Redraw one hex of the map and what stands in it (and around it).
extern std::function<void(std::int32_t hex)> map_hex_redraw_hook;
void redraw_map_hex(std::int32_t hex);
// Show a hex and its pieces in the two info panels.
extern std::function<void(std::int32_t hex)> show_hex_in_panels_hook;
// The combat summary of attacker_list and defender_list, modal.
extern std::function<void()> combat_summary_hook;
// The dice roller with an empty comment, modal.
extern std::function<void()> roll_dice_form_hook;

int get_unit_class(int mode);
// The piece and class editors through their hooks; both mark the game changed.
void open_piece_editor(int piece);
void open_class_editor(int class_index);
void redraw_whole_view();
