// Byte-building helpers for hand-made test files: every encoding is written out here, apart
// from the code under test.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct file_builder {
    std::vector<std::uint8_t> v;

    file_builder& b(int x) {
        v.push_back(static_cast<std::uint8_t>(x));
        return *this;
    }
    file_builder& bs(std::initializer_list<int> xs) {
        for (int x : xs)
            b(x);
        return *this;
    }
    // Two base-250 digits.
    file_builder& n2(int x) { return b(x / 250).b(x % 250); }
    // Four raw bytes, most significant first.
    file_builder& l4(std::int32_t x) {
        auto u = static_cast<std::uint32_t>(x);
        return b(static_cast<int>(u >> 24))
            .b(static_cast<int>((u >> 16) & 0xFF))
            .b(static_cast<int>((u >> 8) & 0xFF))
            .b(static_cast<int>(u & 0xFF));
    }
    // A name's characters and its 0 (no 0 when it fills the width).
    file_builder& name(const std::string& s, std::size_t width) {
        for (std::size_t i = 0; i < s.size() && i < width; ++i)
            b(static_cast<unsigned char>(s[i]));
        if (s.size() < width) b(0);
        return *this;
    }
    // A fixed field: the characters padded with zeros to the width.
    file_builder& field(const std::string& s, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            b(i < s.size() ? static_cast<unsigned char>(s[i]) : 0);
        return *this;
    }
    file_builder& end() { return b(0xFE); }
    std::size_t size() const { return v.size(); }
};

// Where two byte strings first differ (their common length when one is a prefix), or -1.
inline long first_difference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i]) return static_cast<long>(i);
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}
