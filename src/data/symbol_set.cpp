#include "symbol_set.h"

#include "board.h"
#include "data/version1_files.h"
#include "file_forms.h"
#include "message_boxes.h"
#include "platform/boxes.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "records.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

std::string symbol_set_path;
std::function<void()> load_whole_map_bitmaps_hook;

const symbol_struct* symbol_state::terrain_symbol(std::int64_t n) const {
    return n >= 0 && n < terrain_symbol_count && static_cast<std::size_t>(n) < terrain_symbols.size()
               ? &terrain_symbols[static_cast<std::size_t>(n)]
               : nullptr;
}

const symbol_struct* symbol_state::piece_symbol(std::int64_t n) const {
    return n >= 0 && n < piece_symbol_count && static_cast<std::size_t>(n) < piece_symbols.size()
               ? &piece_symbols[static_cast<std::size_t>(n)]
               : nullptr;
}

const symbol_struct* symbol_state::mask_of(const symbol_struct& s) const {
    return s.mask >= 0 && s.mask < mask_symbol_count && static_cast<std::size_t>(s.mask) < mask_symbols.size()
               ? &mask_symbols[static_cast<std::size_t>(s.mask)]
               : nullptr;
}

namespace {
void symbol_file_error(const std::string& text) {
    error_code_box("Symbol File Error", text);
}
void execution_message(const std::string& text) {
    message_box("Execution message:", text, box_buttons::ok, box_icon::information);
}
void info_number(const std::string& caption, int n) {
    message_box(caption, std::to_string(n), box_buttons::ok, box_icon::information);
}

std::string existing_or_given(const std::string& path) {
    auto found = find_file_case_blind(path);
    return found ? *found : path;
}

constexpr const char* strip_letters[3] = {"-T", "-U", "-M"};

// Name 25, mask index, then four long4 per zoom.
// The fewest bytes a record can take: a name of one byte (its 0), the mask index, the edges.
constexpr std::size_t record_size(bool wide_mask) {
    return 1 + (wide_mask ? 2 : 1) + 48;
}

bool read_records(byte_reader& in, std::vector<symbol_struct>& out, std::int32_t count, bool wide_mask) {
    out.assign(static_cast<std::size_t>(count), symbol_struct{});
    for (auto& s : out) {
        // By the name rule of every file: up to and including its 0, at most the field.
        if (!in.name(s.name)) return false;
        if (wide_mask) {
            if (!in.num2(s.mask)) return false;
        } else {
            std::uint8_t m;
            if (!in.byte(m)) return false;
            s.mask = m;
        }
        for (int z = 0; z < 3; ++z)
            if (!in.long4(s.left[z]) || !in.long4(s.top[z]) || !in.long4(s.right[z]) ||
                !in.long4(s.bottom[z]))
                return false;
    }
    return true;
}

void write_records(byte_writer& w, const std::vector<symbol_struct>& list, std::int32_t count,
                   bool wide_mask) {
    for (std::int32_t i = 0; i < count && static_cast<std::size_t>(i) < list.size(); ++i) {
        const symbol_struct& s = list[static_cast<std::size_t>(i)];
        w.name(s.name);
        if (wide_mask)
            w.num2(s.mask);
        else
            w.byte(static_cast<std::uint8_t>(s.mask));
        for (int z = 0; z < 3; ++z) {
            w.long4(s.left[z]);
            w.long4(s.top[z]);
            w.long4(s.right[z]);
            w.long4(s.bottom[z]);
        }
    }
}

std::int32_t written_count(const std::vector<symbol_struct>& list, std::int32_t count) {
    return std::clamp<std::int32_t>(count, 0, static_cast<std::int32_t>(list.size()));
}
} // namespace

