#include "game_open.h"

#include "data/board.h"
#include "data/card_sets.h"
#include "data/dialog_globals.h"
#include "data/encodings.h"
#include "data/file_forms.h"
#include "data/game_settings.h"
#include "data/hooks.h"
#include "data/los_settings.h"
#include "data/map_file.h"
#include "data/message_boxes.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "data/symbol_set.h"
#include "data/symbols.h"
#include "data/version1_files.h"
#include "data/view_state.h"
#include "infopages/info_pages.h"
#include "mainwin/general_dialogs.h"
#include "mainwin/settings_files.h"
#include "platform/app_services.h"
#include "platform/boxes.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "platform/text_codepage.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>

namespace {

constexpr const char* autosave_suffix = "-AUTOSAVE";
// Longest map path taken from the head of a game file.
constexpr std::size_t max_map_path = max_path_bytes;

std::string extension_of(const std::string& path) {
    return path.substr(without_extension(path).size());
}

bool same_folder(const std::string& a, const std::string& b) {
    return folder_of(a) == folder_of(b);
}

// Set when the user had to choose another map for the game: the game is saved with the new link.
bool links_renewed = false;

// Everything an open replaces, kept aside until the new game has read whole.
struct held_game {
    std::unique_ptr<game_state> g;
    std::unique_ptr<board_state> b;
    std::unique_ptr<symbol_state> s;
    std::string map_path, set_path;
    std::uint8_t ready = 0;
    bool for_game = false;

    void take() {
        ready = view_ready;
        for_game = load_for_game;
        g = std::exchange(game, std::make_unique<game_state>());
        b = std::exchange(board, std::make_unique<board_state>());
        s = std::exchange(symbols, std::make_unique<symbol_state>());
        map_path = linked_map_path;
        set_path = symbol_set_path;
    }
    // Puts the kept game, board and set back, with what hangs off the board.
    void put_back() {
        game = std::move(g);
        board = std::move(b);
        symbols = std::move(s);
        linked_map_path = map_path;
        symbol_set_path = set_path;
        view_ready = ready;
        load_for_game = for_game;
        if (free_base_maps_hook) free_base_maps_hook();
        if (load_whole_map_bitmaps_hook) load_whole_map_bitmaps_hook();
        if (load_base_maps_hook) load_base_maps_hook();
    }
};

std::string count_title(int n, const std::string& message) {
    return std::to_string(n) + message;
}

// `unnamed` more were repaired whose names nobody logged on yet may know (hidden pieces).
void list_repairs(const std::vector<std::string>& names, const char* one, const char* several,
                  int unnamed = 0) {
    if (names.empty() && unnamed == 0) return;
    const int n = static_cast<int>(names.size()) + unnamed;
    list_display_title = count_title(n, n == 1 ? one : several);
    list_display_items = names;
    if (unnamed > 0)
        list_display_items.push_back(std::to_string(unnamed) +
                                     (unnamed == 1 ? " hidden piece" : " hidden pieces"));
    show_generic_list_display();
}

template <std::size_t N> std::string listed_name(const char (&field)[N], const char* empty) {
    std::string s = name_of(field);
    return s.empty() ? empty : s;
}

} // namespace

std::string map_path_from_game_head(std::string_view head, const std::string& game_folder) {
    std::string path;
    if (!head.empty() && static_cast<std::uint8_t>(head[0]) == marker_open) {
        for (std::size_t at = 3; at < head.size() && head[at] != 0 && path.size() < max_map_path; ++at)
            path.push_back(head[at]);
        return stored_path_to_native(path);
    }
    std::size_t at = head.find(static_cast<char>(marker_close));
    if (at == std::string_view::npos) return {};
    for (++at; at < head.size() && static_cast<std::uint8_t>(head[at]) != marker_close && head[at] != '.' &&
               path.size() < max_map_path;
         ++at)
        path.push_back(head[at]);
    return join_path(game_folder, file_name_of(translate_stored_path(stored_path_to_native(path))) + ".MAP");
}

