// The status line texts of every mode, the autosave copy and its timer, and the main window with
// the demo game open.
#include "test_support.h"
#include "window_fixture.h"

#include "data/current_player.h"
#include "data/game_file.h"
#include "data/history_stream.h"
#include "data/options.h"
#include "data/passwords.h"
#include "data/saved_game.h"
#include "demo_game.h"
#include "mainwin/autosave.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/settings_files.h"
#include "mainwin/status_line.h"
#include "platform/files.h"
#include "players/log_on.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <string>
#include <vector>

namespace {

TEST(status_line, text_of_every_mode) {
    status_line_state s;
    s.game_path = "/games/Battle.OPS";
    s.turn = 3;
    s.turn_name = "Dusk";
    s.player_part = "(Ann)";
    s.card_name = "Ace of Cups";
    struct row {
        int mode;
        std::vector<std::string> panes;
    };
    const row table[] = {
        {0, {"No game loaded.  Click on the folder button or 'File' from the main menu."}},
        {1, {"Normal Mode  (Ann)", "Game:  Battle", "Turn:  3  Dusk"}},
        {2, {"Log-In as an existing player, a new player, or a 'visitor'."}},
        {3, {"Log-On Failed."}},
        {4, {"Zoom IN: Click on map location to center new view."}},
        {5, {"Moving Pieces: (Ann)  Click on the next hex/location in path, or the OK button when done."}},
        {6, {"Select Pieces For Combat - click on hex/location, or OK button when done."}},
        {7, {"Placing Pieces From Pool: (Ann)  click on hex/location to place Pieces"}},
        {8, {"Placing Pieces: (Ann)  click on hex/location to place current 'stack', or OK button if done."}},
        {9, {"Placing Pieces: (Ann)  select a group of pieces to place (a'stack'), or Cancel if done."}},
        {10, {"LOS check: (Ann)  click on spotting location, or OK button if done."}},
        {11, {"LOS check: (Ann)  click on target location, or OK button if done."}},
        {12, {"Setting up a new game.  Select the map to use, then create players, classes, and pieces."}},
        {13, {"Placing Card From Deck -> Click anywhere on the board to place the Ace of Cups"}},
        {14, {"Placing Card From Hand -> Click anywhere on the board to place the Ace of Cups"}},
        {15, {"Select the action for the top card (Ace of Cups)"}},
        {16, {""}},
        {-1, {""}},
    };
    for (const auto& r : table)
        EXPECT_EQ(status_line_texts(r.mode, s), r.panes) << "mode " << r.mode;
}

class status_state_test : public fresh_game_test {
protected:
    void TearDown() override {
        current_player = -1;
        current_game_path.clear();
    }
};

TEST_F(status_state_test, the_player_part_and_the_turn_name_come_from_the_game) {
    game->player_array.assign(2, {});
    set_name(game->player_array[0].name, "Ann");
    game->turn_names.assign(4, {});
    set_name(game->turn_names[0].text, "Set-up");
    game->turn_names[1].text[0] = 1; // a turn without a name
    set_name(game->turn_names[2].text, "Dawn");
    struct row {
        int player, turn;
        const char* normal;
        const char* turn_pane;
    };
    const row table[] = {
        {-1, 0, "Normal Mode  (Visitor/No Player)", "Turn:  0  Set-up"},
        {-2, 1, "Normal Mode  (Visitor/No Player)", "Turn:  1  "},
        {0, 2, "Normal Mode  (Ann)", "Turn:  2  Dawn"},
        {5, 9, "Normal Mode  (Unknown)", "Turn:  9  "},
    };
    current_game_path = "/g/Battle.OPS";
    for (const auto& r : table) {
        current_player = r.player;
        game->game_turn = r.turn;
        auto panes = status_line_texts(1, current_status_line_state(-1));
        ASSERT_EQ(panes.size(), 3u);
        EXPECT_EQ(panes[0], r.normal);
        EXPECT_EQ(panes[1], "Game:  Battle");
        EXPECT_EQ(panes[2], r.turn_pane);
    }
}

TEST(autosave, name_of_the_copy) {
    const std::pair<const char*, const char*> table[] = {
        {"/games/Battle.OPS", "/games/Battle-AUTOSAVE.OPS"},
        {"/games/Battle.ops", "/games/Battle-AUTOSAVE.ops"},
        {"/games.v2/Battle", "/games.v2/Battle-AUTOSAVE"},
        {"Battle.OPS", "Battle-AUTOSAVE.OPS"},
    };
    for (const auto& [game_path, copy] : table)
        EXPECT_EQ(autosave_path(game_path), copy) << game_path;
}

class autosave_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        folder = make_temp_folder();
        program_folder = folder + "/";
        board->map_columns = 2;
        board->map_rows = 1;
        board->hex_count = 2;
        board->hex_array.assign(2, {});
        current_game_path = folder + "/Battle.OPS";
    }
    void TearDown() override {
        operation_mode = 0;
        autosave_on = 0;
        current_game_path.clear();
        for (auto& r : recent_games)
            r.clear();
    }
    std::string folder;
};

