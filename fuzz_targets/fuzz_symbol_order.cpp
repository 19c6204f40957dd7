// The .SDX order file on any bytes.
#include "target_support.h"

#include "data/symbol_set.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_begin();
    static const std::string set_path = fuzz_scratch_path("order.SET");
    static const std::string sdx_path = fuzz_scratch_path("order.SDX");
    // A plain write: the atomic replace's flush to disk would slow every run.
    std::FILE* f = std::fopen(sdx_path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    int terrain = size > 0 ? data[0] % 8 : 0;
    int pieces = size > 1 ? data[1] % 32 : 0;
    read_symbol_order(set_path, terrain, pieces);
    return 0;
}
