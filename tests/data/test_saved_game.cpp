// The saved game file: hand-built files of every version, round trips, damaged files.
#include "test_support.h"

#include "data/encodings.h"
#include "data/game_file.h"
#include "data/game_settings.h"
#include "data/saved_game.h"
#include "data/history_stream.h"
#include "data/los_settings.h"
#include "data/options.h"
#include "data/view_state.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "data/alliances.h"
#include "data/passwords.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Builds a file byte by byte and remembers where each section starts and ends.
struct file_builder {
    std::vector<std::uint8_t> out;
    struct section {
        int number;
        std::size_t start, end;
    };
    std::vector<section> sections;
    std::vector<std::size_t> password_at;

    void b(int v) { out.push_back(static_cast<std::uint8_t>(v)); }
    void bytes_of(std::initializer_list<int> list) {
        for (int v : list)
            b(v);
    }
    void n2(int v) { bytes_of({v / 250, v % 250}); }
    void n4(int v) { bytes_of({v / 15625000, v % 15625000 / 62500, v % 62500 / 250, v % 250}); }
    void l4(std::uint32_t v) {
        bytes_of({int(v >> 24), int(v >> 16 & 255), int(v >> 8 & 255), int(v & 255)});
    }
    // A name: its characters, then a 0 when it is shorter than its field.
    void name(const std::string& s, std::size_t width) {
        for (char c : s)
            b(static_cast<std::uint8_t>(c));
        if (s.size() < width) b(0);
    }
    void zeros(int n) {
        for (int i = 0; i < n; ++i)
            b(0);
    }
    void fe() { b(0xFE); }
    void begin(int number) { sections.push_back({number, out.size(), 0}); }
    void finish() { sections.back().end = out.size(); }
    const section& at(int number) const {
        for (const auto& s : sections)
            if (s.number == number) return s;
        throw std::runtime_error("no section");
    }
};

// One status dot record: kind, limit, colour, position, three sizes.
void dot(file_builder& f, int kind, int limit, int colour, int position, int size) {
    f.b(kind);
    f.n2(limit);
    f.bytes_of({colour, position, size, size + 1, size + 2});
}

const std::vector<std::uint8_t> hand_history = {0, 2, 0, 0, 0, 7, 0, 0, 0, 0, 250, 0, 3, 0xFD, 7, 1, 2, 0xFE};

