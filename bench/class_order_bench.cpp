// The class lists' orders for 30,000 classes: built once per change, in n log n.
#include "classes/class_order.h"
#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"

#include "bench_main.h"

#include <string>

namespace {

void game_with_classes(int n) {
    new_game();
    symbols->piece_symbols.assign(4, symbol_struct{});
    symbols->piece_symbol_count = 4;
    game->class_array.assign(static_cast<std::size_t>(n) + 1, class_struct{});
    std::uint32_t seed = 12345;
    for (int i = 0; i < n; ++i) {
        class_struct& c = game->class_array[static_cast<std::size_t>(i)];
        seed = seed * 1103515245u + 12345u;
        const std::string name = (seed & 1 ? "Unit " : "unit ") + std::to_string(seed % 1000003);
        set_name(c.name, name);
        c.symbol = static_cast<std::int32_t>(i % 4);
        c.owner = owner_all_players;
    }
    game->class_array[static_cast<std::size_t>(n)].symbol = class_end;
}

void picker_rows_alphabetical(benchmark::State& state) {
    game_with_classes(30000);
    for (auto _ : state)
        benchmark::DoNotOptimize(class_picker_rows(true, false, true));
}
BENCHMARK(picker_rows_alphabetical)->Unit(benchmark::kMillisecond);

void class_box_order_sorted(benchmark::State& state) {
    game_with_classes(30000);
    sort_classes_alphabetically = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(build_class_sort_order());
}
BENCHMARK(class_box_order_sorted)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return run_benchmarks(argc, argv);
}
