#include "map_draw.h"

#include "mainwin/colour_table.h"

#include "appearance/facing.h"
#include "appearance/stacks.h"
#include "appearance/status_dots.h"
#include "data/board.h"
#include "data/command_state.h"
#include "data/draw_marks.h"
#include "data/game_settings.h"
#include "data/los_settings.h"
#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/view_state.h"
#include "mainwin/settings_files.h"
#include "mainwin/view_geometry.h"
#include "platform/app_services.h"
#include "platform/boxes.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "players/visibility.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <unordered_set>
#include <vector>

bitmap screen_save_bitmap;
bitmap back_map_bitmap;
std::unique_ptr<canvas> screen_save_canvas;
std::unique_ptr<canvas> back_map;
std::uint8_t map_buffers_ready = 0;
std::uint8_t back_map_drawing = 0;
std::uint8_t pieces_per_hex_slots = 1;
std::function<void()> map_screen_update_hook;
std::function<void()> map_clear_info_panels_hook;

namespace {

// The sizes the buffers were made for, so that a change of the view size makes them again.
int buffers_width = -1, buffers_height = -1;
bool reached_past_last_column = false, reached_past_last_row = false;
std::unique_ptr<progress_window> drawing_progress_form;
bool drawing_area = false; // inside draw_map_area: the block copy that follows shows the result
// The progress window lets events in while a block is drawn; a redraw asked for meanwhile (a
// paint after a resize, say) must not remake or draw into the buffers in use: it waits.
bool block_in_progress = false;
bool full_redraw_waiting = false;

int zoom() {
    return std::clamp(zoom_level, 0, 2);
}
int cell_size() {
    return std::max(0, symbols->hex_size_by_zoom[zoom()]);
}

bool pieces_shown() {
    return (game_settings.draw_options[4] & 1) != 0;
}
bool markers_hidden() {
    return (game_settings.draw_options[4] & 2) != 0;
}

// Records of the hexes first..last (the ones a drawing shows) from an unsorted list, in list
// order: built once per drawing, over the drawn hexes only, so that its cost follows the drawing
// and not the size of the board. A hex outside the range is not covered (the users scan).
struct hex_record_index {
    std::vector<std::int32_t> start; // last - first + 2 offsets into order
    std::vector<std::int32_t> order;
    std::vector<std::int32_t> fill; // kept, like the others, so that each drawing reuses the memory
    std::int32_t first = 0, last = -1;
    bool built = false;

    template <class Record, class Keep>
    void build(const std::vector<Record>& list, Keep keep, std::int32_t from_hex, std::int32_t to_hex) {
        first = from_hex;
        last = to_hex;
        const std::int32_t n = std::max(0, last - first + 1);
        auto inside = [this](std::int32_t h) { return h >= first && h <= last; };
        start.assign(static_cast<std::size_t>(n) + 1, 0);
        for (const Record& r : list)
            if (inside(r.hex) && keep(r)) ++start[static_cast<std::size_t>(r.hex - first) + 1];
        for (std::int32_t h = 0; h < n; ++h)
            start[static_cast<std::size_t>(h) + 1] += start[static_cast<std::size_t>(h)];
        order.assign(static_cast<std::size_t>(start[static_cast<std::size_t>(n)]), 0);
        fill.assign(start.begin(), start.end() - 1);
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Record& r = list[i];
            if (inside(r.hex) && keep(r))
                order[static_cast<std::size_t>(fill[static_cast<std::size_t>(r.hex - first)]++)] =
                    static_cast<std::int32_t>(i);
        }
        built = true;
    }
    bool covers(std::int32_t hex) const { return built && hex >= first && hex <= last; }
    // The records of a covered hex as [first, last) into order.
    std::pair<std::size_t, std::size_t> of(std::int32_t hex) const {
        if (!covers(hex)) return {0, 0};
        const auto at = static_cast<std::size_t>(hex - first);
        return {static_cast<std::size_t>(start[at]), static_cast<std::size_t>(start[at + 1])};
    }
};

hex_record_index placename_index, overlay_index;

// Pieces by hex over the drawn hexes, from the last piece index down, as the pieces of a hex are
// collected.
struct piece_location_index {
    std::vector<std::int32_t> start, order, fill;
    std::int32_t first = 0, last = -1;
    bool built = false;
    void build(std::int32_t from_hex, std::int32_t to_hex) {
        first = from_hex;
        last = to_hex;
        const std::int32_t n = std::max(0, last - first + 1);
        const auto& pieces = game->piece_array;
        start.assign(static_cast<std::size_t>(n) + 1, 0);
        auto inside = [this](const piece_struct& p) {
            return !p.in_pool() && p.location >= first && p.location <= last;
        };
        for (const auto& p : pieces)
            if (inside(p)) ++start[static_cast<std::size_t>(p.location - first) + 1];
        for (std::int32_t h = 0; h < n; ++h)
            start[static_cast<std::size_t>(h) + 1] += start[static_cast<std::size_t>(h)];
        order.assign(static_cast<std::size_t>(start[static_cast<std::size_t>(n)]), 0);
        fill.assign(start.begin(), start.end() - 1);
        for (std::size_t i = pieces.size(); i-- > 0;)
            if (inside(pieces[i]))
                order[static_cast<std::size_t>(
                    fill[static_cast<std::size_t>(pieces[i].location - first)]++)] =
                    static_cast<std::int32_t>(i);
        built = true;
    }
    bool covers(std::int32_t hex) const { return built && hex >= first && hex <= last; }
};
piece_location_index piece_index;

// The indexes live for one drawing: the arrays may change between drawings.
struct drawing_indexes {
    drawing_indexes(std::int32_t first_hex, std::int32_t last_hex) {
        placename_index.build(
            board->placename_array, [](const placename_struct&) { return true; }, first_hex, last_hex);
        overlay_index.build(
            board->hex_overlay_array, [](const hex_overlay_struct&) { return true; }, first_hex, last_hex);
        piece_index.build(first_hex, last_hex);
    }
    ~drawing_indexes() { placename_index.built = overlay_index.built = piece_index.built = false; }
};

// The first record of a hex in a list sorted by hex, ended by the record of hex 63000.
template <class Record> std::size_t first_record_of(const std::vector<Record>& list, std::int32_t hex) {
    auto it = std::lower_bound(list.begin(), list.end(), hex,
                               [](const Record& r, std::int32_t h) { return r.hex < h; });
    return static_cast<std::size_t>(it - list.begin());
}

