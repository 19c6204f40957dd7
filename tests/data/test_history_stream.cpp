#include "test_support.h"

#include "data/current_player.h"
#include "data/history_records.h"
#include "data/history_stream.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using bv = std::vector<std::uint8_t>;

bv cat(std::initializer_list<bv> parts) {
    bv out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
bv text0(const std::string& s) {
    bv out(s.begin(), s.end());
    out.push_back(0);
    return out;
}

class_struct make_class(const char* name, int symbol) {
    class_struct c;
    set_name(c.name, name);
    c.symbol = symbol;
    return c;
}
piece_struct make_piece(const char* name, int class_index, int location, int hidden = 0, int flags = 0) {
    piece_struct p;
    set_name(p.name, name);
    p.class_index = class_index;
    p.location = location;
    p.hidden = static_cast<std::uint8_t>(hidden);
    p.flags = static_cast<std::uint8_t>(flags);
    return p;
}
piece_struct end_piece() {
    return make_piece("", 0, location_end);
}

class history_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        saved_player = current_player;
        current_player = 4;
        // new_game keeps the turn of the game before; these cases start at turn 0.
        game->game_turn = 0;
        new_game();
    }
    void TearDown() override { current_player = saved_player; }

    // Classes: 0 "Tank" symbol 7, 1 "Inf" symbol 300. Pieces: 0 "A1" (class 0, hex 12, hidden 1),
    // 1 "B2" (class 1, hex 260), 2 "C3" (class 0, hidden 2, in pool 3).
    void small_game() {
        game->class_array = {make_class("Tank", 7), make_class("Inf", 300), make_class("", class_end)};
        game->piece_array = {make_piece("A1", 0, 12, 1), make_piece("B2", 1, 260),
                             make_piece("C3", 0, 3, 2, piece_flag_in_pool), end_piece()};
        game->piece_end_index = 3;
        clear_history();
    }
    int saved_player = -1;
};

// The header of small_game, written out by hand.
const bv small_header = {0x00, 0x04,                   // four entries
                         0x00, 0x00, 0x00, 0x0C, 0x01, // A1: class 0, hex 12, hidden 1
                         0x00, 0x01, 0x01, 0x0A, 0x00, // B2: class 1, hex 260
                         0x00, 0x00, 0xFC, 0x02, 0x02, // C3: in a pool: 63002
                         0x00, 0x00, 0xFC, 0x00, 0x00, // end record
                         0x00, 0x00};                  // turn 0

TEST_F(history_test, empty_game_has_the_ten_byte_stream) {
    EXPECT_EQ(game->history_stream, bytes({0x00, 0x01, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x00, 0xFE}));
    auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    EXPECT_TRUE(records->empty());
}

TEST_F(history_test, header_snapshot_writes_pool_pieces_as_63002_free_slots_as_they_stand_and_the_turn) {
    small_game();
    EXPECT_EQ(game->history_stream, cat({small_header, {0xFE}}));
    game->piece_array.insert(game->piece_array.begin() + 1, make_piece("", 0, location_free));
    game->game_turn = 251;
    clear_history();
    EXPECT_EQ(game->history_stream, bytes({0x00, 0x05, 0x00, 0x00, 0x00, 0x0C, 0x01, 0x00, 0x00, 0xFC,
                                           0x01, 0x00, 0x00, 0x01, 0x01, 0x0A, 0x00, 0x00, 0x00, 0xFC,
                                           0x02, 0x02, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x01, 0x01, 0xFE}));
}

struct record_case {
    const char* label;
    int code;
    int sub;
    std::function<long()> write; // empty: no writer, the bytes are put in by hand
    bv payload;
    std::size_t part_length; // the payload length the record table gives
};

