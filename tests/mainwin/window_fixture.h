// Tests of the real main window: a program folder of their own, the working folder and the
// settings globals put back afterwards, and the demo game at hand.
#pragma once

#include "test_support.h"

#include "mainwin/game_open.h"
#include "demo_game.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/map_hooks.h"
#include "data/options.h"
#include "mainwin/settings_files.h"
#include "players/log_on.h"
#include "play/forms/additional_instruction_form.h"
#include "play/forms/unitactions.h"

#include <QCoreApplication>
#include <QDir>

#include <memory>
#include <string>
#include <vector>

class main_window_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        folder = make_temp_folder();
        program_folder_override = folder + "/";
        working_folder = QDir::currentPath();
        // Games with players ask for a log-on in a modal dialog: log on as a visitor unless a
        // test answers it itself.
        log_on_form_hook = [] { log_in_as_visitor(); };
        // A click on the map opens the piece actions form, modally: tests that want the form
        // take this away, the others only see which hex it was for.
        piece_actions_form_hook = [this](std::int32_t hex) { piece_actions_opened_for.push_back(hex); };
        // The instruction pop-ups are modal too; their own test shows them.
        for (int id = 1; id <= 3; ++id)
            set_instruction_shown(id, false);
    }
    void TearDown() override {
        log_on_form_hook = nullptr;
        piece_actions_form_hook = nullptr;
        for (int id = 1; id <= 3; ++id)
            set_instruction_shown(id, true);
        // An opened game makes its folder the current one.
        QDir::setCurrent(working_folder);
        startup_command_line.clear();
        program_folder_override.clear();
        autosave_on = 0;
        operation_mode = 0;
        current_game_path.clear();
        for (auto& r : recent_games) r.clear();
    }

    // Makes the demo game in folder/demo, leaves nothing of it in memory and puts it first in the
    // recent-games list, as ./run does for a new user. Returns the game's path.
    std::string put_demo_first_in_recent_games() {
        const std::string demo = folder + "/demo";
        EXPECT_TRUE(make_demo_game(demo));
        free_symbol_set();
        free_map();
        new_game();
        set_default_dirs();
        recent_games[0] = demo + "/Demo.OPS";
        current_game_path = recent_games[0];
        save_recent_games();
        recent_games[0].clear();
        current_game_path.clear();
        return demo + "/Demo.OPS";
    }

    std::unique_ptr<main_form> make_form(const std::string& command_line = {}) {
        startup_command_line = command_line;
        auto f = std::make_unique<main_form>();
        f->create_window();
        QCoreApplication::processEvents();
        return f;
    }

    std::string folder;
    QString working_folder;
    std::vector<std::int32_t> piece_actions_opened_for;
};
