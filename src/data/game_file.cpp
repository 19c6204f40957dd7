#include "game_file.h"

#include "dialog_globals.h"

std::string current_game_path;
game_file_version game_file_as_known;

void remember_game_file(const std::string& path) {
    game_file_as_known = {path, stamp_of_file(path)};
}
int recent_game_to_open = -1;
int edit_index = -1;
int dialog_result = 0;
std::string form_result_text;
int dialog_arg_deck = 0;
int dialog_arg_pool = 0;
