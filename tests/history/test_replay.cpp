// The replay engine: the history played over the snapshot it starts from reaches the board the
// play left, for every kind of record the program writes.
#include "history_fixture.h"

#include "classes/flips.h"
#include "data/board.h"
#include "data/command_state.h"
#include "data/current_player.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "data/options.h"
#include "data/saved_game.h"
#include "demo_game.h"
#include "history/replay.h"
#include "platform/files.h"
#include "play/movement.h"
#include "play/piece_actions.h"
#include "play/piece_order.h"
#include "play/placement.h"
#include "play/removal.h"
#include "play/reveal.h"

#include <functional>
#include <tuple>

namespace {

// What the board shows of a piece: where it is (a hex, "in a pool", gone), its class and its
// hidden state.
using piece_view = std::tuple<std::int32_t, std::int32_t, int>;

std::vector<piece_view> board_view() {
    std::vector<piece_view> out;
    for (int i = 0; i < game->piece_end_index; ++i) {
        const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        const std::int32_t where = p.location == location_free ? location_free
                                   : p.in_pool()               ? history_location_in_pool
                                                               : p.location;
        out.emplace_back(where, where == location_free ? 0 : p.class_index,
                         where == location_free ? 0 : p.hidden);
    }
    // Free slots at the end are no pieces.
    while (!out.empty() && std::get<0>(out.back()) == location_free)
        out.pop_back();
    return out;
}

// Plays the whole stream over its snapshot and gives what the board then shows; the game is put
// back afterwards.
struct replayed {
    std::vector<piece_view> view;
    std::vector<std::int32_t> hex_counts;
};
replayed replay_all(const byte_vector& stream) {
    replay_saved_state saved;
    EXPECT_TRUE(save_replay_state(saved));
    EXPECT_TRUE(set_replay_start_pieces(stream));
    auto records = walk_history(stream);
    EXPECT_TRUE(records);
    if (records) {
        for (const auto& r : *records)
            EXPECT_TRUE(apply_history_record(stream, r)) << r.code;
    }
    replayed out{board_view(), board->hex_piece_counts};
    restore_replay_state(saved);
    return out;
}

class replay_test : public demo_history_test {};

struct script {
    const char* name;
    int code; // the record it must write
    std::function<void(replay_test&)> play;
};

TEST_F(replay_test, replaying_each_kind_of_record_reaches_the_board_the_play_left) {
    const std::vector<script> scripts = {
        {"move of a plain and a fully hidden piece along a path to hex 0", history_code_move,
         [](replay_test&) {
             game->piece_array[static_cast<std::size_t>(piece("2nd Rifles"))].hidden = 2;
             clear_history();
             move({piece("1st Rifles"), piece("2nd Rifles")}, {hex(6, 5), hex(0, 0)});
         }},
        {"combat", history_code_combat,
         [](replay_test&) {
             const std::int32_t a[] = {piece("1st Rifles"), -1}, d[] = {piece("Red Grenadiers"), -1};
             add_combatants('A', a);
             add_combatants('D', d);
             combat_options = 0;
             resolve_combat();
         }},
        {"removal out of the game", history_code_remove_piece,
         [](replay_test&) { ASSERT_TRUE(remove_piece_from_board(piece("Blue HQ"))); }},
        {"removal into a pool", history_code_remove_piece,
         [](replay_test&) {
             ask_remove_to_pool = 1;
             remove_question_hook = [](std::int32_t, bool) {
                 remove_choice = remove_into_pool;
                 remove_pool = 1;
             };
             ASSERT_TRUE(remove_piece_from_board(piece("Red Guns")));
         }},
        {"a group placed from a class", history_code_add_group,
         [](replay_test&) {
             placement_list = {{3, 2, 0}};
             ASSERT_EQ(create_placement_pieces(hex(10, 10), false), 3);
         }},
        {"a piece placed out of a pool", history_code_add_piece,
         [](replay_test&) {
             placement_list = {{1, piece("3rd Rifles"), 0}};
             ASSERT_EQ(place_listed_pool_pieces(hex(11, 11)), 1);
         }},
        {"a flip", history_code_change_class,
         [](replay_test&) { ASSERT_TRUE(change_piece_class_once(piece("Blue Lancers"), 2)); }},
        {"a piece moved in the order", history_code_piece_order,
         [](replay_test&) { move_piece_in_order(piece("Blue Battery"), 0, true); }},
        {"a hidden state changed", history_code_change_hidden,
         [](replay_test&) {
             game->player_array[0].flags = player_flag_uses_hidden;
             current_player = 0;
             ASSERT_TRUE(change_hidden_state(piece("1st Rifles"), 2));
         }},
        {"a class deleted", history_code_delete_class,
         [](replay_test& t) {
             t.boxes().answer(box_answer::ok);
             ASSERT_TRUE(delete_class(5));
         }},
        {"reveal by range", history_code_range_reveal,
         [](replay_test&) {
             game->player_array[1].flags = player_flag_uses_hidden;
             game->piece_array[static_cast<std::size_t>(piece("Red Fusiliers"))].hidden = 2;
             clear_history();
             run_range_auto_reveal();
         }},
    };
    for (const script& s : scripts) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(make_demo_game(make_temp_folder()));
        rebuild_hex_piece_counts(); // as opening the game does
        current_player = -1;
        clear_history();
        s.play(*this);
        const auto records = walk_history(game->history_stream);
        ASSERT_TRUE(records);
        bool wrote = false;
        for (const auto& r : *records)
            wrote = wrote || r.code == s.code;
        ASSERT_TRUE(wrote);
        const auto end_view = board_view();
        const auto end_counts = board->hex_piece_counts;
        const replayed r = replay_all(game->history_stream);
        EXPECT_EQ(r.view, end_view);
        EXPECT_EQ(r.hex_counts, end_counts);
        // And the game is as the play left it.
        EXPECT_EQ(board_view(), end_view);
        EXPECT_EQ(board->hex_piece_counts, end_counts);
    }
}

