// Map drawing: a full redraw of a 1920 x 1080 view and the redraw of one hex, at each zoom, on
// a board at the hex limit with 32,000 pieces; each also as a ratio to a plain copy of the view.
#include "data/board.h"
#include "data/game_settings.h"
#include "data/map_file.h"
#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/view_state.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_geometry.h"
#include "platform/canvas.h"
#include "platform/progress.h"
#include "platform/responder.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int sizes[3] = {24, 40, 64};
constexpr int terrain_count = 16, piece_count = 24, mask_count = 2;
int columns = 300, rows = 200; // 60,000 hexes (one benchmark draws a smaller board as well)
double plain_copy_ms = 0;

void build_set() {
    *symbols = symbol_state{};
    symbol_state& set = *symbols;
    set.hex_shape = 1;
    set.terrain_symbol_count = terrain_count;
    set.piece_symbol_count = piece_count;
    set.mask_symbol_count = mask_count;
    set.terrain_symbols.resize(terrain_count);
    set.piece_symbols.resize(piece_count);
    set.mask_symbols.resize(mask_count);
    for (int z = 0; z < 3; ++z) {
        const int s = sizes[z], ps = s * 3 / 5;
        set.hex_size_by_zoom[z] = s;
        set.largest_piece_width[z] = ps - 1;
        set.largest_piece_height[z] = ps - 1;
        auto place = [z](symbol_struct& sym, int left, int size) {
            sym.left[z] = left;
            sym.top[z] = 0;
            sym.right[z] = left + size - 1;
            sym.bottom[z] = size - 1;
        };
        for (int k = 0; k < terrain_count; ++k)
            place(set.terrain_symbols[k], k * s, s);
        for (int k = 0; k < mask_count; ++k)
            place(set.mask_symbols[k], k * s, s);
        for (int k = 0; k < piece_count; ++k)
            place(set.piece_symbols[k], k * ps, ps);
        bitmap& t = set.strips[symbol_kind_terrain][z];
        t = bitmap(terrain_count * s, s);
        canvas tc(t);
        for (int k = 0; k < terrain_count; ++k)
            tc.fill_rect(k * s + s / 10, 0, s - s / 5, s, make_rgb(20 * k, 200 - 10 * k, 90));
        bitmap& m = set.strips[symbol_kind_mask][z];
        m = bitmap(mask_count * s, s);
        canvas mc(m);
        mc.fill_rect(0, 0, mask_count * s, s, make_rgb(255, 255, 255));
        mc.fill_rect(s / 10, 0, s - s / 5, s, 0);
        mc.fill_rect(s + s / 4, s / 4, s / 2, s / 2, 0);
        bitmap& p = set.strips[symbol_kind_piece][z];
        p = bitmap(piece_count * ps, ps);
        canvas pc(p);
        for (int k = 0; k < piece_count; ++k)
            pc.fill_rect(k * ps, 0, ps, ps, make_rgb(250, 10 * k, 40));
    }
    for (int k = 0; k < terrain_count; ++k)
        set.terrain_symbols[k].mask = k % 2 == 0 ? 1 : 2;
}

