#include "map_file.h"

#include "data/version1_files.h"
#include "dialog_globals.h"
#include "file_forms.h"
#include "message_boxes.h"
#include "platform/boxes.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "platform/text_codepage.h"
#include "records.h"
#include "symbol_set.h"
#include "symbols.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

std::string linked_map_path;
bool load_for_game = false;
std::function<void()> free_base_maps_hook;
std::function<void()> load_base_maps_hook;

const hexline_type_struct* hexline_type_of(const board_state& b, std::uint8_t type) {
    if (type >= b.hexline_type_array.size()) return nullptr;
    const hexline_type_struct& t = b.hexline_type_array[type];
    return t.style == 0 ? nullptr : &t;
}

namespace {
constexpr int writer_version = 213;
constexpr std::size_t max_set_name = 255;

void map_error(const std::string& text) {
    error_code_box("Map File Error", text);
}
void error_box(const std::string& caption, const std::string& text) {
    message_box(caption, text, box_buttons::ok, box_icon::stop);
}

// Reads one list section: count, records, section end. Running out of bytes or a missing
// section end is repaired: the message, a skip past the next section end (or to the end of the
// file), and the records read so far. The last record always becomes the end record, so even a
// count of 0 gives a list holding its end record.
template <class T, class ReadOne, class MakeEnd>
void read_list_section(byte_reader& in, std::vector<T>& list, bool byte_count, std::size_t min_record_size,
                       const char* word, ReadOne read_one, MakeEnd make_end) {
    list.clear();
    std::int32_t count = 0;
    bool ok;
    if (byte_count) {
        std::uint8_t c = 0;
        ok = in.byte(c);
        count = c;
    } else {
        ok = in.num2(count);
    }
    if (ok) {
        std::size_t can_hold = in.remaining() / min_record_size;
        list.reserve(std::min(static_cast<std::size_t>(count), can_hold));
        for (std::int32_t i = 0; i < count; ++i) {
            T record;
            if (!read_one(in, record)) {
                ok = false;
                break;
            }
            list.push_back(record);
        }
    }
    if (!ok || !in.expect(marker_close)) {
        in.clear_failure();
        map_error(std::string(word) + ": Will try to correct the error...");
        in.skip_past(marker_close);
        in.clear_failure();
    }
    if (list.empty()) list.push_back(T{});
    make_end(list.back());
}

bool read_name_field(byte_reader& in, char* field, std::size_t width) {
    return in.name(field, width);
}

std::string set_base_name(const std::string& path) {
    return base_name_of(translate_stored_path(path));
}

template <class T> const std::vector<T>& with_end(const std::vector<T>& list, std::vector<T>& spare) {
    if (!list.empty()) return list;
    spare = {T{}};
    return spare;
}
} // namespace

int map_file_version_of(std::uint8_t first, std::uint8_t second) {
    // The writer puts 0 first: the second byte alone is then the version.
    return first == 0 ? second : first + 256 * second;
}