TEST_F(replay_test, a_game_saved_with_free_slots_and_reopened_replays_to_the_same_board) {
    ASSERT_TRUE(remove_piece_from_board(piece("Blue HQ")));
    move({piece("Red HQ")}, {hex(26, 11)});
    placement_list = {{2, 0, 0}};
    ASSERT_EQ(create_placement_pieces(hex(3, 3), false), 2);
    const auto end_view = board_view();
    const std::string path = make_temp_folder() + "/Freed.OPS";
    ASSERT_TRUE(write_saved_game_file(path, false));
    const auto bytes = read_whole_file(path);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(read_saved_game_bytes(*bytes));
    const auto reopened = board_view();
    EXPECT_LT(reopened.size(), end_view.size() + 1); // the free slot closed up
    EXPECT_EQ(replay_all(game->history_stream).view, reopened);
}

TEST_F(replay_test, damaged_indices_in_records_are_skipped_and_hex_zero_is_a_hex) {
    byte_vector stream = game->history_stream;
    stream.pop_back();
    // A move of piece 0 to hex 0, a removal of a piece past the array, an addition of class 29999
    // at an off-map hex, and a hidden change to a state that does not exist.
    const byte_vector records = {0xFD, 0,  0, 0,   1, 0,   1,   0, 0, 0,   0,   0, 0, 0, 0, 0, 0, // move
                                 0xFD, 23, 0, 127, 0, 0,   0,   0, 0, 0,   0,   0, 0, 0, 0, 0, // remove 31750
                                 0xFD, 3,  0, 0,   1, 119, 249, 0, 0, 249, 249, 0, 0, 0, 0,    // add off map
                                 0xFD, 13, 0, 0,   1, 0,   7,                                  // hidden 7
                                 0xFE};
    stream.insert(stream.end(), records.begin(), records.end());
    ASSERT_TRUE(walk_history(stream));
    replay_saved_state saved;
    ASSERT_TRUE(save_replay_state(saved));
    ASSERT_TRUE(set_replay_start_pieces(stream));
    const auto size = game->piece_array.size();
    const auto walked = walk_history(stream);
    for (const auto& r : *walked)
        apply_history_record(stream, r);
    EXPECT_EQ(game->piece_array[0].location, 0);
    EXPECT_EQ(game->piece_array[1].hidden, 0);
    EXPECT_EQ(game->piece_array.size(), size);
    restore_replay_state(saved);
}

} // namespace
