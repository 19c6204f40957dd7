#include "test_support.h"

#include "data/small_set.h"
#include "data/symbol_set.h"
#include "platform/files.h"
#include "platform/progress.h"

#include <cstring>

namespace {
class symbol_set_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        symbol_set_path.clear();
        load_for_game = true;
        clear_progress_log();
    }
    void TearDown() override { set_bitmap_loader({}); }

    std::string write_small_set_files(const byte_vector& set_bytes, const std::string& sdx = {}) {
        folder = make_temp_folder();
        return write_small_set_to(folder, set_bytes, sdx);
    }
    std::string folder;
};

TEST_F(symbol_set_test, hand_built_sets_of_both_layouts_load_their_tables) {
    for (int marker : {0xFD, 0xFC}) {
        SCOPED_TRACE(marker);
        symbol_state s;
        ASSERT_TRUE(parse_symbol_set(small_set(marker, marker == 0xFC ? 300 : 200).v, s));
        EXPECT_EQ(s.terrain_symbol_count, 2);
        EXPECT_EQ(s.piece_symbol_count, 3);
        EXPECT_EQ(s.mask_symbol_count, 1);
        EXPECT_EQ(s.hex_shape, 1);
        EXPECT_EQ(s.display_flag_2, 7);
        EXPECT_STREQ(s.piece_symbols[2].name, "Artillery");
        EXPECT_EQ(std::string(s.mask_symbols[0].name, 25), "Round mask for a full hex");
        EXPECT_EQ(s.piece_symbols[0].mask, marker == 0xFC ? 300 : 200);
        for (int z = 0; z < 3; ++z) {
            EXPECT_EQ(s.strip_width[symbol_kind_terrain][z], 2 * cell[z] + 1);
            EXPECT_EQ(s.strip_height[symbol_kind_piece][z], 40);
            EXPECT_EQ(s.terrain_symbols[1].left[z], cell[z]);
            EXPECT_EQ(s.terrain_symbols[1].bottom[z], cell[z] - 1);
            EXPECT_EQ(s.hex_size_by_zoom[z], cell[z]);
            EXPECT_EQ(s.largest_piece_width[z], 8 * (z + 1) + 2);
            EXPECT_EQ(s.largest_piece_height[z], 6 * (z + 1) + 2);
        }
        // Checked look-ups refuse a mask index the table does not hold.
        EXPECT_EQ(s.mask_of(s.piece_symbols[0]), nullptr);
        EXPECT_EQ(s.mask_of(s.piece_symbols[1]), &s.mask_symbols[0]);
        EXPECT_EQ(s.terrain_symbol(2), nullptr);
    }
}

TEST_F(symbol_set_test, writer_gives_the_hand_built_bytes_and_round_trips) {
    symbol_state s;
    ASSERT_TRUE(parse_symbol_set(small_set().v, s));
    board->grid_type = 1;
    EXPECT_EQ(symbol_set_file_bytes(s, 1), small_set().v);

    // A mask index above 255 cannot be cut to one byte: the wide layout is kept.
    symbol_state wide;
    ASSERT_TRUE(parse_symbol_set(small_set(0xFC, 300, 2).v, wide));
    byte_vector once = symbol_set_file_bytes(wide, 2);
    EXPECT_EQ(once, small_set(0xFC, 300, 2).v);
    symbol_state again;
    ASSERT_TRUE(parse_symbol_set(once, again));
    EXPECT_EQ(symbol_set_file_bytes(again, 2), once);

    // Through the file.
    *symbols = std::move(s);
    std::string path = make_temp_folder() + "/out.set";
    ASSERT_TRUE(write_symbol_set_file(path));
    EXPECT_EQ(read_whole_file(path), small_set().v);
    set_write_failure_after(0);
    EXPECT_FALSE(write_symbol_set_file(path));
    set_write_failure_after(-1);
    EXPECT_TRUE(responder.saw("Symbol File Error", "Could not write the file:\n\r   " + path));
}