// A small game as the file tables lay it out: 2 classes (the second with a symbol above 30001),
// 1 piece, 1 player, 1 pool, 1 facing set, 2 turn names, 2 terrain records.
file_builder hand_built_file(int version, const std::string& first_player = "Ann") {
    file_builder f;
    f.begin(0);
    f.bytes_of({0xFD, version / 100, version % 100});
    f.finish();
    f.begin(1);
    f.name("C:\\MAPS\\X.MAP", 200);
    f.fe();
    f.finish();
    f.begin(2);
    f.n2(3);
    f.fe();
    f.finish();

    f.begin(3); // classes
    f.n2(3);
    f.n2(5);
    f.name("Tank", 25);
    f.bytes_of({0, 0, 0, 9, 0, 0, 1, 0});
    f.zeros(24);
    f.bytes_of({1, 1, 0, 0, 0, 0, 0, 0});
    f.b(0);      // owner
    f.n2(30000); // hidden symbol
    f.b(1);      // facing set
    f.n2(40000); // a symbol above 30001
    f.name("Odd", 25);
    f.zeros(32 + 8 + 1);
    f.n2(30000);
    f.b(0);
    f.n2(30000); // end record
    f.name("", 25);
    f.zeros(32 + 8 + 1);
    f.n2(30000);
    f.b(0);
    f.fe();
    f.finish();

    f.begin(4);
    f.name("Attack", 15);
    f.zeros(7);
    f.fe();
    f.finish();

    f.begin(5); // pieces
    f.n2(2);
    f.name("T1", 25);
    f.n2(0);
    f.zeros(32);
    f.bytes_of({1, 0, 0, 0, 0, 0, 0, 0});
    f.b(1);  // hidden
    f.n2(0); // second location
    f.n2(7); // location
    f.b(4);  // moved
    f.b(10); // facing
    f.name("", 25);
    f.n2(0);
    f.zeros(40);
    f.b(0);
    f.n2(0);
    f.n2(63000);
    f.bytes_of({0, 0});
    f.fe();
    f.finish();

    f.begin(6);
    f.zeros(7);
    f.name("Steps", 15);
    f.fe();
    f.finish();

    f.begin(7); // players; a password of filler bytes only is no password
    f.n2(2);
    for (const std::string& name : {first_player, std::string()}) {
        f.name(name, 25);
        f.password_at.push_back(f.out.size());
        for (int i = 0; i < 20; ++i)
            f.b(31 + i);
        f.b(1);      // zoom
        f.n2(12);    // view origin
        f.n2(30001); // default hidden symbol
        f.name(name.empty() ? "" : "ANN.BMP", 50);
        f.b(2); // reveal range
        f.b(0); // flags
        f.b(name.empty() ? 0 : 5);
    }
    f.fe();
    f.finish();

    f.begin(8); // history
    if (version >= 204)
        f.n4(static_cast<int>(hand_history.size()));
    else
        f.n2(static_cast<int>(hand_history.size()));
    for (auto v : hand_history)
        f.b(v);
    f.fe();
    f.finish();

    f.begin(9); // pools
    f.n2(2);
    f.name("Reserve", 25);
    f.b(0);
    f.n2(63000);
    f.n2(0);
    f.name("", 25);
    f.b(0);
    f.n2(0);
    f.n2(30000);
    f.fe();
    f.finish();

    f.begin(10); // stacks
    f.n2(2);
    f.n2(4);
    f.n2(0);
    f.bytes_of({2, 3, 4});
    f.n2(200);
    f.n2(30000);
    f.n2(30000);
    f.zeros(3);
    f.n2(200);
    f.fe();
    f.finish();

    f.begin(11);
    f.bytes_of({4, 1, 2, 1});
    f.fe();
    f.finish();

    f.begin(12); // facing sets
    f.b(2);
    f.name("Main", 25);
    f.bytes_of({1, 1, 17, 16, 0, 4, 8});
    f.name("", 25);
    f.zeros(7);
    f.fe();
    f.finish();

    f.begin(13);
    f.bytes_of({9, 5, 1});
    f.b(1);
    f.n2(12);
    f.b(1);
    f.fe();
    f.finish();

    f.begin(14); // logged in, flips
    f.b(1);
    f.n2(2);
    f.n2(0);
    f.n2(1);
    f.n2(30000);
    f.n2(0);
    f.fe();
    f.finish();

    f.begin(15);
    for (int i = 0; i < 6; ++i)
        dot(f, 1, 1, 10 + i, 1 + i, 3);
    f.fe();
    f.finish();

    f.begin(16);
    f.bytes_of({1, 0, 2, 10});
    f.fe();
    f.finish();

    f.begin(17); // turn names
    f.n2(3);
    f.name("Set-up", 50);
    f.name("Turn 1", 50);
    f.name("", 50);
    f.fe();
    f.finish();

    f.begin(18);        // line of sight
    f.bytes_of({0, 2}); // check type -2
    f.n2(3);            // direction
    f.l4(63001);        // spotter: none
    f.l4(44);           // target
    f.l4(7);            // radius
    f.l4(63001);        // maximum range: unlimited
    f.b(0);             // degrade
    f.n2(50);           // points to block
    f.name("10 m", 20);
    f.b(0);  // smoothing
    f.n2(3); // cliff
    if (version >= 208) {
        f.n2(200);
        f.name("yards", 10);
        f.zeros(4);
    }
    f.n2(2);
    for (int t = 0; t < 2; ++t) {
        f.n2(10 + t);
        f.n2(1);
        f.n2(2);
        f.n2(25);
        f.n2(50);
        f.bytes_of({1, 2, 3});
    }
    f.fe();
    f.finish();

    f.begin(19);
    f.bytes_of({1, 3});
    f.fe();
    f.finish();
    f.begin(20);
    f.name("C:\\CARDS\\DECK", 200);
    f.fe();
    f.finish();
    f.begin(21);
    f.b(1);
    f.fe();
    f.finish();
    f.begin(22);
    f.b(1);
    f.fe();
    f.finish();
    f.begin(23);
    f.b(2); // combat reveal 2 loads as 0
    f.fe();
    f.finish();
    f.begin(24);
    f.name("PAGES.IPX", 200);
    f.fe();
    f.finish();
    f.begin(25);
    f.n2(80);
    f.n2(300);
    f.fe();
    f.finish();
    f.begin(26); // one player, allied with nobody
    f.n2(1);
    f.n2(0);
    f.n2(0);
    f.fe();
    f.finish();
    f.begin(27);
    f.bytes_of({0, 1, 0, 3, 4, 200, 101});
    if (version >= 208) f.b(2);
    f.fe();
    f.finish();
    if (version >= 209) {
        f.begin(28);
        for (int i = 0; i < 6; ++i)
            dot(f, 0x25, 700 + i, 20 + i, 9, 5);
        f.fe();
        f.finish();
    }
    return f;
}

void write_bytes(const std::string& path, const std::vector<std::uint8_t>& data) {
    std::ofstream o(path, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

std::vector<std::uint8_t> file_bytes(const std::string& path) {
    return read_whole_file(path).value_or(byte_buffer{});
}

class saved_game_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_los_settings();
        reset_alliance_table(1);
        set_write_failure_after(-1);
        folder = make_temp_folder();
        current_game_path = join_path(folder, "GAME.OPS");
        linked_map_path = "C:\\MAPS\\X.MAP";
        info_panel_height = info_panel_width = -1;
    }
    void TearDown() override { set_write_failure_after(-1); }

    bool read_bytes(const std::vector<std::uint8_t>& data) {
        write_bytes(current_game_path, data);
        return read_saved_game();
    }
    // A game in memory that a failed read must leave alone.
    void mark_previous_game() {
        add_class();
        set_name(game->class_array[0].name, "KEEP");
        game->game_turn = 42;
        zoom_level = 2;
        rmb_mode = 4;
    }
    void expect_previous_game() {
        ASSERT_EQ(game->class_array.size(), 2u);
        EXPECT_EQ(name_of(game->class_array[0].name), "KEEP");
        EXPECT_EQ(game->game_turn, 42);
        EXPECT_EQ(zoom_level, 2);
        EXPECT_EQ(rmb_mode, 4);
    }
    std::string folder;
};

struct version_case {
    int version;
    bool reads_hex_size;   // 208 and up
    bool reads_dots_again; // 209 and up
    bool later_version;    // above 209
};

class hand_built_versions : public saved_game_test, public ::testing::WithParamInterface<version_case> {};

