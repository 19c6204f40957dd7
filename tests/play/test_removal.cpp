// Taking pieces off the board: out of the game or into a force pool, asked or not.
#include "test_support.h"

#include "data/command_state.h"
#include "data/history_records.h"
#include "data/options.h"
#include "play/forms/remove_unit_to_form.h"
#include "play/pools.h"
#include "play/removal.h"
#include "players/modal_driver.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>

namespace {

class removal_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_command_state();
        make_plain_board(3, 3);
        const int c = add_class();
        game->class_array[static_cast<std::size_t>(c)].symbol = 0;
        set_name(game->class_array[static_cast<std::size_t>(c)].name, "Rifles");
        piece = add_piece();
        auto& p = game->piece_array[static_cast<std::size_t>(piece)];
        p.class_index = c;
        p.location = 4;
        p.flags = 0;
        std::memset(p.value_types, 0, sizeof p.value_types);
        set_name(p.name, "1st");
        board->hex_piece_counts[4] = 1;
        // Pools: a force pool, a hand, another force pool, the end.
        pool_struct force, hand, second, end;
        set_name(force.name, "Reserve");
        force.type = 1;
        force.piece_count = 0;
        hand.type = pool_type_hand;
        hand.piece_count = 0;
        set_name(second.name, "Depot");
        second.type = 1;
        second.piece_count = 0;
        game->pool_array = {force, hand, second, end};
        saved = {ask_remove_to_pool, auto_remove_to_pool};
        remove_question_hook = nullptr;
    }
    void TearDown() override {
        ask_remove_to_pool = saved.first;
        auto_remove_to_pool = saved.second;
        remove_question_hook = nullptr;
        last_remove_to_pool = 0;
        last_remove_pool = 0;
    }
    piece_struct& p() { return game->piece_array[static_cast<std::size_t>(piece)]; }
    static std::vector<int> codes() {
        std::vector<int> v;
        if (auto r = walk_history(game->history_stream))
            for (const auto& x : *r)
                v.push_back(x.code);
        return v;
    }
    int piece = -1;
    std::pair<std::uint8_t, std::uint8_t> saved;
};

TEST_F(removal_test, without_a_question_the_piece_leaves_the_game_and_every_list) {
    ask_remove_to_pool = 0;
    auto_remove_to_pool = 0;
    int asked = 0;
    remove_question_hook = [&](std::int32_t, bool) { ++asked; };
    selected_pieces[0] = piece;
    selected_pieces[1] = -1;
    attacker_list[0] = piece;
    attacker_list[1] = -1;
    EXPECT_TRUE(remove_piece_from_board(piece));
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(p().location, location_free);
    EXPECT_EQ(board->hex_piece_counts[4], 0);
    EXPECT_EQ(selected_pieces[0], -1);
    EXPECT_EQ(attacker_list[0], -1);
    EXPECT_EQ(codes(), std::vector<int>{history_code_remove_piece});
    EXPECT_FALSE(remove_piece_from_board(piece)) << "no longer on the map";
}

TEST_F(removal_test, a_cancelled_or_unusable_answer_changes_nothing) {
    ask_remove_to_pool = 1;
    auto_remove_to_pool = 0;
    const auto history = game->history_stream;
    struct row {
        int choice, pool;
    };
    // Cancelled; a hand; past the end record; a negative pool.
    for (const row r : {row{remove_cancelled, 0}, row{remove_into_pool, 1}, row{remove_into_pool, 3},
                        row{remove_into_pool, -1}}) {
        remove_question_hook = [r](std::int32_t, bool) {
            remove_choice = r.choice;
            remove_pool = r.pool;
        };
        EXPECT_FALSE(remove_piece_from_board(piece)) << r.choice << " " << r.pool;
        EXPECT_EQ(p().location, 4);
        EXPECT_EQ(board->hex_piece_counts[4], 1);
        EXPECT_EQ(game->history_stream, history);
    }
    EXPECT_EQ(force_pools(), (std::vector<int>{0, 2})) << "hands and decks are no force pools";
}

TEST_F(removal_test, into_a_pool_through_the_form) {
    ask_remove_to_pool = 1;
    auto_remove_to_pool = 0;
    install_removal_hooks();
    when_modal<remove_unit_to_form>([](remove_unit_to_form& f) {
        EXPECT_EQ(f.pool_list()->count(), 2);
        f.place_to_pool_button()->click();
        f.pool_list()->setCurrentRow(-1);
        f.remove_now()->click(); // no pool chosen: refused, the form stays
        EXPECT_TRUE(f.isVisible());
        f.pool_list()->setCurrentRow(1); // "Depot"
        f.remove_now()->click();
    });
    EXPECT_TRUE(remove_piece_from_board(piece));
    EXPECT_TRUE(responder.saw("No Pool Selected"));
    EXPECT_EQ(p().location, 2);
    EXPECT_TRUE(p().in_pool());
    EXPECT_EQ(game->pool_array[2].piece_count, 1);
    EXPECT_EQ(board->hex_piece_counts[4], 0);
    EXPECT_EQ(last_remove_pool, 2);
    EXPECT_EQ(codes(), std::vector<int>{history_code_remove_piece});
    EXPECT_EQ(pool_row_texts({})[2], "Depot  (1 pieces)");
    EXPECT_EQ(pool_row_texts({})[0], "Reserve  (Empty)");
}

} // namespace
