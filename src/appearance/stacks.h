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
