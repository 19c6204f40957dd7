// Shared set-up for the tests: every case starts from an empty game, board and symbol set.
#pragma once

#include "data/board.h"
#include "data/records.h"
#include "data/symbols.h"
#include "platform/responder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class fresh_game_test : public ::testing::Test {
protected:
    void SetUp() override {
        free_symbol_set();
        free_map();
        // A new game keeps the turn of the last one (and writes it into the history's header).
        game->game_turn = 0;
        new_game();
        game->player_count = 1;
        game_modified = 0;
    }
    scripted_responder responder;
};

// An empty board of columns x rows hexes (no pieces counted), for the tests of play on it.
inline void make_plain_board(int columns, int rows, int grid_type = 1) {
    board->grid_type = static_cast<std::uint8_t>(grid_type);
    board->map_columns = columns;
    board->map_rows = rows;
    board->hex_count = columns * rows;
    board->hex_array.assign(static_cast<std::size_t>(board->hex_count), hex_struct{});
    board->hex_piece_counts.assign(static_cast<std::size_t>(board->hex_count), 0);
}

inline std::vector<std::uint8_t> bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<std::uint8_t>(b));
    return v;
}

// A temporary folder for one test, removed afterwards.
std::string make_temp_folder();

// Where a test keeps a screenshot of what a user would see: a folder of the test's own.
inline std::string screenshot_path(const std::string& name) {
    return make_temp_folder() + "/" + name;
}

// Runs `body` in a child process whose files cannot grow past `max_file_bytes` (a real short
// write, as on a full disk) and gives its exit code; -1 when the child did not end normally.
int run_with_file_size_limit(long long max_file_bytes, const std::function<int()>& body);

// Runs `body` in a child process that cannot write into `folder` (as another user where the
// tests run as root, else with the folder made read-only meanwhile) and gives its exit code.
int run_unable_to_write(const std::string& folder, const std::function<int()>& body);
