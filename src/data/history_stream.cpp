#include "history_stream.h"

#include "data/command_state.h"
#include "data/current_player.h"
#include "data/encodings.h"
#include "data/records.h"
#include "platform/boxes.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

// No record comes near this; a larger request is a caller's mistake, not a reason to try.
constexpr int max_payload_length = 1 << 20;

void allocation_failed() {
    message_box("", "Can not allocate replay array!", box_buttons::ok, box_icon::information);
}

long append_payload(int code, const byte_vector& payload) {
    long at = append_history_record(static_cast<int>(payload.size()), code);
    if (at < 0) return -1;
    std::copy(payload.begin(), payload.end(), game->history_stream.begin() + at);
    return at;
}

bool valid_piece(int piece) {
    return piece >= 0 && static_cast<std::size_t>(piece) < game->piece_array.size() &&
           game->piece_array[static_cast<std::size_t>(piece)].location != location_end;
}
bool valid_class(int c) {
    return c >= 0 && static_cast<std::size_t>(c) < game->class_array.size() &&
           game->class_array[static_cast<std::size_t>(c)].symbol != class_end;
}
const piece_struct& piece_at(int piece) {
    return game->piece_array[static_cast<std::size_t>(piece)];
}
const class_struct& class_at(int c) {
    return game->class_array[static_cast<std::size_t>(c)];
}
int hidden_of(int piece) {
    return std::min<int>(piece_at(piece).hidden, 2);
}
std::int64_t symbol_of(int c) {
    return class_at(c).symbol;
}
int player_now() {
    return history_player_byte(current_player);
}

// Counts list entries up to the end mark or the list's size.
std::size_t count_until(std::span<const std::int32_t> list, std::int32_t end_mark, std::size_t cap) {
    std::size_t n = 0;
    while (n < list.size() && n < cap && list[n] != end_mark)
        ++n;
    return n;
}

long append_fields(int code, int sub, const std::vector<field_value>& values) {
    const record_layout* layout = history_layout(code, sub);
    byte_vector payload;
    if (!layout || !encode_record(*layout, values, payload)) return -1;
    return append_payload(code, payload);
}

long append_slot_reveal(int code) {
    const auto& pieces = game->piece_array;
    std::size_t n = 0;
    while (n < pieces.size() && pieces[n].location != location_end)
        ++n;
    std::string states;
    states.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        states.push_back(static_cast<char>(std::min<int>(pieces[i].hidden, 2)));
    long at = append_fields(code, 0, {player_now(), static_cast<std::int64_t>(n), states});
    if (at >= 0) game->piece_end_index = static_cast<std::int32_t>(n);
    return at;
}

long append_card_move(int hand, int sub, int other, int position, int known, int card) {
    return append_fields(history_code_hand, sub,
                         {player_now(), hand, sub, other, position, known != 0 ? 1 : 0, card});
}

} // namespace

