// The saved-game reader on any bytes; what it accepts must also write.
#include "target_support.h"

#include "data/game_file.h"
#include "data/saved_game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_begin();
    byte_vector file(data, data + size);
    if (read_saved_game_bytes(file)) {
        static const std::string path = fuzz_scratch_path("game.OPS");
        current_game_path = path;
        write_saved_game();
    }
    return 0;
}
