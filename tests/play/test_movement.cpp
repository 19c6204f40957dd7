// Moves along a path, combats, and the reveals that moves make.
#include "test_support.h"

#include "data/alliances.h"
#include "data/command_state.h"
#include "data/current_player.h"
#include "data/game_settings.h"
#include "data/hex_geometry.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/options.h"
#include "play/combat_summary.h"
#include "play/movement.h"
#include "play/piece_order.h"
#include "play/reveal.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

class movement_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_game_settings();
        reset_command_state();
        operation_mode = 0;
        combat_options = 2;
        alliance_table.clear();
        make_board(1, 10, 8);
        // Players 0 and 1 hide their pieces; range 1 each.
        game->player_array.clear();
        for (const char* name : {"Blue", "Red", "Green"}) {
            player_struct p;
            set_name(p.name, name);
            p.flags = player_flag_uses_hidden;
            p.reveal_range = 1;
            game->player_array.push_back(p);
        }
        game->player_array.push_back(player_struct{});
        game->player_count = 3;
        game_settings.auto_reveal_moving_range = 1;
    }
    void TearDown() override {
        reset_command_state();
        operation_mode = 0;
        combat_options = 2;
        alliance_table.clear();
        combat_summary_hook = nullptr;
        roll_dice_form_hook = nullptr;
        map_hex_redraw_hook = nullptr;
    }

    static void make_board(int grid, int columns, int rows) { make_plain_board(columns, rows, grid); }
    static std::int32_t hex(int column, int row) { return row * board->map_columns + column; }

    // A piece of a class of its own, owned by `owner`, standing in `at`.
    static int piece(int owner, std::int32_t at, int hidden = 2) {
        const int c = add_class();
        game->class_array[static_cast<std::size_t>(c)].owner = static_cast<std::uint8_t>(owner);
        game->class_array[static_cast<std::size_t>(c)].value_types[0] = 0;
        game->class_array[static_cast<std::size_t>(c)].symbol = 0;
        const int p = add_piece();
        piece_struct& x = game->piece_array[static_cast<std::size_t>(p)];
        x.class_index = c;
        x.location = at;
        x.flags = 0;
        x.hidden = static_cast<std::uint8_t>(hidden);
        x.value_types[0] = 0;
        ++board->hex_piece_counts[static_cast<std::size_t>(at)];
        return p;
    }
    static piece_struct& at(int p) { return game->piece_array[static_cast<std::size_t>(p)]; }

    static std::vector<int> codes() {
        std::vector<int> v;
        auto records = walk_history(game->history_stream);
        if (!records) return {-1};
        for (const auto& r : *records)
            v.push_back(r.code);
        return v;
    }
    static std::vector<std::int64_t> revealed_in(const history_record& r) {
        std::vector<std::int64_t> pieces;
        for (int i = 0;; ++i) {
            auto f = record_field(game->history_stream, r, "piece", i);
            if (!f) break;
            pieces.push_back(f->value);
        }
        return pieces;
    }
};

// Range 1 finds exactly the hex itself and its true neighbours, at the board's corners and edges
// as in its middle, on every grid type.
TEST_F(movement_test, range_one_is_the_hex_and_its_neighbours_everywhere_on_the_board) {
    for (int grid : {1, 2, 3}) {
        make_board(grid, 6, 5);
        for (int fr = 0; fr < 5; ++fr)
            for (int fc = 0; fc < 6; ++fc) {
                std::set<std::int32_t> expected{hex(fc, fr)};
                for (int d : {1, 2, 3, 4, 6, 7, 8, 9}) {
                    const std::int32_t n = neighbour_hex(hex(fc, fr), d);
                    if (n >= 0 && n < board->hex_count) expected.insert(n);
                }
                std::set<std::int32_t> found;
                for (int r = 0; r < 5; ++r)
                    for (int c = 0; c < 6; ++c)
                        if (in_reveal_range(c, r, fc, fr, 1)) found.insert(hex(c, r));
                EXPECT_EQ(found, expected) << "grid " << grid << " finder " << fc << "," << fr;
            }
    }
}