bool parse_map_file(const byte_vector& bytes, board_state& b, std::int32_t terrain_symbol_count) {
    byte_reader in(bytes);
    std::uint8_t marker = 0, v1 = 0, v2 = 0;
    if (!in.byte(marker) || marker != marker_open) return false;
    if (!in.byte(v1) || !in.byte(v2)) {
        map_error("MAX VALS");
        return false;
    }
    const int version = map_file_version_of(v1, v2);
    // The set's name, bounded by the end of the file.
    if (!in.skip_past(0)) {
        map_error("MAX VALS");
        return false;
    }
    std::int32_t columns = 0, rows = 0;
    if (!in.byte(b.kept_header_byte) || !in.num2(columns) || !in.num2(rows) || !in.expect(marker_close) ||
        columns <= 0 || rows <= 0 || static_cast<std::int64_t>(columns) * rows > max_hexes) {
        map_error("MAX VALS");
        return false;
    }
    b.map_columns = columns;
    b.map_rows = rows;
    b.hex_count = columns * rows;

    const auto hexes = static_cast<std::size_t>(b.hex_count);
    if (in.remaining() < hexes * 7) {
        map_error("HEXES");
        return false;
    }
    b.hex_array.assign(hexes, hex_struct{});
    for (auto& h : b.hex_array) {
        in.num2(h.terrain);
        in.num2(h.second_terrain);
        in.num2(h.elevation);
        in.byte(h.flags);
    }
    if (version < 205)
        for (auto& h : b.hex_array)
            h.elevation = b.hex_array[0].elevation;
    if (!in.expect(marker_close)) {
        map_error("HEXES");
        return false;
    }
    b.grid_symbol = b.hex_array[0].elevation;
    b.hex_piece_counts.assign(hexes, 0);

    auto hex_end = [](auto& r) { r.hex = location_end; };
    read_list_section(
        in, b.placename_array, false, 13, "PLACENAMES",
        [](byte_reader& r, placename_struct& p) {
            return r.num2(p.hex) && r.num2(p.terrain) && read_name_field(r, p.name, sizeof p.name) &&
                   r.byte(p.colour) && r.raw(p.font_size, 3) && r.raw(p.label_position, 3) && r.byte(p.style);
        },
        hex_end);
    read_list_section(
        in, b.hexside_array, false, 4, "HEXSIDES",
        [](byte_reader& r, hexside_struct& s) { return r.num2(s.hex) && r.byte(s.type) && r.byte(s.sides); },
        hex_end);
    read_list_section(
        in, b.hexline_type_array, true, 6, "HEXLINE TYPES",
        [](byte_reader& r, hexline_type_struct& t) {
            return r.byte(t.colour) && r.raw(t.pen_width, 3) && read_name_field(r, t.name, sizeof t.name) &&
                   r.byte(t.style);
        },
        [](hexline_type_struct& t) { t.style = 0; });
    read_list_section(
        in, b.hex_overlay_array, false, 4, "ADDITIONAL HEX ATTRIBUTES",
        [](byte_reader& r, hex_overlay_struct& o) { return r.num2(o.hex) && r.num2(o.terrain); }, hex_end);
    read_list_section(
        in, b.board_array, false, 22, "MAPSHEETS",
        [](byte_reader& r, board_struct& s) {
            std::uint8_t column_low = 0, row_low = 0;
            bool ok = r.num2(s.first_column) && r.num2(s.first_row) && r.num2(s.last_column) &&
                      r.num2(s.last_row) && r.raw(reinterpret_cast<std::uint8_t*>(s.name), sizeof s.name) &&
                      r.byte(s.flags) && r.byte(column_low) && r.byte(row_low) &&
                      r.byte(s.column_label_width) && r.byte(s.row_label_width);
            s.column_origin = column_low;
            s.row_origin = row_low;
            return ok;
        },
        [](board_struct& s) { s.flags = 0; });
    read_list_section(
        in, b.hexline_array, false, 5, "HEXLINES",
        [](byte_reader& r, hexline_struct& l) {
            return r.num2(l.hex) && r.byte(l.type) && r.byte(l.directions_1) && r.byte(l.directions_2);
        },
        hex_end);

    // Place names off the board are dropped, the end record kept.
    {
        auto& names = b.placename_array;
        std::vector<placename_struct> kept;
        kept.reserve(names.size());
        for (std::size_t i = 0; i + 1 < names.size(); ++i)
            if (names[i].hex >= 0 && names[i].hex < b.hex_count) kept.push_back(names[i]);
        kept.push_back(names.back());
        names = std::move(kept);
    }
    // An end mark inside the overlay list must not end it early: every record read with the end
    // mark, the last one too, is moved off the board and names no symbol; then the last record
    // becomes the end record again.
    for (std::size_t i = 0; i < b.hex_overlay_array.size(); ++i) {
        hex_overlay_struct& o = b.hex_overlay_array[i];
        if (o.hex == location_end) {
            o.hex = b.hex_count + 1;
            o.terrain = terrain_symbol_count + 1;
        }
    }
    b.hex_overlay_array.back().hex = location_end;
    b.has_map_sheets = b.board_array.size() > 1 && b.board_array[0].flags != 0;
    b.hexside_count = static_cast<std::int32_t>(b.hexside_array.size());
    b.hexline_count = static_cast<std::int32_t>(b.hexline_array.size());

    // Settings. A file cut inside them keeps the defaults of what is missing.
    std::uint8_t grid_type = 1;
    std::int32_t view_origin = 0, zoom = 0;
    in.byte(b.kept_settings_byte);
    in.raw(b.kept_settings_block_1, 10);
    in.raw(b.kept_settings_block_2, 10);
    in.byte(grid_type);
    in.byte(b.kept_view_byte);
    in.num2(view_origin);
    in.num2(zoom);
    in.byte(b.use_elevations);
    // A grid type outside 1..3 would make every hex measure wrong; 0 (and damage) is 1.
    b.grid_type = grid_type >= 1 && grid_type <= 3 ? grid_type : 1;
    b.saved_view_origin = view_origin;
    b.saved_zoom_level = static_cast<std::uint8_t>(zoom & 0xFF);

    bool long_values_path = true;
    std::uint8_t next = 0;
    if (in.byte(next)) {
        if (next == marker_close)
            in.byte(b.fast_draw);
        else
            map_error("Elevations: Will try to correct the error...");
    }
    if (!in.byte(b.background_colour)) {
        b.background_colour = default_background_colour;
    } else if (!in.byte(next)) {
        // Ended after the colour: nothing further sets anything.
    } else if (next != marker_close) {
        map_error("Mapsheet long vals...");
        long_values_path = false;
    } else {
        for (auto& s : b.board_array) {
            std::int32_t column_origin = 0, row_origin = 0;
            if (!in.long4(column_origin) || !in.long4(row_origin)) break;
            s.column_origin = column_origin;
            s.row_origin = static_cast<std::uint16_t>(row_origin);
        }
    }
    in.clear_failure();

    if (long_values_path) {
        if (version <= 206) {
            b.grid_symbol = b.hex_array[0].elevation;
            for (auto& h : b.hex_array)
                h.elevation = 0;
        } else {
            std::uint8_t section_end = 0;
            std::int32_t grid_symbol = grid_symbol_none;
            if (!in.byte(section_end) || !in.num2(grid_symbol)) grid_symbol = grid_symbol_none;
            b.grid_symbol = grid_symbol;
        }
        in.clear_failure();
        b.grid_adjustment = 1;
        if (version > 206 && in.skip_past(marker_close)) in.byte(b.grid_adjustment);
        in.clear_failure();
        if (version >= 211 && in.skip_past(marker_close)) {
            std::uint8_t order[8];
            // Each entry names a layer; an order naming no layer keeps the standard one.
            if (in.raw(order, 8) && std::all_of(order, order + 8, [](std::uint8_t o) { return o < 8; }))
                std::memcpy(b.draw_layer_order, order, 8);
        }
    }
    if (b.grid_symbol < 0 || b.grid_symbol >= terrain_symbol_count) {
        b.grid_symbol = grid_symbol_none;
        b.grid_display = 0;
    } else {
        b.grid_display = 1;
    }
    return true;
}

