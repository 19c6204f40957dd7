#include "autosave.h"

#include "data/board.h"
#include "data/game_open.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "mainwin/options.h"

std::function<void()> set_autosave_timer_form_hook;

std::string autosave_path(const std::string& game_path) {
    std::size_t slash = game_path.find_last_of('/');
    std::size_t dot = game_path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return game_path + "-AUTOSAVE";
    return game_path.substr(0, dot) + "-AUTOSAVE" + game_path.substr(dot);
}

int autosave_period_ms() {
    return autosave_on * 60000;
}

autosave_outcome write_autosave_copy() {
    if (current_game_path.empty() || !map_loaded() || operation_mode != 0) return autosave_outcome::not_now;
    const std::string own_path = current_game_path;
    const std::uint8_t modified = game_modified;
    current_game_path = autosave_path(own_path);
    bool ok = write_saved_game();
    current_game_path = own_path;
    game_modified = modified;
    return ok ? autosave_outcome::written : autosave_outcome::failed;
}
