// The demo game in memory with a fresh history, and the play commands the history tests use.
#pragma once

#include "test_support.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/current_player.h"
#include "data/history_stream.h"
#include "data/options.h"
#include "demo_game.h"
#include "play/movement.h"
#include "play/placement.h"
#include "play/removal.h"

#include <string>
#include <vector>

class demo_history_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        saved_player = current_player;
        ASSERT_TRUE(make_demo_game(make_temp_folder()));
        rebuild_hex_piece_counts(); // as opening the game does
        reset_command_state();
        current_player = -1;
        clear_history();
        ask_remove_to_pool = 0;
        auto_remove_to_pool = 0;
    }
    void TearDown() override {
        current_player = saved_player;
        remove_question_hook = nullptr;
        reset_command_state();
        placement_list.clear();
    }
    static std::int32_t hex(int column, int row) { return row * board->map_columns + column; }
    static std::int32_t piece(const std::string& name) {
        for (std::size_t i = 0; i < game->piece_array.size(); ++i)
            if (name_of(game->piece_array[i].name) == name) return static_cast<std::int32_t>(i);
        return -1;
    }
    static void move(std::vector<std::int32_t> pieces, std::vector<std::int32_t> path) {
        pieces.push_back(-1);
        ASSERT_GT(take_up_for_move(pieces), 0);
        for (std::int32_t h : path)
            ASSERT_TRUE(add_path_step(h));
        finish_move();
    }

public:
    scripted_responder& boxes() { return responder; }

protected:
    int saved_player = -1;
};
