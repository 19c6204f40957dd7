// Placing new pieces: the records, the hidden states, pools, and the list form's limit.
#include "test_support.h"

#include "data/command_state.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "data/options.h"
#include "play/forms/get_units_to_place_form.h"
#include "play/forms/pool_placement_forms.h"
#include "play/placement.h"
#include "players/modal_driver.h"

#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <cstring>

namespace {

class placement_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_command_state();
        make_plain_board(3, 3);
        symbols->piece_symbols.assign(1, symbol_struct{});
        symbols->piece_symbol_count = 1;
        player_struct hider;
        set_name(hider.name, "Blue");
        hider.flags = player_flag_uses_hidden | player_flag_hidden_when_placed;
        game->player_array = {hider, player_struct{}};
        hidden_class = make_class("Scouts", 0);
        open_class = make_class("Markers", owner_all_players);
        card_class = make_class("Cards", owner_all_players);
        game->class_array[static_cast<std::size_t>(card_class)].value_types[0] = value_type_card;
        pool_struct pool, end;
        set_name(pool.name, "Reserve");
        pool.type = 1;
        pool.piece_count = 0;
        game->pool_array = {pool, end};
        auto_edit_new_pieces = 0;
        placement_list.clear();
        game_modified = 0;
    }
    void TearDown() override {
        placement_list.clear();
        placement_form_hook = nullptr;
    }
    static int make_class(const char* name, int owner) {
        const int c = add_class();
        auto& k = game->class_array[static_cast<std::size_t>(c)];
        set_name(k.name, name);
        k.symbol = 0;
        k.owner = static_cast<std::uint8_t>(owner);
        std::memset(k.value_types, 0, sizeof k.value_types);
        return c;
    }
    static std::vector<int> codes() {
        std::vector<int> v;
        if (auto r = walk_history(game->history_stream))
            for (const auto& x : *r)
                v.push_back(x.code);
        return v;
    }
    static std::vector<int> pieces_at(std::int32_t location, bool pooled) {
        std::vector<int> out;
        for (int i = 0; i < game->piece_end_index; ++i) {
            const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
            if (p.location == location && p.in_pool() == pooled) out.push_back(i);
        }
        return out;
    }
    int hidden_class = -1, open_class = -1, card_class = -1;
};

TEST_F(placement_test, pieces_at_a_hex_are_recorded_as_a_group_and_one_by_one) {
    struct row {
        std::vector<placement_entry> list;
        std::vector<int> records;
    };
    const row table[] = {
        {{{1, 0, 0}}, {history_code_add_piece}},
        {{{2, 0, 0}, {1, 1, 0}},
         {history_code_add_group, history_code_add_piece, history_code_add_piece, history_code_add_piece}},
    };
    for (const row& r : table) {
        clear_history();
        const std::int32_t hex = 4;
        const auto before = pieces_at(hex, false).size();
        placement_list = r.list;
        const int made = create_placement_pieces(hex, false);
        EXPECT_EQ(made, placement_total(r.list));
        EXPECT_EQ(codes(), r.records);
        EXPECT_EQ(pieces_at(hex, false).size(), before + static_cast<std::size_t>(made));
        EXPECT_EQ(board->hex_piece_counts[4], static_cast<std::int32_t>(before) + made);
    }
    // Hidden when the owner hides placed pieces; not for a class of all players.
    for (int p : pieces_at(4, false)) {
        const piece_struct& x = game->piece_array[static_cast<std::size_t>(p)];
        EXPECT_EQ(x.hidden, x.class_index == hidden_class ? 2 : 0);
    }
    EXPECT_EQ(action_selection[0], pieces_at(4, false)[0]);
    EXPECT_EQ(game_modified, 1);
}

