// The piece editor's work, without the form: it edits a copy of the piece and stores it, with
// the history records of its value and hidden-state changes, only on OK.
#pragma once

#include "data/records.h"

#include <cstdint>
#include <string>

struct piece_edit_session {
    int edited = -1; // the piece; -1 for a new piece, made only when it is stored
    bool new_piece = false;
    bool pooled_or_new = false; // in a pool or new: the hidden state comes from the class owner
    piece_struct record;
    value_bytes old_values{};
    std::uint8_t old_types[8] = {};
    std::uint8_t old_hidden = 0;
};

// An existing piece (index), or with index -1 a new piece of class `new_class`.
piece_edit_session begin_piece_edit(int index, int new_class);

// The hidden state a placed piece of the class starts with: 2 when its owner is a player who
// hides pieces when placed, else 0.
std::uint8_t hidden_state_when_placed(int class_index);

// The texts of the hidden-state line.
std::string hidden_state_line(int state);
std::string hidden_state_name(int state);

// Other pieces at the piece's location (not in a pool) drawn on top.
bool other_on_top_pieces(int piece, std::int32_t location);
void clear_other_on_top_pieces(int piece, std::int32_t location);

// Stores the copy: a new piece takes a slot (add_piece) first and stands at location 0 for its
// caller to place. Records a code-5 change for each changed value of an existing piece, and the
// hidden-state change (code 13) when `record_hidden` and it changed. Marks the game changed.
// The piece's index, or -1 when no slot could be had.
int commit_piece_edit(piece_edit_session& session, bool record_hidden);