TEST_P(hand_built_versions, load_the_records_of_the_file) {
    const version_case c = GetParam();
    rmb_mode = 5;
    ASSERT_TRUE(read_bytes(hand_built_file(c.version).out));
    EXPECT_EQ(ops_file_version, c.version);
    EXPECT_EQ(responder.saw("File is A Later Version!"), c.later_version);
    EXPECT_FALSE(responder.saw("Game File Error"));

    const game_state& g = *game;
    EXPECT_EQ(g.game_turn, 3);
    ASSERT_EQ(g.class_array.size(), 3u);
    EXPECT_EQ(g.class_array[0].symbol, 5);
    EXPECT_EQ(name_of(g.class_array[0].name), "Tank");
    EXPECT_EQ(g.class_array[0].values[0][3], 9);
    EXPECT_EQ(g.class_array[0].values[1][2], 1);
    EXPECT_EQ(g.class_array[0].facing_set, 1);
    EXPECT_EQ(g.class_array[1].symbol, class_free); // 40000 in the file
    EXPECT_EQ(g.class_array[2].symbol, class_end);
    EXPECT_EQ(name_of(g.class_value_names[0]), "Attack");
    EXPECT_EQ(name_of(g.piece_value_names[7]), "Steps");

    ASSERT_EQ(g.piece_array.size(), 2u);
    EXPECT_EQ(g.piece_end_index, 1);
    EXPECT_EQ(name_of(g.piece_array[0].name), "T1");
    EXPECT_EQ(g.piece_array[0].location, 7);
    EXPECT_EQ(g.piece_array[0].hidden, 1);
    EXPECT_EQ(g.piece_array[0].flags, 4);
    EXPECT_EQ(g.piece_array[0].facing, 10);
    EXPECT_EQ(g.piece_array[1].location, location_end);

    ASSERT_EQ(g.player_array.size(), 2u);
    EXPECT_EQ(g.player_count, 2);
    EXPECT_EQ(name_of(g.player_array[0].name), "Ann");
    EXPECT_EQ(g.player_array[0].password[0], 0); // filler only: no password
    EXPECT_EQ(g.player_array[0].view_origin, 12);
    EXPECT_EQ(name_of(g.player_array[0].picture_file), "ANN.BMP");
    EXPECT_EQ(g.player_array[0].reveal_range, 2);
    EXPECT_EQ(g.player_array[0].replay_delay, 5);
    EXPECT_EQ(alliance_table.size(), 2u);

    EXPECT_EQ(g.history_stream, hand_history);
    ASSERT_EQ(g.pool_array.size(), 2u);
    EXPECT_EQ(name_of(g.pool_array[0].name), "Reserve");
    EXPECT_EQ(g.pool_array[0].owner, 1);
    ASSERT_EQ(g.stack_def_array.size(), 2u);
    EXPECT_EQ(g.stack_def_array[0].stack_symbol, 4);
    EXPECT_EQ(g.stack_def_array[0].minimum_pieces[2], 4);
    ASSERT_EQ(g.facing_set_array.size(), 2u);
    EXPECT_EQ(name_of(g.facing_set_array[0].name), "Main");
    EXPECT_EQ(g.facing_set_array[0].fill_colour, 17);
    EXPECT_EQ(g.facing_set_array[0].size[2], 8);
    ASSERT_EQ(g.flip_array.size(), 2u);
    EXPECT_EQ(g.flip_array[0].flip_class, 1);
    ASSERT_EQ(g.turn_names.size(), 3u);
    EXPECT_EQ(name_of(g.turn_names[1].text), "Turn 1");

    const auto& s = game_settings;
    EXPECT_EQ(s.fast_zoom, 4);
    EXPECT_EQ(s.combat_summary_class_mask, 1);
    EXPECT_EQ(s.combat_summary_piece_mask, 2);
    EXPECT_EQ(s.facing_display_options[0], 9);
    EXPECT_EQ(zoom_level, 1);
    EXPECT_EQ(view_origin_hex, 12);
    EXPECT_EQ(sound_on, 1);
    EXPECT_EQ(player_logged_in, 1);
    EXPECT_EQ(s.auto_reveal_moving_range, 1);
    EXPECT_EQ(s.dice_count, 2);
    EXPECT_EQ(s.die_sides, 10);

    EXPECT_EQ(los_check.check_type, -2);
    EXPECT_EQ(los_check.direction, 3);
    EXPECT_EQ(los_check.spotter_hex, -1);
    EXPECT_EQ(los_check.target_hex, 44);
    EXPECT_EQ(los_check.radius, 7);
    EXPECT_EQ(los_settings.maximum_range, -1);
    EXPECT_EQ(los_settings.points_to_block, 50);
    EXPECT_EQ(name_of(los_settings.elevation_level_text), "10 m");
    EXPECT_EQ(los_settings.cliff_elevation, 3);
    EXPECT_EQ(los_settings.hex_size, c.reads_hex_size ? 200 : 0);
    EXPECT_EQ(name_of(los_settings.hex_units), c.reads_hex_size ? "yards" : "");
    ASSERT_EQ(terrain_los_array.size(), 2u);
    EXPECT_EQ(terrain_los_array[1].block_points, 11);
    EXPECT_EQ(terrain_los_array[1].percent_when_target, 50);

    EXPECT_EQ(s.use_elevations, 1);
    EXPECT_EQ(rmb_mode, 3);
    EXPECT_EQ(s.card_set_base_path, "C:\\CARDS\\DECK");
    EXPECT_EQ(s.auto_reveal_moving_los, 1);
    EXPECT_EQ(s.reveal_during_combat, 0); // 2 in the file
    EXPECT_EQ(s.info_page_set_path, join_path(folder, "PAGES.IPX"));
    EXPECT_EQ(info_panel_height, 80);
    EXPECT_EQ(info_panel_width, 300);
    // Draw options: hexlines, hexsides, place names, pieces/markers, then the symbols per hex.
    EXPECT_EQ(s.draw_options[1], 0);
    EXPECT_EQ(s.draw_options[4], 3);
    EXPECT_EQ(s.symbols_per_hex[0], 4);
    EXPECT_EQ(s.symbols_per_hex[2], 101);
    EXPECT_EQ(s.draw_options[0], c.reads_hex_size ? 2 : 1);
    EXPECT_EQ(g.status_dots[5].limit, c.reads_dots_again ? 705 : 1);
    EXPECT_EQ(g.status_dots[0].kind, c.reads_dots_again ? 0x25 : 1);
    EXPECT_EQ(game_modified, 0);
}

