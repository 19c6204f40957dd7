// Stored passwords and the alliance table.
#include "test_support.h"

#include "data/encodings.h"
#include "data/alliances.h"
#include "data/passwords.h"

#include <cstring>

namespace {

using password_bytes = std::uint8_t[password_length];

TEST(passwords, every_typeable_byte_comes_back_and_never_looks_like_filler) {
    seed_random(3);
    // Name lengths 3, 4, 5 choose the three tables; several player indices.
    for (int name_length : {3, 4, 5, 0}) {
        for (int player : {0, 1, 7, 199}) {
            for (int b = 32; b < 256; ++b) {
                password_bytes pw;
                for (int i = 0; i < password_length; ++i)
                    pw[i] = static_cast<std::uint8_t>(b);
                scramble_password(pw, player, name_length);
                for (int i = 0; i < password_length; ++i)
                    ASSERT_FALSE(pw[i] >= 31 && pw[i] <= 60) << "byte " << b << " at " << i;
                unscramble_password(pw, player, name_length);
                for (int i = 0; i < password_length; ++i)
                    ASSERT_EQ(pw[i], b) << "at " << i;
            }
        }
    }
}

TEST(passwords, unused_bytes_become_filler_and_come_back_as_zero) {
    seed_random(5);
    password_bytes pw = {};
    std::memcpy(pw, "GO-2!", 5);
    password_bytes stored;
    std::memcpy(stored, pw, sizeof pw);
    scramble_password(stored, 2, 3);
    for (int i = 5; i < password_length; ++i)
        EXPECT_TRUE(stored[i] >= 31 && stored[i] <= 60) << i;
    EXPECT_NE(std::memcmp(stored, pw, 5), 0);
    unscramble_password(stored, 2, 3);
    EXPECT_EQ(std::memcmp(stored, pw, sizeof pw), 0);
}

TEST(passwords, the_name_length_and_the_player_change_the_stored_bytes) {
    password_bytes a = {'A'}, b = {'A'}, c = {'A'};
    scramble_password(a, 0, 3);
    scramble_password(b, 0, 4);
    scramble_password(c, 1, 3);
    EXPECT_NE(a[0], b[0]);
    EXPECT_NE(a[0], c[0]);
}

TEST(alliances, reset_builds_an_empty_square_table) {
    reset_alliance_table(0);
    ASSERT_EQ(alliance_table.size(), 1u);
    reset_alliance_table(3);
    ASSERT_EQ(alliance_table.size(), 3u);
    for (const auto& e : alliance_table) {
        EXPECT_EQ(e.count, 0);
        EXPECT_EQ(e.flags, std::vector<std::int32_t>(3, 0));
    }
}

TEST(alliances, growing_keeps_the_alliances_and_adds_an_empty_newcomer) {
    alliance_table.clear();
    grow_alliance_table(2); // no table yet: a fresh one that covers the newcomer as well
    ASSERT_EQ(alliance_table.size(), 3u);
    EXPECT_EQ(alliance_table[2].flags.size(), 3u);
    alliance_table.resize(2);
    alliance_table[0] = {1, {0, 1}};
    alliance_table[1] = {1, {1, 0}};
    grow_alliance_table(2);
    ASSERT_EQ(alliance_table.size(), 3u);
    EXPECT_EQ(alliance_table[0].count, 1);
    EXPECT_EQ(alliance_table[0].flags, (std::vector<std::int32_t>{0, 1, 0}));
    EXPECT_EQ(alliance_table[1].flags, (std::vector<std::int32_t>{1, 0, 0}));
    EXPECT_EQ(alliance_table[2].count, 0);
    EXPECT_EQ(alliance_table[2].flags, (std::vector<std::int32_t>{0, 0, 0}));
}

} // namespace
