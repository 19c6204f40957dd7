#include "data/history_stream.h"
#include "data/records.h"
#include "play/turns.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace {

class turns_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        game->game_turn = 0;
    }
    // The names of turns 0 .. n-1 as get_turn_name gives them.
    static std::vector<std::string> names(int n) {
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i)
            out.push_back(get_turn_name(i));
        return out;
    }
    static turn_name entry(const std::string& text) {
        turn_name t;
        set_name(t.text, text);
        return t;
    }
    static turn_name unnamed() { return entry("\x01"); }
};

TEST_F(turns_test, the_proposed_turn_is_the_next_one_up_to_32000_or_this_one_when_clearing) {
    struct row {
        int turn;
        bool clear_mode;
        int proposed;
    };
    const row rows[] = {{0, false, 1},
                        {31999, false, 32000},
                        {32000, false, 32000},
                        {5, true, 5},
                        {0, true, 0},
                        // From a damaged file.
                        {40000, true, 32000},
                        {40000, false, 32000},
                        {-3, false, 1}};
    for (const row& r : rows) {
        game->game_turn = r.turn;
        EXPECT_EQ(proposed_turn(r.clear_mode), r.proposed) << r.turn << " " << r.clear_mode;
    }
}

TEST_F(turns_test, a_name_past_the_list_grows_it_with_unnamed_turns_between) {
    ASSERT_EQ(names(2), (std::vector<std::string>{"Set-up", ""}));
    EXPECT_EQ(ensure_turn_name_slot(0), 2);
    ASSERT_TRUE(set_turn_name(5, "Spring"));
    ASSERT_EQ(game->turn_names.size(), 7u);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(game->turn_names[static_cast<std::size_t>(i)].text[0], 1) << i;
    EXPECT_EQ(game->turn_names[6].text[0], 0);
    EXPECT_EQ(names(8), (std::vector<std::string>{"Set-up", "", "", "", "", "Spring", "", ""}));
    EXPECT_EQ(game_modified, 1);
}

TEST_F(turns_test, slots_from_an_empty_list_to_a_full_one) {
    struct row {
        std::size_t entries; // named entries before the end entry; 0 with no end: no list at all
        bool has_end;
        int n;
        int result;
        std::size_t size_after;
    };
    const row rows[] = {
        {0, false, 0, 1, 2},
        {0, false, 3, 1, 5},
        {2, true, 1, 2, 3},
        {2, true, 31999, 1, 32001},
        {2, true, 32000, 0, 3},      // turn 32000 would make 32001 entries
        {32000, true, 10, 2, 32001}, // a full list still renames its turns
        {32000, true, 32000, 0, 32001},
        {2, true, -1, 0, 3},
        {3, false, 5, 1, 7}, // a damaged list without its end entry
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::to_string(r.entries) + " entries, n = " + std::to_string(r.n));
        game->turn_names.assign(r.entries, entry("T"));
        if (r.has_end) game->turn_names.push_back(turn_name{});
        EXPECT_EQ(ensure_turn_name_slot(r.n), r.result);
        EXPECT_EQ(game->turn_names.size(), r.size_after);
        EXPECT_EQ(game->turn_names.back().text[0], 0);
    }
}

TEST_F(turns_test, names_are_cut_to_49_bytes_and_never_read_past_their_field) {
    ASSERT_TRUE(set_turn_name(1, std::string(60, 'x')));
    EXPECT_EQ(get_turn_name(1), std::string(49, 'x'));
    EXPECT_EQ(game->turn_names[1].text[49], 0);
    EXPECT_TRUE(set_turn_name(1, "")); // an empty text keeps the name
    EXPECT_EQ(get_turn_name(1), std::string(49, 'x'));

    // A full field from a file (no closing 0) gives its 50 bytes, nothing beyond.
    game->turn_names = {entry(std::string(50, 'y'))};
    EXPECT_EQ(get_turn_name(0), std::string(50, 'y'));
    EXPECT_EQ(get_turn_name(1), "");
    EXPECT_EQ(get_turn_name(-1), "");
    game->turn_names.clear();
    EXPECT_EQ(get_turn_name(0), "");
}

TEST_F(turns_test, advancing_sets_the_turn_and_clears_only_the_ticked_things) {
    struct row {
        bool replay, move, combat;
        std::uint8_t flags_after;
    };
    const std::uint8_t all =
        piece_flag_attacked | piece_flag_defended | piece_flag_moved | piece_flag_in_pool | piece_flag_on_top;
    const row rows[] = {
        {true, false, false, all},
        {false, true, false, all & ~piece_flag_moved},
        {false, false, true, piece_flag_moved | piece_flag_in_pool | piece_flag_on_top},
        {true, true, true, piece_flag_in_pool | piece_flag_on_top},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::to_string(r.replay) + std::to_string(r.move) + std::to_string(r.combat));
        SetUp();
        game->piece_array.insert(game->piece_array.begin(), 2, piece_struct{});
        for (int i = 0; i < 2; ++i) {
            game->piece_array[static_cast<std::size_t>(i)].flags = all;
            game->piece_array[static_cast<std::size_t>(i)].location = 0;
        }
        const int sides[] = {6};
        append_die_roll_record(6, sides);
        const auto before = game->history_stream;
        game_modified = 0; // as just saved: the advance itself must mark the game
        apply_advance_turn({7, r.replay, r.move, r.combat, "Turn Seven"});
        EXPECT_EQ(game->game_turn, 7);
        EXPECT_EQ(get_turn_name(7), "Turn Seven");
        EXPECT_EQ(game_modified, 1);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(game->piece_array[static_cast<std::size_t>(i)].flags, r.flags_after);
        if (r.replay) {
            // Three pieces counted with the end record; each: class, location (a piece with the
            // in-pool flag as 63002), hidden; then the turn.
            EXPECT_EQ(game->history_stream,
                      bytes({0x00, 0x03, 0x00, 0x00, 0xFC, 0x02, 0x00, 0x00, 0x00, 0xFC,
                             0x02, 0x00, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x07, 0xFE}));
        } else {
            EXPECT_EQ(game->history_stream, before);
        }
    }
}

TEST_F(turns_test, clearing_the_replay_of_an_empty_game_leaves_the_bare_header_with_the_turn) {
    const int sides[] = {3};
    append_die_roll_record(6, sides);
    apply_advance_turn({proposed_turn(true), true, false, false, ""});
    EXPECT_EQ(game->history_stream, bytes({0x00, 0x01, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x00, 0xFE}));
    EXPECT_EQ(get_turn_name(0), "Set-up");
}

TEST_F(turns_test, saving_the_grid_keeps_the_rows_up_to_the_last_named_one) {
    struct row {
        std::vector<std::string> rows;
        std::vector<std::string> names;
        std::size_t entries; // with the end entry
    };
    const row rows[] = {
        {{"", "", ""}, {"", "", ""}, 1}, // no turn has a name, turn 0 included
        {{"A", "", "B", "", ""}, {"A", "", "B", ""}, 4},
        {{"", std::string(70, 'z')}, {"", std::string(49, 'z'), ""}, 3},
    };
    for (const row& r : rows) {
        ASSERT_TRUE(save_turn_names(r.rows));
        EXPECT_EQ(game->turn_names.size(), r.entries);
        EXPECT_EQ(game->turn_names.back().text[0], 0);
        EXPECT_EQ(names(static_cast<int>(r.names.size())), r.names);
    }
    save_turn_names({"A", "", "B"});
    EXPECT_EQ(game->turn_names[1].text[0], 1); // an empty row between is unnamed, not the end
}

} // namespace