INSTANTIATE_TEST_SUITE_P(
    saved_game, hand_built_versions,
    ::testing::Values(version_case{203, false, false, false}, version_case{204, false, false, false},
                      version_case{207, false, false, false}, version_case{208, true, false, false},
                      version_case{209, true, true, false}, version_case{210, true, true, true}),
    [](const auto& param_info) { return "v" + std::to_string(param_info.param.version); });

TEST_F(saved_game_test, the_writer_gives_back_the_hand_built_file_with_the_readers_repairs) {
    file_builder f = hand_built_file(209);
    ASSERT_TRUE(read_bytes(f.out));
    ASSERT_TRUE(write_saved_game());
    const auto written = file_bytes(current_game_path);

    std::vector<std::uint8_t> expected = f.out;
    const std::size_t odd_class = f.at(3).start + 2 + 51;
    ASSERT_EQ(expected[odd_class], 160); // 40000 is stored as a free slot
    expected[odd_class] = 120;
    expected[odd_class + 1] = 1;
    expected[f.at(23).start] = 0; // combat reveal 2
    // The second copy of the status dots is the one kept, and written twice.
    std::copy(f.out.begin() + static_cast<std::ptrdiff_t>(f.at(28).start),
              f.out.begin() + static_cast<std::ptrdiff_t>(f.at(28).end),
              expected.begin() + static_cast<std::ptrdiff_t>(f.at(15).start));
    ASSERT_EQ(written.size(), expected.size());
    // The password filler is random: any byte of 31..60.
    for (std::size_t at : f.password_at)
        for (std::size_t i = at; i < at + 20; ++i) {
            EXPECT_TRUE(written[i] >= 31 && written[i] <= 60) << i;
            expected[i] = written[i];
        }
    EXPECT_EQ(written, expected);
}

TEST_F(saved_game_test, a_file_that_ends_after_the_turn_names_loads_with_default_line_of_sight) {
    file_builder f = hand_built_file(209);
    f.out.resize(f.at(17).end);
    los_settings.points_to_block = 7;
    game_settings.use_elevations = 1;
    rmb_mode = 5;
    ASSERT_TRUE(read_bytes(f.out));
    EXPECT_EQ(los_settings.points_to_block, 100);
    EXPECT_EQ(los_settings.maximum_range, -1);
    EXPECT_EQ(los_check.spotter_hex, -1);
    EXPECT_EQ(game_settings.use_elevations, 0);
    EXPECT_EQ(rmb_mode, 0);
    EXPECT_EQ(game_settings.auto_reveal_moving_los, 0);
    EXPECT_EQ(game->turn_names.size(), 3u);
}

TEST_F(saved_game_test, a_version_202_game_master_gets_the_game_master_flag) {
    struct {
        int version;
        const char* name;
        bool updated;
    } cases[] = {{202, "The GameMaster", true}, {202, "Ann", false}, {203, "GAMEMASTER", false}};
    for (const auto& c : cases) {
        responder.clear();
        ASSERT_TRUE(read_bytes(hand_built_file(c.version, c.name).out)) << c.name;
        EXPECT_EQ(responder.count("Current Version Update Notice", "Updating Gamemaster Authorization Code."),
                  c.updated ? 1 : 0);
        EXPECT_EQ((game->player_array[0].flags & player_flag_game_master) != 0, c.updated)
            << c.version << c.name;
    }
}