byte_vector map_file_bytes(const board_state& b, const std::string& set_name) {
    byte_vector out;
    out.reserve(64 + b.hex_array.size() * 7 + b.placename_array.size() * 40 + b.hexside_array.size() * 4 +
                b.hex_overlay_array.size() * 4 + b.hexline_array.size() * 5);
    byte_writer w(out);
    w.byte(marker_open);
    w.byte(0);
    w.byte(writer_version);
    const std::string name = set_name.substr(0, std::min(set_name.find('\0'), max_set_name));
    w.raw(reinterpret_cast<const std::uint8_t*>(name.data()), name.size());
    w.byte(0);
    w.byte(b.kept_header_byte);
    w.num2(b.map_columns);
    w.num2(b.map_rows);
    w.byte(marker_close);

    for (const auto& h : b.hex_array) {
        w.num2(h.terrain);
        w.num2(h.second_terrain);
        w.num2(h.elevation);
        w.byte(h.flags);
    }
    w.byte(marker_close);

    std::vector<placename_struct> spare_names;
    const auto& names = with_end(b.placename_array, spare_names);
    w.num2(static_cast<std::int64_t>(names.size()));
    for (const auto& p : names) {
        w.num2(p.hex);
        w.num2(p.terrain);
        w.name(p.name);
        w.byte(p.colour);
        w.raw(p.font_size, 3);
        w.raw(p.label_position, 3);
        w.byte(p.style);
    }
    w.byte(marker_close);

    std::vector<hexside_struct> spare_sides;
    const auto& sides = with_end(b.hexside_array, spare_sides);
    w.num2(static_cast<std::int64_t>(sides.size()));
    for (const auto& s : sides) {
        w.num2(s.hex);
        w.byte(s.type);
        w.byte(s.sides);
    }
    w.byte(marker_close);

    std::size_t types_in_use = 0;
    while (types_in_use < b.hexline_type_array.size() && types_in_use < max_hexline_types &&
           b.hexline_type_array[types_in_use].style != 0)
        ++types_in_use;
    w.byte(static_cast<std::uint8_t>(types_in_use + 1));
    for (std::size_t i = 0; i <= types_in_use; ++i) {
        hexline_type_struct t =
            i < b.hexline_type_array.size() ? b.hexline_type_array[i] : hexline_type_struct{};
        if (i == types_in_use) t.style = 0;
        w.byte(t.colour);
        w.raw(t.pen_width, 3);
        w.name(t.name);
        w.byte(t.style);
    }
    w.byte(marker_close);

    std::vector<hex_overlay_struct> spare_overlays;
    const auto& overlays = with_end(b.hex_overlay_array, spare_overlays);
    w.num2(static_cast<std::int64_t>(overlays.size()));
    for (const auto& o : overlays) {
        w.num2(o.hex);
        w.num2(o.terrain);
    }
    w.byte(marker_close);

    std::size_t sheets_in_use = 0;
    while (sheets_in_use < b.board_array.size() && b.board_array[sheets_in_use].flags != 0)
        ++sheets_in_use;
    std::vector<board_struct> sheets(b.board_array.begin(),
                                     b.board_array.begin() + static_cast<std::ptrdiff_t>(sheets_in_use));
    sheets.push_back(sheets_in_use < b.board_array.size() ? b.board_array[sheets_in_use] : board_struct{});
    sheets.back().flags = 0;
    w.num2(static_cast<std::int64_t>(sheets.size()));
    for (const auto& s : sheets) {
        w.num2(s.first_column);
        w.num2(s.first_row);
        w.num2(s.last_column);
        w.num2(s.last_row);
        w.raw(reinterpret_cast<const std::uint8_t*>(s.name), sizeof s.name);
        w.byte(s.flags);
        w.byte(static_cast<std::uint8_t>(s.column_origin & 0xFF));
        w.byte(static_cast<std::uint8_t>(s.row_origin & 0xFF));
        w.byte(s.column_label_width);
        w.byte(s.row_label_width);
    }
    w.byte(marker_close);

    std::vector<hexline_struct> spare_lines;
    const auto& lines = with_end(b.hexline_array, spare_lines);
    w.num2(static_cast<std::int64_t>(lines.size()));
    for (const auto& l : lines) {
        w.num2(l.hex);
        w.byte(l.type);
        w.byte(l.directions_1);
        w.byte(l.directions_2);
    }
    w.byte(marker_close);

    w.byte(b.kept_settings_byte);
    w.raw(b.kept_settings_block_1, 10);
    w.raw(b.kept_settings_block_2, 10);
    w.byte(b.grid_type);
    w.byte(b.kept_view_byte);
    w.num2(b.saved_view_origin);
    w.num2(b.saved_zoom_level);
    w.byte(b.use_elevations);
    w.byte(marker_close);
    w.byte(b.fast_draw);
    w.byte(b.background_colour);
    w.byte(marker_close);
    for (const auto& s : sheets) {
        w.long4(s.column_origin);
        w.long4(s.row_origin);
    }
    w.byte(marker_close);
    w.num2(b.grid_symbol);
    w.byte(marker_close);
    w.byte(b.grid_adjustment);
    w.byte(marker_close);
    w.raw(b.draw_layer_order, 8);
    w.byte(0);
    w.byte(0);
    w.byte(marker_close);
    if (!w.ok()) out.clear();
    return out;
}

