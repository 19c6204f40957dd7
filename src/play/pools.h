// Force pools: their records, the pieces they hold, and what the pool editor does with them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The pools before the end record (free records included).
int pool_records();
// A pool record for a new pool: the first free record, else the end record made a pool (name
// cleared, count 0, location 63000) with a new end record behind it. -1 with the "Memory
// Allocation Error" box when memory runs out.
int allocate_pool_slot();
// Whether a live pool already has the name as it would be stored (24 characters).
bool pool_name_taken(const std::string& name);
// A new force pool of that name (owner 200, nobody's), or -1.
int create_force_pool(const std::string& name);
void rename_pool(int pool, const std::string& name);

// Whether the current player may know the piece in its pool: a game master, a piece of a class
// owned by all or by the current player, or an owner who does not hide pool pieces.
bool pool_piece_known(int piece);
// A piece's line in a pool's list: name, class and values, or "Unknown (" owner ")".
std::string format_piece_description(int piece);
// A piece's line on the selected-for-action list, with its pool in square brackets.
std::string format_pool_piece_description(int piece);
// The line of every pool in the editor's list: name, "  (", the known pieces not listed (or
// "Empty" / "Unknown"), ")". One walk of the pieces for all of them.
std::vector<std::string> pool_row_texts(const std::vector<std::int32_t>& listed);
// The pieces of a force pool, in piece order, the current player may know and not listed.
std::vector<std::int32_t> known_pool_pieces(int pool, const std::vector<std::int32_t>& listed);
// Whether a pool holds a piece the current player may not know, and whether it holds any.
bool pool_holds_unknown_pieces(int pool);
bool pool_holds_pieces(int pool);

// Deletes a pool: the later records move down one, its pieces leave the game, the pieces of
// later pools and every pool number held (the history, the removal and placement choices)
// follow. False, and nothing changed, when the history names the pool in a card action.
bool delete_pool(int pool);
// Swaps two pools with their pieces and every pool number held. False when it cannot.
bool swap_pools(int a, int b);
// Moves pooled pieces into a force pool (the counts follow).
void transfer_pieces_to_pool(const std::vector<std::int32_t>& pieces, int pool);
// Takes pooled pieces out of the game (location 63001; their pools' counts follow).
void delete_pieces_from_game(const std::vector<std::int32_t>& pieces);
// Sets every pool's count to the pieces that lie in it.
void recount_pools();
