// Renumbering the pieces a history names after the saved-game writer closed up free slots.
//
// Records name pieces by slot, and a slot's piece is the same one over time except where a
// piece-order record (code 18) rotated a range of slots. So the history is walked as a story of
// slot contents ("tokens": token t is whatever stands in slot t at the time of the save):
// - The new numbering puts the tokens whose new indices form an ordered prefix 0..L-1 (the live
//   pieces, kept in their order by the compaction) at their rank among those tokens at each
//   moment, and every other token (a slot that was free at the save) at its own new index past
//   that prefix, for the whole history.
// - Every piece index of a record is rewritten to the new slot of the token it named at that
//   moment, so the replay after the reload applies each record to the same piece.
// - A piece-order record becomes the rotation that moves the same token among the ordered tokens
//   (a no-op (p, p) when its token is a formerly free slot, or when it only passed over such
//   slots), which keeps the draw order of the live pieces. Pieces that were removed before the
//   save are drawn, where they show in a replay, behind the live ones.
// - The header is rewritten as the snapshot of the new numbering at the start: entry j is the
//   old entry of the token in new slot j; new slots whose token had no entry (the piece array
//   was shorter when the history started) get a free entry (class 0, location 63001, hidden 0);
//   the end entry follows the last one.
// - The per-slot hidden lists of codes 19 and 25 are permuted the same way, free entries 0.
// An identity mapping changes no byte.
#include "history_records.h"
#include "history_stream.h"

#include "data/encodings.h"
#include "data/records.h"

#include <algorithm>
#include <new>
#include <string_view>
#include <tuple>

namespace {

struct token_state {
    std::vector<std::int32_t> ext;    // token -> new index at the save
    std::vector<std::int32_t> tok_at; // old slot -> token, at the moment being walked
    std::vector<std::int32_t> newpos; // token -> new slot, at that moment
    std::int32_t ordered = 0;         // L: tokens whose new index is below it are ranked

    std::int32_t size() const { return static_cast<std::int32_t>(ext.size()); }
    bool is_ordered(std::int32_t token) const { return ext[static_cast<std::size_t>(token)] < ordered; }
    std::int32_t map_slot(std::int64_t s) const {
        if (s < 0 || s >= size()) return static_cast<std::int32_t>(s);
        return newpos[static_cast<std::size_t>(tok_at[static_cast<std::size_t>(s)])];
    }
    static void rotate(std::vector<std::int32_t>& v, std::int32_t a, std::int32_t b) {
        auto first = v.begin();
        if (a < b)
            std::rotate(first + a, first + a + 1, first + b + 1);
        else
            std::rotate(first + b, first + a, first + a + 1);
    }
    void rank_range(std::int32_t lo, std::int32_t hi, std::int32_t first_rank) {
        for (std::int32_t s = lo; s <= hi; ++s) {
            std::int32_t t = tok_at[static_cast<std::size_t>(s)];
            if (is_ordered(t)) newpos[static_cast<std::size_t>(t)] = first_rank++;
        }
    }
    // Applies a rotation of old slots a -> b; returns the new slots of its token before and after.
    std::pair<std::int32_t, std::int32_t> apply_rotation(std::int32_t a, std::int32_t b) {
        std::int32_t lo = std::min(a, b), hi = std::max(a, b);
        std::int32_t token = tok_at[static_cast<std::size_t>(a)];
        std::int32_t before = newpos[static_cast<std::size_t>(token)];
        std::int32_t first_rank = -1;
        for (std::int32_t s = lo; s <= hi && first_rank < 0; ++s) {
            std::int32_t t = tok_at[static_cast<std::size_t>(s)];
            if (is_ordered(t)) first_rank = newpos[static_cast<std::size_t>(t)];
        }
        rotate(tok_at, a, b);
        if (first_rank >= 0) rank_range(lo, hi, first_rank);
        return {before, newpos[static_cast<std::size_t>(token)]};
    }
};

bool valid_rotation(std::int64_t a, std::int64_t b, std::int32_t size) {
    return a != b && a >= 0 && b >= 0 && a < size && b < size;
}

void put_num2(byte_vector& out, std::int64_t v) {
    out.push_back(static_cast<std::uint8_t>(v / 250));
    out.push_back(static_cast<std::uint8_t>(v % 250));
}

} // namespace

