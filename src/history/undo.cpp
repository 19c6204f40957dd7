#include "undo.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/hooks.h"
#include "data/records.h"
#include "history/replay.h"
#include "platform/boxes.h"

#include <algorithm>
#include <cstring>
#include <set>

std::function<void(std::size_t)> undo_view_hook;

namespace {

bool live_class(std::int64_t c) {
    return c >= 0 && static_cast<std::size_t>(c) < class_end_index();
}

// The pieces that earlier moves (before `until`) or combats moved or fought with.
struct earlier_flags {
    std::set<std::int64_t> moved, attacked, defended;
};
earlier_flags flags_before(const byte_vector& stream, std::size_t until) {
    earlier_flags out;
    history_walker w(stream);
    history_record r;
    while (w.next(r) && r.start < until) {
        if (r.code != history_code_move && r.code != history_code_combat) continue;
        record_fields f;
        if (!read_record_fields(stream, r, f)) continue;
        const auto pieces = f.numbers("piece");
        if (r.code == history_code_move) {
            out.moved.insert(pieces.begin(), pieces.end());
            continue;
        }
        const std::int64_t attackers = f.number("attackers");
        for (std::size_t i = 0; i < pieces.size(); ++i)
            (static_cast<std::int64_t>(i) < attackers ? out.attacked : out.defended).insert(pieces[i]);
    }
    return out;
}

void undo_move(const record_fields& f, const earlier_flags& before) {
    const std::int64_t start = f.number("start");
    if (!replay_on_map(start)) return;
    for (std::int64_t piece : f.numbers("piece")) {
        piece_struct* p = piece_slot_record(piece);
        if (!p || p->location == location_free || p->in_pool()) continue;
        add_to_hex_count(p->location, -1);
        redraw_map_hex(p->location);
        p->location = static_cast<std::int32_t>(start);
        add_to_hex_count(start, 1);
        p->flags &= static_cast<std::uint8_t>(~piece_flag_moved);
        if (before.moved.count(piece)) p->flags |= piece_flag_moved;
    }
    redraw_map_hex(start);
}

void undo_combat(const record_fields& f, const earlier_flags& before) {
    for (std::int64_t piece : f.numbers("piece")) {
        piece_struct* p = piece_slot_record(piece);
        if (!p) continue;
        p->flags &= static_cast<std::uint8_t>(~(piece_flag_attacked | piece_flag_defended));
        if (before.attacked.count(piece)) p->flags |= piece_flag_attacked;
        if (before.defended.count(piece)) p->flags |= piece_flag_defended;
        redraw_map_hex(p->location);
    }
}

void undo_removal(const record_fields& f) {
    const std::int64_t piece = f.number("piece"), hex = f.number("location"), cls = f.number("class");
    if (!replay_on_map(hex)) return;
    piece_struct* p = piece_slot_record(piece);
    const bool to_pool = f.number("pool flag") != 0;
    const std::int64_t pool = f.number("pool");
    if (p && to_pool && p->in_pool() && p->location == pool) {
        if (pool_struct* k = live_pool_record(pool); k && k->piece_count > 0) --k->piece_count;
    } else if (p && !to_pool && p->location == location_free && p->class_index == cls) {
        // The slot still holds the piece as it was: it comes back with its values and facing.
    } else {
        const int made = add_piece();
        if (made < 0) return;
        p = &game->piece_array[static_cast<std::size_t>(made)];
        if (live_class(cls)) {
            const class_struct& c = game->class_array[static_cast<std::size_t>(cls)];
            p->class_index = static_cast<std::int32_t>(cls);
            p->values = c.values;
            std::memcpy(p->value_types, c.value_types, sizeof p->value_types);
        }
        set_name(p->name, f.bytes("piece name"));
        p->hidden = static_cast<std::uint8_t>(std::clamp<std::int64_t>(f.number("hidden"), 0, 2));
    }
    p->flags &= static_cast<std::uint8_t>(~piece_flag_in_pool);
    p->location = static_cast<std::int32_t>(hex);
    add_to_hex_count(hex, 1);
    redraw_map_hex(hex);
}

void undo_addition(const record_fields& f) {
    const std::int64_t piece = f.number("piece");
    piece_struct* p = piece_slot_record(piece);
    if (!p || p->location == location_free || p->in_pool()) return;
    const std::int32_t hex = p->location;
    add_to_hex_count(hex, -1);
    const std::int64_t pool = f.number("pool");
    if (f.number("pool flag") != 0 && live_pool_record(pool)) {
        p->flags |= piece_flag_in_pool;
        p->location = static_cast<std::int32_t>(pool);
        if (pool_struct* k = live_pool_record(pool); k->piece_count < class_end - 1) ++k->piece_count;
    } else {
        p->location = location_free;
        held_pieces_after_removal(static_cast<std::int32_t>(piece));
    }
    redraw_map_hex(hex);
}

void undo_class_change(const record_fields& f) {
    piece_struct* p = piece_slot_record(f.number("piece"));
    const std::int64_t old = f.number("old class");
    if (!p || !live_class(old)) return;
    p->class_index = static_cast<std::int32_t>(old);
    redraw_map_hex(p->location);
}

void undo_value_change(const record_fields& f) {
    const std::int64_t kind = f.number("kind"), slot = f.number("slot"), index = f.number("index"),
                       type = f.number("old type");
    const std::string old = f.bytes("old value");
    if (slot < 0 || slot > 7 || old.size() != 4) return;
    auto put = [&](value_bytes& values, std::uint8_t* types) {
        std::memcpy(values[static_cast<std::size_t>(slot)].data(), old.data(), 4);
        types[slot] = static_cast<std::uint8_t>(type);
    };
    if (kind == 'U' || kind == 'u') {
        piece_struct* p = piece_slot_record(index);
        if (!p) return;
        put(p->values, p->value_types);
        redraw_map_hex(p->location);
    } else if (live_class(index)) {
        class_struct& c = game->class_array[static_cast<std::size_t>(index)];
        put(c.values, c.value_types);
    }
}

void undo_class_deleted(const record_fields& f) {
    const std::int64_t c = f.number("class");
    if (live_class(c) && game->class_array[static_cast<std::size_t>(c)].symbol == class_free) {
        game->class_array[static_cast<std::size_t>(c)].symbol = static_cast<std::int32_t>(f.number("symbol"));
        return;
    }
    message_box("Restore Piece Class Failed",
                "The piece class has already been overwritten\n\rand can not be restored", box_buttons::ok,
                box_icon::stop);
}

} // namespace

