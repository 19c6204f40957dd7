#include "combat_summary.h"

#include "data/command_state.h"
#include "data/game_settings.h"
#include "data/records.h"
#include "players/visibility.h"

#include <algorithm>
#include <optional>

namespace {

std::int32_t signed_value(const std::array<std::uint8_t, 4>& v) {
    const std::uint32_t u = (std::uint32_t{v[0]} << 24) | (std::uint32_t{v[1]} << 16) |
                            (std::uint32_t{v[2]} << 8) | std::uint32_t{v[3]};
    return static_cast<std::int32_t>(u);
}

struct side_totals {
    std::optional<std::int64_t> class_sum[8], piece_sum[8];
    int pieces = 0, hexes = 0, left_out = 0;
};

side_totals add_up(const std::int32_t* list) {
    side_totals t;
    std::vector<std::int32_t> hexes;
    const std::uint8_t cmask = game_settings.combat_summary_class_mask,
                       pmask = game_settings.combat_summary_piece_mask;
    for (int i = 0; i < combat_list_capacity && list[i] != -1; ++i) {
        const std::int32_t p = list[i];
        ++t.pieces;
        if (p < 0 || static_cast<std::size_t>(p) >= game->piece_array.size()) continue;
        const piece_struct& piece = game->piece_array[static_cast<std::size_t>(p)];
        if (std::find(hexes.begin(), hexes.end(), piece.location) == hexes.end() && hexes.size() < 500)
            hexes.push_back(piece.location);
        const int known = combat_value_visibility(p);
        const bool class_ok =
            piece.class_index >= 0 && static_cast<std::size_t>(piece.class_index) < game->class_array.size();
        const bool wants_class = cmask != 0, wants_piece = pmask != 0;
        if ((wants_class && known < 2) || (wants_piece && known < 3)) ++t.left_out;
        for (int k = 0; k < 8; ++k) {
            if ((cmask & (1 << k)) && known >= 2 && class_ok) {
                const class_struct& c = game->class_array[static_cast<std::size_t>(piece.class_index)];
                if (c.value_types[k] == 1)
                    t.class_sum[k] = t.class_sum[k].value_or(0) + signed_value(c.values[k]);
            }
            if ((pmask & (1 << k)) && known >= 3 && piece.value_types[k] == 1)
                t.piece_sum[k] = t.piece_sum[k].value_or(0) + signed_value(piece.values[k]);
        }
    }
    t.hexes = static_cast<int>(hexes.size());
    return t;
}

std::string side_text(const side_totals& t, const char* what) {
    std::string s = std::to_string(t.pieces) + what + (t.pieces > 1 ? "s" : "") + " in " +
                    std::to_string(t.hexes) + " Hex" + (t.hexes > 1 ? "es" : "");
    if (t.left_out > 0) s += "  (" + std::to_string(t.left_out) + " hidden, not in the sums)";
    return s;
}

std::string total_text(const std::optional<std::int64_t>& v) {
    return v ? std::to_string(*v) : "-";
}

} // namespace

int combat_value_visibility(std::int32_t piece) {
    if (game_settings.reveal_during_combat) return 3;
    const int v = get_piece_visibility(piece);
    return v >= 2 ? v : 0;
}

combat_summary make_combat_summary() {
    const side_totals a = add_up(attacker_list), d = add_up(defender_list);
    combat_summary s;
    s.attack_text = side_text(a, " Attacking Piece");
    s.defend_text = side_text(d, " Defending Piece");
    s.attackers_left_out = a.left_out;
    s.defenders_left_out = d.left_out;
    bool class_rows = false;
    for (int k = 0; k < 8; ++k)
        if (game_settings.combat_summary_class_mask & (1 << k)) {
            s.rows.push_back({name_of(game->class_value_names[k]) + " (C)", total_text(a.class_sum[k]),
                              total_text(d.class_sum[k])});
            class_rows = true;
        }
    if (class_rows) s.rows.push_back({" ", "", ""});
    for (int k = 0; k < 8; ++k)
        if (game_settings.combat_summary_piece_mask & (1 << k))
            s.rows.push_back({name_of(game->piece_value_names[k]) + " (U)", total_text(a.piece_sum[k]),
                              total_text(d.piece_sum[k])});
    return s;
}
