#include "piece_actions.h"

#include "piece_order.h"

#include "data/command_state.h"
#include "data/current_player.h"
#include "data/history_stream.h"
#include "data/records.h"
#include "players/visibility.h"

#include <algorithm>

std::function<void(std::int32_t)> place_pieces_at_hex_hook;
std::function<void(std::span<const std::int32_t>)> remove_pieces_hook;
std::function<void(std::span<const std::int32_t>, bool)> flip_pieces_hook;
std::function<void(std::int32_t)> piece_order_form_hook;
std::function<void(std::int32_t)> facing_dial_hook;

namespace {
bool stands_in(const piece_struct& p, std::int32_t hex) {
    return p.location == hex && !p.in_pool();
}
} // namespace

std::vector<action_row> build_action_rows(std::int32_t hex, bool with_cards) {
    std::vector<action_row> rows;
    int n = 0;
    const auto& pieces = game->piece_array;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(pieces.size()));
    for (int i = 0; i < end && n < action_selection_capacity - 1; ++i) {
        const piece_struct& p = pieces[static_cast<std::size_t>(i)];
        if (!stands_in(p, hex) || (!with_cards && p.is_card())) continue;
        action_selection[n++] = i;
        const int v = get_piece_visibility(i);
        if (v != visibility_none) rows.push_back({i, v});
    }
    action_selection[n] = -1;
    return rows;
}

std::string flags_text(std::uint8_t flags, std::uint8_t hidden) {
    std::string t;
    if (flags & (piece_flag_attacked | piece_flag_defended | piece_flag_moved)) {
        if (flags & piece_flag_moved) {
            t = "M";
            if (flags & piece_flag_attacked) t += "A";
            if (flags & piece_flag_defended) t += "D";
        } else {
            if (flags & piece_flag_attacked) t = "  A";
            if (flags & piece_flag_defended) t = "  D";
        }
    }
    if (hidden == 1) t += "h";
    if (hidden == 2) t += "H";
    return t;
}

std::string facing_text(int code) {
    if (code == 0) return "None";
    struct direction {
        const char* text;
        std::initializer_list<int> codes;
    };
    static const direction directions[] = {
        {"N", {1, 10, 40}}, {"NE", {5, 11, 20, 30, 41}}, {"E", {2, 21, 31}}, {"SE", {6, 12, 22, 32, 42}},
        {"S", {3, 13, 43}}, {"SW", {7, 14, 23, 33, 44}}, {"W", {4, 24, 34}}, {"NW", {8, 15, 25, 35, 45}}};
    for (const auto& d : directions)
        if (std::find(d.codes.begin(), d.codes.end(), code) != d.codes.end()) {
            const bool side = code < 5 || (code >= 10 && code <= 19) || (code >= 30 && code <= 39);
            return std::string(d.text) + " " + (side ? " " : "*");
        }
    return "";
}

action_buttons compute_action_buttons(const std::vector<action_row>& rows, const std::vector<bool>& marked,
                                      bool hex_has_pieces, int mode) {
    action_buttons b;
    b.add = true;
    if (hex_has_pieces && !rows.empty()) {
        b.sort = rows.size() >= 2;
        for (std::size_t i = 0; i < rows.size() && i < 100; ++i) {
            if (rows[i].visibility >= visibility_info_hidden) {
                b.flip = b.remove = b.move = b.attack = b.defend = true;
                break;
            }
            if (rows[i].visibility == visibility_hidden) b.remove = b.move = b.attack = b.defend = true;
        }
    }
    if (mode == 2) b.flip = b.remove = b.move = b.attack = b.defend = b.add = false;
    if (mode == 3) b.flip = b.move = false;
    if (std::none_of(marked.begin(), marked.end(), [](bool m) { return m; }))
        b.flip = b.remove = b.move = b.attack = b.defend = false;
    return b;
}

std::vector<int> action_column_widths(int w, bool facing_shown, std::vector<int>& remembered) {
    static const int shares_7[] = {15, 113, 123, 45, 123, 123, 79};
    static const int shares_8[] = {15, 43, 103, 118, 45, 113, 113, 71};
    const int* shares = facing_shown ? shares_8 : shares_7;
    const std::size_t n = facing_shown ? 8 : 7;
    remembered.resize(n, 0);
    long long sum = 0;
    for (int r : remembered)
        if (r > 0) sum += r;
    long long left = 0;
    if (sum > w)
        std::fill(remembered.begin(), remembered.end(), 0);
    else
        left = w - sum;
    std::vector<int> widths(n, 0);
    long long used = 0;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        // Single-precision shares, as the layout always had them: 14 for the mark column at 621.
        const float share = static_cast<float>(shares[k]) / 621.0f;
        widths[k] = remembered[k] > 0 ? remembered[k] + static_cast<int>(share * static_cast<float>(left))
                                      : static_cast<int>(share * static_cast<float>(w));
        used += widths[k];
    }
    widths[n - 1] = static_cast<int>(std::max<long long>(0, w - 18 - used));
    return widths;
}

bool may_change_hidden_state(std::int32_t piece) {
    if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) return false;
    const int c = game->piece_array[static_cast<std::size_t>(piece)].class_index;
    if (c < 0 || static_cast<std::size_t>(c) >= game->class_array.size()) return false;
    const int owner = game->class_array[static_cast<std::size_t>(c)].owner;
    const player_struct* owner_record = owner < owner_all_players ? player_record(owner) : nullptr;
    if (!owner_record || owner_record->flags == 0) return false;
    const player_struct* me = current_player >= 0 ? player_record(current_player) : nullptr;
    return owner == current_player || (me && (me->flags & player_flag_game_master));
}

bool change_hidden_state(std::int32_t piece, int state) {
    if (!may_change_hidden_state(piece) || state < 0 || state > 2) return false;
    piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
    if (p.hidden == state) return false;
    const int old = p.hidden;
    p.hidden = static_cast<std::uint8_t>(state);
    append_hidden_change_record(current_player, piece, old, state);
    game_modified = 1;
    return true;
}

void move_piece_to_top_of_stack(std::int32_t piece) {
    const auto& pieces = game->piece_array;
    if (piece < 0 || static_cast<std::size_t>(piece) >= pieces.size()) return;
    const piece_struct& p = pieces[static_cast<std::size_t>(piece)];
    if (p.in_pool()) return;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(pieces.size()));
    for (int i = 0; i < end; ++i) {
        const piece_struct& q = pieces[static_cast<std::size_t>(i)];
        if (stands_in(q, p.location) && !q.is_card()) {
            if (i != piece) move_piece_in_order(piece, i, true);
            return;
        }
    }
}

int count_cards_in_hex(std::int32_t hex) {
    int n = 0;
    for (const piece_struct& p : game->piece_array)
        if (stands_in(p, hex) && p.is_card()) ++n;
    return n;
}
