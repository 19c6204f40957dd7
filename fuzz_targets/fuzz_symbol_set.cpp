// The symbol-set reader on any bytes, with strips from memory; what it accepts must also write.
#include "target_support.h"

#include "data/symbol_set.h"
#include "data/symbols.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_begin();
    byte_vector file(data, data + size);
    symbol_state fresh;
    if (parse_symbol_set(file, fresh)) {
        load_symbol_strips(fresh, "/fuzz/SET.SET");
        symbol_set_file_bytes(fresh, 1);
    }
    return 0;
}