bool write_map_file() {
    progress_window progress;
    progress.open("Saving File to Disk", "Saving map/board file.  Please wait...");
    byte_vector out = map_file_bytes(*board, set_base_name(symbol_set_path));
    progress.set_position(50);
    const bool built = !out.empty();
    const bool ok = built && write_file_atomic(linked_map_path, out);
    progress.close();
    if (!ok) {
        if (built)
            error_box("Map File Error", write_failure_text(linked_map_path));
        else
            map_error("Could not open selected file!");
        return false;
    }
    board->map_file_version = writer_version;
    return true;
}

bool save_map_as() {
    std::optional<std::string> chosen = MapSaveFileName(linked_map_path);
    if (!chosen) return false;
    const std::string previous = linked_map_path;
    linked_map_path = *chosen;
    if (!write_map_file()) {
        linked_map_path = previous;
        return false;
    }
    return true;
}

int confirm_save_current_map() {
    dialog_result = ask_to_save_first("Current Map/Board Not Saved!", save_map_as);
    return dialog_result;
}

namespace {
template <class T> bool needs_sort(const std::vector<T>& list) {
    for (std::size_t i = 1; i < list.size(); ++i)
        if (list[i].hex < list[i - 1].hex) return true;
    return false;
}

template <class T> void sort_by_hex(std::vector<T>& list, std::int32_t hex_count) {
    std::vector<T> sorted;
    sorted.reserve(list.size());
    for (std::size_t i = 0; i + 1 < list.size(); ++i)
        if (list[i].hex >= 0 && list[i].hex < hex_count) sorted.push_back(list[i]);
    std::stable_sort(sorted.begin(), sorted.end(), [](const T& a, const T& c) { return a.hex < c.hex; });
    T end_record = list.empty() ? T{} : list.back();
    end_record.hex = location_end;
    sorted.push_back(end_record);
    list = std::move(sorted);
}

constexpr std::uint8_t odd_angle_bits_1 = 8 | 32;
constexpr std::uint8_t odd_angle_bits_2 = 4 | 16;

bool has_odd_angles(const board_state& b) {
    for (std::size_t i = 0; i + 1 < b.hexline_array.size(); ++i)
        if ((b.hexline_array[i].directions_1 & odd_angle_bits_1) ||
            (b.hexline_array[i].directions_2 & odd_angle_bits_2))
            return true;
    return false;
}

std::uint8_t move_bit(std::uint8_t v, std::uint8_t from, std::uint8_t to) {
    if (!(v & from)) return v;
    return static_cast<std::uint8_t>((v & ~from) | to);
}
} // namespace