std::string path_without_autosave_suffix(const std::string& path) {
    const std::string base = without_extension(path);
    const std::size_t n = std::char_traits<char>::length(autosave_suffix);
    const std::size_t name_start =
        base.find_last_of('/') == std::string::npos ? 0 : base.find_last_of('/') + 1;
    if (base.size() < name_start + n) return path;
    for (std::size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(base[base.size() - n + i])) != autosave_suffix[i])
            return path;
    return base.substr(0, base.size() - n) + extension_of(path);
}

int repair_game_links() {
    game_state& g = *game;
    auto end_of = [](const auto& list, auto is_end) {
        std::size_t i = 0;
        while (i < list.size() && !is_end(list[i]))
            ++i;
        return i;
    };
    const std::size_t classes =
        end_of(g.class_array, [](const class_struct& c) { return c.symbol == class_end; });
    const std::size_t players = end_of(g.player_array, [](const player_struct& p) { return p.name[0] == 0; });
    const std::size_t pieces =
        end_of(g.piece_array, [](const piece_struct& p) { return p.location == location_end; });
    int repaired = 0;

    std::vector<std::string> names;
    int unnamed = 0;
    for (std::size_t i = 0; i < pieces; ++i) {
        piece_struct& p = g.piece_array[i];
        if (p.location == location_free) continue;
        if (p.class_index >= 0 && static_cast<std::size_t>(p.class_index) < classes) continue;
        p.class_index = 0;
        // The list shows before anyone logs on: only a piece open to every viewer (on the board,
        // not hidden) is named; the others are only counted.
        if (p.in_pool() || p.hidden != 0)
            ++unnamed;
        else
            names.push_back(listed_name(p.name, "No Piece ID/Name"));
    }
    list_repairs(
        names,
        "  piece was linked to a nonexistent class.  \n\rThe link has been reset to the first defined class.",
        "  pieces were linked to nonexistent classes.  \n\rThe links have been reset to the first defined "
        "class.",
        unnamed);
    repaired += static_cast<int>(names.size()) + unnamed;

    // Owners: a player, all players (200) or nobody (201); anything else goes to all players.
    names.clear();
    for (std::size_t i = 0; i < classes; ++i) {
        class_struct& c = g.class_array[i];
        if (c.symbol == class_free) continue;
        if (c.owner == owner_all_players || c.owner == owner_nobody || c.owner < players) continue;
        c.owner = owner_all_players;
        names.push_back(listed_name(c.name, "No Class ID/Name"));
    }
    list_repairs(
        names, "  class was linked to a nonexistent player.  \n\rThe link has been reset to 'All Players'.",
        "  classes were linked to one or more nonexistent players.  \n\rThe links for these classes have "
        "been reset to 'All Players'.");
    repaired += static_cast<int>(names.size());

    names.clear();
    for (std::size_t i = 0; i < classes; ++i) {
        class_struct& c = g.class_array[i];
        if (c.symbol == class_free || c.is_card()) continue;
        if (c.symbol >= 0 && c.symbol < symbols->piece_symbol_count) continue;
        c.symbol = 0;
        names.push_back(listed_name(c.name, "No Class ID/Name"));
    }
    list_repairs(
        names,
        "  non-card class was linked to a nonexistent symbol.  \n\rThe link has been reset to the first "
        "defined piece symbol.",
        "  non-card classes were linked to one or more nonexistent symbols.  \n\rThe links have been reset "
        "to the first defined piece symbol.");
    repaired += static_cast<int>(names.size());

    // Card classes against the card count of their deck's set, when that set is loaded.
    names.clear();
    for (std::size_t i = 0; i < classes; ++i) {
        class_struct& c = g.class_array[i];
        if (c.symbol == class_free || !c.is_card()) continue;
        const int deck = c.value_types[1];
        if (deck >= max_decks || card_symbol_count[deck] < 0) continue;
        if (c.symbol >= 0 && c.symbol < card_symbol_count[deck]) continue;
        c.symbol = 0;
        names.push_back(listed_name(c.name, "No Class ID/Name"));
    }
    list_repairs(
        names,
        "  card class was linked to a non-existent card symbol.  \n\rThe link has been reset to the first "
        "defined card symbol in the same deck.",
        "  card classes were linked to non-existent card symbols.  \n\rThe links have been reset to the "
        "first defined card symbol in the same deck.");
    repaired += static_cast<int>(names.size());
    return repaired;
}