TEST_F(placement_test, pieces_into_a_pool_write_no_record_and_cards_keep_their_type) {
    placement_list = {{3, open_class, 0}};
    EXPECT_EQ(create_placement_pieces(0, true), 3);
    EXPECT_EQ(codes(), std::vector<int>{}) << "no group record without its pieces' records";
    EXPECT_EQ(game->pool_array[0].piece_count, 3);
    EXPECT_EQ(pieces_at(0, true).size(), 3u);
    EXPECT_EQ(board->hex_piece_counts[0], 0);
    placement_list = {{1, card_class, 0}};
    ASSERT_EQ(create_placement_pieces(2, false), 1);
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(pieces_at(2, false)[0])].value_types[0],
              value_type_card);
    // Neither a hex nor a pool outside the game.
    EXPECT_EQ(create_placement_pieces(9, false), 0);
    EXPECT_EQ(create_placement_pieces(5, true), 0);
}

TEST_F(placement_test, the_list_form_keeps_to_100_pieces_and_places_them) {
    install_placement_hooks();
    when_modal<get_units_to_place_form>([](get_units_to_place_form& f) {
        f.qty_to_place_box()->setValue(90);
        f.add_to_list_button()->click();
        f.qty_to_place_box()->setValue(20);
        f.add_to_list_button()->click(); // cut to 10
        f.qty_to_place_box()->setValue(1);
        f.add_to_list_button()->click(); // the list is full: nothing added
        EXPECT_EQ(f.units_selected_box()->count(), 2);
        f.ok_button()->click();
    });
    EXPECT_TRUE(place_new_pieces(4, false));
    EXPECT_EQ(responder.count("Placement Piece Limit Exceeded"), 2);
    EXPECT_EQ(pieces_at(4, false).size(), 100u);
    EXPECT_EQ(board->hex_piece_counts[4], 100);
    // Cancel places nothing.
    when_modal<get_units_to_place_form>([](get_units_to_place_form& f) {
        f.add_to_list_button()->click();
        f.cancel_button()->click();
    });
    EXPECT_FALSE(place_new_pieces(5, false));
    EXPECT_EQ(board->hex_piece_counts[5], 0);
}

TEST_F(placement_test, pieces_out_of_a_pool_onto_a_hex_asked_and_picked_through_the_forms) {
    // Two pieces in the pool, a hand behind it.
    placement_list = {{2, open_class, 0}};
    create_placement_pieces(0, true);
    pool_struct hand;
    set_name(hand.name, "Hand");
    hand.type = pool_type_hand;
    hand.piece_count = 0;
    game->pool_array.insert(game->pool_array.begin() + 1, hand);
    clear_history();
    install_pool_placement_hooks();
    const std::uint8_t ask = ask_place_from_pools, automatic = auto_place_from_pool;
    ask_place_from_pools = 1;
    auto_place_from_pool = 0;
    when_modal<new_units_from_pool_form>([](new_units_from_pool_form& f) { f.yes_button()->click(); });
    when_modal<get_units_from_pool_form>([](get_units_from_pool_form& f) {
        f.pool_list()->setCurrentRow(1); // the hand: refused
        EXPECT_EQ(f.piece_list()->count(), 0);
        f.pool_list()->setCurrentRow(0);
        ASSERT_EQ(f.piece_list()->count(), 2);
        f.pick(1);
        EXPECT_EQ(f.piece_list()->count(), 1) << "a picked piece leaves the list";
        f.place_now_button()->click();
    });
    EXPECT_TRUE(place_new_pieces(7, false));
    EXPECT_TRUE(responder.saw("Special Pool Type"));
    EXPECT_EQ(pieces_at(7, false).size(), 1u);
    EXPECT_EQ(board->hex_piece_counts[7], 1);
    EXPECT_EQ(game->pool_array[0].piece_count, 1);
    EXPECT_EQ(codes(), std::vector<int>{history_code_add_piece});
    // A damaged list entry (not a pooled piece) is skipped.
    placement_list = {{1, pieces_at(7, false)[0], 0}, {1, 999, 0}};
    EXPECT_EQ(place_listed_pool_pieces(8), 0);
    placement_list.clear();
    ask_place_from_pools = ask;
    auto_place_from_pool = automatic;
    pool_pieces_form_hook = nullptr;
    from_pool_question_hook = nullptr;
}

} // namespace