bool parse_symbol_set(const byte_vector& bytes, symbol_state& into) {
    byte_reader in(bytes);
    std::uint8_t marker = 0;
    if (!in.byte(marker)) return false;
    if (marker != marker_open && marker != marker_alt_layout) {
        message_box("File Error", "The symbol SET file is from ZEL Version 1.\n\rOperation Cancelled.",
                    box_buttons::ok, box_icon::stop);
        return false;
    }
    const bool wide_mask = marker == marker_alt_layout;
    std::uint8_t grid_type_byte = 0;
    if (!in.byte(grid_type_byte) || !in.byte(into.hex_shape) || !in.byte(into.display_flag_2)) return false;
    std::int32_t* counts[3] = {&into.terrain_symbol_count, &into.piece_symbol_count, &into.mask_symbol_count};
    for (int kind = 0; kind < 3; ++kind) {
        if (!in.num2(*counts[kind])) return false;
        for (int z = 0; z < 3; ++z)
            if (!in.long4(into.strip_width[kind][z]) || !in.long4(into.strip_height[kind][z])) return false;
    }
    // Every count must fit in the bytes that are left before anything is allocated.
    std::size_t needed = 0;
    for (auto* c : counts)
        needed += static_cast<std::size_t>(*c) * record_size(wide_mask);
    if (needed > in.remaining()) return false;
    if (!read_records(in, into.terrain_symbols, into.terrain_symbol_count, wide_mask) ||
        !read_records(in, into.piece_symbols, into.piece_symbol_count, wide_mask) ||
        !read_records(in, into.mask_symbols, into.mask_symbol_count, wide_mask))
        return false;

    // Edges come from the file as any 32-bit values: their differences are taken in 64 bits.
    auto span = [](std::int32_t from, std::int32_t to) {
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t{to} - from, INT32_MIN, INT32_MAX));
    };
    for (int z = 0; z < 3; ++z) {
        into.largest_piece_width[z] = 0;
        into.largest_piece_height[z] = 0;
        for (const auto& s : into.piece_symbols) {
            into.largest_piece_width[z] = std::max(into.largest_piece_width[z], span(s.left[z], s.right[z]));
            into.largest_piece_height[z] =
                std::max(into.largest_piece_height[z], span(s.top[z], s.bottom[z]));
        }
    }
    // The cell size is the first terrain symbol's width; a cell of no width would divide by zero
    // wherever hexes are measured, so such a set is damaged.
    if (!into.terrain_symbols.empty()) {
        for (int z = 0; z < 3; ++z) {
            const symbol_struct& first = into.terrain_symbols[0];
            std::int64_t width = std::int64_t{first.right[z]} - first.left[z] + 1;
            if (width <= 0 || width > bitmap_max_side) return false;
            into.hex_size_by_zoom[z] = static_cast<std::int32_t>(width);
        }
    }
    return true;
}

byte_vector symbol_set_file_bytes(const symbol_state& set, std::uint8_t grid_type) {
    byte_vector out;
    byte_writer w(out);
    const std::vector<symbol_struct>* lists[3] = {&set.terrain_symbols, &set.piece_symbols,
                                                  &set.mask_symbols};
    const std::int32_t counts[3] = {written_count(set.terrain_symbols, set.terrain_symbol_count),
                                    written_count(set.piece_symbols, set.piece_symbol_count),
                                    written_count(set.mask_symbols, set.mask_symbol_count)};
    // The one-byte mask layout would cut a mask index above 255: such a set keeps the wide layout.
    bool wide_mask = false;
    for (int kind = 0; kind < 3; ++kind)
        for (std::int32_t i = 0; i < counts[kind]; ++i) {
            std::int32_t m = (*lists[kind])[static_cast<std::size_t>(i)].mask;
            if (m < 0 || m > 255) wide_mask = true;
        }
    w.byte(wide_mask ? marker_alt_layout : marker_open);
    w.byte(grid_type);
    w.byte(set.hex_shape);
    w.byte(set.display_flag_2);
    for (int kind = 0; kind < 3; ++kind) {
        w.num2(counts[kind]);
        for (int z = 0; z < 3; ++z) {
            w.long4(set.strip_width[kind][z]);
            w.long4(set.strip_height[kind][z]);
        }
    }
    for (int kind = 0; kind < 3; ++kind)
        write_records(w, *lists[kind], counts[kind], wide_mask);
    if (!w.ok()) out.clear();
    return out;
}

bool write_symbol_set_file(const std::string& path) {
    byte_vector out = symbol_set_file_bytes(*symbols, board->grid_type);
    if (out.empty()) {
        symbol_file_error("Could not create .SET file!");
        return false;
    }
    if (!write_file_atomic(path, out)) {
        message_box("Symbol File Error", write_failure_text(path), box_buttons::ok, box_icon::stop);
        return false;
    }
    return true;
}

namespace {
bool read_symbol_set_into(symbol_state& into, const std::string& path) {
    auto found = find_file_case_blind(path);
    std::optional<byte_vector> bytes = found ? read_whole_file(*found) : std::nullopt;
    if (!bytes) {
        message_box("Fatal File Error", "Can not open the symbol SET file.\n\rOperation Cancelled.",
                    box_buttons::ok, box_icon::stop);
        return false;
    }
    return parse_symbol_set(*bytes, into);
}
} // namespace

