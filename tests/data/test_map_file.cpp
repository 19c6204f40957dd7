#include "test_support.h"

#include "data/dialog_globals.h"
#include "data/map_file.h"
#include "data/small_set.h"
#include "data/symbol_set.h"
#include "platform/files.h"
#include "platform/progress.h"

#include <map>

namespace {
// A board written out by hand, section by section; the index of each closing 0xFE is kept so
// that tests can damage one section.
struct map_maker {
    int version = 213;
    std::string set_name = "SMALL";
    int columns = 3, rows = 2;
    int first_elevation = 1;
    std::vector<int> placename_hexes = {1};
    std::vector<int> hexside_hexes = {1, 4};
    std::vector<int> overlay_hexes = {0};
    // The end record as a reader leaves it: naming no symbol (2 terrain symbols + 1).
    int end_overlay_terrain = 3;
    std::vector<int> hexline_hexes = {2};
    int hexline_directions_1 = 2;
    int grid_symbol = 0;
    int grid_type = 2;
    std::map<std::string, std::size_t> ends;

    file_builder build() {
        file_builder f;
        auto close = [&](const char* section) {
            ends[section] = f.size();
            f.end();
        };
        f.b(0xFD).b(0).b(version).name(set_name, 255);
        f.b(9).n2(columns).n2(rows);
        close("head");
        for (int i = 0; i < columns * rows; ++i)
            f.n2(i % 2).n2(63000).n2(i == 0 ? first_elevation : 10 + i).b(i == 0 ? 2 + 8 : i == 1 ? 4 : 0);
        close("hexes");
        f.n2(static_cast<int>(placename_hexes.size()) + 1);
        for (int h : placename_hexes)
            f.n2(h).n2(1).name("Town", 25).b(5).bs({8, 10, 12}).bs({1, 2, 3}).b(18);
        f.n2(63000).n2(0).name("", 25).b(0).bs({0, 0, 0}).bs({0, 0, 0}).b(0);
        close("PLACENAMES");
        f.n2(static_cast<int>(hexside_hexes.size()) + 1);
        for (std::size_t i = 0; i < hexside_hexes.size(); ++i)
            f.n2(hexside_hexes[i]).b(1).b(static_cast<int>(i));
        f.n2(63000).b(0).b(0);
        close("HEXSIDES");
        f.b(3);
        f.b(4).bs({1, 2, 3}).name("Road", 25).b(1);
        f.b(6).bs({2, 3, 4}).name("A River Of Exactly 25 Chr", 25).b(4);
        f.b(0).bs({0, 0, 0}).name("", 25).b(0);
        close("HEXLINE TYPES");
        f.n2(static_cast<int>(overlay_hexes.size()) + 1);
        for (int h : overlay_hexes)
            f.n2(h).n2(1);
        f.n2(63000).n2(end_overlay_terrain);
        close("ADDITIONAL HEX ATTRIBUTES");
        f.n2(2);
        f.n2(0).n2(0).n2(2).n2(1).field("Sheet A", 10).b(3).b(300 % 256).b(1).b(2).b(2);
        f.n2(0).n2(0).n2(0).n2(0).field("", 10).b(0).b(0).b(0).b(0).b(0);
        close("MAPSHEETS");
        f.n2(static_cast<int>(hexline_hexes.size()) + 1);
        for (int h : hexline_hexes)
            f.n2(h).b(0).b(hexline_directions_1).b(64);
        f.n2(63000).b(0).b(0).b(0);
        close("HEXLINES");
        f.b(77);
        for (int i = 1; i <= 20; ++i)
            f.b(i);
        f.b(grid_type).b(5).n2(4).n2(1).b(1);
        close("settings");
        f.b(1).b(20);
        close("colours");
        f.l4(300).l4(257).l4(0).l4(0);
        close("long values");
        if (version >= 207) {
            f.n2(grid_symbol);
            close("grid symbol");
            f.b(0);
            close("grid adjustment");
        }
        if (version >= 211) {
            f.bs({7, 6, 5, 4, 3, 2, 1, 0}).b(0).b(0);
            close("layers");
        }
        return f;
    }
};

bool lists_end_well(const board_state& b) {
    return !b.placename_array.empty() && b.placename_array.back().hex == 63000 && !b.hexside_array.empty() &&
           b.hexside_array.back().hex == 63000 && !b.hexline_type_array.empty() &&
           b.hexline_type_array.back().style == 0 && !b.hex_overlay_array.empty() &&
           b.hex_overlay_array.back().hex == 63000 && !b.board_array.empty() &&
           b.board_array.back().flags == 0 && !b.hexline_array.empty() &&
           b.hexline_array.back().hex == 63000 &&
           b.hex_array.size() == static_cast<std::size_t>(b.hex_count) &&
           b.hex_piece_counts.size() == b.hex_array.size();
}

class map_file_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        linked_map_path.clear();
        symbol_set_path.clear();
        load_for_game = true;
        clear_progress_log();
    }
    // The small set and a board naming it in one folder; returns the board's path.
    std::string write_files(const byte_vector& map_bytes, const byte_vector& set_bytes = small_set().v) {
        folder = make_temp_folder();
        write_small_set_to(folder, set_bytes);
        std::string path = folder + "/board.map";
        EXPECT_TRUE(write_file_atomic(path, map_bytes));
        return path;
    }
    std::string folder;
};

