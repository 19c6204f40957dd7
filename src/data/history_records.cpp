#include "history_records.h"

#include "data/command_state.h"
#include "data/records.h"

#include <cstring>

namespace {

using ft = field_type;
using fr = field_role;

constexpr layout_step num(const char* n, fr r = fr::none) {
    return {n, ft::num2, r};
}
constexpr layout_step byte1(const char* n, fr r = fr::none) {
    return {n, ft::byte, r};
}
constexpr layout_step count2(const char* n, std::int32_t max = 0) {
    return {n, ft::num2, fr::count, 0, -1, -1, max};
}
constexpr layout_step count1(const char* n, std::int32_t max = 0) {
    return {n, ft::byte, fr::count, 0, -1, -1, max};
}
constexpr layout_step group(const char* n, std::uint8_t steps, std::int8_t a, std::int8_t b = -1) {
    return {n, ft::group, fr::none, steps, a, b, 0};
}
constexpr layout_step player() {
    return {"player", ft::player, fr::player};
}
constexpr layout_step sub_code() {
    return {"sub", ft::byte, fr::sub_code};
}
constexpr layout_step name(const char* n) {
    return {n, ft::name, fr::text};
}
constexpr layout_step raw(const char* n, std::uint8_t size) {
    return {n, ft::raw, fr::none, size};
}

constexpr layout_step move_steps[] = {byte1("hidden", fr::hidden),
                                      count2("pieces", selected_pieces_capacity),
                                      count2("hexes", move_path_capacity),
                                      num("start", fr::location),
                                      group("moved", 3, 1),
                                      num("piece", fr::piece),
                                      num("class", fr::class_index),
                                      num("symbol", fr::symbol),
                                      group("path", 1, 2),
                                      num("hex", fr::location)};
constexpr layout_step combat_steps[] = {count2("attackers", combat_list_capacity),
                                        count2("defenders", combat_list_capacity),
                                        group("fighters", 4, 0, 1),
                                        num("piece", fr::piece),
                                        num("class", fr::class_index),
                                        num("symbol", fr::symbol),
                                        num("location", fr::location)};
// The version-1 removal and the addition of a piece share one layout.
constexpr layout_step add_piece_steps[] = {byte1("hidden", fr::hidden),
                                           num("piece", fr::piece),
                                           num("class", fr::class_index),
                                           num("symbol", fr::symbol),
                                           num("location", fr::location),
                                           byte1("pool flag"),
                                           byte1("pool", fr::pool),
                                           name("piece name"),
                                           name("class name")};
constexpr layout_step change_class_steps[] = {byte1("hidden", fr::hidden),
                                              num("piece", fr::piece),
                                              num("old class", fr::class_index),
                                              num("old symbol", fr::symbol),
                                              num("new class", fr::class_index),
                                              num("new symbol", fr::symbol),
                                              num("location", fr::location),
                                              name("piece name"),
                                              name("old class name"),
                                              name("new class name")};
constexpr layout_step change_value_steps[] = {
    byte1("hidden", fr::hidden), byte1("kind"),       byte1("slot"),     raw("old value", 4),
    byte1("old type"),           raw("new value", 4), byte1("new type"), num("index", fr::piece_or_class)};
constexpr layout_step die_roll_steps[] = {count2("dice"), num("sides"), group("results", 1, 0), num("result"),
                                          byte1("comment flag")};
constexpr layout_step comment_steps[] = {
    player(), byte1("kind"), count2("length", history_num2_max), {"text", ft::counted_bytes, fr::text, 0, 2}};
constexpr layout_step combat_block_steps[] = {num("combats")};
constexpr layout_step delete_class_steps[] = {num("class", fr::class_index), num("symbol", fr::symbol)};
constexpr layout_step reveal_steps[] = {player(), count1("entries", history_byte_max),
                                        group("revealed", 2, 1), byte1("owner"), num("piece", fr::piece)};
constexpr layout_step change_hidden_steps[] = {
    player(), num("piece", fr::piece), byte1("old hidden", fr::hidden), byte1("new hidden", fr::hidden)};
constexpr layout_step delete_pool_steps[] = {raw("data", 4)};
// Code 15: player, deck, sub-code, then by sub-code.
constexpr layout_step deck_added_steps[] = {player(), num("deck", fr::pool), sub_code(), num("cards"),
                                            byte1("visibility")};
constexpr layout_step deck_shuffled_steps[] = {player(), num("deck", fr::pool), sub_code()};
constexpr layout_step deck_sorted_steps[] = {player(),      num("deck", fr::pool), sub_code(),
                                             num("sorted"), num("in deck"),        byte1("placement")};
constexpr layout_step deck_dealt_steps[] = {player(),     num("deck", fr::pool), sub_code(),
                                            num("dealt"), byte1("all dealt"),    byte1("hands")};
constexpr layout_step deck_played_steps[] = {
    player(),     num("deck", fr::pool), sub_code(), num("card", fr::piece), num("location", fr::location),
    byte1("face")};
// Code 16: player, hand, sub-code, then by sub-code.
constexpr layout_step hand_card_steps[] = {
    player(),       num("hand", fr::pool), sub_code(), num("other pool", fr::pool), byte1("position"),
    byte1("known"), num("card", fr::piece)};
constexpr layout_step hand_added_steps[] = {player(), num("hand", fr::pool), sub_code(), num("owner")};
constexpr layout_step hand_played_steps[] = {
    player(),     num("hand", fr::pool), sub_code(), num("card", fr::piece), num("location", fr::location),
    byte1("face")};
// Code 17: player, card, sub-code, then by sub-code.
constexpr layout_step board_card_removed_steps[] = {player(),
                                                    num("card", fr::piece),
                                                    sub_code(),
                                                    num("location", fr::location),
                                                    byte1("hidden", fr::hidden),
                                                    num("pool", fr::pool)};
constexpr layout_step board_card_flip_steps[] = {player(),        num("card", fr::piece),
                                                 sub_code(),      num("location", fr::location),
                                                 byte1("before"), byte1("after")};
constexpr layout_step piece_order_steps[] = {num("old index", fr::piece_order),
                                             num("new index", fr::piece_order)};
constexpr layout_step slot_reveal_steps[] = {
    player(), count2("pieces", max_pieces), {"hidden states", ft::counted_bytes, fr::hidden_by_slot, 0, 1}};
constexpr layout_step pool_pick_steps[] = {player(), raw("data", 5)};
constexpr layout_step remove_piece_steps[] = {byte1("hidden", fr::hidden),
                                              num("piece", fr::piece),
                                              num("class", fr::class_index),
                                              num("symbol", fr::symbol),
                                              num("location", fr::location),
                                              byte1("pool flag"),
                                              num("pool", fr::pool),
                                              name("piece name"),
                                              name("class name")};
constexpr layout_step add_group_steps[] = {
    num("total"),           num("location", fr::location), player(),     count2("groups", max_classes),
    group("classes", 2, 3), num("class", fr::class_index), num("count"), num("first piece", fr::piece)};

const record_layout layouts[] = {
    {history_code_move, 0, "move", move_steps},
    {history_code_combat, 0, "combat", combat_steps},
    {history_code_remove_piece_v1, 0, "remove piece (version 1)", add_piece_steps},
    {history_code_add_piece, 0, "add piece", add_piece_steps},
    {history_code_change_class, 0, "change class", change_class_steps},
    {history_code_change_value, 0, "change value", change_value_steps},
    {history_code_die_roll, 0, "die roll", die_roll_steps},
    {history_code_comment, 0, "comment", comment_steps},
    {history_code_begin_multiple_combats, 0, "begin multiple combats", combat_block_steps},
    {history_code_end_multiple_combats, 0, "end multiple combats", {}},
    {history_code_delete_class, 0, "delete class", delete_class_steps},
    {history_code_move_reveal, 0, "move reveal", reveal_steps},
    {history_code_range_reveal_list, 0, "range reveal list", reveal_steps},
    {history_code_change_hidden, 0, "change hidden", change_hidden_steps},
    {history_code_delete_pool, 0, "delete pool", delete_pool_steps},
    {history_code_deck, 1, "new deck added", deck_added_steps},
    {history_code_deck, 2, "deck shuffled", deck_shuffled_steps},
    {history_code_deck, 3, "deck sorted", deck_sorted_steps},
    {history_code_deck, 4, "cards dealt from deck", deck_dealt_steps},
    {history_code_deck, 5, "card played from deck", deck_played_steps},
    {history_code_hand, 1, "card taken from deck", hand_card_steps},
    {history_code_hand, 2, "card returned to deck", hand_card_steps},
    {history_code_hand, 3, "card given to another hand", hand_card_steps},
    {history_code_hand, 4, "card taken from hand", hand_card_steps},
    {history_code_hand, 5, "hand added to game", hand_added_steps},
    {history_code_hand, 6, "card played from hand", hand_played_steps},
    {history_code_board_card, 1, "card removed to deck", board_card_removed_steps},
    {history_code_board_card, 2, "card removed to hand", board_card_removed_steps},
    {history_code_board_card, 3, "card flipped on board", board_card_flip_steps},
    {history_code_piece_order, 0, "piece order", piece_order_steps},
    {history_code_los_reveal, 0, "reveal by line of sight", slot_reveal_steps},
    {history_code_pool_pick, 0, "pool pick", pool_pick_steps},
    {history_code_pool_return, 0, "pool return", pool_pick_steps},
    {history_code_game_saved, 0, "game saved", {}},
    {history_code_remove_piece, 0, "remove piece", remove_piece_steps},
    {history_code_add_group, 0, "add group", add_group_steps},
    {history_code_range_reveal, 0, "reveal by range", slot_reveal_steps},
};

std::size_t fixed_size(ft type, const layout_step& s) {
    switch (type) {
    case ft::byte:
    case ft::player:
        return 1;
    case ft::num2:
        return 2;
    case ft::raw:
        return s.size;
    default:
        return 0;
    }
}

// Walks steps [first, last) once; nested groups do not occur in the table.
struct payload_cursor {
    const std::uint8_t* data;
    std::size_t end;
    std::size_t pos;
    const record_layout& layout;
    const std::function<void(const field_visit&)>& visitor;
    std::vector<std::int64_t> values; // last value of each step

