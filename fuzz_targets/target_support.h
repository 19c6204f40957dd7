// What every fuzz target shares: nothing is shown, every box is answered with its default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Installs the scripted responder (once) and starts from an empty game, board and symbol set.
void fuzz_begin();

// A scratch file path in memory-backed storage, unique to this process.
std::string fuzz_scratch_path(const char* name);
