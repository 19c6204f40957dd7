// Opening and saving whole games: the open driver with its fallbacks and repairs, failed opens,
// save as with the companion files, the "not saved" prompt.
#include "test_support.h"

#include "data/card_sets.h"
#include "data/dialog_globals.h"
#include "data/game_settings.h"
#include "data/hooks.h"
#include "data/map_file.h"
#include "data/options.h"
#include "data/saved_game.h"
#include "data/symbol_set.h"
#include "data/view_state.h"
#include "mainwin/game_open.h"
#include "mainwin/settings_files.h"
#include "platform/files.h"

#include <QDir>
#include <QImage>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

void write_text(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool exists(const std::string& path) {
    return path_is_readable_file(path);
}

// A set of 2 terrain and 3 piece symbols with one mask, written by the set writer with its nine
// strips, as `folder`/Tiles.SET.
void write_tiles_set(const std::string& folder) {
    symbol_state& s = *symbols;
    s = symbol_state{};
    s.terrain_symbols.assign(2, {});
    s.piece_symbols.assign(3, {});
    s.mask_symbols.assign(1, {});
    s.terrain_symbol_count = 2;
    s.piece_symbol_count = 3;
    s.mask_symbol_count = 1;
    set_name(s.terrain_symbols[0].name, "Clear");
    set_name(s.terrain_symbols[1].name, "Woods");
    set_name(s.piece_symbols[0].name, "Foot");
    const int cell[3] = {10, 20, 30};
    for (int z = 0; z < 3; ++z) {
        for (int t = 0; t < 2; ++t) {
            auto& r = s.terrain_symbols[t];
            r.left[z] = t * cell[z];
            r.right[z] = t * cell[z] + cell[z] - 1;
            r.bottom[z] = cell[z] - 1;
        }
        for (int p = 0; p < 3; ++p) {
            auto& r = s.piece_symbols[p];
            r.left[z] = p * cell[z];
            r.right[z] = p * cell[z] + cell[z] - 2;
            r.bottom[z] = cell[z] - 2;
        }
        s.mask_symbols[0].right[z] = s.mask_symbols[0].bottom[z] = cell[z] - 1;
        const int sizes[3][2] = {{2 * cell[z] + 1, cell[z] + 1}, {3 * cell[z], cell[z]}, {cell[z], cell[z]}};
        const char* letters[3] = {"-T", "-U", "-M"};
        for (int k = 0; k < 3; ++k) {
            s.strip_width[k][z] = sizes[k][0];
            s.strip_height[k][z] = sizes[k][1];
            QImage img(sizes[k][0], sizes[k][1], QImage::Format_RGB32);
            img.fill(Qt::white);
            ASSERT_TRUE(img.save(
                QString::fromStdString(folder + "/Tiles" + letters[k] + std::to_string(z + 1) + ".BMP"),
                "BMP"));
        }
    }
    ASSERT_TRUE(write_symbol_set_file(folder + "/Tiles.SET"));
}

// A board of columns x rows linked to the Tiles set, written by the map writer.
void write_board(const std::string& path, int columns, int rows) {
    board_state& b = *board;
    b = board_state{};
    b.map_columns = columns;
    b.map_rows = rows;
    b.hex_count = columns * rows;
    b.hex_array.assign(static_cast<std::size_t>(b.hex_count), {});
    b.hex_array[1].terrain = 1;
    linked_map_path = path;
    symbol_set_path = "Tiles.SET";
    ASSERT_TRUE(write_map_file());
}

// A game of two players with classes and pieces whose links the open has to mend: a piece of a
// class past the last one, a class of player 7, a class owned by nobody (201, valid), a class of
// a symbol past the set's three, and a card class past its deck's two cards.
void write_game(const std::string& path, const std::string& stored_map) {
    new_game();
    game_state& g = *game;
    g.player_array.assign(3, {});
    set_name(g.player_array[0].name, "Ann");
    set_name(g.player_array[1].name, "Bob");
    const char* names[] = {"Foot", "Lost Owner", "Hidden Owner", "Bad Symbol", "Cards"};
    for (const char* n : names) {
        int c = add_class();
        set_name(g.class_array[static_cast<std::size_t>(c)].name, n);
        g.class_array[static_cast<std::size_t>(c)].symbol = 1;
    }
    g.class_array[1].owner = 7;
    g.class_array[2].owner = owner_nobody;
    g.class_array[3].symbol = 5;
    g.class_array[4].value_types[0] = value_type_card;
    g.class_array[4].value_types[1] = 0; // deck 0
    g.class_array[4].symbol = 4;
    for (int i = 0; i < 3; ++i) {
        int p = add_piece();
        g.piece_array[static_cast<std::size_t>(p)].location = 2;
        g.piece_array[static_cast<std::size_t>(p)].class_index = 0;
    }
    set_name(g.piece_array[1].name, "Stray");
    g.piece_array[1].class_index = 5; // the number of classes
    g.piece_array[2].class_index = 9; // unnamed
    g.game_turn = 2;
    current_game_path = path;
    linked_map_path = stored_map;
    ASSERT_TRUE(write_saved_game());
}

class game_open_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        root = make_temp_folder();
        program_folder = root + "/";
        for (auto& r : recent_games)
            r.clear();
        recent_game_to_open = -1;
        current_game_path.clear();
        linked_map_path.clear();
        symbol_set_path.clear();
        reset_game_settings();
        card_symbol_count[0] = 2;
    }
    void TearDown() override {
        for (auto& c : card_symbol_count)
            c = -1;
        set_write_failure_after(-1);
    }

    // games/Field.OPS naming a map that moved into its folder, the map naming a set kept in sets/.
    void make_field_fixture() {
        make_folder(root + "/games");
        make_folder(root + "/sets");
        write_tiles_set(root + "/sets");
        write_board(root + "/games/FIELD.MAP", 4, 3);
        write_game(root + "/games/Field.OPS", "C:\\OLD PLACE\\MAPS\\Field.map");
        free_symbol_set();
        free_map();
        new_game();
        current_game_path.clear();
        linked_map_path.clear();
        symbol_set_path.clear();
        responder.clear();
    }

    // Opens games/Field.OPS through the chooser, answering the missing set with sets/Tiles.SET.
    bool open_field() {
        responder.answer_text(root + "/games/Field.OPS");
        responder.answer(box_answer::ok); // "Could Not Find .SET File"
        responder.answer_text(root + "/sets/Tiles.SET");
        return open_saved_game();
    }

    std::vector<shown_dialog> lists() const {
        std::vector<shown_dialog> out;
        for (const auto& d : responder.shown())
            if (d.kind == "list") out.push_back(d);
        return out;
    }

    std::string root;
};

