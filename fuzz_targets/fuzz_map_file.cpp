// The map/board reader on any bytes; what it accepts must also write and sort.
#include "target_support.h"

#include "data/board.h"
#include "data/map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_begin();
    byte_vector file(data, data + size);
    board_state fresh;
    if (parse_map_file(file, fresh, 16)) {
        *board = std::move(fresh);
        sort_hexsides();
        sort_hexlines();
        remap_hexline_angles(*board);
        std::int32_t sizes[3] = {40, 28, 16};
        derive_hex_cell_sizes(*board, sizes, true);
        map_file_bytes(*board, "FUZZ");
    }
    return 0;
}