TEST_F(movement_test, range_zero_and_two_follow_the_box_less_its_far_corners) {
    make_board(1, 10, 8);
    EXPECT_TRUE(in_reveal_range(4, 4, 4, 4, 0));
    EXPECT_FALSE(in_reveal_range(4, 5, 4, 4, 0));
    // An odd column finder loses the top corners of its box, an even one the bottom corners.
    EXPECT_FALSE(in_reveal_range(1, 1, 3, 3, 2));
    EXPECT_FALSE(in_reveal_range(5, 1, 3, 3, 2));
    EXPECT_TRUE(in_reveal_range(1, 5, 3, 3, 2));
    EXPECT_FALSE(in_reveal_range(2, 6, 4, 4, 2));
    EXPECT_TRUE(in_reveal_range(2, 2, 4, 4, 2));
    // Cut by the board's left edge, the box keeps the finder's own column whole.
    EXPECT_TRUE(in_reveal_range(0, 6, 0, 4, 2));
}

TEST_F(movement_test, a_move_reveals_enemies_in_range_never_allies_and_records_behind_the_move) {
    const int mover = piece(0, hex(2, 2), 0);
    const int enemy_near = piece(1, hex(5, 2));
    const int enemy_far = piece(1, hex(9, 7));
    const int ally_near = piece(2, hex(5, 3));
    const int marker = piece(owner_all_players, hex(5, 2));
    set_alliance(2, 0, true); // Green and Blue are allied both ways
    // A reveal of an earlier move stays before this one.
    const std::vector<std::uint8_t> earlier_owner{1};
    const std::vector<std::int32_t> earlier_piece{enemy_far};
    ASSERT_GE(append_reveal_history_record(history_code_move_reveal, 0, earlier_owner, earlier_piece), 0);
    ASSERT_EQ(take_up_for_move(std::vector<std::int32_t>{mover}), 1);
    ASSERT_TRUE(add_path_step(hex(3, 2)));
    ASSERT_TRUE(add_path_step(hex(4, 2)));
    EXPECT_EQ(at(enemy_near).hidden, 0) << "within range 1 of the second step";
    EXPECT_EQ(at(enemy_far).hidden, 2);
    EXPECT_EQ(at(ally_near).hidden, 2) << "allies are not revealed";
    EXPECT_EQ(at(marker).hidden, 2);
    EXPECT_EQ(path_reveal_flags & 1, 1);
    EXPECT_EQ(path_reveal_count, 1);

    // Undo is refused once enemies were revealed; the path stays.
    undo_path_step();
    EXPECT_TRUE(responder.saw("Undo Command Error", "revealed enemy pieces"));
    EXPECT_EQ(path_step_count(), 2);

    const std::size_t before = game->history_stream.size();
    finish_move();
    EXPECT_GT(game->history_stream.size(), before);
    EXPECT_EQ(at(mover).location, hex(4, 2));
    EXPECT_EQ(at(mover).flags & piece_flag_moved, piece_flag_moved);
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(2, 2))], 0);
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(4, 2))], 1);
    EXPECT_EQ(operation_mode, 0);
    EXPECT_EQ(move_path[0], location_end);
    EXPECT_EQ(game_modified, 1);
    // The replay moves the piece first, then reveals.
    const auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    EXPECT_EQ(codes(),
              (std::vector<int>{history_code_move_reveal, history_code_move, history_code_move_reveal}));
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ(revealed_in((*records)[2]), std::vector<std::int64_t>{enemy_near});
}

TEST_F(movement_test, a_moving_piece_found_by_an_enemy_is_revealed_recorded_and_can_still_undo) {
    const int mover = piece(0, hex(2, 2), 2);
    const int watcher = piece(1, hex(6, 2), 0); // not hidden: nothing of it to reveal
    take_up_for_move(std::vector<std::int32_t>{mover});
    ASSERT_TRUE(add_path_step(hex(5, 2)));
    EXPECT_EQ(at(mover).hidden, 0) << "the watcher's range holds the step";
    EXPECT_EQ(path_reveal_flags, 2);
    ASSERT_TRUE(add_path_step(hex(5, 3)));
    undo_path_step();
    EXPECT_FALSE(responder.saw("Undo Command Error"));
    EXPECT_EQ(path_step_count(), 1);
    finish_move();
    const auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0].code, history_code_move);
    EXPECT_EQ((*records)[1].code, history_code_move_reveal);
    EXPECT_EQ(revealed_in((*records)[1]), std::vector<std::int64_t>{mover});
    (void)watcher;
}