TEST_F(history_test, every_code_writes_the_bytes_and_length_of_its_layout) {
    small_game();
    const std::uint8_t small[4] = {0, 0, 1, 4};
    const std::uint8_t markers[4] = {0xFF, 0xFF, 0xFF, 0xFE};
    const std::vector<int> dice = {3, 5};
    const std::vector<std::uint8_t> owners = {2, 3};
    const std::vector<std::int32_t> revealed = {1, 260};
    const std::vector<std::int32_t> movers = {0, 1, -1};
    const std::vector<std::int32_t> path = {13, 260, 63000};
    const std::vector<std::int32_t> attackers = {0, -1};
    const std::vector<std::int32_t> defenders = {1};
    const std::vector<std::pair<std::int32_t, std::int32_t>> groups = {{0, 2}, {1, 1}};
    const std::vector<record_case> cases = {
        {"move",
         0,
         0,
         [&] { return append_move_record(movers, path, history_end_offset()); },
         {0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x00,
          0x07, 0x00, 0x01, 0x00, 0x01, 0x01, 0x32, 0x00, 0x0D, 0x01, 0x0A},
         6 * 2 + 2 * 2 + 7},
        {"combat",
         1,
         0,
         [&] { return append_combat_record(attackers, defenders); },
         {0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07,
          0x00, 0x0C, 0x00, 0x01, 0x00, 0x01, 0x01, 0x32, 0x01, 0x0A},
         8 + 8 + 4},
        {"remove (version 1)", 2, 0,
         [] { return append_remove_piece_v1_record(0, 5, 1, 300, 260, 1, 3, "Abc", "Inf"); },
         cat({{0x00, 0x00, 0x05, 0x00, 0x01, 0x01, 0x32, 0x01, 0x0A, 0x01, 0x03},
              text0("Abc"),
              text0("Inf")}),
         11 + 4 + 4},
        {"add piece", 3, 0, [] { return append_add_piece_record(1, 1, 1, 3, 260); },
         cat({{0x00, 0x00, 0x01, 0x00, 0x01, 0x01, 0x32, 0x01, 0x0A, 0x01, 0x03}, text0("B2"), text0("Inf")}),
         11 + 3 + 4},
        {"change class", 4, 0, [] { return append_class_change_record(0, 1, 0); },
         cat({{0x01, 0x00, 0x00, 0x00, 0x01, 0x01, 0x32, 0x00, 0x00, 0x00, 0x07, 0x00, 0x0C},
              text0("A1"),
              text0("Inf"),
              text0("Tank")}),
         13 + 3 + 4 + 5},
        {"piece value",
         5,
         0,
         [&] { return append_value_change_record('U', 2, small, 1, markers, 1, 0); },
         {0x01, 'U', 0x02, 0x00, 0x00, 0x01, 0x04, 0x01, 0xFF, 0xFF, 0xFF, 0xFE, 0x01, 0x00, 0x00},
         15},
        {"class value",
         5,
         0,
         [&] { return append_value_change_record('C', 7, small, 2, small, 3, 1); },
         {0x00, 'C', 0x07, 0x00, 0x00, 0x01, 0x04, 0x02, 0x00, 0x00, 0x01, 0x04, 0x03, 0x00, 0x01},
         15},
        {"die roll",
         6,
         0,
         [&] { return append_die_roll_record(6, dice); },
         {0x00, 0x02, 0x00, 0x06, 0x00, 0x03, 0x00, 0x05, 0x00},
         2 * 2 + 5},
        {"comment",
         7,
         0,
         [] { return append_comment_record(1, "Hi"); },
         {0x04, 0x01, 0x00, 0x02, 'H', 'i'},
         2 + 4},
        {"begin combats", 8, 0, [] { return append_combat_block_record(3); }, {0x00, 0x03}, 2},
        {"end combats", 9, 0, {}, {}, 0},
        {"delete class",
         10,
         0,
         [] { return append_delete_class_record(1, 300); },
         {0x00, 0x01, 0x01, 0x32},
         4},
        {"move reveal",
         11,
         0,
         [&] { return append_reveal_history_record(11, 4, owners, revealed); },
         {0x04, 0x02, 0x02, 0x00, 0x01, 0x03, 0x01, 0x0A},
         3 * 2 + 2},
        {"range reveal list",
         12,
         0,
         [&] { return append_reveal_history_record(12, -1, owners, revealed); },
         {0xFF, 0x02, 0x02, 0x00, 0x01, 0x03, 0x01, 0x0A},
         3 * 2 + 2},
        {"change hidden",
         13,
         0,
         [] { return append_hidden_change_record(4, 1, 0, 2); },
         {0x04, 0x00, 0x01, 0x00, 0x02},
         5},
        {"delete pool", 14, 0, {}, {0x01, 0xFE, 0xFD, 0x04}, 4},
        {"deck added",
         15,
         1,
         [] { return append_deck_added_record(3, 52, 1); },
         {0x04, 0x00, 0x03, 0x01, 0x00, 0x34, 0x01},
         7},
        {"deck shuffled", 15, 2, [] { return append_deck_shuffled_record(3); }, {0x04, 0x00, 0x03, 0x02}, 4},
        {"deck sorted",
         15,
         3,
         [] { return append_deck_sorted_record(3, 10, 40, 2); },
         {0x04, 0x00, 0x03, 0x03, 0x00, 0x0A, 0x00, 0x28, 0x02},
         9},
        {"cards dealt",
         15,
         4,
         [] { return append_cards_dealt_record(3, 20, 1, 4); },
         {0x04, 0x00, 0x03, 0x04, 0x00, 0x14, 0x01, 0x04},
         8},
        {"deck card played",
         15,
         5,
         [] { return append_deck_card_played_record(3, 2, 260, 1); },
         {0x04, 0x00, 0x03, 0x05, 0x00, 0x02, 0x01, 0x0A, 0x01},
         9},
        {"taken from deck",
         16,
         1,
         [] { return append_card_taken_from_deck_record(5, 3, 3, 1, 2); },
         {0x04, 0x00, 0x05, 0x01, 0x00, 0x03, 0x03, 0x01, 0x00, 0x02},
         10},
        {"returned to deck",
         16,
         2,
         [] { return append_card_returned_to_deck_record(5, 3, 0, 0, 2); },
         {0x04, 0x00, 0x05, 0x02, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02},
         10},
        {"given",
         16,
         3,
         [] { return append_card_given_record(5, 6, 1, 1, 2); },
         {0x04, 0x00, 0x05, 0x03, 0x00, 0x06, 0x01, 0x01, 0x00, 0x02},
         10},
        {"taken from hand",
         16,
         4,
         [] { return append_card_taken_from_hand_record(5, 6, 2, 0, 2); },
         {0x04, 0x00, 0x05, 0x04, 0x00, 0x06, 0x02, 0x00, 0x00, 0x02},
         10},
        {"hand added",
         16,
         5,
         [] { return append_hand_added_record(5, 4); },
         {0x04, 0x00, 0x05, 0x05, 0x00, 0x04},
         6},
        {"hand card played",
         16,
         6,
         [] { return append_hand_card_played_record(5, 2, 260, 0); },
         {0x04, 0x00, 0x05, 0x06, 0x00, 0x02, 0x01, 0x0A, 0x00},
         9},
        {"board card to deck",
         17,
         1,
         [] { return append_board_card_to_deck_record(3, 2, 260, 1); },
         {0x04, 0x00, 0x02, 0x01, 0x01, 0x0A, 0x01, 0x00, 0x03},
         9},
        {"board card to hand", 17, 2, {}, {0x04, 0x00, 0x02, 0x02, 0x01, 0x0A, 0x00, 0x00, 0x05}, 9},
        {"board card flip",
         17,
         3,
         [] { return append_board_card_flip_record(1, 1, 0); },
         {0x04, 0x00, 0x01, 0x03, 0x01, 0x0A, 0x01, 0x00},
         8},
        {"piece order", 18, 0, [] { return append_piece_order_record(2, 0); }, {0x00, 0x02, 0x00, 0x00}, 4},
        {"reveal by sight",
         19,
         0,
         [] { return append_los_reveal_record(); },
         {0x04, 0x00, 0x03, 0x01, 0x00, 0x02},
         3 + 3},
        {"pool pick", 20, 0, {}, {0x04, 0x01, 0x02, 0x03, 0x04, 0x05}, 6},
        {"pool return", 21, 0, {}, {0x04, 0x05, 0x04, 0x03, 0x02, 0x01}, 6},
        {"game saved", 22, 0, [] { return append_game_saved_record(); }, {}, 0},
        {"remove piece", 23, 0, [] { return append_remove_piece_record(1, 260, 1, 300); },
         cat({{0x00, 0x00, 0x01, 0x00, 0x01, 0x01, 0x32, 0x01, 0x0A, 0x01, 0x01, 0x32},
              text0("B2"),
              text0("Inf")}),
         12 + 3 + 4},
        {"add group",
         24,
         0,
         [&] { return append_group_placement_record(260, 3, groups); },
         {0x00, 0x03, 0x01, 0x0A, 0x04, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x01, 0x00,
          0x03},
         4 * 2 + 9},
        {"reveal by range",
         25,
         0,
         [] { return append_range_reveal_record(); },
         {0x04, 0x00, 0x03, 0x01, 0x00, 0x02},
         3 + 3},
    };
    std::vector<bool> covered(history_code_count, false);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        clear_history();
        const bv expected = cat({small_header, {0xFD, static_cast<std::uint8_t>(c.code)}, c.payload, {0xFE}});
        if (c.write) {
            EXPECT_EQ(c.write(), static_cast<long>(small_header.size() + 2));
            EXPECT_EQ(game->history_stream, expected);
        } else {
            game->history_stream = expected;
        }
        EXPECT_EQ(c.payload.size(), c.part_length);
        history_walker w(game->history_stream);
        history_record r;
        ASSERT_TRUE(w.next(r));
        EXPECT_EQ(r.code, c.code);
        EXPECT_EQ(r.sub, c.sub);
        EXPECT_EQ(r.length, c.part_length);
        ASSERT_NE(r.layout, nullptr);
        EXPECT_FALSE(w.next(r));
        EXPECT_EQ(w.status(), history_walk_status::end);
        covered[static_cast<std::size_t>(c.code)] = true;
    }
    EXPECT_EQ(std::count(covered.begin(), covered.end(), false), 0);
    EXPECT_EQ(game->piece_end_index, 3); // set by the slot reveals
}

