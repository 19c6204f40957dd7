#include "saved_game.h"

#include "board.h"
#include "encodings.h"
#include "file_forms.h"
#include "game_file.h"
#include "game_settings.h"
#include "hooks.h"
#include "message_boxes.h"
#include "records.h"
#include "symbols.h"

#include "data/alliances.h"
#include "data/card_sets.h"
#include "data/command_state.h"
#include "data/draw_marks.h"
#include "data/history_stream.h"
#include "data/los_settings.h"
#include "data/options.h"
#include "data/passwords.h"
#include "data/view_state.h"
#include "platform/app_services.h"
#include "platform/boxes.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "platform/text_codepage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

int ops_file_version = 0;

namespace {

constexpr const char* game_file_error = "Game File Error";
constexpr const char* open_failure = "Could not open selected file!";
// Longest map path, card set base and info-page name kept from a file.
constexpr std::size_t path_buffer_size = max_path_bytes;
// A -1 in the line-of-sight hexes and range is stored as this, and read back from 60000 up.
constexpr std::int32_t stored_minus_one = 63001;

template <class T, class F> std::size_t end_position(const std::vector<T>& a, F is_end) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (is_end(a[i])) return i;
    return a.size();
}

// ---------------------------------------------------------------------------------------------
// Writer

class game_file_writer {
public:
    explicit game_file_writer(byte_vector& out) : w_(out) {}

    void byte(int v) { w_.byte(static_cast<std::uint8_t>(v)); }
    // Every num2 of the file; a value outside the encoding is held at its nearest end.
    void num2(std::int64_t v) { w_.num2(std::clamp<std::int64_t>(v, 0, num2_max)); }
    void end() { w_.byte(marker_close); }
    void name(const char* field, std::size_t width) { w_.name(field, width); }
    void raw(const std::uint8_t* p, std::size_t n) { w_.raw(p, n); }
    // Text, a 0, and the section end. A 0xFE inside the text would end the section early.
    void text_section(const std::string& text) {
        for (char c : text) {
            if (c == 0 || static_cast<std::uint8_t>(c) == marker_close) break;
            byte(static_cast<std::uint8_t>(c));
        }
        byte(0);
        end();
    }
    byte_writer& w() { return w_; }

private:
    byte_writer w_;
};

void write_status_dots(game_file_writer& f, const status_dot_struct (&dots)[6]) {
    for (const auto& d : dots) {
        f.byte(d.kind);
        f.num2(d.limit);
        f.byte(d.colour);
        f.byte(d.position);
        f.raw(d.size, 3);
    }
    f.end();
}

std::int32_t stored_hex(std::int32_t v) {
    return v < 0 ? stored_minus_one : v;
}

