// Growing, deleting and saving player records.
#include "player_fixture.h"

#include "data/symbols.h"
#include "data/history_stream.h"
#include "players/player_records.h"
#include "players/visibility.h"

namespace {

class player_records_test : public player_fixture {
protected:
    int add_owned_class(const std::string& name, int owner) {
        const int c = add_class();
        set_name(game->class_array[static_cast<std::size_t>(c)].name, name);
        game->class_array[static_cast<std::size_t>(c)].symbol = 0;
        game->class_array[static_cast<std::size_t>(c)].owner = static_cast<std::uint8_t>(owner);
        return c;
    }
    void add_stack_def(int owner) {
        stack_def_struct d;
        d.stack_symbol = 0;
        d.owner = owner;
        game->stack_def_array.insert(game->stack_def_array.end() - 1, d);
    }
    void add_pool(int owner) {
        pool_struct p;
        p.piece_count = 0;
        p.owner = static_cast<std::uint8_t>(owner);
        game->pool_array.insert(game->pool_array.end() - 1, p);
    }
};

TEST_F(player_records_test, growing_appends_a_default_record_and_grows_the_alliances) {
    add_player("Alice");
    add_player("Bob");
    reset_alliance_table(2);
    set_alliance(0, 1, true);
    ASSERT_EQ(grow_player_array(), 2);
    const auto& a = game->player_array;
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(game->player_count, 4);
    const player_struct& p = a[2];
    EXPECT_EQ(p.name[0], 0);
    EXPECT_EQ(p.password[0], 0);
    EXPECT_EQ(p.picture_file[0], 0);
    EXPECT_EQ(p.zoom_level, 1);
    EXPECT_EQ(p.view_origin, 0);
    EXPECT_EQ(p.default_hidden_symbol, 30001);
    EXPECT_EQ(p.reveal_range, 3);
    EXPECT_EQ(p.flags, 0);
    EXPECT_EQ(p.replay_delay, 10);
    EXPECT_EQ(a[3].name[0], 0);
    ASSERT_EQ(alliance_table.size(), 3u);
    for (const auto& e : alliance_table)
        EXPECT_EQ(e.flags.size(), 3u);
    EXPECT_TRUE(players_allied(0, 1)) << "old alliances kept";
    EXPECT_EQ(alliance_table[2].count, 0);

    // Taking back a record never saved leaves the game as it was.
    discard_new_player(2);
    EXPECT_EQ(a.size(), 3u);
    EXPECT_EQ(game->player_count, 3);
    EXPECT_EQ(alliance_table.size(), 2u);
    EXPECT_TRUE(players_allied(0, 1));
    discard_new_player(1); // a named player is never taken back
    EXPECT_EQ(players_in_game(), 2);
}

TEST_F(player_records_test, no_more_than_200_players) {
    for (int i = 0; i < 199; ++i)
        add_player("P" + std::to_string(i));
    EXPECT_EQ(grow_player_array(), 199);
    set_name(game->player_array[199].name, "Last");
    EXPECT_TRUE(responder.shown().empty());
    EXPECT_EQ(grow_player_array(), -1);
    EXPECT_EQ(responder.count("Player Limit Reached"), 1);
    EXPECT_EQ(game->player_array.size(), 201u);
    EXPECT_EQ(players_in_game(), 200);
}

TEST_F(player_records_test, deleting_player_1_of_3_renumbers_owners_and_clears_the_history) {
    add_player("Alice");
    add_player("Bob", "PW");
    add_player("Carol");
    reset_alliance_table(3);
    set_alliance(0, 2, true);
    const int c_all = add_owned_class("All", 200);
    const int c_none = add_owned_class("None", 201);
    const int c_carol = add_owned_class("Carol's", 2);
    const int c_alice = add_owned_class("Alice's", 0);
    add_stack_def(2);
    add_stack_def(200);
    add_pool(2);
    add_pool(1);
    add_pool(200);
    current_player = 2;
    ASSERT_GE(append_history_record(0, 22), 0);
    responder.answer(box_answer::ok);
    entries = {"pw"};
    ASSERT_TRUE(delete_player(1));
    EXPECT_EQ(responder.count("Confirm Player Deletion", "This Delete Action can not be UNDONE."), 1);
    ASSERT_EQ(players_in_game(), 2);
    EXPECT_EQ(player_display_name(1), "Carol");
    EXPECT_EQ(game->player_array.size(), 3u);
    EXPECT_EQ(game->player_count, 3);
    auto owner = [](int c) { return static_cast<int>(game->class_array[static_cast<std::size_t>(c)].owner); };
    EXPECT_EQ(owner(c_all), 200);
    EXPECT_EQ(owner(c_none), 201);
    EXPECT_EQ(owner(c_carol), 1);
    EXPECT_EQ(owner(c_alice), 0);
    EXPECT_EQ(game->stack_def_array[0].owner, 1);
    EXPECT_EQ(game->stack_def_array[1].owner, 200);
    EXPECT_EQ(game->pool_array[0].owner, 1);
    EXPECT_EQ(game->pool_array[1].owner, 201) << "the deleted player's pool is hidden to all";
    EXPECT_EQ(game->pool_array[2].owner, 200);
    EXPECT_EQ(current_player, 1) << "the logged-in Carol is still herself";
    ASSERT_EQ(alliance_table.size(), 2u);
    EXPECT_TRUE(players_allied(0, 1)) << "Alice and Carol stay allied";
    const byte_vector after = game->history_stream;
    clear_history();
    EXPECT_EQ(after, game->history_stream) << "only the new header is left";
    EXPECT_EQ(game_modified, 1);
}

TEST_F(player_records_test, deletion_is_refused) {
    struct row {
        const char* what;
        int classes_owner; // -1 none
        int stack_owner;   // -1 none
        int logged_in;
        box_answer confirm;
        std::vector<std::string> passwords;
        std::vector<box_answer> failure_boxes;
        const char* caption;
        const char* text;
    };
    const row table[] = {
        {"logged in",
         -1,
         -1,
         1,
         box_answer::ok,
         {},
         {},
         "Can Not Delete Logged In Player",
         "Operation Cancelled.  You are logged-in as the player to be deleted.  \n\rPlease log-in as another "
         "player."},
        {"owns a class",
         1,
         -1,
         0,
         box_answer::ok,
         {},
         {},
         "Piece Class Condition Found",
         "This operation is being cancelled because one or  \n\rmore piece classes were found assigned to "
         "this "
         "player.   \n\rPlease edit the class defintions and try again.  \n\r( Tanks )"},
        {"owns a stack definition",
         -1,
         1,
         0,
         box_answer::ok,
         {},
         {},
         "Stack Symbol Condition Found",
         "This operation is being cancelled because one or  \n\rmore stack symbols were found assigned to "
         "this "
         "player.   \n\rPlease edit the stack defintions and try again.  \n\r(  )"},
        {"cancelled", -1, -1, 0, box_answer::cancel, {}, {}, "Confirm Player Deletion", nullptr},
        {"password cancelled", -1, -1, 0, box_answer::ok, {""}, {}, "Confirm Player Deletion", nullptr},
        {"wrong password",
         -1,
         -1,
         0,
         box_answer::ok,
         {"a", "b", "c"},
         {box_answer::ok, box_answer::ok, box_answer::ok},
         "Verification Failure",
         "Access denied"},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.what);
        SetUp();
        add_player("Alice");
        add_player("Bob", "PW");
        if (r.classes_owner >= 0) add_owned_class("Tanks", r.classes_owner);
        if (r.stack_owner >= 0) add_stack_def(r.stack_owner);
        current_player = r.logged_in;
        game_modified = 0;
        responder.clear();
        responder.answer(r.confirm);
        for (box_answer a : r.failure_boxes)
            responder.answer(a);
        entries.assign(r.passwords.begin(), r.passwords.end());
        EXPECT_FALSE(delete_player(1));
        EXPECT_EQ(players_in_game(), 2);
        EXPECT_EQ(player_display_name(1), "Bob");
        EXPECT_EQ(responder.count(r.caption, r.text ? r.text : ""), 1)
            << (responder.shown().empty() ? "" : responder.shown().back().caption);
        EXPECT_EQ(game_modified, 0);
        TearDown();
    }
}