TEST_F(map_file_test, version_bytes_read_as_the_writer_writes_them) {
    struct case_ {
        int first, second, version;
    } cases[] = {{0, 213, 213}, {0, 204, 204}, {0, 0, 0}, {1, 1, 257}, {200, 0, 200}, {7, 3, 775}};
    for (const auto& c : cases)
        EXPECT_EQ(
            map_file_version_of(static_cast<std::uint8_t>(c.first), static_cast<std::uint8_t>(c.second)),
            c.version);
}

TEST_F(map_file_test, hand_built_boards_of_each_version_load_their_records) {
    struct case_ {
        int version;
        std::vector<int> elevations;
        int grid_symbol;
        int grid_adjustment;
        bool layers_from_file;
    } cases[] = {
        {204, {0, 0, 0, 0, 0, 0}, 1, 1, false},      {206, {0, 0, 0, 0, 0, 0}, 1, 1, false},
        {207, {1, 11, 12, 13, 14, 15}, 0, 0, false}, {211, {1, 11, 12, 13, 14, 15}, 0, 0, true},
        {213, {1, 11, 12, 13, 14, 15}, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        map_maker m;
        m.version = c.version;
        board_state b;
        ASSERT_TRUE(parse_map_file(m.build().v, b, 2));
        EXPECT_TRUE(responder.shown().empty());
        EXPECT_TRUE(lists_end_well(b));
        EXPECT_EQ(b.map_columns, 3);
        EXPECT_EQ(b.map_rows, 2);
        EXPECT_EQ(b.hex_count, 6);
        EXPECT_EQ(b.kept_header_byte, 9);
        std::vector<int> elevations;
        for (const auto& h : b.hex_array)
            elevations.push_back(h.elevation);
        EXPECT_EQ(elevations, c.elevations);
        EXPECT_EQ(b.hex_array[3].terrain, 1);
        EXPECT_EQ(b.hex_array[3].second_terrain, 63000);
        EXPECT_EQ(b.hex_array[0].flags, 10);
        ASSERT_EQ(b.placename_array.size(), 2u);
        const placename_struct& p = b.placename_array[0];
        EXPECT_EQ(p.hex, 1);
        EXPECT_STREQ(p.name, "Town");
        EXPECT_EQ(p.colour, 5);
        EXPECT_EQ(p.font_size[2], 12);
        EXPECT_EQ(p.label_position[1], 2);
        EXPECT_EQ(p.style, 18);
        ASSERT_EQ(b.hexside_array.size(), 3u);
        EXPECT_EQ(b.hexside_array[1].hex, 4);
        EXPECT_EQ(b.hexside_array[1].sides, 1);
        EXPECT_EQ(b.hexside_count, 3);
        ASSERT_EQ(b.hexline_type_array.size(), 3u);
        EXPECT_EQ(std::string(b.hexline_type_array[1].name, 25), "A River Of Exactly 25 Chr");
        EXPECT_EQ(b.hexline_type_array[1].pen_width[2], 4);
        EXPECT_EQ(hexline_type_of(b, 1), &b.hexline_type_array[1]);
        EXPECT_EQ(hexline_type_of(b, 2), nullptr); // style 0: not drawn
        EXPECT_EQ(hexline_type_of(b, 200), nullptr);
        ASSERT_EQ(b.hex_overlay_array.size(), 2u);
        EXPECT_EQ(b.hex_overlay_array[0].terrain, 1);
        ASSERT_EQ(b.board_array.size(), 2u);
        EXPECT_STREQ(b.board_array[0].name, "Sheet A");
        EXPECT_EQ(b.board_array[0].last_column, 2);
        EXPECT_EQ(b.board_array[0].column_origin, 300);
        EXPECT_EQ(b.board_array[0].row_origin, 257);
        EXPECT_EQ(b.board_array[0].row_label_width, 2);
        EXPECT_TRUE(b.has_map_sheets);
        ASSERT_EQ(b.hexline_array.size(), 2u);
        EXPECT_EQ(b.hexline_array[0].directions_2, 64);
        EXPECT_EQ(b.kept_settings_byte, 77);
        EXPECT_EQ(b.kept_settings_block_1[0], 1);
        EXPECT_EQ(b.kept_settings_block_2[9], 20);
        EXPECT_EQ(b.grid_type, 2);
        EXPECT_EQ(b.kept_view_byte, 5);
        EXPECT_EQ(b.saved_view_origin, 4);
        EXPECT_EQ(b.saved_zoom_level, 1);
        EXPECT_EQ(b.use_elevations, 1);
        EXPECT_EQ(b.fast_draw, 1);
        EXPECT_EQ(b.background_colour, 20);
        EXPECT_EQ(b.grid_symbol, c.grid_symbol);
        EXPECT_EQ(b.grid_display, 1);
        EXPECT_EQ(b.grid_adjustment, c.grid_adjustment);
        const std::uint8_t standard[8] = {0, 1, 2, 3, 4, 5, 6, 7}, reversed[8] = {7, 6, 5, 4, 3, 2, 1, 0};
        EXPECT_EQ(std::memcmp(b.draw_layer_order, c.layers_from_file ? reversed : standard, 8), 0);
        EXPECT_EQ(b.hex_piece_counts, std::vector<std::int32_t>(6, 0));
    }
}

TEST_F(map_file_test, every_grid_type_is_read_as_it_stands_and_a_bad_one_as_the_first) {
    struct grid_case {
        int stored, read;
    };
    for (const auto& c :
         {grid_case{1, 1}, grid_case{2, 2}, grid_case{3, 3}, grid_case{0, 1}, grid_case{4, 1}}) {
        map_maker m;
        m.grid_type = c.stored;
        board_state b;
        ASSERT_TRUE(parse_map_file(m.build().v, b, 2)) << c.stored;
        EXPECT_EQ(b.grid_type, c.read) << c.stored;
    }
}

TEST_F(map_file_test, writer_gives_the_hand_built_bytes_and_write_read_write_is_identical) {
    map_maker m;
    byte_vector hand = m.build().v;
    board_state b;
    ASSERT_TRUE(parse_map_file(hand, b, 2));
    byte_vector once = map_file_bytes(b, "SMALL");
    EXPECT_EQ(first_difference(once, hand), -1);
    board_state again;
    ASSERT_TRUE(parse_map_file(once, again, 2));
    EXPECT_EQ(map_file_bytes(again, "SMALL"), once);

    // Through the file, with the progress window and the version set after the write.
    *board = b;
    linked_map_path = make_temp_folder() + "/out.map";
    symbol_set_path = "/sets/SMALL.SET";
    ASSERT_TRUE(write_map_file());
    EXPECT_EQ(read_whole_file(linked_map_path), hand);
    EXPECT_EQ(board->map_file_version, 213);
    ASSERT_FALSE(progress_log().empty());
    EXPECT_EQ(progress_log()[0].caption, "Saving File to Disk");
    EXPECT_EQ(progress_log()[0].label, "Saving map/board file.  Please wait...");

    // A failed write says so and leaves the old file.
    board->map_file_version = 2;
    board->background_colour = 3;
    set_write_failure_after(10);
    EXPECT_FALSE(write_map_file());
    set_write_failure_after(-1);
    EXPECT_TRUE(responder.saw("Map File Error", "Could not write the file:\n\r   " + linked_map_path +
                                                    "\n\r(No space left on device)"));
    EXPECT_EQ(read_whole_file(linked_map_path), hand);
    EXPECT_EQ(board->map_file_version, 2);
}

TEST_F(map_file_test, each_section_repairs_itself_with_its_message) {
    const char* sections[] = {"PLACENAMES", "HEXSIDES", "HEXLINE TYPES", "ADDITIONAL HEX ATTRIBUTES",
                              "MAPSHEETS",  "HEXLINES"};
    map_maker m;
    byte_vector good = m.build().v;
    board_state expected;
    ASSERT_TRUE(parse_map_file(good, expected, 2));
    for (const char* s : sections) {
        SCOPED_TRACE(s);
        // A stray byte before the section's end: message, skip past the end, the rest intact.
        byte_vector bad = good;
        bad.insert(bad.begin() + static_cast<long>(m.ends[s]), 0x07);
        responder.clear();
        board_state b;
        ASSERT_TRUE(parse_map_file(bad, b, 2));
        EXPECT_EQ(responder.count("Map File Error", std::string(s) + ": Will try to correct the error..."),
                  1);
        EXPECT_EQ(responder.shown().size(), 1u);
        EXPECT_EQ(first_difference(map_file_bytes(b, "SMALL"), good), -1);
    }
    // The settings' markers.
    struct case_ {
        const char* end;
        const char* message;
    } markers[] = {{"settings", "Elevations: Will try to correct the error..."},
                   {"colours", "Mapsheet long vals..."}};
    for (const auto& c : markers) {
        SCOPED_TRACE(c.end);
        byte_vector bad = good;
        bad[m.ends[c.end]] = 0x07;
        responder.clear();
        board_state b;
        ASSERT_TRUE(parse_map_file(bad, b, 2));
        EXPECT_TRUE(responder.saw("Map File Error", c.message));
        EXPECT_TRUE(lists_end_well(b));
        // The long values are not read on this path: the grid symbol is the first elevation,
        // and the adjustment and layers keep the standard values.
        EXPECT_EQ(b.grid_symbol, 1);
        EXPECT_EQ(b.grid_adjustment, 1);
        EXPECT_EQ(b.draw_layer_order[0], 0);
        EXPECT_EQ(b.board_array[0].column_origin, 300 % 256);
    }
    // An old board on that path keeps the first hex's elevation everywhere.
    map_maker old;
    old.version = 204;
    byte_vector old_bad = old.build().v;
    old_bad[old.ends["colours"]] = 0x07;
    board_state b;
    ASSERT_TRUE(parse_map_file(old_bad, b, 2));
    for (const auto& h : b.hex_array)
        EXPECT_EQ(h.elevation, 1);
}

TEST_F(map_file_test, damaged_heads_and_hexes_end_the_read) {
    struct case_ {
        int columns, rows;
        std::size_t cut; // 0 = whole file
        const char* word;
    } cases[] = {{0, 2, 0, "MAX VALS"},
                 {3, 0, 0, "MAX VALS"},
                 {300, 201, 0, "MAX VALS"},
                 {3, 2, 12, "MAX VALS"},
                 {3, 2, 20, "HEXES"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.columns * 1000 + c.rows);
        map_maker m;
        m.columns = c.columns;
        m.rows = c.rows;
        byte_vector v = m.build().v;
        if (c.cut) v.resize(c.cut);
        responder.clear();
        board_state b;
        EXPECT_FALSE(parse_map_file(v, b, 2));
        EXPECT_TRUE(responder.saw("Map File Error", std::string("Error Code: ") + c.word));
    }
    // 200 x 300 is the largest board.
    map_maker big;
    big.columns = 200;
    big.rows = 300;
    board_state b;
    EXPECT_TRUE(parse_map_file(big.build().v, b, 2));
    EXPECT_EQ(b.hex_count, 60000);
}

TEST_F(map_file_test, list_edge_cases) {
    // A place name off a 60 x 40 board is dropped; one on it stays.
    map_maker names;
    names.columns = 60;
    names.rows = 40;
    names.placename_hexes = {70000 % 62500, 5, 2400};
    board_state b;
    ASSERT_TRUE(parse_map_file(names.build().v, b, 2));
    ASSERT_EQ(b.placename_array.size(), 2u);
    EXPECT_EQ(b.placename_array[0].hex, 5);

    // An end mark inside the overlay list does not end it.
    map_maker overlays;
    overlays.overlay_hexes = {0, 63000, 3};
    overlays.end_overlay_terrain = 0;
    board_state o;
    ASSERT_TRUE(parse_map_file(overlays.build().v, o, 2));
    ASSERT_EQ(o.hex_overlay_array.size(), 4u);
    EXPECT_EQ(o.hex_overlay_array[1].hex, 7);
    EXPECT_EQ(o.hex_overlay_array[1].terrain, 3);
    EXPECT_EQ(o.hex_overlay_array[2].hex, 3);
    EXPECT_EQ(o.hex_overlay_array[3].hex, 63000);
    EXPECT_EQ(o.hex_overlay_array[3].terrain, 3); // the end record names no symbol either
    byte_vector written = map_file_bytes(o, "SMALL");
    board_state o2;
    ASSERT_TRUE(parse_map_file(written, o2, 2));
    EXPECT_EQ(o2.hex_overlay_array[1].hex, 7);

    // A section count of 0 gives a list holding its end record.
    map_maker zero;
    file_builder f = zero.build();
    std::size_t count_at = zero.ends["PLACENAMES"] + 1;
    byte_vector v(f.v.begin(), f.v.begin() + static_cast<long>(count_at));
    v.insert(v.end(), {0, 0, 0xFE});
    v.insert(v.end(), f.v.begin() + static_cast<long>(zero.ends["HEXSIDES"] + 1), f.v.end());
    board_state z;
    ASSERT_TRUE(parse_map_file(v, z, 2));
    EXPECT_TRUE(responder.shown().empty());
    ASSERT_EQ(z.hexside_array.size(), 1u);
    EXPECT_EQ(z.hexside_array[0].hex, 63000);
    EXPECT_EQ(z.hexline_array.size(), 2u);

    // A grid symbol of 63000 (or any not in the set) turns the grid off.
    map_maker grid;
    grid.grid_symbol = 63000;
    board_state g;
    ASSERT_TRUE(parse_map_file(grid.build().v, g, 2));
    EXPECT_EQ(g.grid_symbol, 63000);
    EXPECT_EQ(g.grid_display, 0);

    // A file that ends after the settings section.
    map_maker cut;
    byte_vector c = cut.build().v;
    c.resize(cut.ends["settings"] + 1);
    board_state e;
    ASSERT_TRUE(parse_map_file(c, e, 2));
    EXPECT_TRUE(responder.shown().empty());
    EXPECT_EQ(e.background_colour, 13);
    EXPECT_EQ(e.grid_symbol, 63000);
    EXPECT_EQ(e.grid_adjustment, 1);
    EXPECT_EQ(e.draw_layer_order[7], 7);
}

TEST_F(map_file_test, damaged_boards_never_crash) {
    map_maker m;
    byte_vector whole = m.build().v;
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        board_state b;
        if (parse_map_file(byte_vector(whole.begin(), whole.begin() + static_cast<long>(cut)), b, 2)) {
            EXPECT_TRUE(lists_end_well(b)) << cut;
        }
    }
    for (std::size_t at = 0; at < whole.size(); ++at)
        for (std::uint8_t value : {0x00, 0xF9, 0xFE, 0xFF}) {
            byte_vector v = whole;
            v[at] = value;
            board_state b;
            if (parse_map_file(v, b, 2)) {
                EXPECT_TRUE(lists_end_well(b)) << at;
                EXPECT_LE(b.hex_count, 60000);
                EXPECT_GE(b.grid_type, 1);
                EXPECT_LE(b.grid_type, 3);
                EXPECT_FALSE(map_file_bytes(b, "SMALL").empty());
            }
        }
}