void copy_symbol(canvas& c, const bitmap& strip, const symbol_struct& s, int width, int height, int x, int y,
                 raster_op op) {
    const int z = zoom();
    c.copy_bits(x, y, width, height, strip, s.left[z], s.top[z], op);
}

// A symbol drawn through its mask: the mask ANDed in, then the symbol ORed over it, so that
// the cells of neighbouring hexes show through the mask's white. Without a usable mask the
// symbol is copied as it is.
void draw_masked(canvas& c, int kind, const symbol_struct& s, int width, int height, int x, int y) {
    const int z = zoom();
    if (const symbol_struct* m = mask_for(s)) {
        copy_symbol(c, symbols->strips[symbol_kind_mask][z], *m, width, height, x, y, raster_op::srcand);
        copy_symbol(c, symbols->strips[kind][z], s, width, height, x, y, raster_op::srcpaint);
    } else {
        copy_symbol(c, symbols->strips[kind][z], s, width, height, x, y, raster_op::srccopy);
    }
}

void draw_terrain_masked(canvas& c, std::int64_t symbol, int x, int y) {
    const symbol_struct* t = symbols->terrain_symbol(symbol);
    if (!t) return;
    const int s = cell_size();
    draw_masked(c, symbol_kind_terrain, *t, s, s, x, y);
}

void draw_terrain_layer(canvas& c, const hex_struct& h, int x, int y) {
    const symbol_struct* t = symbols->terrain_symbol(h.terrain);
    if (!t) return;
    const int s = cell_size();
    const bool straight = (!symbols->hex_shape && !mask_for(*t)) || symbols->display_flag_2;
    if (straight)
        copy_symbol(c, symbols->strips[symbol_kind_terrain][zoom()], *t, s, s, x, y, raster_op::srccopy);
    else
        draw_masked(c, symbol_kind_terrain, *t, s, s, x, y);
}

bool fast_layer_skipped() {
    return game_settings.fast_draw_on && zoom() == 0;
}

void draw_layer(canvas& c, int layer, std::int32_t hex, int x, int y) {
    const hex_struct& h = board->hex_array[static_cast<std::size_t>(hex)];
    const bool fast_skip = fast_layer_skipped();
    switch (layer) {
    case 0:
        draw_terrain_layer(c, h, x, y);
        break;
    case 1:
        draw_terrain_masked(c, h.second_terrain, x, y);
        break;
    case 2:
        if (!fast_skip && game_settings.draw_options[2] && (h.flags & 4)) draw_hexsides(hex, x, y, c);
        break;
    case 3:
        if (!fast_skip && game_settings.draw_options[1] && (h.flags & 1)) draw_hexlines(hex, x, y, c);
        break;
    case 4:
        if (!fast_skip && (h.flags & 2)) {
            auto [from, to] = placename_index.of(hex);
            for (std::size_t i = from; i < to; ++i)
                draw_terrain_masked(
                    c, board->placename_array[static_cast<std::size_t>(placename_index.order[i])].terrain, x,
                    y);
        }
        break;
    case 5:
        if (!fast_skip && h.flags / 8 > 0) {
            auto [from, to] = overlay_index.of(hex);
            const std::size_t count = std::min<std::size_t>(to - from, h.flags / 8);
            for (std::size_t i = from; i < from + count; ++i)
                draw_terrain_masked(
                    c, board->hex_overlay_array[static_cast<std::size_t>(overlay_index.order[i])].terrain, x,
                    y);
        }
        break;
    case 6:
        if (game_settings.draw_options[0] && !symbols->display_flag_2 && board->grid_symbol >= 0 &&
            board->grid_symbol < symbols->terrain_symbol_count)
            draw_terrain_masked(c, board->grid_symbol, x, y);
        break;
    case 7:
        if (!fast_skip && (h.flags & 2) && game_settings.draw_options[3])
            draw_place_name_labels(hex, x, y, c);
        break;
    default:
        break;
    }
}

void advance_progress(int by) {
    if (drawing_progress_form)
        drawing_progress_form->set_position(std::min(100, drawing_progress_form->position() + by));
}

bool hex_on_board(std::int32_t hex) {
    return map_loaded() && hex >= 0 && hex < board->hex_count &&
           static_cast<std::size_t>(hex) < board->hex_array.size();
}

void show_title_picture() {
    bitmap title;
    auto found = find_file_case_blind(join_path(program_folder, "mainscrn.BMP"));
    if (!found || !title.load(*found) || !screen_save_canvas) return;
    screen_save_canvas->copy_bits((view_width - title.width()) / 2, (view_height - title.height()) / 2,
                                  title.width(), title.height(), title, 0, 0, raster_op::srccopy);
}

// Draws a block and copies it into the screen copy; whole_view copies everything the view shows.
void draw_block(std::int32_t first_hex, int columns, int rows, bool whole_view) {
    if (!hex_on_board(first_hex) || columns <= 0 || rows <= 0) return;
    if (block_in_progress) {
        full_redraw_waiting = true;
        return;
    }
    if (!whole_view) {
        // A block wholly outside the view changes nothing that is shown.
        const std::int64_t w = cell_width(), h = cell_height(), s = cell_size();
        const std::int64_t x = (first_hex % board->map_columns - view_origin_column()) * w;
        const std::int64_t y = (first_hex / board->map_columns - view_origin_row()) * h;
        if (x >= view_width + 2 || y >= view_height + 2 || x + columns * w + s <= 0 || y + rows * h + s <= 0)
            return;
    }
    struct in_progress {
        in_progress() { block_in_progress = true; }
        ~in_progress() { block_in_progress = false; }
        long_operation busy; // the board and the buffers must stay while they are drawn
    } guard;
    show_busy_cursor(true);
    if (!allocate_map_buffers() || !back_map || !screen_save_canvas) {
        show_busy_cursor(false);
        return;
    }
    back_map_drawing = 1;
    const bool own_progress = !drawing_progress_form && static_cast<long long>(columns) * rows > 1500;
    if (own_progress) {
        drawing_progress_form = std::make_unique<progress_window>();
        drawing_progress_form->open("", "Drawing map/board, please wait...");
    }
    const std::int32_t saved_origin = view_origin_hex;
    const std::int64_t oc = view_origin_column(), orow = view_origin_row();
    const std::int64_t bc = first_hex % board->map_columns, br = first_hex / board->map_columns;
    // A block is drawn with one more column and row before it, so that the few pixels just
    // left of and above it, which the scrolls leave to the block, are right as well.
    const std::int64_t ec = whole_view || bc == 0 ? 0 : 1, er = whole_view || br == 0 ? 0 : 1;
    view_origin_hex = static_cast<std::int32_t>((br - er) * board->map_columns + (bc - ec));
    draw_map_area(*back_map, columns + static_cast<int>(ec), rows + static_cast<int>(er));
    view_origin_hex = saved_origin;
    if (own_progress) {
        drawing_progress_form->close();
        drawing_progress_form.reset();
    }

    const std::int64_t w = cell_width(), h = cell_height(), s = cell_size();
    if (whole_view) {
        screen_save_canvas->copy_bits(0, 0, view_width + 2, view_height + 2, back_map_bitmap, 0, 0,
                                      raster_op::srccopy);
    } else {
        // A block at the board's last column or row also takes what its cells reach past it.
        const std::int64_t lead_x = ec * std::min<std::int64_t>(2, w),
                           lead_y = er * std::min<std::int64_t>(2, h);
        const std::int64_t sx = ec * w - lead_x, sy = er * h - lead_y;
        std::int64_t width = lead_x + columns * w + (bc + columns >= board->map_columns ? s : 0);
        std::int64_t height = lead_y + rows * h + (br + rows >= board->map_rows ? s : 0);
        width = std::min<std::int64_t>(width, back_map_bitmap.width() - sx);
        height = std::min<std::int64_t>(height, back_map_bitmap.height() - sy);
        const std::int64_t dx = (bc - oc) * w - lead_x, dy = (br - orow) * h - lead_y;
        if (dx < view_width + 2 && dy < view_height + 2 && dx + width > 0 && dy + height > 0)
            screen_save_canvas->copy_bits(static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(width),
                                          static_cast<int>(height), back_map_bitmap, static_cast<int>(sx),
                                          static_cast<int>(sy), raster_op::srccopy);
    }
    show_map_buffer();
    show_busy_cursor(false);
}