TEST_F(player_records_test, saving_the_editor_fields) {
    const int p = add_player("Alice", "", player_flag_game_master | player_flag_uses_hidden);
    symbols->piece_symbols.resize(4);
    symbols->piece_symbol_count = 4;
    player_edit e;
    e.name = "Renamed";
    e.use_hidden = false;
    e.reveal_range = 70;
    e.picture_present = true;
    e.picture_path = "/some/where/" + std::string(60, 'x') + ".bmp";
    ASSERT_EQ(save_player_info(p, e, false), save_result::stored);
    player_struct& r = game->player_array[0];
    EXPECT_EQ(r.flags, player_flag_game_master) << "hidden flags cleared, GAMEMASTER kept";
    EXPECT_EQ(name_of(r.name), "Alice") << "a GAMEMASTER keeps his name";
    EXPECT_EQ(r.reveal_range, 50);
    EXPECT_EQ(name_of(r.picture_file), std::string(49, 'x')) << "cut to the field, its end byte kept";
    EXPECT_EQ(r.picture_file[49], 0);

    r.flags = 0;
    e.name = std::string(30, 'N');
    e.use_hidden = e.place_hidden = e.pools_hidden = e.default_symbol = true;
    e.symbol = 3;
    e.new_password = "new";
    e.use_password = true;
    e.picture_present = false;
    ASSERT_EQ(save_player_info(p, e, false), save_result::stored);
    EXPECT_EQ(name_of(r.name), std::string(24, 'N'));
    EXPECT_EQ(r.flags, 7);
    EXPECT_EQ(r.default_hidden_symbol, 3);
    EXPECT_EQ(stored_password(p), "NEW");
    EXPECT_EQ(r.picture_file[0], 0);

    // A symbol the set does not hold is no default.
    e.symbol = 63001;
    e.new_password.clear();
    entries = {"new"};
    ASSERT_EQ(save_player_info(p, e, true), save_result::stored);
    EXPECT_EQ(r.default_hidden_symbol, 30001);
    EXPECT_EQ(modes, std::vector<int>{2});
    EXPECT_EQ(game_modified, 1);
}

TEST_F(player_records_test, an_unverified_or_nameless_save_stores_nothing) {
    const int p = add_player("Alice", "OLD");
    player_edit e;
    e.name = "Mallory";
    e.use_password = false;
    entries = {""}; // the old-password check is cancelled
    EXPECT_EQ(save_player_info(p, e, true), save_result::stay_open);
    entries = {"a", "b", "c"};
    responder.answer(box_answer::ok).answer(box_answer::ok).answer(box_answer::ok);
    EXPECT_EQ(save_player_info(p, e, true), save_result::refused);
    e.name.clear();
    EXPECT_EQ(save_player_info(p, e, true), save_result::stay_open);
    EXPECT_EQ(responder.count("Player Name Missing"), 1);
    EXPECT_EQ(name_of(game->player_array[0].name), "Alice");
    EXPECT_EQ(stored_password(p), "OLD");
    EXPECT_EQ(game_modified, 0);
}

} // namespace
