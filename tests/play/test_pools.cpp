// Force pools: making, naming, deleting and reordering them with the pieces they hold.
#include "test_support.h"

#include "data/current_player.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "play/pools.h"
#include "play/removal.h"

#include <cstring>

namespace {

class pools_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        make_plain_board(3, 3);
        saved_player = current_player;
        current_player = -1;
        cls = add_class();
        game->class_array[static_cast<std::size_t>(cls)].symbol = 0;
        game->class_array[static_cast<std::size_t>(cls)].owner = owner_all_players;
        set_name(game->class_array[static_cast<std::size_t>(cls)].name, "Rifles");
        game->pool_array.clear();
    }
    void TearDown() override {
        current_player = saved_player;
        last_remove_pool = 0;
    }
    int piece_in(int pool, const char* name) {
        const int i = add_piece();
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        p.class_index = cls;
        p.location = pool;
        p.flags = piece_flag_in_pool;
        std::memset(p.value_types, 0, sizeof p.value_types);
        set_name(p.name, name);
        return i;
    }
    piece_struct& piece(int i) { return game->piece_array[static_cast<std::size_t>(i)]; }
    pool_struct& pool(int k) { return game->pool_array[static_cast<std::size_t>(k)]; }
    int cls = 0, saved_player = -1;
};

TEST_F(pools_test, a_new_pool_is_a_force_pool_of_nobody_and_free_records_are_used_first) {
    ASSERT_EQ(create_force_pool("Blue Reserves"), 0);
    ASSERT_EQ(create_force_pool("Red Reserves"), 1);
    ASSERT_EQ(game->pool_array.size(), 3u);
    EXPECT_EQ(pool(2).piece_count, class_end);
    EXPECT_EQ(name_of(pool(1).name), "Red Reserves");
    EXPECT_EQ(pool(1).type, 1);
    EXPECT_EQ(pool(1).owner, owner_all_players);
    EXPECT_EQ(pool(1).location, location_end);
    EXPECT_EQ(pool(1).piece_count, 0);
    pool(0).piece_count = class_free;
    EXPECT_EQ(allocate_pool_slot(), 0);
    EXPECT_EQ(game->pool_array.size(), 3u);

    // Names are stored with 24 characters, and compared as stored.
    const std::string long_name = "A pool with a very long name";
    ASSERT_EQ(create_force_pool(long_name), 0);
    EXPECT_EQ(name_of(pool(0).name), long_name.substr(0, 24));
    EXPECT_TRUE(pool_name_taken(long_name.substr(0, 24) + "xyz"));
    EXPECT_TRUE(pool_name_taken("Red Reserves"));
    EXPECT_FALSE(pool_name_taken("red reserves"));
    pool(1).piece_count = class_free;
    EXPECT_FALSE(pool_name_taken("Red Reserves")); // a free record names no pool
}

TEST_F(pools_test, deleting_the_second_of_three_pools_frees_its_pieces_and_renumbers_the_third) {
    create_force_pool("First");
    create_force_pool("Second");
    create_force_pool("Third");
    const int a = piece_in(0, "a"), b = piece_in(1, "b"), c = piece_in(2, "c");
    recount_pools();
    clear_history();
    ASSERT_GE(append_remove_piece_record(c, 4, 1, 2), 0);
    last_remove_pool = 2;

    ASSERT_TRUE(delete_pool(1));
    EXPECT_EQ(pool_records(), 2);
    EXPECT_EQ(name_of(pool(1).name), "Third");
    EXPECT_EQ(pool(2).piece_count, class_end);
    EXPECT_EQ(piece(a).location, 0);
    EXPECT_EQ(piece(b).location, location_free);
    EXPECT_FALSE(piece(b).in_pool());
    EXPECT_EQ(piece(c).location, 1);
    EXPECT_EQ(last_remove_pool, 1);
    const auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records && records->size() == 1);
    EXPECT_EQ(record_field(game->history_stream, records->front(), "pool")->value, 1);
}

