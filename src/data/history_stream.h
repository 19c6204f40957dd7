// The stream of recorded actions: a header snapshot, records of 0xFD, a code and a payload,
// and a closing 0xFE. The stream lives in game->history_stream, whose last byte is that 0xFE:
// the end is the vector's size, never a search for the first 0xFE (names and values may hold
// one). The record layouts are in history_records.h.
//
// Every writer returns the offset of the record's first payload byte, or -1 when nothing was
// recorded (a value its field cannot hold, or no memory). Players are written through
// history_player_byte: a visitor or a failed log-on gives 255, never a marker byte.
#pragma once

#include "history_records.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Appends a record with a zeroed payload of `length` bytes; returns the offset of the first
// payload byte in game->history_stream, or -1 on failure (the stream is then unchanged).
long append_history_record(int length, int code);

// Starts the history anew with a snapshot of the pieces and the current turn.
void clear_history();

// Offset of the closing 0xFE: where the next record will start. A move remembers it when its
// path starts so that the reveals written during the path can follow the move record.
std::size_t history_end_offset();

// Takes back every record from `end_offset` on (a history_end_offset() taken earlier): the
// records of an action that did not happen after all. Nothing changes for an offset at or past
// the end.
void cut_history_back(std::size_t end_offset);

// Renumbers the pieces the history names after the saved-game writer closed up free slots:
// new_index[old] is the piece's index after the save (live pieces take their new indices,
// slots that were free take indices past the new end). Returns false, changing nothing, when
// the mapping is no permutation or the stream does not walk. An identity mapping changes no byte.
bool renumber_history_pieces(const std::vector<std::int32_t>& new_index);

// Writes a num2 into the stream at an offset (the caller checked the range when appending).
void put_history_num2(long offset, int value);

// Encodes a record by its layout and appends it (for the conversions, which know every field).
long append_laid_out_record(int code, int sub, const std::vector<field_value>& values);

// Code 0. `pieces` ends at -1 or its size, `path` at 63000 or its size (at most 100 hexes).
// The code-11 records written since `reveals_from` (history_end_offset() when the path started)
// are moved behind the move record, in their order; other records stay where they are.
long append_move_record(std::span<const std::int32_t> pieces, std::span<const std::int32_t> path,
                        std::size_t reveals_from);
// Code 1. Both lists end at -1 or their size; nothing is recorded when both are empty.
long append_combat_record(std::span<const std::int32_t> attackers, std::span<const std::int32_t> defenders);
// Code 2, for the version-1 conversion: every field given.
long append_remove_piece_v1_record(int hidden, int piece, int class_index, int symbol, int location,
                                   int to_pool, int pool, const std::string& piece_name,
                                   const std::string& class_name);
// Code 3. A pool index the byte cannot hold (above 249) is recorded as a placement not from a pool.
long append_add_piece_record(int piece, int class_index, int from_pool, int pool, int location);
// Code 4: the piece already has its new class.
long append_class_change_record(int piece, int old_class, int new_class);
// Code 5. kind 'U' or 'u': a piece value, any other letter: a class value.
long append_value_change_record(char kind, int slot, const std::uint8_t old_value[4], int old_type,
                                const std::uint8_t new_value[4], int new_type, int index);
// Code 6; the comment flag starts at 0 (set_die_roll_comment_flag sets it).
long append_die_roll_record(int sides, std::span<const int> results);
void set_die_roll_comment_flag(long payload, bool on);
// Code 7: kind 1 text, 2 picture, 3 sound, 4 video. Player 250 when nobody is logged on.
// A text longer than a num2 can count is cut to 62499 bytes.
long append_comment_record(int kind, const std::string& text);
// Code 8.
long append_combat_block_record(int combats);
// Code 10.
long append_delete_class_record(int class_index, int former_symbol);
// Codes 11 (and 12): one entry per owner/piece pair. More than 249 entries are split over
// several records of at most 249 each; the offset returned is the first record's.
long append_reveal_history_record(int code, int player, std::span<const std::uint8_t> owners,
                                  std::span<const std::int32_t> pieces);
// Code 13.
long append_hidden_change_record(int player, int piece, int old_state, int new_state);
// Code 15, sub-codes 1 to 5; the player is current_player.
long append_deck_added_record(int deck, int cards, int visibility);
long append_deck_shuffled_record(int deck);
long append_deck_sorted_record(int deck, int sorted, int in_deck, int placement);
long append_cards_dealt_record(int deck, int dealt, int all_dealt, int hands);
long append_deck_card_played_record(int deck, int card, int location, int face_up);
// Code 16, sub-codes 1 to 6; the player is current_player.
long append_card_taken_from_deck_record(int hand, int deck, int position, int known, int card);
long append_card_returned_to_deck_record(int hand, int deck, int position, int known, int card);
long append_card_given_record(int hand, int other_hand, int position, int known, int card);
long append_card_taken_from_hand_record(int hand, int other_hand, int position, int known, int card);
long append_hand_added_record(int hand, int owner);
long append_hand_card_played_record(int hand, int card, int location, int face_up);
// Code 17, sub-codes 1 and 3; the player is current_player, a flipped card's location its own.
long append_board_card_to_deck_record(int deck, int card, int location, int hidden);
long append_board_card_flip_record(int card, int face_down_before, int face_down_after);
// Code 18.
long append_piece_order_record(int old_index, int new_index);
// Codes 19 and 25: every piece's hidden state; also sets piece_end_index.
long append_los_reveal_record();
long append_range_reveal_record();
// Code 22.
long append_game_saved_record();
// Code 23.
long append_remove_piece_record(int piece, int location, int to_pool, int pool);
// Code 24: groups of (class, count); recorded only when they hold 2 or more pieces.
long append_group_placement_record(int location, int first_piece,
                                   std::span<const std::pair<std::int32_t, std::int32_t>> groups);