    history_walk_status step(int index, int repeat) {
        const layout_step& s = layout.steps[static_cast<std::size_t>(index)];
        field_visit v{&s, index, repeat, pos, 0, 0};
        switch (s.type) {
        case ft::byte:
        case ft::player:
        case ft::num2:
        case ft::raw: {
            std::size_t n = fixed_size(s.type, s);
            if (end - pos < n) return history_walk_status::truncated;
            v.size = n;
            if (s.type == ft::num2) {
                std::uint8_t hi = data[pos], lo = data[pos + 1];
                v.value = hi * 250 + lo;
                if (s.role == fr::count && (hi >= 250 || lo >= 250)) return history_walk_status::over_count;
            } else if (s.type != ft::raw) {
                v.value = data[pos];
            }
            if (s.role == fr::count && s.max_count > 0 && v.value > s.max_count)
                return history_walk_status::over_count;
            break;
        }
        case ft::name: {
            std::size_t n = 0;
            while (n < 25 && pos + n < end && data[pos + n] != 0)
                ++n;
            if (n < 25) {
                if (pos + n >= end) return history_walk_status::truncated;
                ++n; // the terminating 0
            }
            v.size = n;
            break;
        }
        case ft::counted_bytes: {
            std::int64_t n = values[static_cast<std::size_t>(s.count_a)];
            if (n < 0 || static_cast<std::uint64_t>(n) > end - pos) return history_walk_status::over_count;
            v.size = static_cast<std::size_t>(n);
            break;
        }
        case ft::group:
            return history_walk_status::ok; // handled by the caller
        }
        values[static_cast<std::size_t>(index)] = v.value;
        if (visitor) visitor(v);
        pos += v.size;
        return history_walk_status::ok;
    }