bool renumber_history(byte_vector& stream, const std::vector<std::int32_t>& new_index) {
    const std::size_t k = new_index.size();
    std::vector<std::uint8_t> seen(k, 0);
    bool identity = true;
    for (std::size_t s = 0; s < k; ++s) {
        std::int32_t v = new_index[s];
        if (v < 0 || static_cast<std::size_t>(v) >= k || seen[static_cast<std::size_t>(v)]) return false;
        seen[static_cast<std::size_t>(v)] = 1;
        if (v != static_cast<std::int32_t>(s)) identity = false;
    }
    auto records = walk_history(stream);
    if (!records) return false;
    if (identity) return true;

    const std::size_t header = *history_header_length(stream.data(), stream.size() - 1);
    const std::size_t entries = static_cast<std::size_t>(stream[0]) * 250 + stream[1];
    const std::size_t header_slots = entries > 0 ? entries - 1 : 0; // the last entry is the end record

    try {
        token_state st;
        std::size_t m = std::max(k, header_slots);
        st.ext.resize(m);
        for (std::size_t s = 0; s < m; ++s)
            st.ext[s] = s < k ? new_index[s] : static_cast<std::int32_t>(s);
        std::vector<std::int32_t> inv(m);
        for (std::size_t s = 0; s < m; ++s)
            inv[static_cast<std::size_t>(st.ext[s])] = static_cast<std::int32_t>(s);
        st.ordered = m > 0 ? 1 : 0;
        while (static_cast<std::size_t>(st.ordered) < m &&
               inv[static_cast<std::size_t>(st.ordered)] > inv[static_cast<std::size_t>(st.ordered) - 1])
            ++st.ordered;

        // The slot contents at the start: undo every rotation from the end backwards.
        std::vector<std::pair<std::int32_t, std::int32_t>> rotations;
        for (const auto& r : *records) {
            if (r.code != history_code_piece_order) continue;
            auto a = record_field(stream, r, "old index")->value;
            auto b = record_field(stream, r, "new index")->value;
            if (valid_rotation(a, b, st.size()))
                rotations.emplace_back(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b));
        }
        st.tok_at.resize(m);
        for (std::size_t s = 0; s < m; ++s)
            st.tok_at[s] = static_cast<std::int32_t>(s);
        for (auto it = rotations.rbegin(); it != rotations.rend(); ++it)
            token_state::rotate(st.tok_at, it->second, it->first);
        st.newpos.resize(m);
        for (std::size_t t = 0; t < m; ++t)
            st.newpos[t] = st.ext[t];
        if (m > 0) st.rank_range(0, static_cast<std::int32_t>(m) - 1, 0);

        byte_vector out;
        out.reserve(stream.size() + 5 * m + 16);

        // Header.
        std::int32_t header_out = 0;
        for (std::size_t i = 0; i < header_slots; ++i)
            header_out = std::max(header_out, st.map_slot(static_cast<std::int64_t>(i)) + 1);
        std::vector<std::int32_t> entry_of(static_cast<std::size_t>(header_out), -1);
        for (std::size_t i = 0; i < header_slots; ++i)
            entry_of[static_cast<std::size_t>(st.map_slot(static_cast<std::int64_t>(i)))] =
                static_cast<std::int32_t>(i);
        put_num2(out, header_out + 1);
        for (std::int32_t j = 0; j < header_out; ++j) {
            std::int32_t i = entry_of[static_cast<std::size_t>(j)];
            if (i < 0) {
                put_num2(out, 0);
                put_num2(out, location_free);
                out.push_back(0);
            } else {
                auto from = stream.begin() + static_cast<std::ptrdiff_t>(2 + 5 * static_cast<std::size_t>(i));
                out.insert(out.end(), from, from + 5);
            }
        }
        if (entries > 0) {
            auto end_entry = stream.begin() + static_cast<std::ptrdiff_t>(2 + 5 * (entries - 1));
            out.insert(out.end(), end_entry, end_entry + 5);
        } else {
            put_num2(out, 0);
            put_num2(out, location_end);
            out.push_back(0);
        }
        out.insert(out.end(), stream.begin() + static_cast<std::ptrdiff_t>(header) - 2,
                   stream.begin() + static_cast<std::ptrdiff_t>(header));

        // Records.
        for (const auto& r : *records) {
            out.push_back(marker_open);
            out.push_back(static_cast<std::uint8_t>(r.code));
            if (r.code == history_code_piece_order) {
                auto a = record_field(stream, r, "old index")->value;
                auto b = record_field(stream, r, "new index")->value;
                std::int32_t na, nb;
                if (valid_rotation(a, b, st.size())) {
                    bool ordered = st.is_ordered(st.tok_at[static_cast<std::size_t>(a)]);
                    std::tie(na, nb) =
                        st.apply_rotation(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b));
                    if (!ordered) nb = na;
                } else {
                    na = st.map_slot(a);
                    nb = st.map_slot(b);
                }
                put_num2(out, na);
                put_num2(out, nb);
                continue;
            }
            std::int64_t kind = 0;
            std::size_t count_at = 0, length = 0;
            walk_record_fields(
                stream.data(), stream.size() - 1, r.payload, *r.layout, length, [&](const field_visit& v) {
                    const auto* b = stream.data() + v.offset;
                    switch (v.step->role) {
                    case field_role::piece:
                        put_num2(out, st.map_slot(v.value));
                        return;
                    case field_role::piece_or_class:
                        if (kind == 'U' || kind == 'u')
                            put_num2(out, st.map_slot(v.value));
                        else
                            out.insert(out.end(), b, b + v.size);
                        return;
                    case field_role::hidden_by_slot: {
                        std::int32_t n = 0;
                        for (std::size_t s = 0; s < v.size; ++s)
                            n = std::max(n, st.map_slot(static_cast<std::int64_t>(s)) + 1);
                        std::vector<std::uint8_t> states(static_cast<std::size_t>(n), 0);
                        for (std::size_t s = 0; s < v.size; ++s)
                            states[static_cast<std::size_t>(st.map_slot(static_cast<std::int64_t>(s)))] =
                                b[s];
                        out[count_at] = static_cast<std::uint8_t>(n / 250);
                        out[count_at + 1] = static_cast<std::uint8_t>(n % 250);
                        out.insert(out.end(), states.begin(), states.end());
                        return;
                    }
                    default:
                        break;
                    }
                    if (std::string_view(v.step->name) == "kind") kind = v.value;
                    if (v.step->role == field_role::count) count_at = out.size();
                    out.insert(out.end(), b, b + v.size);
                });
        }
        out.push_back(marker_close);

        // The walk must end in the numbering the saved pieces have.
        for (std::size_t s = 0; s < m; ++s)
            if (st.map_slot(static_cast<std::int64_t>(s)) != st.ext[s]) return false;
        if (!walk_history(out)) return false;
        stream.swap(out);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool renumber_history_pieces(const std::vector<std::int32_t>& new_index) {
    return renumber_history(game->history_stream, new_index);
}

