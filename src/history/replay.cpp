#include "replay.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/options.h"

#include <algorithm>
#include <new>
#include <string_view>

namespace {

std::vector<std::int32_t> copy_list(const std::int32_t* list, int size) {
    return std::vector<std::int32_t>(list, list + size);
}
void put_list(const std::vector<std::int32_t>& from, std::int32_t* list, int size) {
    if (from.size() == static_cast<std::size_t>(size)) std::copy(from.begin(), from.end(), list);
}

void add_to_pool(std::int64_t pool, int by) {
    if (pool_struct* p = live_pool_record(pool)) {
        if (by < 0 && p->piece_count > 0) --p->piece_count;
        if (by > 0 && p->piece_count < class_end - 1) ++p->piece_count;
    }
}

// Takes a piece off wherever it lies (a hex or a pool), leaving its location to the caller.
void lift(piece_struct& p) {
    if (p.location == location_free || p.location == location_end) return;
    if (p.in_pool())
        add_to_pool(p.location, -1);
    else
        add_to_hex_count(p.location, -1);
}

// Makes the piece array reach the piece and gives it the recorded class, drawn with the symbol
// the class had then. Null when the index cannot be a piece.
piece_struct* restore_piece(std::int64_t piece, std::int64_t class_index, std::int64_t symbol) {
    if (piece < 0 || piece >= max_pieces) return nullptr;
    // Growing the array is for pieces past its end only (finding the end walks it).
    if (!piece_slot_record(piece) && !ensure_piece_index(static_cast<int>(piece))) return nullptr;
    piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
    const bool class_there =
        class_index >= 0 && class_index < max_classes &&
        (static_cast<std::size_t>(class_index) + 1 < game->class_array.size() &&
                 game->class_array[static_cast<std::size_t>(class_index)].symbol != class_end
             ? true
             : ensure_class_index(static_cast<int>(class_index)) != 0);
    if (class_there) {
        class_struct& c = game->class_array[static_cast<std::size_t>(class_index)];
        p.class_index = static_cast<std::int32_t>(class_index);
        // The end and free marks are no symbols: forcing one would end the class list here.
        if (symbol >= 0 && symbol < class_end) c.symbol = static_cast<std::int32_t>(symbol);
        if (c.is_card()) p.value_types[0] = value_type_card;
    }
    return &p;
}

void put_on_hex(piece_struct& p, std::int64_t hex) {
    lift(p);
    p.location = static_cast<std::int32_t>(hex);
    p.flags &= static_cast<std::uint8_t>(~piece_flag_in_pool);
    add_to_hex_count(hex, 1);
}

void put_in_pool(piece_struct& p, std::int64_t pool) {
    lift(p);
    p.location = static_cast<std::int32_t>(pool);
    p.flags |= piece_flag_in_pool;
    add_to_pool(pool, 1);
}

void take_out_of_game(piece_struct& p) {
    lift(p);
    p.location = location_free;
    p.flags &= static_cast<std::uint8_t>(~piece_flag_in_pool);
}

void note(replay_effect* e, std::int64_t piece, std::int64_t hex = -1) {
    if (!e) return;
    if (piece >= 0) e->pieces.push_back(static_cast<std::int32_t>(piece));
    if (replay_on_map(hex) && std::find(e->hexes.begin(), e->hexes.end(), hex) == e->hexes.end())
        e->hexes.push_back(static_cast<std::int32_t>(hex));
}

void replay_move(const record_fields& f, replay_effect* e) {
    const auto pieces = f.numbers("piece"), classes = f.numbers("class"), symbols = f.numbers("symbol");
    const auto path = f.numbers("hex");
    if (path.empty() || !replay_on_map(path.back())) return;
    const std::int64_t start = f.number("start"), end = path.back();
    note(e, -1, start);
    for (std::int64_t hex : path)
        note(e, -1, hex);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        piece_struct* p = restore_piece(pieces[i], classes[i], symbols[i]);
        if (!p) continue;
        // Each piece keeps the hidden state it had: the record holds only the lowest of them.
        put_on_hex(*p, end);
        p->flags |= piece_flag_moved;
        note(e, pieces[i]);
    }
}