void sort_hexsides() {
    sort_by_hex(board->hexside_array, board->hex_count);
    board->hexside_count = static_cast<std::int32_t>(board->hexside_array.size());
}

void sort_hexlines() {
    sort_by_hex(board->hexline_array, board->hex_count);
    board->hexline_count = static_cast<std::int32_t>(board->hexline_array.size());
}

void remap_hexline_angles(board_state& b) {
    for (std::size_t i = 0; i + 1 < b.hexline_array.size(); ++i) {
        hexline_struct& l = b.hexline_array[i];
        l.directions_1 = move_bit(move_bit(l.directions_1, 8, 4), 32, 64);
        l.directions_2 = move_bit(move_bit(l.directions_2, 4, 2), 16, 32);
    }
}

void derive_hex_cell_sizes(board_state& b, const std::int32_t hex_size_by_zoom[3], bool hex_shape) {
    for (int z = 0; z < 3; ++z) {
        std::int32_t w = hex_size_by_zoom[z], h = hex_size_by_zoom[z];
        if (hex_shape) {
            if (b.grid_type == 1) {
                w = w * 4 / 5;
                if (b.grid_adjustment) {
                    w -= 1;
                    h -= 2;
                } else {
                    h -= 1;
                }
            } else if (b.grid_type == 2) {
                h = h * 4 / 5;
                if (b.grid_adjustment) {
                    h -= 1;
                    w -= 2;
                } else {
                    h -= 1;
                }
            }
        }
        // Tiny cells must still measure at least a pixel: the view divides by these.
        b.hex_width_by_zoom[z] = std::max(w, 1);
        b.hex_height_by_zoom[z] = std::max(h, 1);
    }
}

