// A small game that holds every kind of piece the visibility rules tell apart, and what each
// kind of viewer sees of each piece: the visibility code and the symbol drawn.
#pragma once

#include "data/board.h"
#include "data/records.h"
#include "data/alliances.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace visibility_cases {

// Players of the fixture game.
enum : int { alice, bob, carol, dave, master, eve, player_total };

// The viewers of the table's columns, as current_player values.
constexpr int visitor = -1;
constexpr int failed_log_on = -2;
constexpr int no_record = 9; // names no player record: a stranger
constexpr std::array<int, 8> viewers = {visitor, failed_log_on, alice, bob, carol, dave, no_record, master};
constexpr int ally_column = 3;      // Bob, allied with Alice both ways
constexpr int one_sided_column = 4; // Carol, who lists Alice while Alice does not list her

struct seen {
    int code;
    int symbol;
};
struct row {
    const char* piece; // the piece's name in the fixture game
    std::array<seen, 8> by_viewer;
};

constexpr int face = 3; // the card class's symbol: the card's face
constexpr int back = 0; // the deck's card back
constexpr int none = 30001;

// Columns: visitor, failed log-on, Alice (owner), Bob (ally), Carol (one-sided), Dave (stranger),
// a current_player with no record, the game master.
// clang-format off
inline const std::vector<row> truth_table = {
    // Alice's pieces on the board (Alice: uses hidden pieces, pool pieces hidden, default symbol 55).
    {"A board 0",        {{{3,10},{3,10},{3,10},{3,10},{3,10},{3,10},{3,10},{3,10}}}},
    {"A board 1",        {{{2,10},{2,10},{3,10},{3,10},{2,10},{2,10},{2,10},{3,10}}}},
    {"A board 2 own",    {{{1,55},{1,55},{3,10},{3,10},{1,55},{1,55},{1,55},{3,10}}}}, // class says 30000: the owner's 55, not Dave's 88
    {"A board 3 own",    {{{1,55},{1,55},{3,10},{3,10},{1,55},{1,55},{1,55},{3,10}}}}, // a state above 2 is fully hidden
    {"A board 2 sym",    {{{1,66},{1,66},{3,11},{3,11},{1,66},{1,66},{1,66},{3,11}}}},
    {"A board 2 nosym",  {{{0,none},{0,none},{3,12},{3,12},{0,none},{0,none},{0,none},{3,12}}}},
    // Eve uses hidden pieces with no default symbol; Dave does not use hidden pieces.
    {"E board 2",        {{{0,none},{0,none},{0,none},{0,none},{0,none},{0,none},{0,none},{3,13}}}},
    {"D board 2",        {{{3,17},{3,17},{3,17},{3,17},{3,17},{3,17},{3,17},{3,17}}}},
    // Owners 200 (all), 201 (nobody) and 150 (no such player) hide nothing.
    {"All board 2",      {{{3,14},{3,14},{3,14},{3,14},{3,14},{3,14},{3,14},{3,14}}}},
    {"Nobody board 2",   {{{3,15},{3,15},{3,15},{3,15},{3,15},{3,15},{3,15},{3,15}}}},
    {"Ghost board 2",    {{{3,16},{3,16},{3,16},{3,16},{3,16},{3,16},{3,16},{3,16}}}},
    // Force pools: the owner's flag 0x04 hides even a piece of hidden state 0, from allies too.
    {"A pool 0",         {{{0,55},{0,55},{3,10},{0,55},{0,55},{0,55},{0,55},{3,10}}}},
    {"A pool 2",         {{{0,66},{0,66},{3,11},{0,66},{0,66},{0,66},{0,66},{3,11}}}},
    {"E pool 2",         {{{3,13},{3,13},{3,13},{3,13},{3,13},{3,13},{3,13},{3,13}}}},
    {"All pool 2",       {{{3,14},{3,14},{3,14},{3,14},{3,14},{3,14},{3,14},{3,14}}}},
    {"Ghost pool 2",     {{{3,16},{3,16},{3,16},{3,16},{3,16},{3,16},{3,16},{3,16}}}},
    // Cards: no game master rule; a deck shows its cards to its owner only, a hand to its owner's allies too.
    {"card A deck",      {{{1,back},{1,back},{3,face},{1,back},{1,back},{1,back},{1,back},{1,back}}}},
    {"card A force",     {{{1,back},{1,back},{3,face},{1,back},{1,back},{1,back},{1,back},{1,back}}}},
    {"card A hand",      {{{1,back},{1,back},{3,face},{3,face},{1,back},{1,back},{1,back},{1,back}}}},
    {"card D hand",      {{{1,back},{1,back},{1,back},{1,back},{1,back},{3,face},{1,back},{1,back}}}},
    {"card all hand",    {{{3,face},{3,face},{3,face},{3,face},{3,face},{3,face},{3,face},{3,face}}}},
    {"card all deck",    {{{3,face},{3,face},{3,face},{3,face},{3,face},{3,face},{3,face},{3,face}}}},
    {"card hidden deck", {{{1,back},{1,back},{1,back},{1,back},{1,back},{1,back},{1,back},{1,back}}}},
    {"card up",          {{{3,face},{3,face},{3,face},{3,face},{3,face},{3,face},{3,face},{3,face}}}},
    {"card down",        {{{1,back},{1,back},{1,back},{1,back},{1,back},{1,back},{1,back},{1,back}}}},
    // Cards that lie nowhere: off the map without the pool flag, in a deleted pool, in no pool.
    {"card off map",     {{{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back}}}},
    {"card end hex",     {{{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back}}}},
    {"card freed pool",  {{{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back}}}},
    {"card no pool",     {{{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back},{0,back}}}},
};
// clang-format on

