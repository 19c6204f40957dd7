#include "text_codepage.h"

#include <cstdint>

namespace {
// Code points of the bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
const char32_t high_block[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t byte_to_code_point(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) {
        char32_t c = high_block[b - 0x80];
        return c ? c : b; // undefined bytes pass through as the C1 control of that number
    }
    return b;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char code_point_to_byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (high_block[i] == c) return static_cast<char>(0x80 + i);
    if (c >= 0x80 && c < 0xA0) return static_cast<char>(c);
    return '?';
}
} // namespace

std::string cp1252_to_utf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char b : text)
        append_utf8(out, byte_to_code_point(b));
    return out;
}

std::string utf8_to_cp1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        char32_t c;
        int extra;
        if (b < 0x80) {
            c = b;
            extra = 0;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else {
            out += '?';
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= text.size()) {
                ok = false;
                break;
            }
            auto n = static_cast<unsigned char>(text[i + k]);
            if ((n & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (n & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += code_point_to_byte(c);
        i += extra + 1;
    }
    return out;
}

bool is_valid_utf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::size_t n;
        char32_t c;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            n = 1;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            n = 2;
            c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            n = 3;
            c = b & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= n) return false; // cut short
        for (std::size_t k = 1; k <= n; ++k) {
            const auto t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        if ((n == 2 && c < 0x800) || (n == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
            (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

std::string stored_path_to_native(const std::string& stored) {
    return is_valid_utf8(stored) ? stored : cp1252_to_utf8(stored);
}

std::string mixed_text_to_utf8(const std::string& text) {
    return is_valid_utf8(text) ? text : cp1252_to_utf8(text);
}