TEST_F(symbol_set_test, damaged_sets_are_refused_without_crashing) {
    // Version 1.
    symbol_state v1;
    byte_vector old = small_set().v;
    old[0] = 5;
    EXPECT_FALSE(parse_symbol_set(old, v1));
    EXPECT_TRUE(
        responder.saw("File Error", "The symbol SET file is from ZEL Version 1.\n\rOperation Cancelled."));

    // A first terrain symbol of no width.
    file_builder f = small_set();
    std::size_t first_record = 4 + 3 * (2 + 24);
    std::size_t right_of_zoom2 = first_record + 6 + 1 + 16 + 8; // "Clear" and its 0
    ASSERT_EQ(small_set().v[right_of_zoom2 + 3], 19); // left 0, width 20
    for (int i = 0; i < 4; ++i)
        f.v[right_of_zoom2 + static_cast<std::size_t>(i)] = 0xFF; // right -1: width 0
    symbol_state zero;
    EXPECT_FALSE(parse_symbol_set(f.v, zero));

    // Cut at every offset, and a count far beyond the file.
    for (int marker : {0xFD, 0xFC}) {
        byte_vector whole = small_set(marker).v;
        for (std::size_t cut = 0; cut < whole.size(); ++cut) {
            symbol_state s;
            EXPECT_FALSE(
                parse_symbol_set(byte_vector(whole.begin(), whole.begin() + static_cast<long>(cut)), s))
                << cut;
        }
        byte_vector huge = whole;
        huge[4] = 249;
        huge[5] = 249;
        symbol_state s;
        EXPECT_FALSE(parse_symbol_set(huge, s));
    }
}

TEST_F(symbol_set_test, flipped_bytes_never_crash_the_reader_or_the_strips) {
    set_bitmap_loader([](const std::string&) -> std::optional<bitmap> { return bitmap(64, 64); });
    byte_vector whole = small_set(0xFC).v;
    for (std::size_t at = 0; at < whole.size(); ++at)
        for (std::uint8_t value : {0x00, 0x7F, 0xFF}) {
            byte_vector v = whole;
            v[at] = value;
            symbol_state s;
            if (!parse_symbol_set(v, s)) continue;
            for (int z = 0; z < 3; ++z)
                EXPECT_TRUE(s.terrain_symbol_count == 0 || s.hex_size_by_zoom[z] > 0);
            load_symbol_strips(s, "/nowhere/SMALL.SET");
            for (const auto& p : s.piece_symbols)
                s.mask_of(p);
        }
}

TEST_F(symbol_set_test, strips_load_beside_the_set_ignoring_case_and_give_the_cell_sizes) {
    symbol_set_path = write_small_set_files(small_set().v);
    board->map_columns = 3; // freed by the load
    ASSERT_TRUE(load_symbol_set());
    EXPECT_EQ(responder.shown().size(), 0u);
    for (int z = 0; z < 3; ++z) {
        EXPECT_EQ(symbols->hex_size_by_zoom[z], cell[z]);
        // A terrain strip is one pixel narrower and lower than the set says.
        EXPECT_EQ(symbols->strips[symbol_kind_terrain][z].width(), 2 * cell[z]);
        EXPECT_EQ(symbols->strips[symbol_kind_terrain][z].height(), cell[z]);
        EXPECT_EQ(symbols->strips[symbol_kind_piece][z].width(), 150);
        EXPECT_EQ(symbols->strips[symbol_kind_piece][z].height(), 40);
        EXPECT_EQ(symbols->strips[symbol_kind_mask][z].width(), cell[z]);
    }
    EXPECT_FALSE(symbols->converted_from_version1);
    EXPECT_EQ(board->map_columns, 0);
    EXPECT_TRUE(game->class_array.empty());
    ASSERT_FALSE(progress_log().empty());
    EXPECT_EQ(progress_log()[0].label, "Loading ZEL symbol files, please wait...");
}

