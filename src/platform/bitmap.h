// Off-screen bitmaps as game logic sees them: plain C++, no toolkit types.
//
// A bitmap is a value: copies are independent (the pixels are shared until one of them is
// changed). Loading goes through a replaceable loader so that tests and fuzzers can provide
// bitmaps without files.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

class bitmap {
public:
    bitmap();
    // A blank bitmap of this size, every pixel 0 (black); a size below 1 gives a null bitmap.
    bitmap(int width, int height);
    ~bitmap();
    bitmap(const bitmap& other);
    bitmap& operator=(const bitmap& other);
    bitmap(bitmap&& other) noexcept;
    bitmap& operator=(bitmap&& other) noexcept;

    bool is_null() const;
    int width() const;
    int height() const;

    // Loads a picture file through the loader in charge; false (and a null bitmap) on failure.
    bool load(const std::string& path);

    // A new bitmap of the given size holding this one's top-left part; where this bitmap is
    // smaller, the rest is 0 (black).
    bitmap copy_top_left(int width, int height) const;

    // The platform's own representation, for the platform layer only.
    struct impl;
    impl* native() const { return impl_.get(); }

private:
    std::unique_ptr<impl> impl_;
};

// Loads a picture file; nullopt when it cannot be read.
using bitmap_loader = std::function<std::optional<bitmap>(const std::string& path)>;

// Replaces the loader (an empty function restores loading from files) and returns the previous one.
bitmap_loader set_bitmap_loader(bitmap_loader loader);

// Largest width or height accepted for one bitmap, and largest number of pixels.
constexpr int bitmap_max_side = 32767;
constexpr long long bitmap_max_pixels = 64LL * 1024 * 1024;
