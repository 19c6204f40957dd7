#include "view_geometry.h"

#include "data/board.h"
#include "data/game_settings.h"
#include "data/options.h"
#include "data/symbols.h"

#include <algorithm>
#include <climits>

int scroll_pos_x = 0, scroll_pos_y = 0;
int map_mouse_x = 0, map_mouse_y = 0;
int hex_screen_x = 0, hex_screen_y = 0;
std::uint8_t (&scroll_jump_sizes)[3] = game_settings.facing_display_options;
hex_outline_table hex_outline_tables[3];
map_view_hooks view_hooks;

namespace {

int zoom_index() {
    return std::clamp(zoom_level, 0, 2);
}

// Floor division, so that pixels left of or above the view fall into the cells there.
std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int clamp_int(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

// A map is there and the zoom has a usable cell size: every division below is safe.
bool view_usable() {
    return map_loaded() && cell_width() > 0 && cell_height() > 0;
}

std::int32_t columns() {
    return board->map_columns;
}
std::int32_t rows() {
    return board->map_rows;
}

void set_origin(std::int64_t column, std::int64_t row) {
    view_origin_hex = static_cast<std::int32_t>(row * columns() + column);
}

void shift_screen_copy(std::int64_t from_x, std::int64_t from_y, std::int64_t width, std::int64_t height,
                       std::int64_t to_x, std::int64_t to_y) {
    if (view_hooks.shift_screen_copy)
        view_hooks.shift_screen_copy(clamp_int(from_x), clamp_int(from_y), clamp_int(width),
                                     clamp_int(height), clamp_int(to_x), clamp_int(to_y));
}

void fill_background(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
    if (view_hooks.fill_background)
        view_hooks.fill_background(clamp_int(x), clamp_int(y), clamp_int(width), clamp_int(height));
}

void draw_block(std::int64_t column, std::int64_t row, int block_columns, int block_rows) {
    if (view_hooks.draw_map_block)
        view_hooks.draw_map_block(static_cast<std::int32_t>(row * columns() + column), block_columns,
                                  block_rows);
}

void show_buffer() {
    if (view_hooks.show_map_buffer) view_hooks.show_map_buffer();
}

void redraw_whole() {
    if (view_hooks.redraw_map) view_hooks.redraw_map();
}

// Amounts come from callers and from the scroll bars; anything past the board's size moves as
// far as the board does, and keeping them that small keeps the arithmetic in range.
int cap_amount(int n, std::int32_t limit) {
    return static_cast<int>(std::min<std::int64_t>(n, std::int64_t{limit} + 2));
}

int raise_to_even(int n) {
    return n % 2 != 0 ? n + 1 : n;
}

// Keeps an amount that would take the origin past the board's last column (or row) on the
// board, and even, so that the odd-column shift stays the same relative to the view.
int keep_on_board(int n, std::int32_t origin, std::int32_t limit) {
    if (origin + n < limit) return n;
    n = limit - 1 - origin;
    return n % 2 != 0 ? n - 1 : n;
}

} // namespace

int cell_width() {
    if (!map_loaded()) return 0;
    return std::max(0, board->hex_width_by_zoom[zoom_index()]);
}

int cell_height() {
    if (!map_loaded()) return 0;
    return std::max(0, board->hex_height_by_zoom[zoom_index()]);
}

int visible_columns() {
    int w = cell_width();
    return w > 0 ? std::max(0, view_width) / w : 0;
}

int visible_rows() {
    int h = cell_height();
    return h > 0 ? std::max(0, view_height) / h : 0;
}

std::int32_t view_origin_column() {
    if (!map_loaded() || view_origin_hex < 0 || view_origin_hex >= board->hex_count) return 0;
    return view_origin_hex % columns();
}

std::int32_t view_origin_row() {
    if (!map_loaded() || view_origin_hex < 0 || view_origin_hex >= board->hex_count) return 0;
    return view_origin_hex / columns();
}

int hex_to_screen_xy(std::int32_t hex, int& x, int& y) {
    x = 0;
    y = 0;
    if (!map_loaded()) return 1;
    const std::int64_t w = cell_width(), h = cell_height();
    const std::int64_t column = hex % columns(), row = hex / columns();
    std::int64_t px = (column - view_origin_column()) * w;
    std::int64_t py = (row - view_origin_row()) * h;
    if (board->grid_type == 1 && column % 2 != 0) py += h / 2;
    if (board->grid_type == 2 && row % 2 != 0) px += w / 2;
    x = clamp_int(px);
    y = clamp_int(py);
    return 1;
}

void set_hex_screen_pos(std::int32_t hex) {
    hex_to_screen_xy(hex, hex_screen_x, hex_screen_y);
}

std::int32_t point_to_hex(int x, int y) {
    if (!map_loaded()) return -1;
    if (!view_usable()) return 63000;
    const std::int64_t w = cell_width(), h = cell_height();
    std::int64_t column = 0, row = 0;
    if (board->grid_type == 1) {
        column = view_origin_column() + floor_div(x, w);
        // A point above the middle of an odd column's first cell is in the row above.
        row = view_origin_row() + (column % 2 != 0 ? floor_div(y - h / 2, h) : floor_div(y, h));
    } else if (board->grid_type == 2) {
        row = view_origin_row() + floor_div(y, h);
        column = view_origin_column() + (row % 2 != 0 ? floor_div(x - w / 2, w) : floor_div(x, w));
    } else {
        column = view_origin_column() + floor_div(x, w);
        row = view_origin_row() + floor_div(y, h);
    }
    if (column < 0 || row < 0 || column >= columns() || row >= rows()) return 63000;
    return static_cast<std::int32_t>(row * columns() + column);
}

bool is_point_beyond_view(int x, int y) {
    const std::int64_t w = cell_width(), h = cell_height();
    return x > view_width + 2 * w + 4 || y > view_height + 2 * h + 4;
}

void update_scroll_positions() {
    if (!view_usable()) return;
    auto position = [](std::int64_t origin, std::int64_t visible, std::int64_t limit) -> int {
        if (origin == 0) return 0;
        std::int64_t v = visible - 1;
        return static_cast<int>(origin + v < limit + 1 ? origin + v / 2 : limit - 1);
    };
    scroll_pos_x = position(view_origin_column(), visible_columns(), columns());
    scroll_pos_y = position(view_origin_row(), visible_rows(), rows());
}

void scroll_view_right(int n) {
    if (n <= 0 || !view_usable()) return;
    const std::int32_t oc = view_origin_column(), orow = view_origin_row();
    const int vc = visible_columns(), vr = visible_rows();
    const std::int64_t w = cell_width();
    n = raise_to_even(cap_amount(n, columns()));
    if (std::int64_t{oc} + vc >= std::int64_t{columns()} + 2) return;
    n = keep_on_board(n, oc, columns());
    if (n <= 0) return;
    const std::int64_t shift = n * w;
    if (!redraw_entire_screen && shift < view_width - 10) {
        shift_screen_copy(shift, 0, view_width - shift - 2, view_height, 0, 0);
        set_origin(oc + n, orow);
        if (std::int64_t{oc} + vc >= columns())
            fill_background(view_width - shift - 1, 0, shift + 3, view_height + 2);
        else
            draw_block(oc + vc, orow, n + 1, vr);
        show_buffer();
    } else {
        set_origin(oc + n, orow);
        redraw_whole();
    }
    update_scroll_positions();
}

void scroll_view_left(int n) {
    if (n <= 0 || !view_usable()) return;
    const std::int32_t oc = view_origin_column(), orow = view_origin_row();
    if (oc == 0) return;
    const int vr = visible_rows();
    const std::int64_t w = cell_width();
    n = std::min(n, oc);
    set_origin(oc - n, orow);
    const std::int64_t shift = n * w; // where the old origin hex now lies
    if (!redraw_entire_screen && shift < view_width - 10 - w) {
        shift_screen_copy(0, 0, view_width - shift, view_height, shift, 0);
        draw_block(oc - n, orow, n, vr);
        show_buffer();
    } else {
        redraw_whole();
    }
    update_scroll_positions();
}

void scroll_view_up(int n) {
    if (n <= 0 || !view_usable()) return;
    const std::int32_t oc = view_origin_column(), orow = view_origin_row();
    if (orow == 0) return;
    const int vc = visible_columns();
    const std::int64_t h = cell_height();
    n = std::min(n, orow);
    set_origin(oc, orow - n);
    const std::int64_t shift = n * h;
    if (!redraw_entire_screen && shift < view_height - 10) {
        shift_screen_copy(0, 0, view_width, view_height - shift, 0, shift);
        draw_block(oc, orow - n, vc, n);
        show_buffer();
    } else {
        redraw_whole();
    }
    update_scroll_positions();
}

void scroll_view_down(int n) {
    if (n <= 0 || !view_usable()) return;
    const std::int32_t oc = view_origin_column(), orow = view_origin_row();
    const int vc = visible_columns(), vr = visible_rows();
    const std::int64_t h = cell_height();
    n = raise_to_even(cap_amount(n, rows()));
    if (std::int64_t{orow} + vr > std::int64_t{rows()} + 1) return;
    n = keep_on_board(n, orow, rows());
    if (n <= 0) return;
    set_origin(oc, orow + n);
    const std::int64_t shift = n * h; // where the new origin hex stood in the old view
    if (!redraw_entire_screen && view_height - shift >= view_height / 3) {
        shift_screen_copy(0, shift, view_width, view_height - shift, 0, 0);
        const std::int64_t first_row = orow + n + (view_height - shift) / h;
        if (first_row < rows())
            draw_block(oc, first_row, vc, n + 2);
        else
            fill_background(0, view_height - shift, view_width + 2, shift + 2);
        show_buffer();
    } else {
        redraw_whole();
    }
    update_scroll_positions();
}

void scroll_to_left_end() {
    if (!view_usable()) return;
    const std::int32_t oc = view_origin_column();
    if (oc >= visible_columns() || redraw_entire_screen) {
        set_origin(0, view_origin_row());
        redraw_whole();
        update_scroll_positions();
    } else {
        scroll_view_left(oc);
    }
}

void scroll_to_top() {
    if (!view_usable()) return;
    const std::int32_t orow = view_origin_row();
    if (orow >= visible_rows() || redraw_entire_screen) {
        set_origin(view_origin_column(), 0);
        redraw_whole();
        update_scroll_positions();
    } else {
        scroll_view_up(orow);
    }
}

void scroll_to_right_end() {
    if (!view_usable()) return;
    const std::int32_t oc = view_origin_column();
    const int vc = visible_columns();
    // The view may show two empty columns past the board, but its origin stays on the board.
    const std::int64_t target = std::clamp<std::int64_t>(std::int64_t{columns()} + 2 - vc, 0, columns() - 1);
    const std::int64_t d = target - oc;
    if (d >= vc || redraw_entire_screen) {
        set_origin(target, view_origin_row());
        redraw_whole();
        update_scroll_positions();
    } else if (d > 0) {
        scroll_view_right(static_cast<int>(d));
    }
}

void scroll_to_bottom() {
    if (!view_usable()) return;
    const std::int32_t orow = view_origin_row();
    const int vr = visible_rows();
    const std::int64_t target = std::clamp<std::int64_t>(std::int64_t{rows()} + 2 - vr, 0, rows() - 1);
    const std::int64_t d = target - orow;
    if (d >= vr || redraw_entire_screen) {
        set_origin(view_origin_column(), target);
        redraw_whole();
        update_scroll_positions();
    } else if (d > 0) {
        scroll_view_down(static_cast<int>(d));
    }
}

void zoom_in_at_hex() {
    if (zoom_level >= 2) return;
    std::int64_t column = 0, row = 0;
    if (view_usable()) {
        const std::int64_t x = std::max(0, map_mouse_x + 5), y = std::max(0, map_mouse_y + 5);
        column = view_origin_column() + x / cell_width();
        row = view_origin_row() + y / cell_height();
        column = std::max<std::int64_t>(0, std::min<std::int64_t>(column, columns() - 2));
        row = std::max<std::int64_t>(0, std::min<std::int64_t>(row, rows() - 2));
    }
    zoom_level = std::max(0, zoom_level) + 1;
    std::int64_t oc = 0, orow = 0;
    if (view_usable()) {
        oc = std::max<std::int64_t>(0, column - visible_columns() / 2);
        orow = std::max<std::int64_t>(0, row - visible_rows() / 2);
        if (oc % 2 != 0) ++oc;
        if (orow % 2 != 0) ++orow;
    }
    if (map_loaded())
        set_origin(oc, orow);
    else
        view_origin_hex = 0;
    redraw_whole();
    update_scroll_positions();
}

void zoom_out() {
    if (zoom_level <= 0) return;
    std::int64_t centre_column = 0, centre_row = 0;
    if (view_usable()) {
        centre_column = view_origin_column() + visible_columns() / 2;
        centre_row = view_origin_row() + visible_rows() / 2;
    }
    zoom_level = std::min(zoom_level, 3) - 1;
    std::int64_t oc = 0, orow = 0;
    if (view_usable()) {
        const int vc = visible_columns(), vr = visible_rows();
        oc = centre_column - vc / 2;
        orow = centre_row - vr / 2;
        if (oc != 0 || orow != 0) {
            if (oc + vc > columns()) oc = columns() - vc;
            if (orow + vr > rows()) orow = rows() - vr;
        }
        // A view narrower than one cell could leave the centre past the last column.
        oc = std::min<std::int64_t>(oc, columns() - 1);
        orow = std::min<std::int64_t>(orow, rows() - 1);
        oc = std::max<std::int64_t>(oc, 0);
        orow = std::max<std::int64_t>(orow, 0);
        if (oc % 2 != 0) --oc;
        if (orow % 2 != 0) --orow;
    }
    if (map_loaded())
        set_origin(oc, orow);
    else
        view_origin_hex = 0;
    redraw_whole();
    update_scroll_positions();
}

void bring_hex_into_view(std::int32_t hex) {
    if (!map_loaded() || hex < 0 || hex >= board->hex_count) return;
    map_just_redrawn = 0;
    if (!view_usable()) return;
    const std::int32_t hc = hex % columns(), hr = hex / columns();
    const std::int32_t oc = view_origin_column(), orow = view_origin_row();
    const int vc = visible_columns(), vr = visible_rows();

    if (hc >= oc && hr >= orow && hc - oc < vc && hr - orow < vr) {
        // Visible: only move it away from an edge when the view is large enough to spare it.
        if (vc > 10) {
            if (hc - oc < 2)
                scroll_view_left(2);
            else if (vc + oc - hc < 2)
                scroll_view_right(2);
        }
        if (vr > 10) {
            if (hr - orow < 2)
                scroll_view_up(2);
            else if (vr + orow - hr < 2)
                scroll_view_down(2);
        }
        return;
    }

    // An amount is usable when it is smaller than the view; a hex inside the view's span on
    // that axis needs none.
    struct axis_move {
        int back = 0, forward = 0;
        bool fits = true;
    };
    auto plan = [](std::int64_t pos, std::int64_t origin, std::int64_t visible) {
        axis_move m;
        const std::int64_t step = visible / 5;
        if (pos <= origin) {
            std::int64_t n = step + (origin - pos + 1);
            if (n % 2 != 0) ++n;
            if (n < visible)
                m.back = static_cast<int>(n);
            else
                m.fits = false;
        } else if (pos >= origin + visible) {
            std::int64_t n = step + (pos - origin - visible + 1);
            if (n % 2 != 0) ++n;
            if (n < visible)
                m.forward = static_cast<int>(n);
            else
                m.fits = false;
        }
        return m;
    };
    const axis_move across = plan(hc, oc, vc);
    const axis_move down = plan(hr, orow, vr);

    if (!across.fits || !down.fits) {
        std::int64_t noc = std::max(0, hc - vc / 2);
        std::int64_t nor = std::max(0, hr - vr / 2);
        if (noc % 2 != 0) {
            // Keep the origin column even; step back instead when stepping on would lose the
            // hex or leave the board, and keep it odd in a view too narrow for either.
            if (noc + 1 <= hc && noc + 1 < columns()) {
                ++noc;
                ++nor;
            } else if (hc - (noc - 1) < vc) {
                --noc;
            }
        }
        nor = std::min<std::int64_t>(nor, std::min(hr, rows() - 1));
        set_origin(noc, nor);
        redraw_whole();
        update_scroll_positions();
        return;
    }
    scroll_view_left(across.back);
    scroll_view_right(across.forward);
    scroll_view_up(down.back);
    scroll_view_down(down.forward);
}

bool map_scroll_bar_event(bool horizontal, scroll_code code, int new_position) {
    if (!view_ready || !map_loaded()) return false;
    void (*back)(int) = horizontal ? scroll_view_left : scroll_view_up;
    void (*forward)(int) = horizontal ? scroll_view_right : scroll_view_down;
    const int jump = scroll_jump_sizes[zoom_index()];
    switch (code) {
    case scroll_code::line_back:
        back(2);
        break;
    case scroll_code::line_forward:
        forward(2);
        break;
    case scroll_code::page_back:
        back(jump);
        break;
    case scroll_code::page_forward:
        forward(jump);
        break;
    case scroll_code::thumb_position: {
        const std::int64_t d = std::int64_t{new_position} - (horizontal ? scroll_pos_x : scroll_pos_y);
        const int amount = static_cast<int>(std::min<std::int64_t>(d < 0 ? -d : d, INT_MAX));
        if (d > 0)
            forward(amount);
        else if (d < 0)
            back(amount);
        break;
    }
    case scroll_code::thumb_track:
        break;
    case scroll_code::to_start:
        horizontal ? scroll_to_left_end() : scroll_to_top();
        break;
    case scroll_code::to_end:
        horizontal ? scroll_to_right_end() : scroll_to_bottom();
        break;
    }
    update_scroll_positions();
    return true;
}

bool hex_outline_tables_stale() {
    for (int z = 0; z < 3; ++z) {
        const hex_outline_table& t = hex_outline_tables[z];
        if (!t.built || t.size != std::max(0, symbols->hex_size_by_zoom[z]) ||
            t.hex_shape != symbols->hex_shape || t.grid_type != board->grid_type)
            return true;
    }
    return false;
}

void mark_hex_outline_tables_not_built() {
    for (auto& t : hex_outline_tables)
        t.built = false;
}

void build_hex_geometry_tables() {
    // Fractions of the cell size in thousandths, truncated as whole pixels.
    struct frac {
        int x, y;
    };
    static constexpr frac square[12] = {{750, 0},     {1000, 0},   {1000, 250}, {1000, 750},
                                        {1000, 1000}, {750, 1000}, {250, 1000}, {0, 1000},
                                        {0, 750},     {0, 250},    {0, 0},      {250, 0}};
    static constexpr frac columns_shape[12] = {{850, 125}, {900, 250}, {950, 375}, {950, 625},
                                               {900, 750}, {850, 875}, {150, 875}, {100, 750},
                                               {50, 625},  {50, 375},  {100, 250}, {150, 125}};
    static constexpr frac rows_shape[12] = {{650, 50},  {750, 100}, {850, 150}, {850, 850},
                                            {750, 900}, {650, 950}, {350, 950}, {250, 900},
                                            {150, 850}, {150, 150}, {250, 100}, {350, 50}};
    const frac* shape = square;
    if (symbols->hex_shape != 0 && board->grid_type == 1) shape = columns_shape;
    if (symbols->hex_shape != 0 && board->grid_type == 2) shape = rows_shape;
    for (int z = 0; z < 3; ++z) {
        const std::int64_t s = std::max(0, symbols->hex_size_by_zoom[z]);
        hex_outline_table& t = hex_outline_tables[z];
        for (int i = 0; i < 12; ++i) {
            t.points[i].x = clamp_int(shape[i].x * s / 1000);
            t.points[i].y = clamp_int(shape[i].y * s / 1000);
        }
        t.size = static_cast<std::int32_t>(s);
        t.hex_shape = symbols->hex_shape;
        t.grid_type = board->grid_type;
        t.built = true;
    }
}