// A game that uses every section.
void build_full_game() {
    game->game_turn = 7;
    for (int i = 0; i < 3; ++i) {
        int c = add_class();
        game->class_array[c].symbol = 10 + i;
        set_name(game->class_array[c].name, "Class " + std::to_string(i));
        game->class_array[c].values[2] = {0, 0, 1, static_cast<std::uint8_t>(i)};
        game->class_array[c].value_types[2] = 1;
        game->class_array[c].owner = static_cast<std::uint8_t>(i == 2 ? 200 : i);
        game->class_array[c].facing_set = 1;
    }
    set_name(game->class_array[0].name, "Exactly twenty-five chars");
    set_name(game->class_value_names[0], "Fifteen chars!!");
    set_name(game->piece_value_names[3], "Steps");
    for (int i = 0; i < 5; ++i) {
        int p = add_piece();
        set_name(game->piece_array[p].name, "P" + std::to_string(i));
        game->piece_array[p].class_index = i % 3;
        game->piece_array[p].location = i == 4 ? 0 : 100 + i;
        game->piece_array[p].flags = i == 4 ? piece_flag_in_pool : piece_flag_moved;
        game->piece_array[p].second_location = i;
        game->piece_array[p].facing = 11;
    }
    game->player_array.assign(3, player_struct{});
    set_name(game->player_array[0].name, "Ann");
    std::memcpy(game->player_array[0].password, "SECRET-1", 8);
    set_name(game->player_array[1].name, "Bob the Second");
    std::memcpy(game->player_array[1].password, "ABCDEFGHIJKLMNOPQRST", 20);
    game->player_array[1].flags = player_flag_game_master;
    game->player_count = 3;
    reset_alliance_table(3);
    alliance_table[0] = {1, {0, 1, 0}};
    alliance_table[1] = {1, {1, 0, 0}};
    pool_struct pool;
    set_name(pool.name, "Reserve");
    pool.type = 0;
    pool.piece_count = 1;
    pool.owner = 1;
    game->pool_array.insert(game->pool_array.begin(), pool);
    stack_def_struct stack;
    stack.stack_symbol = 3;
    stack.required_class = 1;
    stack.minimum_pieces[0] = 2;
    stack.owner = 0;
    game->stack_def_array.insert(game->stack_def_array.begin(), stack);
    facing_set_struct fs;
    set_name(fs.name, "Main");
    fs.direction = 3;
    fs.style = 2;
    fs.size[1] = 6;
    game->facing_set_array.insert(game->facing_set_array.begin(), fs);
    game->flip_array.insert(game->flip_array.begin(), flip_struct{0, 2});
    for (int i = 0; i < 6; ++i)
        game->status_dots[i] = {static_cast<std::uint8_t>(0x10 * i + 5), 100 * i, 7, 3, {1, 2, 3}};
    turn_name t;
    set_name(t.text, "Spring 1944");
    game->turn_names.insert(game->turn_names.end() - 1, t);
    game_settings.fast_zoom = 0;
    game_settings.combat_summary_class_mask = 5;
    game_settings.auto_reveal_moving_range = 1;
    game_settings.auto_reveal_moving_los = 1;
    game_settings.reveal_during_combat = 1;
    game_settings.use_elevations = 1;
    game_settings.dice_count = 3;
    game_settings.draw_options[0] = 2;
    game_settings.draw_options[3] = 0;
    game_settings.symbols_per_hex[1] = 201;
    game_settings.card_set_base_path = "/games/cards/WAR";
    game_settings.info_page_set_path = "/elsewhere/PAGES.IPX";
    zoom_level = 2;
    view_origin_hex = 321;
    sound_on = 1;
    rmb_mode = 6;
    player_logged_in = 1;
    info_panel_height = 90;
    info_panel_width = 250;
    los_check.check_type = -3;
    los_check.spotter_hex = 17;
    los_settings.maximum_range = 12;
    set_name(los_settings.hex_units, "km");
    los_settings.hex_size = 2;
    terrain_los_array.assign(3, terrain_los_struct{});
    terrain_los_array[2].ground_level = 4;
    terrain_los_array[2].display_colour[1] = 200;
    long at = append_history_record(2, 5);
    put_history_num2(at, 3);
}

std::vector<std::uint8_t> saved_bytes(const std::string& path) {
    seed_random(11); // the password filler is random
    EXPECT_TRUE(write_saved_game());
    return file_bytes(path);
}

TEST_F(saved_game_test, write_read_write_gives_the_same_bytes_for_a_game_using_every_section) {
    build_full_game();
    game_modified = 1;
    const std::vector<std::uint8_t> first = saved_bytes(current_game_path);
    EXPECT_EQ(game_modified, 0);
    ASSERT_FALSE(progress_log().empty());
    EXPECT_EQ(progress_log().back().caption, "Saving File to Disk");
    EXPECT_EQ(progress_log().back().label, "Saving game file.  Please wait...");
    EXPECT_EQ(progress_log().back().position, 100);
    // The passwords in memory stay in clear.
    EXPECT_EQ(std::memcmp(game->player_array[1].password, "ABCDEFGHIJKLMNOPQRST", 20), 0);

    new_game();
    ASSERT_TRUE(read_saved_game());
    EXPECT_FALSE(responder.saw("Game File Error"));
    EXPECT_EQ(progress_log().back().label, "Loading ZEL saved game file, please wait...");
    EXPECT_EQ(name_of(game->class_array[0].name), "Exactly twenty-five chars");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(game->player_array[0].password)), "SECRET-1");
    EXPECT_EQ(std::memcmp(game->player_array[1].password, "ABCDEFGHIJKLMNOPQRST", 20), 0);
    EXPECT_EQ(alliance_table[1].flags[0], 1);
    EXPECT_EQ(game->pool_array[0].owner, 1);
    EXPECT_EQ(los_settings.maximum_range, 12);
    EXPECT_EQ(los_check.check_type, -3);
    EXPECT_EQ(game_settings.info_page_set_path, join_path(folder, "PAGES.IPX"));
    EXPECT_EQ(game_settings.symbols_per_hex[1], 201);
    EXPECT_EQ(rmb_mode, 6);

    const std::vector<std::uint8_t> second = saved_bytes(current_game_path);
    EXPECT_EQ(first, second);
}

