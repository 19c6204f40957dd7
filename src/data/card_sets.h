// Card symbol sets of the game's decks.
#pragma once

#include <cstdint>
#include <string>

constexpr int max_decks = 20;

// Number of card symbols in the loaded set of each deck (index = deck number 0..19); -1 while
// that deck's set is not loaded. Filled by the card set loader.
extern std::int32_t card_symbol_count[max_decks];

// After a game was read: finds the card symbol sets of the game's decks and loads them, or
// removes the cards when the game has no card class. Does nothing yet.
void load_game_card_symbol_sets();

// Copies the card symbol sets of every deck (.SET, .SDX and the three bitmaps) found under the
// base `old_base` (folder and base name, no extension) to the base of `new_game_path` (that path
// without its extension), then makes that base the game's card set base. A copy that fails is
// reported, ends the copying and leaves the game's card set base as it was (false).
bool copy_card_symbol_files(const std::string& old_base, const std::string& new_game_path);