TEST_F(pools_test, a_pool_the_history_names_in_a_card_action_is_not_deleted) {
    create_force_pool("Deck");
    pool(0).type = pool_type_deck;
    const int card = piece_in(0, "card");
    clear_history();
    ASSERT_GE(append_deck_shuffled_record(0), 0);
    const auto before = game->history_stream;
    EXPECT_FALSE(delete_pool(0));
    EXPECT_EQ(pool_records(), 1);
    EXPECT_EQ(piece(card).location, 0);
    EXPECT_EQ(game->history_stream, before);
}

TEST_F(pools_test, swapping_pools_takes_their_pieces_along) {
    create_force_pool("Reserve");
    create_force_pool("Deck");
    pool(1).type = pool_type_deck;
    const int soldier = piece_in(0, "soldier"), card = piece_in(1, "card");
    ASSERT_TRUE(swap_pools(1, 0));
    EXPECT_EQ(name_of(pool(0).name), "Deck");
    EXPECT_EQ(pool(0).type, pool_type_deck);
    EXPECT_EQ(piece(card).location, 0);
    EXPECT_EQ(piece(soldier).location, 1);
}

TEST_F(pools_test, rows_count_the_known_pieces_not_listed) {
    create_force_pool("Reserve");
    create_force_pool("Hidden");
    create_force_pool("Nothing");
    const int one = piece_in(0, "one");
    // Pool 1 holds a piece of a player who hides pool pieces.
    game->player_array.assign(2, player_struct{});
    set_name(game->player_array[0].name, "Blue");
    game->player_array[0].flags = player_flag_pool_hidden;
    const int secret_class = add_class();
    game->class_array[static_cast<std::size_t>(secret_class)].symbol = 0;
    game->class_array[static_cast<std::size_t>(secret_class)].owner = 0;
    const int secret = piece_in(1, "secret");
    piece(secret).class_index = secret_class;
    recount_pools();
    EXPECT_EQ(pool_row_texts({}),
              (std::vector<std::string>{"Reserve  (1 pieces)", "Hidden  (Unknown)", "Nothing  (Empty)"}));
    EXPECT_EQ(pool_row_texts({one})[0], "Reserve  (Empty)");
    EXPECT_EQ(format_piece_description(secret), "Unknown (Blue)");
    EXPECT_EQ(format_pool_piece_description(one), "one  Rifles  [Reserve]");
    EXPECT_TRUE(pool_holds_unknown_pieces(1));
    EXPECT_FALSE(pool_holds_unknown_pieces(0));
    EXPECT_EQ(known_pool_pieces(1, {}), std::vector<std::int32_t>{});
    EXPECT_EQ(known_pool_pieces(0, {}), std::vector<std::int32_t>{one});
}

TEST_F(pools_test, transfer_and_delete_move_only_pooled_pieces_and_the_recount_follows) {
    create_force_pool("From");
    create_force_pool("To");
    const int a = piece_in(0, "a"), b = piece_in(0, "b");
    const int on_board = piece_in(0, "c");
    piece(on_board).flags = 0;
    piece(on_board).location = 4;
    recount_pools();
    EXPECT_EQ(pool(0).piece_count, 2);
    transfer_pieces_to_pool({a, on_board}, 1);
    EXPECT_EQ(piece(a).location, 1);
    EXPECT_EQ(pool(0).piece_count, 1);
    EXPECT_EQ(pool(1).piece_count, 1);
    EXPECT_EQ(piece(on_board).location, 4);
    delete_pieces_from_game({b});
    EXPECT_EQ(piece(b).location, location_free);
    EXPECT_EQ(pool(0).piece_count, 0);
    pool(1).piece_count = 7;
    recount_pools();
    EXPECT_EQ(pool(0).piece_count, 0);
    EXPECT_EQ(pool(1).piece_count, 1);
}

} // namespace