TEST_F(map_file_test, hex_cell_sizes_follow_the_grid) {
    struct case_ {
        bool hex_shape;
        int grid_type, adjustment, size, width, height;
    } cases[] = {{false, 1, 1, 10, 10, 10}, {true, 1, 1, 10, 7, 8},  {true, 1, 0, 10, 8, 9},
                 {true, 2, 1, 10, 8, 7},    {true, 2, 0, 10, 10, 7}, {true, 3, 1, 10, 10, 10},
                 {true, 1, 1, 1, 1, 1}};
    for (const auto& c : cases) {
        board_state b;
        b.grid_type = static_cast<std::uint8_t>(c.grid_type);
        b.grid_adjustment = static_cast<std::uint8_t>(c.adjustment);
        const std::int32_t sizes[3] = {c.size, c.size, c.size};
        derive_hex_cell_sizes(b, sizes, c.hex_shape);
        EXPECT_EQ(b.hex_width_by_zoom[1], c.width) << c.grid_type << c.adjustment;
        EXPECT_EQ(b.hex_height_by_zoom[2], c.height) << c.grid_type << c.adjustment;
    }
}

TEST_F(map_file_test, sorting_keeps_the_order_within_a_hex_and_drops_off_board_records) {
    board->hex_count = 9;
    board->hexside_array = {{5, 0, 0}, {3, 0, 1}, {3, 0, 2}, {7, 0, 3}, {20, 0, 4}, {63000, 0, 0}};
    board->hexline_array = {{4, 0, 0, 0}, {1, 0, 0, 0}, {63000, 0, 0, 0}};
    sort_hexsides();
    sort_hexlines();
    std::vector<std::pair<int, int>> sides;
    for (const auto& s : board->hexside_array)
        sides.push_back({s.hex, s.sides});
    EXPECT_EQ(sides, (std::vector<std::pair<int, int>>{{3, 1}, {3, 2}, {5, 0}, {7, 3}, {63000, 0}}));
    EXPECT_EQ(board->hexside_count, 5);
    EXPECT_EQ(board->hexline_array[0].hex, 1);
    EXPECT_EQ(board->hexline_count, 3);
}

