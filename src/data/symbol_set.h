// Symbol sets: the .SET file, the .SDX piece order and the strip bitmaps.
#pragma once

#include "data/encodings.h"
#include "data/symbols.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Loads the set named by symbol_set_path with its bitmaps and piece order, then frees the map
// and the game so that they can be read against the new set. Without load_for_game the user
// chooses the set first. On failure the previous set and its path stay in place.
bool load_symbol_set();

// Reads the .SET file at symbol_set_path into the tables of the set in memory.
bool read_symbol_set_file();

// Writes the tables as a .SET file; the board's grid type goes into its head.
bool write_symbol_set_file(const std::string& path);

// Renumbers the piece symbols that a game older than version 202 stores (classes, players'
// default hidden symbols, stack definitions) after the set's .SDX order. The open driver calls
// it only for such games; without an .SDX file nothing changes.
void apply_symbol_order_file();

// The pieces of the above, for the map reader and the tests.
//
// The bytes of a .SET file as the writer writes them.
byte_vector symbol_set_file_bytes(const symbol_state& set, std::uint8_t grid_type);
// Parses a .SET file into `into` (which should be fresh); false when the file is damaged or
// of version 1 (that one is reported).
bool parse_symbol_set(const byte_vector& bytes, symbol_state& into);
// Loads the nine strip bitmaps beside the .SET file at `set_path`.
bool load_symbol_strips(symbol_state& set, const std::string& set_path);
// The piece order of the set's .SDX file: for each position the old 0-based index. Nullopt when
// there is no such file or it is unusable (reported).
std::optional<std::vector<int>> read_symbol_order(const std::string& set_path, int terrain_count,
                                                  int piece_count);
// Steps of load_symbol_set that fill `fresh` without touching the set in memory. On failure
// symbol_set_path is back to what it was.
bool prepare_symbol_set(symbol_state& fresh);
// Puts a prepared set in memory: the set replaces the old one, the map and game are freed.
void install_symbol_set(symbol_state&& fresh);

// Hook: loads the whole-map bitmaps of the new set (filled by the base-map code).
extern std::function<void()> load_whole_map_bitmaps_hook;
