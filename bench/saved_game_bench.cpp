// Writing and reading a saved game at the limits: 30000 classes, 32000 pieces, 200 players and a
// history of a few megabytes.
#include "data/alliances.h"
#include "data/game_file.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "data/history_stream.h"
#include "platform/files.h"
#include "platform/responder.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace {

std::string bench_path() {
    return (std::filesystem::temp_directory_path() / "zel_saved_game_bench.OPS").string();
}

void build_large_game() {
    new_game();
    game_state& g = *game;
    g.class_array.assign(max_classes + 1, class_struct{});
    for (int i = 0; i < max_classes; ++i) {
        class_struct& c = g.class_array[static_cast<std::size_t>(i)];
        c.symbol = i % 500;
        set_name(c.name, "Class number " + std::to_string(i));
        for (int v = 0; v < 8; ++v)
            c.values[v] = {0, 0, static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(i)};
        std::memset(c.value_types, 1, 8);
        c.owner = static_cast<std::uint8_t>(i % 200);
    }
    g.piece_array.assign(max_pieces + 1, piece_struct{});
    for (int i = 0; i < max_pieces; ++i) {
        piece_struct& p = g.piece_array[static_cast<std::size_t>(i)];
        set_name(p.name, "Piece " + std::to_string(i));
        p.class_index = i % max_classes;
        p.location = i % 60000;
        std::memset(p.value_types, 1, 8);
    }
    g.piece_end_index = max_pieces;
    g.player_array.assign(max_players + 1, player_struct{});
    for (int i = 0; i < max_players; ++i) {
        player_struct& p = g.player_array[static_cast<std::size_t>(i)];
        set_name(p.name, "Player " + std::to_string(i));
        std::memcpy(p.password, "PASSWORD", 8);
        set_name(p.picture_file, "PLAYER.BMP");
    }
    g.player_count = max_players + 1;
    reset_alliance_table(max_players);
    // About 4 MB of history records.
    for (int i = 0; i < 400000; ++i)
        append_history_record(8, 3);
}

void write_large_game(benchmark::State& state) {
    build_large_game();
    current_game_path = bench_path();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        if (!write_saved_game()) state.SkipWithError("write failed");
        bytes += static_cast<std::int64_t>(std::filesystem::file_size(current_game_path));
    }
    state.SetBytesProcessed(bytes);
}

void read_large_game(benchmark::State& state) {
    build_large_game();
    current_game_path = bench_path();
    if (!write_saved_game()) state.SkipWithError("write failed");
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(current_game_path));
    std::int64_t bytes = 0;
    for (auto _ : state) {
        if (!read_saved_game()) state.SkipWithError("read failed");
        bytes += size;
    }
    state.SetBytesProcessed(bytes);
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

BENCHMARK(write_large_game)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(read_large_game)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    scripted_responder quiet; // no windows and no boxes
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(bench_path());
    return 0;
}