TEST_F(game_open_test, opens_through_the_map_fallback_and_the_set_chooser_and_lists_each_repair) {
    make_field_fixture();
    int windows_closed = 0;
    close_game_windows_hook = [&] { ++windows_closed; };
    ASSERT_TRUE(open_field());
    close_game_windows_hook = nullptr;
    EXPECT_GT(windows_closed, 0) << "the windows of the game replaced are closed";

    EXPECT_EQ(current_game_path, root + "/games/Field.OPS");
    EXPECT_EQ(linked_map_path, root + "/games/FIELD.MAP");
    EXPECT_EQ(symbol_set_path, root + "/sets/Tiles.SET");
    EXPECT_FALSE(responder.saw("Could Not Find Map File"))
        << "the map beside the game is found without asking";
    EXPECT_TRUE(responder.saw("Could Not Find .SET File"));
    EXPECT_EQ(board->map_columns, 4);
    EXPECT_EQ(symbols->piece_symbol_count, 3);
    EXPECT_EQ(game->game_turn, 2);
    EXPECT_EQ(recent_games[0], current_game_path);

    struct expected {
        const char* title;
        const char* items;
    };
    const expected table[] = {
        {"2  pieces were linked to nonexistent classes.  \n\rThe links have been reset to the first defined "
         "class.",
         "Stray\nNo Piece ID/Name"},
        {"1  class was linked to a nonexistent player.  \n\rThe link has been reset to 'All Players'.",
         "Lost Owner"},
        {"1  non-card class was linked to a nonexistent symbol.  \n\rThe link has been reset to the first "
         "defined "
         "piece symbol.",
         "Bad Symbol"},
        {"1  card class was linked to a non-existent card symbol.  \n\rThe link has been reset to the first "
         "defined "
         "card symbol in the same deck.",
         "Cards"},
    };
    auto shown = lists();
    ASSERT_EQ(shown.size(), std::size(table));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].caption, table[i].title) << i;
        EXPECT_EQ(shown[i].text, table[i].items) << i;
    }
    const auto& c = game->class_array;
    EXPECT_EQ(game->piece_array[1].class_index, 0);
    EXPECT_EQ(game->piece_array[2].class_index, 0);
    EXPECT_EQ(c[1].owner, owner_all_players);
    EXPECT_EQ(c[2].owner, owner_nobody) << "hidden to all is a valid owner";
    EXPECT_EQ(c[3].symbol, 0);
    EXPECT_EQ(c[4].symbol, 0);
    EXPECT_EQ(game_modified, 1) << "the repairs are only in memory until saved";
    ASSERT_EQ(board->hex_piece_counts.size(), 12u);
    EXPECT_EQ(board->hex_piece_counts[2], 3);
}

