#include "facing.h"

#include "platform/boxes.h"

#include <algorithm>
#include <new>

namespace {

constexpr int facing_sets_max = 250;
constexpr int facing_size_max = 40;

enum class place { top, top_right, right, bottom_right, bottom, bottom_left, left, top_left };

std::optional<place> place_of(int code) {
    switch (code) {
    case 1:
    case 10:
    case 40:
        return place::top;
    case 5:
    case 11:
    case 20:
    case 30:
    case 41:
        return place::top_right;
    case 2:
    case 21:
    case 31:
        return place::right;
    case 6:
    case 12:
    case 22:
    case 32:
    case 42:
        return place::bottom_right;
    case 3:
    case 13:
    case 43:
        return place::bottom;
    case 7:
    case 14:
    case 23:
    case 33:
    case 44:
        return place::bottom_left;
    case 4:
    case 24:
    case 34:
        return place::left;
    case 8:
    case 15:
    case 25:
    case 35:
    case 45:
        return place::top_left;
    default:
        return std::nullopt;
    }
}

// cos and sin of the directions the codes use (30 and 60 degrees by 0.866 and 0.5).
std::pair<double, double> unit(int degrees) {
    switch ((degrees % 360 + 360) % 360) {
    case 0:
        return {1, 0};
    case 30:
        return {0.866, 0.5};
    case 45:
        return {0.7071, 0.7071};
    case 60:
        return {0.5, 0.866};
    case 90:
        return {0, 1};
    case 120:
        return {-0.5, 0.866};
    case 135:
        return {-0.7071, 0.7071};
    case 150:
        return {-0.866, 0.5};
    case 180:
        return {-1, 0};
    case 210:
        return {-0.866, -0.5};
    case 225:
        return {-0.7071, -0.7071};
    case 240:
        return {-0.5, -0.866};
    case 270:
        return {0, -1};
    case 300:
        return {0.5, -0.866};
    case 315:
        return {0.7071, -0.7071};
    default: // 330
        return {0.866, -0.5};
    }
}

canvas_point pt(double x, double y) {
    return canvas_point{static_cast<int>(x), static_cast<int>(y)};
}

} // namespace

int facing_set_count() {
    const auto& a = game->facing_set_array;
    int n = 0;
    while (n < facing_sets_max && static_cast<std::size_t>(n) < a.size() &&
           a[static_cast<std::size_t>(n)].direction != 0)
        ++n;
    return n;
}

int add_facing_set() {
    const int n = facing_set_count();
    if (n >= facing_sets_max) {
        message_box(
            "Limit Reached Error",
            "The maximum limit of 250 Facing Set definitions \n\rhave already been created.  No more sets "
            "may be added.",
            box_buttons::ok, box_icon::stop);
        return -1;
    }
    // The new list is made whole before it replaces the old one: a failure loses nothing.
    try {
        std::vector<facing_set_struct> grown(
            game->facing_set_array.begin(),
            game->facing_set_array.begin() +
                std::min<std::ptrdiff_t>(n, static_cast<std::ptrdiff_t>(game->facing_set_array.size())));
        grown.resize(static_cast<std::size_t>(n) + 2);
        grown[static_cast<std::size_t>(n)] = facing_set_struct{};
        grown[static_cast<std::size_t>(n)].direction = 1;
        grown[static_cast<std::size_t>(n) + 1] = facing_set_struct{};
        game->facing_set_array.swap(grown);
    } catch (const std::bad_alloc&) {
        message_box("Memory Allocation Error", "Could not allocate memory for new facing array! ",
                    box_buttons::ok, box_icon::stop);
        return -1;
    }
    return n;
}

const facing_set_struct* class_facing_set(const class_struct& cls) {
    if (cls.facing_set == 0 || cls.facing_set > facing_set_count()) return nullptr;
    return &game->facing_set_array[static_cast<std::size_t>(cls.facing_set) - 1];
}

std::optional<int> facing_direction(int code) {
    switch (code) {
    case 1:
    case 10:
    case 40:
        return 90;
    case 2:
    case 21:
    case 31:
        return 0;
    case 3:
    case 13:
    case 43:
        return -90;
    case 4:
    case 24:
    case 34:
        return 180;
    case 5:
        return 45;
    case 6:
        return -45;
    case 7:
        return -135;
    case 8:
        return 135;
    case 11:
    case 41:
        return 30;
    case 12:
    case 42:
        return -30;
    case 14:
    case 44:
        return -150;
    case 15:
    case 45:
        return 150;
    case 20:
    case 30:
        return 60;
    case 22:
    case 32:
        return -60;
    case 23:
    case 33:
        return -120;
    case 25:
    case 35:
        return 120;
    default:
        return std::nullopt;
    }
}

