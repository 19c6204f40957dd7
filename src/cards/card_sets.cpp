#include "card_sets.h"

// The deck files and their loading arrive with the card decks.
void load_game_card_symbol_sets() {}