TEST_F(game_open_test, save_as_into_another_folder_copies_the_companion_files) {
    make_field_fixture();
    const std::string games = root + "/games";
    // Card files of deck 1 and an info-page set beside the game.
    for (const char* name : {"Field-C1.SET", "Field-C1.SDX", "Field-C11.BMP", "Field-C12.BMP",
                             "Field-C13.BMP", "Field.IPX", "Field.T0", "Field.B3"})
        write_text(games + "/" + name, name);
    {
        // The card set base is stored in the game.
        ASSERT_TRUE(open_field());
        game_settings.card_set_base_path = games + "/Field";
        ASSERT_TRUE(write_saved_game());
        free_symbol_set();
        free_map();
        new_game();
        responder.clear();
        ASSERT_TRUE(open_field());
    }
    make_folder(root + "/moved");
    const std::string moved = root + "/moved";
    responder.clear();
    responder.answer_text(moved + "/Renamed");
    responder.answer(box_answer::ok);  // "Copying Card Symbol Files"
    responder.answer(box_answer::yes); // "Copy Map and Symbol Files?"
    ASSERT_TRUE(save_game_as());
    EXPECT_TRUE(responder.saw("Copying Card Symbol Files"));
    EXPECT_TRUE(responder.saw("Copy Map and Symbol Files?"));

    EXPECT_EQ(current_game_path, moved + "/Renamed.OPS");
    for (const char* name : {"Renamed.OPS", "Renamed-C1.SET", "Renamed-C1.SDX", "Renamed-C11.BMP",
                             "Renamed-C12.BMP", "Renamed-C13.BMP", "Renamed.IPX", "Renamed.T0", "Renamed.B3",
                             "FIELD.MAP", "Tiles.SET", "Tiles-T1.BMP", "Tiles-U2.BMP", "Tiles-M3.BMP"})
        EXPECT_TRUE(exists(moved + "/" + name)) << name;
    EXPECT_FALSE(exists(moved + "/Renamed.T3"));
    EXPECT_EQ(linked_map_path, moved + "/FIELD.MAP");
    EXPECT_EQ(symbol_set_path, moved + "/Tiles.SET");
    EXPECT_EQ(game_settings.card_set_base_path, moved + "/Renamed");

    // The moved game opens on its own, with no question asked.
    free_symbol_set();
    free_map();
    new_game();
    responder.clear();
    recent_games[0] = moved + "/Renamed.OPS";
    recent_game_to_open = 0;
    ASSERT_TRUE(open_saved_game());
    for (const auto& d : responder.shown())
        EXPECT_EQ(d.kind, "list") << d.caption;
    EXPECT_EQ(linked_map_path, moved + "/FIELD.MAP");
    EXPECT_EQ(symbol_set_path, moved + "/Tiles.SET");
}