std::optional<undo_target> last_undoable_action(const byte_vector& stream) {
    history_walker w(stream);
    history_record r;
    std::optional<history_record> last, group;
    std::vector<history_record> group_pieces;
    std::int64_t group_total = 0;
    while (w.next(r)) {
        last = r;
        if (r.code == history_code_add_group) {
            group = r;
            group_pieces.clear();
            record_fields f;
            group_total = read_record_fields(stream, r, f) ? f.number("total") : 0;
        } else if (group && r.code == history_code_add_piece &&
                   static_cast<std::int64_t>(group_pieces.size()) < group_total) {
            group_pieces.push_back(r);
        } else {
            group.reset();
            group_pieces.clear();
        }
    }
    if (w.status() != history_walk_status::end || !last) return std::nullopt;
    undo_target t;
    t.record = *last;
    t.cut_at = last->start;
    if (last->code == history_code_add_piece && group && !group_pieces.empty()) {
        t.group = group;
        t.group_pieces = group_pieces;
        t.cut_at = group->start;
    }
    return t;
}

std::optional<undo_refusal> undo_refused(int code) {
    switch (code) {
    case history_code_die_roll:
        return undo_refusal{"Last Action Is A Die Roll",
                            "Die rolls can not be undone or erased from the replay."};
    case history_code_end_multiple_combats:
        return undo_refusal{"Last Action Is A Multiple Combat Definition",
                            "Multiple combat blocks can not be undone or erased from the replay."};
    case history_code_move_reveal:
        return undo_refusal{"Last Action Revealed Hidden Pieces",
                            "Moves that reveal hidden pieces can not be undone."};
    case history_code_range_reveal_list:
        return undo_refusal{"Last Action Revealed Hidden Pieces",
                            "The change of a hidden piece's value to revel it, can not be undone."};
    case history_code_change_hidden:
        return undo_refusal{"Last Action Revealed Hidden Pieces",
                            "Changes in a piece's hidden value can not be undone."};
    case history_code_delete_pool:
        return undo_refusal{"Last Action Delted a Pool",
                            "Once deleted, a pool can not be brought back into the game."};
    case history_code_deck:
    case history_code_hand:
    case history_code_board_card:
        return undo_refusal{"Last Action Involved Cards", "Card actions can not be undone."};
    case history_code_los_reveal:
        return undo_refusal{"Last Action Was an Auto-Reveal", "Auto-Reveal actions can not be undone."};
    case history_code_pool_pick:
        return undo_refusal{"Last Action Was an Piece Selection",
                            "The action of selecting a piece from a pool can not be undone."};
    case history_code_pool_return:
        return undo_refusal{"Last Action Was a Piece Return",
                            "The action of returning a piece to a pool can not be undone."};
    default:
        return std::nullopt;
    }
}