TEST_F(movement_test, the_path_refuses_its_hundredth_step_and_a_move_needs_pieces_and_steps) {
    game_settings.auto_reveal_moving_range = 0;
    const int p = piece(0, hex(0, 0), 0);
    EXPECT_FALSE(move_selected_pieces()) << "no pieces";
    take_up_for_move(std::vector<std::int32_t>{p});
    EXPECT_FALSE(move_selected_pieces()) << "no steps";
    EXPECT_EQ(codes().size(), 0u);
    for (int i = 0; i < move_path_steps_max; ++i)
        ASSERT_TRUE(add_path_step(hex(i % 10, (i / 10) % 8)));
    EXPECT_FALSE(responder.saw("Movement Path Full"));
    EXPECT_FALSE(add_path_step(hex(1, 1)));
    EXPECT_TRUE(responder.saw("Movement Path Full"));
    EXPECT_EQ(path_step_count(), move_path_steps_max);
    EXPECT_EQ(move_path[move_path_steps_max], location_end);
    // Back to its own hex: a move is recorded, the count unchanged.
    move_path[move_path_steps_max - 1] = hex(0, 0);
    finish_move();
    EXPECT_EQ(at(p).location, hex(0, 0));
    EXPECT_EQ(board->hex_piece_counts[0], 1);
    EXPECT_EQ(codes(), std::vector<int>{history_code_move});
}

TEST_F(movement_test, combat_clicks_undo_one_at_a_time_then_all) {
    const int a1 = piece(0, hex(1, 1), 0), a2 = piece(0, hex(1, 1), 0), a3 = piece(0, hex(3, 1), 0);
    const int d1 = piece(1, hex(2, 1), 2);
    game_settings.reveal_during_combat = 1;
    EXPECT_EQ(add_combatants('A', std::vector<std::int32_t>{a1, a2}), 2);
    EXPECT_EQ(operation_mode, 3);
    EXPECT_EQ(add_combatants('A', std::vector<std::int32_t>{a3}), 1);
    EXPECT_EQ(add_combatants('D', std::vector<std::int32_t>{d1}), 1);
    EXPECT_EQ(at(d1).hidden, 0) << "the defender takes part and is revealed";
    undo_combat_selection();
    EXPECT_EQ(defender_list[0], -1);
    EXPECT_EQ(attacker_list[2], a3);
    EXPECT_EQ(std::vector<int>(selected_pieces, selected_pieces + 4), (std::vector<int>{a1, a2, a3, -1}));
    undo_combat_selection(); // no click pending: the whole combat
    EXPECT_EQ(attacker_list[0], -1);
    EXPECT_EQ(selected_pieces[0], -1);
}

TEST_F(movement_test, the_combat_lists_stay_within_their_capacity) {
    std::vector<std::int32_t> many;
    for (int i = 0; i < 600; ++i)
        many.push_back(piece(0, hex(1, 1), 0));
    EXPECT_EQ(add_combatants('A', many), combat_list_capacity - 1);
    EXPECT_EQ(attacker_list[combat_list_capacity - 1], -1);
    // The last click is the capped one; taking it back never reaches below the list.
    combat_last_added = 600;
    undo_combat_selection();
    EXPECT_EQ(attacker_list[0], -1);
    EXPECT_EQ(selected_pieces[0], -1);
}

