#include "los_engine.h"

#include "data/board.h"
#include "data/los_settings.h"
#include "data/symbols.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

thread_local los_path_struct los_path;
thread_local los_result_struct los_result;
thread_local bool los_writes_check_hexes = true;
std::function<void(los_point from, los_point to)> los_show_result_hook;

namespace {

// The hexes the current check was asked for, before any exchange of the ends.
thread_local std::int32_t asked_spotter = los_no_hex;
thread_local std::int32_t asked_target = los_no_hex;

bool on_board(std::int64_t hex) {
    return hex >= 0 && hex < board->hex_count && hex < static_cast<std::int64_t>(board->hex_array.size()) &&
           board->map_columns > 0;
}

int x_pitch() {
    return board->grid_type == 1 && symbols->hex_shape != 0 ? 80 : 100;
}
int y_pitch() {
    return board->grid_type == 2 && symbols->hex_shape != 0 ? 80 : 100;
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// The overlay records of each hex, in list order, found without scanning the list: built once
// for a board's overlay list (the list is rebuilt, never edited in place, when the board changes).
struct overlay_index {
    const board_state* for_board = nullptr;
    const hex_overlay_struct* for_list = nullptr;
    std::size_t list_size = 0;
    std::int32_t hex_count = 0;
    std::vector<std::uint32_t> first; // per hex, then one more: where its records start in `order`
    std::vector<std::uint32_t> order; // indices into the overlay list, grouped by hex
};

const overlay_index& overlays_by_hex() {
    static overlay_index index;
    const auto& list = board->hex_overlay_array;
    if (index.for_board == board.get() && index.for_list == list.data() && index.list_size == list.size() &&
        index.hex_count == board->hex_count)
        return index;
    index = {};
    index.for_board = board.get();
    index.for_list = list.data();
    index.list_size = list.size();
    index.hex_count = board->hex_count;
    const std::size_t hexes = static_cast<std::size_t>(std::max(board->hex_count, 0));
    index.first.assign(hexes + 1, 0);
    for (const auto& o : list)
        if (o.hex >= 0 && static_cast<std::size_t>(o.hex) < hexes)
            ++index.first[static_cast<std::size_t>(o.hex) + 1];
    for (std::size_t h = 0; h < hexes; ++h)
        index.first[h + 1] += index.first[h];
    index.order.resize(index.first[hexes]);
    std::vector<std::uint32_t> next(index.first.begin(), index.first.end() - 1);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::int32_t h = list[i].hex;
        if (h >= 0 && static_cast<std::size_t>(h) < hexes)
            index.order[next[static_cast<std::size_t>(h)]++] = static_cast<std::uint32_t>(i);
    }
    return index;
}

// Calls `use` with each terrain of a hex that counts for line of sight: the primary, the second,
// then the overlays as drawn (no more than the hex says it has, the first of its records).
template <class F> void for_each_los_terrain(const hex_struct& h, std::size_t hex, F&& use) {
    use(h.terrain);
    use(h.second_terrain);
    if (const int overlays = h.flags / 8; overlays > 0) {
        const overlay_index& index = overlays_by_hex();
        if (hex + 1 < index.first.size()) {
            const std::uint32_t from = index.first[hex];
            const std::uint32_t to =
                std::min<std::uint32_t>(index.first[hex + 1], from + static_cast<std::uint32_t>(overlays));
            for (std::uint32_t k = from; k < to; ++k)
                use(board->hex_overlay_array[index.order[k]].terrain);
        }
    }
}

const terrain_los_struct* terrain_los_of(std::int64_t terrain) {
    if (terrain < 0 || terrain >= static_cast<std::int64_t>(terrain_los_array.size())) return nullptr;
    return &terrain_los_array[static_cast<std::size_t>(terrain)];
}

} // namespace

los_point los_hex_centre(std::int32_t hex) {
    los_point p;
    if (!on_board(hex)) return p;
    const std::int32_t column = hex % board->map_columns;
    const std::int32_t row = hex / board->map_columns;
    p.x = column * x_pitch() + 50;
    p.y = row * y_pitch() + 50;
    if (board->grid_type == 1 && column % 2 == 1) p.y += 50;
    if (board->grid_type == 2 && row % 2 == 1) p.x += 50;
    return p;
}

