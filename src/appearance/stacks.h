// Stack definitions: which piece symbol stands for a crowded hex.
#pragma once

#include "data/records.h"

#include <cstdint>
#include <vector>

// Definitions before the end record.
int stack_def_count();
// A new definition before the end record (its fields for the caller), or -1 with its box. The
// old list stays whole until the new one is made.
int add_stack_def();

// The symbol of the first definition, in list order, whose conditions the pieces of a hex meet
// at a zoom level (0..2): at least its minimum of pieces of its owner (200: anyone's), and among
// them a piece of its required class unless it requires none. -1 when none matches.
std::int32_t choose_stack_symbol(const std::vector<std::int32_t>& pieces, int zoom);

// The list positions of the definitions of a symbol, in list order.
std::vector<int> stack_defs_of_symbol(std::int32_t symbol);
// Removes definitions, closing the gap (the others keep their order).
void remove_stack_def(int position);
void remove_stack_defs_of_symbol(std::int32_t symbol);
// Swaps two definitions of the list (nothing for a position outside it).
bool swap_stack_defs(int a, int b);

// What saving a definition runs into among the others (the one at `skip`, being overwritten, is
// not compared with itself): another with the same required class, or another default stack of
// the same owner. The first found, in list order.
enum class stack_clash { none, required_class, owner_default };
stack_clash stack_def_clash(const stack_def_struct& candidate, int skip);
