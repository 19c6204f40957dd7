// Password checks and the log-on choices, without forms.
#include "player_fixture.h"

#include "data/board.h"
#include "data/view_state.h"
#include "players/visibility.h"

namespace {

class log_on_test : public player_fixture {};

constexpr const char* first_wrong = "That was your first incorrect response!";
constexpr const char* second_wrong = "That was your second incorrect response!";
constexpr const char* third_wrong =
    "That was your third incorrect response!  \n\rAccess denied, operation aborted.";

TEST_F(log_on_test, log_in_now_by_password_answers) {
    struct row {
        const char* what;
        std::vector<std::string> entries;
        std::vector<box_answer> boxes;
        bool closes;
        int player; // current_player afterwards
        int logged_in;
        int dialogs;
        std::vector<const char*> texts; // "Verification Failure" texts in order
    };
    const row table[] = {
        {"right at once", {"secret"}, {}, true, 1, 1, 1, {}},
        {"mixed case is the same password", {"SeCrEt"}, {}, true, 1, 1, 1, {}},
        {"right at the third try",
         {"x", "y", "secret"},
         {box_answer::ok, box_answer::ok},
         true,
         1,
         1,
         3,
         {first_wrong, second_wrong}},
        {"wrong three times",
         {"x", "y", "z"},
         {box_answer::ok, box_answer::ok, box_answer::ok},
         true,
         -2,
         0,
         3,
         {first_wrong, second_wrong, third_wrong}},
        {"cancel in the password dialog keeps the log-on open", {""}, {}, false, -1, 0, 1, {}},
        {"cancel in the try-again box keeps the log-on open",
         {"x"},
         {box_answer::cancel},
         false,
         -1,
         0,
         1,
         {first_wrong}},
        {"a longer entry than the stored 20 is not the password",
         {"secretsecretsecretsecretX"},
         {box_answer::cancel},
         false,
         -1,
         0,
         1,
         {first_wrong}},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.what);
        SetUp();
        add_player("Alice");
        add_player("Bob", "SECRET");
        entries.assign(r.entries.begin(), r.entries.end());
        for (box_answer a : r.boxes)
            responder.answer(a);
        responder.clear();
        EXPECT_EQ(log_in_as_player(1), r.closes);
        EXPECT_EQ(current_player, r.player);
        EXPECT_EQ(player_logged_in, r.logged_in);
        EXPECT_EQ(modes, std::vector<int>(static_cast<std::size_t>(r.dialogs), 1));
        ASSERT_EQ(responder.shown().size(), r.texts.size());
        for (std::size_t i = 0; i < r.texts.size(); ++i) {
            EXPECT_EQ(responder.shown()[i].caption, "Verification Failure");
            EXPECT_EQ(responder.shown()[i].icon, box_icon::stop);
            EXPECT_EQ(responder.shown()[i].text.rfind(r.texts[i], 0), 0u) << responder.shown()[i].text;
        }
        EXPECT_TRUE(entries.empty());
        modes.clear();
        TearDown();
    }
}

TEST_F(log_on_test, the_other_buttons_and_a_player_without_password) {
    add_player("Alice");
    EXPECT_TRUE(log_in_as_player(0));
    EXPECT_TRUE(modes.empty()) << "no password, no dialog";
    EXPECT_EQ(current_player, 0);
    EXPECT_EQ(player_logged_in, 1);

    EXPECT_TRUE(log_in_as_visitor());
    EXPECT_EQ(current_player, -1);
    EXPECT_EQ(player_logged_in, 1);

    EXPECT_TRUE(cancel_log_on());
    EXPECT_EQ(current_player, -2);
    EXPECT_EQ(player_logged_in, 0);

    // No player selected (a game without players, or past the list): nothing happens.
    current_player = -1;
    EXPECT_FALSE(log_in_as_player(-1));
    EXPECT_FALSE(log_in_as_player(1));
    EXPECT_EQ(current_player, -1);
    EXPECT_EQ(player_logged_in, 0);
}