// False when the history could not be made to fit the closed-up pieces: a file whose history
// names other pieces than its piece list must not be written.
bool build_saved_game(byte_vector& out, progress_window& progress) {
    const game_state& g = *game;
    const game_settings_struct& s = game_settings;
    game_file_writer f(out);

    // 0, 1, 2: header, linked map, turn.
    f.byte(marker_open);
    f.byte(saved_game_major_version);
    f.byte(saved_game_minor_version);
    f.text_section(linked_map_path);
    f.num2(g.game_turn);
    f.end();

    // 3: classes, end record last.
    {
        std::size_t end =
            end_position(g.class_array, [](const class_struct& c) { return c.symbol == class_end; });
        f.num2(static_cast<std::int64_t>(end) + 1);
        class_struct end_record;
        for (std::size_t i = 0; i <= end; ++i) {
            const class_struct& c = i < g.class_array.size() ? g.class_array[i] : end_record;
            f.num2(i < end ? c.symbol : class_end);
            f.name(c.name, 25);
            for (const auto& v : c.values)
                f.raw(v.data(), 4);
            f.raw(c.value_types, 8);
            f.byte(c.owner);
            f.num2(c.hidden_symbol);
            f.byte(c.facing_set);
        }
        f.end();
        progress.set_position(20);
    }
    // 4: class value names.
    for (const auto& n : g.class_value_names)
        f.name(n, 15);
    f.end();

    // 5: pieces without their free slots. The history names pieces by index, so it follows the
    // pieces' new indices.
    std::vector<std::int32_t> new_index;
    bool closed_up = false;
    {
        const auto& pieces = g.piece_array;
        std::size_t end =
            end_position(pieces, [](const piece_struct& p) { return p.location == location_end; });
        std::int32_t live = 0;
        for (std::size_t i = 0; i < end; ++i)
            if (pieces[i].location != location_free) ++live;
        std::int32_t next_free = live + 1;
        new_index.resize(end + 1);
        std::int32_t next = 0;
        for (std::size_t i = 0; i < end; ++i) {
            if (pieces[i].location == location_free) {
                new_index[i] = next_free++;
                closed_up = true;
            } else {
                new_index[i] = next++;
            }
        }
        new_index[end] = live;

        f.num2(static_cast<std::int64_t>(live) + 1);
        piece_struct end_record;
        for (std::size_t i = 0; i <= end; ++i) {
            const piece_struct& p = i < end ? pieces[i] : (end < pieces.size() ? pieces[end] : end_record);
            if (i < end && p.location == location_free) continue;
            f.name(p.name, 25);
            f.num2(p.class_index);
            for (const auto& v : p.values)
                f.raw(v.data(), 4);
            f.raw(p.value_types, 8);
            f.byte(p.hidden);
            f.num2(p.second_location);
            f.num2(i < end ? p.location : location_end);
            f.byte(p.flags);
            f.byte(p.facing);
        }
        f.end();
        progress.set_position(45);
    }
    // 6: piece value names.
    for (const auto& n : g.piece_value_names)
        f.name(n, 15);
    f.end();

    // 7: players, the empty-named end record last; passwords are stored scrambled.
    {
        std::size_t end = end_position(g.player_array, [](const player_struct& p) { return p.name[0] == 0; });
        f.num2(static_cast<std::int64_t>(end) + 1);
        player_struct end_record;
        for (std::size_t i = 0; i <= end; ++i) {
            const player_struct& p = i < g.player_array.size() ? g.player_array[i] : end_record;
            f.name(p.name, 25);
            std::uint8_t password[password_length];
            std::memcpy(password, p.password, password_length);
            scramble_password(password, static_cast<int>(i), static_cast<int>(name_of(p.name).size()));
            f.raw(password, password_length);
            f.byte(p.zoom_level);
            f.num2(p.view_origin);
            f.num2(p.default_hidden_symbol);
            f.name(p.picture_file, 50);
            f.byte(p.reveal_range);
            f.byte(p.flags);
            f.byte(p.replay_delay);
        }
        f.end();
        progress.set_position(50);
    }

    // 8: the history, ending with its own 0xFE.
    {
        byte_vector renumbered;
        const byte_vector* stream = &g.history_stream;
        if (closed_up) {
            // Renumber a copy: the game in memory keeps its slots and the history that fits them.
            byte_vector kept = game->history_stream;
            const bool renumbered_ok = renumber_history_pieces(new_index);
            renumbered = std::move(game->history_stream);
            game->history_stream = std::move(kept);
            if (!renumbered_ok) return false;
            stream = &renumbered;
        }
        bool closed = !stream->empty() && stream->back() == marker_close;
        f.w().num4(static_cast<std::int64_t>(stream->size()) + (closed ? 0 : 1));
        f.raw(stream->data(), stream->size());
        if (!closed) f.end();
        f.end();
        progress.set_position(65);
    }

    // 9: pools (their owners go in the tail).
    std::size_t pool_end =
        end_position(g.pool_array, [](const pool_struct& p) { return p.piece_count == class_end; });
    {
        f.num2(static_cast<std::int64_t>(pool_end) + 1);
        pool_struct end_record;
        for (std::size_t i = 0; i <= pool_end; ++i) {
            const pool_struct& p = i < g.pool_array.size() ? g.pool_array[i] : end_record;
            f.name(p.name, 25);
            f.byte(p.type);
            f.num2(p.location);
            f.num2(i < pool_end ? p.piece_count : class_end);
        }
        f.end();
        progress.set_position(70);
    }
    // 10: stack definitions.
    {
        std::size_t end = end_position(g.stack_def_array,
                                       [](const stack_def_struct& d) { return d.stack_symbol == class_end; });
        f.num2(static_cast<std::int64_t>(end) + 1);
        stack_def_struct end_record;
        for (std::size_t i = 0; i <= end; ++i) {
            const stack_def_struct& d = i < g.stack_def_array.size() ? g.stack_def_array[i] : end_record;
            f.num2(i < end ? d.stack_symbol : class_end);
            f.num2(d.required_class);
            f.raw(d.minimum_pieces, 3);
            f.num2(d.owner);
        }
        f.end();
        progress.set_position(75);
    }
    // 11: view and draw.
    f.byte(s.fast_zoom);
    f.byte(s.combat_summary_class_mask);
    f.byte(s.combat_summary_piece_mask);
    f.byte(s.fast_draw_on);
    f.end();
    // 12: facing sets; their count is one byte.
    {
        std::size_t end =
            end_position(g.facing_set_array, [](const facing_set_struct& fs) { return fs.direction == 0; });
        end = std::min<std::size_t>(end, max_facing_sets);
        f.byte(static_cast<int>(end) + 1);
        facing_set_struct end_record;
        for (std::size_t i = 0; i <= end; ++i) {
            const facing_set_struct& fs = i < g.facing_set_array.size() ? g.facing_set_array[i] : end_record;
            f.name(fs.name, 25);
            f.byte(i < end ? fs.direction : 0);
            f.byte(fs.style);
            f.byte(fs.fill_colour);
            f.byte(fs.outline_colour);
            f.raw(fs.size, 3);
        }
        f.end();
        progress.set_position(80);
    }
    // 13: scroll and view.
    f.raw(s.facing_display_options, 3);
    f.byte(zoom_level);
    f.num2(view_origin_hex);
    f.byte(sound_on);
    f.end();
    // 14: log-on state and flips.
    {
        f.byte(player_logged_in);
        std::size_t end =
            end_position(g.flip_array, [](const flip_struct& fl) { return fl.parent == class_end; });
        f.num2(static_cast<std::int64_t>(end) + 1);
        flip_struct end_record;
        for (std::size_t i = 0; i <= end; ++i) {
            const flip_struct& fl = i < g.flip_array.size() ? g.flip_array[i] : end_record;
            f.num2(i < end ? fl.parent : class_end);
            f.num2(fl.flip_class);
        }
        f.end();
        progress.set_position(85);
    }
    // 15: status dots.
    write_status_dots(f, g.status_dots);
    // 16: dice.
    f.byte(s.auto_reveal_moving_range);
    f.byte(s.die_sides_reserved);
    f.byte(s.dice_count);
    f.byte(s.die_sides);
    f.end();
    progress.set_position(90);
    // 17: turn names.
    {
        std::size_t end = end_position(g.turn_names, [](const turn_name& t) { return t.text[0] == 0; });
        f.num2(static_cast<std::int64_t>(end) + 1);
        turn_name end_record;
        for (std::size_t i = 0; i <= end; ++i)
            f.name(i < end ? g.turn_names[i].text : end_record.text, 50);
        f.end();
        progress.set_position(95);
    }
    // 18: line of sight.
    {
        f.w().sbyte2(std::clamp<std::int32_t>(los_check.check_type, -255, 255));
        f.num2(los_check.direction);
        f.w().long4(stored_hex(los_check.spotter_hex));
        f.w().long4(stored_hex(los_check.target_hex));
        f.w().long4(los_check.radius);
        f.w().long4(stored_hex(los_settings.maximum_range));
        f.byte(los_settings.degrade_for_range);
        f.num2(los_settings.points_to_block);
        f.name(los_settings.elevation_level_text, 20);
        f.byte(los_settings.ground_smoothing);
        f.num2(los_settings.cliff_elevation);
        f.num2(los_settings.hex_size);
        f.raw(reinterpret_cast<const std::uint8_t*>(los_settings.hex_units), 10);
        f.num2(static_cast<std::int64_t>(terrain_los_array.size()));
        for (const auto& t : terrain_los_array) {
            f.num2(t.block_points);
            f.num2(t.ground_level);
            f.num2(t.height_above_ground);
            f.num2(t.percent_when_spotting);
            f.num2(t.percent_when_target);
            f.raw(t.display_colour, 3);
        }
        f.end();
        progress.set_position(100);
    }
    // 19: elevations and the right button.
    f.byte(s.use_elevations);
    f.byte(rmb_mode);
    f.end();
    // 20: card set base.
    f.text_section(s.card_set_base_path);
    // 21: pool owners.
    for (std::size_t i = 0; i < pool_end; ++i)
        f.byte(g.pool_array[i].owner);
    f.end();
    // 22, 23: reveal options.
    f.byte(s.auto_reveal_moving_los);
    f.end();
    f.byte(s.reveal_during_combat);
    f.end();
    // 24: the info-page set, by file name only.
    f.text_section(s.info_page_set_path.empty() ? std::string() : file_name_of(s.info_page_set_path));
    // 25: info box sizes (not yet laid out is stored as 0, which reads back as not set).
    f.num2(info_panel_height);
    f.num2(info_panel_width);
    f.end();
    // 26: alliances.
    {
        std::size_t players =
            end_position(g.player_array, [](const player_struct& p) { return p.name[0] == 0; });
        f.num2(static_cast<std::int64_t>(players));
        for (std::size_t p = 0; p < players; ++p) {
            const alliance_entry* e = p < alliance_table.size() ? &alliance_table[p] : nullptr;
            f.num2(e ? e->count : 0);
            for (std::size_t k = 0; k < players; ++k)
                f.num2(e && k < e->flags.size() ? e->flags[k] : 0);
        }
        f.end();
    }
    // 27: draw options: hexlines, hexsides, place names, pieces/markers, the symbols per hex, then
    // the grid display.
    f.raw(s.draw_options + 1, 4);
    f.raw(s.symbols_per_hex, 3);
    f.byte(s.draw_options[0]);
    f.end();
    // 28: status dots again.
    write_status_dots(f, g.status_dots);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Reader

enum class failure { none, damaged, memory, quiet };

// Everything a read fills, swapped in only when the whole file read well.
struct loaded_game {
    std::unique_ptr<game_state> g = std::make_unique<game_state>();
    game_settings_struct settings;
    los_settings_struct los;
    los_check_struct check;
    std::vector<terrain_los_struct> terrain;
    std::vector<alliance_entry> alliances;
    int version = 0;
    int zoom = 0;
    std::int32_t view_origin = 0;
    std::uint8_t sound = sound_on;
    std::uint8_t logged_in = player_logged_in;
    std::uint8_t rmb = 0;
    int info_height = info_panel_height;
    int info_width = info_panel_width;
};

// Smallest size of one record of each list in the file, to refuse a count the file cannot hold
// before anything is allocated.
constexpr std::size_t class_record_min = 47;
constexpr std::size_t piece_record_min = 50;
constexpr std::size_t player_record_min = 30;
constexpr std::size_t pool_record_min = 6;
constexpr std::size_t stack_record_min = 9;
constexpr std::size_t facing_record_min = 8;
constexpr std::size_t flip_record_min = 4;
constexpr std::size_t turn_name_min = 1;
constexpr std::size_t terrain_record_min = 13;

class game_file_reader {
public:
    game_file_reader(const byte_vector& file, loaded_game& out) : in_(file), lg_(out), g_(*out.g) {}

    bool read();
    failure why() const { return why_; }
    const char* label() const { return label_; }

private:
    bool fail(const char* label, failure kind = failure::damaged) {
        if (why_ == failure::none) {
            why_ = kind;
            label_ = label;
        }
        return false;
    }
    bool section_end(const char* label) { return in_.expect(marker_close) || fail(label); }
    // No more sections: nothing, or only a last stray byte, is left.
    bool at_file_end() const { return in_.remaining() <= 1; }
    // A count of records, end record included, that the file can hold.
    bool list_count(std::int32_t& n, std::int64_t limit, std::size_t record_min, const char* label) {
        if (!in_.num2(n)) return fail(label);
        if (n < 1 || n > limit) return fail(label);
        if (static_cast<std::size_t>(n) * record_min > in_.remaining()) return fail(label);
        return true;
    }
    // The bytes up to the next 0xFE (or the end of the file); the text before the first 0.
    std::string text_to_section_end() {
        std::string text;
        bool ended = false;
        std::uint8_t b;
        while (in_.byte(b)) {
            if (b == marker_close) break;
            if (b == 0) ended = true;
            if (!ended && text.size() < path_buffer_size) text.push_back(static_cast<char>(b));
        }
        in_.clear_failure();
        return text;
    }

    bool read_sections();
    bool read_classes();
    bool read_value_names(value_name (&names)[8], const char* label);
    bool read_pieces();
    bool read_players();
    bool read_history();
    bool read_pools();
    bool read_stacks();
    bool read_facing_sets();
    bool read_flips();
    bool read_status_dots(status_dot_struct (&dots)[6], const char* label);
    bool read_turn_names();
    bool read_los();
    bool read_tail();
    bool read_alliances();
    void repair_links();

    byte_reader in_;
    loaded_game& lg_;
    game_state& g_;
    failure why_ = failure::none;
    const char* label_ = "";
};

bool game_file_reader::read() {
    if (!read_sections()) return false;
    repair_links();
    return true;
}

bool game_file_reader::read_sections() {
    std::uint8_t b;
    if (!in_.byte(b) || b != marker_open) return fail("", failure::quiet);
    std::uint8_t major, minor;
    if (!in_.byte(major) || !in_.byte(minor)) return fail("MAP NAME");
    lg_.version = major * 100 + minor;
    if (lg_.version > saved_game_major_version * 100 + saved_game_minor_version)
        message_box(
            "File is A Later Version!",
            "The Game file you are loading appears to be saved with a version  \n\rof the ZEL-2 program "
            "greater that the one you are running.  If you experience any \n\rproblems loading this set, "
            "you will need to get later version.  However,  \n\reven if this set loads, it's always a "
            "good idea to get the latest patch ",
            box_buttons::ok, box_icon::information);

    // 1: the map path; the open driver takes it from the head of the file itself.
    do {
        if (!in_.byte(b)) return fail("MAP NAME");
    } while (b != 0);
    if (!section_end("MAP NAME")) return false;
    // 2: turn.
    if (!in_.num2(g_.game_turn) || !section_end("GAME TURN")) return fail("GAME TURN");

    if (!read_classes()) return false;
    if (!read_value_names(g_.class_value_names, "CLASS VALS")) return false;
    {
        std::uint8_t next;
        if (!in_.byte(next)) return fail("CLASS VALS");
        if (next != marker_close) {
            char text[16];
            std::snprintf(text, sizeof text, "%i", next);
            message_box("Next char/error=", text, box_buttons::ok, box_icon::information);
            return fail("CLASS VALS");
        }
    }
    if (!read_pieces()) return false;
    if (!read_value_names(g_.piece_value_names, "PIECE VALS") || !section_end("PIECE VALS"))
        return fail("PIECE VALS");
    if (!read_players()) return false;
    if (!read_history()) return false;
    if (!read_pools()) return false;
    if (!read_stacks()) return false;

    // 11: view and draw; the fast-zoom byte also stands for the symbols per hex of every zoom.
    {
        auto& s = lg_.settings;
        if (!in_.byte(s.fast_zoom) || !in_.byte(s.combat_summary_class_mask) ||
            !in_.byte(s.combat_summary_piece_mask) || !in_.byte(s.fast_draw_on) || !section_end("FAST ZOOM"))
            return fail("FAST ZOOM");
        for (auto& v : s.symbols_per_hex)
            v = s.fast_zoom;
    }
    if (!read_facing_sets()) return false;
    // 13: scroll and view.
    {
        std::uint8_t zoom;
        if (!in_.raw(lg_.settings.facing_display_options, 3) || !in_.byte(zoom) ||
            !in_.num2(lg_.view_origin) || !in_.byte(lg_.sound) || !section_end("SOUND SETTING"))
            return fail("SOUND SETTING");
        lg_.zoom = zoom < 3 ? zoom : 0;
    }
    if (!read_flips()) return false;
    if (!read_status_dots(g_.status_dots, "STATUS DOTS")) return false;
    // 16: dice.
    {
        auto& s = lg_.settings;
        if (!in_.byte(s.auto_reveal_moving_range) || !in_.byte(s.die_sides_reserved) ||
            !in_.byte(s.dice_count) || !in_.byte(s.die_sides) || !section_end("DIE SIDES"))
            return fail("DIE SIDES");
    }
    if (!read_turn_names()) return false;

    lg_.settings.auto_reveal_moving_los = 0;
    if (at_file_end()) {
        // An older file: line of sight as for a new game.
        lg_.los = los_settings_struct{};
        lg_.check = los_check_struct{};
        lg_.terrain.assign(static_cast<std::size_t>(std::max(0, symbols->terrain_symbol_count)), {});
        lg_.settings.use_elevations = 0;
        lg_.rmb = 0;
        return true;
    }
    if (!read_los()) return false;
    return read_tail();
}

bool game_file_reader::read_classes() {
    const char* label = "CLASSES";
    std::int32_t n;
    if (!list_count(n, max_classes + 1, class_record_min, label)) return false;
    auto& a = g_.class_array;
    try {
        a.assign(static_cast<std::size_t>(n), class_struct{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (auto& c : a) {
        std::int32_t symbol;
        if (!in_.num2(symbol) || !in_.name(c.name, 25)) return fail(label);
        for (auto& v : c.values)
            if (!in_.raw(v.data(), 4)) return fail(label);
        std::int32_t hidden;
        if (!in_.raw(c.value_types, 8) || !in_.byte(c.owner) || !in_.num2(hidden) || !in_.byte(c.facing_set))
            return fail(label);
        // An end value before the last record would hide the classes after it.
        c.symbol = symbol >= class_end ? class_free : symbol;
        c.hidden_symbol = hidden;
    }
    a.back().symbol = class_end;
    return section_end(label);
}

bool game_file_reader::read_value_names(value_name (&names)[8], const char* label) {
    for (auto& n : names)
        if (!in_.name(n, 15)) return fail(label);
    return true;
}

bool game_file_reader::read_pieces() {
    const char* label = "PIECES";
    std::int32_t n;
    if (!list_count(n, max_pieces + 1, piece_record_min, label)) return false;
    auto& a = g_.piece_array;
    try {
        a.assign(static_cast<std::size_t>(n), piece_struct{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (auto& p : a) {
        if (!in_.name(p.name, 25) || !in_.num2(p.class_index)) return fail(label);
        for (auto& v : p.values)
            if (!in_.raw(v.data(), 4)) return fail(label);
        if (!in_.raw(p.value_types, 8) || !in_.byte(p.hidden) || !in_.num2(p.second_location) ||
            !in_.num2(p.location) || !in_.byte(p.flags) || !in_.byte(p.facing))
            return fail(label);
        // An end value before the last record would hide the pieces after it.
        if (p.location == location_end) p.location = location_free;
    }
    a.back().location = location_end;
    g_.piece_end_index = n - 1;
    return section_end(label);
}

bool game_file_reader::read_players() {
    const char* label = "PLAYER DEFS";
    std::int32_t n;
    if (!list_count(n, max_players + 1, player_record_min, label)) return false;
    auto& a = g_.player_array;
    try {
        a.assign(static_cast<std::size_t>(n), player_struct{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        player_struct& p = a[i];
        if (!in_.name(p.name, 25) || !in_.raw(p.password, password_length)) return fail(label);
        unscramble_password(p.password, static_cast<int>(i), static_cast<int>(name_of(p.name).size()));
        if (!in_.byte(p.zoom_level) || !in_.num2(p.view_origin) || !in_.num2(p.default_hidden_symbol) ||
            !in_.name(p.picture_file, 50) || !in_.byte(p.reveal_range) || !in_.byte(p.flags) ||
            !in_.byte(p.replay_delay))
            return fail(label);
    }
    if (!section_end(label)) return false;
    // The list ends at its first empty name.
    std::size_t end = end_position(a, [](const player_struct& p) { return p.name[0] == 0; });
    if (end + 1 < a.size()) a.resize(end + 1);
    std::memset(a.back().name, 0, sizeof a.back().name);
    g_.player_count = static_cast<std::int32_t>(a.size());
    lg_.alliances = make_alliance_table(g_.player_count);

    if (lg_.version <= 202 && a.size() > 1) {
        std::string upper = name_of(a[0].name);
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (upper.find("GAMEMASTER") != std::string::npos && !(a[0].flags & player_flag_game_master)) {
            message_box("Current Version Update Notice", "Updating Gamemaster Authorization Code.",
                        box_buttons::ok, box_icon::information);
            a[0].flags |= player_flag_game_master;
        }
    }
    return true;
}

bool game_file_reader::read_history() {
    const char* label = "REPLAY";
    std::int32_t length;
    bool ok = lg_.version >= 204 ? in_.num4(length) : in_.num2(length);
    if (!ok || length < 1 || static_cast<std::size_t>(length) > in_.remaining()) return fail(label);
    auto& s = g_.history_stream;
    try {
        s.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    if (!in_.raw(s.data(), s.size())) return fail(label);
    s.back() = marker_close;
    return section_end(label);
}

bool game_file_reader::read_pools() {
    const char* label = "POOLS";
    std::int32_t n;
    if (!list_count(n, num2_max, pool_record_min, label)) return false;
    auto& a = g_.pool_array;
    try {
        a.assign(static_cast<std::size_t>(n), pool_struct{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (auto& p : a) {
        if (!in_.name(p.name, 25) || !in_.byte(p.type) || !in_.num2(p.location) || !in_.num2(p.piece_count))
            return fail(label);
        if (p.piece_count == class_end) p.piece_count = class_free;
        // Owners come in the tail; until then every pool belongs to all players.
        p.owner = owner_all_players;
    }
    a.back().piece_count = class_end;
    return section_end(label);
}

bool game_file_reader::read_stacks() {
    const char* label = "STACKS";
    std::int32_t n;
    if (!list_count(n, num2_max, stack_record_min, label)) return false;
    auto& a = g_.stack_def_array;
    try {
        a.assign(static_cast<std::size_t>(n), stack_def_struct{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (auto& d : a)
        if (!in_.num2(d.stack_symbol) || !in_.num2(d.required_class) || !in_.raw(d.minimum_pieces, 3) ||
            !in_.num2(d.owner))
            return fail(label);
    std::size_t end = end_position(a, [](const stack_def_struct& d) { return d.stack_symbol == class_end; });
    if (end + 1 < a.size()) a.resize(end + 1);
    a.back().stack_symbol = class_end;
    return section_end(label);
}

bool game_file_reader::read_facing_sets() {
    const char* label = "FACING DATA";
    std::uint8_t n;
    if (!in_.byte(n) || n < 1 || n > max_facing_sets + 1 ||
        std::size_t{n} * facing_record_min > in_.remaining())
        return fail(label);
    auto& a = g_.facing_set_array;
    try {
        a.assign(n, facing_set_struct{});
    } catch (const std::bad_alloc&) {
        return fail("FACING DEFS", failure::memory);
    }
    for (auto& fs : a)
        if (!in_.name(fs.name, 25) || !in_.byte(fs.direction) || !in_.byte(fs.style) ||
            !in_.byte(fs.fill_colour) || !in_.byte(fs.outline_colour) || !in_.raw(fs.size, 3))
            return fail(label);
    std::size_t end = end_position(a, [](const facing_set_struct& fs) { return fs.direction == 0; });
    if (end + 1 < a.size()) a.resize(end + 1);
    a.back().direction = 0;
    return section_end(label);
}

bool game_file_reader::read_flips() {
    const char* label = "FLIP DEFS";
    std::int32_t n;
    if (!in_.byte(lg_.logged_in)) return fail(label);
    if (!list_count(n, num2_max, flip_record_min, label)) return false;
    auto& a = g_.flip_array;
    try {
        a.assign(static_cast<std::size_t>(n), flip_struct{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (auto& fl : a)
        if (!in_.num2(fl.parent) || !in_.num2(fl.flip_class)) return fail(label);
    std::size_t end = end_position(a, [](const flip_struct& fl) { return fl.parent == class_end; });
    if (end + 1 < a.size()) a.resize(end + 1);
    a.back().parent = class_end;
    return section_end(label);
}

bool game_file_reader::read_status_dots(status_dot_struct (&dots)[6], const char* label) {
    for (auto& d : dots) {
        if (!in_.byte(d.kind) || !in_.num2(d.limit) || !in_.byte(d.colour) || !in_.byte(d.position) ||
            !in_.raw(d.size, 3))
            return fail(label);
        // Conditions 0..6 and value numbers 0..7 are all there are.
        int condition = d.kind & 0x0F, value = d.kind >> 4;
        if (condition > 6) condition = 0;
        if (value > 7) value = 0;
        d.kind = static_cast<std::uint8_t>(value << 4 | condition);
        if (d.position > 9) d.position = 0;
    }
    return section_end(label);
}

bool game_file_reader::read_turn_names() {
    const char* label = "TURN NAMES";
    std::int32_t n;
    if (!list_count(n, num2_max, turn_name_min, label)) return false;
    auto& a = g_.turn_names;
    try {
        a.assign(static_cast<std::size_t>(n), turn_name{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (auto& t : a)
        if (!in_.name(t.text, 50)) return fail(label);
    std::size_t end = end_position(a, [](const turn_name& t) { return t.text[0] == 0; });
    if (end + 1 < a.size()) a.resize(end + 1);
    a.back() = turn_name{};
    return section_end(label);
}

bool game_file_reader::read_los() {
    const char* label = "LOS VALS";
    auto& c = lg_.check;
    auto& s = lg_.los;
    auto hex_or_none = [](std::int32_t v) { return v < 0 || v >= 60000 ? -1 : v; };
    int type;
    std::int32_t spotter, target, range;
    if (!in_.sbyte2(type) || !in_.num2(c.direction) || !in_.long4(spotter) || !in_.long4(target) ||
        !in_.long4(c.radius) || !in_.long4(range) || !in_.byte(s.degrade_for_range) ||
        !in_.num2(s.points_to_block) || !in_.name(s.elevation_level_text, 20) ||
        !in_.byte(s.ground_smoothing) || !in_.num2(s.cliff_elevation))
        return fail(label);
    c.check_type = type;
    c.spotter_hex = hex_or_none(spotter);
    c.target_hex = hex_or_none(target);
    s.maximum_range = hex_or_none(range);
    if (s.points_to_block < 1) s.points_to_block = 1;
    if (lg_.version >= 208) {
        if (!in_.num2(s.hex_size) || !in_.raw(reinterpret_cast<std::uint8_t*>(s.hex_units), 10))
            return fail(label);
    } else {
        s.hex_size = 0;
        s.hex_units[0] = 0;
    }
    std::int32_t n;
    if (!in_.num2(n) || static_cast<std::size_t>(n) * terrain_record_min > in_.remaining())
        return fail(label);
    try {
        lg_.terrain.assign(static_cast<std::size_t>(std::max(n, symbols->terrain_symbol_count)),
                           terrain_los_struct{});
    } catch (const std::bad_alloc&) {
        return fail(label, failure::memory);
    }
    for (std::int32_t i = 0; i < n; ++i) {
        auto& t = lg_.terrain[static_cast<std::size_t>(i)];
        if (!in_.num2(t.block_points) || !in_.num2(t.ground_level) || !in_.num2(t.height_above_ground) ||
            !in_.num2(t.percent_when_spotting) || !in_.num2(t.percent_when_target) ||
            !in_.raw(t.display_colour, 3))
            return fail(label);
    }
    return section_end(label);
}

bool game_file_reader::read_tail() {
    auto& s = lg_.settings;
    // 19.
    if (!in_.byte(s.use_elevations) || !in_.byte(lg_.rmb) || !section_end("CARD VALS"))
        return fail("CARD VALS");
    if (lg_.rmb > 6) lg_.rmb = 0;
    s.card_set_base_path.clear();
    if (at_file_end()) return true;
    // 20.
    std::string base = text_to_section_end();
    if (!base.empty()) s.card_set_base_path = stored_path_to_native(base);
    // 21: one owner per pool before the end record.
    if (at_file_end()) return true;
    {
        std::size_t pools = g_.pool_array.size() - 1;
        std::size_t k = 0;
        std::uint8_t b;
        while (in_.byte(b) && b != marker_close) {
            if (k < pools) g_.pool_array[k].owner = b > owner_nobody ? owner_all_players : b;
            ++k;
        }
        in_.clear_failure();
    }
    // 22, 23.
    if (at_file_end()) return true;
    if (!in_.byte(s.auto_reveal_moving_los) || !section_end("Combat reveal option flag"))
        return fail("Combat reveal option flag");
    if (at_file_end()) return true;
    if (!in_.byte(s.reveal_during_combat) || !section_end("Infopage name")) return fail("Infopage name");
    // 24.
    if (at_file_end()) return true;
    {
        std::string name = text_to_section_end();
        if (!name.empty())
            s.info_page_set_path =
                with_extension(join_path(folder_of(current_game_path), stored_path_to_native(name)), ".IPX");
    }
    // 25.
    if (at_file_end()) return true;
    {
        std::int32_t height, width;
        if (!in_.num2(height) || !in_.num2(width) || !section_end("Alliance Array"))
            return fail("Alliance Array");
        lg_.info_height = height;
        lg_.info_width = width;
    }
    // 26.
    if (at_file_end()) return true;
    if (!read_alliances()) return false;
    // 27, and 28 from version 209 on. A file that ends before them is complete.
    if (at_file_end()) return true;
    {
        std::uint8_t bytes[7];
        if (!in_.raw(bytes, 7)) return fail("Draw Options");
        std::memcpy(s.draw_options + 1, bytes, 4);
        std::memcpy(s.symbols_per_hex, bytes + 4, 3);
        if (lg_.version >= 208 && !in_.byte(s.draw_options[0])) return fail("Draw Options");
    }
    if (lg_.version >= 209) {
        if (at_file_end()) return true;
        if (!in_.skip(1)) return fail("STATUS DOTS");
        if (!read_status_dots(g_.status_dots, "STATUS DOTS")) return false;
    }
    return true;
}

bool game_file_reader::read_alliances() {
    const char* label = "Draw Options";
    std::int32_t p;
    if (!in_.num2(p)) return fail(label);
    // Every entry is its count and p flags, two bytes each.
    if ((static_cast<std::size_t>(p) + 1) * static_cast<std::size_t>(p) * 2 > in_.remaining())
        return fail(label);
    std::size_t players = g_.player_array.size() - 1;
    for (std::int32_t i = 0; i < p; ++i) {
        std::int32_t count;
        if (!in_.num2(count)) return fail(label);
        bool kept = static_cast<std::size_t>(i) < players;
        if (kept) lg_.alliances[static_cast<std::size_t>(i)].count = count;
        for (std::int32_t k = 0; k < p; ++k) {
            std::int32_t flag;
            if (!in_.num2(flag)) return fail(label);
            if (kept && static_cast<std::size_t>(k) < players)
                lg_.alliances[static_cast<std::size_t>(i)].flags[static_cast<std::size_t>(k)] = flag;
        }
    }
    return section_end(label);
}

// Values that index other lists of the game, made safe once every list is read. The links the
// open driver repairs and lists (piece classes, class owners, symbols) are left to it.
void game_file_reader::repair_links() {
    const std::int32_t classes = static_cast<std::int32_t>(g_.class_array.size()) - 1;
    const std::int32_t pools = static_cast<std::int32_t>(g_.pool_array.size()) - 1;
    const std::int32_t players = static_cast<std::int32_t>(g_.player_array.size()) - 1;
    const int facing_sets = static_cast<int>(g_.facing_set_array.size()) - 1;

    // A piece in a pool that does not exist cannot be reached: its slot becomes free.
    for (std::size_t i = 0; i + 1 < g_.piece_array.size(); ++i) {
        piece_struct& p = g_.piece_array[i];
        if (p.location != location_free && p.in_pool() && (p.location < 0 || p.location >= pools))
            p.location = location_free;
    }
    for (auto& c : g_.class_array)
        if (c.facing_set > facing_sets) c.facing_set = 0;

    auto bad_class = [classes](std::int32_t c) { return c < 0 || c >= classes; };
    auto& stacks = g_.stack_def_array;
    stacks.erase(std::remove_if(stacks.begin(), stacks.end() - 1,
                                [&](const stack_def_struct& d) {
                                    return d.required_class != class_end && bad_class(d.required_class);
                                }),
                 stacks.end() - 1);
    // The end record is no definition: it keeps the owner it was read with.
    for (auto d = stacks.begin(); d + 1 < stacks.end(); ++d)
        if (d->owner != owner_all_players && (d->owner < 0 || d->owner >= players))
            d->owner = owner_all_players;
    auto& flips = g_.flip_array;
    flips.erase(std::remove_if(
                    flips.begin(), flips.end() - 1,
                    [&](const flip_struct& fl) { return bad_class(fl.parent) || bad_class(fl.flip_class); }),
                flips.end() - 1);

    // Options that are on only when exactly 1.
    auto& s = lg_.settings;
    if (s.reveal_during_combat != 1) s.reveal_during_combat = 0;
    if (s.auto_reveal_moving_range != 1) s.auto_reveal_moving_range = 0;
    if (s.auto_reveal_moving_los != 1) s.auto_reveal_moving_los = 0;
    if (s.use_elevations != 1) {
        s.use_elevations = 0;
        s.auto_reveal_moving_los = 0;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------

bool write_saved_game_file(const std::string& path, bool report) {
    long_operation busy;
    progress_window progress;
    progress.open("Saving File to Disk", "Saving game file.  Please wait...");
    byte_vector out;
    bool built = true, history_fits = true;
    try {
        out.reserve(1 << 16);
        history_fits = build_saved_game(out, progress);
    } catch (const std::bad_alloc&) {
        built = false;
    }
    if (!history_fits) {
        progress.close();
        if (report)
            error_code_box(game_file_error, "The history does not fit the pieces; the game was not saved.");
        return false;
    }
    if (!built) {
        progress.close();
        if (report) error_code_box("Memory Allocation Error", "Saving File to Disk");
        return false;
    }
    if (!write_file_atomic(path, out)) {
        progress.close();
        if (report) show_error_box(game_file_error, write_failure_text(path));
        return false;
    }
    progress.close();
    return true;
}

bool write_saved_game() {
    long_operation busy;
    const std::string path = with_extension(current_game_path, ".OPS");
    // Another program (another copy of this one) may have saved the game since it was read or
    // written here: its work is not written over unasked.
    if (game_file_as_known.path == path && game_file_as_known.stamp != stamp_of_file(path)) {
        switch (message_box("Game File Changed",
                            "The game file\n\r   " + path +
                                "\n\rwas changed by another program since this game was opened or saved."
                                "\n\r\n\rYes: write this game over it.\n\rNo: save this game under another "
                                "name.\n\rCancel: do not save now.",
                            box_buttons::yes_no_cancel, box_icon::exclamation)) {
        case box_answer::yes:
            break;
        case box_answer::no:
            return save_game_elsewhere_hook && save_game_elsewhere_hook();
        default:
            return false;
        }
    }
    if (!write_saved_game_file(path)) return false;
    current_game_path = path;
    remember_game_file(path);
    game_modified = 0;
    return true;
}

bool read_saved_game() {
    auto file = read_whole_file(current_game_path);
    if (!file) {
        error_code_box(game_file_error, open_failure);
        return false;
    }
    return read_saved_game_bytes(*file);
}

bool read_saved_game_bytes(const byte_vector& file) {
    progress_window progress;
    progress.open("Loading Game File", "Loading ZEL saved game file, please wait...");

    loaded_game lg;
    failure why = failure::none;
    std::string label;
    try {
        game_file_reader reader(file, lg);
        if (!reader.read()) {
            why = reader.why();
            label = reader.label();
        }
    } catch (const std::bad_alloc&) {
        // Every list catches its own failure with its label; this is any other allocation.
        why = failure::memory;
        label.clear();
    }
    progress.close();
    if (why == failure::quiet) return false;
    if (why == failure::memory) {
        error_code_box("Memory Allocation Error", label);
        return false;
    }
    if (why != failure::none) {
        error_code_box(game_file_error, label);
        return false;
    }

    // The whole file read well: the new game replaces the old one.
    free_game();
    game = std::move(lg.g);
    game_settings = std::move(lg.settings);
    los_settings = lg.los;
    los_check = lg.check;
    terrain_los_array = std::move(lg.terrain);
    alliance_table = std::move(lg.alliances);
    ops_file_version = lg.version;
    zoom_level = lg.zoom;
    view_origin_hex = lg.view_origin;
    sound_on = lg.sound;
    player_logged_in = lg.logged_in;
    rmb_mode = lg.rmb;
    info_panel_height = lg.info_height;
    info_panel_width = lg.info_width;
    reset_command_state();
    clear_piece_marks();
    game_modified = 0;

    load_game_card_symbol_sets();
    return true;
}