bool renumber_history_pools(byte_vector& stream, const std::vector<std::int32_t>& new_index) {
    auto records = walk_history(stream);
    if (!records) return false;
    byte_vector out = stream;
    auto mapped = [&](std::int64_t pool) -> std::int64_t {
        if (pool < 0 || static_cast<std::size_t>(pool) >= new_index.size()) return pool;
        return new_index[static_cast<std::size_t>(pool)];
    };
    for (const auto& r : *records) {
        const bool flagged = r.code == history_code_add_piece || r.code == history_code_remove_piece;
        std::size_t flag_at = 0;
        std::int64_t flag = 0;
        bool refused = false;
        std::size_t length = 0;
        walk_record_fields(stream.data(), stream.size() - 1, r.payload, *r.layout, length,
                           [&](const field_visit& v) {
                               if (flagged && std::string_view(v.step->name) == "pool flag") {
                                   flag_at = v.offset;
                                   flag = v.value;
                                   return;
                               }
                               if (v.step->role != field_role::pool) return;
                               if (flagged && flag == 0) return; // no pool: its number means nothing
                               std::int64_t to = mapped(v.value);
                               const bool one_byte = v.step->type == field_type::byte;
                               const std::int64_t most = one_byte ? history_byte_max : history_num2_max;
                               if (to < 0 || to > most) {
                                   if (!flagged) {
                                       refused = true;
                                       return;
                                   }
                                   out[flag_at] = 0;
                                   to = 0;
                               }
                               if (one_byte) {
                                   out[v.offset] = static_cast<std::uint8_t>(to);
                               } else {
                                   out[v.offset] = static_cast<std::uint8_t>(to / 250);
                                   out[v.offset + 1] = static_cast<std::uint8_t>(to % 250);
                               }
                           });
        if (refused) return false;
    }
    stream.swap(out);
    return true;
}