void replay_combat(const record_fields& f, replay_effect* e) {
    const std::int64_t attackers = f.number("attackers");
    const auto pieces = f.numbers("piece"), classes = f.numbers("class"), symbols = f.numbers("symbol"),
               hexes = f.numbers("location");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        piece_struct* p = restore_piece(pieces[i], classes[i], symbols[i]);
        if (!p) continue;
        if (replay_on_map(hexes[i]) && (p->location != hexes[i] || p->in_pool())) put_on_hex(*p, hexes[i]);
        p->flags |= static_cast<std::int64_t>(i) < attackers ? piece_flag_attacked : piece_flag_defended;
        note(e, pieces[i], p->location);
    }
}

void replay_removal(const record_fields& f, replay_effect* e) {
    const std::int64_t piece = f.number("piece");
    piece_struct* p = piece_slot_record(piece);
    if (!p) return;
    const std::int32_t was = p->location;
    if (f.number("pool flag") != 0 && live_pool_record(f.number("pool")))
        put_in_pool(*p, f.number("pool"));
    else
        take_out_of_game(*p);
    note(e, piece, was);
}

void replay_addition(const record_fields& f, replay_effect* e) {
    const std::int64_t hex = f.number("location");
    if (!replay_on_map(hex)) return;
    piece_struct* p = restore_piece(f.number("piece"), f.number("class"), f.number("symbol"));
    if (!p) return;
    if (f.number("pool flag") != 0 && p->in_pool() && p->location == location_free) p->flags = 0;
    put_on_hex(*p, hex);
    if (f.number("pool flag") != 0) add_to_pool(f.number("pool"), -1);
    p->hidden = static_cast<std::uint8_t>(std::min<std::int64_t>(f.number("hidden"), 2));
    note(e, f.number("piece"), hex);
}

void replay_class_change(const record_fields& f, replay_effect* e) {
    const std::int64_t piece = f.number("piece");
    if (!piece_slot_record(piece)) return;
    piece_struct* p = restore_piece(piece, f.number("new class"), f.number("new symbol"));
    if (p) note(e, piece, p->location);
}

void replay_class_deleted(const record_fields& f, replay_effect* e) {
    const std::int64_t c = f.number("class");
    if (c < 0 || static_cast<std::size_t>(c) >= class_end_index()) return;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
    for (int i = 0; i < end; ++i) {
        piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (p.location == location_free || p.class_index != c) continue;
        const std::int32_t was = p.location;
        take_out_of_game(p);
        note(e, i, was);
    }
    game->class_array[static_cast<std::size_t>(c)].symbol = class_free;
}

void replay_reveal(const record_fields& f, replay_effect* e) {
    for (std::int64_t piece : f.numbers("piece"))
        if (piece_struct* p = piece_slot_record(piece)) {
            p->hidden = 0;
            note(e, piece, p->location);
        }
    if (e) e->whole_map = true;
}

void replay_hidden_change(const record_fields& f, replay_effect* e) {
    const std::int64_t piece = f.number("piece"), state = f.number("new hidden");
    piece_struct* p = piece_slot_record(piece);
    if (!p || state < 0 || state > 2) return;
    p->hidden = static_cast<std::uint8_t>(state);
    note(e, piece, p->location);
}

void replay_slot_reveal(const record_fields& f, replay_effect* e) {
    const std::string states = f.bytes("hidden states");
    const std::size_t n =
        std::min(states.size(), static_cast<std::size_t>(std::max(0, game->piece_end_index)));
    for (std::size_t s = 0; s < n && s < game->piece_array.size(); ++s) {
        const auto state = static_cast<std::uint8_t>(states[s]);
        if (state <= 2) game->piece_array[s].hidden = state;
    }
    if (e) e->whole_map = true;
}

void replay_piece_order(const record_fields& f) {
    const std::int64_t a = f.number("old index"), b = f.number("new index");
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
    if (a < 0 || b < 0 || a >= end || b >= end || a == b) return;
    auto first = game->piece_array.begin();
    if (a < b)
        std::rotate(first + a, first + a + 1, first + b + 1);
    else
        std::rotate(first + b, first + a, first + a + 1);
}

