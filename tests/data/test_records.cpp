#include "test_support.h"

#include "data/hooks.h"

#include <cstring>

namespace {
class records_test : public fresh_game_test {
protected:
    void TearDown() override { get_unit_class_hook = nullptr; }

    int make_class(const char* name, int symbol, bool card = false) {
        int c = add_class();
        EXPECT_GE(c, 0);
        class_struct& k = game->class_array[static_cast<std::size_t>(c)];
        set_name(k.name, name);
        k.symbol = symbol;
        k.value_types[0] = card ? value_type_card : 1;
        return c;
    }
    int make_piece(int class_index, int location, std::uint8_t flags = 0) {
        int p = add_piece();
        EXPECT_GE(p, 0);
        piece_struct& q = game->piece_array[static_cast<std::size_t>(p)];
        q.class_index = class_index;
        q.location = location;
        q.flags = flags;
        return p;
    }
    void small_board(int hexes) {
        board->map_columns = hexes;
        board->map_rows = 1;
        board->hex_count = hexes;
        board->hex_array.assign(static_cast<std::size_t>(hexes), hex_struct{});
        board->hex_piece_counts.assign(static_cast<std::size_t>(hexes), 0);
    }
};

TEST_F(records_test, the_empty_game) {
    ASSERT_EQ(game->class_array.size(), 1u);
    EXPECT_EQ(game->class_array[0].symbol, 30000);
    ASSERT_EQ(game->piece_array.size(), 1u);
    EXPECT_EQ(game->piece_array[0].location, 63000);
    EXPECT_EQ(game->piece_end_index, 0);
    EXPECT_EQ(game->pool_array.at(0).piece_count, 30000);
    EXPECT_EQ(game->flip_array.at(0).parent, 30000);
    EXPECT_EQ(game->stack_def_array.at(0).stack_symbol, 30000);
    EXPECT_EQ(game->facing_set_array.at(0).direction, 0);
    EXPECT_EQ(name_of(game->player_array.at(0).name), "");
    ASSERT_EQ(game->turn_names.size(), 2u);
    EXPECT_EQ(name_of(game->turn_names[0].text), "Set-up");
    EXPECT_EQ(game->turn_names[1].text[0], 0);
    // The header of a game with no pieces: one entry (the end record), turn 0, then the end mark.
    EXPECT_EQ(game->history_stream, bytes({0x00, 0x01, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x00, 0xFE}));
}

TEST_F(records_test, new_game_keeps_the_turn_and_status_dots) {
    game->game_turn = 7;
    game->status_dots[2].colour = 9;
    new_game();
    EXPECT_EQ(game->game_turn, 7);
    EXPECT_EQ(game->status_dots[2].colour, 9);
    EXPECT_EQ(game->history_stream.size(), 10u);
    EXPECT_EQ(game->history_stream[8], 7) << "the history header carries the current turn";
}

TEST_F(records_test, add_class_rebuilds_reuses_and_copies_from_the_last_non_card_class) {
    game->class_array.clear(); // no array at all
    EXPECT_EQ(add_class(), 0);
    ASSERT_EQ(game->class_array.size(), 2u);
    EXPECT_EQ(game->class_array[1].symbol, 30000);
    EXPECT_EQ(game->class_array[0].symbol, 30001) << "nothing to copy from";

    new_game();
    EXPECT_EQ(add_class(), 0) << "only the end record";
    EXPECT_EQ(game->class_array.size(), 2u);
    class_struct& first = game->class_array[0];
    set_name(first.name, "Panzer Grenadier Regimen"); // 24 characters
    first.symbol = 12;
    first.owner = 3;
    first.facing_set = 2;
    first.value_types[0] = 1;
    first.values[0] = {0, 0, 0, 5};
    first.hidden_symbol = 77;

    int card = add_class();
    EXPECT_EQ(card, 1);
    game->class_array[1].value_types[0] = value_type_card;
    game->class_array[1].symbol = 40;

    int third = add_class();
    ASSERT_EQ(third, 2);
    const class_struct& c = game->class_array[2];
    EXPECT_EQ(name_of(c.name), "Panzer Grenadier Regimen") << "copied from the last non-card class";
    EXPECT_EQ(c.symbol, 12);
    EXPECT_EQ(c.owner, 3);
    EXPECT_EQ(c.facing_set, 2);
    EXPECT_EQ(c.values[0][3], 5);
    EXPECT_EQ(c.hidden_symbol, 30000) << "the hidden symbol is never copied";
    EXPECT_EQ(game->class_array.back().symbol, 30000);
    EXPECT_EQ(game_modified, 1);

    // A free slot comes back as it is, without initialisation.
    game->class_array[1].symbol = 30001;
    set_name(game->class_array[1].name, "old");
    EXPECT_EQ(add_class(), 1);
    EXPECT_EQ(name_of(game->class_array[1].name), "old");
}

TEST_F(records_test, the_class_limit) {
    game->class_array.assign(30001, class_struct{});
    for (int i = 0; i < 30000; ++i) game->class_array[static_cast<std::size_t>(i)].symbol = 1;
    game->class_array[30000].symbol = 30000;
    EXPECT_EQ(add_class(), -1);
    EXPECT_TRUE(responder.saw("Limit Error", "The maximum 30000 classes have already been defined."));
    EXPECT_EQ(game->class_array.size(), 30001u) << "the array is unchanged";
}

TEST_F(records_test, add_piece_grows_reuses_and_stops_at_32000) {
    int a = add_piece();
    EXPECT_EQ(a, 0);
    EXPECT_EQ(game->piece_end_index, 1);
    ASSERT_EQ(game->piece_array.size(), 2u);
    EXPECT_EQ(game->piece_array[1].location, 63000);
    EXPECT_EQ(game->piece_array[0].location, 63001) << "a new slot is free until its caller places it";

    piece_struct& p = game->piece_array[0];
    p.location = 4;
    p.value_types[0] = 1;
    p.values[0] = {0xFF, 0xFF, 0xFF, 0xFB};
    int card = add_piece();
    game->piece_array[static_cast<std::size_t>(card)].location = 5;
    game->piece_array[static_cast<std::size_t>(card)].value_types[0] = value_type_card;
    int b = add_piece();
    EXPECT_EQ(b, 2);
    EXPECT_EQ(game->piece_array[2].values[0], (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFB}))
        << "values come from the last used non-card piece";
    EXPECT_EQ(game->piece_array[2].value_types[0], 1);
    EXPECT_EQ(game->piece_end_index, 3);

