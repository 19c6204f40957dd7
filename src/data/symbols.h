// The symbol set in memory: terrain, piece and mask symbols.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct symbol_rect {
    std::int32_t x = 0, y = 0, width = 0, height = 0;
};

struct symbol_struct {
    symbol_rect source[3]; // one per zoom level
};

struct symbol_state {
    std::vector<symbol_struct> terrain_symbols;
    std::vector<symbol_struct> piece_symbols;
    std::vector<symbol_struct> mask_symbols;
    std::int32_t terrain_symbol_count = 0;
    std::int32_t piece_symbol_count = 0;
    std::int32_t mask_symbol_count = 0;
    std::int32_t hex_size_by_zoom[3] = {};
    std::uint8_t hex_shape_flag = 0; // non-zero: the symbols are drawn as hexagons
};

// The symbol set in memory. Never null while the program runs.
extern std::unique_ptr<symbol_state> symbols;

void free_symbol_set();
