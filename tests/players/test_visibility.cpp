#include "visibility_cases.h"

#include "data/alliances.h"
#include "data/current_player.h"
#include "players/visibility.h"
#include "test_support.h"

namespace {

using namespace visibility_cases;

class visibility_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        build_game(true);
    }
    void TearDown() override { current_player = -1; }
};

const char* viewer_name(std::size_t column) {
    static const char* names[] = {"visitor",   "failed log-on", "owner",     "ally",
                                  "one-sided", "stranger",      "no record", "game master"};
    return names[column];
}

TEST_F(visibility_test, truth_table) {
    for (const row& r : truth_table) {
        const int piece = piece_named(r.piece);
        ASSERT_GE(piece, 0) << r.piece;
        const piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
        const class_struct& c = game->class_array[static_cast<std::size_t>(p.class_index)];
        for (std::size_t v = 0; v < viewers.size(); ++v) {
            current_player = viewers[v];
            SCOPED_TRACE(std::string(r.piece) + ", seen by the " + viewer_name(v));
            const int code = get_piece_visibility(piece);
            EXPECT_EQ(code, r.by_viewer[v].code);
            EXPECT_EQ(get_piece_display_symbol(piece), r.by_viewer[v].symbol);
            // One answer for a pool piece, whichever function is asked; a card is known only
            // when it is seen face up.
            if (p.is_card()) {
                EXPECT_EQ(get_pool_piece_visibility(piece), code == 3 ? 3 : 0);
            } else if (p.in_pool()) {
                EXPECT_EQ(get_pool_piece_visibility(piece), code);
            }
            // The class symbol exactly when the code allows it; never a face-down card's face.
            if (code < visibility_info_hidden) {
                EXPECT_NE(get_piece_display_symbol(piece), c.symbol);
            }
        }
    }
}

TEST_F(visibility_test, indices_that_name_nothing) {
    current_player = alice;
    for (int piece : {-1, game->piece_end_index, game->piece_end_index + 5}) {
        EXPECT_EQ(get_piece_visibility(piece), 0);
        EXPECT_EQ(get_pool_piece_visibility(piece), 0);
        EXPECT_EQ(get_piece_display_symbol(piece), 0);
    }
    // A piece of a class that does not exist, and one of a deleted class.
    const int piece = piece_named("A board 2 own");
    game->piece_array[static_cast<std::size_t>(piece)].class_index = 5000;
    EXPECT_EQ(get_piece_visibility(piece), 0);
    EXPECT_EQ(get_piece_display_symbol(piece), 0);
    game->piece_array[static_cast<std::size_t>(piece)].class_index = 0;
    game->class_array[0].symbol = class_free;
    EXPECT_EQ(get_piece_display_symbol(piece), 0);
}

TEST_F(visibility_test, game_without_players_hides_nothing_of_its_owners) {
    // The class owners name player records no longer there.
    game->player_array = {player_struct{}};
    alliance_table.clear();
    for (int viewer : {-1, 0, 3}) {
        current_player = viewer;
        EXPECT_EQ(get_piece_visibility(piece_named("A board 2 own")), 3);
        EXPECT_EQ(get_piece_visibility(piece_named("A pool 0")), 3);
        EXPECT_EQ(get_piece_visibility(piece_named("card A hand")), 1);
    }
}

TEST_F(visibility_test, a_short_alliance_table_is_no_alliance) {
    alliance_table = {{1, {0, 1}}}; // Alice lists Bob; Bob has no entry
    current_player = bob;
    EXPECT_EQ(get_piece_visibility(piece_named("A board 2 own")), 1);
    EXPECT_EQ(get_piece_visibility(piece_named("card A hand")), 1);
    alliance_table = {{1, {0}}, {1, {1}}}; // entries with too few flags
    EXPECT_EQ(get_piece_visibility(piece_named("A board 1")), 2);
    EXPECT_FALSE(players_allied(alice, bob));
}

TEST_F(visibility_test, hidden_state_of_a_pool_piece_does_not_open_the_pool) {
    // However its hidden state reads, a piece in Alice's pool is not known to Bob.
    const int piece = piece_named("A pool 0");
    current_player = bob;
    for (int hidden : {0, 1, 2, 3}) {
        game->piece_array[static_cast<std::size_t>(piece)].hidden = static_cast<std::uint8_t>(hidden);
        EXPECT_EQ(get_piece_visibility(piece), 0) << hidden;
    }
}

TEST(player_display_name, cases) {
    free_game();
    for (int i : {-1, 0, 255})
        EXPECT_EQ(player_display_name(i), "Unknown") << "no player array, " << i;
    new_game();
    EXPECT_EQ(player_display_name(255), "Visitor"); // a player array without a player
    EXPECT_EQ(player_display_name(0), "Unknown");
    visibility_cases::add_player("Alice", 0, 30001);
    visibility_cases::add_player("Bob", 0, 30001);
    struct {
        int index;
        const char* name;
    } cases[] = {{-2, "Unknown"}, {-1, "Unknown"}, {0, "Alice"},     {1, "Bob"},
                 {2, "Unknown"},  {3, "Unknown"},  {200, "Unknown"}, {255, "Visitor"}};
    for (const auto& c : cases)
        EXPECT_EQ(player_display_name(c.index), c.name) << c.index;
    // A record after the end record does not count.
    game->player_array.push_back(game->player_array[0]);
    EXPECT_EQ(player_display_name(3), "Unknown");
}

TEST(alliances, fitting_pads_a_short_table_and_keeps_its_flags) {
    alliance_table = {{1, {0, 1}}};
    fit_alliance_table(3);
    ASSERT_EQ(alliance_table.size(), 3u);
    EXPECT_EQ(alliance_table[0].flags, (std::vector<std::int32_t>{0, 1, 0}));
    EXPECT_EQ(alliance_table[2].flags, (std::vector<std::int32_t>{0, 0, 0}));
    // Both directions; the counts follow the flags whatever they said.
    alliance_table[2].count = 9;
    EXPECT_TRUE(set_alliance(2, 0, true));
    EXPECT_EQ(alliance_table[0].count, 2);
    EXPECT_EQ(alliance_table[2].count, 1);
    EXPECT_EQ(alliance_table[0].flags[2], 1);
    EXPECT_FALSE(set_alliance(0, 3, true));
    EXPECT_FALSE(set_alliance(-1, 0, true));
}

} // namespace