bool open_saved_game() {
    // The game is half replaced until the end: no command, click or timer may reach it.
    long_operation busy;
    links_renewed = false;
    if (game_modified) {
        if (confirm_save_current_game() == 0) return false;
    }
    // A failed open keeps the game in memory, so it keeps its unsaved mark too.
    const std::uint8_t modified_before = game_modified;
    game_modified = 0;
    const std::string previous_path = current_game_path;
    auto give_up = [&] {
        current_game_path = previous_path;
        game_modified = modified_before;
        return false;
    };

    // The file.
    std::string chosen;
    if (recent_game_to_open >= 0 && recent_game_to_open <= 4) {
        const std::string& entry = recent_games[recent_game_to_open];
        if (!entry.empty() && file_exists(entry)) chosen = entry;
    }
    if (chosen.empty()) {
        std::optional<std::string> picked = OpenOpsForm(current_game_path);
        if (!picked) return give_up();
        chosen = *picked;
    }
    auto found_game = find_file_case_blind(chosen);
    std::optional<byte_vector> bytes = found_game ? read_whole_file(*found_game) : std::nullopt;
    if (!bytes) {
        show_game_file_error("Could not open selected file!");
        return give_up();
    }
    chosen = *found_game;
    const bool version1 = bytes->empty() || (*bytes)[0] != marker_open;

    // The map named at its head, else a map of that name beside the game, else the user's choice.
    // The file is read once: its head names the map, and the same bytes are parsed below.
    std::string map_path = map_path_from_game_head(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), folder_of(chosen));
    std::optional<std::string> map_found =
        map_path.empty() ? std::nullopt : find_linked_file(map_path, folder_of(chosen));
    if (!map_found && !map_path.empty()) {
        std::string name = file_name_of(translate_stored_path(map_path));
        map_found = find_file_case_blind(join_path(folder_of(chosen), without_extension(name) + ".MAP"));
    }
    if (!map_found) {
        message_box("Could Not Find Map File",
                    "The map file specified for this game: \n\r   " + map_path +
                        "\n\rwas not found.\n\rPlease select the MAP file to use for this game.",
                    box_buttons::ok, box_icon::exclamation);
        std::optional<std::string> picked =
            GetMapFileToLink(join_path(folder_of(chosen), file_name_of(map_path)));
        if (!picked) return give_up();
        map_found = *picked;
        links_renewed = true;
    }

    // The new board, set and game are read beside the old ones, which come back on any failure.
    held_game held;
    held.take();
    view_ready = 0;
    load_for_game = true;
    linked_map_path = *map_found;
    // The map reader frees the game it replaces; here that is an empty stand-in, and the windows
    // of the kept game stay open until the new game has read.
    auto close_windows = std::exchange(close_game_windows_hook, nullptr);
    const bool map_read = read_map_file();
    close_game_windows_hook = std::move(close_windows);
    if (!map_read) {
        held.put_back();
        return give_up();
    }

    current_game_path = chosen;
    game_modified = 0;
    bool game_read;
    if (version1) {
        game_read = convert_version1_game();
        if (game_read) ops_file_version = 1;
    } else {
        game_read = read_saved_game_bytes(*bytes);
    }
    bytes.reset();
    if (!game_read) {
        held.put_back();
        return give_up();
    }

    rebuild_hex_piece_counts();
    game_modified = 0;

    // The next save must not overwrite the autosave copy the game was opened from.
    current_game_path = path_without_autosave_suffix(current_game_path);
    remember_game_file(current_game_path);

    if (links_renewed) {
        show_info_box("Updating New Links", "The game file will now be saved with correct links.");
        // Not written: the new link is still only in memory.
        if (!write_saved_game()) game_modified = 1;
    }

    save_recent_games();
    load_info_page_set();
    if (ops_file_version < 202) apply_symbol_order_file();

    // Repairs live in memory only until the game is saved: keep it marked as changed.
    if (repair_game_links() > 0) game_modified = 1;

    los_settings.terrain_ground_levels_in_use = 0;
    for (const auto& t : terrain_los_array)
        if (t.ground_level > 0) los_settings.terrain_ground_levels_in_use = 1;
    return true;
}