TEST_F(game_open_test, save_as_reports_a_failed_copy_and_keeps_the_games_old_links) {
    make_field_fixture();
    const std::string games = root + "/games";
    for (const char* name :
         {"Field-C1.SET", "Field-C11.BMP", "Field-C12.BMP", "Field-C13.BMP", "Field.IPX", "Field.T0"})
        write_text(games + "/" + name, name);
    ASSERT_TRUE(open_field());
    game_settings.card_set_base_path = games + "/Field";
    const std::string old_map = linked_map_path, old_set = symbol_set_path;
    const std::string old_pages = game_settings.info_page_set_path;
    // In the new folder a folder stands where one file of each kind would go.
    const std::string moved = root + "/moved";
    for (const char* in_the_way : {"Renamed-C12.BMP", "Renamed.T0", "Tiles-U2.BMP"})
        ASSERT_TRUE(make_folder(moved + "/" + in_the_way));
    responder.clear();
    responder.answer_text(moved + "/Renamed");
    responder.answer(box_answer::ok);  // "Copying Card Symbol Files"
    responder.answer(box_answer::yes); // "Copy Map and Symbol Files?"
    ASSERT_TRUE(save_game_as());
    EXPECT_EQ(responder.count("File Copy Error", "Renamed-C12.BMP"), 1);
    EXPECT_EQ(responder.count("File Copy Error", "Tiles-U2.BMP"), 1);
    EXPECT_EQ(responder.count("File Copy Error", "Renamed.T0"), 1);
    EXPECT_EQ(responder.count("File Copy Error"), 3);
    EXPECT_EQ(current_game_path, moved + "/Renamed.OPS");
    EXPECT_EQ(game_settings.card_set_base_path, games + "/Field");
    EXPECT_EQ(game_settings.info_page_set_path, old_pages);
    EXPECT_FALSE(exists(moved + "/Renamed.IPX"));
    EXPECT_EQ(linked_map_path, old_map);
    EXPECT_EQ(symbol_set_path, old_set);

    // A game that could not be written keeps every old link too, the copied map's included.
    for (const char* in_the_way : {"Renamed-C12.BMP", "Renamed.T0", "Tiles-U2.BMP"})
        ASSERT_TRUE(QDir(QString::fromStdString(moved + "/" + in_the_way)).removeRecursively());
    current_game_path = games + "/Field.OPS";
    responder.clear();
    responder.answer_text(moved + "/Second");
    responder.answer(box_answer::ok);
    responder.answer(box_answer::yes);
    ASSERT_TRUE(make_folder(moved + "/Second.OPS")); // the game file itself cannot be written
    EXPECT_FALSE(save_game_as());
    EXPECT_TRUE(exists(moved + "/Tiles-U2.BMP")); // the map and set were copied...
    EXPECT_EQ(current_game_path, games + "/Field.OPS");
    EXPECT_EQ(game_settings.card_set_base_path, games + "/Field");
    EXPECT_EQ(linked_map_path, old_map); // ...but the game stays linked to the originals
    EXPECT_EQ(symbol_set_path, old_set);
}

TEST_F(game_open_test, a_map_link_naming_a_pipe_or_a_device_is_a_missing_map) {
    const std::string games = root + "/games";
    make_folder(games);
    const std::string pipe = root + "/pipe.MAP";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& link : {pipe, std::string("/dev/zero"), std::string("/tmp/bad\x01name.MAP")}) {
        SCOPED_TRACE(link);
        write_game(games + "/Odd.OPS", link);
        responder.clear();
        responder.answer_text(games + "/Odd.OPS");
        responder.answer(box_answer::ok);    // "Could Not Find Map File"
        responder.answer_text(std::nullopt); // no other map chosen
        responder.answer(box_answer::yes);   // really cancel
        EXPECT_FALSE(open_saved_game());
        EXPECT_TRUE(responder.saw("Could Not Find Map File"));
    }
    EXPECT_FALSE(read_whole_file(pipe).has_value());
    EXPECT_FALSE(read_whole_file("/dev/zero").has_value());
}