inline void add_player(const char* name, std::uint8_t flags, std::int32_t default_symbol) {
    player_struct p;
    set_name(p.name, name);
    p.flags = flags;
    p.default_hidden_symbol = default_symbol;
    game->player_array.insert(game->player_array.end() - 1, p);
}

inline int add_fixture_class(const char* name, int owner, int symbol, int hidden_symbol, bool card = false) {
    class_struct c;
    set_name(c.name, name);
    c.owner = static_cast<std::uint8_t>(owner);
    c.symbol = symbol;
    c.hidden_symbol = hidden_symbol;
    if (card) {
        c.value_types[0] = value_type_card;
        c.value_types[1] = 0; // deck 0
    }
    auto& a = game->class_array;
    a.insert(a.end() - 1, c);
    return static_cast<int>(a.size()) - 2;
}

inline int add_pool(const char* name, int type, int owner) {
    pool_struct p;
    set_name(p.name, name);
    p.type = static_cast<std::uint8_t>(type);
    p.owner = static_cast<std::uint8_t>(owner);
    p.piece_count = 0;
    auto& a = game->pool_array;
    a.insert(a.end() - 1, p);
    return static_cast<int>(a.size()) - 2;
}

inline void add_fixture_piece(const char* name, int class_index, int hidden, int location,
                              bool in_pool = false) {
    piece_struct p;
    set_name(p.name, name);
    p.class_index = class_index;
    p.hidden = static_cast<std::uint8_t>(hidden);
    p.location = location;
    if (in_pool) p.flags = piece_flag_in_pool;
    if (game->class_array[static_cast<std::size_t>(class_index)].is_card()) {
        p.value_types[0] = value_type_card;
        p.value_types[1] = owner_all_players;
    }
    auto& a = game->piece_array;
    a.insert(a.end() - 1, p);
    game->piece_end_index = static_cast<std::int32_t>(a.size()) - 1;
}