// Card records that name a card and where it went.
void replay_card(const history_record& r, const record_fields& f, replay_effect* e) {
    const std::int64_t card = f.number("card");
    piece_struct* p = piece_slot_record(card);
    if (!p) return;
    const std::int32_t was = p->location;
    switch (r.code * 10 + r.sub) {
    case history_code_deck * 10 + 5:
    case history_code_hand * 10 + 6:
        if (replay_on_map(f.number("location"))) put_on_hex(*p, f.number("location"));
        break;
    case history_code_hand * 10 + 1:
    case history_code_hand * 10 + 4:
        if (live_pool_record(f.number("hand"))) put_in_pool(*p, f.number("hand"));
        break;
    case history_code_hand * 10 + 2:
    case history_code_hand * 10 + 3:
        if (live_pool_record(f.number("other pool"))) put_in_pool(*p, f.number("other pool"));
        break;
    case history_code_board_card * 10 + 1:
    case history_code_board_card * 10 + 2:
        if (live_pool_record(f.number("pool"))) put_in_pool(*p, f.number("pool"));
        break;
    case history_code_board_card * 10 + 3:
        if (f.number("after") >= 0 && f.number("after") <= 2)
            p->hidden = static_cast<std::uint8_t>(f.number("after"));
        break;
    default:
        return;
    }
    note(e, card, was);
    note(e, -1, p->location);
}

} // namespace

bool replay_on_map(std::int64_t hex) {
    return hex >= 0 && hex < board->hex_count;
}

void add_to_hex_count(std::int64_t hex, int by) {
    auto& counts = board->hex_piece_counts;
    if (!replay_on_map(hex) || static_cast<std::size_t>(hex) >= counts.size()) return;
    auto& c = counts[static_cast<std::size_t>(hex)];
    c = std::max(0, c + by);
}

pool_struct* live_pool_record(std::int64_t pool) {
    auto& a = game->pool_array;
    if (pool < 0 || static_cast<std::size_t>(pool) + 1 >= a.size()) return nullptr;
    for (std::size_t i = 0; i <= static_cast<std::size_t>(pool); ++i)
        if (a[i].piece_count == class_end) return nullptr;
    pool_struct& p = a[static_cast<std::size_t>(pool)];
    return p.piece_count == class_free ? nullptr : &p;
}

piece_struct* piece_slot_record(std::int64_t piece) {
    if (piece < 0 || piece >= game->piece_end_index ||
        static_cast<std::size_t>(piece) >= game->piece_array.size())
        return nullptr;
    return &game->piece_array[static_cast<std::size_t>(piece)];
}

std::int64_t record_fields::number(const char* name, int repeat, std::int64_t missing) const {
    for (const auto& v : visits)
        if (v.repeat == repeat && std::string_view(v.step->name) == name) return v.value;
    return missing;
}

std::vector<std::int64_t> record_fields::numbers(const char* name) const {
    std::vector<std::int64_t> out;
    for (const auto& v : visits)
        if (std::string_view(v.step->name) == name) out.push_back(v.value);
    return out;
}

std::string record_fields::bytes(const char* name) const {
    for (const auto& v : visits) {
        if (std::string_view(v.step->name) != name || !stream) continue;
        std::size_t n = v.size;
        if (v.step->type == field_type::name && n > 0) --n; // its 0
        return std::string(reinterpret_cast<const char*>(stream->data() + v.offset), n);
    }
    return {};
}

bool read_record_fields(const byte_vector& stream, const history_record& record, record_fields& out) {
    out.visits.clear();
    out.stream = &stream;
    if (!record.layout || stream.empty()) return false;
    std::size_t length = 0;
    return walk_record_fields(stream.data(), stream.size() - 1, record.payload, *record.layout, length,
                              [&out](const field_visit& v) { out.visits.push_back(v); }) ==
           history_walk_status::ok;
}

bool save_replay_state(replay_saved_state& s) {
    try {
        s.classes = game->class_array;
        s.pieces = game->piece_array;
        s.piece_end_index = game->piece_end_index;
        s.pools = game->pool_array;
        s.game_turn = game->game_turn;
        s.move_path = copy_list(move_path, move_path_capacity);
        s.selected_pieces = copy_list(selected_pieces, selected_pieces_capacity);
        s.attacker_list = copy_list(attacker_list, combat_list_capacity);
        s.defender_list = copy_list(defender_list, combat_list_capacity);
        s.action_selection = copy_list(action_selection, action_selection_capacity);
        s.cycle_list = copy_list(cycle_list, cycle_list_capacity);
        s.operation_mode = operation_mode;
    } catch (const std::bad_alloc&) {
        s = replay_saved_state{};
        return false;
    }
    return true;
}