TEST_F(movement_test, resolving_a_combat_shows_the_summary_records_then_rolls_and_flags) {
    const int a = piece(0, hex(1, 1), 0), d = piece(1, hex(2, 1), 0);
    std::vector<std::string> calls;
    combat_summary_hook = [&] { calls.push_back("summary"); };
    roll_dice_form_hook = [&] {
        calls.push_back("dice");
        EXPECT_EQ(codes(), std::vector<int>{history_code_combat}) << "the combat is recorded before the roll";
    };
    struct row {
        std::uint8_t class_mask, options;
        std::vector<std::string> expected;
    };
    const row table[] = {{0, 0, {}}, {1, 0, {"summary"}}, {0, 2, {"dice"}}, {4, 2, {"summary", "dice"}}};
    for (const row& r : table) {
        game->history_stream = {0x00, 0x01, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x00, 0xFE};
        clear_history();
        calls.clear();
        at(a).flags = at(d).flags = 0;
        game_settings.combat_summary_class_mask = r.class_mask;
        combat_options = r.options;
        add_combatants('A', std::vector<std::int32_t>{a});
        add_combatants('D', std::vector<std::int32_t>{d});
        EXPECT_TRUE(resolve_combat());
        EXPECT_EQ(calls, r.expected);
        EXPECT_EQ(at(a).flags, piece_flag_attacked);
        EXPECT_EQ(at(d).flags, piece_flag_defended);
        EXPECT_EQ(attacker_list[0], -1);
        EXPECT_EQ(codes(), std::vector<int>{history_code_combat});
    }
    EXPECT_FALSE(resolve_combat()) << "empty lists record nothing";
    EXPECT_EQ(codes(), std::vector<int>{history_code_combat});
}

TEST_F(movement_test, the_full_run_hides_every_player_piece_and_finds_those_near_enemies) {
    const int blue = piece(0, hex(2, 2), 0);
    const int red_near = piece(1, hex(3, 2), 0);
    const int red_far = piece(1, hex(8, 6), 0);
    const int green_near = piece(2, hex(2, 1), 0); // Red's top corner: out of its range
    const int marker = piece(owner_all_players, hex(2, 2), 1);
    // Green names Blue as an ally: Blue does not find Green; Green still finds Blue.
    alliance_table = make_alliance_table(3);
    alliance_table[2].flags[0] = 1;
    alliance_table[2].count = 1;
    run_range_auto_reveal();
    EXPECT_EQ(at(blue).hidden, 0);
    EXPECT_EQ(at(red_near).hidden, 0);
    EXPECT_EQ(at(red_far).hidden, 2) << "no enemy near: hidden again";
    EXPECT_EQ(at(green_near).hidden, 2);
    EXPECT_EQ(at(marker).hidden, 1) << "markers keep their state";
    EXPECT_EQ(codes(), std::vector<int>{history_code_range_reveal});
}

