// The eight typed values of a class or a piece as their editors check and store them.
#pragma once

#include "data/records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// Value types: 0 not used, 1 a signed 32-bit number (most significant byte first), 2 up to four
// characters, 3 yes/no (first byte 1 or 0).
constexpr int value_not_used = 0, value_numeric = 1, value_text = 2, value_yes_no = 3;

// The number a text holds: optional leading blanks, an optional sign, then digits up to the
// first other character; none when there is no digit or the number is outside signed 32 bits.
std::optional<std::int32_t> parse_value_number(const std::string& text);
// Whether the text is a number as the editors take it: an optional leading minus sign, then
// digits only within the first four characters.
bool looks_numeric(const std::string& text);
// The four bytes of a number, most significant first.
std::array<std::uint8_t, 4> number_bytes(std::int32_t v);

// What the editor shows and what it saves, value by value.
struct value_edit {
    std::array<std::string, 8> names; // the eight shared value names
    std::array<std::string, 8> texts; // the value boxes
    std::array<int, 8> types{};       // the chosen type options
};

// The checks and stores of a save, in order: duplicate value names (asked only when both
// values were in use), type changes against the texts, then the values by their new types.
// Every question may be answered Cancel: false then, and the editor stays open; texts the user
// agreed to adjust are adjusted in `edit`. On true, `values` and `types` hold what is saved and
// `names_out` the new value names. `lost_caption` is the caption of the value questions.
bool check_and_store_values(value_edit& edit, value_bytes& values, std::uint8_t (&types)[8],
                            value_name (&names_out)[8], const char* lost_caption);