// What an open leaves when it fails: the game, board and set that were there, whole.
TEST_F(game_open_test, a_failed_open_keeps_the_previous_game_map_and_set) {
    make_field_fixture();
    const std::string games = root + "/games";
    // Broken games of their own: a map that is nowhere, a damaged map, a damaged game.
    write_board(games + "/Wide.MAP", 6, 5);
    write_game(games + "/NoMap.OPS", games + "/Gone.MAP");
    write_game(games + "/BadMap.OPS", games + "/Bad.MAP");
    write_text(games + "/Bad.MAP", std::string("\xFD\x00\xD5Tiles\0", 9) + "\x01\x00");
    write_game(games + "/Cut.OPS", games + "/Wide.MAP");
    {
        auto bytes = read_whole_file(games + "/Cut.OPS");
        ASSERT_TRUE(bytes);
        bytes->resize(bytes->size() / 2);
        ASSERT_TRUE(write_file_atomic(games + "/Cut.OPS", *bytes));
    }
    free_symbol_set();
    free_map();
    new_game();

    struct row {
        const char* what;
        const char* game;
        std::vector<box_answer> boxes;
        std::vector<std::optional<std::string>> texts; // after the game's chooser answer
    };
    const std::string tiles = root + "/sets/Tiles.SET";
    const row table[] = {
        {"map missing, map chooser cancelled", "NoMap.OPS", {box_answer::ok}, {std::nullopt}},
        {"damaged map", "BadMap.OPS", {box_answer::ok}, {tiles}},
        {"damaged game", "Cut.OPS", {box_answer::ok}, {tiles}},
    };
    for (bool earlier_game : {true, false}) {
        free_symbol_set();
        free_map();
        new_game();
        current_game_path.clear();
        linked_map_path.clear();
        symbol_set_path.clear();
        if (earlier_game) {
            responder.clear();
            ASSERT_TRUE(open_field());
            game_modified = 0;
        }
        const std::string path_before = current_game_path, map_before = linked_map_path,
                          set_before = symbol_set_path;
        const std::size_t classes_before = game->class_array.size();
        for (const auto& r : table) {
            scripted_responder answers;
            answers.answer_text(games + "/" + r.game);
            for (auto a : r.boxes)
                answers.answer(a);
            for (const auto& t : r.texts)
                answers.answer_text(t);
            int windows_closed = 0;
            close_game_windows_hook = [&] { ++windows_closed; };
            EXPECT_FALSE(open_saved_game()) << r.what;
            close_game_windows_hook = nullptr;
            EXPECT_EQ(windows_closed, 0) << r.what << ": the kept game keeps its windows";
            EXPECT_EQ(current_game_path, path_before) << r.what;
            EXPECT_EQ(linked_map_path, map_before) << r.what;
            EXPECT_EQ(symbol_set_path, set_before) << r.what;
            EXPECT_EQ(game->class_array.size(), classes_before) << r.what;
            if (earlier_game) {
                EXPECT_EQ(board->map_columns, 4) << r.what << ": the earlier board";
                EXPECT_EQ(board->hex_piece_counts.size(), 12u) << r.what;
                EXPECT_EQ(symbols->piece_symbol_count, 3) << r.what;
                EXPECT_FALSE(symbols->strips[0][0].is_null()) << r.what;
                EXPECT_EQ(name_of(game->class_array[1].name), "Lost Owner") << r.what;
                EXPECT_EQ(game->game_turn, 2) << r.what;
            } else {
                EXPECT_FALSE(map_loaded()) << r.what << ": nothing loaded";
                EXPECT_EQ(symbols->piece_symbol_count, 0) << r.what;
            }
        }
    }
}

TEST_F(game_open_test, a_game_opened_from_its_autosave_copy_is_saved_under_its_own_name) {
    make_field_fixture();
    const std::string games = root + "/games";
    ASSERT_TRUE(copy_file_replacing(games + "/Field.OPS", games + "/Field-autosave.OPS"));
    responder.answer_text(games + "/Field-autosave.OPS");
    responder.answer(box_answer::ok);
    responder.answer_text(root + "/sets/Tiles.SET");
    ASSERT_TRUE(open_saved_game());
    EXPECT_EQ(current_game_path, games + "/Field.OPS");
}

TEST_F(game_open_test, a_recent_entry_whose_file_is_gone_asks_with_the_chooser) {
    make_field_fixture();
    recent_games[1] = root + "/games/Deleted.OPS";
    recent_game_to_open = 1;
    responder.answer_text(std::nullopt);
    EXPECT_FALSE(open_saved_game());
    EXPECT_EQ(responder.count("Select an ZEL Saved Game to Load"), 1);
}

TEST_F(game_open_test, a_chosen_map_is_saved_into_the_game) {
    make_field_fixture();
    const std::string games = root + "/games";
    write_game(games + "/Lost.OPS", games + "/Nowhere.MAP");
    free_symbol_set();
    free_map();
    new_game();
    responder.answer_text(games + "/Lost.OPS");
    responder.answer(box_answer::ok); // "Could Not Find Map File"
    responder.answer_text(games + "/FIELD.MAP");
    responder.answer(box_answer::ok); // "Could Not Find .SET File"
    responder.answer_text(root + "/sets/Tiles.SET");
    responder.answer(box_answer::ok); // "Updating New Links"
    ASSERT_TRUE(open_saved_game());
    EXPECT_TRUE(responder.saw("Could Not Find Map File", "Nowhere.MAP"));
    EXPECT_TRUE(responder.saw("Updating New Links", "The game file will now be saved with correct links."));
    auto bytes = read_whole_file(games + "/Lost.OPS");
    ASSERT_TRUE(bytes);
    const std::string head(bytes->begin() + 3,
                           bytes->begin() + 3 + static_cast<long>(linked_map_path.size()));
    EXPECT_EQ(head, games + "/FIELD.MAP");
}