    history_walk_status run() {
        values.assign(layout.steps.size(), 0);
        const int steps = static_cast<int>(layout.steps.size());
        for (int i = 0; i < steps; ++i) {
            const layout_step& s = layout.steps[static_cast<std::size_t>(i)];
            if (s.type != ft::group) {
                if (auto st = step(i, 0); st != history_walk_status::ok) return st;
                continue;
            }
            std::int64_t count = values[static_cast<std::size_t>(s.count_a)];
            if (s.count_b >= 0) count += values[static_cast<std::size_t>(s.count_b)];
            // Every item takes at least one byte, so a count beyond the bytes left is damage
            // found before the loop runs.
            if (count < 0 || static_cast<std::uint64_t>(count) > end - pos)
                return history_walk_status::over_count;
            for (std::int64_t r = 0; r < count; ++r)
                for (int k = 1; k <= s.size; ++k)
                    if (auto st = step(i + k, static_cast<int>(r)); st != history_walk_status::ok)
                        return st == history_walk_status::truncated ? history_walk_status::over_count : st;
            i += s.size;
        }
        return history_walk_status::ok;
    }
};

} // namespace

const record_layout* history_layout(int code, int sub) {
    if (!history_code_has_sub_code(code)) sub = 0;
    for (const auto& l : layouts)
        if (l.code == code && l.sub == sub) return &l;
    return nullptr;
}

