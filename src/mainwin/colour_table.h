// The one table of 256 colours that every colour number of the game data indexes, and the
// colour drop-down lists of the forms, which offer 17 of them.
#pragma once

#include <cstdint>

// Red, green, blue of each entry.
extern std::uint8_t colour_table[256][3];

constexpr int colour_choice_count = 17;
// The table index shown at each position of a colour drop-down list.
extern const std::uint8_t colour_choice_indices[colour_choice_count];

// Fills all 256 entries with the built-in colours.
void set_default_colour_table();

// Position in a colour list -> table index; a position outside the list gives 0.
int colour_choice_to_index(int position);
// Table index -> position in a colour list; an index the list does not offer gives 0.
int colour_index_to_choice(int index);

// The table entry for a colour picked in the colour dialog: an exact match first, else the
// first entry whose red, green and blue all lie within 1 of it, then 3, 5, 10, 25, 50; else 0.
int nearest_table_colour(int red, int green, int blue);
