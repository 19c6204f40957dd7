#include "autosave.h"

#include "data/board.h"
#include "data/file_forms.h"
#include "data/game_open.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "mainwin/options.h"
#include "platform/files.h"

std::function<void()> set_autosave_timer_form_hook;

std::string autosave_path(const std::string& game_path) {
    const std::string stem = without_extension(game_path);
    return stem + "-AUTOSAVE" + game_path.substr(stem.size());
}

int autosave_period_ms() {
    return autosave_on * 60000;
}

autosave_outcome write_autosave_copy() {
    if (current_game_path.empty() || !map_loaded() || operation_mode != 0) return autosave_outcome::not_now;
    // Written under its own name, never through current_game_path: nothing else sees the game
    // under the autosave name meanwhile.
    const bool ok = write_saved_game_file(autosave_path(with_extension(current_game_path, ".OPS")));
    return ok ? autosave_outcome::written : autosave_outcome::failed;
}