TEST_F(saved_game_test, a_free_piece_slot_is_closed_up_and_the_game_in_memory_is_kept) {
    for (int i = 0; i < 4; ++i) {
        int p = add_piece();
        set_name(game->piece_array[p].name, "P" + std::to_string(i));
        game->piece_array[p].location = 10 + i;
    }
    game->piece_array[1].location = location_free;
    const byte_vector history = game->history_stream;
    ASSERT_TRUE(write_saved_game());
    EXPECT_EQ(game->piece_array.size(), 5u); // memory unchanged
    EXPECT_EQ(game->history_stream, history);

    ASSERT_TRUE(read_saved_game());
    ASSERT_EQ(game->piece_array.size(), 4u);
    EXPECT_EQ(game->piece_end_index, 3);
    EXPECT_EQ(name_of(game->piece_array[0].name), "P0");
    EXPECT_EQ(name_of(game->piece_array[1].name), "P2");
    EXPECT_EQ(game->piece_array[1].location, 12);
    EXPECT_EQ(name_of(game->piece_array[2].name), "P3");
    EXPECT_EQ(game->piece_array[3].location, location_end);
}

TEST_F(saved_game_test, the_history_is_stored_as_it_stands_when_no_slot_is_free) {
    for (int i = 0; i < 3; ++i)
        game->piece_array[add_piece()].location = i;
    append_history_record(3, 9);
    const byte_vector history = game->history_stream;
    ASSERT_TRUE(write_saved_game());
    const auto file = file_bytes(current_game_path);
    // num4 length, then the stream itself.
    auto it = std::search(file.begin(), file.end(), history.begin(), history.end());
    ASSERT_NE(it, file.end());
    const std::size_t at = static_cast<std::size_t>(it - file.begin());
    ASSERT_GE(at, 4u);
    const std::size_t n = history.size();
    EXPECT_EQ(static_cast<std::size_t>(file[at - 4] * 15625000 + file[at - 3] * 62500 + file[at - 2] * 250 +
                                       file[at - 1]),
              n);
    EXPECT_EQ(file[at + n], 0xFE);
}

TEST_F(saved_game_test, the_writer_sets_the_ops_extension) {
    current_game_path = join_path(folder, "battle.sav");
    ASSERT_TRUE(write_saved_game());
    EXPECT_EQ(current_game_path, join_path(folder, "battle.OPS"));
    EXPECT_TRUE(path_is_readable_file(current_game_path));
}

TEST_F(saved_game_test, a_failed_write_keeps_the_previous_file_and_the_unsaved_mark) {
    ASSERT_TRUE(write_saved_game());
    const auto before = file_bytes(current_game_path);
    add_class();
    game_modified = 1;
    set_write_failure_after(10);
    EXPECT_FALSE(write_saved_game());
    EXPECT_EQ(responder.count("Game File Error", "Could not write the file:\n\r   " + current_game_path +
                                                     "\n\r(No space left on device)"),
              1);
    EXPECT_EQ(game_modified, 1);
    EXPECT_EQ(file_bytes(current_game_path), before);
}

TEST_F(saved_game_test, a_missing_file_or_a_foreign_file_fails) {
    mark_previous_game();
    current_game_path = join_path(folder, "NONE.OPS");
    EXPECT_FALSE(read_saved_game());
    EXPECT_EQ(responder.count("Game File Error", "Error Code: Could not open selected file!"), 1);
    responder.clear();
    EXPECT_FALSE(read_bytes(bytes({0x41, 2, 9})));
    EXPECT_FALSE(read_bytes({}));
    EXPECT_TRUE(responder.shown().empty()); // not a saved game: no message
    expect_previous_game();
}

// What a file cut after `length` bytes gives: true when it loads, else the label of its box.
std::string expected_for_cut(const file_builder& f, std::size_t length) {
    const std::map<int, std::string> labels = {{1, "MAP NAME"},       {2, "GAME TURN"},
                                               {3, "CLASSES"},        {4, "CLASS VALS"},
                                               {5, "PIECES"},         {6, "PIECE VALS"},
                                               {7, "PLAYER DEFS"},    {8, "REPLAY"},
                                               {9, "POOLS"},          {10, "STACKS"},
                                               {11, "FAST ZOOM"},     {12, "FACING DATA"},
                                               {13, "SOUND SETTING"}, {14, "FLIP DEFS"},
                                               {15, "STATUS DOTS"},   {16, "DIE SIDES"},
                                               {17, "TURN NAMES"},    {18, "LOS VALS"},
                                               {19, "CARD VALS"},     {22, "Combat reveal option flag"},
                                               {23, "Infopage name"}, {25, "Alliance Array"},
                                               {26, "Draw Options"},  {27, "Draw Options"},
                                               {28, "STATUS DOTS"}};
    if (length >= f.out.size()) return "loads";
    for (const auto& s : f.sections) {
        if (length < s.start || length >= s.end) continue;
        std::size_t into = length - s.start;
        if (s.number == 0) return into == 0 ? "quiet" : "MAP NAME";
        // From the line of sight on (not section 19), a file with at most one byte left is
        // complete; the card base and pool owners run to the end of the file.
        if (s.number == 28) return into == 0 ? "loads" : labels.at(28);
        // Nothing checks the end of the draw options.
        if (s.number == 27 && into + 1 == s.end - s.start) return "loads";
        if (s.number >= 18 && s.number != 19 && into <= 1) return "loads";
        if (s.number == 20 || s.number == 21 || s.number == 24) return "loads";
        return labels.at(s.number);
    }
    return "loads";
}

