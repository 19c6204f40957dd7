#include "player_records.h"

#include "data/alliances.h"
#include "data/current_player.h"
#include "data/dialog_globals.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/history_stream.h"
#include "platform/boxes.h"
#include "platform/files.h"
#include "players/log_on.h"
#include "players/visibility.h"

#include <algorithm>
#include <new>

namespace {

player_struct& record(int index) {
    return game->player_array[static_cast<std::size_t>(index)];
}

// Takes player s out of the alliance table: its entry and every entry's flag for it.
void remove_from_alliances(int s) {
    if (s < 0) return;
    const auto at = static_cast<std::size_t>(s);
    if (at < alliance_table.size()) alliance_table.erase(alliance_table.begin() + s);
    for (alliance_entry& e : alliance_table) {
        if (at < e.flags.size()) e.flags.erase(e.flags.begin() + s);
        e.count = static_cast<std::int32_t>(
            std::count_if(e.flags.begin(), e.flags.end(), [](std::int32_t f) { return f != 0; }));
    }
}

std::string piece_symbol_name(std::int32_t n) {
    const symbol_struct* s = symbols->piece_symbol(n);
    return s ? name_of(s->name) : std::string();
}

} // namespace

void init_player_record(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= game->player_array.size()) return;
    player_struct& p = record(index);
    p = player_struct{};
    p.zoom_level = 1;
    p.view_origin = 0;
    p.default_hidden_symbol = 30001;
    p.reveal_range = 3;
    p.flags = 0;
    p.replay_delay = 10;
}

int grow_player_array() {
    const int n = players_in_game();
    if (n >= max_players) {
        // An owner byte names players 0..199 only; 200 means all of them.
        message_box("Player Limit Reached", "A game can have at most 200 players.  Action Aborted.",
                    box_buttons::ok, box_icon::stop);
        return -1;
    }
    try {
        auto& a = game->player_array;
        a.resize(static_cast<std::size_t>(n) + 2);
        init_player_record(n);
        a[static_cast<std::size_t>(n) + 1] = player_struct{};
    } catch (const std::bad_alloc&) {
        message_box("Memory Allacation Error!", "Can not create player array.  Action Aborted.",
                    box_buttons::ok, box_icon::stop);
        return -1;
    }
    game->player_count = n + 2;
    if (alliance_table.empty())
        reset_alliance_table(n + 1);
    else {
        fit_alliance_table(n);
        grow_alliance_table(n);
    }
    return n;
}

void discard_new_player(int index) {
    auto& a = game->player_array;
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= a.size()) return;
    if (record(index).name[0] != 0) return;
    a.erase(a.begin() + index);
    // Keep exactly one end record.
    const int n = players_in_game();
    a.resize(static_cast<std::size_t>(n) + 1);
    a.back() = player_struct{};
    game->player_count = n + 1;
    remove_from_alliances(index);
}

bool delete_player(int s) {
    if (!player_record(s)) return false;
    if (s == current_player) {
        message_box(
            "Can Not Delete Logged In Player",
            "Operation Cancelled.  You are logged-in as the player to be deleted.  \n\rPlease log-in as "
            "another player.",
            box_buttons::ok, box_icon::information);
        return false;
    }
    for (const class_struct& c : game->class_array) {
        if (c.symbol == class_end) break;
        if (c.symbol == class_free || c.owner != s) continue;
        message_box("Piece Class Condition Found",
                    "This operation is being cancelled because one or  \n\rmore piece classes were found "
                    "assigned to this player.   \n\rPlease edit the class defintions and try again.  \n\r( " +
                        name_of(c.name) + " )",
                    box_buttons::ok, box_icon::information);
        return false;
    }
    for (const stack_def_struct& d : game->stack_def_array) {
        if (d.stack_symbol == class_end) break;
        if (d.stack_symbol == class_free || d.owner != s) continue;
        message_box("Stack Symbol Condition Found",
                    "This operation is being cancelled because one or  \n\rmore stack symbols were found "
                    "assigned to this player.   \n\rPlease edit the stack defintions and try again.  \n\r( " +
                        piece_symbol_name(d.stack_symbol) + " )",
                    box_buttons::ok, box_icon::information);
        return false;
    }
    if (message_box(
            "Confirm Player Deletion",
            "Are you sure you want to remove this player?  \n\r(Note: Removing a player will "
            "automatically clear \n\r the turn replay.  Additionally, removing a player \n\rin a game "
            "with playing cards will likely \n\rcause the game to become unstable.)  \n\rThis Delete "
            "Action can not be UNDONE.",
            box_buttons::ok_cancel, box_icon::question) != box_answer::ok)
        return false;
    edit_index = 1;
    if (verify_player_password(s) != 1) return false;

    auto lower = [s](auto& owner) {
        if (owner > s && owner < max_players) --owner;
    };
    for (class_struct& c : game->class_array) {
        if (c.symbol == class_end) break;
        lower(c.owner);
    }
    for (stack_def_struct& d : game->stack_def_array) {
        if (d.stack_symbol == class_end) break;
        lower(d.owner);
    }
    // Pools follow their owners too, so that no pool passes to another player; a pool of the
    // deleted player is hidden to all.
    for (pool_struct& p : game->pool_array) {
        if (p.piece_count == class_end) break;
        if (p.owner == s)
            p.owner = owner_nobody;
        else if (p.owner > s && p.owner < max_players)
            --p.owner;
    }
    if (current_player > s) --current_player;
    clear_history();
    auto& a = game->player_array;
    a.erase(a.begin() + s);
    game->player_count = static_cast<std::int32_t>(a.size());
    remove_from_alliances(s);
    game_modified = 1;
    return true;
}

save_result save_player_info(int p, const player_edit& edit, bool had_password) {
    // Any record before the end record: a new player has no name yet.
    if (p < 0 || static_cast<std::size_t>(p) + 1 >= game->player_array.size()) return save_result::refused;
    player_struct& r = record(p);
    const bool game_master = (r.flags & player_flag_game_master) != 0;
    std::string name = edit.name.substr(0, max_player_name_length);
    if (!game_master && name.empty()) {
        // An empty name would end the player list here and lose every player after it.
        message_box("Player Name Missing", "Please enter a name for this player.", box_buttons::ok,
                    box_icon::exclamation);
        return save_result::stay_open;
    }
    if (had_password) {
        edit_index = 2;
        const int check = verify_player_password(p);
        if (check == 0) return save_result::refused;
        // A cancelled check grants nothing: the record is not changed without the password.
        if (check < 0) return save_result::stay_open;
    }
    if (!edit.new_password.empty()) store_player_password(p, edit.new_password);
    if (!game_master) set_name(r.name, name);
    if (!edit.use_password) store_player_password(p, "");
    r.reveal_range = static_cast<std::uint8_t>(std::clamp(edit.reveal_range, 0, 50));
    r.flags = static_cast<std::uint8_t>(r.flags & player_flag_game_master);
    if (edit.use_hidden) {
        r.flags |= player_flag_uses_hidden;
        if (edit.place_hidden) r.flags |= player_flag_hidden_when_placed;
        if (edit.pools_hidden) r.flags |= player_flag_pool_hidden;
        const bool valid = edit.symbol >= 0 && edit.symbol < symbols->piece_symbol_count;
        r.default_hidden_symbol = edit.default_symbol && valid ? edit.symbol : 30001;
    }
    if (edit.picture_present)
        set_name(r.picture_file, base_name_of(edit.picture_path).substr(0, sizeof r.picture_file - 1));
    else
        set_name(r.picture_file, "");
    game_modified = 1;
    return save_result::stored;
}
