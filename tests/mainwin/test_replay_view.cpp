// Watching the history through the real window: Show All plays it over its snapshot and the
// game comes back as the play left it.
#include "test_support.h"
#include "window_fixture.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/current_player.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/view_state.h"
#include "play/forms/replay_forms.h"
#include "play/movement.h"
#include "play/placement.h"
#include "play/removal.h"
#include "play/replay_text.h"
#include "players/modal_driver.h"
#include "ui_main_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

namespace {

class replay_view_test : public main_window_test {
protected:
    void SetUp() override {
        main_window_test::SetUp();
        put_demo_first_in_recent_games();
        form = make_form("0");
        ASSERT_TRUE(map_loaded());
        saved_delay = replay_delay;
        replay_blink = 0; // a blink takes four seconds
        clear_history();  // the demo's own story has a die roll, which shows its form
        // Two actions: a move and a removal.
        const std::int32_t rifles[] = {piece("1st Rifles"), -1};
        ASSERT_EQ(take_up_for_move(rifles), 1);
        ASSERT_TRUE(add_path_step(board->map_columns * 9 + 9));
        finish_move();
        ask_remove_to_pool = 0;
        auto_remove_to_pool = 0;
        ASSERT_TRUE(remove_piece_from_board(piece("Blue HQ")));
    }
    void TearDown() override {
        replay_delay = saved_delay;
        replay_blink = 1;
        form.reset();
        reset_command_state();
        main_window_test::TearDown();
    }
    static std::int32_t piece(const std::string& name) {
        for (std::size_t i = 0; i < game->piece_array.size(); ++i)
            if (name_of(game->piece_array[i].name) == name) return static_cast<std::int32_t>(i);
        return -1;
    }
    std::vector<std::int32_t> locations() const {
        std::vector<std::int32_t> out;
        for (const auto& p : game->piece_array)
            out.push_back(p.location);
        return out;
    }
    std::unique_ptr<main_form> form;
    std::uint8_t saved_delay = 10;
};

TEST_F(replay_view_test, show_all_plays_the_history_and_puts_the_game_back) {
    const auto before = locations();
    const auto counts = board->hex_piece_counts;
    const byte_vector history = game->history_stream;
    bool played = false;
    when_modal<set_replay_delay_form>([](set_replay_delay_form& f) {
        EXPECT_NE(f.label_12()->text().toStdString().find("Actions (Not all may be viewable)"),
                  std::string::npos);
        f.no_delay_button()->click();
        f.ok_button()->click();
    });
    const std::int32_t hq = piece("Blue HQ");
    when_modal<control_replay_form>([&played, hq](control_replay_form&) {
        played = true;
        // As the replay starts the board shows the snapshot: the removed piece stands again.
        EXPECT_NE(game->piece_array[static_cast<std::size_t>(hq)].location, location_free);
    });
    responder.answer(box_answer::no); // "Further Actions"
    form->menu_item(1028)->trigger();
    EXPECT_TRUE(played);
    EXPECT_EQ(replay_delay, 0);
    EXPECT_TRUE(responder.saw("Further Actions"));
    EXPECT_EQ(locations(), before);
    EXPECT_EQ(board->hex_piece_counts, counts);
    EXPECT_EQ(game->history_stream, history);
    EXPECT_TRUE(form->controls().open_button->isEnabled());
}

TEST_F(replay_view_test, stopping_after_each_action_waits_for_the_pause_box_and_quit_ends_it) {
    const auto before = locations();
    int pauses = 0;
    when_modal<set_replay_delay_form>([](set_replay_delay_form& f) {
        f.stop_button()->click();
        f.ok_button()->click();
    });
    when_modal<replay_paused_form>([&pauses](replay_paused_form& f) {
        ++pauses;
        EXPECT_EQ(f.windowTitle().toStdString(), "Action: 1");
        f.cb_2()->click();
    });
    responder.answer(box_answer::no);
    form->menu_item(1028)->trigger();
    EXPECT_EQ(replay_delay, 20);
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(locations(), before);
}

TEST_F(replay_view_test, cancel_in_the_settings_plays_nothing) {
    // A played move would sound.
    std::vector<game_sound> sounds;
    const auto saved_hook = game_sound_hook;
    game_sound_hook = [&sounds](game_sound s) { sounds.push_back(s); };
    when_modal<set_replay_delay_form>([](set_replay_delay_form& f) { f.cancel_button()->click(); });
    responder.answer(box_answer::no);
    form->menu_item(1028)->trigger();
    EXPECT_TRUE(sounds.empty());
    // Started, it does.
    when_modal<set_replay_delay_form>([](set_replay_delay_form& f) {
        f.no_delay_button()->click();
        f.ok_button()->click();
    });
    responder.answer(box_answer::no);
    form->menu_item(1028)->trigger();
    game_sound_hook = saved_hook;
    EXPECT_FALSE(sounds.empty());
}

TEST_F(replay_view_test, a_history_of_only_its_header_is_empty) {
    clear_history();
    const auto before = locations();
    responder.answer(box_answer::ok).answer(box_answer::no);
    form->menu_item(1028)->trigger();
    EXPECT_TRUE(responder.saw("Replay Empty", "There are no actions stored in the replay file."));
    EXPECT_EQ(locations(), before);
}

TEST_F(replay_view_test, a_watcher_who_may_not_see_a_moving_piece_is_told_only_that_pieces_moved) {
    // Red hides its pieces; the Red Guns move fully hidden while a visitor watches.
    game->player_array[1].flags = player_flag_uses_hidden;
    const std::int32_t guns = piece("Red Guns");
    game->piece_array[static_cast<std::size_t>(guns)].hidden = 2;
    clear_history();
    const std::int32_t moving[] = {guns, -1};
    ASSERT_EQ(take_up_for_move(moving), 1);
    ASSERT_TRUE(add_path_step(board->map_columns * 12 + 20));
    finish_move();
    const auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records && records->size() == 1);
    const replay_display d = describe_replay_record(game->history_stream, records->front());
    EXPECT_EQ(d.title, "Hidden Pieces Moving");
    EXPECT_FALSE(d.marks);
    EXPECT_EQ(d.lines.back(), "Movement path not shown.");
    // Its owner sees the move itself.
    game->player_array[1].flags = player_flag_uses_hidden;
    const int watcher = current_player;
    current_player = 1;
    EXPECT_EQ(describe_replay_record(game->history_stream, records->front()).title, "Movement Replay");
    current_player = watcher;
}

