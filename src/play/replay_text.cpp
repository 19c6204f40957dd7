#include "replay_text.h"

#include "data/hex_geometry.h"
#include "data/records.h"
#include "data/value_text.h"
#include "history/replay.h"
#include "players/visibility.h"

#include <string_view>

namespace {

std::string hex_text(std::int64_t hex) {
    return hex >= 0 && hex < 62500 ? hex_coordinate_label(static_cast<std::int32_t>(hex)) : std::string();
}

// A player byte of a record: a player's name, or "Visitor" for 250, 255 and anyone who is none.
std::string player_text(std::int64_t player) {
    return player >= 0 && player < max_players && player_record(static_cast<int>(player))
               ? player_display_name(static_cast<int>(player))
               : "Visitor";
}

std::string owner_of_piece(std::int64_t piece) {
    const piece_struct* p = piece_record(static_cast<int>(piece));
    const class_struct* c = p ? class_record(p->class_index) : nullptr;
    return c ? player_text(c->owner) : "Visitor";
}

std::string hidden_text(std::int64_t state) {
    return state == 0 ? " NOT Hidden" : state == 1 ? " INFO Hidden" : " HIDDEN";
}

std::string value_type_text(std::int64_t type) {
    switch (type) {
    case 1:
        return "  (Numeric)";
    case 2:
        return "  (Alpha)";
    case 3:
        return "  (Yes/No)";
    default:
        return "  (Not Used)";
    }
}

replay_display paused(std::string title, std::vector<std::string> lines) {
    replay_display d;
    d.title = std::move(title);
    d.lines = std::move(lines);
    d.shown = true;
    d.pause = true;
    return d;
}

replay_display describe_move(const record_fields& f) {
    const auto pieces = f.numbers("piece");
    const auto path = f.numbers("hex");
    const std::size_t n = pieces.size();
    if (pieces.empty() || !can_view_piece(pieces.front())) {
        return paused("Hidden Pieces Moving",
                      {"Player: " + owner_of_piece(pieces.empty() ? -1 : pieces.front()),
                       " Moving " + std::to_string(n) + " Pieces", "Movement path not shown."});
    }
    const piece_struct* first = piece_record(static_cast<int>(pieces.front()));
    const bool cards = first && first->is_card();
    const char* what = cards ? (n == 1 ? " card moving from  [" : " cards moving from  [")
                             : (n == 1 ? " piece moving from  [" : " pieces moving from  [");
    replay_display d =
        paused("Movement Replay",
               {std::to_string(n) + what + hex_text(f.number("start")) + "]  to  [" +
                    hex_text(path.empty() ? -1 : path.back()) + "]",
                "( " + std::to_string(path.size()) + (path.size() == 1 ? " move )" : " moves )")});
    d.marks = true;
    d.sound_before = game_sound::move;
    d.sound_after = game_sound::move_done;
    return d;
}

std::string piece_words(std::int64_t piece, const std::string& class_name, const std::string& piece_name) {
    if (!can_view_piece(piece)) return "Hidden/Unknown Piece";
    return class_name + "  " + piece_name;
}

replay_display describe_piece_record(const history_record& r, const record_fields& f) {
    const std::int64_t piece = f.number("piece");
    const std::string who = piece_words(piece, f.bytes("class name"), f.bytes("piece name"));
    const std::string at = hex_text(f.number("location"));
    const bool pooled = f.number("pool flag") != 0;
    const std::int64_t pool = f.number("pool");
    const std::string pool_name = pool >= 0 && static_cast<std::size_t>(pool) + 1 < game->pool_array.size()
                                      ? name_of(game->pool_array[static_cast<std::size_t>(pool)].name)
                                      : std::string();
    replay_display d;
    if (r.code == history_code_add_piece) {
        d = paused(" Piece Added To Board ", {who, "  Added to  [" + at + "]"});
        if (pooled) d.lines.push_back("From pool:  " + pool_name);
    } else {
        d = paused(" Piece Removed From Board ", {who, "  Removed from  [" + at + "]"});
        if (pooled) d.lines.push_back("To pool:  " + pool_name);
        d.sound_before = game_sound::remove;
    }
    d.marks = can_view_piece(piece);
    return d;
}

} // namespace

bool can_view_piece(std::int64_t piece) {
    if (piece < 0 || piece >= game->piece_end_index ||
        static_cast<std::size_t>(piece) >= game->piece_array.size())
        return false;
    const piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
    if (p.class_index < 0 || static_cast<std::size_t>(p.class_index) >= class_end_index()) return false;
    return get_piece_visibility(static_cast<int>(piece)) >= visibility_info_hidden + 1 ||
           game->class_array[static_cast<std::size_t>(p.class_index)].owner == owner_all_players;
}