bool history_code_has_sub_code(int code) {
    return code == history_code_deck || code == history_code_hand || code == history_code_board_card;
}

std::span<const record_layout> all_history_layouts() {
    return layouts;
}

history_walk_status walk_record_fields(const std::uint8_t* data, std::size_t end, std::size_t payload,
                                       const record_layout& layout, std::size_t& length,
                                       const std::function<void(const field_visit&)>& visitor) {
    if (payload > end) return history_walk_status::truncated;
    payload_cursor c{data, end, payload, layout, visitor, {}};
    auto st = c.run();
    if (st == history_walk_status::ok) length = c.pos - payload;
    return st;
}

std::optional<std::size_t> history_header_length(const std::uint8_t* data, std::size_t end) {
    if (end < 2) return std::nullopt;
    if (data[0] >= 250 || data[1] >= 250) return std::nullopt;
    std::size_t n = static_cast<std::size_t>(data[0]) * 250 + data[1];
    std::size_t length = 2 + 5 * n + 2;
    if (length > end) return std::nullopt;
    return length;
}

history_walker::history_walker(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {
    if (size_ == 0 || data_[size_ - 1] != 0xFE) {
        status_ = history_walk_status::missing_end;
        return;
    }
    end_ = size_ - 1;
    auto h = history_header_length(data_, end_);
    if (!h) {
        status_ = history_walk_status::bad_header;
        return;
    }
    header_ = *h;
    pos_ = header_;
}

bool history_walker::seek(std::size_t position) {
    if (status_ != history_walk_status::ok || position < header_ || position > end_) return false;
    pos_ = position;
    return true;
}

namespace {
// Reads the record that starts at `pos`; nothing at or past `end` is read.
history_walk_status read_record(const std::uint8_t* data, std::size_t end, std::size_t pos,
                                history_record& out) {
    if (data[pos] != 0xFD) return history_walk_status::missing_marker;
    if (end - pos < 2) return history_walk_status::truncated;
    history_record r;
    r.start = pos;
    r.code = data[pos + 1];
    r.payload = pos + 2;
    if (history_code_has_sub_code(r.code)) {
        if (end - r.payload <= history_sub_code_offset) return history_walk_status::truncated;
        r.sub = data[r.payload + history_sub_code_offset];
    }
    r.layout = history_layout(r.code, r.sub);
    if (!r.layout) return history_walk_status::unknown_code;
    auto st = walk_record_fields(data, end, r.payload, *r.layout, r.length);
    if (st == history_walk_status::ok) out = r;
    return st;
}
} // namespace

bool history_walker::next(history_record& record) {
    if (status_ != history_walk_status::ok) return false;
    if (pos_ == end_) {
        status_ = history_walk_status::end;
        return false;
    }
    history_record r;
    status_ = read_record(data_, end_, pos_, r);
    if (status_ != history_walk_status::ok) return false;
    pos_ = r.next();
    record = r;
    return true;
}

std::optional<std::size_t> history_stream_length(const std::uint8_t* data, std::size_t size) {
    auto h = history_header_length(data, size);
    if (!h) return std::nullopt;
    std::size_t pos = *h;
    while (pos < size) {
        if (data[pos] == 0xFE) return pos + 1;
        history_record r;
        if (read_record(data, size, pos, r) != history_walk_status::ok) return std::nullopt;
        pos = r.next();
    }
    return std::nullopt;
}

std::optional<std::vector<history_record>> walk_history(const byte_vector& stream,
                                                        history_walk_status* status) {
    history_walker w(stream);
    std::vector<history_record> out;
    history_record r;
    while (w.next(r))
        out.push_back(r);
    if (status) *status = w.status();
    if (w.status() != history_walk_status::end) return std::nullopt;
    return out;
}

std::optional<field_visit> record_field(const byte_vector& stream, const history_record& record,
                                        const char* name, int repeat) {
    if (!record.layout || stream.empty() || record.next() >= stream.size()) return std::nullopt;
    std::optional<field_visit> found;
    std::size_t length = 0;
    walk_record_fields(stream.data(), stream.size() - 1, record.payload, *record.layout, length,
                       [&](const field_visit& v) {
                           if (!found && v.repeat == repeat && std::strcmp(v.step->name, name) == 0)
                               found = v;
                       });
    return found;
}

bool encode_record(const record_layout& layout, const std::vector<field_value>& values, byte_vector& out) {
    out.clear();
    std::size_t next_value = 0;
    std::vector<std::int64_t> step_values(layout.steps.size(), 0);
    auto put = [&](int index) -> bool {
        const layout_step& s = layout.steps[static_cast<std::size_t>(index)];
        if (next_value >= values.size()) return false;
        const field_value& v = values[next_value++];
        switch (s.type) {
        case ft::byte:
            if (v.number < 0 || v.number > history_byte_max) return false;
            out.push_back(static_cast<std::uint8_t>(v.number));
            break;
        case ft::player:
            if (v.number != history_visitor && v.number != history_no_player &&
                (v.number < 0 || v.number >= max_players))
                return false;
            out.push_back(static_cast<std::uint8_t>(v.number));
            break;
        case ft::num2:
            if (v.number < 0 || v.number > history_num2_max) return false;
            out.push_back(static_cast<std::uint8_t>(v.number / 250));
            out.push_back(static_cast<std::uint8_t>(v.number % 250));
            break;
        case ft::raw:
            if (v.bytes.size() != s.size) return false;
            out.insert(out.end(), v.bytes.begin(), v.bytes.end());
            break;
        case ft::name: {
            std::size_t n = 0;
            while (n < v.bytes.size() && n < 25 && v.bytes[n] != 0)
                ++n;
            out.insert(out.end(), v.bytes.begin(), v.bytes.begin() + static_cast<std::ptrdiff_t>(n));
            if (n < 25) out.push_back(0);
            break;
        }
        case ft::counted_bytes:
            if (static_cast<std::int64_t>(v.bytes.size()) != step_values[static_cast<std::size_t>(s.count_a)])
                return false;
            out.insert(out.end(), v.bytes.begin(), v.bytes.end());
            break;
        case ft::group:
            return false;
        }
        if (s.role == fr::count && s.max_count > 0 && v.number > s.max_count) return false;
        step_values[static_cast<std::size_t>(index)] = v.number;
        return true;
    };
    const int steps = static_cast<int>(layout.steps.size());
    for (int i = 0; i < steps; ++i) {
        const layout_step& s = layout.steps[static_cast<std::size_t>(i)];
        if (s.type != ft::group) {
            if (!put(i)) return false;
            continue;
        }
        std::int64_t count = step_values[static_cast<std::size_t>(s.count_a)];
        if (s.count_b >= 0) count += step_values[static_cast<std::size_t>(s.count_b)];
        for (std::int64_t r = 0; r < count; ++r)
            for (int k = 1; k <= s.size; ++k)
                if (!put(i + k)) return false;
        i += s.size;
    }
    return next_value == values.size();
}

std::uint8_t history_player_byte(int player) {
    return player >= 0 && player < max_players ? static_cast<std::uint8_t>(player) : history_visitor;
}
