// Passwords asked of a player, and who logs on.
#pragma once

#include <functional>
#include <string>

// Runs the password dialog modally: edit_index holds its mode (0 new password, 1 log-on check,
// 2 old password before a change); the entered text comes back in form_result_text, upper case,
// empty when cancelled. The forms layer fills it; empty counts as a cancel.
extern std::function<void()> password_form_hook;
// Runs the log-on dialog in the main window's log-ons when set (tests script the log-on with it);
// empty: the real dialog.
extern std::function<void()> log_on_form_hook;
// Runs the player editor modally on edit_index (the end record's index makes a new player).
extern std::function<void()> player_info_form_hook;

constexpr int max_password_length = 20;
constexpr int max_player_name_length = 24;

// Letters a-z made upper case, everything else kept.
std::string upper_case_password(const std::string& text);
// Whether an entered text is player p's stored password, ignoring case.
bool password_matches(int player_index, const std::string& text);
bool player_has_password(int player_index);

// 1 accepted (also when p has no password), 0 refused after three wrong answers, -1 cancelled.
// The dialog mode is taken from edit_index (1 or 2; 0 is taken as 1).
int verify_player_password(int player_index);
// Asks a new password. For a player record (p names one) the first 20 characters replace the
// password (none when the entry was empty); for p < 0 the text is left in form_result_text.
// Returns the number of characters.
int ask_new_player_password(int player_index);
// Replaces player p's password by the first 20 characters of text (empty: no password).
int store_player_password(int player_index, const std::string& text);

// The log-on dialog's buttons. Each returns true when the dialog closes.
bool log_in_as_player(int player_index);
bool log_in_as_visitor();
bool cancel_log_on();
// Makes a new player with the player editor and logs on as him; false (dialog stays open)
// when no player was made.
bool log_in_as_new_player();

// The log-on after a game was opened. Sets current_player to -1 and, when the game has players,
// runs `run_form` (the log-on dialog) until somebody logs on; when nobody does and a game was in
// memory before the open, offers another try. False when the user gave up on a game that
// replaced another: the caller then clears it from memory.
bool log_on_after_open(bool earlier_game, const std::function<void()>& run_form);

// A logged-on player's saved view origin, zoom level and replay delay, each taken when valid.
void restore_player_view();