TEST_F(autosave_test, writes_the_copy_beside_the_game_and_keeps_the_game_as_it_was) {
    game_modified = 1;
    EXPECT_EQ(write_autosave_copy(), autosave_outcome::written);
    EXPECT_TRUE(path_is_readable_file(folder + "/Battle-AUTOSAVE.OPS"));
    EXPECT_FALSE(path_is_readable_file(folder + "/Battle.OPS"));
    EXPECT_EQ(current_game_path, folder + "/Battle.OPS");
    EXPECT_EQ(game_modified, 1) << "the game itself is still not saved";
    EXPECT_EQ(status_line_texts(1, current_status_line_state(-1))[1], "Game:  Battle");
    EXPECT_TRUE(recent_games[0].empty());
}

TEST_F(autosave_test, waits_while_no_game_is_open_or_a_map_operation_is_half_done) {
    struct row {
        const char* what;
        bool game_open;
        int mode;
        autosave_outcome outcome;
    };
    const row table[] = {
        {"moving pieces", true, 2, autosave_outcome::not_now},
        {"no map", false, 0, autosave_outcome::not_now},
        {"idle", true, 0, autosave_outcome::written},
    };
    for (const auto& r : table) {
        if (!r.game_open) free_map();
        operation_mode = r.mode;
        EXPECT_EQ(write_autosave_copy(), r.outcome) << r.what;
        EXPECT_EQ(path_is_readable_file(folder + "/Battle-AUTOSAVE.OPS"),
                  r.outcome == autosave_outcome::written)
            << r.what;
        if (!r.game_open) {
            board->map_columns = 2;
            board->map_rows = 1;
            board->hex_count = 2;
            board->hex_array.assign(2, {});
        }
    }
    operation_mode = 0;
    current_game_path.clear();
    EXPECT_EQ(write_autosave_copy(), autosave_outcome::not_now) << "a game never saved has no name to copy";
}

TEST_F(autosave_test, a_failed_copy_is_said_once_and_tried_again_after_a_change) {
    game_modified = 1;
    set_write_failure_after(0);
    EXPECT_EQ(write_autosave_copy(), autosave_outcome::failed);
    EXPECT_EQ(responder.count("Autosave Error", "Battle-AUTOSAVE.OPS"), 1);
    EXPECT_EQ(current_game_path, folder + "/Battle.OPS");
    EXPECT_EQ(game_modified, 1);
    // The next ticks wait for a change; then it is tried again, without a second box.
    EXPECT_EQ(write_autosave_copy(), autosave_outcome::not_now);
    ASSERT_GE(append_game_saved_record(), 0);
    EXPECT_EQ(write_autosave_copy(), autosave_outcome::failed);
    EXPECT_EQ(responder.count("Autosave Error"), 1);
    set_write_failure_after(-1);
    ASSERT_GE(append_game_saved_record(), 0);
    EXPECT_EQ(write_autosave_copy(), autosave_outcome::written);
    // Once it worked, the next failure is said again.
    set_write_failure_after(0);
    ASSERT_GE(append_game_saved_record(), 0);
    EXPECT_EQ(write_autosave_copy(), autosave_outcome::failed);
    set_write_failure_after(-1);
    EXPECT_EQ(responder.count("Autosave Error"), 2);
    EXPECT_FALSE(responder.saw("Game File Error"));
}

using main_window_game_test = main_window_test;

TEST_F(main_window_game_test, a_stored_autosave_period_starts_its_timer_at_start_up) {
    // A period kept in the preferences file from the last run.
    set_default_dirs();
    autosave_on = 10;
    ASSERT_TRUE(save_preferences());
    autosave_on = 0;
    auto f = make_form();
    EXPECT_EQ(autosave_on, 10);
    EXPECT_TRUE(f->autosave_timer()->isActive());
    EXPECT_EQ(f->autosave_timer()->interval(), 600000);
    EXPECT_TRUE(f->autosave_timer()->isSingleShot());

    // Turning it off stops it at once.
    responder.answer(box_answer::ok);
    f->auto_save_command();
    EXPECT_TRUE(responder.saw("Auto-Save Change", "Do you really want to turn off the Auto-Save feature?"));
    EXPECT_EQ(autosave_on, 0);
    EXPECT_FALSE(f->autosave_timer()->isActive());

    // Turning it on through the period form starts it.
    set_autosave_timer_form_hook = [] { autosave_on = 5; };
    f->auto_save_command();
    set_autosave_timer_form_hook = nullptr;
    EXPECT_TRUE(f->autosave_timer()->isActive());
    EXPECT_EQ(f->autosave_timer()->interval(), 300000);
    EXPECT_TRUE(f->menu_item(1075)->isChecked());

    autosave_on = 0;
    ASSERT_TRUE(save_preferences());
    auto g = make_form();
    EXPECT_FALSE(g->autosave_timer()->isActive());
}

