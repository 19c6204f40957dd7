// Reading and writing a board at the limit: 60,000 hexes with place names, hexsides, hexlines
// and overlays.
#include "data/map_file.h"
#include "platform/files.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {
board_state full_board() {
    board_state b;
    b.map_columns = 200;
    b.map_rows = 300;
    b.hex_count = 60000;
    b.hex_array.resize(60000);
    for (int i = 0; i < 60000; ++i)
        b.hex_array[static_cast<std::size_t>(i)] = {i % 40, 63000, i % 500, 7 | 8};
    for (int i = 0; i < 60000; i += 6) {
        placename_struct p;
        p.hex = i;
        p.terrain = 63000;
        std::snprintf(p.name, sizeof p.name, "Place %d", i);
        p.font_size[0] = 8;
        b.placename_array.push_back(p);
    }
    b.placename_array.push_back(placename_struct{});
    for (int i = 0; i < 60000; ++i)
        b.hexside_array.push_back({i, static_cast<std::uint8_t>(i % 4), 3});
    b.hexside_array.push_back(hexside_struct{});
    for (int t = 0; t < 20; ++t) {
        hexline_type_struct type;
        type.style = 1;
        std::snprintf(type.name, sizeof type.name, "Line %d", t);
        b.hexline_type_array.push_back(type);
    }
    b.hexline_type_array.push_back(hexline_type_struct{});
    for (int i = 0; i < 60000; i += 2)
        b.hex_overlay_array.push_back({i, 5});
    b.hex_overlay_array.push_back(hex_overlay_struct{});
    board_struct sheet;
    sheet.last_column = 199;
    sheet.last_row = 299;
    sheet.flags = 1;
    b.board_array = {sheet, board_struct{}};
    for (int i = 0; i < 60000; i += 2)
        b.hexline_array.push_back({i, 2, 1, 64});
    b.hexline_array.push_back(hexline_struct{});
    return b;
}

void BM_write_map_bytes(benchmark::State& state) {
    board_state b = full_board();
    std::size_t size = 0;
    for (auto _ : state) {
        byte_vector out = map_file_bytes(b, "BENCH");
        size = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["file_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_write_map_bytes)->Unit(benchmark::kMillisecond);

void BM_parse_map_bytes(benchmark::State& state) {
    byte_vector bytes = map_file_bytes(full_board(), "BENCH");
    for (auto _ : state) {
        board_state b;
        bool ok = parse_map_file(bytes, b, 40);
        if (!ok) state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(b.hex_array.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_parse_map_bytes)->Unit(benchmark::kMillisecond);

// The whole round through the disk: build, write atomically, read back, parse.
void BM_map_file_round_trip_on_disk(benchmark::State& state) {
    QTemporaryDir dir;
    std::string path = dir.path().toStdString() + "/BENCH.MAP";
    board_state b = full_board();
    std::size_t size = 0;
    for (auto _ : state) {
        byte_vector out = map_file_bytes(b, "BENCH");
        size = out.size();
        if (!write_file_atomic(path, out)) state.SkipWithError("write failed");
        auto in = read_whole_file(path);
        board_state r;
        if (!in || !parse_map_file(*in, r, 40)) state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size * 2));
}
BENCHMARK(BM_map_file_round_trip_on_disk)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