// The side of a marker box in a hex of size s: three quarters of a small hex, else half of what
// is past 12 pixels added to 12, at most 30 (9 at 12, 14 at 16, 26 at 40, 30 from 48 on).
int marker_box_size(int s) {
    if (s < 15) return std::max(0, 3 * s / 4);
    return std::min(30, 12 + (s - 12) / 2);
}

void draw_marker_box(canvas& c, int x, int y, int size, colour_rgb fill, const std::string& text,
                     const std::string& font) {
    c.set_pen(make_rgb(0, 0, 0), 1, pen_style::solid);
    c.set_brush(fill);
    c.rectangle(x, y, size, size);
    c.set_no_brush();
    if (!text.empty()) {
        c.set_font(font);
        c.set_text_colour(make_rgb(0, 0, 0));
        c.draw_text(x, y, size, size, text, text_h_align::centre, text_v_align::centre);
    }
}

int count_in_hex(const std::int32_t* list, int capacity, std::int32_t hex) {
    int n = 0;
    const auto& pieces = game->piece_array;
    for (int i = 0; i < capacity && list[i] != -1; ++i) {
        const std::int32_t p = list[i];
        if (p >= 0 && static_cast<std::size_t>(p) < pieces.size() &&
            !pieces[static_cast<std::size_t>(p)].in_pool() &&
            pieces[static_cast<std::size_t>(p)].location == hex)
            ++n;
    }
    return n;
}

} // namespace

colour_rgb map_colour(int index) {
    const std::uint8_t* c = colour_table[std::clamp(index, 0, 255)];
    return make_rgb(c[0], c[1], c[2]);
}

const symbol_struct* mask_for(const symbol_struct& s) {
    if (s.mask < 1) return nullptr;
    symbol_struct shifted = s;
    shifted.mask = s.mask - 1;
    return symbols->mask_of(shifted);
}

void install_map_view_hooks() {
    view_hooks.shift_screen_copy = [](int fx, int fy, int w, int h, int tx, int ty) {
        if (!allocate_map_buffers() || !screen_save_canvas) return;
        screen_save_canvas->copy_bits(tx, ty, w, h, screen_save_bitmap, fx, fy, raster_op::srccopy);
    };
    view_hooks.fill_background = [](int x, int y, int w, int h) {
        if (!allocate_map_buffers() || !screen_save_canvas) return;
        screen_save_canvas->fill_rect(x, y, w, h, map_colour(board->background_colour));
    };
    // The scrolls count whole cells; one more column and row also covers the cells the view's
    // right and bottom edges cut, which would otherwise keep what was there before.
    view_hooks.draw_map_block = [](std::int32_t first, int columns, int rows) {
        draw_map_block(first, columns + 1, rows + 1);
    };
    view_hooks.show_map_buffer = [] { show_map_buffer(); };
    view_hooks.redraw_map = [] { redraw_map(); };
}

bool allocate_map_buffers() {
    const int vw = std::max(1, view_width), vh = std::max(1, view_height);
    if (map_buffers_ready && buffers_width == vw && buffers_height == vh) return true;
    if (block_in_progress) {
        full_redraw_waiting = true;
        return false;
    }
    map_buffers_ready = 0;
    screen_save_canvas.reset();
    back_map.reset();
    screen_save_bitmap = bitmap(vw + 2, vh + 2);
    if (screen_save_bitmap.is_null()) {
        message_box("Allocation Error!", "Can not allocate screen_save_bitmap graphics buffer.",
                    box_buttons::ok, box_icon::stop);
        return false;
    }
    screen_save_canvas = std::make_unique<canvas>(screen_save_bitmap);
    back_map_bitmap = bitmap(std::max(600, vw * 15 / 10), std::max(400, vh * 15 / 10));
    if (back_map_bitmap.is_null()) {
        message_box("Allocation Error!", "Can not allocate back_map graphics buffer.", box_buttons::ok,
                    box_icon::stop);
        message_box("Execution message:", "Could not allocate Backmap BMP", box_buttons::ok,
                    box_icon::information);
        return false;
    }
    back_map = std::make_unique<canvas>(back_map_bitmap);
    buffers_width = vw;
    buffers_height = vh;
    map_buffers_ready = 1;
    return true;
}

void show_map_buffer() {
    if (map_screen_update_hook) map_screen_update_hook();
}

void clear_map_view() {
    if (!allocate_map_buffers()) return;
    screen_save_canvas->fill_rect(0, 0, screen_save_bitmap.width(), screen_save_bitmap.height(),
                                  map_colour(board->background_colour));
    show_map_buffer();
    if (map_clear_info_panels_hook) map_clear_info_panels_hook();
}

