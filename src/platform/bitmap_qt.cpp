#include "bitmap.h"

#include "bitmap_qt.h"
#include "qt_text.h"

#include <QImage>
#include <QPainter>

namespace {
bitmap_loader current_loader;

bool size_acceptable(int width, int height) {
    return width > 0 && height > 0 && width <= bitmap_max_side && height <= bitmap_max_side &&
           static_cast<long long>(width) * height <= bitmap_max_pixels;
}
} // namespace

bitmap::bitmap() : impl_(std::make_unique<impl>()) {}

bitmap::bitmap(int width, int height) : impl_(std::make_unique<impl>()) {
    if (!size_acceptable(width, height)) return;
    impl_->image = QImage(width, height, QImage::Format_RGB32);
    if (!impl_->image.isNull()) impl_->image.fill(0);
}

bitmap::~bitmap() = default;
bitmap::bitmap(const bitmap& other) : impl_(std::make_unique<impl>(*other.impl_)) {}
bitmap& bitmap::operator=(const bitmap& other) {
    if (this != &other) *impl_ = *other.impl_;
    return *this;
}
bitmap::bitmap(bitmap&& other) noexcept : impl_(std::make_unique<impl>()) {
    impl_->image.swap(other.impl_->image);
}
bitmap& bitmap::operator=(bitmap&& other) noexcept {
    if (this == &other) return *this;
    impl_->image.swap(other.impl_->image);
    other.impl_->image = QImage();
    return *this;
}

bool bitmap::is_null() const {
    return impl_->image.isNull();
}
int bitmap::width() const {
    return impl_->image.width();
}
int bitmap::height() const {
    return impl_->image.height();
}

bool bitmap::load(const std::string& path) {
    impl_->image = QImage();
    if (current_loader) {
        std::optional<bitmap> b = current_loader(path);
        if (!b || b->is_null()) return false;
        *this = std::move(*b);
        return true;
    }
    QImage loaded;
    if (!loaded.load(path_to_qstring(path)) || !size_acceptable(loaded.width(), loaded.height()))
        return false;
    impl_->image = loaded.convertToFormat(QImage::Format_RGB32);
    return !impl_->image.isNull();
}

bitmap bitmap::copy_top_left(int width, int height) const {
    bitmap out(width, height);
    if (out.is_null() || is_null()) return out;
    QPainter p(&out.impl_->image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, impl_->image);
    return out;
}

bitmap_loader set_bitmap_loader(bitmap_loader loader) {
    bitmap_loader previous = std::move(current_loader);
    current_loader = std::move(loader);
    return previous;
}
