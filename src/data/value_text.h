// The texts of class and piece values, as the panels, lists and editors show them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// One value by its type byte: 0 empty, 1 a signed 32-bit number (most significant byte first),
// 2 up to four characters, 3 "Yes" or "No"; any other type is empty.
std::string format_class_value(std::uint8_t type, const std::array<std::uint8_t, 4>& value);
// The eight values of a class or piece joined by "-", empty values left out; empty for an index
// that names no record.
std::string format_class_values(int class_index);
std::string format_piece_values(int piece_index);

// A piece's name, two blanks and its class's name (the class part empty for a class that is not
// there); empty for an index that names no piece.
std::string piece_and_class_name(int piece_index);

struct class_struct;
struct piece_struct;
// The class (before the end record, not past its symbols) and the live piece an index names, or null.
const class_struct* class_record(int index);
const piece_struct* piece_record(int index);