int confirm_save_current_game() {
    edit_index = ask_to_save_first("Current Game Not Saved!", save_game_as);
    return edit_index;
}

bool save_game_as() {
    long_operation busy;
    std::optional<std::string> chosen = OpsSaveFileName(current_game_path);
    if (!chosen || chosen->empty()) return false;
    const std::string old_path = current_game_path;
    const std::string new_path = with_extension(*chosen, ".OPS");
    const std::string old_card_base = game_settings.card_set_base_path;
    const std::string old_info_pages = game_settings.info_page_set_path;
    const std::string old_map = linked_map_path, old_set = symbol_set_path;

    if (new_path != old_path) {
        const std::string& base = game_settings.card_set_base_path;
        if (!base.empty() && find_file_case_blind(base + "-C1.SET")) {
            if (!same_folder(base, new_path)) {
                show_info_box(
                    "Copying Card Symbol Files",
                    "Because you are saving this game to a new folder/directory, ZEL will  \n\rautomatically "
                    "copy the playing card bitmap files to that directory as well. \n\rZEL requires card "
                    "files to be in the same directory as the game (.OPS) file.  ");
                copy_card_symbol_files(base, new_path);
                if (message_box("Copy Map and Symbol Files?",
                                "This game's map/board and symbol files lie in another folder.  \n\rWould "
                                "you like to "
                                "copy them to the game's new folder as well?",
                                box_buttons::yes_no, box_icon::question) == box_answer::yes)
                    copy_map_files_to_folder(folder_of(new_path));
            } else if (
                message_box(
                    "Copy Card Symbol Files?",
                    "Because you are not saving this game to a new folder/directory, it is \n\rgenerally not "
                    "necessary to copy the playing card bitmap files to the new \n\rgame name.  However, "
                    "when "
                    "the graphics (.BMP) files are not large, copying \n\rthem will not waste much hard disk "
                    "space, and may make it easier for you to \n\rkeep the game files together.\n\r\n\rWould "
                    "you like to copy the playing card files now?",
                    box_buttons::yes_no, box_icon::question) == box_answer::yes) {
                copy_card_symbol_files(base, new_path);
            }
        }

        const std::string old_index = game_settings.info_page_set_path.empty()
                                          ? with_extension(old_path, ".IPX")
                                          : game_settings.info_page_set_path;
        if (!old_path.empty()) {
            if (auto index = find_file_case_blind(old_index)) {
                const std::string new_index = with_extension(new_path, ".IPX");
                progress_window progress;
                progress.open("", ""); // the pages' own texts follow
                const std::string old_base = without_extension(*index),
                                  new_base = without_extension(new_path);
                // The pages first, the index last: the game is linked to the new index only
                // once every page it names is there (a failed copy is reported and stops).
                bool copied = true;
                for (int n = 0; n <= 9 && copied; ++n) {
                    const std::string digit = std::to_string(n);
                    if (auto text = find_file_case_blind(old_base + ".T" + digit)) {
                        progress.set_label("Copying Text Info Page: " + file_name_of(*text));
                        copied = copy_file_reported(*text, new_base + ".T" + digit);
                    } else if (auto picture = find_file_case_blind(old_base + ".B" + digit)) {
                        progress.set_label("Copying Picture Info Page: " + file_name_of(*picture));
                        copied = copy_file_reported(*picture, new_base + ".B" + digit);
                    }
                    progress.set_position(10 * (n + 1));
                }
                progress.close();
                if (copied && copy_file_reported(*index, new_index))
                    game_settings.info_page_set_path = new_index;
            }
        }
    }

    current_game_path = new_path;
    if (!write_saved_game()) {
        // Not saved there: the game stays under its old name, linked to its old companions.
        current_game_path = old_path;
        game_settings.card_set_base_path = old_card_base;
        game_settings.info_page_set_path = old_info_pages;
        linked_map_path = old_map;
        symbol_set_path = old_set;
        return false;
    }
    return true;
}