void redraw_map() {
    if (block_in_progress) {
        full_redraw_waiting = true;
        return;
    }
    full_redraw_waiting = false;
    if (!allocate_map_buffers()) return;
    if (!map_loaded() || cell_width() <= 0 || cell_height() <= 0) {
        screen_save_canvas->fill_rect(0, 0, screen_save_bitmap.width(), screen_save_bitmap.height(),
                                      map_colour(board->background_colour));
        if (!map_loaded()) {
            if (map_clear_info_panels_hook) map_clear_info_panels_hook();
            show_title_picture();
        }
        show_map_buffer();
        return;
    }
    reached_past_last_column = reached_past_last_row = false;
    back_map_drawing = 1;
    std::int32_t origin = hex_on_board(view_origin_hex) ? view_origin_hex : 0;
    // The whole view is drawn here, never through draw_map_block, which sends every block to a
    // full redraw while "Draw Entire Screen on Any Redraw" is on.
    draw_block(origin, visible_columns() + 1, visible_rows() + 1, true);
    if (drawing_progress_form) {
        drawing_progress_form->close();
        drawing_progress_form.reset();
    }
    map_just_redrawn = 1;
    if (full_redraw_waiting) redraw_map();
}

void draw_map_block(std::int32_t first_hex, int columns, int rows) {
    if (redraw_entire_screen) {
        redraw_map();
        return;
    }
    draw_block(first_hex, columns, rows, false);
    if (full_redraw_waiting && !block_in_progress) redraw_map();
}

namespace {

// Where a place name's label stands for a hex at (x, y) at the current zoom; empty when the
// record has no label there.
struct label_place {
    int x = 0, y = 0, width = 0, height = 0;
    text_h_align ha = text_h_align::centre;
    text_v_align va = text_v_align::centre;
};

std::optional<label_place> place_of_label(const placename_struct& p, int x, int y) {
    const int z = zoom();
    const int size = p.font_size[z];
    const std::size_t n = name_of(p.name).size();
    if (size < 6 || n == 0) return std::nullopt;
    const int s = cell_size();
    label_place l;
    l.width = static_cast<int>(n) * 3 * size;
    l.height = 3 * size;
    const int W = l.width, H = l.height;
    const int cx = x + s / 2, cy = y + s / 2;
    switch (p.label_position[z]) {
    case 1:
        l.x = cx - W / 2, l.y = y + s, l.va = text_v_align::top;
        break;
    case 2:
        l.x = cx - W / 2, l.y = y - H, l.va = text_v_align::bottom;
        break;
    case 3:
        l.x = cx, l.y = y + s, l.ha = text_h_align::left, l.va = text_v_align::top;
        break;
    case 4:
        l.x = cx, l.y = y - H, l.ha = text_h_align::left, l.va = text_v_align::bottom;
        break;
    case 5:
        l.x = cx - W, l.y = y - H, l.ha = text_h_align::right, l.va = text_v_align::bottom;
        break;
    case 6:
        l.x = cx - W, l.y = y + s, l.ha = text_h_align::right, l.va = text_v_align::top;
        break;
    case 7:
        l.x = x - W, l.y = cy - H / 2, l.ha = text_h_align::right;
        break;
    case 8:
        l.x = x + s, l.y = cy - H / 2, l.ha = text_h_align::left;
        break;
    case 9:
        l.x = cx - W / 2, l.y = cy - H / 2;
        break;
    default:
        return std::nullopt;
    }
    return l;
}

void draw_label(const placename_struct& p, int x, int y, canvas& c) {
    const auto l = place_of_label(p, x, y);
    if (!l) return;
    c.set_font(place_name_font(p, zoom()));
    c.set_text_colour(map_colour(p.colour));
    c.draw_text(l->x, l->y, l->width, l->height, name_of(p.name), l->ha, l->va);
}

// Draws the labels of the hexes that drawn_here(hex, x, y) leaves out and whose label boxes
// reach into (0, 0, width, height): each hex's first record, as its own drawing would.
template <class Drawn> void draw_labels_reaching_in(canvas& c, int width, int height, Drawn drawn_here) {
    if (fast_layer_skipped() || !game_settings.draw_options[3]) return;
    std::unordered_set<std::int32_t> seen;
    for (const placename_struct& p : board->placename_array) {
        if (!hex_on_board(p.hex) || !seen.insert(p.hex).second) continue;
        if (!(board->hex_array[static_cast<std::size_t>(p.hex)].flags & 2)) continue;
        int x = 0, y = 0;
        hex_to_screen_xy(p.hex, x, y);
        constexpr int far = 1 << 24; // well past any view, and far from overflowing
        if (x < -far || x > far || y < -far || y > far || drawn_here(p.hex, x, y)) continue;
        const auto l = place_of_label(p, x, y);
        if (l && l->x < width && l->y < height && l->x + l->width > 0 && l->y + l->height > 0)
            draw_label(p, x, y, c);
    }
}
} // namespace

