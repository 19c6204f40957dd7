#include "player_pictures.h"

#include "data/folders.h"
#include "data/game_file.h"
#include "data/records.h"
#include "platform/files.h"
#include "players/visibility.h"

std::string player_picture_path(int player_index) {
    const player_struct* p = player_record(player_index);
    if (!p) return {};
    const std::string name = name_of(p->picture_file);
    if (name.empty()) return {};
    const std::string file = name + ".BMP";
    if (!default_paths.player_pictures.empty())
        if (auto found = find_file_case_blind(join_path(default_paths.player_pictures, file))) return *found;
    if (!current_game_path.empty())
        if (auto found = find_file_case_blind(join_path(folder_of(current_game_path), file))) return *found;
    return {};
}
