// The replay engine: the pieces as they stood when the history began, and the effect of one
// history record on them. The replay view and the undo's "view first" show what it does; it
// draws and waits for nothing itself.
#pragma once

#include "data/history_records.h"
#include "data/records.h"

#include <cstdint>
#include <vector>

// The places a record names, checked: a hex of the map, its piece count (never below 0), a pool
// that exists (not the end record, not free), a piece slot below the end record.
bool replay_on_map(std::int64_t hex);
void add_to_hex_count(std::int64_t hex, int by);
pool_struct* live_pool_record(std::int64_t pool);
piece_struct* piece_slot_record(std::int64_t piece);

// Everything a replay changes, kept aside while it runs.
struct replay_saved_state {
    std::vector<class_struct> classes;
    std::vector<piece_struct> pieces;
    std::int32_t piece_end_index = 0;
    std::vector<pool_struct> pools;
    std::int32_t game_turn = 0;
    std::vector<std::int32_t> move_path, selected_pieces, attacker_list, defender_list, action_selection,
        cycle_list;
    std::int32_t operation_mode = 0;
};

// Copies the game's state aside; false (nothing kept) when memory runs out.
bool save_replay_state(replay_saved_state& saved);
// Puts it back; the hex and pool counts are counted again from the game's own pieces.
void restore_replay_state(replay_saved_state& saved);
// Counts the pieces of every pool, and of every hex and pool, from the piece array.
void recount_pool_pieces();
void recount_hexes_and_pools();

// Replaces the pieces by the header's snapshot of the stream (class, location, hidden state;
// names cleared, pooled pieces in a pool whatever pool it was) and sets the turn it holds. False
// when the stream does not walk or memory runs out; the pieces are then unchanged.
bool set_replay_start_pieces(const byte_vector& stream);

// What a record did, for the one who shows it.
struct replay_effect {
    std::vector<std::int32_t> pieces; // the pieces it named, in record order
    std::vector<std::int32_t> hexes;  // the hexes it touched (start, path, destination...)
    bool whole_map = false;           // every hex may have changed
};

// Applies one record of the stream (from the walker) to the game. Indices the game cannot hold
// are skipped; nothing is ever read outside the record. False for a record it refused whole.
bool apply_history_record(const byte_vector& stream, const history_record& record,
                          replay_effect* effect = nullptr);

// The fields of one record, walked once, by step name and repetition.
struct record_fields {
    std::vector<field_visit> visits;
    // The number in the field (byte, player or num2), or `missing`.
    std::int64_t number(const char* name, int repeat = 0, std::int64_t missing = -1) const;
    // Every repetition of a field, in order.
    std::vector<std::int64_t> numbers(const char* name) const;
    // The bytes of a raw, name or counted field (a name without its 0).
    std::string bytes(const char* name) const;
    const byte_vector* stream = nullptr;
};
bool read_record_fields(const byte_vector& stream, const history_record& record, record_fields& out);