    game->piece_array[1].location = 63001;
    EXPECT_EQ(add_piece(), 1) << "a free slot is reused";

    // 32000 used pieces: no room for another.
    game->piece_array.assign(32001, piece_struct{});
    for (int i = 0; i < 32000; ++i) game->piece_array[static_cast<std::size_t>(i)].location = 0;
    game->piece_array[32000].location = 63000;
    game->piece_end_index = 32000;
    responder.clear();
    EXPECT_EQ(add_piece(), -1);
    EXPECT_TRUE(responder.saw("Unit Creation Error", "Max 32000 Units Already Defined"));
    EXPECT_EQ(game->piece_array.size(), 32001u);
}

TEST_F(records_test, ensure_and_set_the_end_of_the_arrays) {
    EXPECT_EQ(ensure_class_index(3), 2);
    ASSERT_EQ(game->class_array.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(game->class_array[static_cast<std::size_t>(i)].symbol, 30001);
    EXPECT_EQ(game->class_array[4].symbol, 30000);
    EXPECT_EQ(ensure_class_index(3), 1);
    EXPECT_EQ(ensure_class_index(-1), 0);
    EXPECT_EQ(ensure_class_index(40000), 0) << "beyond the class limit";

    EXPECT_EQ(ensure_piece_index(2), 2);
    EXPECT_EQ(game->piece_end_index, 3);
    ASSERT_EQ(game->piece_array.size(), 4u);
    EXPECT_EQ(game->piece_array[2].location, 63001);
    EXPECT_EQ(game->piece_array[3].location, 63000);
    EXPECT_EQ(ensure_piece_index(0), 1);

    game->piece_array[1].location = 9;
    set_piece_array_end(5);
    ASSERT_EQ(game->piece_array.size(), 7u);
    EXPECT_EQ(game->piece_array[1].location, 9) << "kept";
    EXPECT_EQ(game->piece_array[5].location, 63001);
    EXPECT_EQ(game->piece_array[6].location, 63000);
    EXPECT_EQ(game->piece_end_index, 6);
    set_piece_array_end(1);
    ASSERT_EQ(game->piece_array.size(), 3u);
    EXPECT_EQ(game->piece_array[1].location, 9);
    EXPECT_EQ(game->piece_array[2].location, 63000);
    EXPECT_EQ(game->piece_end_index, 2);
}

TEST_F(records_test, delete_class_fixes_counts_and_drops_linked_definitions) {
    small_board(4);
    int keep = make_class("Keep", 1);
    int doomed = make_class("Doomed", 2);
    int pool_piece = make_piece(doomed, 0, piece_flag_in_pool);
    int on_map = make_piece(doomed, 3);
    int other = make_piece(keep, 3);
    int off_board = make_piece(doomed, 63005);
    board->hex_piece_counts[3] = 2;
    pool_struct pool;
    set_name(pool.name, "Reserve");
    pool.piece_count = 1;
    pool_struct pool_end;
    game->pool_array = {pool, pool_end};

    stack_def_struct s1, s2, end;
    s1.stack_symbol = 5;
    s1.required_class = doomed;
    s2.stack_symbol = 6;
    s2.required_class = keep;
    game->stack_def_array = {s1, s2, end};
    flip_struct f1{keep, doomed}, f2{doomed, keep}, f3{keep, keep}, fend{30000, 0};
    game->flip_array = {f1, f2, f3, fend};

    responder.answer(box_answer::cancel);
    EXPECT_EQ(delete_class(doomed), 0);
    EXPECT_EQ(game->class_array[static_cast<std::size_t>(doomed)].symbol, 2);
    EXPECT_TRUE(responder.saw("Confirm Class Deletion", "(3 pieces affected)"));
    EXPECT_TRUE(responder.saw("Confirm Class Deletion", "the class:  Doomed  should be deleted."));

    std::size_t history_before = game->history_stream.size();
    responder.answer(box_answer::ok);
    game_modified = 0;
    EXPECT_EQ(delete_class(doomed), 1);
    EXPECT_EQ(game->class_array[static_cast<std::size_t>(doomed)].symbol, 30001) << "the slot is free for reuse";
    for (int p : {pool_piece, on_map, off_board})
        EXPECT_EQ(game->piece_array[static_cast<std::size_t>(p)].location, 63001);
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(other)].location, 3);
    EXPECT_EQ(game->pool_array[0].piece_count, 0);
    EXPECT_EQ(board->hex_piece_counts[3], 1);
    ASSERT_EQ(game->stack_def_array.size(), 2u);
    EXPECT_EQ(game->stack_def_array[0].stack_symbol, 6);
    EXPECT_EQ(game->stack_def_array[1].stack_symbol, 30000);
    ASSERT_EQ(game->flip_array.size(), 2u);
    EXPECT_EQ(game->flip_array[0].flip_class, keep);
    EXPECT_EQ(game->flip_array[1].parent, 30000);
    EXPECT_EQ(game_modified, 1);
    // History code 10: class index and former symbol, two base-250 digits each.
    ASSERT_EQ(game->history_stream.size(), history_before + 6);
    const auto& h = game->history_stream;
    EXPECT_EQ(byte_vector(h.end() - 7, h.end()), bytes({0xFD, 10, 0, 1, 0, 2, 0xFE}));

    EXPECT_EQ(add_class(), doomed) << "the freed slot is reused";
}