TEST(game_open_paths, map_path_from_the_head_of_a_game) {
    struct row {
        std::string head;
        std::string map;
    };
    const row table[] = {
        {std::string("\xFD\x02\x09/games/A.MAP\0\xFE", 17), "/games/A.MAP"},
        {std::string("\xFD\x02\x09\0\xFE", 5), ""},
        {std::string("\x01\x02\xFE"
                     "OLDMAP.XYZ\xFE",
                     14),
         "/here/OLDMAP.MAP"},
        {std::string("\x01\x02\xFE"
                     "C:\\MAPS\\OLD\xFE",
                     15),
         "/here/OLD.MAP"},
        {std::string("\x01\x02\x03"), ""},
        // A path as this program stores it (the file system's UTF-8) and one of the old system's
        // code page (0xE9 is "é"), both read as the file system spells them.
        {std::string("\xFD\x02\x09") + "/gry łódź/A.MAP" + std::string("\0\xFE", 2), "/gry łódź/A.MAP"},
        {std::string("\xFD\x02\x09/jeux/\xE9t\xE9.MAP") + std::string("\0\xFE", 2), "/jeux/été.MAP"},
        // No cut at 260 bytes.
        {std::string("\xFD\x02\x09") + "/" + std::string(400, 'd') + "/A.MAP" + std::string("\0\xFE", 2),
         "/" + std::string(400, 'd') + "/A.MAP"},
    };
    for (const auto& r : table)
        EXPECT_EQ(map_path_from_game_head(r.head, "/here"), r.map) << r.map;
}

TEST(game_open_paths, the_autosave_ending_is_dropped_in_any_case) {
    const std::pair<const char*, const char*> table[] = {
        {"/g/Battle-AUTOSAVE.OPS", "/g/Battle.OPS"}, {"/g/Battle-autosave.ops", "/g/Battle.ops"},
        {"/g/Battle.OPS", "/g/Battle.OPS"},          {"/g/-AUTOSAVE.OPS", "/g/.OPS"},
        {"/g-AUTOSAVE/x.OPS", "/g-AUTOSAVE/x.OPS"},  {"/g/Battle-AUTOSAVE", "/g/Battle"},
    };
    for (const auto& [in, out] : table)
        EXPECT_EQ(path_without_autosave_suffix(in), out) << in;
}

TEST_F(game_open_test, piece_counts_per_hex_hold_more_than_a_byte) {
    board->hex_count = 4;
    for (int i = 0; i < 300; ++i)
        game->piece_array[static_cast<std::size_t>(add_piece())].location = 3;
    int pooled = add_piece();
    game->piece_array[static_cast<std::size_t>(pooled)].location = 1;
    game->piece_array[static_cast<std::size_t>(pooled)].flags = piece_flag_in_pool;
    game->piece_array[static_cast<std::size_t>(add_piece())].location = 77; // off the board
    rebuild_hex_piece_counts();
    EXPECT_EQ(board->hex_piece_counts, (std::vector<std::int32_t>{0, 0, 0, 300}));
}

TEST_F(game_open_test, yes_to_the_save_prompt_answers_saved_only_when_the_game_was_written) {
    make_field_fixture();
    struct row {
        const char* what;
        box_answer answer;
        std::optional<std::string> name;
        bool write_fails;
        int result;
    };
    const row table[] = {
        {"cancel", box_answer::cancel, {}, false, 0},
        {"no", box_answer::no, {}, false, 2},
        {"yes, chooser cancelled", box_answer::yes, std::nullopt, false, 0},
        {"yes, write fails", box_answer::yes, root + "/games/Saved.OPS", true, 0},
        {"yes, written", box_answer::yes, root + "/games/Saved.OPS", false, 1},
    };
    for (const auto& r : table) {
        scripted_responder answers;
        answers.answer(r.answer);
        if (r.answer == box_answer::yes) answers.answer_text(r.name);
        set_write_failure_after(r.write_fails ? 0 : -1);
        current_game_path = root + "/games/Old.OPS";
        EXPECT_EQ(confirm_save_current_game(), r.result) << r.what;
        EXPECT_EQ(edit_index, r.result) << r.what;
        set_write_failure_after(-1);
        if (r.write_fails) {
            EXPECT_EQ(current_game_path, root + "/games/Old.OPS") << r.what << ": the old name stays";
        }
    }
    EXPECT_TRUE(exists(root + "/games/Saved.OPS"));
}

} // namespace

