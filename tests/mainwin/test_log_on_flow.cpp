// Opening a game with players runs the log-on; giving up on it clears a game that replaced another.
#include "test_support.h"

#include "demo_game.h"
#include "players/modal_driver.h"

#include "data/game_open.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/settings_files.h"
#include "mainwin/view_state.h"
#include "players/current_player.h"
#include "players/forms/log_on_form.h"
#include "players/passwords.h"
#include "players/visibility.h"
#include "ui_log_on_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

class log_on_flow_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        folder = make_temp_folder();
        program_folder_override = folder + "/";
        working_folder = QDir::currentPath();
        demo = folder + "/demo";
        // Each open builds the demo afresh; its second player keeps a view of his own.
        open_game_hook = [this] {
            if (!make_demo_game(demo)) return false;
            player_struct& p = game->player_array[1];
            p.view_origin = 5;
            p.zoom_level = 2;
            p.replay_delay = 4;
            return true;
        };
    }
    void TearDown() override {
        open_game_hook = nullptr;
        QDir::setCurrent(working_folder);
        program_folder_override.clear();
        current_game_path.clear();
        current_player = -1;
        player_logged_in = 0;
    }
    std::unique_ptr<main_form> make_form() {
        auto f = std::make_unique<main_form>();
        f->create_window();
        QCoreApplication::processEvents();
        return f;
    }
    static void click_on_log_on(QPushButton* Ui::log_on_form::*button, int select = 0) {
        when_modal<log_on_form>([button, select](log_on_form& d) {
            d.controls().playerbox->setCurrentIndex(select);
            QTest::mouseClick(d.controls().*button, Qt::LeftButton);
        });
    }
    std::string folder, demo;
    QString working_folder;
};

TEST_F(log_on_flow_test, open_then_log_on_restores_the_players_view) {
    auto f = make_form();
    click_on_log_on(&Ui::log_on_form::log_in, 1);
    ASSERT_TRUE(f->open_saved_game());
    EXPECT_EQ(current_player, 1);
    EXPECT_EQ(player_logged_in, 1);
    EXPECT_EQ(zoom_level, 2);
    EXPECT_EQ(view_origin_hex, 5);
    EXPECT_EQ(replay_delay, 4);
    EXPECT_EQ(f->status_mode, 1);
    EXPECT_FALSE(responder.saw("Log-In Cancellation Warning"));

    // Log-In as Another Player: the visitor now.
    click_on_log_on(&Ui::log_on_form::visitor_b);
    f->menu_item(1081)->trigger();
    EXPECT_EQ(current_player, -1);
    EXPECT_EQ(player_logged_in, 1);
}

TEST_F(log_on_flow_test, a_cancelled_log_on_over_an_earlier_game) {
    auto f = make_form();
    // No map before: a cancelled log-on leaves the game open, nobody logged on.
    click_on_log_on(&Ui::log_on_form::cancel);
    ASSERT_TRUE(f->open_saved_game());
    EXPECT_FALSE(responder.saw("Log-In Cancellation Warning"));
    EXPECT_TRUE(map_loaded());
    EXPECT_EQ(current_player, -2);
    EXPECT_EQ(zoom_level, 0);

    // Over that game: cancel, try again (Yes), then log on as a visitor.
    when_modal<log_on_form>([](log_on_form& d) {
        QTest::mouseClick(d.controls().cancel, Qt::LeftButton);
        // The second log-on dialog opens after the warning box.
        click_on_log_on(&Ui::log_on_form::visitor_b);
    });
    responder.answer(box_answer::yes);
    ASSERT_TRUE(f->open_saved_game());
    EXPECT_EQ(responder.count("Log-In Cancellation Warning", "Would you like to try and log-in again?"), 1);
    EXPECT_EQ(current_player, -1);
    EXPECT_TRUE(map_loaded());

    // Cancel and No: the new game is cleared from memory.
    responder.clear();
    click_on_log_on(&Ui::log_on_form::cancel);
    responder.answer(box_answer::no);
    EXPECT_FALSE(f->open_saved_game());
    EXPECT_EQ(responder.count("Log-In Cancellation Warning"), 1);
    EXPECT_FALSE(map_loaded());
    EXPECT_EQ(players_in_game(), 0);
    EXPECT_TRUE(current_game_path.empty());
    EXPECT_EQ(f->status_mode, 0);
    EXPECT_FALSE(f->menu_item(1005)->isEnabled());
}

} // namespace
