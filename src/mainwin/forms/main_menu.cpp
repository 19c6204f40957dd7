#include "main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

const std::vector<menu_command>& main_menu_commands() {
    static const std::vector<menu_command> table = {
        {menu_file, "&File", "", 0},
        {1001, "&New Game...", "Ctrl+N", menu_file},
        {1003, "&Open...", "Ctrl+O", menu_file},
        {1005, "&Save", "Ctrl+S", menu_file},
        {1006, "Save &As...", "Ctrl+A", menu_file},
        {1008, "E&xit", "Ctrl+Q", menu_file},
        {1010, "file1", "", menu_file},
        {1011, "file2", "", menu_file},
        {1012, "file3", "", menu_file},
        {1013, "file4", "", menu_file},
        {1014, "file5", "", menu_file},
        {menu_edit, "&Edit", "", 0},
        {1016, "P&layers", "", menu_edit},
        {1017, "&Classes", "", menu_edit},
        {1018, "&Pools", "", menu_edit},
        {1019, "&Flip Definitions", "", menu_edit},
        {1020, "&Stack Symbols", "", menu_edit},
        {menu_new, "&New", "", 0},
        {1022, "P&layer", "", menu_new},
        {1023, "&Class", "", menu_new},
        {1024, "&Pieces", "", menu_new},
        {1025, "&Force Pool", "", menu_new},
        {command_facing, "F&acing", "", 0},
        {menu_replay, "&Replay", "", 0},
        {1028, "Show &All", "", menu_replay},
        {1030, "&Clear Replay", "", menu_replay},
        {menu_game, "&Game", "", 0},
        {1032, "&Next Turn / Set Turn", "", menu_game},
        {1033, "&Edit Turn Names", "", menu_game},
        {menu_display_options, "Map/Board Display Options", "", menu_game},
        {menu_symbols_per_hex, "Symbols Per Hex", "", menu_display_options},
        {menu_zoom_1, "Zoom 1", "", menu_symbols_per_hex},
        {1038, "1 (Inside Hex)", "", menu_zoom_1},
        {1039, "1 (Centered)", "", menu_zoom_1},
        {1040, "4 per Hex", "", menu_zoom_1},
        {1042, "Overlay Stack on Pieces", "", menu_zoom_1},
        {menu_zoom_2, "Zoom 2", "", menu_symbols_per_hex},
        {1044, "1 (Inside Hex)", "", menu_zoom_2},
        {1045, "1 (Centered)", "", menu_zoom_2},
        {1046, "4 per Hex", "", menu_zoom_2},
        {1048, "Overlay Stack on Pieces", "", menu_zoom_2},
        {menu_zoom_3, "Zoom 3", "", menu_symbols_per_hex},
        {1050, "1 (Inside Hex)", "", menu_zoom_3},
        {1051, "1 (Centered)", "", menu_zoom_3},
        {1052, "4 per Hex", "", menu_zoom_3},
        {1054, "Overlay Stack on Pieces", "", menu_zoom_3},
        {1056, "&Grid Display", "", menu_display_options},
        {1057, "Show Hexlines", "", menu_display_options},
        {1058, "Show Hexsides", "", menu_display_options},
        {1059, "Show Placenames", "", menu_display_options},
        {1060, "Show Pieces", "", menu_display_options},
        {1061, "Show Markers", "", menu_display_options},
        {1063, "Draw Entire Screen on Any Redraw", "", menu_display_options},
        {1065, "Put Class on Top in Hexes", "", menu_display_options},
        {1067, "Piece Status Dots", "", menu_display_options},
        {1069, "&Sound On", "", menu_game},
        {1070, "S&ound Off", "", menu_game},
        {1072, "&Fast Draw On", "", menu_game},
        {1073, "Fast &Draw Off", "", menu_game},
        {1075, "&Auto-Save", "", menu_game},
        {1077, "Combat: Set Summary &Values ", "", menu_game},
        {1079, "Set Scroll &Jump Size", "", menu_game},
        {1081, "&Log-In as Another Player", "", menu_game},
        {menu_rmb_options, "Right Mouse Button Options", "", menu_game},
        {1084, "Normal", "", menu_rmb_options},
        {1086, "Move Pieces", "", menu_rmb_options},
        {1087, "Place Pieces", "", menu_rmb_options},
        {1089, "Zoom In/Out", "", menu_rmb_options},
        {1090, "Redraw Map", "", menu_rmb_options},
        {1092, "Single LOS Check", "", menu_rmb_options},
        {1093, "Area LOS Check", "", menu_rmb_options},
        {menu_info_pages, "&Info-Pages", "", 0},
        {1095, "&0: Empty", "", menu_info_pages},
        {1096, "&1: Empty", "", menu_info_pages},
        {1097, "&2: Empty", "", menu_info_pages},
        {1098, "&3: Empty", "", menu_info_pages},
        {1099, "&4: Empty", "", menu_info_pages},
        {1100, "&5: Empty", "", menu_info_pages},
        {1101, "&6: Empty", "", menu_info_pages},
        {1102, "&7: Empty", "", menu_info_pages},
        {1103, "&8: Empty", "", menu_info_pages},
        {1104, "&9: Empty", "", menu_info_pages},
        {1105, "Scale Bitmaps to Fit", "", menu_info_pages},
        {menu_printouts, "&Printouts", "", 0},
        {1107, "This &Screen", "", menu_printouts},
        {1108, "Entire Game &Board ", "", menu_printouts},
        {1110, "&Pieces", "", menu_printouts},
        {1111, "&Classes", "", menu_printouts},
        {1113, "&Total Pieces On-Board", "", menu_printouts},
        {menu_advanced, "&Advanced", "", 0},
        {1115, "&Import Class Data (from Database)", "", menu_advanced},
        {1116, "Import Class/Unit Data (other Game)", "", menu_advanced},
        {1117, "Resi&ze Board/Playing Area", "", menu_advanced},
        {1119, "Run (Range) Auto-&Reveal Now", "", menu_advanced},
        {1120, "Run (LOS) &Auto-Reveal Now", "", menu_advanced},
        {1121, "Auto-Reveal When &Moving (Range)", "", menu_advanced},
        {1122, "Auto-Reveal When Moving (L&OS)", "", menu_advanced},
        {1123, "Reveal Pieces &During Combat", "", menu_advanced},
        {1124, "Hide All But Top Pieces (one time only)", "", menu_advanced},
        {1126, "Use &Elevations", "", menu_advanced},
        {1127, "LOS: Set &Terrain Values", "", menu_advanced},
        {1128, "LOS: Set &Characteristics", "", menu_advanced},
        {1129, "Check &Line Of Sight (LOS)", "", menu_advanced},
        {1131, "Set Player Alliances", "", menu_advanced},
        {menu_cards, "Car&ds", "", 0},
        {1133, "&Decks", "", menu_cards},
        {1134, "&Hand", "", menu_cards},
        {1136, "&Remove Hands and Decks", "", menu_cards},
        {menu_preferences, "Pre&ferences", "", 0},
        {1138, "Ask: Place &From Pools", "", menu_preferences},
        {1139, "Ask: Remove &To Pool", "", menu_preferences},
        {1140, "Auto-&Place Pieces From Pool", "", menu_preferences},
        {1141, "Auto-R&emove Pieces To Pool", "", menu_preferences},
        {1143, "Sort &Classes Alphabetically", "", menu_preferences},
        {1145, "Combat: &Roll Dice Automatically", "", menu_preferences},
        {1147, "Default Comment to Te&xt", "", menu_preferences},
        {1149, "&Set Form Background Color", "", menu_preferences},
        {1151, "File &Directories/Folders", "", menu_preferences},
        {1153, "Resizable Forms", "", menu_preferences},
        {menu_help, "&Help", "", 0},
        {1155, "Help &Index", "", menu_help},
        {1156, "Complete &Manual", "", menu_help},
        {1158, "&About", "", menu_help},
    };
    return table;
}

