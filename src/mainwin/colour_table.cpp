#include "colour_table.h"

#include <cstdlib>
#include <initializer_list>

std::uint8_t colour_table[256][3];

// The table holds its defaults from the start; the main window builds it again at start-up.
static const bool colour_table_filled = (set_default_colour_table(), true);

const std::uint8_t colour_choice_indices[colour_choice_count] = {0,  12, 13, 5, 6,  2,  1,  4, 19,
                                                                 15, 18, 56, 7, 27, 16, 14, 17};

namespace {
constexpr std::uint8_t basic_colours[28][3] = {
    {0, 0, 0},       {128, 128, 128}, {128, 0, 0},     {128, 128, 0},   {0, 128, 0},     {0, 128, 128},
    {0, 0, 128},     {128, 0, 128},   {128, 128, 64},  {0, 64, 64},     {0, 128, 255},   {0, 64, 128},
    {64, 0, 255},    {128, 64, 0},    {255, 255, 255}, {192, 192, 192}, {255, 0, 0},     {255, 255, 0},
    {0, 255, 0},     {0, 255, 255},   {0, 0, 255},     {255, 0, 255},   {255, 255, 128}, {0, 255, 128},
    {128, 255, 255}, {128, 128, 255}, {255, 0, 128},   {255, 128, 64},
};
} // namespace

void set_default_colour_table() {
    int i = 0;
    for (const auto& c : basic_colours) {
        colour_table[i][0] = c[0];
        colour_table[i][1] = c[1];
        colour_table[i][2] = c[2];
        ++i;
    }
    for (int k = 0; k < 18; ++k, ++i)
        colour_table[i][0] = colour_table[i][1] = colour_table[i][2] = static_cast<std::uint8_t>(14 * k);
    // The six-level colour cube, red fastest; its six greys are already in the table.
    for (int b = 0; b < 6; ++b)
        for (int g = 0; g < 6; ++g)
            for (int r = 0; r < 6; ++r) {
                if (r == g && g == b) continue;
                colour_table[i][0] = static_cast<std::uint8_t>(51 * r);
                colour_table[i][1] = static_cast<std::uint8_t>(51 * g);
                colour_table[i][2] = static_cast<std::uint8_t>(51 * b);
                ++i;
            }
}

int colour_choice_to_index(int position) {
    if (position < 0 || position >= colour_choice_count) return 0;
    return colour_choice_indices[position];
}

int colour_index_to_choice(int index) {
    for (int p = 0; p < colour_choice_count; ++p)
        if (colour_choice_indices[p] == index) return p;
    return 0;
}

int nearest_table_colour(int r, int g, int b) {
    for (int tolerance : {0, 1, 3, 5, 10, 25, 50})
        for (int i = 0; i < 256; ++i)
            if (std::abs(colour_table[i][0] - r) <= tolerance &&
                std::abs(colour_table[i][1] - g) <= tolerance &&
                std::abs(colour_table[i][2] - b) <= tolerance)
                return i;
    return 0;
}
