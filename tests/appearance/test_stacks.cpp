// Stack definitions: the first one, in list order, that a hex's pieces meet.
#include "test_support.h"

#include "appearance/stacks.h"

namespace {

class stacks_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        // Classes 0 and 1 of player 0, class 2 of player 1; pieces 0..4 of classes 0,0,1,2,2.
        game->class_array.assign(4, class_struct{});
        for (int c = 0; c < 3; ++c) {
            game->class_array[static_cast<std::size_t>(c)].symbol = c;
            game->class_array[static_cast<std::size_t>(c)].owner = c == 2 ? 1 : 0;
        }
        game->class_array[3].symbol = class_end;
        game->piece_array.assign(6, piece_struct{});
        const int classes[] = {0, 0, 1, 2, 2};
        for (int p = 0; p < 5; ++p) {
            game->piece_array[static_cast<std::size_t>(p)].class_index = classes[p];
            game->piece_array[static_cast<std::size_t>(p)].location = 0;
        }
        game->piece_end_index = 5;
    }
    static stack_def_struct def(int symbol, int required, int minimum, int owner) {
        stack_def_struct d;
        d.stack_symbol = symbol;
        d.required_class = required;
        d.minimum_pieces[0] = d.minimum_pieces[1] = d.minimum_pieces[2] = static_cast<std::uint8_t>(minimum);
        d.minimum_pieces[1] = static_cast<std::uint8_t>(minimum + 10);
        d.owner = owner;
        return d;
    }
};

TEST_F(stacks_test, the_first_definition_the_pieces_meet_gives_the_symbol) {
    const std::vector<std::int32_t> all = {0, 1, 2, 3, 4};
    struct row {
        const char* name;
        std::vector<stack_def_struct> defs;
        int zoom;
        std::int32_t want;
    };
    const std::vector<row> table = {
        {"anyone's, enough pieces", {def(7, class_end, 5, owner_all_players)}, 0, 7},
        {"anyone's, one short", {def(7, class_end, 6, owner_all_players)}, 0, -1},
        {"the zoom's own minimum", {def(7, class_end, 5, owner_all_players)}, 1, -1},
        {"player 0's three pieces", {def(7, class_end, 3, 0)}, 0, 7},
        {"player 1 has only two", {def(7, class_end, 3, 1)}, 0, -1},
        {"a required class that is there", {def(7, 1, 1, owner_all_players)}, 0, 7},
        {"a required class that is not", {def(7, 3, 1, owner_all_players)}, 0, -1},
        {"a required class of another owner's", {def(7, 2, 1, 0)}, 0, -1},
        {"the first that matches, in list order",
         {def(7, 3, 1, owner_all_players), def(8, class_end, 2, 1), def(9, class_end, 1, owner_all_players)},
         0,
         8},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.name);
        game->stack_def_array = r.defs;
        game->stack_def_array.push_back(stack_def_struct{});
        EXPECT_EQ(choose_stack_symbol(all, r.zoom), r.want);
    }
}

TEST_F(stacks_test, a_new_definition_comes_before_the_end_and_keeps_the_others) {
    game->stack_def_array = {def(7, class_end, 5, 0), stack_def_struct{}};
    EXPECT_EQ(add_stack_def(), 1);
    ASSERT_EQ(game->stack_def_array.size(), 3u);
    EXPECT_EQ(game->stack_def_array[0].stack_symbol, 7);
    EXPECT_NE(game->stack_def_array[1].stack_symbol, class_end);
    EXPECT_EQ(game->stack_def_array[2].stack_symbol, class_end);
    game->stack_def_array.clear(); // no list at all
    EXPECT_EQ(add_stack_def(), 0);
    EXPECT_EQ(stack_def_count(), 1);
}

} // namespace