bool read_symbol_set_file() {
    symbol_state fresh;
    if (!read_symbol_set_into(fresh, symbol_set_path)) return false;
    symbol_state& s = *symbols;
    s.terrain_symbols = std::move(fresh.terrain_symbols);
    s.piece_symbols = std::move(fresh.piece_symbols);
    s.mask_symbols = std::move(fresh.mask_symbols);
    s.terrain_symbol_count = fresh.terrain_symbol_count;
    s.piece_symbol_count = fresh.piece_symbol_count;
    s.mask_symbol_count = fresh.mask_symbol_count;
    std::memcpy(s.strip_width, fresh.strip_width, sizeof s.strip_width);
    std::memcpy(s.strip_height, fresh.strip_height, sizeof s.strip_height);
    s.hex_shape = fresh.hex_shape;
    s.display_flag_2 = fresh.display_flag_2;
    std::memcpy(s.hex_size_by_zoom, fresh.hex_size_by_zoom, sizeof s.hex_size_by_zoom);
    std::memcpy(s.largest_piece_width, fresh.largest_piece_width, sizeof s.largest_piece_width);
    std::memcpy(s.largest_piece_height, fresh.largest_piece_height, sizeof s.largest_piece_height);
    return true;
}

bool load_symbol_strips(symbol_state& set, const std::string& set_path) {
    const std::string base = without_extension(set_path);
    const std::int32_t counts[3] = {set.terrain_symbol_count, set.piece_symbol_count, set.mask_symbol_count};
    // Pieces first, then terrain, then masks.
    for (int kind : {symbol_kind_piece, symbol_kind_terrain, symbol_kind_mask}) {
        if (kind == symbol_kind_terrain && counts[kind] <= 0) {
            message_box("Terrain/Board Symbols Not Found",
                        "There are no terrain/board symbols defined.\n\rOperation cancelled.",
                        box_buttons::ok, box_icon::stop);
            return false;
        }
        // A set without symbols of a kind needs no strips of that kind.
        if (counts[kind] <= 0) continue;
        for (int z = 0; z < 3; ++z) {
            std::string name = base + strip_letters[kind] + std::to_string(z + 1) + ".BMP";
            bitmap picture;
            if (!picture.load(existing_or_given(name))) return false;
            // Sizes come from the file: any 32-bit value, so reduce them without overflow and
            // refuse what no bitmap can be.
            std::int64_t w = set.strip_width[kind][z], h = set.strip_height[kind][z];
            if (kind == symbol_kind_terrain) {
                --w;
                --h;
            }
            if (w < 1 || h < 1 || w > bitmap_max_side || h > bitmap_max_side) return false;
            bitmap strip = picture.copy_top_left(static_cast<int>(w), static_cast<int>(h));
            if (strip.is_null()) return false;
            set.strips[kind][z] = std::move(strip);
        }
    }
    return true;
}

std::optional<std::vector<int>> read_symbol_order(const std::string& set_path, int terrain_count,
                                                  int piece_count) {
    auto found = find_file_case_blind(without_extension(set_path) + ".SDX");
    if (!found) return std::nullopt;
    std::optional<byte_vector> bytes = read_whole_file(*found);
    if (!bytes) {
        execution_message("Warning: Could not open SDX file.");
        return std::nullopt;
    }
    // Lines; a line is read into a 20-character buffer, so at most 19 characters of it count.
    std::vector<std::string> lines;
    std::string line;
    for (std::uint8_t b : *bytes) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (b != '\r') {
            line.push_back(static_cast<char>(b == 0 ? ' ' : b));
        }
    }
    if (!line.empty()) lines.push_back(line);

    std::vector<int> old_of_new(static_cast<std::size_t>(std::max(piece_count, 0)), 0);
    std::vector<bool> taken(old_of_new.size(), false);
    for (int i = 0; i < piece_count; ++i) {
        std::size_t at = static_cast<std::size_t>(terrain_count) + static_cast<std::size_t>(i);
        long n = 0;
        if (at < lines.size()) {
            std::string text = lines[at].substr(0, 19);
            n = std::strtol(text.c_str(), nullptr, 10);
        }
        // Out of range, or a symbol named twice (which would lose another symbol): keep the old order.
        bool bad = n < 1 || n > piece_count || taken[static_cast<std::size_t>(n - 1)];
        if (bad) {
            info_number("SDX Index=", static_cast<int>(std::clamp<long>(n - 1, INT32_MIN, INT32_MAX)));
            info_number("num_symbols=", piece_count);
            info_number("i=", i);
            symbol_file_error("Piece SDX index out or bounds.  The SDX file is probably corrupted.  Aborting "
                              "operation!");
            return std::nullopt;
        }
        taken[static_cast<std::size_t>(n - 1)] = true;
        old_of_new[static_cast<std::size_t>(i)] = static_cast<int>(n - 1);
    }
    return old_of_new;
}

