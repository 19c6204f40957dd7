// The number and name encodings shared by every game file and the history stream.
//
// num2: two base-250 digits. num4: four base-250 digits. long4: four raw bytes, most
// significant first. sbyte2: a sign byte (1 = zero or positive) and a one-byte magnitude.
// Base-250 digits stay below 250, so the bytes 0xFC..0xFF are free for markers; the end values
// 63000..63999 (first digit 0xFC and up) are the exception the data relies on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using byte_vector = std::vector<std::uint8_t>;

constexpr std::uint8_t marker_open = 0xFD;
constexpr std::uint8_t marker_close = 0xFE;
constexpr std::uint8_t marker_alt_layout = 0xFC;

constexpr int num2_max = 63999;
constexpr std::int64_t num4_max = 249LL * 15625000 + 249LL * 62500 + 249LL * 250 + 249;

// Appends encoded values to a buffer. A value outside its encoding is refused: nothing is
// written, the writer remembers the failure (ok() turns false) and the call returns false.
class byte_writer {
public:
    explicit byte_writer(byte_vector& out) : out_(out) {}

    void byte(std::uint8_t b) { out_.push_back(b); }
    bool num2(std::int64_t v);
    bool num4(std::int64_t v);
    void long4(std::int32_t v);
    bool sbyte2(int v);
    void raw(const std::uint8_t* data, std::size_t n) { out_.insert(out_.end(), data, data + n); }
    // A name from its fixed field: bytes up to and including the 0, never more than the width.
    void name(const char* field, std::size_t width);
    template <std::size_t N> void name(const char (&field)[N]) { name(field, N); }
    // The name written as a plain string with its terminating 0 (the field width still caps it).
    void name_text(const std::string& text, std::size_t width);

    bool ok() const { return ok_; }
    std::size_t size() const { return out_.size(); }
    byte_vector& buffer() { return out_; }

private:
    byte_vector& out_;
    bool ok_ = true;
};

// Reads encoded values from a buffer with a bounds-checked cursor. Running out of bytes fails
// the read (and every later read) instead of reading past the end.
class byte_reader {
public:
    byte_reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit byte_reader(const byte_vector& v) : data_(v.data()), size_(v.size()) {}

    bool byte(std::uint8_t& out);
    bool num2(std::int32_t& out);
    // A num4 whose digits give more than 2^31 - 1 is damage.
    bool num4(std::int32_t& out);
    bool long4(std::int32_t& out);
    bool sbyte2(int& out);
    bool raw(std::uint8_t* out, std::size_t n);
    bool skip(std::size_t n);
    // Clears the field, then reads bytes until a 0 or the field's width.
    bool name(char* field, std::size_t width);
    template <std::size_t N> bool name(char (&field)[N]) { return name(field, N); }
    // The next byte must be this marker.
    bool expect(std::uint8_t marker);
    // Skips to just after the next byte equal to `marker`; false (and at the end) when none.
    bool skip_past(std::uint8_t marker);
    std::optional<std::uint8_t> peek() const;

    bool at_end() const { return pos_ >= size_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
    std::size_t size() const { return size_; }
    void seek(std::size_t pos) { pos_ = pos <= size_ ? pos : size_; }
    bool failed() const { return failed_; }
    void clear_failure() { failed_ = false; }

private:
    bool need(std::size_t n);
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

// The four byte slots that hold a value's bytes, most significant first, while it is written
// or read. Negative values use two's complement: -5 is FF FF FF FB.
extern std::uint8_t int_byte_slots[4];
void split_int_into_bytes(std::int32_t value);
std::int32_t join_bytes_into_int();

// Four base-250 digits, read one byte each; 64-bit so that damaged digits cannot overflow.
std::int64_t read_four_digit_number(byte_reader& in);

bool file_exists(const std::string& path);
int random_below(int n);
void seed_random(unsigned seed);

int check_file_name_chars(const std::string& name, int n);
int is_prohibited_file_name_char(char c);
int confirm_overwrite_existing_file(const std::string& path);