TEST_F(history_test, writers_refuse_what_their_fields_cannot_hold_and_write_nothing) {
    small_game();
    const bv before = game->history_stream;
    const std::vector<std::int32_t> none = {-1};
    const std::vector<std::int32_t> one = {0, -1};
    const std::vector<std::int32_t> no_path = {63000};
    EXPECT_EQ(append_move_record(one, no_path, history_end_offset()), -1);
    EXPECT_EQ(append_move_record(none, std::vector<std::int32_t>{5}, history_end_offset()), -1);
    EXPECT_EQ(append_combat_record(none, none), -1);
    EXPECT_EQ(append_add_piece_record(-1, 0, 0, 0, 12), -1);
    EXPECT_EQ(append_add_piece_record(9, 0, 0, 0, 12), -1);
    EXPECT_EQ(append_hidden_change_record(4, 70000, 0, 1), -1);
    EXPECT_EQ(append_deck_added_record(3, 52, 300), -1); // one byte cannot hold 300
    const std::vector<std::pair<std::int32_t, std::int32_t>> single = {{0, 1}};
    EXPECT_EQ(append_group_placement_record(12, 2, single), -1);
    EXPECT_EQ(append_history_record(1 << 24, 7), -1);
    EXPECT_EQ(game->history_stream, before);
}

TEST_F(history_test, a_visitor_or_a_failed_log_on_writes_255_and_comments_250) {
    small_game();
    for (int who : {-1, -2}) {
        current_player = who;
        clear_history();
        append_deck_shuffled_record(3);
        append_comment_record(1, "x");
        EXPECT_EQ(game->history_stream, cat({small_header,
                                             {0xFD, 15, 0xFF, 0x00, 0x03, 0x02},
                                             {0xFD, 7, 0xFA, 0x01, 0x00, 0x01, 'x'},
                                             {0xFE}}));
    }
    EXPECT_EQ(history_player_byte(-2), 255);
    EXPECT_EQ(history_player_byte(200), 255);
    EXPECT_EQ(history_player_byte(199), 199);
}

