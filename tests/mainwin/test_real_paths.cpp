// Games, boards and sets in folders and under names as a desktop spells them: every path goes
// to the file system as it is, is stored as it is, and comes back whole.
#include "window_fixture.h"

#include "data/map_file.h"
#include "data/saved_game.h"
#include "mainwin/autosave.h"
#include "platform/files.h"

#include <QAction>
#include <QDir>

namespace {

class real_paths_test : public main_window_test {};

std::string long_folder() {
    std::string f;
    for (int i = 0; i < 7; ++i)
        f += "/a folder with a rather long name, number " + std::to_string(i);
    return f; // about 330 bytes below the test's own folder
}

TEST_F(real_paths_test, games_save_and_reopen_in_folders_and_names_outside_the_code_page) {
    struct path_case {
        const char* what;
        std::string folder; // below the test's folder
        std::string name;   // Save As name
    };
    const path_case cases[] = {
        {"accents and spaces", "/Spiele äé ß", "Schlacht"},
        {"Polish", "/Gry łódź", "Bitwa ł"},
        {"Japanese", "/ゲーム", "合戦"},
        {"emoji", "/games 🎲", "battle 🎲"},
        {"a long folder", long_folder(), "Deep"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string dir = folder + c.folder;
        ASSERT_TRUE(make_demo_game(dir));
        const std::string demo = dir + "/Demo.OPS";
        free_symbol_set();
        free_map();
        new_game();
        set_default_dirs();
        for (auto& r : recent_games)
            r.clear();
        current_game_path = demo;
        save_recent_games();
        current_game_path.clear();

        auto f = make_form("0");
        for (const auto& d : responder.shown())
            ADD_FAILURE() << d.caption << ": " << d.text;
        ASSERT_TRUE(map_loaded());
        EXPECT_EQ(current_game_path, demo);
        EXPECT_EQ(linked_map_path, dir + "/Demo.MAP");
        EXPECT_EQ(symbol_set_path, dir + "/Demo.SET");

        const std::string saved = dir + "/" + c.name + ".OPS";
        responder.answer_text(dir + "/" + c.name);
        f->menu_item(1006)->trigger(); // Save As
        EXPECT_EQ(current_game_path, saved);
        EXPECT_TRUE(path_is_readable_file(saved));
        EXPECT_EQ(write_autosave_copy(), autosave_outcome::written);
        EXPECT_TRUE(path_is_readable_file(dir + "/" + c.name + "-AUTOSAVE.OPS"));
        load_recent_games();
        EXPECT_EQ(recent_games[0], saved);

        // Opened again, from the list, with its board and set.
        f.reset();
        free_symbol_set();
        free_map();
        new_game();
        current_game_path.clear();
        auto g = make_form("0");
        ASSERT_TRUE(map_loaded());
        EXPECT_EQ(current_game_path, saved);
        EXPECT_EQ(linked_map_path, dir + "/Demo.MAP");
        EXPECT_EQ(symbol_set_path, dir + "/Demo.SET");
        EXPECT_FALSE(responder.saw("Could Not Find Map File"));
        EXPECT_FALSE(responder.saw("Could Not Find .SET File"));
        responder.clear();
    }
}

TEST_F(real_paths_test, letter_case_and_completed_names_never_write_over_another_game_unasked) {
    const std::string demo = put_demo_first_in_recent_games();
    const std::string dir = folder + "/demo";
    auto f = make_form("0");
    ASSERT_TRUE(map_loaded());
    const auto other_game = read_whole_file(demo);
    ASSERT_TRUE(other_game);
    game->game_turn = 7; // this game differs from the one in Demo.OPS

    // "Battle.ops" beside "Battle.OPS": its own file, the other one untouched.
    ASSERT_TRUE(copy_file_replacing(demo, dir + "/Battle.OPS"));
    responder.answer_text(dir + "/Battle.ops");
    f->menu_item(1006)->trigger();
    EXPECT_EQ(current_game_path, dir + "/Battle.ops");
    EXPECT_EQ(read_whole_file(dir + "/Battle.OPS"), other_game);
    // Saved again, the file opened is the file written.
    game->game_turn = 8;
    f->menu_item(1005)->trigger();
    EXPECT_EQ(current_game_path, dir + "/Battle.ops");
    EXPECT_EQ(read_whole_file(dir + "/Battle.OPS"), other_game);
    EXPECT_TRUE(list_files(dir, "battle.ops").size() == 2u);

    // "Demo" typed: the extension makes it Demo.OPS, which holds another game: asked first;
    // Yes is "enter another name".
    responder.clear();
    responder.answer_text(dir + "/Demo").answer_text(dir + "/Fresh");
    responder.answer(box_answer::yes);
    f->menu_item(1006)->trigger();
    EXPECT_EQ(responder.count("File Name Warning", "already exists"), 1);
    EXPECT_EQ(read_whole_file(demo), other_game);
    EXPECT_EQ(current_game_path, dir + "/Fresh.OPS");
}

TEST_F(real_paths_test, a_program_folder_that_cannot_be_written_is_said_once_and_its_choices_hold) {
    set_default_dirs();
    const int outcome = run_unable_to_write(folder, [&] {
        responder.clear();
        int faults = 0;
        if (save_preferences()) faults |= 1;
        save_preferences();
        current_game_path = "/somewhere/Game.OPS";
        if (save_recent_games()) faults |= 1;
        if (responder.count("Settings Not Saved", "ZEL_DFLT.LST") != 1) faults |= 2;
        if (responder.count("Settings Not Saved") != 1) faults |= 4;
        if (recent_games[0] != "/somewhere/Game.OPS") faults |= 8;
        // The default folders chosen stay for the run, and the box says so.
        default_paths.games = "/my/games/";
        if (save_default_dirs()) faults |= 1;
        if (responder.count("File Error", "The folders hold for this run only.") != 1) faults |= 16;
        if (default_paths.games != "/my/games/") faults |= 32;
        return faults;
    });
    EXPECT_EQ(outcome, 0)
        << "1 written, 2/4 not said once, 8 list lost, 16 folders not said, 32 folders lost";
}

TEST_F(real_paths_test, a_save_over_a_game_another_copy_saved_meanwhile_asks_and_loses_nothing) {
    const std::string demo = put_demo_first_in_recent_games();
    auto f = make_form("0");
    ASSERT_TRUE(map_loaded());
    // Another copy of the program advances the game and saves it.
    const byte_buffer theirs = {0xFD, 2, 9, 'x', 0, 0xFE};
    ASSERT_TRUE(write_file_atomic(demo, theirs));

    struct answer_case {
        const char* what;
        box_answer answer;
        bool ours_written;
    };
    // Written over last, once the other copy wrote again.
    const answer_case cases[] = {{"cancel", box_answer::cancel, false},
                                 {"save elsewhere", box_answer::no, false},
                                 {"write over", box_answer::yes, true}};
    bool first = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (!first) {
            // Back on the shared file, as it was opened, before the other copy writes again.
            current_game_path = demo;
            remember_game_file(demo);
            ASSERT_TRUE(write_file_atomic(demo, theirs));
        }
        first = false;
        game_modified = 1;
        responder.clear();
        responder.answer(c.answer);
        if (c.answer == box_answer::cancel) responder.answer(box_answer::no); // "Save Game As?"
        if (c.answer == box_answer::no) responder.answer_text(folder + "/Mine");
        f->menu_item(1005)->trigger();
        EXPECT_EQ(responder.count("Game File Changed", "changed by another program"), 1);
        if (c.ours_written) {
            EXPECT_NE(read_whole_file(demo), theirs);
            EXPECT_EQ(game_modified, 0);
        } else {
            EXPECT_EQ(read_whole_file(demo), theirs);
        }
        if (c.answer == box_answer::no) {
            EXPECT_EQ(current_game_path, folder + "/Mine.OPS");
            EXPECT_TRUE(path_is_readable_file(folder + "/Mine.OPS"));
        }
        if (c.answer == box_answer::cancel) {
            EXPECT_EQ(game_modified, 1);
        }
    }
    // Once written here, saving again asks nothing.
    responder.clear();
    f->menu_item(1005)->trigger();
    EXPECT_FALSE(responder.saw("Game File Changed"));
}

TEST_F(real_paths_test, two_copies_of_the_program_keep_each_others_recent_games) {
    set_default_dirs();
    const std::string a = folder + "/A.OPS", b = folder + "/B.OPS", c = folder + "/C.OPS";
    for (const auto& p : {a, b, c})
        ASSERT_TRUE(write_file_atomic(p, {1}));
    // This copy read the list when it held only A; another copy has since saved B.
    current_game_path = a;
    ASSERT_TRUE(save_recent_games());
    load_recent_games();
    const auto this_copy = recent_games;
    current_game_path = b;
    ASSERT_TRUE(save_recent_games());
    for (int i = 0; i < 5; ++i)
        recent_games[i] = this_copy[i];
    current_game_path = c;
    ASSERT_TRUE(save_recent_games());
    load_recent_games();
    EXPECT_EQ(recent_games[0], c);
    EXPECT_EQ(recent_games[1], b);
    EXPECT_EQ(recent_games[2], a);
    EXPECT_EQ(recent_games[3], "");
}

// The demo's set copied under another base name into `to`, strips and all.
void copy_demo_set(const std::string& from_dir, const std::string& to, const std::string& base) {
    ASSERT_TRUE(make_folder(to));
    ASSERT_TRUE(copy_file_replacing(from_dir + "/Demo.SET", to + "/" + base + ".SET"));
    for (const char* letter : {"-T", "-U", "-M"})
        for (int z = 1; z <= 3; ++z) {
            const std::string strip = letter + std::to_string(z) + ".BMP";
            ASSERT_TRUE(copy_file_replacing(from_dir + "/Demo" + strip, to + "/" + base + strip));
        }
}

TEST_F(real_paths_test, a_board_finds_its_own_set_by_its_whole_name_before_any_in_the_current_folder) {
    const std::string dir = folder + "/boards";
    ASSERT_TRUE(make_demo_game(dir));
    // The board names "Demo v1.2"; a "Demo v1.SET" and another "Demo v1.2.SET" lie in the
    // current folder.
    copy_demo_set(dir, dir, "Demo v1.2");
    symbol_set_path = dir + "/Demo v1.2.SET";
    ASSERT_TRUE(write_map_file());
    const std::string elsewhere = folder + "/elsewhere";
    copy_demo_set(dir, elsewhere, "Demo v1");
    copy_demo_set(dir, elsewhere, "Demo v1.2");
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(elsewhere)));
    free_symbol_set();
    free_map();
    load_for_game = true; // the board named by linked_map_path, as an open reads it
    const bool read = read_map_file();
    load_for_game = false;
    for (const auto& d : responder.shown())
        ADD_FAILURE() << d.caption << ": " << d.text;
    ASSERT_TRUE(read);
    EXPECT_EQ(symbol_set_path, dir + "/Demo v1.2.SET");
    EXPECT_FALSE(responder.saw("Could Not Find .SET File"));
}

TEST_F(real_paths_test, an_old_games_relative_links_are_taken_from_the_games_folder) {
    const std::string maps = folder + "/maps", games = folder + "/games";
    ASSERT_TRUE(make_demo_game(maps));
    ASSERT_TRUE(make_folder(games));
    // Written on the old system: a relative link with back-slashes and another letter case.
    linked_map_path = "..\\maps\\demo.map";
    current_game_path = games + "/Old.OPS";
    ASSERT_TRUE(write_saved_game());
    free_symbol_set();
    free_map();
    new_game();
    current_game_path.clear();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder))); // where no "../maps" lies
    responder.answer_text(games + "/Old.OPS");
    recent_game_to_open = -1;
    ASSERT_TRUE(open_saved_game());
    EXPECT_FALSE(responder.saw("Could Not Find Map File"));
    EXPECT_EQ(linked_map_path, maps + "/Demo.MAP");
    EXPECT_EQ(symbol_set_path, maps + "/Demo.SET");
}

} // namespace
