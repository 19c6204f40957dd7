#include "canvas.h"

#include "bitmap_qt.h"
#include "qt_fonts.h"
#include "qt_text.h"

#include <QFontDatabase>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

QColor to_qcolor(colour_rgb c) {
    return QColor(static_cast<int>((c >> 16) & 255), static_cast<int>((c >> 8) & 255),
                  static_cast<int>(c & 255));
}

bool same_text(const std::string& a, const char* b) {
    std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

Qt::PenStyle qt_style(pen_style s) {
    switch (s) {
    case pen_style::dot:
        return Qt::DotLine;
    case pen_style::dash_dot:
        return Qt::DashDotLine;
    case pen_style::dash:
        return Qt::DashLine;
    case pen_style::dash_dot_dot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

// Faces of the old system fonts mapped to what this platform has. The fixed-width ones
// (including the common misspelling "Courrier") go to the platform's fixed-width font.
QFont make_font(const font_spec& spec) {
    QFont f;
    const std::string& face = spec.face;
    if (same_text(face, "Courrier") || same_text(face, "Courier") || same_text(face, "Courier New") ||
        same_text(face, "Fixedsys") || same_text(face, "Terminal")) {
        f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    } else {
        QFont::StyleHint hint = QFont::SansSerif;
        if (same_text(face, "Times New Roman") || same_text(face, "MS Serif"))
            hint = QFont::Serif;
        else if (same_text(face, "Brush Script MT"))
            hint = QFont::Cursive;
        else if (same_text(face, "System"))
            hint = QFont::System;
        f.setStyleHint(hint);
        const QString family = to_qstring(face);
        // A face this platform does not have is replaced by its default of the same kind.
        f.setFamily(QFontDatabase::hasFamily(family) ? family : f.defaultFamily());
    }
    // Points at the 96 pixels per inch the sizes were chosen for, whatever the bitmap says.
    f.setPixelSize(std::max(1, (spec.point_size * 96 + 36) / 72));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

} // namespace

font_spec parse_font_name(const std::string& name) {
    font_spec spec;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t dot = name.find('.', start);
        if (dot == std::string::npos) dot = name.size();
        parts.push_back(name.substr(start, dot - start));
        start = dot + 1;
    }
    std::size_t i = 0;
    if (!parts.empty() && !parts[0].empty() &&
        std::all_of(parts[0].begin(), parts[0].end(), [](char c) { return c >= '0' && c <= '9'; })) {
        spec.point_size = std::clamp(std::atoi(parts[0].substr(0, 4).c_str()), 1, 999);
        i = 1;
    }
    if (i < parts.size()) spec.face = parts[i++];
    for (; i < parts.size(); ++i) {
        if (same_text(parts[i], "Bold"))
            spec.bold = true;
        else if (same_text(parts[i], "Italic"))
            spec.italic = true;
        else if (same_text(parts[i], "Underline"))
            spec.underline = true;
    }
    return spec;
}

struct canvas::impl {
    std::optional<QPainter> painter;
    QPen pen{QColor(0, 0, 0)};
    std::optional<QColor> brush;
    QFont font;
    QColor text_colour{0, 0, 0};

    QImage& image(bitmap& b) { return b.native()->image; }

    QPainter& paint(bitmap& b) {
        if (!painter) {
            painter.emplace(&image(b));
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->setRenderHint(QPainter::TextAntialiasing, false);
            painter->setPen(pen);
            painter->setBrush(brush ? QBrush(*brush) : QBrush(Qt::NoBrush));
            painter->setFont(font);
        }
        return *painter;
    }
    // Raw pixel work goes to the same memory as the painter's while the image is not shared;
    // a shared image is copied on the first write, so the painter must let go of it first.
    void end(bitmap& b) {
        if (painter && !image(b).isDetached()) painter.reset();
    }
};

canvas::canvas(bitmap& target) : target_(&target), impl_(std::make_unique<impl>()) {
    impl_->font = make_font(parse_font_name("8.MS Sans Serif"));
}

canvas::~canvas() = default;

int canvas::width() const {
    return target_->width();
}
int canvas::height() const {
    return target_->height();
}

void canvas::set_pen(colour_rgb colour, int width, pen_style style) {
    QPen p(to_qcolor(colour));
    p.setWidth(std::max(1, width));
    p.setStyle(qt_style(style));
    p.setCapStyle(width > 1 ? Qt::RoundCap : Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    impl_->pen = p;
    if (impl_->painter) impl_->painter->setPen(p);
}

void canvas::set_no_pen() {
    impl_->pen = QPen(Qt::NoPen);
    if (impl_->painter) impl_->painter->setPen(impl_->pen);
}

void canvas::set_brush(colour_rgb colour) {
    impl_->brush = to_qcolor(colour);
    if (impl_->painter) impl_->painter->setBrush(QBrush(*impl_->brush));
}

void canvas::set_no_brush() {
    impl_->brush.reset();
    if (impl_->painter) impl_->painter->setBrush(Qt::NoBrush);
}

void canvas::set_font(const std::string& name) {
    // Looking faces up in the font database is slow; the drawing asks for few fonts, often.
    static std::map<std::string, QFont> made;
    auto it = made.find(name);
    if (it == made.end()) it = made.emplace(name, make_font(parse_font_name(name))).first;
    impl_->font = it->second;
    if (impl_->painter) impl_->painter->setFont(impl_->font);
}

int canvas::text_width(const std::string& text) const {
    return QFontMetrics(impl_->font).horizontalAdvance(mixed_to_qstring(text));
}

void canvas::set_text_colour(colour_rgb colour) {
    impl_->text_colour = to_qcolor(colour);
}

void canvas::fill_rect(int x, int y, int w, int h, colour_rgb colour) {
    if (target_->is_null()) return;
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = static_cast<int>(std::min<long long>(width(), static_cast<long long>(x) + w));
    const int y1 = static_cast<int>(std::min<long long>(height(), static_cast<long long>(y) + h));
    if (x0 >= x1 || y0 >= y1) return;
    impl_->end(*target_);
    QImage& img = impl_->image(*target_);
    const std::uint32_t value = 0xff000000u | colour;
    auto* first = reinterpret_cast<std::uint32_t*>(img.scanLine(y0));
    const std::size_t stride = static_cast<std::size_t>(img.bytesPerLine()) / 4;
    for (int row = 0; row < y1 - y0; ++row) {
        std::uint32_t* line = first + static_cast<std::size_t>(row) * stride;
        std::fill(line + x0, line + x1, value);
    }
}

void canvas::line(int x1, int y1, int x2, int y2) {
    if (target_->is_null()) return;
    impl_->paint(*target_).drawLine(x1, y1, x2, y2);
}

void canvas::rectangle(int x, int y, int w, int h) {
    if (target_->is_null() || w <= 0 || h <= 0) return;
    QPainter& p = impl_->paint(*target_);
    if (impl_->brush) p.fillRect(x, y, w, h, *impl_->brush);
    if (impl_->pen.style() != Qt::NoPen) {
        p.setBrush(Qt::NoBrush);
        p.drawRect(x, y, w - 1, h - 1);
        p.setBrush(impl_->brush ? QBrush(*impl_->brush) : QBrush(Qt::NoBrush));
    }
}

void canvas::polygon(const std::vector<canvas_point>& points) {
    if (target_->is_null() || points.empty()) return;
    QPolygon poly;
    for (const auto& pt : points)
        poly << QPoint(pt.x, pt.y);
    impl_->paint(*target_).drawPolygon(poly);
}

void canvas::ellipse(int x, int y, int w, int h) {
    if (target_->is_null() || w <= 0 || h <= 0) return;
    impl_->paint(*target_).drawEllipse(x, y, w - 1, h - 1);
}

void canvas::draw_text(int x, int y, int w, int h, const std::string& text, text_h_align ha,
                       text_v_align va) {
    if (target_->is_null() || w <= 0 || h <= 0 || text.empty()) return;
    QPainter& p = impl_->paint(*target_);
    int flags = Qt::TextSingleLine | Qt::TextDontClip;
    flags |= ha == text_h_align::left    ? Qt::AlignLeft
             : ha == text_h_align::right ? Qt::AlignRight
                                         : Qt::AlignHCenter;
    flags |= va == text_v_align::top      ? Qt::AlignTop
             : va == text_v_align::bottom ? Qt::AlignBottom
                                          : Qt::AlignVCenter;
    p.save();
    p.setClipRect(x, y, w, h);
    p.setPen(impl_->text_colour);
    p.setBackgroundMode(Qt::TransparentMode);
    p.drawText(QRect(x, y, w, h), flags, to_qstring(text));
    p.restore();
}

void canvas::copy_bits(int dx, int dy, int w, int h, const bitmap& src, int sx, int sy, raster_op op) {
    if (target_->is_null() || src.is_null() || w <= 0 || h <= 0) return;
    // Clip against the source and the destination together.
    long long ldx = dx, ldy = dy, lsx = sx, lsy = sy, lw = w, lh = h;
    auto clip = [&](long long& a, long long& b, long long& size) {
        long long cut = std::max({0LL, -a, -b});
        a += cut;
        b += cut;
        size -= cut;
    };
    clip(ldx, lsx, lw);
    clip(ldy, lsy, lh);
    lw = std::min({lw, static_cast<long long>(width()) - ldx, static_cast<long long>(src.width()) - lsx});
    lh = std::min({lh, static_cast<long long>(height()) - ldy, static_cast<long long>(src.height()) - lsy});
    if (lw <= 0 || lh <= 0) return;
    impl_->end(*target_);
    QImage& dst = impl_->image(*target_);
    const QImage& from = src.native()->image;
    const int cw = static_cast<int>(lw), ch = static_cast<int>(lh);
    const bool same = &src == target_ || from.constBits() == dst.constBits();
    std::vector<std::uint32_t> copy;
    const std::uint32_t* sbase = nullptr;
    std::size_t sstride = 0;
    if (same) {
        // Overlapping copies within one bitmap read from a snapshot of the source block.
        copy.resize(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch));
        for (int r = 0; r < ch; ++r) {
            const auto* line =
                reinterpret_cast<const std::uint32_t*>(from.constScanLine(static_cast<int>(lsy) + r));
            std::memcpy(&copy[static_cast<std::size_t>(r) * static_cast<std::size_t>(cw)], line + lsx,
                        static_cast<std::size_t>(cw) * 4);
        }
        sbase = copy.data();
        sstride = static_cast<std::size_t>(cw);
    } else {
        sbase = reinterpret_cast<const std::uint32_t*>(from.constScanLine(static_cast<int>(lsy))) + lsx;
        sstride = static_cast<std::size_t>(from.bytesPerLine()) / 4;
    }
    // One detach check for the whole block, then plain pointer steps.
    std::uint32_t* dbase = reinterpret_cast<std::uint32_t*>(dst.scanLine(static_cast<int>(ldy))) + ldx;
    const std::size_t dstride = static_cast<std::size_t>(dst.bytesPerLine()) / 4;
    for (int r = 0; r < ch; ++r) {
        const std::uint32_t* __restrict sp = sbase + static_cast<std::size_t>(r) * sstride;
        std::uint32_t* __restrict d = dbase + static_cast<std::size_t>(r) * dstride;
        switch (op) {
        case raster_op::srccopy:
            std::memmove(d, sp, static_cast<std::size_t>(cw) * 4);
            break;
        case raster_op::srcand:
            for (int i = 0; i < cw; ++i)
                d[i] &= sp[i];
            break;
        case raster_op::srcpaint:
            for (int i = 0; i < cw; ++i)
                d[i] |= sp[i];
            break;
        case raster_op::notsrccopy:
            for (int i = 0; i < cw; ++i)
                d[i] = ~sp[i] | 0xff000000u;
            break;
        }
    }
}

colour_rgb pixel_of(const bitmap& b, int x, int y) {
    if (b.is_null() || x < 0 || y < 0 || x >= b.width() || y >= b.height()) return 0;
    const QImage& img = b.native()->image;
    return reinterpret_cast<const std::uint32_t*>(img.constScanLine(y))[x] & 0xffffffu;
}

QFont font_by_name(const std::string& name) {
    return make_font(parse_font_name(name));
}
