// Player passwords as the saved game stores them, and the log-on state.
#pragma once

#include <cstdint>

constexpr int password_length = 20;

// 1 once a player or a visitor has logged on, 0 otherwise.
extern std::uint8_t player_logged_in;

// The stored form of a password: every byte turned with one of three key tables (chosen by
// the length of the player's name modulo 3) and the player's index; unused (0) bytes become
// random filler in 31..60, a range no real byte is turned into.
void scramble_password(std::uint8_t (&password)[password_length], int player_index, int name_length);
// The reverse: filler comes back as 0.
void unscramble_password(std::uint8_t (&password)[password_length], int player_index, int name_length);
