#include "game_open.h"

#include "dialog_globals.h"
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
    box_answer a = message_box("Current Game Not Saved!",
                               "If you proceed, your current game will not be saved.\n\rDo you want to save it now?",
                               box_buttons::yes_no_cancel, box_icon::exclamation);
    int result = 0;
    if (a == box_answer::no)
        result = 2;
    else if (a == box_answer::yes)
        // A save that did not happen must not let the caller drop the unsaved work.
        result = save_game_as() ? 1 : 0;
    edit_index = result;
    return result;
}