namespace {
TEST_F(game_open_test, a_save_that_runs_out_of_room_keeps_the_old_file_and_the_unsaved_mark) {
    const std::string path = root + "/Room.OPS";
    current_game_path = path;
    ASSERT_TRUE(write_saved_game());
    const auto before = read_whole_file(path);
    ASSERT_TRUE(before && before->size() > 100);
    game_modified = 1;
    const int outcome = run_with_file_size_limit(static_cast<long long>(before->size() / 2), [&] {
        const bool written = write_saved_game();
        return (written ? 1 : 0) | (game_modified == 1 ? 0 : 2) | (responder.saw("Game File Error") ? 0 : 4);
    });
    EXPECT_EQ(outcome, 0) << "1: reported as written, 2: marked saved, 4: no box";
    EXPECT_EQ(read_whole_file(path), before);
}
} // namespace

namespace {
TEST_F(game_open_test, the_repair_list_names_only_pieces_every_viewer_may_know) {
    int c = add_class();
    game->class_array[static_cast<std::size_t>(c)].symbol = 0;
    const char* names[] = {"Stray", "Secret", "Pooled"};
    for (int i = 0; i < 3; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(add_piece())];
        set_name(p.name, names[i]);
        p.class_index = 9; // no such class
        p.location = 3;
    }
    game->piece_array[1].hidden = 2;
    game->piece_array[2].flags |= piece_flag_in_pool;
    game->piece_array[2].location = 0;
    responder.clear();
    repair_game_links();
    const shown_dialog* pieces = nullptr;
    for (const auto& d : responder.shown())
        if (d.kind == "list" && d.caption.find("nonexistent class") != std::string::npos) pieces = &d;
    ASSERT_NE(pieces, nullptr);
    EXPECT_NE(pieces->caption.find("3"), std::string::npos) << pieces->caption;
    EXPECT_EQ(pieces->text, "Stray\n2 hidden pieces");
}
} // namespace

namespace {
TEST_F(game_open_test, the_map_copy_takes_the_strips_the_set_has) {
    make_field_fixture();
    ASSERT_TRUE(open_field());
    // A set without mask symbols has no mask strips.
    symbols->mask_symbol_count = 0;
    for (const char* z : {"1", "2", "3"})
        ASSERT_TRUE(remove_file(root + "/sets/Tiles-M" + z + ".BMP"));
    const std::string moved = root + "/moved";
    ASSERT_TRUE(make_folder(moved));
    responder.clear();
    EXPECT_TRUE(copy_map_files_to_folder(moved));
    EXPECT_FALSE(responder.saw("File Copy Error"));
    for (const char* name : {"FIELD.MAP", "Tiles.SET", "Tiles-T1.BMP", "Tiles-U3.BMP"})
        EXPECT_TRUE(exists(moved + "/" + name)) << name;
    EXPECT_EQ(symbol_set_path, moved + "/Tiles.SET");
    // A strip of a kind the set has is needed.
    symbols->mask_symbol_count = 1;
    responder.clear();
    ASSERT_TRUE(make_folder(moved + "2"));
    EXPECT_FALSE(copy_map_files_to_folder(moved + "2"));
    EXPECT_TRUE(responder.saw("File Copy Error", "Tiles-M1.BMP (symbol file) Not Found!"));
}
} // namespace

namespace {
TEST_F(game_open_test, an_open_reads_the_game_file_once) {
    make_field_fixture();
    const std::string game_file = root + "/games/Field.OPS";
    int reads = 0;
    set_file_read_observer([&](const std::string& path) {
        if (path == game_file) ++reads;
    });
    const bool opened = open_field();
    set_file_read_observer(nullptr);
    ASSERT_TRUE(opened);
    EXPECT_EQ(reads, 1);
}
} // namespace
