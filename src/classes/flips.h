// Flip definitions: pieces of a parent class turn into its flip class when flipped, and back.
#pragma once

#include <cstdint>
#include <functional>

// The first pair whose parent is the piece's class turns it into the flip class (recorded as a
// class change, code 4); false when no pair matches.
bool flip_piece_to_flip_class(std::int32_t piece);
// The reverse, by the first pair whose flip class is the piece's class.
bool flip_piece_to_parent_class(std::int32_t piece);
// Whether the class is the parent of a definition.
bool flip_defined_for(int class_index);
// Adds (or, after asking, replaces) the definition of a parent. False when nothing was stored:
// a class flipping to itself or a class that is no live class is refused with a message, a
// kept old definition or a failed growth (with its message) store nothing.
bool add_flip_definition(int parent, int flip);
// A one-time change of a piece's class, recorded (code 4).
bool change_piece_class_once(std::int32_t piece, int new_class);

// What the flip buttons do for the chosen pieces: forward by the table, else asking whether to
// define a flip (the definition editor) or to change the class once (the class picker); back by
// the table, else a message. The flip sound after each change.
void flip_pieces(const std::int32_t* pieces, std::size_t count, bool forward);

// The definition editor for a parent class (-1 none given); filled by the forms.
extern std::function<void(int parent)> edit_flip_def_hook;
