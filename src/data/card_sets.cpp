#include "card_sets.h"

#include "data/game_settings.h"
#include "data/message_boxes.h"
#include "platform/files.h"
#include "platform/progress.h"

std::int32_t card_symbol_count[max_decks] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                             -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

void load_game_card_symbol_sets() {}

namespace {
bool copy_if_there(const std::string& from, const std::string& to) {
    auto found = find_file_case_blind(from);
    return !found || copy_file_reported(*found, to);
}
} // namespace

bool copy_card_symbol_files(const std::string& old_base, const std::string& new_game_path) {
    const std::string new_base = without_extension(new_game_path);
    progress_window progress;
    for (int n = 1; n <= max_decks; ++n) {
        const std::string from = old_base + "-C" + std::to_string(n);
        const std::string to = new_base + "-C" + std::to_string(n);
        if (!find_file_case_blind(from + ".SET")) continue;
        if (!progress.is_open())
            progress.open("Save Game To New Folder Action", "Copying card symbol files.  Please wait...");
        // The first failure (reported) ends the copying: the game stays on the old sets.
        if (!copy_if_there(from + ".SET", to + ".SET") || !copy_if_there(from + ".SDX", to + ".SDX"))
            return false;
        progress.set_position(10);
        for (int z = 1; z <= 3; ++z) {
            if (!copy_if_there(from + std::to_string(z) + ".BMP", to + std::to_string(z) + ".BMP"))
                return false;
            progress.set_position(30 * z);
        }
    }
    progress.close();
    game_settings.card_set_base_path = new_base;
    return true;
}
