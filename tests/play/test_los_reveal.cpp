// Reveal by line of sight: who is hidden, who looks, who finds whom, and the record it leaves.
#include "test_support.h"

#include "data/alliances.h"
#include "data/board.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "data/los_settings.h"
#include "data/symbols.h"
#include "play/los_reveal.h"

#include <map>
#include <random>

namespace {

class los_reveal_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        los_settings = los_settings_struct{};
        los_settings.ground_smoothing = 0;
        los_check = los_check_struct{};
        symbols->hex_shape = 0;
        terrain_los_array.assign(2, terrain_los_struct{});
        terrain_los_array[1].block_points = 500; // a wall
        terrain_los_array[1].height_above_ground = 9;
        make_plain_board(10, 4, 3);
        for (int row = 0; row < 4; ++row)
            board->hex_array[static_cast<std::size_t>(row * 10 + 5)].terrain = 1;
        game->player_array.assign(4, player_struct{});
        const char* names[] = {"Blue", "Red", "Green"};
        for (int p = 0; p < 3; ++p)
            set_name(game->player_array[static_cast<std::size_t>(p)].name, names[p]);
        reset_alliance_table(3);
        alliance_table[0].flags[2] = alliance_table[2].flags[0] = 1; // Blue and Green
        for (int owner : {0, 1, 2, owner_all_players, owner_nobody}) {
            const int c = add_class();
            game->class_array[static_cast<std::size_t>(c)].symbol = 0;
            game->class_array[static_cast<std::size_t>(c)].owner = static_cast<std::uint8_t>(owner);
            class_of[owner] = c;
        }
    }
    void TearDown() override {
        terrain_los_array.clear();
        reset_alliance_table(0);
    }
    int piece(int owner, int column, int row, int hidden = 0) {
        const int p = add_piece();
        piece_struct& q = game->piece_array[static_cast<std::size_t>(p)];
        q.class_index = class_of[owner];
        q.location = row * 10 + column;
        q.hidden = static_cast<std::uint8_t>(hidden);
        q.flags = 0;
        q.value_types[0] = 0;
        return p;
    }
    int hidden(int p) const { return game->piece_array[static_cast<std::size_t>(p)].hidden; }
    std::map<int, int> class_of;
};

TEST_F(los_reveal_test,
       enemies_in_sight_are_revealed_the_others_hidden_allies_and_all_players_pieces_find_nobody) {
    // Left of the wall: Blue, Green (Blue's ally), Red, a piece of nobody's class hidden before.
    const int blue = piece(0, 0, 0, 2), green = piece(2, 2, 0), red = piece(1, 3, 3, 1),
              nobody = piece(owner_nobody, 1, 3, 2);
    // Right of it: Blue and Green, seen only by each other and by a piece of all players.
    const int far_blue = piece(0, 8, 3), far_green = piece(2, 7, 2),
              everyone = piece(owner_all_players, 9, 0, 1);
    // Left alone: a card and a pooled piece.
    const int card = piece(1, 4, 0, 1);
    game->piece_array[static_cast<std::size_t>(card)].value_types[0] = value_type_card;
    const int pooled = piece(1, 0, 0, 1);
    game->piece_array[static_cast<std::size_t>(pooled)].flags = piece_flag_in_pool;
    game->piece_array[static_cast<std::size_t>(pooled)].location = 0;
    clear_history();
    run_los_auto_reveal();
    EXPECT_EQ(hidden(blue), 0);
    EXPECT_EQ(hidden(green), 0);
    EXPECT_EQ(hidden(red), 0);
    EXPECT_EQ(hidden(nobody), 0) << "found like any other piece";
    EXPECT_EQ(hidden(far_blue), 2) << "no enemy sees it";
    EXPECT_EQ(hidden(far_green), 2) << "an ally does not find it";
    EXPECT_EQ(hidden(everyone), 1) << "never hidden by the run";
    EXPECT_EQ(hidden(card), 1);
    EXPECT_EQ(hidden(pooled), 1);
    const auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records && records->size() == 1);
    EXPECT_EQ(records->front().code, history_code_los_reveal);
    EXPECT_EQ(game_modified, 1);
}

TEST_F(los_reveal_test, the_fast_reveal_gives_what_the_naive_loop_gives) {
    std::mt19937 rng(7);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        new_game();
        SetUp();
        for (int hex = 0; hex < 40; ++hex)
            board->hex_array[static_cast<std::size_t>(hex)].terrain = rng() % 4 == 0 ? 1 : 0;
        for (int hex = 0; hex < 40; ++hex)
            board->hex_array[static_cast<std::size_t>(hex)].elevation = static_cast<std::int32_t>(rng() % 3);
        const int owners[] = {0, 1, 2, owner_all_players, owner_nobody};
        // Small rounds and larger ones, which the reveal shares out over threads.
        const int count = round < 8 ? 14 : 120;
        for (int k = 0; k < count; ++k)
            piece(owners[rng() % 5], static_cast<int>(rng() % 10), static_cast<int>(rng() % 4),
                  static_cast<int>(rng() % 3));
        const auto start = game->piece_array;
        apply_los_reveal(true);
        std::vector<int> naive;
        for (const auto& p : game->piece_array)
            naive.push_back(p.hidden);
        game->piece_array = start;
        apply_los_reveal(false);
        std::vector<int> fast;
        for (const auto& p : game->piece_array)
            fast.push_back(p.hidden);
        EXPECT_EQ(fast, naive);
    }
}

} // namespace