TEST_F(main_window_game_test, recent_entries_and_the_open_button_open_through_the_driver) {
    auto f = make_form();
    std::vector<int> asked;
    open_game_hook = [&] {
        asked.push_back(recent_game_to_open);
        return false;
    };
    f->menu_item(1012)->trigger();
    f->menu_item(1010)->trigger();
    f->menu_item(1003)->trigger();
    f->picture_button("open_button")->click();
    open_game_hook = nullptr;
    EXPECT_EQ(asked, (std::vector<int>{2, 0, -1, -1}));
    EXPECT_EQ(recent_game_to_open, -1);
    EXPECT_EQ(f->status_mode, 0) << "a failed open leaves the window as it was";
}

TEST_F(main_window_game_test, the_demo_game_opens_from_the_command_line) {
    const std::string demo = folder + "/demo";
    put_demo_first_in_recent_games();
    EXPECT_TRUE(responder.shown().empty()) << responder.shown().front().caption;

    // The demo has players: its log-on is answered as a visitor.
    int log_ons = 0;
    log_on_form_hook = [&] {
        ++log_ons;
        log_in_as_visitor();
    };
    auto f = make_form("0");
    log_on_form_hook = nullptr;
    EXPECT_EQ(log_ons, 1);
    for (const auto& d : responder.shown())
        ADD_FAILURE() << "unexpected " << d.kind << ": " << d.caption;
    EXPECT_EQ(current_game_path, demo + "/Demo.OPS");
    EXPECT_TRUE(map_loaded());
    EXPECT_EQ(board->map_columns, 30);
    EXPECT_EQ(board->map_rows, 20);
    EXPECT_EQ(current_player, -1);
    EXPECT_EQ(f->status_mode, 1);
    EXPECT_EQ(f->status_texts(),
              (QStringList{"Normal Mode  (Visitor/No Player)", "Game:  Demo", "Turn:  1  Dawn, 6 June"}));
    EXPECT_TRUE(f->windowTitle().endsWith("Demo.OPS"));
    {
        // A long name is not cut: its pane takes the text's width.
        auto* pane = f->findChild<QLabel*>(QStringLiteral("status_pane_0"));
        ASSERT_NE(pane, nullptr);
        set_name(game->player_array[0].name, "Blue Commander Of North");
        current_player = 0;
        player_logged_in = 1;
        f->set_status_text(1);
        EXPECT_TRUE(pane->text().contains(QStringLiteral("Blue Commander Of North")));
        EXPECT_LE(pane->fontMetrics().horizontalAdvance(pane->text()), pane->width());
        current_player = -1;
        f->set_status_text(1);
    }
    EXPECT_TRUE(f->picture_button("save_button")->isEnabled());
    EXPECT_TRUE(f->picture_button("roll_die_button")->isVisible());
    EXPECT_TRUE(f->picture_button("undo_button")->isEnabled()) << "the demo has a history";
    EXPECT_TRUE(f->menu_item(1005)->isEnabled());
    EXPECT_TRUE(f->menu().menus.at(menu_game)->menuAction()->isVisible());
    EXPECT_EQ(game_modified, 0);
    EXPECT_EQ(QDir::currentPath().toStdString(), demo) << "the game's folder is the current one";

    // The File menu lists the recent game.
    f->on_menu_open();
    EXPECT_TRUE(f->menu_item(1010)->isVisible());
    EXPECT_EQ(f->menu_item(1010)->text().toStdString(), demo + "/Demo.OPS");
    EXPECT_FALSE(f->menu_item(1011)->isVisible());

    f->resize(900, 640);
    QCoreApplication::processEvents();
    QString shot = QString::fromStdString(screenshot_path("demo-game.png"));
    EXPECT_TRUE(f->grab().save(shot));

    // Save writes the game and leaves it unchanged.
    game_modified = 1;
    f->save_current_game();
    EXPECT_EQ(game_modified, 0);
    EXPECT_TRUE(path_is_readable_file(demo + "/Demo.OPS"));
}

} // namespace