TEST_F(map_file_test, hexline_angles_move_to_the_connecting_bits) {
    board_state b;
    b.hexline_array = {{0, 0, 8 | 32 | 1, 4 | 16 | 128}, {0, 0, 0xFF, 0xFF}};
    remap_hexline_angles(b);
    EXPECT_EQ(b.hexline_array[0].directions_1, 4 | 64 | 1);
    EXPECT_EQ(b.hexline_array[0].directions_2, 2 | 32 | 128);
    EXPECT_EQ(b.hexline_array[1].directions_1, 0xFF); // the end record is no hexline
}

TEST_F(map_file_test, a_board_and_its_set_load_from_their_files) {
    map_maker m;
    std::string path = write_files(m.build().v);
    linked_map_path = folder + "/BOARD.MAP";
    game_modified = 1;
    ASSERT_TRUE(read_map_file());
    EXPECT_TRUE(responder.shown().empty());
    EXPECT_EQ(linked_map_path, path);
    EXPECT_EQ(symbol_set_path, folder + "/small.set");
    EXPECT_EQ(board->hex_count, 6);
    EXPECT_EQ(board->map_file_version, 2);
    EXPECT_EQ(symbols->piece_symbol_count, 3);
    EXPECT_EQ(game_modified, 0);
    // The small set is hex-shaped; the board is of grid type 2 without the adjustment.
    EXPECT_EQ(board->hex_width_by_zoom[0], 10);
    EXPECT_EQ(board->hex_height_by_zoom[0], 7);
    EXPECT_EQ(board->hex_height_by_zoom[2], 31);
    bool saw_label = false;
    for (const auto& e : progress_log())
        saw_label |= e.label == "Loading ZEL board/map file, please wait...";
    EXPECT_TRUE(saw_label);
}

