// Arguments and results handed to and from dialogs, set just before a dialog runs and read
// right after it closes.
#pragma once

#include <string>

extern int edit_index;    // item being edited (-1 = new); also the 0/1/2 result of "not saved" prompts
extern int dialog_result; // 1 OK or chosen, 0 or -1 cancelled
extern std::string form_result_text; // one-line entry dialogs; empty = cancelled
extern int dialog_arg_deck;          // a deck or hand number for the card forms
extern int dialog_arg_pool;          // a pool index for the card forms; a class for the flip editor
