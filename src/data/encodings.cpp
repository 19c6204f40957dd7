#include "encodings.h"

#include "platform/boxes.h"
#include "platform/files.h"

#include <cstdlib>
#include <cstring>
#include <random>

std::uint8_t int_byte_slots[4] = {};

bool byte_writer::num2(std::int64_t v) {
    if (v < 0 || v > num2_max) {
        ok_ = false;
        return false;
    }
    out_.push_back(static_cast<std::uint8_t>(v / 250));
    out_.push_back(static_cast<std::uint8_t>(v % 250));
    return true;
}

bool byte_writer::num4(std::int64_t v) {
    if (v < 0 || v > num4_max) {
        ok_ = false;
        return false;
    }
    out_.push_back(static_cast<std::uint8_t>(v / 15625000));
    out_.push_back(static_cast<std::uint8_t>((v % 15625000) / 62500));
    out_.push_back(static_cast<std::uint8_t>((v % 62500) / 250));
    out_.push_back(static_cast<std::uint8_t>(v % 250));
    return true;
}

void byte_writer::long4(std::int32_t v) {
    split_int_into_bytes(v);
    raw(int_byte_slots, 4);
}

bool byte_writer::sbyte2(int v) {
    if (v < -255 || v > 255) {
        ok_ = false;
        return false;
    }
    out_.push_back(v >= 0 ? 1 : 0);
    out_.push_back(static_cast<std::uint8_t>(v >= 0 ? v : -v));
    return true;
}

void byte_writer::name(const char* field, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        out_.push_back(static_cast<std::uint8_t>(field[i]));
        if (field[i] == 0) break;
    }
}

void byte_writer::name_text(const std::string& text, std::size_t width) {
    std::size_t i = 0;
    for (; i < text.size() && i < width && text[i] != 0; ++i)
        out_.push_back(static_cast<std::uint8_t>(text[i]));
    if (i < width) out_.push_back(0);
}

bool byte_reader::need(std::size_t n) {
    if (failed_ || remaining() < n) {
        failed_ = true;
        return false;
    }
    return true;
}

bool byte_reader::byte(std::uint8_t& out) {
    if (!need(1)) return false;
    out = data_[pos_++];
    return true;
}

bool byte_reader::num2(std::int32_t& out) {
    if (!need(2)) return false;
    // A low digit of 250 or more is no base-250 digit: damage, not a number past the range.
    if (data_[pos_ + 1] >= 250) {
        failed_ = true;
        return false;
    }
    out = data_[pos_] * 250 + data_[pos_ + 1];
    pos_ += 2;
    return true;
}

bool byte_reader::num4(std::int32_t& out) {
    if (!need(4)) return false;
    std::int64_t v = read_four_digit_number(*this);
    if (v > INT32_MAX) {
        failed_ = true;
        return false;
    }
    out = static_cast<std::int32_t>(v);
    return true;
}

bool byte_reader::long4(std::int32_t& out) {
    if (!need(4)) return false;
    std::memcpy(int_byte_slots, data_ + pos_, 4);
    pos_ += 4;
    out = join_bytes_into_int();
    return true;
}

bool byte_reader::sbyte2(int& out) {
    if (!need(2)) return false;
    int sign = data_[pos_];
    int magnitude = data_[pos_ + 1];
    pos_ += 2;
    out = sign == 0 ? -magnitude : magnitude;
    return true;
}

bool byte_reader::raw(std::uint8_t* out, std::size_t n) {
    if (!need(n)) return false;
    if (n) std::memcpy(out, data_ + pos_, n);
    pos_ += n;
    return true;
}

bool byte_reader::skip(std::size_t n) {
    if (!need(n)) return false;
    pos_ += n;
    return true;
}

bool byte_reader::name(char* field, std::size_t width) {
    std::memset(field, 0, width);
    for (std::size_t i = 0; i < width; ++i) {
        std::uint8_t b;
        if (!byte(b)) return false;
        if (b == 0) break;
        field[i] = static_cast<char>(b);
    }
    return true;
}

bool byte_reader::expect(std::uint8_t marker) {
    std::uint8_t b;
    if (!byte(b)) return false;
    if (b != marker) {
        failed_ = true;
        return false;
    }
    return true;
}

bool byte_reader::skip_past(std::uint8_t marker) {
    while (pos_ < size_) {
        if (data_[pos_++] == marker) return true;
    }
    return false;
}

std::optional<std::uint8_t> byte_reader::peek() const {
    if (pos_ >= size_) return std::nullopt;
    return data_[pos_];
}

void split_int_into_bytes(std::int32_t value) {
    auto u = static_cast<std::uint32_t>(value);
    int_byte_slots[0] = static_cast<std::uint8_t>(u >> 24);
    int_byte_slots[1] = static_cast<std::uint8_t>(u >> 16);
    int_byte_slots[2] = static_cast<std::uint8_t>(u >> 8);
    int_byte_slots[3] = static_cast<std::uint8_t>(u);
}

std::int32_t join_bytes_into_int() {
    std::uint32_t u = (std::uint32_t{int_byte_slots[0]} << 24) | (std::uint32_t{int_byte_slots[1]} << 16) |
                      (std::uint32_t{int_byte_slots[2]} << 8) | std::uint32_t{int_byte_slots[3]};
    return static_cast<std::int32_t>(u);
}

std::int64_t read_four_digit_number(byte_reader& in) {
    std::uint8_t d[4] = {};
    for (auto& b : d)
        if (!in.byte(b)) return 0;
    return std::int64_t{d[0]} * 15625000 + std::int64_t{d[1]} * 62500 + std::int64_t{d[2]} * 250 + d[3];
}

bool file_exists(const std::string& path) {
    return !path.empty() && path_is_readable_file(path);
}

namespace {
std::mt19937& generator() {
    static std::mt19937 g(std::random_device{}());
    return g;
}
} // namespace

void seed_random(unsigned seed) {
    generator().seed(seed);
}

int random_below(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(generator()() % static_cast<unsigned>(n));
}

int is_prohibited_file_name_char(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u > '}') return 1;
    if (u < '(' && u != ' ') return 1;
    switch (c) {
    case '*':
    case ',':
    case '.':
    case '/':
    case ':':
    case ';':
    case '<':
    case '>':
    case '?':
    case '\\':
        return 1;
    default:
        return 0;
    }
}

int check_file_name_chars(const std::string& name, int n) {
    for (int i = 0; i < n && i < static_cast<int>(name.size()) && name[i] != 0; ++i) {
        if (is_prohibited_file_name_char(name[i])) {
            message_box(
                "File Name Error",
                "The file name you entered contains prohibited characters.\n\rPlease enter a new name.",
                box_buttons::ok, box_icon::stop);
            return 1;
        }
    }
    return 0;
}

int confirm_overwrite_existing_file(const std::string& path) {
    if (!file_exists(path)) return 0;
    box_answer a =
        message_box("File Name Warning",
                    "The file name you entered already exists!\n\rDo you want to re-enter a new name?",
                    box_buttons::yes_no, box_icon::exclamation);
    return a == box_answer::yes ? 1 : 0;
}
