#include "status_dots.h"

const char* const status_dot_condition_texts[7] = {
    "Not Used",    "Moved",      "In Combat (Attack/Defend)", "Attacked (only)", "Defended (only)",
    "Class Value", "Piece Value"};
const char* const status_dot_position_texts[10] = {
    "Do Not Draw",     "Top - Left",     "Top - Center",  "Top - Right",     "Center - Left",
    "Center - Center", "Center - Right", "Bottom - Left", "Bottom - Center", "Bottom - Right"};

namespace {

// A flag condition: set and limit not 0, or clear and limit 0.
bool flag_rule(bool set, std::int32_t limit) {
    return set == (limit != 0);
}

bool value_rule(const value_bytes& values, const std::uint8_t* types, int n, std::int32_t limit) {
    if (n < 0 || n > 7) return false;
    const auto& b = values[static_cast<std::size_t>(n)];
    const auto v = static_cast<std::int32_t>((std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) |
                                             (std::uint32_t{b[2]} << 8) | std::uint32_t{b[3]});
    switch (types[n]) {
    case 0:
        return false;
    case 1:
        return v >= limit;
    default:
        return (v != 0) == (limit != 0);
    }
}

} // namespace

bool status_dot_holds(const status_dot_struct& d, const piece_struct& p, const class_struct& c) {
    const int condition = d.kind & 0x0F, n = d.kind >> 4;
    switch (condition) {
    case 1:
        return flag_rule((p.flags & piece_flag_moved) != 0, d.limit);
    case 2:
        return flag_rule((p.flags & (piece_flag_attacked | piece_flag_defended)) != 0, d.limit);
    case 3:
        return flag_rule((p.flags & piece_flag_attacked) != 0, d.limit);
    case 4:
        return flag_rule((p.flags & piece_flag_defended) != 0, d.limit);
    case 5:
        return value_rule(c.values, c.value_types, n, d.limit);
    case 6:
        return value_rule(p.values, p.value_types, n, d.limit);
    default:
        return false; // 0 is "Not Used"; 7..15 only come from damaged files
    }
}

std::optional<dot_square> status_dot_square(const status_dot_struct& d, int zoom, int x, int y, int w,
                                            int h) {
    if (zoom < 0 || zoom > 2 || d.position < 1 || d.position > 9) return std::nullopt;
    const int s = d.size[zoom];
    if (s == 0) return std::nullopt;
    const int column = (d.position - 1) % 3, row = (d.position - 1) / 3;
    const int left = column == 0 ? x + 1 : column == 1 ? x + w / 2 - s / 2 : x + w - s - 1;
    const int top = row == 0 ? y + 1 : row == 1 ? y + h / 2 - s / 2 : y + h - s - 1;
    return dot_square{left, top, s};
}