TEST_F(log_on_test, verify_takes_mode_from_edit_index_and_refuses_unknown_players) {
    add_player("Alice", "ABC");
    for (int mode : {0, 1, 2}) {
        edit_index = mode;
        entries = {"abc"};
        EXPECT_EQ(verify_player_password(0), 1);
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(verify_player_password(5), 0);
    EXPECT_EQ(verify_player_password(-1), 0);
    EXPECT_TRUE(password_matches(0, "Abc"));
    EXPECT_FALSE(password_matches(0, "AB"));
    EXPECT_FALSE(password_matches(0, "ABCD"));
}

TEST_F(log_on_test, new_passwords_are_upper_case_and_at_most_20) {
    struct row {
        const char* entry;
        int stored;
        const char* expected;
    };
    const row table[] = {
        {"abc", 3, "ABC"},
        {"Pass-1 ok?", 10, "PASS-1 OK?"},
        {"abcdefghijklmnopqrstuvwxy", 20, "ABCDEFGHIJKLMNOPQRST"},
        {"", 0, ""},
    };
    const int p = add_player("Alice", "OLD");
    for (const row& r : table) {
        entries = {r.entry};
        EXPECT_EQ(ask_new_player_password(p), r.stored) << r.entry;
        EXPECT_EQ(stored_password(p), r.expected);
        if (r.stored == 20) {
            EXPECT_NE(game->player_array[0].password[19], 0) << "no end byte at 20";
        }
    }
    EXPECT_EQ(modes, std::vector<int>(4, 0));
    // For a record not yet made nothing is stored; the text waits in form_result_text.
    entries = {"later"};
    EXPECT_EQ(ask_new_player_password(-1), 5);
    EXPECT_EQ(form_result_text, "LATER");
    EXPECT_EQ(stored_password(p), "");
}

TEST_F(log_on_test, log_in_as_a_new_player_only_when_one_was_made) {
    add_player("Alice");
    player_info_form_hook = [] {
        EXPECT_EQ(edit_index, 1);
        auto& a = game->player_array;
        a.insert(a.end() - 1, player_struct{});
        set_name(a[1].name, "Carol");
    };
    EXPECT_TRUE(log_in_as_new_player());
    EXPECT_EQ(current_player, 1);
    EXPECT_EQ(player_logged_in, 1);

    current_player = -1;
    player_logged_in = 0;
    player_info_form_hook = [] {}; // the editor was cancelled
    EXPECT_FALSE(log_in_as_new_player());
    EXPECT_EQ(current_player, -1);
    EXPECT_EQ(player_logged_in, 0);
}

TEST_F(log_on_test, log_on_after_an_open) {
    struct row {
        const char* what;
        bool players;
        bool earlier_game;
        std::vector<int> outcomes; // per run of the form: 1 logs on, 0 cancels
        std::vector<box_answer> warnings;
        bool kept;
        int runs;
    };
    const row table[] = {
        {"no players: no log-on", false, true, {}, {}, true, 0},
        {"logs on at once", true, true, {1}, {}, true, 1},
        {"cancel, try again, log on", true, true, {0, 1}, {box_answer::yes}, true, 2},
        {"cancel and give up", true, true, {0}, {box_answer::no}, false, 1},
        {"cancel with no game before: stays open", true, false, {0}, {}, true, 1},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.what);
        SetUp();
        if (r.players) add_player("Alice");
        responder.clear();
        for (box_answer a : r.warnings)
            responder.answer(a);
        std::size_t runs = 0;
        const bool kept = log_on_after_open(r.earlier_game, [&] {
            EXPECT_EQ(player_logged_in, 0);
            const int outcome = runs < r.outcomes.size() ? r.outcomes[runs] : 0;
            ++runs;
            outcome ? log_in_as_visitor() : cancel_log_on();
        });
        EXPECT_EQ(kept, r.kept);
        EXPECT_EQ(static_cast<int>(runs), r.runs);
        EXPECT_EQ(responder.count("Log-In Cancellation Warning",
                                  "Your original game has been replaced by the new game just loaded."),
                  static_cast<int>(r.warnings.size()));
        if (!r.players) {
            EXPECT_EQ(current_player, -1);
        }
        TearDown();
    }
}

TEST_F(log_on_test, a_players_saved_view_is_taken_when_valid) {
    struct row {
        int origin, zoom, delay;
        int want_origin, want_zoom, want_delay;
    };
    const row table[] = {
        {5, 2, 7, 5, 2, 7},
        {11, 3, 20, 11, 0, 10}, // 11 is the last of the 12 hexes
        {12, 3, 20, 0, 0, 10},
        {-1, 255, 255, 0, 0, 10},
    };
    board->hex_count = 12;
    const int p = add_player("Alice");
    for (const row& r : table) {
        player_struct& rec = game->player_array[static_cast<std::size_t>(p)];
        rec.view_origin = r.origin;
        rec.zoom_level = static_cast<std::uint8_t>(r.zoom);
        rec.replay_delay = static_cast<std::uint8_t>(r.delay);
        zoom_level = 1;
        view_origin_hex = 3;
        replay_delay = 10;
        current_player = p;
        player_logged_in = 1;
        restore_player_view();
        EXPECT_EQ(view_origin_hex, r.want_origin) << r.origin;
        EXPECT_EQ(zoom_level, r.want_zoom) << r.zoom;
        EXPECT_EQ(replay_delay, r.want_delay) << r.delay;
    }
    // A visitor starts at the corner at zoom 0.
    zoom_level = 2;
    view_origin_hex = 4;
    current_player = -1;
    restore_player_view();
    EXPECT_EQ(zoom_level, 0);
    EXPECT_EQ(view_origin_hex, 0);
    board->hex_count = 0;
}

} // namespace