std::int32_t los_hex_at_point(std::int64_t x, std::int64_t y) {
    if (x < 0 || y < 0 || board->map_columns <= 0) return los_no_hex;
    const int px = x_pitch(), py = y_pitch();
    std::int64_t column = 0, row = 0;
    if (board->grid_type == 2) {
        row = floor_div(y - 50 + py / 2, py);
        if (row % 2 == 1) x -= 50;
        column = floor_div(x - 50 + px / 2, px);
    } else {
        column = floor_div(x - 50 + px / 2, px);
        if (board->grid_type == 1 && column % 2 == 1) y -= 50;
        row = floor_div(y - 50 + py / 2, py);
    }
    if (column < 0 || row < 0 || column >= board->map_columns || row >= board->map_rows) return los_no_hex;
    const std::int64_t hex = row * board->map_columns + column;
    return on_board(hex) ? static_cast<std::int32_t>(hex) : los_no_hex;
}

std::vector<std::int32_t> los_hex_terrains(std::int32_t hex) {
    std::vector<std::int32_t> out;
    if (!on_board(hex)) return out;
    const hex_struct& h = board->hex_array[static_cast<std::size_t>(hex)];
    for_each_los_terrain(h, static_cast<std::size_t>(hex),
                         [&out](std::int64_t t) { out.push_back(static_cast<std::int32_t>(t)); });
    return out;
}

double hex_los_top_height(std::int32_t hex, double ground) {
    std::int32_t top = 0;
    for (std::int32_t t : los_hex_terrains(hex))
        if (const terrain_los_struct* r = terrain_los_of(t)) top = std::max(top, r->height_above_ground);
    return ground + top;
}

void prepare_los_engine() {
    overlays_by_hex();
}

std::int32_t get_hex_ground_level(std::int32_t hex) {
    if (!on_board(hex)) return 0;
    const hex_struct& h = board->hex_array[static_cast<std::size_t>(hex)];
    if (los_settings.terrain_ground_levels_in_use != 0)
        if (const terrain_los_struct* t = terrain_los_of(h.terrain)) return t->ground_level;
    return h.elevation;
}

std::int32_t los_entry_block_points(std::int32_t hex, std::int32_t ground, std::int32_t sight) {
    if (!on_board(hex)) return 0;
    const std::int32_t points_to_block = std::max(los_settings.points_to_block, 1);
    if (ground > sight) return points_to_block + 1;
    const hex_struct& h = board->hex_array[static_cast<std::size_t>(hex)];
    double sum = 0;
    auto add = [&](std::int64_t terrain) {
        const terrain_los_struct* t = terrain_los_of(terrain);
        if (!t) return;
        if (static_cast<std::int64_t>(t->height_above_ground) + ground <= sight) return;
        double percent = 100;
        if (hex == asked_spotter)
            percent = t->percent_when_spotting;
        else if (hex == asked_target)
            percent = t->percent_when_target;
        sum += static_cast<double>(t->block_points) * percent / 100.0;
    };
    for_each_los_terrain(h, static_cast<std::size_t>(hex), add);
    return static_cast<std::int32_t>(std::clamp(std::floor(sum), -2e9, 2e9));
}