TEST_F(symbol_set_test, a_failed_load_leaves_the_set_in_memory_untouched) {
    ASSERT_TRUE(parse_symbol_set(small_set().v, *symbols));
    const std::string before = "/somewhere/OLD.SET";
    struct case_ {
        const char* what;
        std::string missing_strip;
        bool damage;
        const char* caption;
        const char* text;
    } cases[] = {
        {"strip missing", "small-m2.bmp", false, "Execution message:", "Symbol loading failed"},
        {"set damaged", "", true, "Execution message:", "Symbol loading failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        byte_vector bytes = small_set().v;
        if (c.damage) bytes.resize(bytes.size() - 3);
        std::string path = write_small_set_files(bytes);
        if (!c.missing_strip.empty()) remove_file(folder + "/" + c.missing_strip);
        symbol_set_path = path;
        responder.clear();
        // Whatever the path was before the load is kept on failure.
        EXPECT_FALSE(load_symbol_set());
        EXPECT_TRUE(responder.saw(c.caption, c.text));
        EXPECT_EQ(symbol_set_path, path);
        EXPECT_EQ(symbols->piece_symbol_count, 3);
        EXPECT_STREQ(symbols->piece_symbols[0].name, "Infantry");
        EXPECT_TRUE(symbols->strips[symbol_kind_terrain][0].is_null());
    }
    // Without a game, the user chooses the set first; cancel keeps everything.
    load_for_game = false;
    symbol_set_path = before;
    responder.answer_text(std::nullopt);
    EXPECT_FALSE(load_symbol_set());
    EXPECT_EQ(symbol_set_path, before);
    load_for_game = true;

    // A set that cannot be opened, for a game: another is asked for; cancel restores the path.
    symbol_set_path = before;
    responder.answer_text(std::nullopt);
    EXPECT_FALSE(load_symbol_set());
    EXPECT_TRUE(responder.saw("Symbol File Error", "Could not open selected file!"));
    EXPECT_TRUE(responder.saw("LINKED SYM FILE ERROR"));
    EXPECT_EQ(symbol_set_path, before);
    EXPECT_EQ(symbols->terrain_symbol_count, 2);
}

TEST_F(symbol_set_test, read_symbol_set_file_replaces_only_the_tables) {
    symbol_set_path = write_small_set_files(small_set().v);
    symbols->strips[symbol_kind_piece][0] = bitmap(5, 5);
    ASSERT_TRUE(read_symbol_set_file());
    EXPECT_EQ(symbols->piece_symbol_count, 3);
    EXPECT_EQ(symbols->hex_size_by_zoom[1], 20);
    EXPECT_EQ(symbols->strips[symbol_kind_piece][0].width(), 5);

    symbol_set_path = folder + "/NONE.SET";
    EXPECT_FALSE(read_symbol_set_file());
    EXPECT_TRUE(
        responder.saw("Fatal File Error", "Can not open the symbol SET file.\n\rOperation Cancelled."));
    EXPECT_EQ(symbols->piece_symbol_count, 3);
}

TEST_F(symbol_set_test, strips_come_through_the_loader_hook_without_files) {
    symbol_state s;
    ASSERT_TRUE(parse_symbol_set(small_set().v, s));
    std::vector<std::string> asked;
    set_bitmap_loader([&](const std::string& path) -> std::optional<bitmap> {
        asked.push_back(file_name_of(path));
        return bitmap(300, 300);
    });
    ASSERT_TRUE(load_symbol_strips(s, "/nowhere/SMALL.SET"));
    EXPECT_EQ(asked, (std::vector<std::string>{"SMALL-U1.BMP", "SMALL-U2.BMP", "SMALL-U3.BMP", "SMALL-T1.BMP",
                                               "SMALL-T2.BMP", "SMALL-T3.BMP", "SMALL-M1.BMP", "SMALL-M2.BMP",
                                               "SMALL-M3.BMP"}));
    EXPECT_EQ(s.strips[symbol_kind_terrain][2].width(), 80);

    // No terrain symbols at all.
    symbol_state none = s;
    none.terrain_symbol_count = 0;
    EXPECT_FALSE(load_symbol_strips(none, "/nowhere/SMALL.SET"));
    EXPECT_TRUE(responder.saw("Terrain/Board Symbols Not Found",
                              "There are no terrain/board symbols defined.\n\rOperation cancelled."));
}

TEST_F(symbol_set_test, sdx_order_reorders_the_piece_table_or_keeps_it_with_the_boxes) {
    struct case_ {
        const char* sdx;
        std::vector<std::string> expected;
        const char* sdx_index; // shown in the "SDX Index=" box, null when no box
    } cases[] = {
        {"x\nx\n3\n1\n2\n", {"Artillery", "Infantry", "Armour"}, nullptr},
        {"x\r\nx\r\n2\r\n3\r\n1", {"Armour", "Artillery", "Infantry"}, nullptr},
        {"x\nx\n0\n1\n2\n", {"Infantry", "Armour", "Artillery"}, "-1"},
        {"x\nx\n1\n2\n4\n", {"Infantry", "Armour", "Artillery"}, "3"},
        {"x\nx\n1\n1\n2\n", {"Infantry", "Armour", "Artillery"}, "0"},
        {"x\nx\n1\n2\n", {"Infantry", "Armour", "Artillery"}, "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sdx);
        symbol_set_path = write_small_set_files(small_set().v, c.sdx);
        responder.clear();
        ASSERT_TRUE(load_symbol_set());
        std::vector<std::string> names;
        for (const auto& p : symbols->piece_symbols)
            names.push_back(p.name);
        EXPECT_EQ(names, c.expected);
        if (c.sdx_index) {
            ASSERT_GE(responder.shown().size(), 4u);
            EXPECT_EQ(responder.shown()[0].caption, "SDX Index=");
            EXPECT_EQ(responder.shown()[0].text, c.sdx_index);
            EXPECT_EQ(responder.shown()[1].caption, "num_symbols=");
            EXPECT_EQ(responder.shown()[1].text, "3");
            EXPECT_EQ(responder.shown()[2].caption, "i=");
            EXPECT_TRUE(responder.saw("Symbol File Error", "Piece SDX index out or bounds."));
        } else {
            EXPECT_TRUE(responder.shown().empty());
        }
    }
}

TEST_F(symbol_set_test, old_games_are_renumbered_once_after_the_sdx_order) {
    symbol_set_path = write_small_set_files(small_set().v, "x\nx\n2\n3\n1\n");
    ASSERT_TRUE(parse_symbol_set(small_set().v, *symbols));
    new_game();
    // Position 0 holds old 1, position 1 old 2, position 2 old 0.
    auto& classes = game->class_array;
    classes.insert(classes.begin(), 4, class_struct{});
    for (int i = 0; i < 3; ++i) {
        classes[static_cast<std::size_t>(i)].symbol = i;
        classes[static_cast<std::size_t>(i)].hidden_symbol = i == 0 ? 30000 : 2;
    }
    classes[3].symbol = 1;
    classes[3].value_types[0] = 10; // a card class keeps its symbol
    game->player_array.insert(game->player_array.begin(), player_struct{});
    game->player_array[0].default_hidden_symbol = 0;
    game->stack_def_array.insert(game->stack_def_array.begin(), stack_def_struct{});
    game->stack_def_array[0].stack_symbol = 2;

    apply_symbol_order_file();
    EXPECT_EQ(classes[0].symbol, 2);
    EXPECT_EQ(classes[1].symbol, 0); // moved once, not again by the line naming 1
    EXPECT_EQ(classes[2].symbol, 1);
    EXPECT_EQ(classes[0].hidden_symbol, 30000);
    EXPECT_EQ(classes[1].hidden_symbol, 1);
    EXPECT_EQ(classes[3].symbol, 1);
    EXPECT_EQ(classes[4].symbol, class_end);
    EXPECT_EQ(game->player_array[0].default_hidden_symbol, 2);
    EXPECT_EQ(game->player_array[1].default_hidden_symbol, 30001);
    EXPECT_EQ(game->stack_def_array[0].stack_symbol, 1);
    EXPECT_EQ(game->stack_def_array[1].stack_symbol, class_end);
}
} // namespace
