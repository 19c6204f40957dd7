// Replaying the history: the engine alone over a history of several megabytes (records per
// second, nothing drawn, no delay), and the whole replay view on the demo board with drawing at
// the shortest delay (0), per record shown.
#include "data/board.h"
#include "data/folders.h"
#include "data/game_file.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/view_state.h"
#include "demo_game.h"
#include "history/replay.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/settings_files.h"
#include "play/forms/replay_forms.h"
#include "players/log_on.h"

#include "bench_main.h"

#include <QCoreApplication>

#include <filesystem>

namespace {

// 32000 pieces on a 250 x 250 board and a history of moves, removals, additions and hidden
// changes of about `megabytes` MB.
void build_limit_game(std::size_t megabytes) {
    new_game();
    board->map_columns = 250;
    board->map_rows = 250;
    board->hex_count = 250 * 250;
    board->hex_array.assign(static_cast<std::size_t>(board->hex_count), hex_struct{});
    board->hex_piece_counts.assign(static_cast<std::size_t>(board->hex_count), 0);
    game->class_array.assign(101, class_struct{});
    for (int i = 0; i < 100; ++i)
        game->class_array[static_cast<std::size_t>(i)].symbol = i;
    game->class_array.back().symbol = class_end;
    game->piece_array.assign(max_pieces + 1, piece_struct{});
    for (int i = 0; i < max_pieces; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        p.class_index = i % 100;
        p.location = i % board->hex_count;
    }
    game->piece_array.back().location = location_end;
    game->piece_end_index = max_pieces;
    clear_history();
    std::vector<std::int32_t> movers(6), path(8);
    for (int n = 0; game->history_stream.size() < megabytes << 20; ++n) {
        for (std::size_t k = 0; k + 1 < movers.size(); ++k)
            movers[k] = static_cast<std::int32_t>((n * 5 + k) % max_pieces);
        movers.back() = -1;
        for (std::size_t k = 0; k + 1 < path.size(); ++k)
            path[k] = static_cast<std::int32_t>((n * 7 + k) % board->hex_count);
        path.back() = location_end;
        append_move_record(movers, path, history_end_offset());
        append_hidden_change_record(0, n % max_pieces, 0, 1);
        if (n % 4 == 0) {
            append_remove_piece_record(n % max_pieces, (n * 3) % board->hex_count, 0, 0);
            append_add_piece_record(n % max_pieces, n % 100, 0, 0, (n * 11) % board->hex_count);
        }
    }
}

void replay_engine(benchmark::State& state) {
    build_limit_game(static_cast<std::size_t>(state.range(0)));
    const byte_vector stream = game->history_stream;
    const auto records = walk_history(stream);
    for (auto _ : state) {
        state.PauseTiming();
        replay_saved_state saved;
        save_replay_state(saved);
        state.ResumeTiming();
        set_replay_start_pieces(stream);
        history_walker w(stream);
        history_record r;
        while (w.next(r))
            apply_history_record(stream, r);
        state.PauseTiming();
        restore_replay_state(saved);
        state.ResumeTiming();
    }
    state.counters["records_per_s"] = benchmark::Counter(
        static_cast<double>(records->size() * state.iterations()), benchmark::Counter::kIsRate);
    state.counters["history_MB"] = static_cast<double>(stream.size()) / (1 << 20);
}
BENCHMARK(replay_engine)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// The demo game in the real window and a history of 50 moves, played by the replay player with
// the map drawn after each (unseen, as the undo's view runs it, so no settings form asks).
void replay_view_with_drawing(benchmark::State& state) {
    const std::string folder = (std::filesystem::temp_directory_path() / "zel_replay_bench").string();
    std::filesystem::remove_all(folder);
    program_folder_override = folder + "/";
    const std::string demo = folder + "/demo";
    make_demo_game(demo);
    free_symbol_set();
    free_map();
    new_game();
    set_default_dirs();
    recent_games[0] = demo + "/Demo.OPS";
    save_recent_games();
    recent_games[0].clear();
    current_game_path.clear();
    startup_command_line = "0";
    log_on_form_hook = [] { log_in_as_visitor(); };
    main_form window;
    window.create_window();
    window.resize(900, 640);
    QCoreApplication::processEvents();
    clear_history();
    const std::int32_t a = 0;
    for (int n = 0; n < 50; ++n) {
        const std::int32_t movers[] = {a, -1};
        const std::int32_t path[] = {static_cast<std::int32_t>((n * 31) % board->hex_count), location_end};
        append_move_record(movers, path, history_end_offset());
    }
    const auto header = history_header_length(game->history_stream.data(), game->history_stream.size() - 1);
    for (auto _ : state) {
        operation_mode = 5;
        replay_delay = 0;
        replay_playback_start = *header;
        view_replay();
        operation_mode = 0;
    }
    state.counters["per_record"] =
        benchmark::Counter(static_cast<double>(50 * state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    log_on_form_hook = nullptr;
}
BENCHMARK(replay_view_with_drawing)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return run_benchmarks(argc, argv);
}
