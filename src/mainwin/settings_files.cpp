#include "settings_files.h"

#include "data/encodings.h"
#include "data/game_open.h"
#include "platform/boxes.h"
#include "platform/files.h"

std::string program_folder;
std::string recent_games[5];
default_path_names_struct default_paths;
preferences_struct preferences;
std::uint8_t ask_place_from_pools = 1, ask_remove_to_pool = 1, auto_place_from_pool = 0, auto_remove_to_pool = 0;
std::uint8_t sort_classes_alphabetically = 1, combat_options = 2, default_comment_to_text = 0, resizable_forms = 0;

std::string program_folder_override;

// The folders and preferences files are not read or written yet: their values keep the defaults.
void set_default_dirs() {
    program_folder = program_folder_override.empty() ? executable_folder() : program_folder_override;
    if (!program_folder.empty() && program_folder.back() != '/') program_folder += '/';
    default_paths = {};
    default_paths.pictures = program_folder + "Pictures/";
    default_paths.sounds = program_folder + "Sounds/";
}
namespace {
constexpr std::size_t max_recent_path = 4096;

std::string recent_games_file() { return program_folder + "LASTGAME.LST"; }
} // namespace

void load_recent_games() {
    auto path = find_file_case_blind(recent_games_file());
    if (!path) return;
    auto data = read_whole_file(*path);
    if (!data) {
        message_box("File Error", "Could not open the file: " + *path, box_buttons::ok, box_icon::exclamation);
        return;
    }
    int slot = 0;
    std::string entry;
    bool too_long = false;
    auto take = [&] {
        if (!too_long && !entry.empty() && file_exists(entry)) recent_games[slot++] = entry;
        entry.clear();
        too_long = false;
    };
    for (std::uint8_t b : *data) {
        if (slot >= 5) break;
        if (b == 0) {
            take();
            continue;
        }
        if (entry.size() >= max_recent_path)
            too_long = true; // no real path is this long: drop the entry
        else
            entry += static_cast<char>(b);
    }
    // Slots after the last entry read keep their text, as the start-up cleared them.
}

void save_recent_games() {
    int found = -1;
    for (int i = 0; i < 5; ++i)
        if (!current_game_path.empty() && recent_games[i] == current_game_path) {
            found = i;
            break;
        }
    int last = found >= 0 ? found : 4;
    for (int i = last; i > 0; --i) recent_games[i] = recent_games[i - 1];
    recent_games[0] = current_game_path;
    byte_buffer out;
    for (const auto& e : recent_games) {
        if (e.empty()) break;
        out.insert(out.end(), e.begin(), e.end());
        out.push_back(0);
    }
    write_file_atomic(recent_games_file(), out); // a failure leaves the old list, without a message
}
void load_preferences() {}
void save_preferences() {}