TEST_F(saved_game_test, a_file_cut_anywhere_gives_its_box_or_loads_and_a_failure_changes_nothing) {
    const file_builder f = hand_built_file(209);
    mark_previous_game();
    for (std::size_t length = 0; length <= f.out.size(); ++length) {
        responder.clear();
        std::vector<std::uint8_t> cut(f.out.begin(), f.out.begin() + static_cast<std::ptrdiff_t>(length));
        const std::string expected = expected_for_cut(f, length);
        const bool loaded = read_bytes(cut);
        SCOPED_TRACE("cut at " + std::to_string(length) + " of " + std::to_string(f.out.size()));
        if (expected == "loads") {
            EXPECT_TRUE(loaded);
            new_game();
            mark_previous_game();
            continue;
        }
        EXPECT_FALSE(loaded);
        if (expected == "quiet")
            EXPECT_TRUE(responder.shown().empty());
        else
            EXPECT_EQ(responder.count("Game File Error", "Error Code: " + expected), 1) << expected;
        expect_previous_game();
    }
}

// A patch of the hand-built file and the box it must give.
struct damage_case {
    const char* what;
    int section;
    std::size_t offset; // from the start of the section
    std::vector<int> replacement;
    const char* caption;
    const char* label;
};

TEST_F(saved_game_test, zero_and_huge_counts_and_bad_section_ends_are_damage) {
    const file_builder f = hand_built_file(209);
    std::vector<damage_case> cases = {
        {"no classes", 3, 0, {0, 0}, "Game File Error", "CLASSES"},
        {"too many classes", 3, 0, {120, 2}, "Game File Error", "CLASSES"}, // 30002
        {"more classes than bytes", 3, 0, {119, 250 - 1}, "Game File Error", "CLASSES"},
        {"no pieces", 5, 0, {0, 0}, "Game File Error", "PIECES"},
        {"too many pieces", 5, 0, {128, 2}, "Game File Error", "PIECES"}, // 32002
        {"no players", 7, 0, {0, 0}, "Game File Error", "PLAYER DEFS"},
        {"too many players", 7, 0, {0, 202}, "Game File Error", "PLAYER DEFS"},
        {"empty history", 8, 0, {0, 0, 0, 0}, "Game File Error", "REPLAY"},
        {"history past the file", 8, 0, {0, 0, 200, 0}, "Game File Error", "REPLAY"},
        {"no pools", 9, 0, {0, 0}, "Game File Error", "POOLS"},
        {"huge pool count", 9, 0, {240, 0}, "Game File Error", "POOLS"},
        {"no stacks", 10, 0, {0, 0}, "Game File Error", "STACKS"},
        {"no facing sets", 12, 0, {0}, "Game File Error", "FACING DATA"},
        {"too many facing sets", 12, 0, {252}, "Game File Error", "FACING DATA"},
        {"no flips", 14, 1, {0, 0}, "Game File Error", "FLIP DEFS"},
        {"no turn names", 17, 0, {0, 0}, "Game File Error", "TURN NAMES"},
        {"huge terrain count", 18, 43, {200, 0}, "Game File Error", "LOS VALS"},
        {"huge alliance count", 26, 0, {200, 0}, "Game File Error", "Draw Options"},
    };
    // Every checked section end replaced by another byte.
    const std::map<int, const char*> ends = {{1, "MAP NAME"},
                                             {2, "GAME TURN"},
                                             {3, "CLASSES"},
                                             {5, "PIECES"},
                                             {6, "PIECE VALS"},
                                             {7, "PLAYER DEFS"},
                                             {8, "REPLAY"},
                                             {9, "POOLS"},
                                             {10, "STACKS"},
                                             {11, "FAST ZOOM"},
                                             {12, "FACING DATA"},
                                             {13, "SOUND SETTING"},
                                             {14, "FLIP DEFS"},
                                             {15, "STATUS DOTS"},
                                             {16, "DIE SIDES"},
                                             {17, "TURN NAMES"},
                                             {18, "LOS VALS"},
                                             {19, "CARD VALS"},
                                             {22, "Combat reveal option flag"},
                                             {23, "Infopage name"},
                                             {25, "Alliance Array"},
                                             {26, "Draw Options"}};
    for (const auto& [section, label] : ends) {
        const auto& s = f.at(section);
        cases.push_back({"bad end", section, s.end - s.start - 1, {0x00}, "Game File Error", label});
    }
    ASSERT_EQ(f.at(18).end - f.at(18).start, 72u); // the terrain count offset above assumes this layout

    mark_previous_game();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + " in section " + std::to_string(c.section));
        std::vector<std::uint8_t> damaged = f.out;
        std::size_t at = f.at(c.section).start + c.offset;
        for (std::size_t i = 0; i < c.replacement.size(); ++i)
            damaged[at + i] = static_cast<std::uint8_t>(c.replacement[i]);
        responder.clear();
        EXPECT_FALSE(read_bytes(damaged));
        EXPECT_EQ(responder.count(c.caption, std::string("Error Code: ") + c.label), 1);
        expect_previous_game();
    }
}

TEST_F(saved_game_test, a_bad_end_of_the_class_value_names_shows_the_byte_first) {
    file_builder f = hand_built_file(209);
    f.out[f.at(4).end - 1] = 77;
    EXPECT_FALSE(read_bytes(f.out));
    ASSERT_EQ(responder.shown().size(), 2u);
    EXPECT_EQ(responder.shown()[0].caption, "Next char/error=");
    EXPECT_EQ(responder.shown()[0].text, "77");
    EXPECT_EQ(responder.shown()[1].caption, "Game File Error");
    EXPECT_EQ(responder.shown()[1].text, "Error Code: CLASS VALS");
}

