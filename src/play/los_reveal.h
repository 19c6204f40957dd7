// Reveal by line of sight: every player's piece on the board is hidden, then revealed when a
// piece of an owner who may find it has line of sight to it.
#pragma once

// The hidden states after the reveal, set on the pieces. `naive` asks the engine once per pair of
// pieces, as the rule reads; the other way asks once per pair of hexes and stops at the first
// spotter that sees, with the same outcome.
void apply_los_reveal(bool naive = false);

// The command: the reveal under the progress window, its record (code 19), the map redrawn.
void run_los_auto_reveal();