// Sums count what the logged-on player may know of each piece; the texts say what was left out.
TEST_F(movement_test, the_combat_summary_sums_what_the_player_may_know) {
    auto value = [](int piece_or_class, bool is_class, int k, std::int32_t v, int type = 1) {
        auto& bytes = is_class ? game->class_array[static_cast<std::size_t>(piece_or_class)].values[k]
                               : game->piece_array[static_cast<std::size_t>(piece_or_class)].values[k];
        const auto u = static_cast<std::uint32_t>(v);
        bytes = {static_cast<std::uint8_t>(u >> 24), static_cast<std::uint8_t>(u >> 16),
                 static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u)};
        if (is_class)
            game->class_array[static_cast<std::size_t>(piece_or_class)].value_types[k] =
                static_cast<std::uint8_t>(type);
        else
            game->piece_array[static_cast<std::size_t>(piece_or_class)].value_types[k] =
                static_cast<std::uint8_t>(type);
    };
    set_name(game->class_value_names[0], "Attack");
    set_name(game->piece_value_names[1], "Steps");
    current_player = 0; // Blue looks at the summary
    const int a1 = piece(0, hex(1, 1), 2), a2 = piece(0, hex(3, 1), 2);
    const int d_seen = piece(1, hex(2, 1), 0), d_class = piece(1, hex(2, 1), 1),
              d_hidden = piece(1, hex(2, 2), 2);
    const int d_text = piece(1, hex(2, 2), 0);
    for (int p : {a1, a2, d_seen, d_class, d_hidden, d_text}) {
        value(at(p).class_index, true, 0, -7);
        value(p, false, 1, 2'000'000'000);
    }
    value(at(d_text).class_index, true, 0, 0x41424344, 2); // "ABCD": not a number
    value(d_text, false, 1, 5, 3);
    add_combatants('A', std::vector<std::int32_t>{a1, a2});
    add_combatants('D', std::vector<std::int32_t>{d_seen, d_class, d_hidden, d_text});
    game_settings.combat_summary_class_mask = 1;
    game_settings.combat_summary_piece_mask = 2;
    struct row {
        bool reveal;
        const char *attack_text, *defend_text, *class_d, *piece_d;
    };
    const row table[] = {
        // The defender of info hidden state shows its class (-7), not its own value; the fully
        // hidden one shows nothing; the text values add nothing.
        {false, "2 Attacking Pieces in 2 Hexes", "4 Defending Pieces in 2 Hexes  (2 hidden, not in the sums)",
         "-14", "2000000000"},
        // Revealed for the combat: everything counts, in 64 bits.
        {true, "2 Attacking Pieces in 2 Hexes", "4 Defending Pieces in 2 Hexes", "-21", "6000000000"},
    };
    for (const row& r : table) {
        game_settings.reveal_during_combat = r.reveal ? 1 : 0;
        const combat_summary s = make_combat_summary();
        EXPECT_EQ(s.attack_text, r.attack_text);
        EXPECT_EQ(s.defend_text, r.defend_text);
        ASSERT_EQ(s.rows.size(), 3u);
        EXPECT_EQ(s.rows[0].name, "Attack (C)");
        EXPECT_EQ(s.rows[0].attacker, "-14");
        EXPECT_EQ(s.rows[0].defender, r.class_d);
        EXPECT_EQ(s.rows[1].name, " ");
        EXPECT_EQ(s.rows[2].name, "Steps (U)");
        EXPECT_EQ(s.rows[2].attacker, "4000000000");
        EXPECT_EQ(s.rows[2].defender, r.piece_d);
    }
    // One piece in one hex: the singular words.
    reset_command_state();
    add_combatants('A', std::vector<std::int32_t>{a1});
    EXPECT_EQ(make_combat_summary().attack_text, "1 Attacking Piece in 1 Hex");
    EXPECT_EQ(make_combat_summary().defend_text, "0 Defending Piece in 0 Hex");
    current_player = -1;
}

// Reordering pieces under a held move, combat, selection and cycle keeps every list on the same
// pieces; a removed piece leaves them.
TEST_F(movement_test, held_piece_lists_follow_the_piece_order) {
    std::vector<int> p;
    for (int i = 0; i < 6; ++i)
        p.push_back(piece(0, hex(i, 0), 0));
    const int names[] = {0, 1, 2, 3, 4, 5};
    for (int i : names)
        set_name(at(p[static_cast<std::size_t>(i)]).name, std::string(1, static_cast<char>('a' + i)));
    take_up_for_move(std::vector<std::int32_t>{p[1], p[4]});
    attacker_list[0] = p[5];
    attacker_list[1] = -1;
    defender_list[0] = p[0];
    defender_list[1] = p[3];
    defender_list[2] = -1;
    action_selection[0] = p[2];
    action_selection[1] = p[4];
    action_selection[2] = -1;
    cycle_list[0] = p[3];
    cycle_list[1] = -1;
    auto names_of = [](const std::int32_t* list) {
        std::string s;
        for (int i = 0; list[i] != -1; ++i)
            s += name_of(at(list[i]).name);
        return s;
    };
    auto all = [&] {
        return names_of(selected_pieces) + "|" + names_of(attacker_list) + "|" + names_of(defender_list) +
               "|" + names_of(action_selection) + "|" + names_of(cycle_list);
    };
    ASSERT_EQ(all(), "be|f|ad|ce|d");
    move_piece_in_order(p[4], p[0], true); // to the front
    EXPECT_EQ(all(), "be|f|ad|ce|d");
    move_piece_in_order(0, 5, true); // and to the back
    EXPECT_EQ(all(), "be|f|ad|ce|d");
    EXPECT_EQ(codes(), (std::vector<int>{history_code_piece_order, history_code_piece_order}));
    // The piece now at index 3 ("d"?) leaves every list.
    const std::int32_t d = [&] {
        for (int i = 0; i < 6; ++i)
            if (name_of(at(i).name) == "d") return i;
        return -1;
    }();
    held_pieces_after_removal(d);
    EXPECT_EQ(all(), "be|f|a|ce|");
}

} // namespace
