#include "game_open.h"

#include "dialog_globals.h"
#include "message_boxes.h"
#include "platform/boxes.h"

std::string current_game_path;
int edit_index = -1;
int dialog_result = 0;
std::string form_result_text;
int dialog_arg_deck = 0;
int dialog_arg_pool = 0;

std::function<bool()> save_game_as_hook;

bool save_game_as() { return save_game_as_hook ? save_game_as_hook() : false; }

int confirm_save_current_game() {
    edit_index = ask_to_save_first("Current Game Not Saved!", save_game_as);
    return edit_index;
}