TEST_F(history_test, one_byte_fields_and_comment_lengths_are_split_or_cut) {
    small_game();
    // 300 revealed pieces: two records of 249 and 51 entries.
    std::vector<std::uint8_t> owners(300, 1);
    std::vector<std::int32_t> pieces(300);
    for (int i = 0; i < 300; ++i)
        pieces[static_cast<std::size_t>(i)] = i;
    ASSERT_GE(append_reveal_history_record(11, 4, owners, pieces), 0);
    auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ(record_field(game->history_stream, (*records)[0], "entries")->value, 249);
    EXPECT_EQ(record_field(game->history_stream, (*records)[1], "entries")->value, 51);
    EXPECT_EQ(record_field(game->history_stream, (*records)[1], "piece", 50)->value, 299);

    // A pool index above 249 cannot be named by the byte: a placement not from a pool.
    clear_history();
    ASSERT_GE(append_add_piece_record(1, 1, 1, 300, 260), 0);
    EXPECT_EQ(game->history_stream,
              cat({small_header,
                   {0xFD, 3, 0x00, 0x00, 0x01, 0x00, 0x01, 0x01, 0x32, 0x01, 0x0A, 0x00, 0x00},
                   text0("B2"),
                   text0("Inf"),
                   {0xFE}}));

    // A comment longer than a num2 counts is cut to 62499 bytes.
    clear_history();
    ASSERT_GE(append_comment_record(1, std::string(70000, 'z')), 0);
    records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 1u);
    EXPECT_EQ((*records)[0].length, 62499u + 4);
    EXPECT_EQ(game->history_stream[small_header.size() + 4], 249);
    EXPECT_EQ(game->history_stream[small_header.size() + 5], 249);
}

TEST_F(history_test, marker_bytes_in_names_values_and_texts_do_not_end_the_stream) {
    small_game();
    set_name(game->piece_array[1].name, "\xFE\xFD\xFE");
    set_name(game->class_array[1].name, "\xFE"
                                        "bel");
    const std::uint8_t value[4] = {0xFD, 0xFE, 0xFE, 0xFF};
    ASSERT_GE(append_add_piece_record(1, 1, 0, 0, 260), 0);
    ASSERT_GE(append_value_change_record('U', 0, value, 2, value, 2, 1), 0);
    ASSERT_GE(append_comment_record(1, "\xFE\xFD"), 0);
    ASSERT_GE(append_hidden_change_record(4, 1, 0, 1), 0);
    const bv expected = cat(
        {small_header,
         {0xFD, 3, 0x00, 0x00, 0x01, 0x00, 0x01, 0x01, 0x32, 0x01, 0x0A, 0x00, 0x00},
         text0("\xFE\xFD\xFE"),
         text0("\xFE"
               "bel"),
         {0xFD, 5, 0x00, 'U', 0x00, 0xFD, 0xFE, 0xFE, 0xFF, 0x02, 0xFD, 0xFE, 0xFE, 0xFF, 0x02, 0x00, 0x01},
         {0xFD, 7, 0x04, 0x01, 0x00, 0x02, 0xFE, 0xFD},
         {0xFD, 13, 0x04, 0x00, 0x01, 0x00, 0x01},
         {0xFE}});
    EXPECT_EQ(game->history_stream, expected);
    auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 4u);
    EXPECT_EQ((*records)[3].code, 13);

    // Held in a longer block, the stream ends at the 0xFE that follows its last record.
    bv block = cat({expected, {0x00, 0xFD, 0xFE}});
    EXPECT_EQ(history_stream_length(block.data(), block.size()), expected.size());
    bv cut(expected.begin(), expected.end() - 3);
    EXPECT_FALSE(history_stream_length(cut.data(), cut.size()));
}

// Runs the walker over a copy in a heap block of exactly the stream's size, so that a read
// past the end is caught by the address sanitizer.
history_walk_status walk_exact(const bv& stream, std::size_t* records = nullptr) {
    std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[stream.size() ? stream.size() : 1]);
    if (!stream.empty()) std::memcpy(block.get(), stream.data(), stream.size());
    history_walker w(block.get(), stream.size());
    history_record r;
    std::size_t n = 0;
    while (w.next(r))
        ++n;
    if (records) *records = n;
    return w.status();
}

TEST(history_walker_damage, refuses_truncated_and_over_counted_records_without_reading_past_the_end) {
    const bv h = {0x00, 0x01, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x00}; // header of an empty game
    struct damage {
        const char* label;
        bv stream;
        history_walk_status expected;
    };
    using st = history_walk_status;
    const std::vector<damage> cases = {
        {"hidden change cut short", cat({h, {0xFD, 13, 0x04, 0x00, 0x01}, {0xFE}}), st::truncated},
        {"code byte missing", cat({h, {0xFD}, {0xFE}}), st::truncated},
        {"name running into the end", cat({h, {0xFD, 3, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 'a', 'b'}, {0xFE}}),
         st::truncated},
        {"sub-code missing", cat({h, {0xFD, 15, 0x04, 0x00}, {0xFE}}), st::truncated},
        {"move with more pieces than bytes",
         cat({h, {0xFD, 0, 0, 0x00, 0x05, 0x00, 0x01, 0x00, 0x01, 0, 1, 0, 2, 0, 3}, {0xFE}}),
         st::over_count},
        {"move with more hexes than a path holds",
         cat({h, {0xFD, 0, 0, 0x00, 0x00, 0x00, 0x65, 0x00, 0x01}, {0xFE}}), st::over_count},
        {"combat with more attackers than the list holds",
         cat({h, {0xFD, 1, 0x02, 0x01, 0x00, 0x00}, {0xFE}}), st::over_count},
        {"reveal with missing entries", cat({h, {0xFD, 11, 0x04, 0x03, 0x01, 0x00, 0x01}, {0xFE}}),
         st::over_count},
        {"comment longer than its bytes", cat({h, {0xFD, 7, 0x04, 0x01, 0x00, 0x64, 'a', 'b'}, {0xFE}}),
         st::over_count},
        {"slot reveal beyond the piece limit", cat({h, {0xFD, 19, 0x04, 0xA0, 0x00, 0x00}, {0xFE}}),
         st::over_count},
        {"count that is no number", cat({h, {0xFD, 6, 0xFA, 0x00, 0x00, 0x06}, {0xFE}}), st::over_count},
        {"group with more classes than bytes",
         cat({h, {0xFD, 24, 0, 2, 0, 1, 4, 0x00, 0x09, 0, 0, 0, 2}, {0xFE}}), st::over_count},
        {"unknown code", cat({h, {0xFD, 26}, {0xFE}}), st::unknown_code},
        {"unknown sub-code", cat({h, {0xFD, 15, 0x04, 0x00, 0x03, 0x09}, {0xFE}}), st::unknown_code},
        {"no record marker", cat({h, {0x00}, {0xFE}}), st::missing_marker},
        {"no end mark", h, st::missing_end},
        {"empty", {}, st::missing_end},
        {"header count past the end", bv{0x00, 0x05, 0x00, 0x00, 0xFE}, st::bad_header},
        {"header count no number", bv{0xFE, 0x00, 0xFE}, st::bad_header},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(walk_exact(c.stream), c.expected);
    }
    // The records before the damage are still walked.
    std::size_t n = 0;
    EXPECT_EQ(walk_exact(cat({h, {0xFD, 22}, {0xFD, 22}, {0xFD, 13, 0x04}, {0xFE}}), &n), st::truncated);
    EXPECT_EQ(n, 2u);
}

