#include "mainwin/colour_table.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {
using rgb = std::tuple<int, int, int>;
rgb entry(int i) {
    return {colour_table[i][0], colour_table[i][1], colour_table[i][2]};
}

TEST(colour_table, default_entries) {
    // Scribble first: every entry must be written.
    for (auto& e : colour_table)
        e[0] = e[1] = e[2] = 7;
    set_default_colour_table();
    struct spot {
        int index;
        rgb colour;
    };
    const spot spots[] = {
        {0, {0, 0, 0}},         {3, {128, 128, 0}},     {12, {64, 0, 255}},   {13, {128, 64, 0}},
        {14, {255, 255, 255}},  {15, {192, 192, 192}},  {27, {255, 128, 64}}, {28, {0, 0, 0}},
        {29, {14, 14, 14}},     {45, {238, 238, 238}},  {46, {51, 0, 0}},     {47, {102, 0, 0}},
        {50, {255, 0, 0}},      {51, {0, 51, 0}},       {56, {255, 51, 0}},   {57, {0, 102, 0}},
        {254, {153, 255, 255}}, {255, {204, 255, 255}},
    };
    for (const auto& s : spots)
        EXPECT_EQ(entry(s.index), s.colour) << "entry " << s.index;

    // The cube holds no grey and no colour twice; white is entry 14 only.
    std::set<rgb> cube;
    for (int i = 46; i < 256; ++i) {
        auto [r, g, b] = entry(i);
        EXPECT_FALSE(r == g && g == b) << "grey in the cube at " << i;
        for (int v : {r, g, b})
            EXPECT_EQ(v % 51, 0) << i;
        cube.insert(entry(i));
    }
    EXPECT_EQ(cube.size(), 210u);
    for (int i = 0; i < 256; ++i) {
        if (i == 14) continue;
        EXPECT_NE(entry(i), rgb(255, 255, 255)) << i;
    }
}

TEST(colour_table, choice_list_and_back) {
    const int indices[17] = {0, 12, 13, 5, 6, 2, 1, 4, 19, 15, 18, 56, 7, 27, 16, 14, 17};
    for (int p = 0; p < 17; ++p) {
        EXPECT_EQ(colour_choice_to_index(p), indices[p]) << p;
        EXPECT_EQ(colour_index_to_choice(indices[p]), p) << p;
    }
    for (int p : {-1, 17, 1000})
        EXPECT_EQ(colour_choice_to_index(p), 0) << p;
    // Index 3 is in no list: position 0, which is index 0 again.
    for (int i : {3, 8, 28, 255, -5, 256})
        EXPECT_EQ(colour_index_to_choice(i), 0) << i;
    EXPECT_EQ(colour_choice_to_index(colour_index_to_choice(3)), 0);
}
} // namespace
