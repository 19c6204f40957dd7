// Rolling dice: the roll, its history record and the results text.
#pragma once

#include <functional>
#include <string>
#include <vector>

constexpr int max_dice = 100;

constexpr int max_die_sides = 100;

// The text the comment forms share: when not empty as RollDiceForm opens, the form shows it
// read-only (a recorded roll in the replay).
extern std::string comment_text;

// Opens the comment form after a roll (More Comment Types); empty until the comment forms exist.
extern std::function<void()> add_comment_form_hook;

// Milliseconds part of the clock (0-999) that the re-seeding mixes in; tests fix it.
extern std::function<int()> dice_clock_ms;

// A count or side number from a file or a control, brought into 1..100.
int bounded_dice_value(int v);

struct dice_roll {
    std::vector<int> results;
    // Offset of the roll record's payload in the history stream, -1 when it was not recorded.
    long record = -1;
};

// Rolls `count` dice of `sides` sides (each bounded to 1..100), stores both in game_settings
// and appends the history record (code 6) with the comment flag 0.
dice_roll roll_dice(int count, int sides);

// The results box after a roll: the text already there, then "Roll Results:  " and the results.
std::string roll_results_text(const std::string& before, const std::vector<int>& results);

// Done: an empty text leaves the roll's comment flag 0; any other text sets it and is recorded
// as a text comment (code 7).
void record_roll_comment(long roll_record, const std::string& text);
