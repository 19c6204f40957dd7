// Drawing on off-screen bitmaps as game logic sees it: plain C++, no toolkit types.
//
// A canvas draws on one bitmap, which must outlive it. Bit-block copies combine pixel values
// exactly (AND, OR, NOT of the 32-bit RGB values); lines, shapes and text go through the
// platform's painter without smoothing, so that pixels stay predictable.
#pragma once

#include "platform/bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using colour_rgb = std::uint32_t; // 0xRRGGBB

constexpr colour_rgb make_rgb(int r, int g, int b) {
    return (static_cast<colour_rgb>(r & 255) << 16) | (static_cast<colour_rgb>(g & 255) << 8) |
           static_cast<colour_rgb>(b & 255);
}

// How a bit-block copy combines the source with what is there.
enum class raster_op {
    srccopy,    // dest = src
    srcand,     // dest = dest AND src
    srcpaint,   // dest = dest OR src
    notsrccopy, // dest = NOT src
};

enum class pen_style { solid = 1, dot = 2, dash_dot = 3, dash = 4, dash_dot_dot = 5 };
enum class text_h_align { left, centre, right };
enum class text_v_align { top, centre, bottom };

struct canvas_point {
    int x = 0, y = 0;
};

// A font named "size.face" with optional ".Bold", ".Italic", ".Underline" in any order.
struct font_spec {
    int point_size = 8;
    std::string face;
    bool bold = false, italic = false, underline = false;
};
font_spec parse_font_name(const std::string& name);

class canvas {
public:
    explicit canvas(bitmap& target);
    ~canvas();
    canvas(const canvas&) = delete;
    canvas& operator=(const canvas&) = delete;

    bitmap& target() const { return *target_; }
    int width() const;
    int height() const;

    void set_pen(colour_rgb colour, int width = 1, pen_style style = pen_style::solid);
    void set_no_pen();
    void set_brush(colour_rgb colour);
    void set_no_brush();
    // A font by name ("8.MS Sans Serif.Bold"); faces that are not installed get a near one.
    void set_font(const std::string& name);
    // The width in pixels of the text in the current font.
    int text_width(const std::string& text) const;
    void set_text_colour(colour_rgb colour);

    void fill_rect(int x, int y, int width, int height, colour_rgb colour);
    void line(int x1, int y1, int x2, int y2);
    // Outlined with the pen and filled with the brush; the box is x..x+width-1, y..y+height-1.
    void rectangle(int x, int y, int width, int height);
    void polygon(const std::vector<canvas_point>& points);
    // The circle or ellipse in the box x..x+width-1, y..y+height-1, outlined and filled.
    void ellipse(int x, int y, int width, int height);
    // One line of text in a box, clipped to it, on a transparent background.
    void draw_text(int x, int y, int width, int height, const std::string& text, text_h_align h,
                   text_v_align v);

    // Copies width x height pixels of src from (sx, sy) to (dx, dy), combined by op; parts
    // outside either bitmap are left out. src may be this canvas's own bitmap.
    void copy_bits(int dx, int dy, int width, int height, const bitmap& src, int sx, int sy, raster_op op);

private:
    struct impl;
    bitmap* target_;
    std::unique_ptr<impl> impl_;
};

// The pixel at (x, y) of a bitmap (0 outside it).
colour_rgb pixel_of(const bitmap& b, int x, int y);
