// The layouts of the history records, kept in one table that the writers, the walker, the
// renumbering after a save, the replay, the undo and the conversions all read.
//
// A stream is: a header (num2 N; N x {num2 class, num2 location, byte hidden}; num2 turn), then
// records of 0xFD, a code byte and the code's payload, then the closing 0xFE. A payload is a
// list of steps; a group step repeats the steps after it as often as one or two earlier count
// steps say, and counted bytes take their length from an earlier count step. Codes 15, 16 and
// 17 keep a sub-code at payload offset 3 that chooses the rest of the layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

using byte_vector = std::vector<std::uint8_t>;

constexpr int history_code_move = 0;
constexpr int history_code_combat = 1;
constexpr int history_code_remove_piece_v1 = 2;
constexpr int history_code_add_piece = 3;
constexpr int history_code_change_class = 4;
constexpr int history_code_change_value = 5;
constexpr int history_code_die_roll = 6;
constexpr int history_code_comment = 7;
constexpr int history_code_begin_multiple_combats = 8;
constexpr int history_code_end_multiple_combats = 9;
constexpr int history_code_delete_class = 10;
constexpr int history_code_move_reveal = 11;
constexpr int history_code_range_reveal_list = 12;
constexpr int history_code_change_hidden = 13;
constexpr int history_code_delete_pool = 14;
constexpr int history_code_deck = 15;
constexpr int history_code_hand = 16;
constexpr int history_code_board_card = 17;
constexpr int history_code_piece_order = 18;
constexpr int history_code_los_reveal = 19;
constexpr int history_code_pool_pick = 20;
constexpr int history_code_pool_return = 21;
constexpr int history_code_game_saved = 22;
constexpr int history_code_remove_piece = 23;
constexpr int history_code_add_group = 24;
constexpr int history_code_range_reveal = 25;
constexpr int history_code_count = 26;

// Offset of the sub-code byte in the payloads of codes 15, 16 and 17.
constexpr std::size_t history_sub_code_offset = 3;
// The largest value a num2 of a record may hold (both digits below 250).
constexpr int history_num2_max = 62499;
// One-byte numbers of a record stay below 250, clear of the marker bytes.
constexpr int history_byte_max = 249;
// The player byte of a record made by a visitor (or by nobody logged on).
constexpr std::uint8_t history_visitor = 255;
// The player byte of a comment made while no player is logged on.
constexpr std::uint8_t history_no_player = 250;
// The header location of a piece held in a pool, deck or hand.
constexpr int history_location_in_pool = 63002;

enum class field_type : std::uint8_t {
    byte,          // one byte, a number 0..249
    player,        // one byte: a player index, 250 or 255
    num2,          // two base-250 digits
    raw,           // `size` bytes copied as they stand
    name,          // text up to and including its 0, at most 25 bytes
    counted_bytes, // as many raw bytes as the count step `count_a` holds
    group,         // repeats the next `size` steps (count_a + count_b) times
};

// What a field means, for code that rewrites or shows fields without knowing every code.
enum class field_role : std::uint8_t {
    none,
    count, // a count some group or counted bytes use
    sub_code,
    player,
    hidden,         // a hidden state 0..2
    piece,          // a piece index
    piece_or_class, // code 5: a piece index when the kind byte is 'U' or 'u', else a class index
    piece_order,    // code 18: a position in the piece array
    class_index,
    symbol,
    location,
    pool,
    hidden_by_slot, // codes 19, 25: one hidden state per piece slot, in slot order
    text,
};

struct layout_step {
    const char* name;
    field_type type;
    field_role role = field_role::none;
    std::uint8_t size = 0;      // raw: its bytes; group: how many following steps repeat
    std::int8_t count_a = -1;   // group, counted_bytes: the step that holds the count
    std::int8_t count_b = -1;   // group: a second count step added to the first
    std::int32_t max_count = 0; // count steps: the largest count the readers' lists hold (0: none)
};

struct record_layout {
    int code;
    int sub; // 0 for codes without sub-codes
    const char* name;
    std::span<const layout_step> steps;
};

// The layout of a code (and, for 15/16/17, its sub-code); nullptr when there is none.
const record_layout* history_layout(int code, int sub = 0);
bool history_code_has_sub_code(int code);
// Every layout in the table, for tests and tools.
std::span<const record_layout> all_history_layouts();

// One field met while walking a payload.
struct field_visit {
    const layout_step* step;
    int step_index;     // index in the layout's steps
    int repeat;         // which repetition of its group (0 outside groups)
    std::size_t offset; // offset of the field's first byte in the stream
    std::size_t size;   // bytes the field takes
    std::int64_t value; // byte, player and num2 fields: their value; others 0
};

enum class history_walk_status {
    ok,
    end,            // the closing 0xFE was reached
    bad_header,     // the header runs past the end or its count is not a number
    missing_marker, // a byte other than 0xFD or 0xFE where a record should start
    missing_end,    // the stream stops without its closing 0xFE
    unknown_code,   // a code (or sub-code) without a layout
    truncated,      // a payload runs past the end of the stream
    over_count,     // a count is no number, exceeds its list, or its items run past the end
};

