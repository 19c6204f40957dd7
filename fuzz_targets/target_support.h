// What every fuzz target shares: nothing is shown, every box is answered with its default.
#pragma once

#include <cstddef>
#include <cstdint>

// Installs the scripted responder (once) and starts from an empty game, board and symbol set.
void fuzz_begin();