std::optional<canvas_point> facing_anchor_point(const facing_box& b, int code) {
    const auto p = place_of(code);
    if (!p) return std::nullopt;
    const int l = b.x, t = b.y, r = b.x + b.width, bt = b.y + b.height, mx = b.x + b.width / 2,
              my = b.y + b.height / 2;
    switch (*p) {
    case place::top:
        return canvas_point{mx, t};
    case place::top_right:
        return canvas_point{r, t};
    case place::right:
        return canvas_point{r, my};
    case place::bottom_right:
        return canvas_point{r, bt};
    case place::bottom:
        return canvas_point{mx, bt};
    case place::bottom_left:
        return canvas_point{l, bt};
    case place::left:
        return canvas_point{l, my};
    default:
        return canvas_point{l, t};
    }
}

std::optional<canvas_point> hex_edge_anchor(int h, int code) {
    switch (code) {
    case 1:
    case 10:
    case 40:
        return canvas_point{h / 2, 0};
    case 2:
    case 21:
    case 31:
        return canvas_point{h, h / 2};
    case 3:
    case 13:
    case 43:
        return canvas_point{h / 2, h};
    case 4:
    case 24:
    case 34:
        return canvas_point{0, h / 2};
    case 5:
        return canvas_point{h, 0};
    case 6:
        return canvas_point{h, h};
    case 7:
        return canvas_point{0, h};
    case 8:
        return canvas_point{0, 0};
    case 11:
        return canvas_point{h - h / 10, h / 4};
    case 12:
        return canvas_point{h - h / 10, h - h / 4};
    case 14:
        return canvas_point{h / 10, h - h / 4};
    case 15:
        return canvas_point{h / 10, h / 4};
    case 20:
        return canvas_point{h - h / 5, 0};
    case 22:
        return canvas_point{h - h / 5, h};
    case 23:
        return canvas_point{h / 5, h};
    case 25:
        return canvas_point{h / 5, 0};
    case 30:
        return canvas_point{h - h / 4, h / 10};
    case 32:
        return canvas_point{h - h / 4, h - h / 10};
    case 33:
        return canvas_point{h / 4, h - h / 10};
    case 35:
        return canvas_point{h / 4, h / 10};
    case 41: // the right-hand vertices stand on the right edge, as 44 and 45 on the left
        return canvas_point{h, h / 5};
    case 42:
        return canvas_point{h, h - h / 5};
    case 44:
        return canvas_point{0, h - h / 5};
    case 45:
        return canvas_point{0, h / 5};
    default:
        return std::nullopt;
    }
}

std::vector<canvas_point> build_facing_polygon(int x, int y, int s, int code, int shape) {
    if (s < 1) return {};
    const auto p = place_of(code);
    const auto d = facing_direction(code);
    if (!p || !d) return {};
    if (shape == 1) {
        const int L = 25 * s / 10;
        switch (*p) {
        case place::top:
            return {{x - 2 * s, y - s}, {x - 2 * s, y}, {x + 2 * s, y}, {x + 2 * s, y - s}};
        case place::right:
            return {{x, y - 2 * s}, {x, y + 2 * s}, {x + s, y + 2 * s}, {x + s, y - 2 * s}};
        case place::bottom:
            return {{x - 2 * s, y}, {x - 2 * s, y + s}, {x + 2 * s, y + s}, {x + 2 * s, y}};
        case place::left:
            return {{x - s, y - 2 * s}, {x - s, y + 2 * s}, {x, y + 2 * s}, {x, y - 2 * s}};
        default: {
            // The top-right L, mirrored to the other corners.
            const int fx = (*p == place::top_right || *p == place::bottom_right) ? 1 : -1;
            const int fy = (*p == place::top_right || *p == place::top_left) ? 1 : -1;
            return {{x, y},
                    {x, y + fy * L},
                    {x + fx * s, y + fy * L},
                    {x + fx * s, y - fy * s},
                    {x - fx * L, y - fy * s},
                    {x - fx * L, y}};
        }
        }
    }
    if (shape != 2 && shape != 3) return {};
    const auto [cs, sn] = unit(*d);
    const double ux = cs, uy = -sn; // y grows downwards
    const double tip_x = shape == 2 ? x : x + s * ux, tip_y = shape == 2 ? y : y + s * uy;
    const double base_x = tip_x - s * ux, base_y = tip_y - s * uy;
    const double px = uy * (s / 4), py = -ux * (s / 4);
    return {pt(tip_x, tip_y), pt(base_x + px, base_y + py), pt(base_x - px, base_y - py)};
}

