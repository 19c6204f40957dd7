#include "data/current_player.h"
#include "data/encodings.h"
#include "data/game_settings.h"
#include "data/history_stream.h"
#include "play/dice.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace {

class dice_test : public fresh_game_test {
protected:
    void SetUp() override {
        saved_clock_ = dice_clock_ms;
        dice_clock_ms = [this] {
            ++clock_reads_;
            return 437;
        };
        restart();
    }
    // A fresh game, generator and clock count for the next case of a table.
    void restart() {
        fresh_game_test::SetUp();
        clock_reads_ = 0;
        seed_random(12345);
        start_ = game->history_stream;
        start_.pop_back(); // the closing 0xFE
    }
    void TearDown() override {
        dice_clock_ms = saved_clock_;
        current_player = -1;
    }
    // The stream as it was, then the given bytes, then the closing 0xFE.
    std::vector<std::uint8_t> stream_with(const std::vector<std::uint8_t>& tail) const {
        auto s = start_;
        s.insert(s.end(), tail.begin(), tail.end());
        s.push_back(0xFE);
        return s;
    }
    std::function<int()> saved_clock_;
    int clock_reads_ = 0;
    std::vector<std::uint8_t> start_;
};

TEST_F(dice_test, a_roll_records_its_dice_sides_and_results_and_keeps_them_in_range) {
    struct row {
        int count, sides;    // as asked
        int dice, die_sides; // as rolled
        int clock_reads;     // re-seedings: before die 0 and before every die i with i mod 4 = 3
    };
    const row rows[] = {
        {1, 1, 1, 1, 1},
        {3, 6, 3, 6, 1},
        {4, 6, 4, 6, 2},
        {8, 10, 8, 10, 3},
        {100, 100, 100, 100, 26},
        // Counts from a damaged game file are brought into 1..100.
        {0, 0, 1, 1, 1},
        {250, 255, 100, 100, 26},
        {-5, 101, 1, 100, 1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(std::to_string(r.count) + "d" + std::to_string(r.sides));
        restart();
        const dice_roll roll = roll_dice(r.count, r.sides);
        ASSERT_EQ(roll.results.size(), static_cast<std::size_t>(r.dice));
        EXPECT_EQ(clock_reads_, r.clock_reads);
        EXPECT_EQ(game_settings.dice_count, r.dice);
        EXPECT_EQ(game_settings.die_sides, r.die_sides);
        std::vector<std::uint8_t> tail{
            0xFD, 6, 0, static_cast<std::uint8_t>(r.dice), 0, static_cast<std::uint8_t>(r.die_sides)};
        for (int v : roll.results) {
            EXPECT_GE(v, 1);
            EXPECT_LE(v, r.die_sides);
            tail.insert(tail.end(), {0, static_cast<std::uint8_t>(v)});
        }
        tail.push_back(0); // comment flag
        EXPECT_EQ(tail.size() - 2, static_cast<std::size_t>(2 * r.dice + 5));
        EXPECT_EQ(game->history_stream, stream_with(tail));
        EXPECT_EQ(roll.record, static_cast<long>(start_.size()) + 2);
    }
}

TEST_F(dice_test, one_die_of_one_side_gives_the_seven_byte_record) {
    const dice_roll roll = roll_dice(1, 1);
    EXPECT_EQ(roll.results, std::vector<int>{1});
    EXPECT_EQ(game->history_stream,
              stream_with(bytes({0xFD, 0x06, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00})));
}

TEST_F(dice_test, the_same_seed_and_clock_give_the_same_roll_and_another_seed_another) {
    const auto first = roll_dice(100, 100).results;
    new_game();
    seed_random(12345);
    EXPECT_EQ(roll_dice(100, 100).results, first);
    new_game();
    seed_random(999);
    EXPECT_NE(roll_dice(100, 100).results, first);
}

TEST_F(dice_test, rolls_behind_a_history_of_megabytes_stay_in_range) {
    // Past about 4 MB the seed's product no longer fits 32 bits; it wraps, it is never cast out
    // of range (the sanitizer build checks that cast).
    auto& s = game->history_stream;
    s.insert(s.end() - 1, std::size_t{6} << 20, std::uint8_t{0});
    for (unsigned seed = 1; seed <= 200; ++seed) {
        seed_random(seed);
        const auto roll = roll_dice(100, 6);
        ASSERT_EQ(roll.results.size(), 100u);
        for (int r : roll.results)
            EXPECT_TRUE(r >= 1 && r <= 6) << r;
    }
}

TEST(dice_text, results_follow_the_text_already_there) {
    struct row {
        std::string before;
        std::vector<int> results;
        std::string text;
    };
    const row rows[] = {
        {"", {4}, "Roll Results:  4  "},
        {"x", {1, 2}, "xRoll Results:  1, 2  "}, // one character gets no gap
        {"ab", {3, 100, 7}, "ab  Roll Results:  3, 100, 7  "},
    };
    for (const row& r : rows)
        EXPECT_EQ(roll_results_text(r.before, r.results), r.text) << r.before;
}

TEST_F(dice_test, a_comment_sets_the_flag_and_follows_the_roll_an_empty_one_does_not) {
    struct row {
        int player;
        std::string text;
        std::vector<std::uint8_t> comment; // the code-7 record, empty when none
        int flag;
    };
    const row rows[] = {
        {-1, "", {}, 0},
        {-1, "Roll Results:  1  ok", {0xFD, 7, 250, 1, 0, 20}, 1},
        {2, "hi", {0xFD, 7, 2, 1, 0, 2}, 1},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        restart();
        current_player = r.player;
        const dice_roll roll = roll_dice(1, 1);
        set_die_roll_comment_flag(roll.record, true); // a flag left over must go back to 0
        record_roll_comment(roll.record, r.text);
        auto tail = bytes({0xFD, 0x06, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, r.flag});
        tail.insert(tail.end(), r.comment.begin(), r.comment.end());
        if (!r.comment.empty()) tail.insert(tail.end(), r.text.begin(), r.text.end());
        EXPECT_EQ(game->history_stream, stream_with(tail));
    }
    restart();
    record_roll_comment(-1, "a roll that was not recorded");
    EXPECT_EQ(game->history_stream, stream_with({}));
}

} // namespace