bool read_map_file() {
    const std::string previous_map = linked_map_path;
    const std::string previous_set = symbol_set_path;
    auto fail = [&] {
        linked_map_path = previous_map;
        symbol_set_path = previous_set;
        return false;
    };

    // 1. The file.
    if (!load_for_game) {
        std::optional<std::string> chosen = OpenMapForm(linked_map_path);
        if (!chosen) return fail();
        linked_map_path = *chosen;
    }
    std::optional<byte_vector> bytes;
    for (;;) {
        auto found = find_file_case_blind(linked_map_path);
        bytes = found ? read_whole_file(*found) : std::nullopt;
        if (bytes) {
            linked_map_path = *found;
            break;
        }
        map_error("Could not open selected file!");
        error_box("LINKED MAP FILE ERROR",
                  "Could not open the .MAP file specified\n\rfor this game.  Please select another.");
        std::optional<std::string> chosen = OpenMapForm(linked_map_path);
        if (!chosen) return fail();
        linked_map_path = *chosen;
    }

    // 2. Its symbol set, named at the head of the file.
    const bool current = !bytes->empty() && (*bytes)[0] == marker_open;
    std::string name;
    {
        std::size_t at = 0;
        if (current) {
            at = 3;
        } else {
            while (at < bytes->size() && (*bytes)[at] != marker_close)
                ++at;
            ++at;
        }
        // The current layout holds the set's base name whole ("Demo v1.2"); the first version's
        // ends its name at a dot or a colon.
        for (; at < bytes->size() && name.size() < max_set_name; ++at) {
            char c = static_cast<char>((*bytes)[at]);
            if (c == 0 || (!current && (c == '.' || c == ':'))) break;
            name.push_back(c);
        }
        name = stored_path_to_native(name);
        if (current && name.size() > 4 && equal_ignoring_case(name.substr(name.size() - 4), ".SET"))
            name.erase(name.size() - 4);
    }
    const std::string named_path = name + ".SET";
    // Beside the board first (a relative name is the board's), then as the name stands: a set of
    // the same name in whatever folder is current must not win over the board's own.
    std::optional<std::string> set_found;
    if (!name.empty()) {
        const std::string board_folder = folder_of(linked_map_path);
        set_found = find_linked_file(named_path, board_folder);
        if (!set_found)
            set_found = find_file_case_blind(
                join_path(board_folder, file_name_of(translate_stored_path(name)) + ".SET"));
    }
    if (!set_found) set_found = find_file_case_blind(named_path);
    bool set_chosen_by_user = false;
    if (set_found) {
        symbol_set_path = *set_found;
    } else {
        message_box("Could Not Find .SET File",
                    "The symbol files specified for this game: \n\r" + named_path +
                        "\n\rwere not found.\n\rPlease select the .SET file to use for this map.",
                    box_buttons::ok, box_icon::exclamation);
        std::optional<std::string> chosen = GetSymFileToLink(symbol_set_path);
        if (!chosen) {
            error_box("LINKED MAP FILE ERROR",
                      "Could not open the .MAP file specified\n\rfor this game.  Cancelling operation.");
            return fail();
        }
        symbol_set_path = *chosen;
        set_chosen_by_user = true;
    }
    load_for_game = true;
    symbol_state fresh_set;
    if (!prepare_symbol_set(fresh_set)) return fail();
    game_modified = 0;

    // 3. The board, into a fresh object.
    board_state fresh_board;
    bool converted = false;
    if (!current) {
        if (!convert_version1_map(fresh_board)) return fail();
        converted = true;
    } else {
        progress_window progress;
        progress.open("", "Loading ZEL board/map file, please wait...");
        bool ok = parse_map_file(*bytes, fresh_board, fresh_set.terrain_symbol_count);
        progress.close();
        if (!ok) return fail();
    }

    // The whole read went well: the new set and board replace the old ones.
    install_symbol_set(std::move(fresh_set));
    if (free_base_maps_hook) free_base_maps_hook();
    *board = std::move(fresh_board);
    board->map_file_version = converted ? 1 : 2;
    if (load_whole_map_bitmaps_hook) load_whole_map_bitmaps_hook();
    if (set_chosen_by_user && !converted) write_map_file();

    derive_hex_cell_sizes(*board, symbols->hex_size_by_zoom, symbols->hex_shape != 0);

    bool sorted = false;
    if (needs_sort(board->hexside_array)) {
        sort_hexsides();
        sorted = true;
    }
    if (needs_sort(board->hexline_array)) {
        sort_hexlines();
        sorted = true;
    }
    if (sorted &&
        message_box(
            "Save File",
            "Elements of the MAP file have been sorted.  To speed up \n\rloading this file in the future, "
            "you "
            "should save the sorted \n\rversion now.  When saving, select OK on the file selection \n\rbox, "
            "and YES to overwrite. \n\r\n\rWould you like to save the sorted map file?",
            box_buttons::yes_no, box_icon::question) == box_answer::yes)
        save_map_as();

    if (symbols->hex_shape && has_odd_angles(*board) &&
        message_box("Special Conditions Found",
                    "A check of this map's hexlines has determined that at least \n\rsome of them are not at "
                    "the standard "
                    "'connecting' angle.  This  \n\rmay be intended.  However, this is also caused by "
                    "linking a \n\rconverted "
                    "ZEL-1 map/board with a new ZEL-2 symbol set.  If you have \n\rdone this, or if you are "
                    "not sure, you "
                    "should probably select Yes, below, \n\rto adjust the hexline angles. \n\r\n\rWould you "
                    "like to adjust the "
                    "hexline angles to 'normal' and save the map?",
                    box_buttons::yes_no, box_icon::question) == box_answer::yes) {
        remap_hexline_angles(*board);
        write_map_file();
    }

    if (load_base_maps_hook) load_base_maps_hook();
    game_modified = 0;
    return true;
}
