// The history walker, the length finder and the renumbering on any bytes.
#include "target_support.h"

#include "data/records.h"
#include "data/history_records.h"

#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_begin();
    byte_vector stream(data, data + size);
    walk_history(stream);
    history_stream_length(data, size);
    // A mapping that swaps the first two slots and keeps the rest.
    std::vector<std::int32_t> mapping(64);
    std::iota(mapping.begin(), mapping.end(), 0);
    std::swap(mapping[0], mapping[1]);
    renumber_history(stream, mapping);
    return 0;
}