TEST_F(replay_view_test, with_blinking_on_a_placed_piece_leaves_its_hex_twice_before_it_stays) {
    clear_history();
    placement_list = {{1, 0, 0}};
    const std::int32_t hex = board->map_columns * 4 + 14;
    ASSERT_EQ(create_placement_pieces(hex, false), 1);
    std::int32_t placed = -1;
    for (int i = 0; i < game->piece_end_index; ++i)
        if (game->piece_array[static_cast<std::size_t>(i)].location == hex) placed = i;
    ASSERT_GE(placed, 0);
    // Each redraw of the hex during the replay: whether the piece was in it.
    std::vector<bool> drawn_with_piece;
    const auto saved_hook = map_hex_redraw_hook;
    map_hex_redraw_hook = [&](std::int32_t h) {
        if (h == hex)
            drawn_with_piece.push_back(game->piece_array[static_cast<std::size_t>(placed)].location == hex);
        if (saved_hook) saved_hook(h);
    };
    replay_blink = 1;
    when_modal<set_replay_delay_form>([](set_replay_delay_form& f) {
        EXPECT_TRUE(f.blink()->isChecked());
        f.no_delay_button()->click();
        f.ok_button()->click();
    });
    responder.answer(box_answer::no);
    form->menu_item(1028)->trigger();
    map_hex_redraw_hook = saved_hook;
    // Off, on, off, on: it comes into the hex twice (once without blinking).
    drawn_with_piece.erase(std::unique(drawn_with_piece.begin(), drawn_with_piece.end()),
                           drawn_with_piece.end());
    EXPECT_EQ(drawn_with_piece, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(placed)].location, hex);
}

} // namespace