void draw_map_area(canvas& c, int columns, int rows) {
    if (!map_loaded() || symbols->terrain_symbol_count <= 0 || !hex_on_board(view_origin_hex)) return;
    const int s = cell_size();
    const std::int64_t w = cell_width(), h = cell_height();
    if (s <= 0 || w <= 0 || h <= 0) return;
    if (columns <= 0) columns = visible_columns() + 1;
    if (rows <= 0) rows = visible_rows() + 1;
    const std::int64_t oc = view_origin_column(), orow = view_origin_row();
    const std::int64_t mc = board->map_columns, mr = board->map_rows;
    reached_past_last_column = oc + visible_columns() > mc + 2;
    reached_past_last_row = orow + visible_rows() > mr + 2;
    // One column and row before the block as well: their cells reach into it.
    const std::int64_t c0 = std::max<std::int64_t>(0, oc - 1), r0 = std::max<std::int64_t>(0, orow - 1);
    const std::int64_t c1 = std::min<std::int64_t>(mc, oc + columns),
                       r1 = std::min<std::int64_t>(mr, orow + rows);

    advance_progress(5);
    const std::int64_t fill_w = std::min<std::int64_t>(c.width(), (columns + 1) * w + s + 3);
    const std::int64_t fill_h = std::min<std::int64_t>(c.height(), (rows + 1) * h + s + 3);
    c.fill_rect(0, 0, static_cast<int>(fill_w), static_cast<int>(fill_h),
                map_colour(board->background_colour));
    draw_base_map_block(c, 0, 0, static_cast<int>(fill_w), static_cast<int>(fill_h));

    struct placed {
        std::int32_t hex;
        int x, y;
    };
    std::vector<placed> cells;
    cells.reserve(static_cast<std::size_t>((c1 - c0) * (r1 - r0)));
    for (std::int64_t r = r0; r < r1; ++r)
        for (std::int64_t col = c0; col < c1; ++col) {
            const auto hex = static_cast<std::int32_t>(r * mc + col);
            int x = 0, y = 0;
            hex_to_screen_xy(hex, x, y);
            if (x + s <= 0 || y + s <= 0 || x >= c.width() || y >= c.height()) continue;
            cells.push_back({hex, x, y});
        }
    // The indexes cover the hexes drawn (row by row, so first to last spans them all).
    const std::int32_t first_hex = cells.empty() ? 0 : cells.front().hex;
    const std::int32_t last_hex = cells.empty() ? -1 : cells.back().hex;
    drawing_indexes indexes(first_hex, last_hex);

    for (int step = 0; step < 8; ++step) {
        const int layer = board->draw_layer_order[step];
        for (const placed& p : cells)
            draw_layer(c, layer, p.hex, p.x, p.y);
        if (layer == 7) {
            // Labels reach past their hex: those of hexes outside this drawing that stand over
            // it are drawn again, or the cells just drawn would cut them.
            auto drawn_here = [&](std::int32_t hex, int x, int y) {
                const std::int64_t col = hex % mc, row = hex / mc;
                return col >= c0 && col < c1 && row >= r0 && row < r1 && x + s > 0 && y + s > 0 &&
                       x < c.width() && y < c.height();
            };
            draw_labels_reaching_in(c, static_cast<int>(fill_w), static_cast<int>(fill_h), drawn_here);
        }
        advance_progress(layer == 2 || layer == 3 ? 15 : 10);
    }

    const bool prev = drawing_area;
    drawing_area = true;
    if (pieces_shown() || !markers_hidden()) {
        const auto& counts = board->hex_piece_counts;
        for (const placed& p : cells)
            if (static_cast<std::size_t>(p.hex) < counts.size() &&
                counts[static_cast<std::size_t>(p.hex)] != 0)
                draw_hex_pieces(p.hex, c);
    }
    if (operation_mode != 0)
        for (const placed& p : cells)
            draw_hex_overlays(p.hex, c);
    drawing_area = prev;
    advance_progress(15);
    advance_progress(5);
}

void redraw_hex(std::int32_t hex) {
    if (!hex_on_board(hex) || !allocate_map_buffers()) return;
    redraw_hex_area(hex, *back_map);
}

void redraw_hex_area(std::int32_t hex, canvas&) {
    if (map_just_redrawn || !hex_on_board(hex)) return;
    const int z = zoom();
    const int s = cell_size();
    if (s <= 0) return;
    int columns = std::max(4, symbols->largest_piece_width[z] / s + 4);
    int rows = std::max(4, symbols->largest_piece_height[z] / s + 4);
    const std::int32_t mc = board->map_columns;
    std::int64_t col = hex % mc, row = hex / mc;
    if (game_settings.symbols_per_hex[z] < 200) {
        col -= 1;
        row -= 1;
    } else {
        col -= columns / 2;
        row -= rows / 2;
    }
    col = std::max<std::int64_t>(0, col);
    row = std::max<std::int64_t>(0, row);
    const std::int64_t oc = view_origin_column(), orow = view_origin_row();
    if (board->grid_type == 1 && (col - oc) % 2 != 0 && row == orow - 1) row += 1;
    if (board->grid_type == 2 && (row - orow) % 2 != 0 && col == oc - 1) col += 1;
    if (row >= board->map_rows || col >= mc) return;
    draw_map_block(static_cast<std::int32_t>(row * mc + col), columns, rows);
}

void redraw_hex_on_canvas(std::int32_t hex, canvas& c) {
    if (!hex_on_board(hex)) return;
    set_hex_screen_pos(hex);
    const int s = cell_size();
    if (hex_screen_x + s > 0 && hex_screen_y + s > 0 && hex_screen_x < view_width &&
        hex_screen_y < view_height)
        redraw_hex_area(hex, c);
}

void redraw_hex_contents(std::int32_t hex, canvas& c) {
    if (!hex_on_board(hex)) return;
    set_hex_screen_pos(hex);
    if (is_point_beyond_view(hex_screen_x, hex_screen_y)) return;
    draw_hex_pieces(hex, c);
    const int x = hex_screen_x, y = hex_screen_y;
    const int z = zoom();
    for (int i = 0; i < selected_pieces_capacity && selected_pieces[i] != -1; ++i) {
        for (const piece_mark& m : selected_piece_marks) {
            if (m.piece == -1) break;
            if (m.piece != selected_pieces[i]) continue;
            const symbol_struct* ps = symbols->piece_symbol(m.display_symbol);
            if (!ps) continue;
            const int ws = symbol_extent(ps->left[z], ps->right[z]),
                      hs = symbol_extent(ps->top[z], ps->bottom[z]);
            if (ws <= 0 || hs <= 0) continue;
            int dx = 0, dy = 0;
            get_symbol_offset_in_hex(ws, hs, m.slot, dx, dy);
            draw_masked(c, symbol_kind_piece, *ps, ws, hs, x + dx, y + dy);
            draw_status_dots(m.piece, x + dx, y + dy, ws, hs, c);
            c.copy_bits(x + dx, y + dy, ws, hs, c.target(), x + dx, y + dy, raster_op::notsrccopy);
            if (!drawing_area && screen_save_canvas) {
                screen_save_canvas->copy_bits(x + dx, y + dy, ws, hs, c.target(), x + dx, y + dy,
                                              raster_op::srccopy);
                show_map_buffer();
            }
        }
    }
}

