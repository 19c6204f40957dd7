// The records of a game and the arrays that hold them.
//
// Every array keeps its end record as the last element, and free slots carry the end value
// plus one, exactly as the saved game stores them. All the arrays of one game live in one
// game_state, so that a load can fill a fresh one and swap it in only when the whole file read.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using byte_vector = std::vector<std::uint8_t>;

constexpr int class_end = 30000;
constexpr int class_free = 30001;
constexpr int location_end = 63000;
constexpr int location_free = 63001;
constexpr int max_classes = 30000;
constexpr int max_pieces = 32000;
constexpr int max_players = 200;
constexpr int max_facing_sets = 250;
constexpr int owner_all_players = 200;
constexpr int owner_nobody = 201;

// Piece flags.
constexpr std::uint8_t piece_flag_attacked = 1;
constexpr std::uint8_t piece_flag_defended = 2;
constexpr std::uint8_t piece_flag_moved = 4;
constexpr std::uint8_t piece_flag_in_pool = 8;
constexpr std::uint8_t piece_flag_on_top = 16;

// Player flags.
constexpr std::uint8_t player_flag_uses_hidden = 1;
constexpr std::uint8_t player_flag_hidden_when_placed = 2;
constexpr std::uint8_t player_flag_pool_hidden = 4;
constexpr std::uint8_t player_flag_game_master = 8;

constexpr std::uint8_t value_type_card = 10;

using value_bytes = std::array<std::array<std::uint8_t, 4>, 8>;

struct class_struct {
    std::int32_t symbol = class_end;
    char name[26] = {};
    value_bytes values = {};
    std::uint8_t value_types[8] = {};
    std::uint8_t owner = 0;
    std::int32_t hidden_symbol = 30000;
    std::uint8_t facing_set = 0;

    bool is_card() const { return value_types[0] == value_type_card; }
};

struct piece_struct {
    char name[26] = {};
    std::int32_t class_index = 0;
    value_bytes values = {};
    std::uint8_t value_types[8] = {};
    std::uint8_t hidden = 0;
    std::int32_t second_location = 0;
    std::int32_t location = location_end;
    std::uint8_t flags = 0;
    std::uint8_t facing = 0;

    bool is_card() const { return value_types[0] == value_type_card; }
    bool in_pool() const { return (flags & piece_flag_in_pool) != 0; }
};

struct player_struct {
    char name[25] = {};
    std::uint8_t password[20] = {};
    std::uint8_t zoom_level = 0;
    std::int32_t view_origin = 0;
    std::int32_t default_hidden_symbol = 30001;
    std::uint8_t reveal_range = 0;
    char picture_file[50] = {};
    std::uint8_t flags = 0;
    std::uint8_t replay_delay = 0;
};

constexpr std::uint8_t pool_type_hand = 2;
constexpr std::uint8_t pool_type_deck = 3;

struct pool_struct {
    char name[25] = {};
    std::uint8_t type = 0;
    std::int32_t location = location_end;
    std::int32_t piece_count = class_end;
    std::uint8_t owner = 0;
};

struct flip_struct {
    std::int32_t parent = class_end;
    std::int32_t flip_class = 0;
};

struct stack_def_struct {
    std::int32_t stack_symbol = class_end;
    std::int32_t required_class = class_end; // 30000 = no class required
    std::uint8_t minimum_pieces[3] = {};
    std::int32_t owner = owner_all_players;
};

struct facing_set_struct {
    char name[25] = {};
    std::uint8_t direction = 0; // 1 sides, 2 vertices, 3 both; 0 ends the list
    std::uint8_t style = 0;
    std::uint8_t fill_colour = 0;
    std::uint8_t outline_colour = 0;
    std::uint8_t size[3] = {};
};

struct status_dot_struct {
    std::uint8_t kind = 0;
    std::int32_t limit = 0;
    std::uint8_t colour = 0;
    std::uint8_t position = 0;
    std::uint8_t size[3] = {};
};

struct turn_name {
    char text[50] = {};
};

using value_name = char[15];

// Everything a saved game holds.
struct game_state {
    std::vector<class_struct> class_array;
    std::vector<piece_struct> piece_array;
    std::int32_t piece_end_index = 0;
    std::vector<player_struct> player_array;
    std::int32_t player_count = 0;
    std::vector<pool_struct> pool_array;
    std::vector<flip_struct> flip_array;
    std::vector<stack_def_struct> stack_def_array;
    std::vector<facing_set_struct> facing_set_array;
    std::vector<turn_name> turn_names;
    value_name class_value_names[8] = {};
    value_name piece_value_names[8] = {};
    // The recorded actions: header, records, and the closing 0xFE as the last byte.
    byte_vector history_stream;
    std::int32_t game_turn = 0;
    status_dot_struct status_dots[6] = {};
};

// The game in memory. Never null while the program runs.
extern std::unique_ptr<game_state> game;

// Set by every change to game data; cleared by loading and saving.
extern std::uint8_t game_modified;

// Scratch table for reordering the pieces of a hex.
extern piece_struct piece_scratch[100];

// Copies a name into a fixed field, cut to the field and zero-filled.
template <std::size_t N> void set_name(char (&field)[N], const std::string& text) {
    std::size_t n = text.size() < N ? text.size() : N;
    for (std::size_t i = 0; i < N; ++i)
        field[i] = i < n ? text[i] : 0;
}
// The text of a fixed field, up to its first 0 or the field's width.
template <std::size_t N> std::string name_of(const char (&field)[N]) {
    std::size_t n = 0;
    while (n < N && field[n])
        ++n;
    return std::string(field, n);
}

// The index of the class end record, or the array's size when it is missing.
std::size_t class_end_index();

// Class and piece operations.
int add_class();
void init_class_record(int index);
// The record a new class at `index` starts as: a copy of the last live class before the end
// (not a card), or an empty one.
class_struct class_record_template(int index);
int add_piece();
int init_piece_record(int index);
int ensure_class_index(int n);
int ensure_piece_index(int n);
void set_piece_array_end(int n);
int delete_class(int index);
void put_class_on_top();

// Lifecycle.
void free_game();
void new_game();
