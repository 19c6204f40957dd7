// The piece actions form's logic: its rows, texts, buttons, column widths and hidden states.
#include "test_support.h"

#include "data/command_state.h"
#include "data/current_player.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "play/piece_actions.h"
#include "players/visibility.h"

#include <vector>

namespace {

class piece_actions_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_command_state();
        make_plain_board(4, 4);
        game->player_array.clear();
        for (const char* name : {"Blue", "Red"}) {
            player_struct p;
            set_name(p.name, name);
            p.flags = player_flag_uses_hidden;
            game->player_array.push_back(p);
        }
        game->player_array.push_back(player_struct{});
    }
    void TearDown() override { current_player = -1; }
    static int piece(int owner, std::int32_t at, int hidden) {
        const int c = add_class();
        auto& k = game->class_array[static_cast<std::size_t>(c)];
        k.owner = static_cast<std::uint8_t>(owner);
        k.symbol = 0;
        k.value_types[0] = 0;
        const int p = add_piece();
        auto& x = game->piece_array[static_cast<std::size_t>(p)];
        x.class_index = c;
        x.location = at;
        x.hidden = static_cast<std::uint8_t>(hidden);
        x.value_types[0] = 0;
        x.flags = 0;
        return p;
    }
};

TEST_F(piece_actions_test, column_widths_follow_the_shares_and_the_remembered_widths) {
    struct row {
        int w;
        bool facing;
        std::vector<int> remembered, expected;
    };
    const row table[] = {
        {621, false, {}, {14, 113, 123, 45, 123, 123, 62}},
        {621, true, {}, {14, 43, 103, 118, 45, 113, 113, 54}},
        // A remembered width gets its share of what the remembered ones leave (20 + 12); the
        // last column takes the rest, whatever it remembered.
        {621, false, {20, 0, 0, 0, 0, 0, 100}, {32, 113, 123, 45, 123, 123, 44}},
        // Remembered widths wider than the grid are forgotten.
        {621, false, {400, 400, 0, 0, 0, 0, 0}, {14, 113, 123, 45, 123, 123, 62}},
    };
    for (const row& r : table) {
        std::vector<int> remembered = r.remembered;
        EXPECT_EQ(action_column_widths(r.w, r.facing, remembered), r.expected) << r.w << " " << r.facing;
    }
}

TEST_F(piece_actions_test, texts_of_the_flags_and_facing_columns) {
    const std::pair<std::pair<int, int>, const char*> flags[] = {
        {{0, 0}, ""},    {{4, 0}, "M"},   {{5, 1}, "MAh"}, {{7, 2}, "MADH"},
        {{1, 0}, "  A"}, {{2, 0}, "  D"}, {{3, 0}, "  D"}, {{0, 2}, "H"}};
    for (const auto& [in, text] : flags)
        EXPECT_EQ(flags_text(static_cast<std::uint8_t>(in.first), static_cast<std::uint8_t>(in.second)),
                  text);
    const std::pair<int, const char*> facings[] = {{0, "None"},  {1, "N  "},   {10, "N  "},  {40, "N *"},
                                                   {20, "NE *"}, {11, "NE  "}, {35, "NW  "}, {99, ""}};
    for (const auto& [code, text] : facings)
        EXPECT_EQ(facing_text(code), text) << code;
}

TEST_F(piece_actions_test, buttons_by_rows_marks_and_mode) {
    const std::vector<action_row> seen{{0, 3}, {1, 3}}, hidden_only{{0, 1}};
    const std::vector<bool> all{true, true}, none{false, false}, one{true};
    auto b = compute_action_buttons(seen, all, true, 0);
    EXPECT_TRUE(b.flip && b.move && b.attack && b.defend && b.remove && b.add && b.sort);
    b = compute_action_buttons(hidden_only, one, true, 0);
    EXPECT_TRUE(b.move && b.attack && b.remove);
    EXPECT_FALSE(b.flip) << "a piece seen only by its hidden symbol cannot be flipped";
    EXPECT_FALSE(b.sort) << "one row";
    b = compute_action_buttons(seen, all, true, 2);
    EXPECT_FALSE(b.flip || b.move || b.attack || b.defend || b.remove || b.add);
    EXPECT_TRUE(b.sort);
    b = compute_action_buttons(seen, all, true, 3);
    EXPECT_FALSE(b.flip || b.move);
    EXPECT_TRUE(b.attack && b.defend && b.remove);
    b = compute_action_buttons(seen, none, true, 0);
    EXPECT_FALSE(b.flip || b.move || b.attack || b.defend || b.remove);
    b = compute_action_buttons({}, {}, false, 0);
    EXPECT_TRUE(b.add);
    EXPECT_FALSE(b.move || b.sort);
}

TEST_F(piece_actions_test, rows_are_what_the_player_may_see_and_hidden_states_change_piece_by_piece) {
    const int blue = piece(0, 5, 0), red_hidden = piece(1, 5, 2), red_seen = piece(1, 5, 0);
    piece(0, 6, 0); // another hex
    current_player = 0;
    game->player_array[1].default_hidden_symbol = 30001; // no hidden symbol: Red's hidden pieces show nothing
    const auto rows = build_action_rows(5);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].piece, blue);
    EXPECT_EQ(rows[1].piece, red_seen);
    EXPECT_EQ(action_selection[0], blue);
    EXPECT_EQ(action_selection[1], red_hidden) << "the hex's pieces, seen or not";
    EXPECT_EQ(action_selection[3], -1);

    // Blue may hide his own piece, not Red's.
    EXPECT_TRUE(change_hidden_state(blue, 1));
    EXPECT_FALSE(change_hidden_state(red_seen, 2));
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(red_seen)].hidden, 0);
    EXPECT_FALSE(change_hidden_state(blue, 1)) << "unchanged";
    auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 1u);
    EXPECT_EQ((*records)[0].code, history_code_change_hidden);
    // A game master may change every player's pieces; a visitor none.
    game->player_array[0].flags |= player_flag_game_master;
    EXPECT_TRUE(change_hidden_state(red_seen, 2));
    current_player = -1;
    EXPECT_FALSE(change_hidden_state(blue, 0));
}

} // namespace