namespace {

// The entries between a and b (exclusive) take a straight line from a's ground to b's.
void ramp(los_path_struct& path, int a, int b) {
    auto& e = path.entries;
    while (a < b && e[static_cast<std::size_t>(a)].hex == los_no_hex)
        ++a;
    while (b > a && e[static_cast<std::size_t>(b)].hex == los_no_hex)
        --b;
    const int n = b - a;
    if (n < 2) return;
    const float from = e[static_cast<std::size_t>(a)].ground;
    const float to = e[static_cast<std::size_t>(b)].ground;
    for (int k = 1; k < n; ++k)
        e[static_cast<std::size_t>(a + k)].ground =
            from + static_cast<float>(k) * (to - from) / static_cast<float>(n);
}

// A hill (peak) or a valley between a and b: ramp up to its top, round a broad top off, ramp down.
void shape_peak(los_path_struct& path, int a, int b, bool hill, float step) {
    auto& e = path.entries;
    if (b - a < 2) return;
    if (hill && b - a == 2) e[static_cast<std::size_t>(a + 1)].ground += 0.6F * step;
    int top = a + 1;
    for (int i = a + 1; i < b; ++i) {
        const float g = e[static_cast<std::size_t>(i)].ground;
        const float best = e[static_cast<std::size_t>(top)].ground;
        if (hill ? g > best : g < best) top = i;
    }
    const float top_value = e[static_cast<std::size_t>(top)].ground;
    int top_last = top;
    while (top_last + 1 < b && e[static_cast<std::size_t>(top_last + 1)].ground == top_value)
        ++top_last;
    const int count = top_last - top + 1;
    ramp(path, a, top);
    if (count >= 3) {
        const int half = (count + 1) / 2;
        const float rise =
            (count >= 5 ? 60.0F : 40.0F) / static_cast<float>(half) / 100.0F * (hill ? 1.0F : -1.0F);
        for (int j = 0; j < half; ++j)
            e[static_cast<std::size_t>(top + j)].ground += rise * static_cast<float>(j + 1);
        const int rest = count - half;
        for (int j = 0; j < rest; ++j)
            e[static_cast<std::size_t>(top + half + j)].ground += rise * static_cast<float>(rest - j);
    }
    ramp(path, top_last, b);
}

} // namespace

void smooth_los_ground(los_path_struct& path) {
    auto& e = path.entries;
    const int first = std::clamp(path.first_entry, 0, los_path_capacity - 1);
    const int last = std::clamp(path.last_entry, first, los_path_capacity - 1);
    const float cliff = static_cast<float>(los_settings.cliff_elevation);
    float reference = e[static_cast<std::size_t>(first)].ground;
    int last_change = first;
    int trend = 0; // 1 rose last, -1 fell last, 0 no change yet
    for (int i = first + 1; i <= last; ++i) {
        auto& entry = e[static_cast<std::size_t>(i)];
        if (entry.hex == los_no_hex) continue;
        const float difference = entry.ground - reference;
        const float step = std::fabs(std::round(difference));
        if (step == 0) continue;
        const bool rising = difference > 0;
        if (trend == 0 || trend == (rising ? 1 : -1))
            ramp(path, last_change, i);
        else
            shape_peak(path, last_change, i, /*hill=*/!rising, step);
        if (step >= cliff) entry.ground += rising ? -0.3F : 0.3F;
        reference = entry.ground;
        trend = rising ? 1 : -1;
        last_change = i;
    }
}