replay_display describe_replay_record(const byte_vector& stream, const history_record& r) {
    record_fields f;
    if (!read_record_fields(stream, r, f)) return {};
    switch (r.code) {
    case history_code_move:
        return describe_move(f);
    case history_code_combat: {
        replay_display d;
        d.shown = true; // the combat summary shows it
        d.marks = true;
        return d;
    }
    case history_code_remove_piece_v1:
    case history_code_remove_piece:
    case history_code_add_piece:
        return describe_piece_record(r, f);
    case history_code_change_class: {
        const std::int64_t piece = f.number("piece");
        replay_display d = paused(" Piece Flipped or Class Changed ",
                                  {piece_words(piece, f.bytes("old class name"), f.bytes("piece name")),
                                   "  At  [" + hex_text(f.number("location")) + "]"});
        if (can_view_piece(piece)) {
            d.lines.push_back("Changed from:  " + f.bytes("old class name"));
            d.lines.push_back("  To:  " + f.bytes("new class name"));
            d.marks = true;
        }
        d.sound_before = game_sound::flip;
        return d;
    }
    case history_code_change_value: {
        const std::int64_t kind = f.number("kind");
        const bool of_piece = kind == 'U' || kind == 'u';
        const std::string old = f.bytes("old value"), now = f.bytes("new value");
        std::array<std::uint8_t, 4> a{}, b{};
        for (std::size_t i = 0; i < 4 && i < old.size(); ++i)
            a[i] = static_cast<std::uint8_t>(old[i]);
        for (std::size_t i = 0; i < 4 && i < now.size(); ++i)
            b[i] = static_cast<std::uint8_t>(now[i]);
        const std::int64_t index = f.number("index");
        if (of_piece && !can_view_piece(index)) return paused(" Value Changed:", {"Hidden/Unknown Piece"});
        replay_display d =
            paused(of_piece ? " Value Changed:" : " Value Changed: Class",
                   {"FROM:  " + format_class_value(static_cast<std::uint8_t>(f.number("old type")), a) +
                        value_type_text(f.number("old type")),
                    "TO:  " + format_class_value(static_cast<std::uint8_t>(f.number("new type")), b) +
                        value_type_text(f.number("new type"))});
        d.marks = of_piece;
        return d;
    }
    case history_code_begin_multiple_combats:
        return paused("Begin Multiple Combats",
                      {"The following " + std::to_string(f.number("combats")) +
                       " combats were identified\n\ras a group before being resolved."});
    case history_code_end_multiple_combats:
        return paused("End Multiple Combats", {"This batch of multiple combats is concluded."});
    case history_code_move_reveal: {
        const auto pieces = f.numbers("piece");
        return paused("Moving Piece Reveals Hidden Enemy",
                      {std::to_string(pieces.size()) + " piece(s) move to reveal: ",
                       std::string(pieces.size() == 1 ? "Unknown Player's" : "Multiple Players'") +
                           (pieces.size() == 1 ? " piece." : " pieces.")});
    }
    case history_code_range_reveal_list:
        return paused("Auto-Reveal (Range) run by Player:",
                      {player_text(f.number("player")), "The map will be redrawn to reflect the changes"});
    case history_code_change_hidden:
        return paused(
            "Piece Hidden Status Changed",
            {"Player: " + player_text(f.number("player")) + " changed " +
                 piece_words(f.number("piece"), "", owner_of_piece(f.number("piece"))),
             "From:" + hidden_text(f.number("old hidden")) + "  To: " + hidden_text(f.number("new hidden"))});
    case history_code_los_reveal:
    case history_code_range_reveal:
        return paused(r.code == history_code_los_reveal ? "Auto-Reveal Using LOS Executed"
                                                        : "Auto-Reveal Using Range Executed",
                      {"By: " + player_text(f.number("player")) + " Player",
                       "Map/Board Updated To Show Hidden or Revealed Pieces"});
    case history_code_game_saved:
        return paused("Game Saved", {"The Game was Saved to File"});
    case history_code_add_group: {
        const auto classes = f.numbers("class"), counts = f.numbers("count");
        std::string groups;
        for (std::size_t i = 0; i < classes.size() && i < counts.size(); ++i) {
            const class_struct* c = class_record(static_cast<int>(classes[i]));
            if (!groups.empty()) groups += ",  ";
            groups +=
                std::to_string(counts[i]) + " x " + (c ? name_of(c->name) : std::string("Unknown Classes"));
        }
        return paused("Player:  " + player_text(f.number("player")) + " Adds Multiple Units",
                      {groups, std::to_string(f.number("total")) + " Total Pieces Placed In Hex."});
    }
    case history_code_deck:
    case history_code_hand:
    case history_code_board_card:
        return paused(r.code == history_code_deck   ? "Deck Action"
                      : r.code == history_code_hand ? "Hand Action"
                                                    : "Card Action",
                      {"Player: " + player_text(f.number("player"))});
    default:
        return {}; // 6, 7 and 20, 21 are shown by their own forms; 10, 14, 18 show nothing
    }
}