long append_history_record(int length, int code) {
    if (length < 0 || length > max_payload_length || code < 0 || code > history_byte_max) return -1;
    auto& s = game->history_stream;
    // A game always has its header; one that lost it starts a fresh history so that the
    // stream stays walkable.
    if (s.empty()) clear_history();
    if (s.empty() || s.back() != marker_close) return -1;
    try {
        // resize either succeeds or leaves the buffer exactly as it was.
        std::size_t start = s.size() - 1; // the closing 0xFE becomes the record's 0xFD
        s.resize(s.size() + 2 + static_cast<std::size_t>(length), 0);
        s[start] = marker_open;
        s[start + 1] = static_cast<std::uint8_t>(code);
        s.back() = marker_close;
        game_modified = 1;
        return static_cast<long>(start + 2);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    allocation_failed();
    return -1;
}

std::size_t history_end_offset() {
    const auto& s = game->history_stream;
    return s.empty() ? 0 : s.size() - 1;
}

void cut_history_back(std::size_t end_offset) {
    auto& s = game->history_stream;
    if (s.empty() || end_offset >= s.size() - 1) return;
    s.resize(end_offset); // never grows, so the closing byte that follows always has room
    s.push_back(marker_close);
}

void put_history_num2(long offset, int value) {
    auto& s = game->history_stream;
    if (offset < 0 || value < 0 || value > history_num2_max ||
        static_cast<std::size_t>(offset) + 2 >= s.size())
        return;
    s[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value / 250);
    s[static_cast<std::size_t>(offset) + 1] = static_cast<std::uint8_t>(value % 250);
}

void clear_history() {
    const auto& pieces = game->piece_array;
    // Entries up to and including the end record; a missing end record is written as one.
    std::size_t n = 0;
    while (n < pieces.size() && pieces[n].location != location_end)
        ++n;
    byte_vector out;
    try {
        out.reserve(5 * (n + 1) + 5);
    } catch (const std::bad_alloc&) {
        allocation_failed();
        return;
    }
    byte_writer w(out);
    w.num2(static_cast<std::int64_t>(n + 1));
    for (std::size_t i = 0; i <= n; ++i) {
        piece_struct p = i < n ? pieces[i] : piece_struct{};
        if (i == n) p.location = location_end;
        w.num2(p.class_index >= 0 && p.class_index <= history_num2_max ? p.class_index : 0);
        std::int32_t loc = p.location;
        if (i < n && p.in_pool() && loc != location_free) loc = history_location_in_pool;
        w.num2(loc >= 0 && loc <= num2_max ? loc : location_free);
        w.byte(std::min<std::uint8_t>(p.hidden, 2));
    }
    w.num2(game->game_turn >= 0 && game->game_turn <= history_num2_max ? game->game_turn : 0);
    w.byte(marker_close);
    game->history_stream = std::move(out);
}

long append_laid_out_record(int code, int sub, const std::vector<field_value>& values) {
    return append_fields(code, sub, values);
}

long append_move_record(std::span<const std::int32_t> pieces, std::span<const std::int32_t> path,
                        std::size_t reveals_from) {
    std::size_t p = count_until(pieces, -1, selected_pieces_capacity);
    std::size_t n_hexes = count_until(path, location_end, move_path_capacity);
    if (p == 0 || n_hexes == 0) return -1;
    int lowest = 2;
    for (std::size_t i = 0; i < p; ++i) {
        if (!valid_piece(pieces[i]) || !valid_class(piece_at(pieces[i]).class_index)) return -1;
        lowest = std::min(lowest, hidden_of(pieces[i]));
    }
    std::vector<field_value> values{lowest, static_cast<std::int64_t>(p), static_cast<std::int64_t>(n_hexes),
                                    piece_at(pieces[0]).location};
    for (std::size_t i = 0; i < p; ++i) {
        int c = piece_at(pieces[i]).class_index;
        values.insert(values.end(), {pieces[i], c, symbol_of(c)});
    }
    for (std::size_t i = 0; i < n_hexes; ++i)
        values.emplace_back(path[i]);
    byte_vector payload;
    if (!encode_record(*history_layout(history_code_move), values, payload)) return -1;

    // Only the records written since the path started are walked and moved: the code-11 ones go
    // behind the move, the others keep their order before it. The rest of the stream stays as
    // it is, so a move costs its own records, whatever the history's length.
    auto& s = game->history_stream;
    history_walker walker(s);
    if (!walker.seek(reveals_from)) return append_payload(history_code_move, payload);
    byte_vector kept, reveals;
    history_record r;
    while (walker.next(r)) {
        const auto from = s.begin() + static_cast<std::ptrdiff_t>(r.start);
        const auto to = s.begin() + static_cast<std::ptrdiff_t>(r.next());
        byte_vector& into = r.code == history_code_move_reveal ? reveals : kept;
        try {
            into.insert(into.end(), from, to);
        } catch (const std::bad_alloc&) {
            allocation_failed();
            return -1;
        }
    }
    // A tail that does not walk is left alone: the move goes at the end.
    if (walker.status() != history_walk_status::end) return append_payload(history_code_move, payload);
    std::size_t move_at = 0;
    try {
        s.reserve(s.size() + payload.size() + 2);
        s.resize(reveals_from); // never grows here: nothing can fail after the reserve
        s.insert(s.end(), kept.begin(), kept.end());
        move_at = s.size() + 2;
        s.push_back(marker_open);
        s.push_back(static_cast<std::uint8_t>(history_code_move));
        s.insert(s.end(), payload.begin(), payload.end());
        s.insert(s.end(), reveals.begin(), reveals.end());
        s.push_back(marker_close);
    } catch (const std::bad_alloc&) {
        allocation_failed();
        return -1;
    }
    game_modified = 1;
    return static_cast<long>(move_at);
}

long append_combat_record(std::span<const std::int32_t> attackers, std::span<const std::int32_t> defenders) {
    std::size_t a = count_until(attackers, -1, combat_list_capacity);
    std::size_t d = count_until(defenders, -1, combat_list_capacity);
    if (a == 0 && d == 0) return -1;
    std::vector<field_value> values{static_cast<std::int64_t>(a), static_cast<std::int64_t>(d)};
    for (int side = 0; side < 2; ++side) {
        auto list = side == 0 ? attackers : defenders;
        for (std::size_t i = 0, n = side == 0 ? a : d; i < n; ++i) {
            if (!valid_piece(list[i]) || !valid_class(piece_at(list[i]).class_index)) return -1;
            const piece_struct& pc = piece_at(list[i]);
            values.insert(values.end(), {list[i], pc.class_index, symbol_of(pc.class_index), pc.location});
        }
    }
    return append_fields(history_code_combat, 0, values);
}

long append_remove_piece_v1_record(int hidden, int piece, int class_index, int symbol, int location,
                                   int to_pool, int pool, const std::string& piece_name,
                                   const std::string& class_name) {
    return append_fields(
        history_code_remove_piece_v1, 0,
        {hidden, piece, class_index, symbol, location, to_pool, pool, piece_name, class_name});
}

long append_add_piece_record(int piece, int class_index, int from_pool, int pool, int location) {
    if (!valid_piece(piece) || !valid_class(class_index)) return -1;
    int flag = from_pool != 0 ? 1 : 0;
    if (flag && (pool < 0 || pool > history_byte_max)) flag = 0;
    if (!flag) pool = 0;
    return append_fields(history_code_add_piece, 0,
                         {hidden_of(piece), piece, class_index, symbol_of(class_index), location, flag, pool,
                          name_of(piece_at(piece).name), name_of(class_at(class_index).name)});
}

long append_class_change_record(int piece, int old_class, int new_class) {
    if (!valid_piece(piece) || !valid_class(old_class) || !valid_class(new_class)) return -1;
    return append_fields(history_code_change_class, 0,
                         {hidden_of(piece), piece, old_class, symbol_of(old_class), new_class,
                          symbol_of(new_class), piece_at(piece).location, name_of(piece_at(piece).name),
                          name_of(class_at(old_class).name), name_of(class_at(new_class).name)});
}

long append_value_change_record(char kind, int slot, const std::uint8_t old_value[4], int old_type,
                                const std::uint8_t new_value[4], int new_type, int index) {
    bool piece_value = kind == 'U' || kind == 'u';
    if (piece_value ? !valid_piece(index) : !valid_class(index)) return -1;
    if (slot < 0 || slot > 7) return -1;
    auto bytes4 = [](const std::uint8_t* v) { return std::string(reinterpret_cast<const char*>(v), 4); };
    return append_fields(history_code_change_value, 0,
                         {piece_value ? hidden_of(index) : 0, static_cast<unsigned char>(kind), slot,
                          bytes4(old_value), old_type, bytes4(new_value), new_type, index});
}

long append_die_roll_record(int sides, std::span<const int> results) {
    std::vector<field_value> values{static_cast<std::int64_t>(results.size()), sides};
    for (int r : results)
        values.emplace_back(r);
    values.emplace_back(0);
    return append_fields(history_code_die_roll, 0, values);
}

void set_die_roll_comment_flag(long payload, bool on) {
    auto& s = game->history_stream;
    if (payload < 2 || static_cast<std::size_t>(payload) >= s.size()) return;
    history_record r;
    r.start = static_cast<std::size_t>(payload) - 2;
    r.payload = static_cast<std::size_t>(payload);
    r.code = history_code_die_roll;
    r.layout = history_layout(history_code_die_roll);
    if (s[r.start] != marker_open || s[r.start + 1] != history_code_die_roll) return;
    std::size_t length = 0;
    if (walk_record_fields(s.data(), s.size() - 1, r.payload, *r.layout, length) != history_walk_status::ok)
        return;
    r.length = length;
    if (auto flag = record_field(s, r, "comment flag")) s[flag->offset] = on ? 1 : 0;
}

long append_comment_record(int kind, const std::string& text) {
    std::string cut = text.substr(0, std::min<std::size_t>(text.size(), history_num2_max));
    int player = current_player >= 0 && current_player < max_players ? current_player : history_no_player;
    return append_fields(history_code_comment, 0, {player, kind, static_cast<std::int64_t>(cut.size()), cut});
}

long append_combat_block_record(int combats) {
    return append_fields(history_code_begin_multiple_combats, 0, {combats});
}

long append_delete_class_record(int class_index, int former_symbol) {
    return append_fields(history_code_delete_class, 0, {class_index, former_symbol});
}

long append_reveal_history_record(int code, int player, std::span<const std::uint8_t> owners,
                                  std::span<const std::int32_t> pieces) {
    if (code != history_code_move_reveal && code != history_code_range_reveal_list) return -1;
    if (owners.size() != pieces.size() || pieces.empty()) return -1;
    // Check every chunk before writing any, so that a refusal writes nothing.
    std::vector<byte_vector> payloads;
    for (std::size_t first = 0; first < pieces.size(); first += history_byte_max) {
        std::size_t n = std::min<std::size_t>(history_byte_max, pieces.size() - first);
        std::vector<field_value> values{history_player_byte(player), static_cast<std::int64_t>(n)};
        for (std::size_t i = first; i < first + n; ++i)
            values.insert(values.end(), {owners[i], pieces[i]});
        byte_vector payload;
        if (!encode_record(*history_layout(code), values, payload)) return -1;
        payloads.push_back(std::move(payload));
    }
    long first_at = -1;
    for (const auto& payload : payloads) {
        long at = append_payload(code, payload);
        if (at < 0) return first_at;
        if (first_at < 0) first_at = at;
    }
    return first_at;
}

long append_hidden_change_record(int player, int piece, int old_state, int new_state) {
    return append_fields(history_code_change_hidden, 0,
                         {history_player_byte(player), piece, old_state, new_state});
}

long append_deck_added_record(int deck, int cards, int visibility) {
    return append_fields(history_code_deck, 1, {player_now(), deck, 1, cards, visibility});
}
long append_deck_shuffled_record(int deck) {
    return append_fields(history_code_deck, 2, {player_now(), deck, 2});
}
long append_deck_sorted_record(int deck, int sorted, int in_deck, int placement) {
    return append_fields(history_code_deck, 3, {player_now(), deck, 3, sorted, in_deck, placement});
}
long append_cards_dealt_record(int deck, int dealt, int all_dealt, int hands) {
    return append_fields(history_code_deck, 4, {player_now(), deck, 4, dealt, all_dealt != 0 ? 1 : 0, hands});
}
long append_deck_card_played_record(int deck, int card, int location, int face_up) {
    return append_fields(history_code_deck, 5, {player_now(), deck, 5, card, location, face_up != 0 ? 1 : 0});
}

long append_card_taken_from_deck_record(int hand, int deck, int position, int known, int card) {
    return append_card_move(hand, 1, deck, position, known, card);
}
long append_card_returned_to_deck_record(int hand, int deck, int position, int known, int card) {
    return append_card_move(hand, 2, deck, position, known, card);
}
long append_card_given_record(int hand, int other_hand, int position, int known, int card) {
    return append_card_move(hand, 3, other_hand, position, known, card);
}
long append_card_taken_from_hand_record(int hand, int other_hand, int position, int known, int card) {
    return append_card_move(hand, 4, other_hand, position, known, card);
}
long append_hand_added_record(int hand, int owner) {
    return append_fields(history_code_hand, 5, {player_now(), hand, 5, owner});
}
long append_hand_card_played_record(int hand, int card, int location, int face_up) {
    return append_fields(history_code_hand, 6, {player_now(), hand, 6, card, location, face_up != 0 ? 1 : 0});
}

long append_board_card_to_deck_record(int deck, int card, int location, int hidden) {
    return append_fields(history_code_board_card, 1,
                         {player_now(), card, 1, location, hidden != 0 ? 1 : 0, deck});
}
long append_board_card_flip_record(int card, int face_down_before, int face_down_after) {
    if (!valid_piece(card)) return -1;
    return append_fields(history_code_board_card, 3,
                         {player_now(), card, 3, piece_at(card).location, face_down_before != 0 ? 1 : 0,
                          face_down_after != 0 ? 1 : 0});
}

long append_piece_order_record(int old_index, int new_index) {
    return append_fields(history_code_piece_order, 0, {old_index, new_index});
}

long append_los_reveal_record() {
    return append_slot_reveal(history_code_los_reveal);
}
long append_range_reveal_record() {
    return append_slot_reveal(history_code_range_reveal);
}

long append_game_saved_record() {
    return append_history_record(0, history_code_game_saved);
}

long append_remove_piece_record(int piece, int location, int to_pool, int pool) {
    if (!valid_piece(piece) || !valid_class(piece_at(piece).class_index)) return -1;
    const piece_struct& p = piece_at(piece);
    int flag = to_pool != 0 ? 1 : 0;
    return append_fields(history_code_remove_piece, 0,
                         {hidden_of(piece), piece, p.class_index, symbol_of(p.class_index), location, flag,
                          flag ? pool : 0, name_of(p.name), name_of(class_at(p.class_index).name)});
}

long append_group_placement_record(int location, int first_piece,
                                   std::span<const std::pair<std::int32_t, std::int32_t>> groups) {
    std::int64_t total = 0;
    for (const auto& g : groups)
        total += g.second;
    if (total < 2) return -1;
    std::vector<field_value> values{total, location, player_now(), static_cast<std::int64_t>(groups.size())};
    for (const auto& g : groups)
        values.insert(values.end(), {g.first, g.second});
    values.emplace_back(first_piece);
    return append_fields(history_code_add_group, 0, values);
}
