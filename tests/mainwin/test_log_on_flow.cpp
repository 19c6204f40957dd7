// Opening a game with players runs the log-on; giving up on it clears a game that replaced another.
#include "test_support.h"

#include "demo_game.h"
#include "players/modal_driver.h"

#include "data/current_player.h"
#include "data/passwords.h"
#include "data/view_state.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/game_open.h"
#include "mainwin/info_panel.h"
#include "mainwin/map_draw.h"
#include "mainwin/settings_files.h"
#include "platform/bitmap_qt.h"
#include "players/forms/log_on_form.h"
#include "players/log_on.h"
#include "players/visibility.h"
#include "ui_log_on_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
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
    EXPECT_TRUE(f->menu().menus.at(menu_game)->menuAction()->isVisible()); // the menus stay
}

// Every pixel alike inside the margin (a panel's frame): nothing of a game shows there.
bool blank(const bitmap& b, int margin = 0) {
    const QImage& image = b.native()->image;
    for (int y = margin; y < image.height() - margin; ++y)
        for (int x = margin; x < image.width() - margin; ++x)
            if (image.pixel(x, y) != image.pixel(margin, margin)) return false;
    return true;
}

TEST_F(log_on_flow_test, the_next_player_sees_nothing_of_the_last_and_cancel_keeps_the_seat) {
    auto f = make_form();
    f->resize(700, 500);
    click_on_log_on(&Ui::log_on_form::log_in, 1);
    ASSERT_TRUE(f->open_saved_game());
    ASSERT_EQ(current_player, 1);
    QCoreApplication::processEvents();
    redraw_map();
    // What player 1 has on screen: a mark of his on the map, the panels of a hex.
    ASSERT_TRUE(screen_save_canvas);
    screen_save_canvas->fill_rect(10, 10, 20, 20, make_rgb(200, 30, 30));
    show_hex_info(view_origin_hex);
    ASSERT_FALSE(blank(screen_save_bitmap));
    ASSERT_FALSE(blank(hex_panel_bitmap, 3));
    const QImage before = screen_save_bitmap.native()->image.copy();

    // While the log-on form is up, the map and both panels are empty; Cancel keeps player 1.
    bool empty_behind_the_form = false;
    log_on_form_hook = [&] {
        empty_behind_the_form =
            blank(screen_save_bitmap) && blank(hex_panel_bitmap, 3) && blank(unit_panel_bitmap, 3);
        cancel_log_on();
    };
    f->menu_item(1081)->trigger();
    EXPECT_TRUE(empty_behind_the_form);
    EXPECT_EQ(current_player, 1);
    EXPECT_EQ(player_logged_in, 1);
    EXPECT_EQ(screen_save_bitmap.native()->image, before);

    // Opening a game: nothing of the last player's map behind its log-on form either.
    empty_behind_the_form = false;
    int mode_during_log_on = -1;
    log_on_form_hook = [&] {
        empty_behind_the_form = blank(screen_save_bitmap) && blank(hex_panel_bitmap, 3);
        mode_during_log_on = f->status_mode;
        log_in_as_visitor();
    };
    ASSERT_TRUE(f->open_saved_game());
    EXPECT_TRUE(empty_behind_the_form);
    EXPECT_EQ(mode_during_log_on, 2); // "Log-In as an existing player, a new player, or a 'visitor'."
    EXPECT_EQ(f->status_mode, 1);
    log_on_form_hook = nullptr;
}

} // namespace