bool prepare_symbol_set(symbol_state& fresh) {
    const std::string previous_path = symbol_set_path;
    auto fail = [&] {
        symbol_set_path = previous_path;
        return false;
    };
    if (!load_for_game) {
        std::optional<std::string> chosen = OpenSymForm(symbol_set_path);
        if (!chosen) return fail();
        symbol_set_path = *chosen;
    }
    std::optional<byte_vector> bytes;
    for (;;) {
        auto found = find_file_case_blind(symbol_set_path);
        bytes = found ? read_whole_file(*found) : std::nullopt;
        if (bytes) {
            if (found) symbol_set_path = *found;
            break;
        }
        symbol_file_error("Could not open selected file!");
        if (!load_for_game) return fail();
        message_box("LINKED SYM FILE ERROR",
                    "Could not open the .SET file specified\n\rfor this game.  Please select another.",
                    box_buttons::ok, box_icon::stop);
        std::optional<std::string> chosen = OpenSymForm(symbol_set_path);
        if (!chosen) return fail();
        symbol_set_path = *chosen;
    }

    game_modified = 0;
    load_for_game = true;
    const bool version1 = !bytes->empty() && (*bytes)[0] != marker_open && (*bytes)[0] != marker_alt_layout;
    if (version1) {
        if (!convert_version1_symbol_set(fresh)) {
            execution_message("Ver 1 Symbol Conversion FAILED.");
            return fail();
        }
        fresh.converted_from_version1 = true;
    } else {
        fresh.converted_from_version1 = false;
    }

    for (int z = 0; z < 3; ++z)
        fresh.largest_piece_width[z] = fresh.largest_piece_height[z] = 0;
    progress_window progress;
    progress.open("", "Loading ZEL symbol files, please wait...");
    bool ok = version1 || parse_symbol_set(*bytes, fresh);
    if (ok) {
        progress.set_position(50);
        ok = load_symbol_strips(fresh, symbol_set_path);
    }
    progress.close();
    if (!ok) {
        execution_message("Symbol loading failed");
        return fail();
    }

    if (!fresh.converted_from_version1) {
        auto order = read_symbol_order(symbol_set_path, fresh.terrain_symbol_count, fresh.piece_symbol_count);
        if (order) {
            std::vector<symbol_struct> reordered;
            reordered.reserve(order->size());
            for (int old_index : *order)
                reordered.push_back(fresh.piece_symbols[static_cast<std::size_t>(old_index)]);
            fresh.piece_symbols = std::move(reordered);
        }
    }
    return true;
}

void install_symbol_set(symbol_state&& fresh) {
    *symbols = std::move(fresh);
    free_map();
    free_game();
}

bool load_symbol_set() {
    symbol_state fresh;
    if (!prepare_symbol_set(fresh)) return false;
    install_symbol_set(std::move(fresh));
    if (load_whole_map_bitmaps_hook) load_whole_map_bitmaps_hook();
    return true;
}

void apply_symbol_order_file() {
    auto order =
        read_symbol_order(symbol_set_path, symbols->terrain_symbol_count, symbols->piece_symbol_count);
    if (!order) return;
    // The whole old-to-new map first, applied once: a symbol moved to position i must not be
    // moved again by a later line naming i.
    std::vector<std::int32_t> new_of_old(order->size(), -1);
    for (std::size_t i = 0; i < order->size(); ++i)
        new_of_old[static_cast<std::size_t>((*order)[i])] = static_cast<std::int32_t>(i);
    auto renumber = [&](std::int32_t& n) {
        if (n >= 0 && static_cast<std::size_t>(n) < new_of_old.size() &&
            new_of_old[static_cast<std::size_t>(n)] >= 0)
            n = new_of_old[static_cast<std::size_t>(n)];
    };
    for (auto& c : game->class_array) {
        if (c.is_card() || c.symbol == class_end || c.symbol == class_free) continue;
        renumber(c.symbol);
        if (c.hidden_symbol < 30000) renumber(c.hidden_symbol);
    }
    for (auto& p : game->player_array)
        if (p.default_hidden_symbol < 30000) renumber(p.default_hidden_symbol);
    for (auto& s : game->stack_def_array)
        if (s.stack_symbol < 30000) renumber(s.stack_symbol);
}