void draw_hex_pieces(std::int32_t hex, canvas& c) {
    clear_piece_marks();
    if (!hex_on_board(hex)) return;
    const int z = zoom();
    const int mode = game_settings.symbols_per_hex[z];
    pieces_per_hex_slots = (mode == 1 || mode == 101 || mode == 200 || mode == 201) ? 1 : 4;
    const bool overlay_stack = mode > 100;
    const auto& pieces = game->piece_array;
    const auto& classes = game->class_array;
    const std::int32_t wanted = static_cast<std::size_t>(hex) < board->hex_piece_counts.size()
                                    ? board->hex_piece_counts[static_cast<std::size_t>(hex)]
                                    : 0;

    struct taken_piece {
        std::int32_t piece, symbol;
    };
    std::vector<taken_piece> taken;
    bool cards = false;
    auto consider = [&](std::size_t i, bool on_top) {
        const piece_struct& p = pieces[i];
        if (p.location != hex || p.in_pool() || ((p.flags & piece_flag_on_top) != 0) != on_top) return;
        if (p.is_card()) {
            cards = true;
            return;
        }
        if (p.class_index < 0 || static_cast<std::size_t>(p.class_index) >= classes.size()) return;
        const std::uint8_t owner = classes[static_cast<std::size_t>(p.class_index)].owner;
        const bool marker = owner == owner_all_players || owner == owner_nobody;
        if (!marker && !pieces_shown()) return;
        if (marker && markers_hidden()) return;
        if (get_piece_visibility(static_cast<int>(i)) <= 0) return;
        taken.push_back({static_cast<std::int32_t>(i), get_piece_display_symbol(static_cast<int>(i))});
    };
    for (bool on_top : {false, true}) {
        if (piece_index.covers(hex)) {
            const auto at = static_cast<std::size_t>(hex - piece_index.first);
            const std::size_t from = static_cast<std::size_t>(piece_index.start[at]);
            const std::size_t to = static_cast<std::size_t>(piece_index.start[at + 1]);
            for (std::size_t k = from; k < to && static_cast<std::int32_t>(taken.size()) < wanted; ++k)
                consider(static_cast<std::size_t>(piece_index.order[k]), on_top);
        } else {
            for (std::size_t i = pieces.size(); i-- > 0 && static_cast<std::int32_t>(taken.size()) < wanted;)
                consider(i, on_top);
        }
    }
    if (taken.empty() && !cards) return;

    const int slots = pieces_per_hex_slots;
    const int n = static_cast<int>(taken.size());
    std::int32_t stack_symbol = -1;
    if (n > slots) {
        std::vector<std::int32_t> in_hex;
        in_hex.reserve(taken.size());
        for (const taken_piece& t : taken)
            in_hex.push_back(t.piece);
        stack_symbol = choose_stack_symbol(in_hex, z);
    }
    int drawn = n;
    if (stack_symbol >= 0 && !overlay_stack) drawn = slots - 1;

    set_hex_screen_pos(hex);
    const int x = hex_screen_x, y = hex_screen_y;
    const int shown = std::min(n, 4);
    struct drawn_box {
        std::int32_t piece;
        int x, y, w, h;
    };
    std::vector<drawn_box> boxes;
    std::size_t marks = 0;
    for (int k = 0; k < drawn; ++k) {
        const taken_piece& t = taken[static_cast<std::size_t>(k)];
        const int slot =
            slots == 1 ? 0 : (k % 4 + 1) * 10 + (stack_symbol >= 0 && !overlay_stack ? slots : shown);
        const symbol_struct* ps = symbols->piece_symbol(t.symbol);
        // The marks hold a fixed number of records; pieces past them are drawn but not marked.
        if (marks + 1 < static_cast<std::size_t>(piece_marks_capacity)) {
            selected_piece_marks[marks++] = piece_mark{t.piece, t.symbol, slot, t.symbol};
            selected_piece_marks[marks] = piece_mark{};
        }
        if (!ps) continue;
        const int ws = symbol_extent(ps->left[z], ps->right[z]),
                  hs = symbol_extent(ps->top[z], ps->bottom[z]);
        if (ws <= 0 || hs <= 0) continue;
        int dx = 0, dy = 0;
        get_symbol_offset_in_hex(ws, hs, slot, dx, dy);
        draw_masked(c, symbol_kind_piece, *ps, ws, hs, x + dx, y + dy);
        draw_status_dots(t.piece, x + dx, y + dy, ws, hs, c);
        boxes.push_back({t.piece, x + dx, y + dy, ws, hs});
    }
    if (stack_symbol >= 0) {
        // Over the pieces in the centre, or in the last slot in place of the surplus.
        const int slot = overlay_stack ? (slots == 1 ? 0 : 11) : (slots == 1 ? 0 : slots * 10 + slots);
        draw_stack_symbol(stack_symbol, x, y, slot, c);
    }
    // The facing marks over everything of the hex, each at its piece's symbol box.
    for (const drawn_box& b : boxes) {
        const std::int32_t ci = pieces[static_cast<std::size_t>(b.piece)].class_index;
        if (classes[static_cast<std::size_t>(ci)].facing_set != 0)
            draw_facing_mark(b.piece, b.x, b.y, b.w, b.h, x, y, c);
    }
    if (cards) draw_board_cards(hex, c);
}

void get_symbol_offset_in_hex(int ws, int hs, int slot, int& dx, int& dy) {
    const int s = cell_size();
    const int half = s / 2;
    const int mode = game_settings.symbols_per_hex[zoom()];
    auto centre_in = [&](int bx, int by, int bw, int bh) {
        dx = bx + (bw - ws) / 2;
        dy = by + (bh - hs) / 2;
    };
    if (slot == 0 || slot == 200) {
        centre_in(0, 0, s, s);
        if (mode == 1 || mode == 101) {
            dx = std::max(0, dx);
            dy = std::max(0, dy);
        }
        return;
    }
    switch (slot) {
    case 11:
        centre_in(0, 0, s, s);
        break;
    case 12:
        centre_in(0, 0, half, s);
        break;
    case 22:
        centre_in(half, 0, s - half, s);
        break;
    case 13:
        centre_in(0, 0, half, half);
        break;
    case 23:
        centre_in(half, 0, s - half, half);
        break;
    case 33:
        centre_in(0, half, s, s - half);
        break;
    case 1:
    case 14:
        centre_in(0, 0, half, half);
        break;
    case 2:
    case 24:
        centre_in(half, 0, s - half, half);
        break;
    case 3:
    case 34:
        centre_in(0, half, half, s - half);
        break;
    case 4:
    case 44:
        centre_in(half, half, s - half, s - half);
        break;
    default:
        centre_in(0, 0, s, s);
        break;
    }
    int left = 0, top = 0, right = s, bottom = s;
    if (board->grid_type != 3 && symbols->hex_shape) {
        if (board->grid_type == 1) {
            left = s / 5;
            right = s - s / 5;
        } else if (board->grid_type == 2) {
            top = s / 5;
            bottom = s - s / 5;
        }
    }
    dx = std::max(left, std::min(dx, right - ws));
    dy = std::max(top, std::min(dy, bottom - hs));
}