void install_game_open_hooks() {
    save_game_elsewhere_hook = save_game_as;
}

bool copy_map_files_to_folder(const std::string& folder) {
    progress_window progress;
    progress.open("Copying Files To New Folder ", "");
    auto stop = [&](const std::string& text) {
        progress.close();
        show_error_box("File Copy Error", text);
        return false;
    };
    auto target = [&](const std::string& path) { return join_path(folder, file_name_of(path)); };
    // A copy that fails is reported by copy_file_reported; the operation then stops.
    auto copy = [&](const std::string& from, const std::string& to) {
        if (copy_file_reported(from, to)) return true;
        progress.close();
        return false;
    };

    auto map = find_file_case_blind(linked_map_path);
    if (!map) return stop("Error: Original Map not found!  Operation cancelled.");

    progress.set_label("Copying symbol files.  Please wait...");
    auto set = find_file_case_blind(symbol_set_path);
    if (!set) return stop("Original Symbol SET File not found!  Operation cancelled.");
    const std::string set_copy = target(*set);
    if (!copy(*set, set_copy)) return false;
    // The piece order goes with the set, or the copy would show the pieces in another order.
    if (auto order = find_file_case_blind(with_extension(*set, ".SDX")))
        if (!copy(*order, target(*order))) return false;
    const std::string set_base = without_extension(*set);
    const char* letters[3] = {"-T", "-U", "-M"};
    // A kind of which the set has no symbols needs no strip (its loader does without); one that
    // is there anyway goes along.
    const std::int32_t kinds_in_set[3] = {symbols->terrain_symbol_count, symbols->piece_symbol_count,
                                          symbols->mask_symbol_count};
    for (int z = 1; z <= 3; ++z)
        for (int kind = 0; kind < 3; ++kind) {
            const std::string name = set_base + letters[kind] + std::to_string(z) + ".BMP";
            auto strip = find_file_case_blind(name);
            if (!strip) {
                if (kinds_in_set[kind] <= 0) continue;
                return stop(file_name_of(name) + " (symbol file) Not Found!  Operation cancelled.");
            }
            if (!copy(*strip, target(*strip))) return false;
        }
    progress.set_position(50);

    progress.set_label("Copying map files.  Please wait...");
    const std::string map_copy = target(*map);
    if (!copy(*map, map_copy)) return false;
    progress.set_position(75);

    progress.set_label("Copying scanned-in map/board files.  Please wait...");
    const std::string map_base = without_extension(*map);
    for (int z = 1; z <= 3; ++z)
        if (auto whole = find_file_case_blind(map_base + "-Z" + std::to_string(z) + ".BMP"))
            if (!copy(*whole, target(*whole))) return false;
    progress.close();

    // Linked to the copies only once every file is there.
    symbol_set_path = set_copy;
    linked_map_path = map_copy;
    return true;
}