std::vector<canvas_point> piece_facing_outline(const piece_struct& piece, const class_struct& cls,
                                               const facing_box& box, int hex_x, int hex_y, int h, int zoom) {
    const facing_set_struct* set = class_facing_set(cls);
    if (!set || piece.facing == 0 || zoom < 0 || zoom > 2) return {};
    const int s = std::min<int>(set->size[zoom], facing_size_max);
    if (s == 0) return {};
    switch (set->style) {
    case 1:
    case 2: {
        const auto a = facing_anchor_point(box, piece.facing);
        return a ? build_facing_polygon(a->x, a->y, s, piece.facing, set->style == 1 ? 1 : 3)
                 : std::vector<canvas_point>{};
    }
    case 3:
        return build_facing_polygon(box.x + box.width / 2, box.y + box.height / 2, s, piece.facing, 3);
    case 4: {
        const auto a = hex_edge_anchor(h, piece.facing);
        return a ? build_facing_polygon(hex_x + a->x, hex_y + a->y, s, piece.facing, 2)
                 : std::vector<canvas_point>{};
    }
    default:
        return {};
    }
}

namespace {

struct sector {
    double bound;
    int code;
};
struct sector_table {
    std::vector<sector> up, down; // bounds above 0 in rising order, below 0 in falling order
    int beyond_up, beyond_down;
};

int pick(const sector_table& t, double a) {
    if (a >= 0) {
        for (const sector& s : t.up)
            if (a <= s.bound) return s.code;
        return t.beyond_up;
    }
    for (const sector& s : t.down)
        if (a >= s.bound) return s.code;
    return t.beyond_down;
}

const sector_table* table_for(int grid, int kind) {
    static const sector_table square_sides{{{45, 2}, {135, 1}}, {{-45, 2}, {-135, 3}}, 4, 4};
    static const sector_table square_vertices{{{90, 5}}, {{-90, 6}}, 8, 7};
    static const sector_table square_both{
        {{22, 2}, {67, 5}, {112, 1}, {157, 8}}, {{-22, 2}, {-67, 6}, {-112, 3}, {-157, 7}}, 4, 4};
    static const sector_table columns_sides{{{60, 11}, {120, 10}}, {{-60, 12}, {-120, 13}}, 15, 14};
    static const sector_table columns_vertices{
        {{30, 21}, {90, 20}, {150, 25}}, {{-30, 21}, {-90, 22}, {-150, 23}}, 24, 24};
    static const sector_table columns_both{
        {{15, 21}, {45, 11}, {75, 20}, {105, 10}, {135, 25}, {165, 15}},
        {{-15, 21}, {-45, 12}, {-75, 22}, {-105, 13}, {-135, 23}, {-165, 14}},
        24,
        24};
    static const sector_table rows_sides{
        {{30, 31}, {90, 30}, {150, 35}}, {{-30, 31}, {-90, 32}, {-150, 33}}, 34, 34};
    static const sector_table rows_vertices{{{60, 41}, {120, 40}}, {{-60, 42}, {-120, 43}}, 45, 44};
    static const sector_table rows_both{{{15, 31}, {45, 41}, {75, 30}, {105, 40}, {135, 35}, {165, 45}},
                                        {{-15, 31}, {-45, 42}, {-75, 32}, {-105, 43}, {-135, 33}, {-165, 44}},
                                        34,
                                        34};
    if (kind < 1 || kind > 3) return nullptr;
    switch (grid) {
    case 3:
        return kind == 1 ? &square_sides : kind == 2 ? &square_vertices : &square_both;
    case 1:
        return kind == 1 ? &columns_sides : kind == 2 ? &columns_vertices : &columns_both;
    case 2:
        return kind == 1 ? &rows_sides : kind == 2 ? &rows_vertices : &rows_both;
    default:
        return nullptr;
    }
}

} // namespace

int facing_code_at_angle(double degrees, int grid_type, int kind) {
    const sector_table* t = table_for(grid_type, kind);
    return t ? pick(*t, degrees) : 0;
}