// Builds the fixture game over an empty one (new_game). With `allied`, Alice and Bob are
// allies both ways; Carol lists Alice in any case, one-sided.
inline void build_game(bool allied) {
    board->hex_count = 100;
    add_player("Alice", player_flag_uses_hidden | player_flag_pool_hidden, 55);
    add_player("Bob", player_flag_uses_hidden, 30001);
    add_player("Carol", 0, 30001);
    add_player("Dave", 0, 88);
    add_player("Master", 0x0F, 30001);
    add_player("Eve", player_flag_uses_hidden, 30001);
    game->player_count = player_total + 1;
    reset_alliance_table(player_total + 1);
    if (allied) {
        alliance_table[alice] = {1, {0, 1, 0, 0, 0, 0, 0}};
        alliance_table[bob] = {1, {1, 0, 0, 0, 0, 0, 0}};
    }
    alliance_table[carol] = {1, {1, 0, 0, 0, 0, 0, 0}};

    const int a_own = add_fixture_class("Alice own", alice, 10, 30000);
    const int a_sym = add_fixture_class("Alice sym", alice, 11, 66);
    const int a_nosym = add_fixture_class("Alice nosym", alice, 12, 30001);
    const int e_own = add_fixture_class("Eve own", eve, 13, 30000);
    const int all = add_fixture_class("All", owner_all_players, 14, 66);
    const int nobody = add_fixture_class("Nobody", owner_nobody, 15, 66);
    const int ghost = add_fixture_class("Ghost", 150, 16, 30000);
    const int d_sym = add_fixture_class("Dave sym", dave, 17, 66);
    const int card = add_fixture_class("Ace", owner_all_players, face, 0, true);

    const int a_force = add_pool("Alice force", 1, alice);
    const int e_force = add_pool("Eve force", 1, eve);
    const int a_deck = add_pool("Alice deck", pool_type_deck, alice);
    const int a_hand = add_pool("Alice hand", pool_type_hand, alice);
    const int d_hand = add_pool("Dave hand", pool_type_hand, dave);
    const int all_hand = add_pool("All hand", pool_type_hand, owner_all_players);
    const int all_deck = add_pool("All deck", pool_type_deck, owner_all_players);
    const int hidden_deck = add_pool("Hidden deck", pool_type_deck, owner_nobody);
    const int freed = add_pool("Freed", pool_type_hand, alice);
    game->pool_array[static_cast<std::size_t>(freed)].piece_count = 30001;

    add_fixture_piece("A board 0", a_own, 0, 5);
    add_fixture_piece("A board 1", a_own, 1, 5);
    add_fixture_piece("A board 2 own", a_own, 2, 5);
    add_fixture_piece("A board 3 own", a_own, 3, 5);
    add_fixture_piece("A board 2 sym", a_sym, 2, 5);
    add_fixture_piece("A board 2 nosym", a_nosym, 2, 5);
    add_fixture_piece("E board 2", e_own, 2, 6);
    add_fixture_piece("D board 2", d_sym, 2, 6);
    add_fixture_piece("All board 2", all, 2, 6);
    add_fixture_piece("Nobody board 2", nobody, 2, 6);
    add_fixture_piece("Ghost board 2", ghost, 2, 6);
    add_fixture_piece("A pool 0", a_own, 0, a_force, true);
    add_fixture_piece("A pool 2", a_sym, 2, a_force, true);
    add_fixture_piece("E pool 2", e_own, 2, e_force, true);
    add_fixture_piece("All pool 2", all, 2, a_force, true);
    add_fixture_piece("Ghost pool 2", ghost, 2, a_force, true);
    add_fixture_piece("card A deck", card, 2, a_deck, true);
    add_fixture_piece("card A force", card, 0, a_force, true);
    add_fixture_piece("card A hand", card, 2, a_hand, true);
    add_fixture_piece("card D hand", card, 2, d_hand, true);
    add_fixture_piece("card all hand", card, 2, all_hand, true);
    add_fixture_piece("card all deck", card, 2, all_deck, true);
    add_fixture_piece("card hidden deck", card, 0, hidden_deck, true);
    add_fixture_piece("card up", card, 0, 7);
    add_fixture_piece("card down", card, 2, 7);
    add_fixture_piece("card off map", card, 0, 100);
    add_fixture_piece("card end hex", card, 0, location_end);
    add_fixture_piece("card freed pool", card, 0, freed, true);
    add_fixture_piece("card no pool", card, 0, 40, true);
}

inline int piece_named(const std::string& name) {
    const auto& a = game->piece_array;
    for (std::size_t i = 0; i + 1 < a.size(); ++i)
        if (name_of(a[i].name) == name) return static_cast<int>(i);
    return -1;
}

} // namespace visibility_cases