TEST_F(history_test, a_move_puts_exactly_the_reveals_written_during_its_path_behind_it) {
    small_game();
    const std::vector<std::uint8_t> owner = {7};
    const std::vector<std::int32_t> first = {1}, second = {2};
    // A reveal of an earlier path stays in front of the move.
    append_reveal_history_record(11, 4, owner, first);
    std::size_t mark = history_end_offset();
    // During the path: one reveal call that writes nothing, one that writes a record, an
    // unrelated record, and one reveal that writes two records.
    EXPECT_EQ(append_reveal_history_record(11, 4, {}, {}), -1);
    append_reveal_history_record(11, 4, owner, second);
    append_hidden_change_record(4, 1, 0, 1);
    std::vector<std::uint8_t> owners(250, 7);
    std::vector<std::int32_t> many(250, 1);
    append_reveal_history_record(11, 4, owners, many);
    const std::vector<std::int32_t> movers = {0, -1};
    const std::vector<std::int32_t> path = {13, 63000};
    long at = append_move_record(movers, path, mark);

    const bv early = {0xFD, 11, 0x04, 0x01, 0x07, 0x00, 0x01};
    const bv during = {0xFD, 11, 0x04, 0x01, 0x07, 0x00, 0x02};
    const bv hidden = {0xFD, 13, 0x04, 0x00, 0x01, 0x00, 0x01};
    bv big1 = {0xFD, 11, 0x04, 249};
    for (int i = 0; i < 249; ++i)
        big1.insert(big1.end(), {0x07, 0x00, 0x01});
    const bv big2 = {0xFD, 11, 0x04, 0x01, 0x07, 0x00, 0x01};
    const bv move = {0xFD, 0,    0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x0C,
                     0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x0D};
    EXPECT_EQ(game->history_stream, cat({small_header, early, hidden, move, during, big1, big2, {0xFE}}));
    EXPECT_EQ(at, static_cast<long>(small_header.size() + early.size() + hidden.size() + 2));
    ASSERT_TRUE(walk_history(game->history_stream));

    // With nothing revealed the move simply follows.
    clear_history();
    append_move_record(movers, path, history_end_offset());
    EXPECT_EQ(game->history_stream, cat({small_header, move, {0xFE}}));
}

// The move recording as it first was: the whole stream walked and rebuilt. The recording now
// touches only the records written since the path started, and must give the same bytes.
bv move_by_rebuilding(const bv& stream, std::size_t reveals_from, const bv& move_record) {
    auto records = walk_history(stream);
    if (!records) return {};
    bv kept(stream.begin(),
            stream.begin() + static_cast<long>(*history_header_length(stream.data(), stream.size() - 1)));
    bv reveals;
    for (const auto& r : *records) {
        bv& into = r.start >= reveals_from && r.code == 11 ? reveals : kept;
        into.insert(into.end(), stream.begin() + static_cast<long>(r.start),
                    stream.begin() + static_cast<long>(r.next()));
    }
    kept.insert(kept.end(), move_record.begin(), move_record.end());
    kept.insert(kept.end(), reveals.begin(), reveals.end());
    kept.push_back(0xFE);
    return kept;
}

TEST_F(history_test, a_move_gives_the_bytes_of_the_whole_rebuild_on_every_path) {
    // Each letter is a record: r a reveal, h a hidden-state change, c a comment, R a reveal that
    // takes two records; '|' is where the path started.
    const char* scripts[] = {"|",      "|r",  "|rr",  "r|",  "rh|r",   "|hrc",
                             "|rhrcR", "c|h", "rrr|", "|Rh", "hr|rh|r"};
    const std::vector<std::uint8_t> owner = {7};
    const std::vector<std::int32_t> one = {1};
    const std::vector<std::uint8_t> owners(250, 7);
    const std::vector<std::int32_t> many(250, 1);
    const std::vector<std::int32_t> movers = {0, 1, -1};
    const std::vector<std::int32_t> path = {13, 14, 63000};
    for (const char* script : scripts) {
        SCOPED_TRACE(script);
        small_game();
        std::size_t mark = history_end_offset();
        for (const char* c = script; *c; ++c) {
            switch (*c) {
            case '|':
                mark = history_end_offset();
                break;
            case 'r':
                append_reveal_history_record(11, 4, owner, one);
                break;
            case 'R':
                append_reveal_history_record(11, 4, owners, many);
                break;
            case 'h':
                append_hidden_change_record(4, 1, 0, 1);
                break;
            case 'c':
                append_comment_record(1, "note");
                break;
            default:
                break;
            }
        }
        const bv before = game->history_stream;
        const long at = append_move_record(movers, path, mark);
        ASSERT_GE(at, 0);
        // The move record as written, taken from where it was put.
        auto records = walk_history(game->history_stream);
        ASSERT_TRUE(records);
        bv move_record;
        for (const auto& r : *records)
            if (r.code == 0)
                move_record.assign(game->history_stream.begin() + static_cast<long>(r.start),
                                   game->history_stream.begin() + static_cast<long>(r.next()));
        EXPECT_EQ(game->history_stream, move_by_rebuilding(before, mark, move_record));
    }
}