void build_board() {
    *board = board_state{};
    board_state& b = *board;
    b.grid_type = 1;
    b.map_columns = columns;
    b.map_rows = rows;
    b.hex_count = columns * rows;
    b.hex_array.resize(static_cast<std::size_t>(b.hex_count));
    for (std::int32_t h = 0; h < b.hex_count; ++h) {
        hex_struct& x = b.hex_array[static_cast<std::size_t>(h)];
        x.terrain = h % terrain_count;
        x.second_terrain = h % 3 == 0 ? (h / 3) % terrain_count : 9999;
    }
    b.hexline_type_array.resize(3);
    b.hexline_type_array[1] = hexline_type_struct{20, {1, 2, 3}, {}, 1};
    b.hexline_type_array[2] = hexline_type_struct{16, {2, 3, 4}, {}, 4};
    for (std::int32_t h = 0; h < b.hex_count; h += 9) {
        b.hex_array[static_cast<std::size_t>(h)].flags |= 4 | 1;
        b.hexside_array.push_back(hexside_struct{h, 1, 1 | 4});
        b.hexline_array.push_back(hexline_struct{h, 2, 1, 128});
    }
    b.hexside_array.push_back(hexside_struct{});
    b.hexline_array.push_back(hexline_struct{});
    for (std::int32_t h = 5; h < b.hex_count; h += 97) {
        b.hex_array[static_cast<std::size_t>(h)].flags |= 2;
        placename_struct p;
        p.hex = h;
        p.terrain = 3;
        set_name(p.name, "Hill " + std::to_string(h));
        p.colour = 14;
        p.font_size[0] = p.font_size[1] = p.font_size[2] = 8;
        p.label_position[0] = p.label_position[1] = p.label_position[2] = 1;
        p.style = 8 | 16;
        b.placename_array.push_back(p);
    }
    b.grid_symbol = 1;
    b.hex_piece_counts.assign(static_cast<std::size_t>(b.hex_count), 0);
    derive_hex_cell_sizes(b, symbols->hex_size_by_zoom, true);
    mark_hex_outline_tables_not_built();
}

void build_pieces() {
    new_game();
    game->class_array.assign(piece_count + 1, class_struct{});
    for (int k = 0; k < piece_count; ++k) {
        game->class_array[static_cast<std::size_t>(k)].symbol = k;
        game->class_array[static_cast<std::size_t>(k)].owner =
            static_cast<std::uint8_t>(k % 3 == 0 ? 200 : 0);
    }
    game->class_array.back().symbol = class_end;
    game->piece_array.assign(32001, piece_struct{});
    for (int i = 0; i < 32000; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        p.class_index = i % piece_count;
        p.location = static_cast<std::int32_t>((static_cast<long long>(i) * 7919) % (columns * rows));
        ++board->hex_piece_counts[static_cast<std::size_t>(p.location)];
    }
    game->piece_array.back().location = location_end;
    game->piece_end_index = 32000;
}

void set_up() {
    static bool done = false;
    if (done) return;
    done = true;
    build_set();
    build_board();
    build_pieces();
    reset_game_settings();
    game_settings.symbols_per_hex[0] = game_settings.symbols_per_hex[1] = game_settings.symbols_per_hex[2] =
        4;
    view_width = 1920;
    view_height = 1080;
    view_origin_hex = 40 * columns + 40;
    allocate_map_buffers();
    // A plain copy of the view area, the yardstick of every figure.
    bitmap source(1920, 1080), target(1922, 1082);
    canvas c(target);
    const int n = 200;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i)
        c.copy_bits(0, 0, 1920, 1080, source, 0, 0, raster_op::srccopy);
    plain_copy_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / n;
    std::printf("plain copy of a 1920 x 1080 area: %.3f ms\n", plain_copy_ms);
}

using bench_clock = std::chrono::steady_clock;

// Time per iteration divided by the plain copy's time.
void report(benchmark::State& state, bench_clock::time_point start) {
    const double ms = std::chrono::duration<double, std::milli>(bench_clock::now() - start).count();
    if (state.iterations() > 0 && plain_copy_ms > 0)
        state.counters["ratio_to_copy"] = ms / static_cast<double>(state.iterations()) / plain_copy_ms;
}

