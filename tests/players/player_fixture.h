// A game with named players and a scripted password dialog, for the log-on and player tests.
#pragma once

#include "test_support.h"

#include "data/dialog_globals.h"
#include "data/records.h"
#include "data/alliances.h"
#include "data/current_player.h"
#include "players/log_on.h"
#include "data/passwords.h"

#include <cstring>
#include <deque>
#include <string>
#include <vector>

class player_fixture : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        current_player = -1;
        player_logged_in = 0;
        alliance_table.clear();
        // Each run of the password dialog takes the next entry ("" = Cancel) and notes its mode.
        password_form_hook = [this] {
            modes.push_back(edit_index);
            if (entries.empty()) {
                ADD_FAILURE() << "password dialog opened with no entry queued";
                form_result_text.clear();
                return;
            }
            form_result_text = upper_case_password(entries.front());
            entries.pop_front();
        };
    }
    void TearDown() override {
        password_form_hook = nullptr;
        player_info_form_hook = nullptr;
        log_on_form_hook = nullptr;
        current_player = -1;
        player_logged_in = 0;
        alliance_table.clear();
    }
    // Appends a player record before the end record.
    int add_player(const std::string& name, const std::string& password = {}, std::uint8_t flags = 0) {
        auto& a = game->player_array;
        player_struct p;
        set_name(p.name, name);
        std::memcpy(p.password, password.data(), std::min<std::size_t>(password.size(), password_length));
        p.flags = flags;
        a.insert(a.end() - 1, p);
        game->player_count = static_cast<std::int32_t>(a.size());
        return static_cast<int>(a.size()) - 2;
    }
    std::string stored_password(int p) const {
        const auto& pw = game->player_array[static_cast<std::size_t>(p)].password;
        std::string s;
        for (int i = 0; i < password_length && pw[i]; ++i)
            s.push_back(static_cast<char>(pw[i]));
        return s;
    }
    std::deque<std::string> entries;
    std::vector<int> modes;
};