TEST_F(map_file_test, unsorted_and_odd_angled_boards_are_offered_for_saving) {
    map_maker m;
    m.columns = 3;
    m.rows = 3;
    m.hexside_hexes = {5, 3, 3, 7};
    m.hexline_directions_1 = 8 | 1;
    std::string path = write_files(m.build().v);
    linked_map_path = path;
    std::string sorted_path = folder + "/sorted.map";
    responder.answer(box_answer::yes).answer_text(sorted_path).answer(box_answer::yes);
    ASSERT_TRUE(read_map_file());
    EXPECT_TRUE(responder.saw("Save File", "Elements of the MAP file have been sorted."));
    EXPECT_TRUE(responder.saw("Special Conditions Found", "not at the standard 'connecting' angle"));
    // Sorted, saved as the new name, then remapped and written there again.
    EXPECT_EQ(linked_map_path, sorted_path);
    auto written = read_whole_file(sorted_path);
    ASSERT_TRUE(written);
    board_state b;
    ASSERT_TRUE(parse_map_file(*written, b, 2));
    EXPECT_EQ(b.hexside_array[0].hex, 3);
    EXPECT_EQ(b.hexside_array[0].sides, 1);
    EXPECT_EQ(b.hexside_array[2].hex, 5);
    EXPECT_EQ(b.hexline_array[0].directions_1, 4 | 1);
}