TEST_F(history_test, die_roll_comment_flag_is_set_in_place) {
    small_game();
    const std::vector<int> dice = {4};
    long at = append_die_roll_record(6, dice);
    set_die_roll_comment_flag(at, true);
    append_comment_record(1, "ok");
    EXPECT_EQ(game->history_stream,
              cat({small_header, {0xFD, 6, 0, 1, 0, 6, 0, 4, 1}, {0xFD, 7, 4, 1, 0, 2, 'o', 'k'}, {0xFE}}));
    set_die_roll_comment_flag(at, false);
    EXPECT_EQ(game->history_stream[static_cast<std::size_t>(at) + 6], 0);
}

TEST_F(history_test, deleting_a_class_records_its_index_and_symbol) {
    small_game();
    responder.answer(box_answer::ok);
    ASSERT_EQ(delete_class(1), 1);
    auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    ASSERT_FALSE(records->empty());
    const auto& r = records->back();
    EXPECT_EQ(r.code, 10);
    EXPECT_EQ(bv(game->history_stream.begin() + static_cast<std::ptrdiff_t>(r.payload),
                 game->history_stream.begin() + static_cast<std::ptrdiff_t>(r.next())),
              bytes({0x00, 0x01, 0x01, 0x32}));
}

// ---- Renumbering after a save ----

// A small replay: rebuilds the slots from the header (pieces known by their starting hex) and
// applies the records, listing for every record the names of the pieces it names, so that two
// numberings of one history can be compared piece by piece.
struct replayed {
    std::vector<std::vector<std::string>> named; // per record
    std::vector<std::string> final_slots;
};

replayed replay_names(const bv& stream, const std::map<int, std::string>& by_start_hex) {
    replayed out;
    std::vector<std::string> slots;
    std::size_t entries = static_cast<std::size_t>(stream[0]) * 250 + stream[1];
    for (std::size_t i = 0; i + 1 < entries; ++i) {
        int loc = stream[2 + 5 * i + 2] * 250 + stream[2 + 5 * i + 3];
        auto it = by_start_hex.find(loc);
        slots.push_back(it == by_start_hex.end() ? "" : it->second);
    }
    auto slot = [&](std::int64_t s) -> std::string& {
        if (static_cast<std::size_t>(s) >= slots.size()) slots.resize(static_cast<std::size_t>(s) + 1);
        return slots[static_cast<std::size_t>(s)];
    };
    auto records = walk_history(stream);
    EXPECT_TRUE(records);
    if (!records) return out;
    for (const auto& r : *records) {
        std::vector<std::string> names;
        if (r.code == history_code_piece_order) {
            auto a = record_field(stream, r, "old index")->value;
            auto b = record_field(stream, r, "new index")->value;
            slot(std::max(a, b));
            auto first = slots.begin();
            if (a < b) std::rotate(first + a, first + a + 1, first + b + 1);
            if (a > b) std::rotate(first + b, first + a, first + a + 1);
            out.named.push_back(names);
            continue;
        }
        std::int64_t kind = 0;
        std::size_t length = 0;
        std::string piece_name;
        walk_record_fields(
            stream.data(), stream.size() - 1, r.payload, *r.layout, length, [&](const field_visit& v) {
                if (std::string(v.step->name) == "kind") kind = v.value;
                if (std::string(v.step->name) == "piece name")
                    piece_name.assign(stream.begin() + static_cast<std::ptrdiff_t>(v.offset),
                                      stream.begin() + static_cast<std::ptrdiff_t>(v.offset + v.size - 1));
                if (v.step->role == field_role::piece ||
                    (v.step->role == field_role::piece_or_class && (kind == 'U' || kind == 'u')))
                    names.push_back(std::to_string(v.value)); // replaced by the name below
                if (v.step->role == field_role::hidden_by_slot)
                    for (std::size_t s = 0; s < v.size; ++s)
                        if (s < slots.size() && !slots[s].empty())
                            names.push_back(slots[s] + "=" + std::to_string(stream[v.offset + s]));
            });
        if (r.code == history_code_add_piece) {
            slot(record_field(stream, r, "piece")->value) = piece_name;
            names.push_back("added " + piece_name);
        }
        for (auto& n : names)
            if (n.find('=') == std::string::npos && n.rfind("added ", 0) != 0) n = slot(std::stoll(n));
        if (r.code == history_code_remove_piece) slot(record_field(stream, r, "piece")->value) = "";
        if (r.code == history_code_los_reveal || r.code == history_code_range_reveal)
            std::sort(names.begin(), names.end());
        out.named.push_back(names);
    }
    out.final_slots = slots;
    while (!out.final_slots.empty() && out.final_slots.back().empty())
        out.final_slots.pop_back();
    return out;
}

