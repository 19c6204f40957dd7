// Turns and their names.
#pragma once

#include <string>
#include <vector>

constexpr int max_game_turn = 32000;
// The name list holds at most this many entries before its end entry.
constexpr int max_turn_names = 32000;
// A name's field is 50 bytes with its closing 0.
constexpr std::size_t max_turn_name_length = 49;

// The name of turn n: empty when there is no name list, n lies at or past its end entry, or the
// entry is unnamed (first byte 1).
std::string get_turn_name(int n);

// Makes room for a name of turn n: 1 created or grown (new entries unnamed), 2 entry n already
// exists, 0 the list is full, n is beyond what it can hold, or memory failed.
int ensure_turn_name_slot(int n);

// Names turn n (cut to 49 bytes); an empty text changes nothing. False when no slot was made.
bool set_turn_name(int n, const std::string& name);

// The turn advance_turn_form proposes: the next one (at most 32000), or in clear mode this one.
int proposed_turn(bool clear_mode);

struct advance_turn_choice {
    int new_turn = 0;
    bool clear_replay = true;
    bool clear_move_flags = true;
    bool clear_combat_flags = true;
    std::string name; // empty: the turn keeps its name
};

// OK of advance_turn_form: sets the turn, clears the chosen flags, starts the history anew
// when asked, then names the turn.
void apply_advance_turn(const advance_turn_choice& choice);

// Save Changes of edit_turn_names_form: row i names turn i; rows after the last named one are
// dropped. False when memory failed (the names are then as they were).
bool save_turn_names(const std::vector<std::string>& rows);

// The number of entries before the end entry.
int turn_name_count();