TEST_F(map_file_test, a_missing_set_is_chosen_and_the_board_renamed_to_it) {
    map_maker m;
    m.set_name = "ELSEWHERE";
    std::string path = write_files(m.build().v);
    linked_map_path = path;
    // Cancelled: nothing changes.
    responder.answer_text(std::nullopt);
    EXPECT_FALSE(read_map_file());
    EXPECT_TRUE(responder.saw("Could Not Find .SET File", "ELSEWHERE.SET"));
    EXPECT_TRUE(responder.saw("LINKED MAP FILE ERROR", "Cancelling operation."));
    EXPECT_EQ(linked_map_path, path);
    EXPECT_EQ(board->hex_count, 0);

    responder.clear();
    // The cancelled chooser cleared the "for a game" flag; the open driver sets it for each read.
    load_for_game = true;
    responder.answer_text(folder + "/small.set");
    ASSERT_TRUE(read_map_file());
    auto written = read_whole_file(path);
    ASSERT_TRUE(written);
    EXPECT_EQ(std::string(written->begin() + 3, written->begin() + 9), std::string("small\0", 6));
}

TEST_F(map_file_test, a_failed_read_keeps_the_previous_board_and_set) {
    // The previous board, as the long-values path must not see it.
    map_maker good;
    std::string good_path = write_files(good.build().v);
    linked_map_path = good_path;
    ASSERT_TRUE(read_map_file());
    board->grid_adjustment = 0;
    board->draw_layer_order[0] = 7;
    const std::string set_before = symbol_set_path;

    map_maker bad;
    bad.columns = 0;
    std::string bad_path = write_files(bad.build().v);
    linked_map_path = bad_path;
    EXPECT_FALSE(read_map_file());
    EXPECT_TRUE(responder.saw("Map File Error", "MAX VALS"));
    EXPECT_EQ(board->hex_count, 6);
    EXPECT_EQ(board->grid_adjustment, 0);
    EXPECT_EQ(linked_map_path, bad_path);
    EXPECT_EQ(symbol_set_path, set_before);
    EXPECT_EQ(symbols->terrain_symbol_count, 2);

    // A board read on the long-values path starts from the standard settings.
    map_maker damaged;
    byte_vector v = damaged.build().v;
    v[damaged.ends["colours"]] = 0x07;
    linked_map_path = write_files(v);
    responder.clear();
    ASSERT_TRUE(read_map_file());
    EXPECT_TRUE(responder.saw("Map File Error", "Mapsheet long vals..."));
    EXPECT_EQ(board->grid_adjustment, 1);
    EXPECT_EQ(board->draw_layer_order[0], 0);

    // A board file that cannot be opened: another is asked for.
    responder.clear();
    linked_map_path = folder + "/gone.map";
    responder.answer_text(std::nullopt);
    EXPECT_FALSE(read_map_file());
    EXPECT_TRUE(responder.saw("Map File Error", "Could not open selected file!"));
    EXPECT_TRUE(responder.saw("LINKED MAP FILE ERROR", "Please select another."));
    EXPECT_EQ(linked_map_path, folder + "/gone.map");
}

