// The map/board file (.MAP): reader, writer and the repairs and sorting done after a read.
#pragma once

#include "data/board.h"
#include "data/encodings.h"

#include <functional>
#include <string>

// Reads the board named by linked_map_path (without load_for_game the user chooses it first),
// loads its symbol set, derives the cell sizes, sorts and repairs. On failure the previous
// board, symbol set and both paths stay as they were.
bool read_map_file();
// Writes the board to linked_map_path.
bool write_map_file();
// Asks for a name and writes the board under it.
bool save_map_as();
// The "not saved" prompt of the board: 0 Cancel, 2 No, 1 saved. Also left in dialog_result.
int confirm_save_current_map();
void sort_hexsides();
void sort_hexlines();

// The pieces of the above, for the tests and the benchmark.
//
// The version of a file from its two version bytes.
int map_file_version_of(std::uint8_t first, std::uint8_t second);
// The bytes of a .MAP file naming the symbol set `set_name` (base name, no extension).
byte_vector map_file_bytes(const board_state& b, const std::string& set_name);
// Parses a current-format .MAP file into `into` (which should be fresh) against a set of
// `terrain_symbol_count` terrain symbols; section repairs are reported as they happen.
bool parse_map_file(const byte_vector& bytes, board_state& into, std::int32_t terrain_symbol_count);
// Per-zoom hex cell sizes of a board drawn with this symbol set.
void derive_hex_cell_sizes(board_state& b, const std::int32_t hex_size_by_zoom[3], bool hex_shape);
// Moves the hexline direction bits of a converted board to the standard connecting angles.
void remap_hexline_angles(board_state& b);

// Hooks filled by the base-map code: free the board's base-map list, load the new one.
extern std::function<void()> free_base_maps_hook;
extern std::function<void()> load_base_maps_hook;
