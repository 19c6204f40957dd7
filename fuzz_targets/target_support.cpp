#include "target_support.h"

#include "data/board.h"
#include "data/records.h"
#include "data/symbols.h"
#include "platform/responder.h"

#include <memory>

void fuzz_begin() {
    static auto responder = std::make_unique<scripted_responder>();
    responder->clear();
    free_symbol_set();
    free_map();
    new_game();
}
