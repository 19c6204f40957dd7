// The main menu as data: command id, text, shortcut and the sub-menu it belongs to.
#pragma once

#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

struct menu_command {
    int id; // command id; sub-menus have ids below 0
    const char* text;
    const char* shortcut; // "" = none
    int parent;           // id of the sub-menu holding it; 0 = the menu bar
};

const std::vector<menu_command>& main_menu_commands();

struct built_menu {
    std::map<int, QAction*> items;     // by command id
    std::map<int, QMenu*> menus;       // by sub-menu id
    std::vector<QAction*> bar_entries; // the menu bar's own entries in order
};

// Builds the menu bar from the table. Where command ids skip within a menu, a separator goes.
built_menu build_main_menu(QMenuBar* bar);

// Sub-menu ids of the menu bar.
enum main_menu_id {
    menu_file = -1,
    menu_edit = -2,
    menu_new = -3,
    menu_replay = -4,
    menu_game = -5,
    menu_info_pages = -6,
    menu_printouts = -7,
    menu_advanced = -8,
    menu_cards = -9,
    menu_preferences = -10,
    menu_help = -11,
    menu_display_options = -20,
    menu_symbols_per_hex = -21,
    menu_zoom_1 = -22,
    menu_zoom_2 = -23,
    menu_zoom_3 = -24,
    menu_rmb_options = -25,
};
constexpr int command_facing = 1026; // a command on the menu bar itself
