#include "pools.h"

#include "data/history_records.h"
#include "data/records.h"
#include "data/value_text.h"
#include "history/replay.h"
#include "platform/boxes.h"
#include "play/placement.h"
#include "play/removal.h"
#include "players/visibility.h"

#include <algorithm>
#include <new>

namespace {

constexpr std::size_t stored_name_length = sizeof(pool_struct::name) - 1;

pool_struct end_pool_record() {
    pool_struct p;
    p.piece_count = class_end;
    return p;
}

bool live_pool(int pool) {
    if (pool < 0 || pool >= pool_records()) return false;
    return game->pool_array[static_cast<std::size_t>(pool)].piece_count != class_free;
}

int piece_end() {
    return std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
}

bool in_pool(const piece_struct& p, int pool) {
    return p.in_pool() && p.location == pool;
}

bool listed(const std::vector<std::int32_t>& list, int piece) {
    return std::find(list.begin(), list.end(), piece) != list.end();
}

// Every pool number the program holds besides the records: old -> new, -1 gone.
void remap_held_pools(const std::vector<std::int32_t>& new_index) {
    auto remap = [&](int& pool, int gone) {
        if (pool >= 0 && static_cast<std::size_t>(pool) < new_index.size())
            pool = new_index[static_cast<std::size_t>(pool)] < 0 ? gone
                                                                 : new_index[static_cast<std::size_t>(pool)];
    };
    remap(last_remove_pool, 0);
    remap(remove_pool, 0);
    remap(placement_pool, -1);
}

// One piece less in a pool's count.
void lower_count(int pool) {
    if (pool < 0 || pool >= pool_records()) return;
    std::int32_t& count = game->pool_array[static_cast<std::size_t>(pool)].piece_count;
    if (count > 0 && count < class_end) --count;
}

} // namespace

int pool_records() {
    const auto& a = game->pool_array;
    int n = 0;
    while (static_cast<std::size_t>(n) < a.size() && a[static_cast<std::size_t>(n)].piece_count != class_end)
        ++n;
    return n;
}

int allocate_pool_slot() {
    auto& a = game->pool_array;
    const int n = pool_records();
    for (int i = 0; i < n; ++i)
        if (a[static_cast<std::size_t>(i)].piece_count == class_free) return i;
    try {
        a.resize(static_cast<std::size_t>(n)); // whatever followed the end record goes
        pool_struct fresh;
        fresh.piece_count = 0;
        fresh.location = location_end;
        a.push_back(fresh);
        a.push_back(end_pool_record());
    } catch (const std::bad_alloc&) {
        if (a.size() > static_cast<std::size_t>(n)) a.resize(static_cast<std::size_t>(n));
        a.push_back(end_pool_record());
        message_box("Memory Allocation Error", "A new pool could not be allocated.  \n\rOperation aborted.",
                    box_buttons::ok, box_icon::stop);
        return -1;
    }
    return n;
}

bool pool_name_taken(const std::string& name) {
    const std::string stored = name.substr(0, std::min(name.size(), stored_name_length));
    const int n = pool_records();
    for (int i = 0; i < n; ++i)
        if (live_pool(i) && name_of(game->pool_array[static_cast<std::size_t>(i)].name) == stored)
            return true;
    return false;
}

int create_force_pool(const std::string& name) {
    const int pool = allocate_pool_slot();
    if (pool < 0) return -1;
    pool_struct& p = game->pool_array[static_cast<std::size_t>(pool)];
    p = pool_struct{};
    set_name(p.name, name.substr(0, std::min(name.size(), stored_name_length)));
    p.piece_count = 0;
    p.type = 1;
    p.location = location_end;
    p.owner = owner_all_players;
    game_modified = 1;
    return pool;
}

void rename_pool(int pool, const std::string& name) {
    if (!live_pool(pool)) return;
    set_name(game->pool_array[static_cast<std::size_t>(pool)].name,
             name.substr(0, std::min(name.size(), stored_name_length)));
    game_modified = 1;
}

std::string format_piece_description(int piece) {
    const piece_struct* p = piece_record(piece);
    if (!p) return {};
    if (get_pool_piece_visibility(piece) >= visibility_info_hidden)
        return piece_and_class_name(piece) + "  " + format_piece_values(piece);
    const class_struct* c = class_record(p->class_index);
    return "Unknown (" + player_display_name(c ? c->owner : owner_all_players) + ")";
}

std::string format_pool_piece_description(int piece) {
    const piece_struct* p = piece_record(piece);
    if (!p) return {};
    std::string text;
    if (get_pool_piece_visibility(piece) < visibility_info_hidden) {
        const class_struct* c = class_record(p->class_index);
        text = "Unknown " + player_display_name(c ? c->owner : owner_all_players);
    } else {
        text = piece_and_class_name(piece);
    }
    const std::string pool = p->in_pool() && live_pool(p->location)
                                 ? name_of(game->pool_array[static_cast<std::size_t>(p->location)].name)
                                 : std::string();
    return text + "  [" + pool + "]";
}

