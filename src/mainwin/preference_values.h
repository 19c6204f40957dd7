// The values behind the preference forms, kept apart from the widgets.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The combat summary mask of eight ticks: bit 2^(n-1) for each ticked value number n.
std::uint8_t combat_mask_from_ticks(const std::array<bool, 8>& ticks);
std::array<bool, 8> combat_ticks_from_mask(std::uint8_t mask);

// Which value numbers have a numeric value (type 1) in at least one class (for_classes) or one
// piece still in the game.
std::array<bool, 8> combat_values_in_use(bool for_classes);

// The text of a combat summary box: the value's name, up to 15 characters, or "(Not Named)".
std::string combat_value_caption(const char (&name)[15]);

// The six jump sizes offered, and the place of a stored size among them: a size not offered
// stands for 10.
constexpr std::array<std::uint8_t, 6> scroll_jump_choices = {2, 4, 6, 8, 10, 20};
int scroll_jump_choice_index(std::uint8_t size);
// The size of a chosen place; 10 when none (-1) or an unknown place is chosen.
std::uint8_t scroll_jump_size_of_choice(int index);

// The autosave period the form shows for a stored one: within 5..60 in steps of 5.
int autosave_period_shown(int minutes);

// The five default folders in the order the form checks them.
enum default_dir_box { dir_pictures, dir_sounds, dir_games, dir_player_pictures, dir_video };
std::string default_dir_chooser_title(int box);
std::string default_dir_missing_message(int box);
std::string& default_dir_value(int box);
// A folder as the default folders keep it: empty, or ending with a separator.
std::string default_dir_with_separator(std::string folder);

// True when the game has at least one class (deleted ones do not count).
bool game_has_classes();