TEST_F(map_file_test, confirm_save_current_map_answers) {
    map_maker m;
    ASSERT_TRUE(parse_map_file(m.build().v, *board, 2));
    std::string folder_ = make_temp_folder();
    struct case_ {
        box_answer answer;
        std::optional<std::string> chosen;
        int result;
        bool written;
    } cases[] = {{box_answer::cancel, std::nullopt, 0, false},
                 {box_answer::no, std::nullopt, 2, false},
                 {box_answer::yes, folder_ + "/saved.map", 1, true},
                 {box_answer::yes, std::nullopt, 0, false}};
    for (const auto& c : cases) {
        remove_file(folder_ + "/saved.map");
        responder.answer(c.answer);
        if (c.answer == box_answer::yes) responder.answer_text(c.chosen);
        responder.clear();
        EXPECT_EQ(confirm_save_current_map(), c.result);
        EXPECT_EQ(dialog_result, c.result);
        EXPECT_TRUE(responder.saw("Current Map/Board Not Saved!"));
        EXPECT_EQ(path_is_readable_file(folder_ + "/saved.map"), c.written);
    }
}
} // namespace

namespace {
TEST_F(map_file_test, version_1_files_are_refused_until_they_can_be_converted) {
    // A version-1 board names its set after the first 0xFE, up to ':'.
    file_builder v1;
    v1.bs({'x', 'x', 0xFE, 's', 'm', 'a', 'l', 'l', ':', '{', 1, 2, 3});
    linked_map_path = write_files(v1.v);
    EXPECT_FALSE(read_map_file());
    EXPECT_TRUE(responder.saw("Execution message:", "Version 1 files cannot be converted yet."));
    EXPECT_EQ(board->hex_count, 0);
    EXPECT_TRUE(symbol_set_path.empty());

    // A version-1 set.
    responder.clear();
    byte_vector old_set = small_set().v;
    old_set[0] = 5;
    write_files(map_maker{}.build().v, old_set);
    symbol_set_path = folder + "/small.set";
    EXPECT_FALSE(load_symbol_set());
    EXPECT_TRUE(responder.saw("Execution message:", "Ver 1 Symbol Conversion FAILED."));
    EXPECT_EQ(symbols->terrain_symbol_count, 0);
}
} // namespace