// Walks the fields of one payload. `end` is the offset the payload must not reach past (the
// offset of the closing 0xFE). On ok, `length` is the payload's length. The visitor may be empty.
history_walk_status walk_record_fields(const std::uint8_t* data, std::size_t end, std::size_t payload,
                                       const record_layout& layout, std::size_t& length,
                                       const std::function<void(const field_visit&)>& visitor = {});

// The length of the header, or nothing when it runs past `end` or its count is damaged.
std::optional<std::size_t> history_header_length(const std::uint8_t* data, std::size_t end);

struct history_record {
    std::size_t start = 0; // offset of the 0xFD
    int code = 0;
    int sub = 0;             // the sub-code of 15/16/17, else 0
    std::size_t payload = 0; // offset of the first payload byte
    std::size_t length = 0;  // payload length
    const record_layout* layout = nullptr;
    std::size_t next() const { return payload + length; }
};

// Steps through a stream record by record by the layouts. The stream ends at its LAST byte,
// which must be the closing 0xFE; nothing is ever read at or past it.
class history_walker {
public:
    history_walker(const std::uint8_t* data, std::size_t size);
    explicit history_walker(const byte_vector& stream) : history_walker(stream.data(), stream.size()) {}

    // Fills the next record and returns true; false at the end (status() == end) or at damage.
    bool next(history_record& record);
    // Goes on from `position`, which must be where a record starts (or the end); false, and
    // nothing changed, for a position outside the records.
    bool seek(std::size_t position);
    history_walk_status status() const { return status_; }
    // Where the next record starts, the closing 0xFE, or the start of the damaged record.
    std::size_t position() const { return pos_; }
    std::size_t header_length() const { return header_; }
    // Offset of the closing 0xFE.
    std::size_t end_offset() const { return end_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t end_ = 0;
    std::size_t header_ = 0;
    std::size_t pos_ = 0;
    history_walk_status status_ = history_walk_status::ok;
};

// The length of a stream held in a longer block (a file section, a version-1 conversion): the
// offset just past the 0xFE that follows the last record, found by walking the records, never by
// looking for the first 0xFE. Nothing when the records are damaged or the end mark is missing.
std::optional<std::size_t> history_stream_length(const std::uint8_t* data, std::size_t size);

// Every record of a stream, or nothing when the walk met damage (the status tells which).
std::optional<std::vector<history_record>> walk_history(const byte_vector& stream,
                                                        history_walk_status* status = nullptr);

// A field of a walked record by its step name and repetition (the first field of that name).
std::optional<field_visit> record_field(const byte_vector& stream, const history_record& record,
                                        const char* name, int repeat = 0);

// A value for one field when a record is encoded: numbers for byte, player and num2 fields,
// bytes for raw, name and counted-bytes fields. Groups take no value of their own: their
// steps' values follow each other, repetition after repetition.
struct field_value {
    std::int64_t number = 0;
    std::string bytes;
    field_value(std::int64_t n) : number(n) {}
    field_value(int n) : number(n) {}
    field_value(std::string b) : bytes(std::move(b)) {}
    field_value(const char* b) : bytes(b) {}
};

// Encodes a payload by its layout. Refuses (false, `out` unspecified) a number outside its
// field, a raw field of the wrong size, counted bytes whose size differs from their count, a
// count over its list, or too few or too many values. Names are cut at their first 0 and at 25.
bool encode_record(const record_layout& layout, const std::vector<field_value>& values, byte_vector& out);

// The player byte for a record: the player's index, or 255 for a visitor, after a failed log-on
// and for any other value that is no player.
std::uint8_t history_player_byte(int player);

// Rewrites the piece indices of a stream after the piece slots were renumbered: new_index[s]
// is the new slot of old slot s and must be a permutation of 0..size-1 (slots at and past its
// size keep their numbers). See history_renumber.cpp for how the header, the piece-order records
// and the per-slot reveal lists follow. Returns false and leaves the stream as it was when the
// mapping is no permutation or the stream does not walk.
bool renumber_history(byte_vector& stream, const std::vector<std::int32_t>& new_index);

// Rewrites the pool numbers of a stream after the pools were reordered or one was deleted:
// new_index[p] is the new number of old pool p, or -1 for a pool that is gone (pools at and past
// its size keep their numbers). A placement out of a pool that is gone (code 3) then reads as a
// placement of a new piece, and a removal into it (code 23) as a removal from the game, which is
// what became of that pool's pieces; a pool number a code-3 byte cannot hold reads the same way,
// as its writer records it. Returns false and leaves the stream as it was when a card record
// (codes 15, 16, 17) names a pool that is gone or the stream does not walk.
bool renumber_history_pools(byte_vector& stream, const std::vector<std::int32_t>& new_index);