std::string undo_action_name(const undo_target& t) {
    const char* name = nullptr;
    switch (t.record.code) {
    case history_code_move:
        name = " Movement";
        break;
    case history_code_combat:
        name = " Combat";
        break;
    case history_code_remove_piece_v1:
    case history_code_remove_piece:
        name = " Remove Piece";
        break;
    case history_code_add_piece:
        name = t.group ? "n Add Multiple Pieces (all will be deleted)" : "n Add Piece";
        break;
    case history_code_change_class:
        name = " Flip/Change Class";
        break;
    case history_code_change_value:
        name = " Value Change";
        break;
    case history_code_comment:
        name = "n Add Comment";
        break;
    case history_code_delete_class:
        name = " Delete Class";
        break;
    default:
        return {};
    }
    return std::string("The last action was a") + name;
}

void undo_action(const undo_target& t) {
    byte_vector& stream = game->history_stream;
    if (undo_action_name(t).empty() || t.cut_at >= stream.size()) return;
    record_fields f;
    if (!read_record_fields(stream, t.record, f)) return;
    switch (t.record.code) {
    case history_code_move:
        undo_move(f, flags_before(stream, t.record.start));
        break;
    case history_code_combat:
        undo_combat(f, flags_before(stream, t.record.start));
        break;
    case history_code_remove_piece_v1:
    case history_code_remove_piece:
        undo_removal(f);
        break;
    case history_code_add_piece:
        if (!t.group) {
            undo_addition(f);
            break;
        }
        for (auto it = t.group_pieces.rbegin(); it != t.group_pieces.rend(); ++it) {
            record_fields piece_fields;
            if (read_record_fields(stream, *it, piece_fields)) undo_addition(piece_fields);
        }
        break;
    case history_code_change_class:
        undo_class_change(f);
        break;
    case history_code_change_value:
        undo_value_change(f);
        break;
    case history_code_comment: {
        // A comment written right after a die roll set the roll's comment flag.
        history_walker w(stream);
        history_record r, previous;
        bool has_previous = false;
        while (w.next(r) && r.start < t.record.start) {
            previous = r;
            has_previous = true;
        }
        if (has_previous && previous.code == history_code_die_roll && previous.next() == t.record.start) {
            record_fields roll;
            if (read_record_fields(stream, previous, roll))
                for (const auto& v : roll.visits)
                    if (std::string_view(v.step->name) == "comment flag") stream[v.offset] = 0;
        }
        break;
    }
    case history_code_delete_class:
        undo_class_deleted(f);
        break;
    default:
        return;
    }
    stream.resize(t.cut_at);
    stream.push_back(0xFE);
    game_modified = 1;
}

void undo_last_action() {
    const auto target = last_undoable_action(game->history_stream);
    if (!target) {
        message_box("Replay Empty", "There are no actions in the replay \n\rfile to be undone",
                    box_buttons::ok, box_icon::information);
        return;
    }
    const int code = target->record.code;
    if (const auto refusal = undo_refused(code)) {
        message_box(refusal->title, refusal->text, box_buttons::ok, box_icon::stop);
        return;
    }
    const std::string name = undo_action_name(*target);
    if (name.empty()) {
        message_box("Last Action Information",
                    "The last action was an Unknown (Code=" + std::to_string(code) +
                        "). The action can not be un-done.",
                    box_buttons::ok, box_icon::stop);
        return;
    }
    const box_answer a =
        message_box("Last Action Information",
                    name + " command.\n\rDo you want to view this action before undoing it?\n\r\n\r"
                           "(Select Yes to view the action first;  No to Undo now;  \n\ror Cancel to "
                           "abort Undo)",
                    box_buttons::yes_no_cancel, box_icon::question);
    if (a == box_answer::cancel) return;
    if (a == box_answer::yes) {
        if (undo_view_hook) undo_view_hook(target->cut_at);
        if (message_box("Undo Last Action", "Do you still want to undo this action?", box_buttons::yes_no,
                        box_icon::question) != box_answer::yes)
            return;
    }
    undo_action(*target);
}
