#include "autosave.h"

#include "data/board.h"
#include "data/file_forms.h"
#include "data/game_file.h"
#include "data/message_boxes.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "data/history_stream.h"
#include "data/options.h"
#include "platform/files.h"

std::function<void()> set_autosave_timer_form_hook;

std::string autosave_path(const std::string& game_path) {
    const std::string stem = without_extension(game_path);
    return stem + "-AUTOSAVE" + game_path.substr(stem.size());
}

int autosave_period_ms() {
    return autosave_on * 60000;
}

namespace {
// After a failed autosave: the game and history length it failed at, and whether it was said.
struct autosave_failure {
    bool failing = false, told = false;
    std::string path;
    std::size_t history_end = 0;
} last_failure;
} // namespace

autosave_outcome write_autosave_copy() {
    if (current_game_path.empty() || !map_loaded() || operation_mode != 0) return autosave_outcome::not_now;
    // Written under its own name, never through current_game_path: nothing else sees the game
    // under the autosave name meanwhile.
    const std::string path = autosave_path(with_extension(current_game_path, ".OPS"));
    // A copy that could not be written is tried again once the game changed, not at every tick.
    if (last_failure.failing && last_failure.path == path && last_failure.history_end == history_end_offset())
        return autosave_outcome::not_now;
    if (write_saved_game_file(path, false)) {
        last_failure = {};
        return autosave_outcome::written;
    }
    const bool told = last_failure.told && last_failure.path == path;
    last_failure = {true, true, path, history_end_offset()};
    if (!told)
        show_error_box("Autosave Error", write_failure_text(path) +
                                             "\n\rThe autosave copy was not written; the game itself is not "
                                             "affected.\n\rAutosave tries again after the next change.");
    return autosave_outcome::failed;
}
