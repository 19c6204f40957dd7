#include "test_support.h"

#include "data/encodings.h"

#include <cstring>

namespace {
TEST(encodings, numbers_are_written_as_the_format_gives_them) {
    struct row {
        const char* what;
        std::int64_t value;
        byte_vector expected;
    };
    const row num2_rows[] = {
        {"zero", 0, bytes({0, 0})},
        {"250", 250, bytes({1, 0})},
        {"62,499", 62499, bytes({249, 249})},
        {"end of pieces", 63000, bytes({0xFC, 0x00})},
        {"free piece slot", 63001, bytes({0xFC, 0x01})},
        {"end value 63008", 63008, bytes({0xFC, 0x08})},
        {"largest end value", 63999, bytes({0xFF, 249})},
    };
    for (const auto& r : num2_rows) {
        byte_vector out;
        byte_writer w(out);
        EXPECT_TRUE(w.num2(r.value)) << r.what;
        EXPECT_EQ(out, r.expected) << r.what;
        std::int32_t back = -1;
        byte_reader in(out);
        ASSERT_TRUE(in.num2(back));
        EXPECT_EQ(back, r.value) << r.what;
    }
    const row num4_rows[] = {
        {"15,625,000", 15625000, bytes({1, 0, 0, 0})},
        {"62,500", 62500, bytes({0, 1, 0, 0})},
        {"one of each digit", 15625000 + 2 * 62500 + 3 * 250 + 4, bytes({1, 2, 3, 4})},
    };
    for (const auto& r : num4_rows) {
        byte_vector out;
        byte_writer w(out);
        EXPECT_TRUE(w.num4(r.value)) << r.what;
        EXPECT_EQ(out, r.expected) << r.what;
        std::int32_t back = -1;
        byte_reader in(out);
        ASSERT_TRUE(in.num4(back));
        EXPECT_EQ(back, r.value) << r.what;
    }
}

TEST(encodings, values_outside_their_encoding_are_refused) {
    byte_vector out;
    byte_writer w(out);
    EXPECT_FALSE(w.num2(64000));
    EXPECT_FALSE(w.num2(-1));
    EXPECT_FALSE(w.num4(-5));
    EXPECT_FALSE(w.sbyte2(256));
    EXPECT_TRUE(out.empty()) << "a refused value writes nothing";
    EXPECT_FALSE(w.ok());
}

TEST(encodings, a_damaged_num4_beyond_32_bits_is_damage) {
    // Digits 249 249 249 249 make 3,906,249,999: more than a signed 32-bit value holds.
    byte_vector in_bytes = bytes({249, 249, 249, 249});
    byte_reader in(in_bytes);
    std::int32_t v = 0;
    EXPECT_FALSE(in.num4(v));
    EXPECT_TRUE(in.failed());
    byte_reader again(in_bytes);
    EXPECT_EQ(read_four_digit_number(again), 3906249999LL);
}

TEST(encodings, sbyte2_and_long4) {
    struct row {
        int value;
        byte_vector expected;
    };
    for (const auto& r : {row{-7, bytes({0, 7})}, row{0, bytes({1, 0})}, row{255, bytes({1, 255})},
                          row{-255, bytes({0, 255})}}) {
        byte_vector out;
        byte_writer w(out);
        ASSERT_TRUE(w.sbyte2(r.value));
        EXPECT_EQ(out, r.expected) << r.value;
        byte_reader in(out);
        int back = 99;
        ASSERT_TRUE(in.sbyte2(back));
        EXPECT_EQ(back, r.value);
    }
    struct long_row {
        std::int32_t value;
        byte_vector expected;
    };
    for (const auto& r :
         {long_row{63001, bytes({0, 0, 0xF6, 0x19})}, long_row{-5, bytes({0xFF, 0xFF, 0xFF, 0xFB})},
          long_row{INT32_MIN, bytes({0x80, 0, 0, 0})}, long_row{0x01020304, bytes({1, 2, 3, 4})}}) {
        byte_vector out;
        byte_writer w(out);
        w.long4(r.value);
        EXPECT_EQ(out, r.expected) << r.value;
        byte_reader in(out);
        std::int32_t back = 0;
        ASSERT_TRUE(in.long4(back));
        EXPECT_EQ(back, r.value);
    }
}

TEST(encodings, negative_values_come_back_through_the_byte_slots) {
    for (std::int32_t v : {-5, -1, -32000, INT32_MIN, INT32_MAX, 0, 254}) {
        split_int_into_bytes(v);
        std::uint8_t copy[4];
        std::memcpy(copy, int_byte_slots, 4);
        std::memset(int_byte_slots, 0, 4);
        std::memcpy(int_byte_slots, copy, 4);
        EXPECT_EQ(join_bytes_into_int(), v);
    }
    split_int_into_bytes(-5);
    EXPECT_EQ(byte_vector(int_byte_slots, int_byte_slots + 4), bytes({0xFF, 0xFF, 0xFF, 0xFB}));
}

TEST(encodings, names_fill_their_field_without_a_terminator) {
    char full[26] = {};
    std::memcpy(full, "ABCDEFGHIJKLMNOPQRSTUVWXY", 25); // 25 characters
    byte_vector out;
    byte_writer w(out);
    w.name(full, 25);
    EXPECT_EQ(out.size(), 25u) << "a name that fills its field is written without a 0";
    char shorter[26] = "Tiger";
    w.name(shorter, 25);
    EXPECT_EQ(out.size(), 25u + 6u);

    byte_reader in(out);
    char back[26];
    std::memset(back, 'x', sizeof back);
    back[25] = 0;
    ASSERT_TRUE(in.name(back, 25));
    EXPECT_EQ(std::string(back), "ABCDEFGHIJKLMNOPQRSTUVWXY");
    ASSERT_TRUE(in.name(back, 25));
    EXPECT_EQ(std::string(back), "Tiger");
    EXPECT_TRUE(in.at_end());
}

TEST(encodings, a_low_digit_of_250_or_more_is_damage) {
    // The high digit may be 250..255 (the end values 63000.. are FC xx); the low digit never.
    for (int low : {250, 254, 255}) {
        byte_vector data = bytes({0, low});
        byte_reader in(data);
        std::int32_t v = -1;
        EXPECT_FALSE(in.num2(v)) << low;
        EXPECT_TRUE(in.failed());
    }
    byte_vector end_value = bytes({252, 0});
    byte_reader in(end_value);
    std::int32_t v = 0;
    EXPECT_TRUE(in.num2(v));
    EXPECT_EQ(v, 63000);
}

TEST(encodings, the_reader_never_reads_past_the_end) {
    byte_vector data = bytes({1, 2, 3});
    byte_reader in(data);
    std::int32_t v;
    EXPECT_TRUE(in.num2(v));
    EXPECT_FALSE(in.num2(v)) << "one byte left";
    EXPECT_TRUE(in.failed());
    std::uint8_t b;
    EXPECT_FALSE(in.byte(b)) << "a failed reader stays failed";

    byte_vector unterminated = bytes({'a', 'b', 'c'});
    byte_reader names(unterminated);
    char field[10];
    EXPECT_FALSE(names.name(field, 10)) << "a name cut by the end of the file";

    byte_vector no_marker = bytes({1, 2, 3});
    byte_reader skip(no_marker);
    EXPECT_FALSE(skip.skip_past(0xFE));
    EXPECT_TRUE(skip.at_end());
}

TEST(encodings, file_name_characters) {
    scripted_responder responder;
    struct row {
        const char* name;
        int n;
        int rejected;
    };
    const row table[] = {
        {"Two Words", 20, 0}, {"Battle:1", 20, 1},    {"Wow!", 20, 1},         {"No#1", 20, 1},
        {"a.b", 20, 1},       {"back\\slash", 20, 1}, {"Bulge-44_(c)", 20, 0}, {"ok:later", 2, 0},
        {"tab\there", 20, 1}, {"\xE9t\xE9", 20, 1},
    };
    for (const auto& r : table) {
        responder.clear();
        EXPECT_EQ(check_file_name_chars(r.name, r.n), r.rejected) << r.name;
        EXPECT_EQ(
            responder.count(
                "File Name Error",
                "The file name you entered contains prohibited characters.\n\rPlease enter a new name."),
            r.rejected)
            << r.name;
    }
    EXPECT_EQ(is_prohibited_file_name_char('|'), 0);
    EXPECT_EQ(is_prohibited_file_name_char('~'), 1);
}

TEST(encodings, overwrite_question_only_for_an_existing_file) {
    scripted_responder responder;
    std::string folder = make_temp_folder();
    EXPECT_EQ(confirm_overwrite_existing_file(folder + "/none.OPS"), 0);
    EXPECT_TRUE(responder.shown().empty());
    std::string path = folder + "/there.OPS";
    {
        FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    responder.answer(box_answer::yes).answer(box_answer::no);
    EXPECT_EQ(confirm_overwrite_existing_file(path), 1);
    EXPECT_EQ(confirm_overwrite_existing_file(path), 0);
    EXPECT_EQ(responder.count("File Name Warning", "already exists"), 2);
}

TEST(encodings, random_below_stays_in_range) {
    EXPECT_EQ(random_below(0), 0);
    EXPECT_EQ(random_below(-3), 0);
    bool seen[6] = {};
    for (int i = 0; i < 600; ++i) {
        int r = random_below(6);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 6);
        seen[r] = true;
    }
    for (bool s : seen)
        EXPECT_TRUE(s);
}
} // namespace
