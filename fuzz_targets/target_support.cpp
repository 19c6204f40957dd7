#include "target_support.h"

#include "data/board.h"
#include "data/records.h"
#include "data/symbols.h"
#include "platform/bitmap.h"
#include "platform/responder.h"

#include <memory>
#include <unistd.h>

void fuzz_begin() {
    static auto responder = std::make_unique<scripted_responder>();
    static bool loader_set = false;
    if (!loader_set) {
        // Symbol strips come from memory: a small blank picture for every name.
        set_bitmap_loader([](const std::string&) { return std::optional<bitmap>(bitmap(64, 48)); });
        loader_set = true;
    }
    responder->clear();
    free_symbol_set();
    free_map();
    new_game();
}

std::string fuzz_scratch_path(const char* name) {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(base) + "/zel-fuzz-" + std::to_string(getpid()) + "-" + name;
}