void draw_styled_line(canvas& c, int x1, int y1, int x2, int y2, colour_rgb colour, int width, int style) {
    if (width <= 0 || style < 1 || style > 5) return;
    if (style == 1) {
        c.set_pen(colour, width, pen_style::solid);
        c.line(x1, y1, x2, y2);
        return;
    }
    c.set_pen(colour, 1, static_cast<pen_style>(style));
    const bool horizontal = y1 == y2 && x1 != x2;
    for (int k = 0; k < width; ++k) {
        const int offset = width == 1 ? 0 : k - width / 2;
        if (horizontal)
            c.line(x1, y1 + offset, x2, y2 + offset);
        else
            c.line(x1 + offset, y1, x2 + offset, y2);
    }
}

void draw_hexsides(std::int32_t hex, int x, int y, canvas& c) {
    if (!hex_on_board(hex)) return;
    if (x == -1 || y == -1) hex_to_screen_xy(hex, x, y);
    const int z = zoom();
    const int s = cell_size(), h = s / 2, f = s / 5;
    const bool hex_form = symbols->hex_shape || symbols->display_flag_2;
    const auto& list = board->hexside_array;
    for (std::size_t i = first_record_of(list, hex); i < list.size() && list[i].hex == hex; ++i) {
        const hexside_struct& r = list[i];
        const hexline_type_struct* type = hexline_type_of(*board, r.type);
        if (!type || r.sides == 0) continue;
        const colour_rgb colour = map_colour(type->colour);
        const int width = type->pen_width[z];
        auto side = [&](int ax, int ay, int bx, int by) {
            draw_styled_line(c, x + ax, y + ay, x + bx, y + by, colour, width, type->style);
        };
        for (int bit = 0; bit < 8; ++bit) {
            if (!(r.sides & (1 << bit))) continue;
            if (hex_form) {
                switch (bit) {
                case 0:
                    side(0, h, f, s);
                    break;
                case 1:
                    side(0, h, f, 0);
                    break;
                case 2:
                    if (symbols->hex_shape)
                        side(f, 0, s - f, 0);
                    else
                        side(f, 0, s, 0);
                    break;
                case 3:
                    side(0, s - f, h, s);
                    break;
                case 4:
                    side(0, f, 0, s - f);
                    break;
                case 5:
                    side(0, f, h, 0);
                    break;
                case 6:
                    side(0, 0, 0, s);
                    break;
                case 7:
                    side(0, 0, s, 0);
                    break;
                default:
                    break;
                }
            } else {
                switch (bit) {
                case 0:
                    side(0, h, 0, s);
                    break;
                case 1:
                    side(0, h, 0, 0);
                    break;
                case 2:
                    side(0, 0, s, 0);
                    break;
                case 3:
                    side(0, s, h, s);
                    break;
                case 4:
                    side(0, 0, 0, s);
                    break;
                case 5:
                    side(0, 0, h, 0);
                    break;
                case 6:
                    side(0, 0, 0, s);
                    break;
                case 7:
                    side(0, 0, s, 0);
                    break;
                default:
                    break;
                }
            }
        }
    }
}

void draw_hexlines(std::int32_t hex, int x, int y, canvas& c) {
    if (!hex_on_board(hex)) return;
    if (x == -1 || y == -1) hex_to_screen_xy(hex, x, y);
    const int z = zoom();
    const int s = cell_size(), h = s / 2;
    const auto& list = board->hexline_array;
    std::size_t i = first_record_of(list, hex);
    if (i >= list.size() || list[i].hex != hex) return;
    if (hex_outline_tables_stale()) build_hex_geometry_tables();
    const outline_point* pt = hex_outline_tables[z].points;
    // The sixteen ends, by bit: first byte 1..128, then second byte 128, then second 1..64.
    const outline_point first_ends[8] = {{h, 0}, pt[0], pt[1], pt[2], {s, h}, pt[3], pt[4], pt[5]};
    const outline_point second_ends[8] = {pt[11], pt[10], pt[9], {0, h}, pt[8], pt[7], pt[6], {h, s}};
    for (; i < list.size() && list[i].hex == hex; ++i) {
        const hexline_struct& r = list[i];
        const hexline_type_struct* type = hexline_type_of(*board, r.type);
        if (!type) continue;
        const colour_rgb colour = map_colour(type->colour);
        const int width = type->pen_width[z];
        auto to = [&](const outline_point& e) {
            draw_styled_line(c, x + h, y + h, x + e.x, y + e.y, colour, width, type->style);
        };
        for (int bit = 0; bit < 8; ++bit)
            if (r.directions_1 & (1 << bit)) to(first_ends[bit]);
        if (r.directions_2 & 128) to(second_ends[7]);
        for (int bit = 0; bit < 7; ++bit)
            if (r.directions_2 & (1 << bit)) to(second_ends[bit]);
    }
}

std::string place_name_font(const placename_struct& p, int z) {
    static const char* const faces[] = {"Arial",           "Courrier",    "Fixedsys",
                                        "MS Sans Serif",   "MS Serif",    "Impact",
                                        "Brush Script MT", "System.Bold", "Times New Roman"};
    const int face = p.style & ~(16 | 32 | 64);
    const char* name = face >= 1 && face <= 8 ? faces[face] : "Arial";
    std::string text = std::to_string(p.font_size[std::clamp(z, 0, 2)]) + "." + name;
    if ((p.style & 16) && face != 7) text += ".Bold";
    if (p.style & 32) text += ".Italic";
    if (p.style & 64) text += ".Underline";
    return text;
}

void draw_place_name_labels(std::int32_t hex, int x, int y, canvas& c) {
    if (!hex_on_board(hex)) return;
    if (x == -1 || y == -1) hex_to_screen_xy(hex, x, y);
    const placename_struct* p = nullptr;
    auto [from, to] = placename_index.of(hex);
    if (placename_index.covers(hex)) {
        if (from < to) p = &board->placename_array[static_cast<std::size_t>(placename_index.order[from])];
    } else {
        for (const auto& r : board->placename_array)
            if (r.hex == hex) {
                p = &r;
                break;
            }
    }
    if (p) draw_label(*p, x, y, c);
}

