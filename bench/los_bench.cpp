// Line of sight over a large board: overlays must not make a check scan the overlay list.
#include "data/board.h"
#include "data/los_settings.h"
#include "data/records.h"
#include "data/symbols.h"
#include "los/los_engine.h"

#include "bench_main.h"

#include <random>

namespace {

// A 300 x 200 board of open ground; with overlays, every second hex has one of a terrain that
// does not block (so every check goes the whole way).
void large_board(bool overlays) {
    free_map();
    board->grid_type = 2;
    board->map_columns = 300;
    board->map_rows = 200;
    board->hex_count = 300 * 200;
    board->hex_array.assign(static_cast<std::size_t>(board->hex_count), hex_struct{});
    board->hex_overlay_array.clear();
    if (overlays)
        for (std::int32_t h = 0; h < board->hex_count; h += 2) {
            board->hex_overlay_array.push_back({h, 1});
            board->hex_array[static_cast<std::size_t>(h)].flags = 8;
        }
    board->hex_overlay_array.push_back({63000, 0});
    terrain_los_array.assign(2, terrain_los_struct{});
    los_settings = los_settings_struct{};
    symbols->hex_shape = 0;
}

void checks(benchmark::State& state) {
    large_board(state.range(0) != 0);
    std::mt19937 random(7);
    std::uniform_int_distribution<std::int32_t> hex(0, board->hex_count - 1);
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs(60000);
    for (auto& p : pairs)
        p = {hex(random), hex(random)};
    for (auto _ : state)
        for (const auto& p : pairs)
            benchmark::DoNotOptimize(check_line_of_sight(p.first, p.second, 1, 1, false, false));
}
BENCHMARK(checks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return run_benchmarks(argc, argv);
}