std::vector<std::string> pool_row_texts(const std::vector<std::int32_t>& listed_pieces) {
    const int n = pool_records();
    std::vector<int> known(static_cast<std::size_t>(n), 0);
    // -1 no piece found yet, 0 the first piece is unknown, 1 it is known.
    std::vector<int> first_known(static_cast<std::size_t>(n), -1);
    std::vector<std::uint8_t> on_list(game->piece_array.size(), 0);
    for (std::int32_t piece : listed_pieces)
        if (piece >= 0 && static_cast<std::size_t>(piece) < on_list.size())
            on_list[static_cast<std::size_t>(piece)] = 1;
    const int end = piece_end();
    for (int i = 0; i < end; ++i) {
        const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (!p.in_pool() || p.location < 0 || p.location >= n) continue;
        const auto k = static_cast<std::size_t>(p.location);
        const bool is_known = get_pool_piece_visibility(i) >= visibility_info_hidden;
        if (first_known[k] < 0) first_known[k] = is_known ? 1 : 0;
        if (is_known && !on_list[static_cast<std::size_t>(i)]) ++known[k];
    }
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const pool_struct& p = game->pool_array[static_cast<std::size_t>(k)];
        const auto i = static_cast<std::size_t>(k);
        const std::string what = known[i] > 0          ? std::to_string(known[i]) + " pieces"
                                 : p.piece_count == 0  ? "Empty"
                                 : first_known[i] == 1 ? "Empty"
                                                       : "Unknown";
        rows.push_back(name_of(p.name) + "  (" + what + ")");
    }
    return rows;
}

std::vector<std::int32_t> known_pool_pieces(int pool, const std::vector<std::int32_t>& listed_pieces) {
    std::vector<std::int32_t> out;
    if (!is_force_pool(pool)) return out;
    const int end = piece_end();
    for (int i = 0; i < end; ++i)
        if (in_pool(game->piece_array[static_cast<std::size_t>(i)], pool) && !listed(listed_pieces, i) &&
            get_pool_piece_visibility(i) >= visibility_info_hidden)
            out.push_back(i);
    return out;
}

namespace {
// Whether a piece of the pool meets the test; one walk, stopping at the first.
template <class F> bool pool_holds(int pool, F&& test) {
    const int end = piece_end();
    for (int i = 0; i < end; ++i)
        if (in_pool(game->piece_array[static_cast<std::size_t>(i)], pool) && test(i)) return true;
    return false;
}
} // namespace

bool pool_holds_unknown_pieces(int pool) {
    return pool_holds(pool, [](int i) { return get_pool_piece_visibility(i) < visibility_info_hidden; });
}

bool pool_holds_pieces(int pool) {
    return pool_holds(pool, [](int) { return true; });
}

bool delete_pool(int pool) {
    const int n = pool_records();
    if (pool < 0 || pool >= n) return false;
    std::vector<std::int32_t> new_index(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        new_index[static_cast<std::size_t>(i)] = i < pool ? i : i == pool ? -1 : i - 1;
    if (!renumber_history_pools(game->history_stream, new_index)) return false;
    auto& a = game->pool_array;
    a.erase(a.begin() + pool);
    const int end = piece_end();
    for (int i = 0; i < end; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (!p.in_pool() || p.location < pool || p.location >= location_end) continue;
        if (p.location == pool) {
            p.location = location_free;
            p.flags &= static_cast<std::uint8_t>(~piece_flag_in_pool);
        } else {
            --p.location;
        }
    }
    remap_held_pools(new_index);
    game_modified = 1;
    return true;
}

bool swap_pools(int a, int b) {
    const int n = pool_records();
    if (a < 0 || b < 0 || a >= n || b >= n) return false;
    if (a == b) return true;
    std::vector<std::int32_t> new_index(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        new_index[static_cast<std::size_t>(i)] = i == a ? b : i == b ? a : i;
    if (!renumber_history_pools(game->history_stream, new_index)) return false;
    std::swap(game->pool_array[static_cast<std::size_t>(a)], game->pool_array[static_cast<std::size_t>(b)]);
    const int end = piece_end();
    for (int i = 0; i < end; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (!p.in_pool()) continue;
        if (p.location == a)
            p.location = b;
        else if (p.location == b)
            p.location = a;
    }
    remap_held_pools(new_index);
    game_modified = 1;
    return true;
}

void transfer_pieces_to_pool(const std::vector<std::int32_t>& pieces, int pool) {
    if (!is_force_pool(pool)) return;
    pool_struct& to = game->pool_array[static_cast<std::size_t>(pool)];
    for (std::int32_t piece : pieces) {
        if (!piece_record(piece)) continue;
        piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
        if (!p.in_pool()) continue; // only pooled pieces are listed here
        lower_count(p.location);
        p.location = pool;
        p.flags |= piece_flag_in_pool;
        if (to.piece_count >= 0 && to.piece_count < class_end - 1) ++to.piece_count;
    }
    game_modified = 1;
}

void delete_pieces_from_game(const std::vector<std::int32_t>& pieces) {
    for (std::int32_t piece : pieces) {
        if (!piece_record(piece)) continue;
        piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
        if (!p.in_pool()) continue;
        lower_count(p.location);
        p.location = location_free;
        p.flags &= static_cast<std::uint8_t>(~piece_flag_in_pool);
    }
    game_modified = 1;
}

void recount_pools() {
    recount_pool_pieces();
}
