// Card symbol sets of the game's decks.
#pragma once

// After a game was read: finds the card symbol sets of the game's decks and loads them, or
// removes the cards when the game has no card class. Does nothing yet.
void load_game_card_symbol_sets();