built_menu build_main_menu(QMenuBar* bar) {
    built_menu built;
    std::map<int, int> last_id_in_menu; // the last command id placed in each sub-menu
    for (const menu_command& c : main_menu_commands()) {
        if (c.id < 0) {
            QMenu* menu = nullptr;
            if (c.parent == 0) {
                menu = bar->addMenu(QString::fromLatin1(c.text));
                built.bar_entries.push_back(menu->menuAction());
            } else {
                menu = built.menus.at(c.parent)->addMenu(QString::fromLatin1(c.text));
            }
            menu->setObjectName(QString::fromLatin1(c.text).remove('&'));
            built.menus[c.id] = menu;
            continue;
        }
        QAction* action = nullptr;
        if (c.parent == 0) {
            action = bar->addAction(QString::fromLatin1(c.text));
            built.bar_entries.push_back(action);
        } else {
            QMenu* menu = built.menus.at(c.parent);
            auto last = last_id_in_menu.find(c.parent);
            if (last != last_id_in_menu.end() && c.id > last->second + 1) menu->addSeparator();
            last_id_in_menu[c.parent] = c.id;
            action = menu->addAction(QString::fromLatin1(c.text));
        }
        action->setData(c.id);
        if (*c.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        built.items[c.id] = action;
    }
    return built;
}
