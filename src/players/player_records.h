// The player records: growing the array, new-record defaults, deletion and the editor's save.
#pragma once

#include <cstdint>
#include <string>

// Appends a player before the end record and grows the alliance table with it; the index of the
// new player, or -1 (after a stop box) when there is no room: no memory, or 200 players already.
int grow_player_array();
// Defaults of a new record: no name, password or picture; zoom 1, view origin 0, default hidden
// symbol 30001, reveal range 3, flags 0, replay delay 10.
void init_player_record(int index);
// Takes back a record that grow_player_array made and the editor never saved (its name still
// empty), so that no empty record is left standing before the end record.
void discard_new_player(int index);

// Deletes player s after its checks and questions (logged-in player, owned classes and stack
// definitions, confirmation, password); true when the player was removed.
bool delete_player(int player_index);

// What the player editor hands over on Save.
struct player_edit {
    std::string name;         // the name box
    std::string new_password; // empty: unchanged
    bool use_password = false;
    int reveal_range = 3;
    bool use_hidden = false;
    bool place_hidden = false;
    bool pools_hidden = false;
    bool default_symbol = false;
    std::int32_t symbol = 30001; // the selected symbol; 63001 when none is selected
    bool picture_present = false;
    std::string picture_path; // the picture file, with folder and extension
};

enum class save_result { stored, refused, stay_open };
// Stores the editor's fields into player p. When p had a password as the editor opened, the old
// password is checked first: three wrong answers refuse, a cancel keeps the editor open.
save_result save_player_info(int player_index, const player_edit& edit, bool had_password);