TEST_F(saved_game_test, links_read_from_the_file_are_made_safe) {
    file_builder f = hand_built_file(209);
    // The piece goes into pool 5 (there is one pool); the class points at facing set 9; the
    // stack belongs to player 40; the flip turns into class 77.
    std::size_t piece = f.at(5).start + 2;
    std::size_t flags_at = piece + 3 /*name*/ + 2 + 40 + 1 + 2 + 2;
    f.out[flags_at - 2] = 0;
    f.out[flags_at - 1] = 5;
    f.out[flags_at] = piece_flag_in_pool;
    f.out[f.at(3).start + 2 + 2 + 5 + 40 + 1 + 2] = 9;
    f.out[f.at(10).start + 2 + 4 + 3 + 1] = 40;
    f.out[f.at(10).start + 2 + 9 + 4 + 3 + 1] = 40; // the end record's owner, which is no owner
    f.out[f.at(14).start + 1 + 2 + 2 + 1] = 77;
    ASSERT_TRUE(read_bytes(f.out));
    EXPECT_EQ(game->piece_array[0].location, location_free);
    EXPECT_EQ(game->class_array[0].facing_set, 0);
    EXPECT_EQ(game->stack_def_array[0].owner, owner_all_players);
    ASSERT_EQ(game->stack_def_array.size(), 2u);
    EXPECT_EQ(game->stack_def_array[1].owner, 40);
    EXPECT_EQ(game->flip_array.size(), 1u); // the flip is dropped

    // A stack that requires a class the game does not have is dropped.
    f = hand_built_file(209);
    f.out[f.at(10).start + 2 + 2 + 1] = 30;
    ASSERT_TRUE(read_bytes(f.out));
    EXPECT_EQ(game->stack_def_array.size(), 1u);
}

} // namespace

namespace {
// The stored form of passwords, pinned: games saved earlier must keep their players' passwords.
// Ann (player 0, a name of 3: table 0) has "AB1", Bobby (player 1, 5: table 2) "X-9 Z"; the
// unused bytes are filler of 31..60.
TEST_F(saved_game_test, passwords_stored_by_earlier_saves_come_back) {
    file_builder f = hand_built_file(209);
    const auto& players = f.at(7);
    file_builder p;
    p.n2(3);
    struct stored_player {
        const char* name;
        std::vector<int> password;
    };
    const stored_player table[] = {
        {"Ann", {218, 68, 198, 31, 45, 60, 31, 45, 60, 31, 45, 60, 31, 45, 60, 31, 45, 60, 31, 45}},
        {"Bobby", {164, 73, 154, 90, 187, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40, 40}},
        {"", std::vector<int>(20, 33)}};
    for (const auto& s : table) {
        p.name(s.name, 25);
        for (int b : s.password)
            p.b(b);
        p.b(0);
        p.n2(0);
        p.n2(30001);
        p.name("", 50);
        p.bytes_of({0, 0, 0});
    }
    p.fe();
    std::vector<std::uint8_t> bytes(f.out.begin(), f.out.begin() + static_cast<long>(players.start));
    bytes.insert(bytes.end(), p.out.begin(), p.out.end());
    bytes.insert(bytes.end(), f.out.begin() + static_cast<long>(players.end), f.out.end());
    ASSERT_TRUE(read_bytes(bytes));
    ASSERT_EQ(game->player_array.size(), 3u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(game->player_array[0].password)), "AB1");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(game->player_array[1].password)), "X-9 Z");
    // Written again, the real bytes are the same (the filler is drawn anew).
    std::uint8_t again[password_length];
    std::memcpy(again, game->player_array[1].password, password_length);
    scramble_password(again, 1, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(again[i], table[1].password[static_cast<std::size_t>(i)]) << i;
}
} // namespace

namespace {
TEST_F(saved_game_test, pool_owners_and_an_end_mark_inside_the_classes) {
    // The owner byte of the one pool: a player, all players, nobody (201) as they stand; past
    // them, all players.
    struct owner_case {
        int stored, read;
    };
    for (const auto& c : {owner_case{0, 0}, owner_case{1, 1}, owner_case{200, 200}, owner_case{201, 201},
                          owner_case{202, 200}, owner_case{249, 200}}) {
        file_builder f = hand_built_file(209);
        f.out[f.at(21).start] = static_cast<std::uint8_t>(c.stored);
        ASSERT_TRUE(read_bytes(f.out)) << c.stored;
        EXPECT_EQ(game->pool_array[0].owner, c.read) << c.stored;
    }
    // A class whose symbol is the end mark, inside the list: a free slot; the list goes on.
    file_builder f = hand_built_file(209);
    const std::size_t second_symbol = f.at(3).start + 2 + 51;
    ASSERT_EQ(f.out[second_symbol], 40000 / 250);
    f.out[second_symbol] = 30000 / 250;
    f.out[second_symbol + 1] = 0;
    ASSERT_TRUE(read_bytes(f.out));
    ASSERT_EQ(game->class_array.size(), 3u);
    EXPECT_EQ(game->class_array[1].symbol, class_free);
    EXPECT_EQ(game->class_array[2].symbol, class_end);
    EXPECT_EQ(name_of(game->class_array[1].name), "Odd");
}
} // namespace
