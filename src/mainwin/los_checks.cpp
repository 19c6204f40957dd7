#include "los_checks.h"

#include "data/board.h"
#include "data/los_settings.h"
#include "data/symbols.h"
#include "data/view_state.h"
#include "los/los_engine.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_geometry.h"

#include <algorithm>

area_window area_check_window(int c, int r, int n, int direction) {
    area_window w;
    n = std::max(0, n);
    switch (direction) {
    case 1:
        w = {c - n, c + n, r - n, r + 1};
        break;
    case 2:
        w = {c - 1, c + n, r - n, r + n};
        break;
    case 3:
        w = {c - n, c + n, r - 1, r + n};
        break;
    case 4:
        w = {c - n, c + 1, r - n, r + n};
        break;
    default:
        w = {c - n, c + n, r - n, r + n};
        break;
    }
    w.first_column = std::max(w.first_column, 0);
    w.first_row = std::max(w.first_row, 0);
    w.last_column = std::min(w.last_column, board->map_columns - 1);
    w.last_row = std::min(w.last_row, board->map_rows - 1);
    return w;
}

namespace {

void mark(std::int32_t hex, bool clear) {
    if (!screen_save_canvas) return;
    int x = 0, y = 0;
    hex_to_screen_xy(hex, x, y);
    const int s = std::max(0, symbols->hex_size_by_zoom[std::clamp<int>(zoom_level, 0, 2)]);
    const int box = std::max(4, s / 3);
    const int mx = x + (s - box) / 2, my = y + (s - box) / 2;
    canvas& c = *screen_save_canvas;
    if (clear) {
        c.set_pen(map_colour(15), 2);
        c.set_no_brush();
        c.rectangle(mx, my, box, box);
    } else {
        c.set_pen(map_colour(12), 2);
        c.line(mx, my, mx + box, my + box);
        c.line(mx + box, my, mx, my + box);
    }
}

} // namespace

area_result run_area_los_check() {
    area_result out;
    const std::int32_t spotter = los_check.spotter_hex;
    if (spotter < 0 || spotter >= board->hex_count || board->map_columns <= 0) return out;
    const int column = spotter % board->map_columns, row = spotter / board->map_columns;
    const area_window w = area_check_window(column, row, los_check.radius, los_check.direction);
    for (int r = w.first_row; !w.empty() && r <= w.last_row; ++r)
        for (int c = w.first_column; c <= w.last_column; ++c) {
            const std::int32_t hex = r * board->map_columns + c;
            if (hex == spotter) continue;
            int x = 0, y = 0;
            hex_to_screen_xy(hex, x, y);
            if (is_point_beyond_view(x, y)) continue;
            const bool clear = check_line_of_sight(spotter, hex, los_check.spotter_height,
                                                   los_check.target_height, false, false) != -1;
            (clear ? out.seen : out.blocked).push_back(hex);
            mark(hex, clear);
        }
    show_map_buffer();
    los_check.spotter_hex = -1;
    los_check.target_hex = -1;
    return out;
}