void BM_full_redraw(benchmark::State& state) {
    set_up();
    zoom_level = static_cast<int>(state.range(0));
    const auto start = bench_clock::now();
    for (auto _ : state)
        redraw_map();
    report(state, start);
}
BENCHMARK(BM_full_redraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The same without the progress window on screen (a scripted responder keeps it off), to
// show what the drawing itself costs.
// Full redraws at the state's zoom with the progress window kept off.
void quiet_full_redraws(benchmark::State& state) {
    scripted_responder quiet;
    zoom_level = static_cast<int>(state.range(0));
    const auto start = bench_clock::now();
    for (auto _ : state)
        redraw_map();
    clear_progress_log();
    report(state, start);
}

void BM_full_redraw_drawing_only(benchmark::State& state) {
    set_up();
    quiet_full_redraws(state);
}
BENCHMARK(BM_full_redraw_drawing_only)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Every piece with a facing marker and two status dots that hold, and a stack definition any
// crowded hex meets; the same redraw as above.
void set_marks(bool on) {
    facing_set_struct set;
    set.direction = 1;
    set.style = 2;
    set.fill_colour = 15;
    set.outline_colour = 0;
    set.size[0] = 4;
    set.size[1] = 6;
    set.size[2] = 8;
    game->facing_set_array = on ? std::vector<facing_set_struct>{set, facing_set_struct{}}
                                : std::vector<facing_set_struct>{facing_set_struct{}};
    for (std::size_t k = 0; k + 1 < game->class_array.size(); ++k)
        game->class_array[k].facing_set = on ? 1 : 0;
    for (int i = 0; i < 32000; ++i)
        game->piece_array[static_cast<std::size_t>(i)].facing = static_cast<std::uint8_t>(on ? 1 + i % 8 : 0);
    for (auto& d : game->status_dots)
        d = status_dot_struct{};
    if (on) {
        game->status_dots[0] = status_dot_struct{1, 0, 12, 1, {3, 5, 7}}; // not moved
        game->status_dots[1] = status_dot_struct{2, 0, 14, 9, {3, 5, 7}}; // not in combat
    }
    stack_def_struct stack;
    stack.stack_symbol = 3;
    stack.required_class = class_end;
    stack.owner = owner_all_players;
    game->stack_def_array = on ? std::vector<stack_def_struct>{stack, stack_def_struct{}}
                               : std::vector<stack_def_struct>{stack_def_struct{}};
}

void BM_full_redraw_with_marks(benchmark::State& state) {
    set_up();
    set_marks(true);
    quiet_full_redraws(state);
    set_marks(false);
}
BENCHMARK(BM_full_redraw_with_marks)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_single_hex_redraw(benchmark::State& state) {
    set_up();
    zoom_level = static_cast<int>(state.range(0));
    const std::int32_t hex = view_origin_hex + 10 * columns + 10;
    const auto start = bench_clock::now();
    for (auto _ : state) {
        map_just_redrawn = 0;
        redraw_hex(hex);
    }
    report(state, start);
}
BENCHMARK(BM_single_hex_redraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A one-hex redraw on a board of 600 and of 60,000 hexes with the same 400 pieces around the
// hex in view: the cost should follow what is drawn, not the board.
void BM_single_hex_redraw_by_board_size(benchmark::State& state) {
    set_up();
    const bool small = state.range(0) == 600;
    columns = small ? 30 : 300;
    rows = small ? 20 : 200;
    build_board();
    build_pieces();
    std::fill(board->hex_piece_counts.begin(), board->hex_piece_counts.end(), 0);
    game->piece_array.resize(401);
    for (int i = 0; i < 400; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        p.location = (i / 40) * columns + (i % 40) % 10; // 4 per hex in the corner 10 x 10
        ++board->hex_piece_counts[static_cast<std::size_t>(p.location)];
    }
    game->piece_array.back() = piece_struct{};
    game->piece_array.back().location = location_end;
    game->piece_end_index = 400;
    view_origin_hex = 0;
    zoom_level = 0;
    allocate_map_buffers();
    redraw_map();
    const std::int32_t hex = 5 * columns + 5;
    const auto start = bench_clock::now();
    for (auto _ : state) {
        map_just_redrawn = 0;
        redraw_hex(hex);
    }
    report(state, start);
    // The other benchmarks draw the large board.
    columns = 300;
    rows = 200;
    build_board();
    build_pieces();
    view_origin_hex = 40 * columns + 40;
}
BENCHMARK(BM_single_hex_redraw_by_board_size)->Arg(600)->Arg(60000)->Unit(benchmark::kMillisecond);

void BM_plain_copy(benchmark::State& state) {
    set_up();
    bitmap source(1920, 1080), target(1922, 1082);
    canvas c(target);
    const auto start = bench_clock::now();
    for (auto _ : state)
        c.copy_bits(0, 0, 1920, 1080, source, 0, 0, raster_op::srccopy);
    report(state, start);
}
BENCHMARK(BM_plain_copy)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
