#include "dice.h"

#include "data/encodings.h"
#include "data/game_settings.h"
#include "data/history_stream.h"

#include <chrono>
#include <cstdint>

std::string comment_text;
std::function<void()> add_comment_form_hook;

std::function<int()> dice_clock_ms = [] {
    using namespace std::chrono;
    return static_cast<int>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() %
                            1000);
};

int bounded_dice_value(int v) {
    return v < 1 ? 1 : v > max_dice ? max_dice : v;
}

namespace {

// Mixes the clock, earlier draws and the stream's length into a new seed, so that players
// cannot predict the next roll.
void reseed(std::size_t write_offset) {
    const int m = dice_clock_ms ? dice_clock_ms() % 1000 : 0;
    const int a = (m < 0 ? -m : m) % (random_below(10) + 2);
    // One draw after the other, so that a seed gives the same roll with every compiler.
    const int draw = random_below(1000);
    const int b = draw / (random_below(50) + 1);
    const int c = a + b;
    const int w = write_offset > 62499 * 250 ? 62499 * 250 : static_cast<int>(write_offset);
    const int p = random_below(w) + 1;
    // The product passes what a seed holds once the history is a few megabytes long: it is
    // taken modulo 2^32, exactly, rather than cast out of range.
    seed_random(static_cast<unsigned>(static_cast<std::uint64_t>(p) * static_cast<std::uint64_t>(c)));
}

} // namespace

dice_roll roll_dice(int count, int sides) {
    const int n = bounded_dice_value(count);
    const int s = bounded_dice_value(sides);
    game_settings.dice_count = static_cast<std::uint8_t>(n);
    game_settings.die_sides = static_cast<std::uint8_t>(s);
    dice_roll roll;
    roll.results.reserve(static_cast<std::size_t>(n));
    // Where the results go: behind the framing (2 bytes) and the two num2 counts.
    const std::size_t first_result = history_end_offset() + 2 + 4;
    reseed(first_result);
    for (int i = 0; i < n; ++i) {
        if (i % 4 == 3) reseed(first_result + 2 * static_cast<std::size_t>(i));
        roll.results.push_back(random_below(s) + 1);
    }
    roll.record = append_die_roll_record(s, roll.results);
    return roll;
}

std::string roll_results_text(const std::string& before, const std::vector<int>& results) {
    std::string text = before;
    if (text.size() > 1) text += "  ";
    text += "Roll Results:  ";
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(results[i]);
    }
    return text + "  ";
}

void record_roll_comment(long roll_record, const std::string& text) {
    // A roll that could not be recorded gets no comment either: it would belong to nothing.
    if (roll_record < 0) return;
    if (text.empty()) {
        set_die_roll_comment_flag(roll_record, false);
        return;
    }
    if (append_comment_record(1, text) >= 0) set_die_roll_comment_flag(roll_record, true);
}