namespace {

struct walk_setup {
    bool along_x = true;
    int sign = 1;
    int step = 50;
    double slope = 0;
    double intercept = 0;
    los_point spotter;
};

los_point point_on_line(const walk_setup& w, std::int64_t along) {
    los_point p;
    if (w.along_x) {
        p.x = static_cast<std::int32_t>(along);
        p.y = static_cast<std::int32_t>(std::lround(w.slope * static_cast<double>(along) + w.intercept));
    } else {
        p.y = static_cast<std::int32_t>(along);
        p.x = static_cast<std::int32_t>(std::lround((static_cast<double>(along) - w.intercept) / w.slope));
    }
    return p;
}

std::int32_t distance_from(los_point a, los_point b) {
    return static_cast<std::int32_t>(std::lround(std::hypot(double(b.x) - a.x, double(b.y) - a.y)));
}

void record(los_path_entry_struct& entry, std::int32_t hex, std::int32_t distance) {
    entry.hex = hex;
    entry.ground = static_cast<float>(get_hex_ground_level(hex));
    entry.distance = distance;
}

void walk_path(const walk_setup& w, std::int32_t spotter_hex, std::int32_t target_hex) {
    los_path = los_path_struct{};
    auto& e = los_path.entries;
    const std::int64_t start = w.along_x ? w.spotter.x : w.spotter.y;

    // Behind the spotter.
    std::int32_t previous = spotter_hex;
    int slot = los_spotter_entry;
    for (std::int64_t along = start - w.sign; slot > 0;) {
        along -= static_cast<std::int64_t>(w.sign) * w.step;
        const los_point p = point_on_line(w, along);
        if (p.x < 0 || p.y < 0) break;
        const std::int32_t hex = los_hex_at_point(p.x, p.y);
        if (hex == los_no_hex) break;
        if (hex == previous) continue;
        previous = hex;
        record(e[static_cast<std::size_t>(--slot)], hex, distance_from(w.spotter, p));
    }
    los_path.first_entry = slot;

    record(e[los_spotter_entry], spotter_hex, 0);

    // Towards and beyond the target.
    previous = spotter_hex;
    slot = los_spotter_entry;
    int beyond = 0;
    if (spotter_hex == target_hex) los_path.target_entry = los_spotter_entry;
    for (std::int64_t along = start; slot < los_last_forward_entry && beyond < 4;) {
        along += static_cast<std::int64_t>(w.sign) * w.step;
        const los_point p = point_on_line(w, along);
        if (p.x < 0 || p.y < 0) break;
        const std::int32_t hex = los_hex_at_point(p.x, p.y);
        if (hex == los_no_hex) break;
        if (hex == previous) continue;
        previous = hex;
        record(e[static_cast<std::size_t>(++slot)], hex, distance_from(w.spotter, p));
        if (los_path.target_entry >= 0)
            ++beyond;
        else if (hex == target_hex)
            los_path.target_entry = slot;
    }
    los_path.last_entry = slot;
    if (slot + 1 < los_path_capacity && e[static_cast<std::size_t>(slot + 1)].ground == 0)
        e[static_cast<std::size_t>(slot + 1)].ground = e[static_cast<std::size_t>(slot)].ground;
}

float sight_at(float hs, float ht, std::int32_t distance, std::int32_t d) {
    if (d <= 0) return hs;
    return hs - static_cast<float>(distance) * (hs - ht) / static_cast<float>(d);
}

// Whether the target is seen against the sky: nothing reaches the line behind it.
bool silhouette_test(float hs, float ht, std::int32_t d, bool exchanged) {
    auto& e = los_path.entries;
    for (int n = 1; n <= 10; ++n) {
        const int i = exchanged ? los_spotter_entry - n : los_path.target_entry + n;
        if (i < 0 || i >= los_path_capacity) return true;
        auto& entry = e[static_cast<std::size_t>(i)];
        if (entry.hex == los_no_hex) return true;
        // Behind the first end the line runs on away from the target.
        const std::int32_t signed_distance = exchanged ? -entry.distance : entry.distance;
        const float sight = sight_at(hs, ht, signed_distance, d);
        if (los_entry_block_points(entry.hex, static_cast<std::int32_t>(std::lround(entry.ground)),
                                   static_cast<std::int32_t>(std::lround(sight))) != 0)
            return false;
    }
    return true;
}

} // namespace

