// Recording moves: the cost of one move should not grow with the history before it.
#include "data/records.h"
#include "data/history_stream.h"

#include "bench_main.h"

#include <vector>

namespace {

// A game of two pieces whose history already holds `bytes` of comments.
void game_with_history(std::size_t bytes) {
    new_game();
    game->class_array.insert(game->class_array.begin(), class_struct{});
    game->class_array[0].symbol = 1;
    game->piece_array.insert(game->piece_array.begin(), 2, piece_struct{});
    for (int i = 0; i < 2; ++i) {
        game->piece_array[static_cast<std::size_t>(i)].class_index = 0;
        game->piece_array[static_cast<std::size_t>(i)].location = i;
    }
    game->piece_end_index = 2;
    clear_history();
    const std::string text(2000, 'x');
    while (game->history_stream.size() < bytes)
        append_comment_record(1, text);
}

// 10,000 moves one after the other, each with a reveal written during its path.
void moves(benchmark::State& state) {
    const std::vector<std::int32_t> movers = {0, -1};
    const std::vector<std::int32_t> path = {5, 6, 63000};
    const std::vector<std::uint8_t> owner = {0};
    const std::vector<std::int32_t> revealed = {1};
    for (auto _ : state) {
        state.PauseTiming();
        game_with_history(static_cast<std::size_t>(state.range(0)));
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i) {
            const std::size_t mark = history_end_offset();
            append_reveal_history_record(11, 0, owner, revealed);
            append_move_record(movers, path, mark);
        }
    }
    // Seconds per move (shown with its unit prefix).
    state.counters["per_move"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 10000,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(moves)->Arg(0)->Arg(5 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return run_benchmarks(argc, argv);
}