class renumber_test : public history_test {
protected:
    // A history of moves, additions, removals, a piece-order change that passes over a free slot,
    // a combat, reveals and value changes. The save then finds E, A, (free), C, D.
    void build() {
        game->class_array = {make_class("Tank", 7), make_class("Inf", 300), make_class("", class_end)};
        game->piece_array = {make_piece("A", 0, 10), make_piece("B", 1, 11), make_piece("C", 0, 12),
                             end_piece()};
        game->piece_end_index = 3;
        clear_history();
        auto& p = game->piece_array;
        const std::vector<std::int32_t> a = {0, -1}, path = {20, 63000};
        append_move_record(a, path, history_end_offset());
        p[0].location = 20;
        p.insert(p.end() - 1, make_piece("D", 1, 13));
        append_add_piece_record(3, 1, 0, 0, 13);
        append_remove_piece_record(1, 11, 0, 0);
        p[1].location = location_free;
        p.insert(p.end() - 1, make_piece("E", 0, 14));
        append_add_piece_record(4, 0, 0, 0, 14);
        game->piece_end_index = 5;
        append_piece_order_record(4, 0); // E to the front, over B's free slot
        std::rotate(p.begin(), p.begin() + 4, p.begin() + 5);
        const std::vector<std::int32_t> att = {1, -1}, def = {4, -1}; // A attacks D
        append_combat_record(att, def);
        append_hidden_change_record(4, 3, 0, 2); // C
        p[3].hidden = 2;
        append_range_reveal_record();
        const std::uint8_t v[4] = {0, 0, 0, 9};
        append_value_change_record('U', 1, v, 1, v, 1, 4); // D
        append_value_change_record('C', 1, v, 1, v, 1, 1); // class 1, not a piece
        const std::vector<std::uint8_t> owner = {1};
        const std::vector<std::int32_t> c = {3};
        append_reveal_history_record(11, 4, owner, c);
        append_piece_order_record(3, 4); // C behind D
        std::rotate(p.begin() + 3, p.begin() + 4, p.begin() + 5);
        const std::vector<std::int32_t> cd = {4, 3, -1}, path2 = {30, 63000};
        append_move_record(cd, path2, history_end_offset());
    }
    std::map<int, std::string> start_hexes = {{10, "A"}, {11, "B"}, {12, "C"}};
};

