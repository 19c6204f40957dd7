// The card back of a deck, as the drawing of cards knows it.
#pragma once

// The card symbol number drawn for a face-down card of deck `deck_number` (0 to 19): the
// first card symbol of every deck's set is its back.
int deck_card_back_symbol(int deck_number);