TEST_F(records_test, class_on_top) {
    small_board(3);
    int tanks = make_class("Tanks", 1);
    int foot = make_class("Foot", 2);
    // Hex 0: foot (flagged) and tanks. Hex 1: foot flagged twice, no tanks. Hex 2: a pooled tank.
    int a = make_piece(foot, 0, piece_flag_on_top);
    int b = make_piece(tanks, 0);
    int c = make_piece(foot, 1, piece_flag_on_top);
    int d = make_piece(foot, 1, piece_flag_on_top);
    int e = make_piece(foot, 1);
    int pooled = make_piece(tanks, 0, piece_flag_in_pool);

    get_unit_class_hook = [](int) { return -1; };
    put_class_on_top();
    EXPECT_TRUE(game->piece_array[static_cast<std::size_t>(a)].flags & piece_flag_on_top) << "cancelled: nothing changes";

    get_unit_class_hook = [&](int) { return tanks; };
    put_class_on_top();
    auto flagged = [](int p) { return (game->piece_array[static_cast<std::size_t>(p)].flags & piece_flag_on_top) != 0; };
    EXPECT_FALSE(flagged(a));
    EXPECT_TRUE(flagged(b));
    EXPECT_FALSE(flagged(c));
    EXPECT_TRUE(flagged(d)) << "without the class, the last piece that lost its flag keeps it";
    EXPECT_FALSE(flagged(e));
    EXPECT_FALSE(flagged(pooled)) << "pieces in pools are not in the hex";
    EXPECT_EQ(game_modified, 1);
}
} // namespace