void draw_hex_overlays(std::int32_t hex, canvas& c) {
    if (!hex_on_board(hex)) return;
    if (count_in_hex(selected_pieces, selected_pieces_capacity, hex) > 0) redraw_hex_contents(hex, c);
    set_hex_screen_pos(hex);
    const int x = hex_screen_x, y = hex_screen_y;
    const int s = cell_size();
    const int box = marker_box_size(s);
    // Step numbers and the spotter and target marks stand in a box in the middle of the hex.
    const int mx = x + (s - box) / 2, my = y + (s - box) / 2;
    const std::string number_font = box < 16 ? "8.Times New Roman.Bold" : "10.Times New Roman.Bold";
    if (operation_mode == 2) {
        for (int i = 0; i < move_path_capacity && move_path[i] != location_end && move_path[i] != -1; ++i) {
            if (move_path[i] != hex) continue;
            char text[16];
            std::snprintf(text, sizeof text, "%2i", i + 1);
            draw_marker_box(c, mx, my, box, make_rgb(255, 255, 255), text, number_font);
        }
    } else if (operation_mode == 3) {
        const int attackers = count_in_hex(attacker_list, combat_list_capacity, hex);
        const int defenders = count_in_hex(defender_list, combat_list_capacity, hex);
        auto label = [](char side, int n) {
            if (n == 1) return std::string(1, side);
            if (n < 10) return std::string(1, side) + std::to_string(n);
            return std::string(1, side) + "*";
        };
        if (s < 24) {
            const int small = std::max(3, s / 4);
            if (attackers > 0) c.fill_rect(x, y, small, small, map_colour(12));
            if (defenders > 0) c.fill_rect(x + s - small, y, small, small, map_colour(7));
        } else {
            if (attackers > 0)
                draw_marker_box(c, x, y, box, map_colour(12), label('A', attackers), "8.Courrier.Bold");
            if (defenders > 0)
                draw_marker_box(c, x + s - box, y, box, map_colour(7), label('D', defenders),
                                "8.Courrier.Bold");
        }
    } else if (operation_mode >= 7 && operation_mode <= 9) {
        if (los_check.spotter_hex == hex)
            draw_marker_box(c, mx, my, box, make_rgb(255, 255, 255), "S", number_font);
        if (los_check.target_hex == hex)
            draw_marker_box(c, mx, my, box, make_rgb(255, 255, 255), "T", number_font);
    }
}

bool draw_entire_board(canvas& c) {
    if (!map_loaded() || !allocate_map_buffers()) return false;
    const std::int64_t w = cell_width(), h = cell_height(), s = cell_size();
    if (w <= 0 || h <= 0 || s <= 0) return false;
    const std::int64_t total_w = (board->map_columns + 2) * w, total_h = (board->map_rows + 2) * h;
    if (total_w > bitmap_max_side || total_h > bitmap_max_side || total_w * total_h > bitmap_max_pixels) {
        message_box("Area Too Large",
                    "Could not create temporary bitmap - screen probably too big: \n\r" +
                        std::to_string(total_w) + "  x  " + std::to_string(total_h),
                    box_buttons::ok, box_icon::stop);
        return false;
    }
    bitmap whole(static_cast<int>(total_w), static_cast<int>(total_h));
    if (whole.is_null()) {
        message_box("Creation Error ", "Could not create temporary graphics canvas.\n\rScreen too large.",
                    box_buttons::ok, box_icon::stop);
        return false;
    }
    canvas whole_canvas(whole);
    const std::int32_t saved_origin = view_origin_hex;
    const int tile_columns = std::max(1, static_cast<int>((back_map_bitmap.width() - s) / w) - 1);
    const int tile_rows = std::max(1, static_cast<int>((back_map_bitmap.height() - s) / h) - 1);
    for (std::int32_t r = 0; r < board->map_rows; r += tile_rows)
        for (std::int32_t col = 0; col < board->map_columns; col += tile_columns) {
            view_origin_hex = r * board->map_columns + col;
            draw_map_area(*back_map, tile_columns, tile_rows);
            whole_canvas.copy_bits(
                static_cast<int>(col * w), static_cast<int>(r * h), static_cast<int>(tile_columns * w + s),
                static_cast<int>(tile_rows * h + s), back_map_bitmap, 0, 0, raster_op::srccopy);
        }
    view_origin_hex = saved_origin;
    c.copy_bits(0, 0, whole.width(), whole.height(), whole, 0, 0, raster_op::srccopy);
    return true;
}

void draw_base_map_block(canvas&, int, int, int, int) {}
void draw_facing_mark(std::int32_t piece, int box_x, int box_y, int box_w, int box_h, int hex_x, int hex_y,
                      canvas& c) {
    const piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
    if (p.class_index < 0 || static_cast<std::size_t>(p.class_index) >= game->class_array.size()) return;
    const class_struct& cls = game->class_array[static_cast<std::size_t>(p.class_index)];
    const int z = zoom();
    const auto outline = piece_facing_outline(p, cls, facing_box{box_x, box_y, box_w, box_h}, hex_x, hex_y,
                                              symbols->hex_size_by_zoom[z], z);
    if (outline.empty()) return;
    const facing_set_struct& set = *class_facing_set(cls);
    c.set_pen(map_colour(set.outline_colour), 1);
    c.set_brush(map_colour(set.fill_colour));
    c.polygon(outline);
}
void draw_stack_symbol(std::int32_t stack_symbol, int x, int y, int slot, canvas& c) {
    const symbol_struct* ps = symbols->piece_symbol(stack_symbol);
    if (!ps) return;
    const int z = zoom();
    const int ws = symbol_extent(ps->left[z], ps->right[z]), hs = symbol_extent(ps->top[z], ps->bottom[z]);
    if (ws <= 0 || hs <= 0) return;
    int dx = 0, dy = 0;
    get_symbol_offset_in_hex(ws, hs, slot, dx, dy);
    draw_masked(c, symbol_kind_piece, *ps, ws, hs, x + dx, y + dy);
}
void draw_status_dots(std::int32_t piece, int x, int y, int w, int h, canvas& c) {
    if (get_piece_visibility(piece) != visibility_full) return;
    const piece_struct& p = game->piece_array[static_cast<std::size_t>(piece)];
    if (p.class_index < 0 || static_cast<std::size_t>(p.class_index) >= game->class_array.size()) return;
    const class_struct& cls = game->class_array[static_cast<std::size_t>(p.class_index)];
    for (const status_dot_struct& d : game->status_dots) {
        if (!status_dot_holds(d, p, cls)) continue;
        const auto square = status_dot_square(d, zoom(), x, y, w, h);
        if (!square) continue;
        const colour_rgb colour = map_colour(d.colour);
        c.set_pen(colour, 1);
        c.set_brush(colour);
        c.ellipse(square->x, square->y, square->size, square->size);
    }
}
void draw_board_cards(std::int32_t, canvas&) {}