TEST_F(renumber_test, closing_up_a_free_slot_keeps_every_record_on_the_same_piece) {
    build();
    // Old slots E, A, free, D, C -> E 0, A 1, D 2, C 3, the free slot past the end.
    const std::vector<std::int32_t> mapping = {0, 1, 4, 2, 3};
    const bv before = game->history_stream;
    replayed old_story = replay_names(before, start_hexes);
    ASSERT_EQ(old_story.final_slots, (std::vector<std::string>{"E", "A", "", "D", "C"}));
    ASSERT_TRUE(renumber_history_pieces(mapping));
    EXPECT_NE(game->history_stream, before);
    replayed new_story = replay_names(game->history_stream, start_hexes);
    EXPECT_EQ(new_story.named, old_story.named);
    EXPECT_EQ(new_story.final_slots, (std::vector<std::string>{"E", "A", "D", "C"}));
    // The records still read as the story the game told.
    EXPECT_EQ(old_story.named[0], (std::vector<std::string>{"A"}));
    EXPECT_EQ(old_story.named[5], (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(old_story.named[6], (std::vector<std::string>{"C"}));
    EXPECT_EQ(old_story.named[1], (std::vector<std::string>{"D", "added D"}));
    EXPECT_EQ(old_story.named[7], (std::vector<std::string>{"A=0", "C=2", "D=0", "E=0"}));
    EXPECT_EQ(old_story.named[12], (std::vector<std::string>{"C", "D"}));
}

TEST_F(renumber_test, a_piece_moved_in_the_order_and_removed_later_keeps_its_records) {
    game->class_array = {make_class("Tank", 7), make_class("", class_end)};
    auto& p = game->piece_array;
    p = {make_piece("A", 0, 10), make_piece("B", 0, 11), make_piece("C", 0, 12), make_piece("D", 0, 13),
         end_piece()};
    game->piece_end_index = 4;
    clear_history();
    append_piece_order_record(0, 2); // A behind C
    std::rotate(p.begin(), p.begin() + 1, p.begin() + 3);
    const std::vector<std::int32_t> att = {2, -1}, def = {3, 1, -1}; // A attacks D and C
    append_combat_record(att, def);
    append_remove_piece_record(2, 10, 0, 0);
    p[2].location = location_free;
    append_range_reveal_record();
    const std::vector<std::int32_t> bd = {0, 3, -1}, path = {40, 63000};
    append_move_record(bd, path, history_end_offset());
    std::map<int, std::string> hexes = {{10, "A"}, {11, "B"}, {12, "C"}, {13, "D"}};
    replayed old_story = replay_names(game->history_stream, hexes);
    ASSERT_TRUE(renumber_history_pieces({0, 1, 3, 2}));
    replayed new_story = replay_names(game->history_stream, hexes);
    EXPECT_EQ(new_story.named, old_story.named);
    EXPECT_EQ(old_story.named[1], (std::vector<std::string>{"A", "D", "C"}));
    EXPECT_EQ(old_story.named[4], (std::vector<std::string>{"B", "D"}));
    EXPECT_EQ(new_story.final_slots, (std::vector<std::string>{"B", "C", "D"}));
}

TEST_F(renumber_test, header_lists_the_live_pieces_first_and_the_free_slots_after_them) {
    game->class_array = {make_class("Tank", 7), make_class("", class_end)};
    game->piece_array = {make_piece("A", 0, 10), make_piece("", 0, location_free), make_piece("C", 0, 12, 1),
                         end_piece()};
    clear_history();
    append_hidden_change_record(4, 2, 1, 0);
    ASSERT_TRUE(renumber_history_pieces({0, 2, 1}));
    EXPECT_EQ(game->history_stream, bytes({0x00, 0x04, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x0C,
                                           0x01, 0x00, 0x00, 0xFC, 0x01, 0x00, 0x00, 0x00, 0xFC, 0x00, 0x00,
                                           0x00, 0x00, 0xFD, 13,   0x04, 0x00, 0x01, 0x01, 0x00, 0xFE}));
}

TEST_F(renumber_test, identity_mapping_and_refused_mappings_leave_the_bytes_unchanged) {
    build();
    const bv before = game->history_stream;
    EXPECT_TRUE(renumber_history_pieces({0, 1, 2, 3, 4}));
    EXPECT_EQ(game->history_stream, before);
    EXPECT_TRUE(renumber_history_pieces({}));
    EXPECT_EQ(game->history_stream, before);
    EXPECT_FALSE(renumber_history_pieces({0, 1, 1, 2, 3})); // two slots on one index
    EXPECT_FALSE(renumber_history_pieces({0, 1, 5, 2, 3})); // an index outside the mapping
    EXPECT_EQ(game->history_stream, before);
    game->history_stream.insert(game->history_stream.end() - 1, {0xFD, 13, 0x04});
    const bv damaged = game->history_stream;
    EXPECT_FALSE(renumber_history_pieces({0, 1, 4, 2, 3}));
    EXPECT_EQ(game->history_stream, damaged);
}

TEST_F(renumber_test, a_history_that_names_no_slot_past_the_first_free_one_keeps_its_bytes) {
    game->class_array = {make_class("Tank", 7), make_class("", class_end)};
    game->piece_array = {make_piece("A", 0, 10), make_piece("B", 0, 11), end_piece()};
    clear_history();
    const std::vector<std::int32_t> ab = {1, 0, -1}, path = {20, 63000};
    append_move_record(ab, path, history_end_offset());
    append_piece_order_record(1, 0);
    const bv before = game->history_stream;
    // Later pieces, never named by the history, with a free slot between them.
    ASSERT_TRUE(renumber_history_pieces({0, 1, 4, 2, 3}));
    EXPECT_EQ(game->history_stream, before);
}

} // namespace

// Pools renumbered after a deletion or a reordering: every pool number follows its pool, and a
// record of a deleted pool reads as what became of its pieces.
TEST_F(history_test, pool_numbers_follow_their_pools_and_a_deleted_pool_reads_as_none) {
    small_game();
    ASSERT_GE(append_add_piece_record(1, 1, 1, 0, 260), 0); // from pool 0
    ASSERT_GE(append_add_piece_record(1, 1, 1, 1, 260), 0); // from pool 1
    ASSERT_GE(append_add_piece_record(1, 1, 1, 2, 260), 0); // from pool 2
    ASSERT_GE(append_add_piece_record(1, 1, 0, 0, 260), 0); // not from a pool
    ASSERT_GE(append_remove_piece_record(1, 260, 1, 1), 0); // into pool 1
    ASSERT_GE(append_remove_piece_record(1, 260, 1, 2), 0); // into pool 2
    ASSERT_GE(append_deck_shuffled_record(3), 0);           // deck 3
    const bv before = game->history_stream;
    auto fields = [](const bv& stream) {
        std::vector<std::pair<std::int64_t, std::int64_t>> out; // (flag, pool) or (-1, deck)
        const auto records = walk_history(stream);
        for (const auto& r : *records) {
            if (r.code == history_code_deck)
                out.emplace_back(-1, record_field(stream, r, "deck")->value);
            else if (r.code == history_code_add_piece || r.code == history_code_remove_piece)
                out.emplace_back(record_field(stream, r, "pool flag")->value,
                                 record_field(stream, r, "pool")->value);
        }
        return out;
    };
    using fp = std::vector<std::pair<std::int64_t, std::int64_t>>;
    ASSERT_EQ(fields(before), (fp{{1, 0}, {1, 1}, {1, 2}, {0, 0}, {1, 1}, {1, 2}, {-1, 3}}));

    // Pool 1 deleted: the later ones move down one.
    bv stream = before;
    ASSERT_TRUE(renumber_history_pools(stream, {0, -1, 1, 2}));
    EXPECT_EQ(fields(stream), (fp{{1, 0}, {0, 0}, {1, 1}, {0, 0}, {0, 0}, {1, 1}, {-1, 2}}));
    EXPECT_EQ(stream.size(), before.size());

    // Pools 0 and 2 swapped; a number the code-3 byte cannot hold reads as no pool.
    stream = before;
    ASSERT_TRUE(renumber_history_pools(stream, {2, 1, 0}));
    EXPECT_EQ(fields(stream), (fp{{1, 2}, {1, 1}, {1, 0}, {0, 0}, {1, 1}, {1, 0}, {-1, 3}}));
    std::vector<std::int32_t> far(251);
    for (std::size_t i = 0; i < far.size(); ++i)
        far[i] = static_cast<std::int32_t>(i);
    std::swap(far[0], far[250]);
    stream = before;
    ASSERT_TRUE(renumber_history_pools(stream, far));
    EXPECT_EQ(fields(stream)[0], (std::pair<std::int64_t, std::int64_t>{0, 0}));

    // A deck the history names cannot go: nothing changes.
    stream = before;
    EXPECT_FALSE(renumber_history_pools(stream, {0, 1, 2, -1}));
    EXPECT_EQ(stream, before);
}
