// While a game is read or written or the map drawn, the progress window lets events through: no
// command, timer or close that comes in meanwhile may reach the game before the operation ends.
#include "window_fixture.h"

#include "data/saved_game.h"
#include "mainwin/autosave.h"
#include "mainwin/map_draw.h"
#include "platform/app_services.h"
#include "platform/files.h"
#include "platform/progress.h"

#include <QAction>
#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

class long_operation_test : public main_window_test {
protected:
    // The window on the demo game, opened through the recent-games list.
    std::unique_ptr<main_form> open_demo() {
        demo_path = put_demo_first_in_recent_games();
        auto f = make_form("0");
        EXPECT_TRUE(map_loaded());
        return f;
    }
    // Runs `during` from the event loop as soon as `operation` lets events through, and tells
    // whether it ran inside the operation.
    static bool run_inside(const std::function<void()>& operation, const std::function<void()>& during) {
        bool inside = false;
        QTimer::singleShot(0, [&] {
            inside = long_operation_running();
            during();
        });
        operation();
        return inside;
    }
    static bool saw_progress(const std::string& label) {
        const auto& log = progress_log();
        return std::any_of(log.begin(), log.end(),
                           [&](const progress_log_entry& e) { return e.label == label; });
    }
    std::string demo_path;
};

TEST_F(long_operation_test, save_autosave_and_exit_wait_for_a_redraw_of_a_large_board) {
    auto f = open_demo();
    // A board large enough for the redraw to show its progress window in a large window.
    board->map_columns = board->map_rows = 150;
    board->hex_count = 150 * 150;
    board->hex_array.resize(static_cast<std::size_t>(board->hex_count), board->hex_array[0]);
    board->hex_piece_counts.resize(static_cast<std::size_t>(board->hex_count), 0);
    f->resize(1200, 900);
    QCoreApplication::processEvents();
    game_modified = 1;
    autosave_on = 1;
    clear_progress_log();

    responder.answer(box_answer::cancel); // "Really want to exit?"
    const bool inside = run_inside([] { redraw_map(); },
                                   [&] {
                                       f->menu_item(1005)->trigger(); // Save
                                       f->autosave_timer()->start(0);
                                       f->close(); // Exit
                                   });
    ASSERT_TRUE(saw_progress("Drawing map/board, please wait..."));
    ASSERT_TRUE(inside);
    // Nothing of it ran while the board was drawn...
    EXPECT_EQ(game_modified, 1);
    EXPECT_FALSE(file_exists(autosave_path(demo_path)));
    EXPECT_FALSE(responder.saw("Confirmation"));
    EXPECT_TRUE(map_loaded());

    // ...and all of it, in its order, once the drawing was done.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(game_modified, 0);
    EXPECT_TRUE(file_exists(autosave_path(demo_path)));
    EXPECT_EQ(responder.count("Confirmation", "Really want to exit?"), 1);
    EXPECT_TRUE(map_loaded());
    EXPECT_TRUE(f->isVisible());
}

TEST_F(long_operation_test, an_autosave_tick_during_an_open_keeps_the_earlier_games_copy) {
    const std::string other = folder + "/other";
    ASSERT_TRUE(make_demo_game(other));
    auto f = open_demo();
    ASSERT_EQ(write_autosave_copy(), autosave_outcome::written);
    const auto copy_before = read_whole_file(autosave_path(demo_path));
    ASSERT_TRUE(copy_before && !copy_before->empty());

    // The other game is opened over this one while the autosave timer is due.
    autosave_on = 1;
    responder.answer_text(other + "/Demo.OPS");
    clear_progress_log();
    const bool inside =
        run_inside([&] { EXPECT_TRUE(f->open_saved_game()); }, [&] { f->autosave_timer()->start(0); });
    ASSERT_TRUE(saw_progress("Loading ZEL saved game file, please wait..."));
    ASSERT_TRUE(inside);
    EXPECT_EQ(current_game_path, other + "/Demo.OPS");
    EXPECT_EQ(read_whole_file(autosave_path(demo_path)), copy_before);
    EXPECT_FALSE(file_exists(autosave_path(current_game_path)));

    // The tick comes once the open is over, for the game now open.
    QCoreApplication::processEvents();
    EXPECT_EQ(read_whole_file(autosave_path(demo_path)), copy_before);
    EXPECT_TRUE(file_exists(autosave_path(current_game_path)));
}

TEST_F(long_operation_test, a_save_during_an_autosave_goes_to_the_game_file) {
    auto f = open_demo();
    game_modified = 1;
    ASSERT_TRUE(QFile::remove(QString::fromStdString(demo_path)));
    const bool inside = run_inside([] { EXPECT_EQ(write_autosave_copy(), autosave_outcome::written); },
                                   [&] { f->menu_item(1005)->trigger(); });
    ASSERT_TRUE(inside);
    EXPECT_EQ(current_game_path, demo_path);
    EXPECT_EQ(game_modified, 1); // the autosave copy keeps the mark

    QCoreApplication::processEvents();
    EXPECT_TRUE(file_exists(demo_path));
    EXPECT_EQ(game_modified, 0);
    EXPECT_EQ(current_game_path, demo_path);
    load_recent_games();
    EXPECT_EQ(recent_games[0], demo_path);
}

TEST_F(long_operation_test, a_second_exit_during_the_save_on_exit_is_no_second_exit) {
    auto f = open_demo();
    front_program_starter = [](const std::string&) { return true; };
    game_modified = 1;
    responder.answer(box_answer::yes); // "Current Game Not Saved!": save
    responder.answer_text(demo_path);  // under its own name
    responder.answer(box_answer::ok);  // "Really want to exit?"
    const bool inside = run_inside([&] { f->close(); }, [&] { f->close(); });
    ASSERT_TRUE(inside);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(responder.count("Confirmation", "Really want to exit?"), 1);
    EXPECT_EQ(responder.count("Current Game Not Saved!"), 1);
    EXPECT_FALSE(f->isVisible());
    front_program_starter = start_program_file;
}

} // namespace
