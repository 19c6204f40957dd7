// Reveal by line of sight over the whole board: 2,000 pieces of each of two players on a
// 200 x 300 board with elevations and blocking terrain; the reveal as built beside the naive
// loop (once per pair of pieces).
#include "data/alliances.h"
#include "data/board.h"
#include "data/los_settings.h"
#include "data/records.h"
#include "data/symbols.h"
#include "play/los_reveal.h"

#include "bench_main.h"

#include <random>

namespace {

void build(int pieces_each) {
    new_game();
    symbols->hex_shape = 0;
    los_settings = los_settings_struct{};
    los_check = los_check_struct{};
    terrain_los_array.assign(3, terrain_los_struct{});
    terrain_los_array[1].block_points = 40; // wood
    terrain_los_array[1].height_above_ground = 2;
    terrain_los_array[2].block_points = 500; // town
    terrain_los_array[2].height_above_ground = 3;
    board->grid_type = 1;
    board->map_columns = 200;
    board->map_rows = 300;
    board->hex_count = 200 * 300;
    board->hex_array.assign(static_cast<std::size_t>(board->hex_count), hex_struct{});
    board->hex_piece_counts.assign(static_cast<std::size_t>(board->hex_count), 0);
    std::mt19937 rng(11);
    for (auto& h : board->hex_array) {
        const unsigned r = rng() % 20;
        h.terrain = r < 3 ? 1 : r == 3 ? 2 : 0;
        h.elevation = static_cast<std::int32_t>(rng() % 4);
    }
    game->player_array.assign(3, player_struct{});
    set_name(game->player_array[0].name, "Blue");
    set_name(game->player_array[1].name, "Red");
    reset_alliance_table(2);
    game->class_array.assign(3, class_struct{});
    game->class_array[0].owner = 0;
    game->class_array[1].owner = 1;
    game->class_array[2].symbol = class_end;
    game->piece_array.assign(static_cast<std::size_t>(2 * pieces_each) + 1, piece_struct{});
    for (int i = 0; i < 2 * pieces_each; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        p.class_index = i % 2;
        p.location = static_cast<std::int32_t>(rng() % static_cast<unsigned>(board->hex_count));
    }
    game->piece_array.back().location = location_end;
    game->piece_end_index = 2 * pieces_each;
}

void los_reveal(benchmark::State& state) {
    build(static_cast<int>(state.range(0)));
    const bool naive = state.range(1) != 0;
    const auto start = game->piece_array;
    for (auto _ : state) {
        game->piece_array = start;
        apply_los_reveal(naive);
    }
}
// The shared-out reveal against the naive loop on the 200-a-side board, once.
void fast_equals_naive(benchmark::State& state) {
    build(200);
    const auto start = game->piece_array;
    bool same = true;
    for (auto _ : state) {
        game->piece_array = start;
        apply_los_reveal(true);
        const auto naive = game->piece_array;
        game->piece_array = start;
        apply_los_reveal(false);
        for (std::size_t i = 0; i < naive.size(); ++i)
            same = same && naive[i].hidden == game->piece_array[i].hidden;
    }
    state.counters["same"] = same ? 1 : 0;
}
BENCHMARK(fast_equals_naive)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK(los_reveal)
    ->Args({2000, 0})
    ->Args({200, 0})
    ->Args({200, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return run_benchmarks(argc, argv);
}