int check_line_of_sight(std::int32_t spotter_hex, std::int32_t target_hex, std::int32_t spotter_height,
                        std::int32_t target_height, bool show_result, bool test_silhouette) {
    los_result = los_result_struct{};
    if (los_settings.points_to_block < 1) los_settings.points_to_block = 1;
    const std::int32_t points_to_block = los_settings.points_to_block;
    if (!on_board(spotter_hex) || !on_board(target_hex)) {
        los_path = los_path_struct{};
        los_result.percent_blocked = 100;
        return -1;
    }
    asked_spotter = spotter_hex;
    asked_target = target_hex;
    if (target_hex % board->map_columns < spotter_hex % board->map_columns) {
        std::swap(spotter_hex, target_hex);
        std::swap(spotter_height, target_height);
        los_result.ends_exchanged = true;
    }
    // The ends as the check ordered them (the result and the cross-section read them), unless the
    // thread asked for checks that write no shared state (the reveal checks on several threads).
    if (los_writes_check_hexes) {
        los_check.spotter_hex = spotter_hex;
        los_check.target_hex = target_hex;
    }

    walk_setup w;
    w.spotter = los_hex_centre(spotter_hex);
    const los_point target = los_hex_centre(target_hex);
    const std::int64_t dx = std::int64_t{target.x} - w.spotter.x;
    const std::int64_t dy = std::int64_t{target.y} - w.spotter.y;
    std::int32_t d = 0;
    if (dx == 0)
        d = static_cast<std::int32_t>(std::llabs(dy));
    else if (dy == 0)
        d = static_cast<std::int32_t>(std::llabs(dx));
    else
        d = static_cast<std::int32_t>(std::lround(std::hypot(double(dx), double(dy))));
    los_result.distance = d;

    // Compared unsigned, so a negative maximum range (-1) is unlimited.
    const std::int64_t range = std::int64_t{los_settings.maximum_range} * 100;
    if (range >= 0 && d > range) {
        los_result.beyond_maximum_range = true;
        if (!show_result) {
            los_result.percent_blocked = 100;
            return -1;
        }
    }
    std::int64_t degrade = 0;
    if (los_settings.degrade_for_range != 0 && los_settings.maximum_range > 0) {
        degrade = d / range;
        if (!show_result && degrade > points_to_block) {
            los_result.percent_blocked = 100;
            return -1;
        }
    }

    if (dx == 0)
        w.slope = dy > 0 ? 1000 : -1000;
    else
        w.slope = double(dy) / double(dx);
    if (w.slope == 0) w.slope = 0.001;
    w.intercept = double(target.y) - double(target.x) * w.slope;
    w.along_x = !(std::llabs(dx) < std::llabs(dy));
    w.sign = w.along_x ? (dx >= 0 ? 1 : -1) : (dy >= 0 ? 1 : -1);
    const bool shaped = symbols->hex_shape != 0;
    w.step =
        ((w.along_x && shaped && board->grid_type == 1) || (!w.along_x && shaped && board->grid_type == 2))
            ? 40
            : 50;

    walk_path(w, spotter_hex, target_hex);
    auto& e = los_path.entries;
    if (los_path.target_entry < 0) {
        // The line is longer than the path holds: it cannot be judged, so it counts as blocked.
        los_result.percent_blocked = 100;
        return -1;
    }
    if (los_settings.ground_smoothing != 0) smooth_los_ground(los_path);

    const auto te = static_cast<std::size_t>(los_path.target_entry);
    const float hs = static_cast<float>(spotter_height) + e[los_spotter_entry].ground + 0.05F;
    const float ht = static_cast<float>(target_height) + e[te].ground + 0.05F;
    for (std::size_t i = los_spotter_entry; i < te; ++i)
        e[i].sight = sight_at(hs, ht, e[i].distance, d);
    e[te].sight = ht;

    std::int64_t sum = 0;
    for (std::size_t i = los_spotter_entry; i < te; ++i) {
        if (e[i].sight < e[i].ground) {
            sum = std::int64_t{points_to_block} + 1;
            break;
        }
        e[i].block = los_entry_block_points(e[i].hex, static_cast<std::int32_t>(std::lround(e[i].ground)),
                                            static_cast<std::int32_t>(std::lround(e[i].sight)));
        sum += e[i].block;
        // Nothing to show: once the line is blocked the rest of it cannot change the answer.
        if (!show_result && !test_silhouette && sum + degrade >= points_to_block) break;
    }
    const std::int64_t percent = std::min<std::int64_t>((sum + degrade) * 100 / points_to_block, 100);
    los_result.percent_blocked = static_cast<std::int32_t>(std::max<std::int64_t>(percent, 0));

    if (show_result || test_silhouette)
        los_result.silhouetted = silhouette_test(hs, ht, d, los_result.ends_exchanged);
    if (show_result && los_show_result_hook) los_show_result_hook(w.spotter, target);
    return percent < 100 ? static_cast<int>(los_result.percent_blocked) : -1;
}