void restore_replay_state(replay_saved_state& s) {
    game->class_array.swap(s.classes);
    game->piece_array.swap(s.pieces);
    game->piece_end_index = s.piece_end_index;
    game->pool_array.swap(s.pools);
    game->game_turn = s.game_turn;
    put_list(s.move_path, move_path, move_path_capacity);
    put_list(s.selected_pieces, selected_pieces, selected_pieces_capacity);
    put_list(s.attacker_list, attacker_list, combat_list_capacity);
    put_list(s.defender_list, defender_list, combat_list_capacity);
    put_list(s.action_selection, action_selection, action_selection_capacity);
    put_list(s.cycle_list, cycle_list, cycle_list_capacity);
    operation_mode = s.operation_mode;
    recount_hexes_and_pools();
}

void recount_pool_pieces() {
    auto& pools = game->pool_array;
    std::size_t live_pools = 0;
    while (live_pools < pools.size() && pools[live_pools].piece_count != class_end)
        ++live_pools;
    for (std::size_t k = 0; k < live_pools; ++k)
        if (pools[k].piece_count != class_free) pools[k].piece_count = 0;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
    for (int i = 0; i < end; ++i) {
        const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (p.location == location_free || !p.in_pool()) continue;
        if (p.location >= 0 && static_cast<std::size_t>(p.location) < live_pools &&
            pools[static_cast<std::size_t>(p.location)].piece_count != class_free)
            ++pools[static_cast<std::size_t>(p.location)].piece_count;
    }
}

void recount_hexes_and_pools() {
    rebuild_hex_piece_counts();
    recount_pool_pieces();
}

bool set_replay_start_pieces(const byte_vector& stream) {
    // A stream that is only its end mark holds no snapshot: no pieces, turn 0.
    const bool bare = !stream.empty() && stream[0] == 0xFE;
    history_walker walker(stream);
    if (!bare && walker.status() != history_walk_status::ok) return false;
    const std::size_t entries = bare ? 1 : static_cast<std::size_t>(stream[0]) * 250 + stream[1];
    const std::size_t pieces = entries > 0 ? entries - 1 : 0;
    const std::size_t classes = class_end_index();
    std::vector<piece_struct> rebuilt;
    try {
        rebuilt.resize(pieces + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t i = 0; i < pieces; ++i) {
        const std::uint8_t* e = stream.data() + 2 + 5 * i;
        piece_struct& p = rebuilt[i];
        std::int32_t c = e[0] * 250 + e[1];
        const std::int32_t location = e[2] * 250 + e[3];
        if (static_cast<std::size_t>(c) >= classes) c = 0;
        p.class_index = c;
        p.location = location;
        p.hidden = std::min<std::uint8_t>(e[4], 2);
        p.flags = location >= history_location_in_pool ? piece_flag_in_pool : 0;
        if (c < static_cast<std::int32_t>(classes) &&
            game->class_array[static_cast<std::size_t>(c)].is_card())
            p.value_types[0] = value_type_card;
    }
    rebuilt.back() = piece_struct{};
    rebuilt.back().location = location_end;
    game->piece_array.swap(rebuilt);
    game->piece_end_index = static_cast<std::int32_t>(pieces);
    const std::size_t header = walker.header_length();
    game->game_turn = !bare && header >= 2 ? stream[header - 2] * 250 + stream[header - 1] : 0;
    recount_hexes_and_pools();
    return true;
}

bool apply_history_record(const byte_vector& stream, const history_record& r, replay_effect* e) {
    record_fields f;
    if (!read_record_fields(stream, r, f)) return false;
    switch (r.code) {
    case history_code_move:
        replay_move(f, e);
        break;
    case history_code_combat:
        replay_combat(f, e);
        break;
    case history_code_remove_piece_v1:
    case history_code_remove_piece:
        replay_removal(f, e);
        break;
    case history_code_add_piece:
        replay_addition(f, e);
        break;
    case history_code_change_class:
        replay_class_change(f, e);
        break;
    case history_code_delete_class:
        replay_class_deleted(f, e);
        break;
    case history_code_move_reveal:
    case history_code_range_reveal_list:
        replay_reveal(f, e);
        break;
    case history_code_change_hidden:
        replay_hidden_change(f, e);
        break;
    case history_code_deck:
    case history_code_hand:
    case history_code_board_card:
        replay_card(r, f, e);
        break;
    case history_code_piece_order:
        replay_piece_order(f);
        break;
    case history_code_los_reveal:
    case history_code_range_reveal:
        replay_slot_reveal(f, e);
        break;
    default:
        break; // the record shows something, or nothing, and changes no piece
    }
    return true;
}
