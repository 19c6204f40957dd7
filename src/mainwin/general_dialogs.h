// The small shared dialogs as game logic opens them.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What generic_list_display_form shows: a heading and one line per item.
extern std::string list_display_title;
extern std::vector<std::string> list_display_items;

// Runs generic_list_display_form modally. Under a scripted test nothing is shown: the list is
// recorded as a dialog of kind "list" (caption = the heading, text = the items, one per line).
void show_generic_list_display();

// Filled by the forms layer at start-up.
extern std::function<void()> generic_list_display_hook;
