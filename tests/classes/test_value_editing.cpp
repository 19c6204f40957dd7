// How the class and piece editors check and store their eight typed values.
#include "test_support.h"

#include "classes/value_editing.h"

#include <optional>

namespace {

TEST(value_numbers, signed_32_bits_with_a_leading_sign) {
    const std::pair<const char*, std::optional<std::int32_t>> table[] = {{"12345", 12345},
                                                                         {"-5", -5},
                                                                         {"2147483647", 2147483647},
                                                                         {"-2147483648", INT32_MIN},
                                                                         {"2147483648", {}},
                                                                         {"-2147483649", {}},
                                                                         {"99999999999999999999", {}},
                                                                         {"", {}},
                                                                         {"abc", {}},
                                                                         {"  7", 7},
                                                                         {"12a4", 12},
                                                                         {"+8", 8}};
    for (const auto& [text, expected] : table)
        EXPECT_EQ(parse_value_number(text), expected) << text;
    EXPECT_EQ(number_bytes(-2), (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(number_bytes(0x01020304), (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
}

class store_values_test : public fresh_game_test {
protected:
    // One value (slot 2) changed from `old_type` to `new_type` with `text`; the others unused.
    bool store(int old_type, int new_type, const std::string& text) {
        edit = value_edit{};
        for (int k = 0; k < 8; ++k)
            edit.names[static_cast<std::size_t>(k)] = "V" + std::to_string(k);
        edit.texts[2] = text;
        edit.types[2] = new_type;
        values = value_bytes{};
        values[2] = {9, 9, 9, 9};
        std::fill(std::begin(types), std::end(types), 0);
        types[2] = static_cast<std::uint8_t>(old_type);
        return check_and_store_values(edit, values, types, names, "Existing Value will be Lost!");
    }
    value_edit edit;
    value_bytes values{};
    std::uint8_t types[8] = {};
    value_name names[8] = {};
};

TEST_F(store_values_test, each_type_stores_its_bytes_and_asks_where_the_text_does_not_suit) {
    struct row {
        int old_type, new_type;
        const char* text;
        std::array<std::uint8_t, 4> bytes;
        const char* shown; // the text afterwards
        int questions;     // value questions asked (all answered OK)
    };
    const row table[] = {
        {1, 1, "-5", {0xFF, 0xFF, 0xFF, 0xFB}, "-5", 0},
        {1, 1, "12345", {0, 0, 0x30, 0x39}, "12345", 0},
        {1, 1, "12a4", {0, 0, 0x04, 0xB4}, "1204", 1},
        {1, 1, "-2147483648", {0x80, 0, 0, 0}, "-2147483648", 0},
        {2, 2, "ABCDEF", {'A', 'B', 'C', 'D'}, "ABCDEF", 0},
        {2, 2, "AB", {'A', 'B', 0, 0}, "AB", 0},
        {1, 3, "17", {0, 9, 9, 9}, "No", 1}, // the type change asks once; only the first byte changes
        {3, 3, "yes", {1, 9, 9, 9}, "Yes", 0},
        {2, 0, "x", {0, 0, 0, 0}, "", 1},
        {0, 1, "", {0, 0, 0, 0}, "0", 0},
    };
    for (const row& r : table) {
        SCOPED_TRACE(std::string(r.text) + " " + std::to_string(r.old_type) + "->" +
                     std::to_string(r.new_type));
        responder.clear();
        ASSERT_TRUE(store(r.old_type, r.new_type, r.text));
        EXPECT_EQ(values[2], r.bytes);
        EXPECT_EQ(types[2], r.new_type);
        EXPECT_EQ(edit.texts[2], r.shown);
        EXPECT_EQ(responder.count("Existing Value will be Lost!"), r.questions);
        EXPECT_EQ(name_of(names[2]), "V2");
    }
}

TEST_F(store_values_test, cancel_or_an_out_of_range_number_stores_nothing) {
    responder.answer(box_answer::cancel);
    EXPECT_FALSE(store(1, 1, "12a4"));
    EXPECT_EQ(values[2], (std::array<std::uint8_t, 4>{9, 9, 9, 9}));
    EXPECT_EQ(types[2], 1);
    EXPECT_EQ(name_of(names[2]), "") << "names too wait for the save";
    responder.clear();
    EXPECT_FALSE(store(1, 1, "3000000000"));
    EXPECT_TRUE(responder.saw("Value Out of Range"));
    EXPECT_EQ(values[2], (std::array<std::uint8_t, 4>{9, 9, 9, 9}));
}

TEST_F(store_values_test, equal_names_are_asked_about_only_when_both_values_are_in_use) {
    store(1, 1, "1");
    edit.names[3] = edit.names[2];
    types[3] = 0;
    responder.clear();
    EXPECT_TRUE(check_and_store_values(edit, values, types, names, "x"));
    EXPECT_FALSE(responder.saw("Duplicate Value Name Found!"));
    types[3] = 1;
    edit.types[3] = 1;
    edit.texts[3] = "2";
    responder.answer(box_answer::cancel);
    EXPECT_FALSE(check_and_store_values(edit, values, types, names, "x"));
    EXPECT_TRUE(responder.saw("Duplicate Value Name Found!"));
}

} // namespace
