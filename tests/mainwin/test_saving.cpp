// Save and Save As from the main window: what the file holds is what memory holds, and a save
// that failed leaves memory and its unsaved mark as they were.
#include "window_fixture.h"

#include "data/history_stream.h"
#include "data/saved_game.h"
#include "platform/files.h"

#include <QAction>

namespace {

class saving_test : public main_window_test {};

TEST_F(saving_test, the_saved_record_is_in_the_file_and_a_failed_save_takes_it_back) {
    const std::string demo = put_demo_first_in_recent_games();
    auto f = make_form("0");
    ASSERT_TRUE(map_loaded());
    struct save_case {
        const char* what;
        int command; // Save or Save As
        bool write_fails;
    };
    const save_case cases[] = {{"Save As", 1006, false},
                               {"Save", 1005, false},
                               {"failed Save As", 1006, true},
                               {"failed Save", 1005, true}};
    int copy = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder + "/Copy" + std::to_string(++copy) + ".OPS";
        if (c.command == 1006) responder.answer_text(path);
        if (c.command == 1005 && c.write_fails) responder.answer(box_answer::no); // "Save Game As?"
        game_modified = 1;
        const auto history_before = game->history_stream;
        const std::string path_before = current_game_path;
        if (c.write_fails) set_write_failure_after(0);
        f->menu_item(c.command)->trigger();
        set_write_failure_after(-1);
        if (c.write_fails) {
            EXPECT_EQ(game->history_stream, history_before);
            EXPECT_EQ(game_modified, 1);
            EXPECT_EQ(current_game_path, path_before);
            continue;
        }
        EXPECT_EQ(game_modified, 0);
        EXPECT_GT(game->history_stream.size(), history_before.size());
        // The file holds the history as memory holds it, the saved record last.
        const auto in_memory = game->history_stream;
        const std::string saved = current_game_path;
        EXPECT_EQ(saved, c.command == 1006 ? path : path_before);
        ASSERT_TRUE(read_saved_game());
        EXPECT_EQ(game->history_stream, in_memory);
        game_modified = 0;
    }
    EXPECT_NE(current_game_path, demo);
    EXPECT_EQ(responder.count("Save Game As?"), 1);

    // A Save that failed offers Save As, which can put the game elsewhere.
    responder.clear();
    responder.answer(box_answer::yes).answer_text(folder + "/Elsewhere");
    game_modified = 1;
    current_game_path = folder + "/gone/Game.OPS"; // its folder was removed meanwhile
    f->menu_item(1005)->trigger();
    EXPECT_TRUE(responder.saw("Game File Error", "gone/Game.OPS\n\r(No such file or directory)"));
    EXPECT_EQ(responder.count("Save Game As?"), 1);
    EXPECT_EQ(current_game_path, folder + "/Elsewhere.OPS");
    EXPECT_TRUE(path_is_readable_file(folder + "/Elsewhere.OPS"));
    EXPECT_EQ(game_modified, 0);
}

} // namespace
