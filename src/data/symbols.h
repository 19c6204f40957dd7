// The symbol set in memory: terrain, piece and mask symbols with their strip bitmaps.
#pragma once

#include "platform/bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One symbol: its cell in the strip bitmap of its kind, per zoom level.
struct symbol_struct {
    char name[25] = {};
    std::int32_t top[3] = {};
    std::int32_t bottom[3] = {};
    std::int32_t right[3] = {};
    std::int32_t left[3] = {};
    std::int32_t mask = 0; // index into mask_symbols
};

// The size of a symbol's cell from its edges (right - left + 1, or bottom - top + 1), worked out
// without overflow: 0 for edges a set file may hold but no strip can (reversed, or a cell wider
// than any bitmap), so that such a symbol draws nothing.
int symbol_extent(std::int32_t low, std::int32_t high);

// The three kinds of symbols, in the order of their strip files' letters "-T", "-U", "-M".
enum symbol_kind { symbol_kind_terrain = 0, symbol_kind_piece = 1, symbol_kind_mask = 2 };

struct symbol_state {
    std::vector<symbol_struct> terrain_symbols;
    std::vector<symbol_struct> piece_symbols;
    std::vector<symbol_struct> mask_symbols;
    std::int32_t terrain_symbol_count = 0;
    std::int32_t piece_symbol_count = 0;
    std::int32_t mask_symbol_count = 0;
    // Strip sizes as the .SET file gives them, per kind and zoom. The loaded strips hold their
    // own size (a terrain strip is one pixel narrower and lower than its file size).
    std::int32_t strip_width[3][3] = {};
    std::int32_t strip_height[3][3] = {};
    std::uint8_t hex_shape = 0;      // non-zero: the symbols are drawn as hexagons
    std::uint8_t display_flag_2 = 0; // second display flag byte of the set
    // Per zoom: the symbol cell size (width of the first terrain symbol).
    std::int32_t hex_size_by_zoom[3] = {};
    // Per zoom: the largest piece symbol width (right - left) and height (bottom - top).
    std::int32_t largest_piece_width[3] = {};
    std::int32_t largest_piece_height[3] = {};
    // The nine strip bitmaps, [kind][zoom].
    bitmap strips[3][3];
    bool converted_from_version1 = false;

    // Checked look-ups: null when the number names no symbol of that table.
    const symbol_struct* terrain_symbol(std::int64_t n) const;
    const symbol_struct* piece_symbol(std::int64_t n) const;
    const symbol_struct* mask_of(const symbol_struct& s) const;
};

// The symbol set in memory. Never null while the program runs.
extern std::unique_ptr<symbol_state> symbols;

// The path of the linked .SET file (kept when the set is freed).
extern std::string symbol_set_path;

void free_symbol_set();
