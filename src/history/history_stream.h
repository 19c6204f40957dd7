// The stream of recorded actions: a header snapshot, records of 0xFD, a code and a payload,
// and a closing 0xFE. The stream lives in game->history_stream, whose last byte is that 0xFE.
#pragma once

#include <cstdint>
#include <vector>

// Appends a record with a zeroed payload of `length` bytes; returns the offset of the first
// payload byte in game->history_stream, or -1 on failure.
long append_history_record(int length, int code);

// Starts the history anew with a snapshot of the pieces and the current turn.
void clear_history();

// Renumbers the pieces the history names after the saved-game writer closed up free slots:
// new_index[old] is the piece's index after the save (live pieces take their new indices,
// slots that were free take indices past the new end).
void renumber_history_pieces(const std::vector<std::int32_t>& new_index);

// Writes a num2 into the stream at an offset (the caller checked the range when appending).
void put_history_num2(long offset, int value);
