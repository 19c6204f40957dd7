#include "visibility.h"

#include "data/alliances.h"
#include "data/board.h"
#include "data/card_backs.h"
#include "data/current_player.h"
#include "data/records.h"

namespace {

constexpr int symbol_own_default = 30000; // class hidden symbol: the owner's default
constexpr int symbol_none = 30001;

const piece_struct* piece_at(int index) {
    const auto& a = game->piece_array;
    // The last record is the end record, never a piece.
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= a.size()) return nullptr;
    return &a[static_cast<std::size_t>(index)];
}

const class_struct* class_at(int index) {
    const auto& a = game->class_array;
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= a.size()) return nullptr;
    return &a[static_cast<std::size_t>(index)];
}

// A pool that exists: not the end record and not a free slot.
const pool_struct* pool_at(int index) {
    const auto& a = game->pool_array;
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= a.size()) return nullptr;
    const pool_struct& p = a[static_cast<std::size_t>(index)];
    if (p.piece_count == class_end || p.piece_count == class_free) return nullptr;
    return &p;
}

// The viewer as a player index, or -1 for anyone who is no player: a visitor, a failed log-on,
// or a current_player that names no record.
int viewer() {
    return player_record(current_player) ? current_player : -1;
}

bool viewer_is_game_master() {
    const player_struct* v = player_record(current_player);
    return v && (v->flags & player_flag_game_master);
}

std::uint8_t owner_flags(int owner) {
    const player_struct* o = player_record(owner);
    return o ? o->flags : 0;
}

// Cards are seen by where they lie: face up or down on the board, or as their pool allows.
int card_visibility(const piece_struct& p, const class_struct& c) {
    if (c.symbol == class_free) return visibility_none;
    if (!p.in_pool()) {
        if (p.location >= 0 && p.location < board->hex_count)
            return p.hidden == 0 ? visibility_full : visibility_hidden;
        return visibility_none; // on no hex of the map and in no pool
    }
    const pool_struct* pool = pool_at(p.location);
    if (!pool) return visibility_none;
    const int o = pool->owner;
    const int v = viewer();
    if (v >= 0 && o == v) return visibility_full;
    if (o == owner_nobody) return visibility_hidden;
    if (o == owner_all_players) return visibility_full;
    if (pool->type != pool_type_hand) return visibility_hidden;
    if (v < 0) return visibility_hidden;
    return players_allied(v, o) ? visibility_full : visibility_hidden;
}

int pool_visibility(const class_struct& c) {
    if (viewer_is_game_master()) return visibility_full;
    const int o = c.owner;
    if (o >= owner_all_players) return visibility_full;
    const int v = viewer();
    if (v >= 0 && o == v) return visibility_full;
    // Allies do not count in pools.
    return (owner_flags(o) & player_flag_pool_hidden) ? visibility_none : visibility_full;
}

int board_visibility(const piece_struct& p, const class_struct& c) {
    if (p.hidden == 0) return visibility_full;
    if (viewer_is_game_master()) return visibility_full;
    const int o = c.owner;
    if (o >= owner_all_players) return visibility_full;
    const int v = viewer();
    if (v >= 0 && o == v) return visibility_full;
    const player_struct* owner = player_record(o);
    // An owner who is no player hides nothing.
    if (!owner || !(owner->flags & player_flag_uses_hidden)) return visibility_full;
    if (v >= 0 && players_allied(v, o)) return visibility_full;
    if (p.hidden == 1) return visibility_info_hidden;
    // Fully hidden, and so is any state above 2 (only a damaged file holds one).
    if (c.hidden_symbol > symbol_own_default) return visibility_none;
    if (c.hidden_symbol < symbol_own_default) return visibility_hidden;
    return owner->default_hidden_symbol != symbol_none ? visibility_hidden : visibility_none;
}

} // namespace

int players_in_game() {
    int n = 0;
    for (const auto& p : game->player_array) {
        if (p.name[0] == 0) break;
        ++n;
    }
    return n;
}

const player_struct* player_record(int player_index) {
    const auto& a = game->player_array;
    if (player_index < 0 || static_cast<std::size_t>(player_index) >= a.size()) return nullptr;
    // The list ends at the first empty name.
    for (int i = 0; i <= player_index; ++i)
        if (a[static_cast<std::size_t>(i)].name[0] == 0) return nullptr;
    return &a[static_cast<std::size_t>(player_index)];
}

bool players_allied(int viewer_index, int owner) {
    if (viewer_index == owner || !player_record(viewer_index) || !player_record(owner)) return false;
    auto lists = [](int who, int other) {
        if (static_cast<std::size_t>(who) >= alliance_table.size()) return false;
        const auto& flags = alliance_table[static_cast<std::size_t>(who)].flags;
        return static_cast<std::size_t>(other) < flags.size() && flags[static_cast<std::size_t>(other)] != 0;
    };
    return lists(viewer_index, owner) && lists(owner, viewer_index);
}

int get_piece_visibility(int piece_index) {
    const piece_struct* p = piece_at(piece_index);
    if (!p) return visibility_none;
    const class_struct* c = class_at(p->class_index);
    if (!c) return visibility_none;
    if (p->is_card()) return card_visibility(*p, *c);
    // In a pool the pool rules decide, whatever the hidden state.
    if (p->in_pool()) return pool_visibility(*c);
    return board_visibility(*p, *c);
}

int get_pool_piece_visibility(int piece_index) {
    const piece_struct* p = piece_at(piece_index);
    if (!p) return visibility_none;
    const class_struct* c = class_at(p->class_index);
    if (!c) return visibility_none;
    // A card's class belongs to all players: its pool, not its class, says who knows it.
    if (p->is_card()) return card_visibility(*p, *c) == visibility_full ? visibility_full : visibility_none;
    return pool_visibility(*c);
}

int get_piece_display_symbol(int piece_index) {
    const piece_struct* p = piece_at(piece_index);
    if (!p) return 0;
    const class_struct* c = class_at(p->class_index);
    if (!c || c->symbol == class_free) return 0;
    if (get_piece_visibility(piece_index) >= visibility_info_hidden) return c->symbol;
    // A card the viewer may not see shows its back, never its face.
    if (p->is_card()) return deck_card_back_symbol(c->value_types[1]);
    if (c->hidden_symbol != symbol_own_default) return c->hidden_symbol;
    const player_struct* owner = player_record(c->owner);
    return owner ? owner->default_hidden_symbol : symbol_none;
}

std::string player_display_name(int player_index) {
    if (player_index < 0 || game->player_array.empty()) return "Unknown";
    if (player_index == 255) return "Visitor";
    if (const player_struct* p = player_record(player_index)) return name_of(p->name);
    return "Unknown";
}
