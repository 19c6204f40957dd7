#include "settings_files.h"

#include "data/encodings.h"
#include "data/game_file.h"
#include "data/message_boxes.h"
#include "data/options.h"
#include "platform/files.h"
#include "platform/text_codepage.h"

#include <algorithm>
#include <optional>
#include <vector>

std::string program_folder;
std::string program_folder_override;
std::string recent_games[5];
default_path_names_struct default_paths;
preferences_struct preferences;
// info_panel_height and info_panel_width are defined with the view state (view_state.cpp).
std::function<void()> read_info_panel_size_hook;

namespace {
constexpr std::size_t max_recent_path = 4096;

// Pairs are two base-250 digits, so they cannot hold a negative number. "Not remembered" (-1)
// is written as the highest pair, 249 249; nothing real is that large.
constexpr int pair_max = 62499;
constexpr int pair_not_remembered = pair_max;

constexpr int default_window_width = 620, default_window_height = 440;
constexpr int min_window_width = 560, min_window_height = 300;
constexpr int taskbar_allowance = 30;

std::string settings_file(const char* name) {
    return program_folder + name;
}

// The file as it exists, whatever its letter case; else the name we write.
std::string existing_or_new(const char* name) {
    auto found = find_file_case_blind(settings_file(name));
    return found ? *found : settings_file(name);
}

void put_pair(byte_buffer& out, int v) {
    v = std::clamp(v, 0, pair_max);
    out.push_back(static_cast<std::uint8_t>(v / 250));
    out.push_back(static_cast<std::uint8_t>(v % 250));
}

// A pair read at `at`; nullopt when its digits are not base-250 digits.
std::optional<int> get_pair(const byte_buffer& in, std::size_t at) {
    if (in[at] >= 250 || in[at + 1] >= 250) return std::nullopt;
    return in[at] * 250 + in[at + 1];
}

void put_remembered_size(byte_buffer& out, int v) {
    put_pair(out, v < 0 ? pair_not_remembered : v);
}

int get_remembered_size(const byte_buffer& in, std::size_t at) {
    auto v = get_pair(in, at);
    if (!v || *v == pair_not_remembered) return -1;
    return *v;
}

std::uint8_t flag_or(std::uint8_t b, std::uint8_t fallback) {
    return b <= 1 ? b : fallback;
}

screen_rect centred_window(const screen_rect& area) {
    return {area.x + (area.width - default_window_width) / 2,
            area.y + (area.height - default_window_height) / 2, default_window_width, default_window_height};
}

namespace {
// The settings files live in the program's folder, which an installed program's user may not be
// able to write: that is said once a run, and the program goes on with its settings in memory.
bool settings_written(const std::string& path, const byte_buffer& bytes) {
    static std::string told_for; // the program folder whose settings could not be kept
    if (write_file_atomic(path, bytes)) return true;
    if (told_for != program_folder) {
        told_for = program_folder;
        show_error_box("Settings Not Saved",
                       write_failure_text(path) +
                           "\n\rThe program's settings and its list of recent games cannot be kept in its "
                           "folder;\n\rthey hold for this run only. Your games are not affected.");
    }
    return false;
}
} // namespace

bool write_preferences_file() {
    const std::string path = existing_or_new(preferences_file_name);
    return settings_written(path, encode_preferences());
}

std::string with_separator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}
} // namespace

screen_rect fit_window_to_screen(screen_rect w, const screen_rect& area) {
    const int W = area.width, H = area.height;
    if (w.width > W) w.width = W;
    if (w.width < min_window_width) w.width = min_window_width;
    if (w.x - area.x + w.width > W) w.x = area.x + W - w.width;
    if (w.x < area.x) w.x = area.x;
    if (w.height > H - taskbar_allowance) w.height = H - taskbar_allowance;
    if (w.height < min_window_height) w.height = min_window_height;
    if (w.y - area.y + w.height + taskbar_allowance > H) w.y = area.y + H - taskbar_allowance - w.height;
    if (w.y < area.y) w.y = area.y;
    return w;
}

// ---- default folders ----

void set_default_dirs() {
    program_folder =
        with_separator(program_folder_override.empty() ? executable_folder() : program_folder_override);
    default_paths = {};
    default_paths.pictures = program_folder + "Pictures/";
    default_paths.sounds = program_folder + "Sounds/";

    auto path = find_file_case_blind(settings_file(default_dirs_file_name));
    if (!path) return;
    auto data = read_whole_file(*path);
    if (!data) {
        show_info_box("Could not open 'ZEL_DIRS.LST' (list of default directories) in:", program_folder);
        return;
    }

    std::string* folders[5] = {&default_paths.pictures, &default_paths.sounds, &default_paths.games,
                               &default_paths.player_pictures, &default_paths.video_clips};
    const char* fallbacks[5] = {"Pictures/", "Sounds/", "Game Sets/", "Player Pics/", "Video Clips/"};
    int k = 0;
    std::string entry;
    for (std::uint8_t b : *data) {
        if (k >= 5) break;
        if (b == ';') {
            *folders[k++] = stored_path_to_native(entry);
            entry.clear();
        } else if (entry.size() < max_recent_path) {
            entry += static_cast<char>(b);
        }
    }

    std::string last_passed;
    for (int i = 0; i < 5; ++i) {
        std::string& f = *folders[i];
        std::optional<std::string> found;
        if (!f.empty()) found = find_file_case_blind(f);
        if (found && path_is_folder(*found)) {
            f = with_separator(*found);
        } else {
            std::string fallback = program_folder + fallbacks[i];
            f = path_is_folder(fallback) ? fallback : std::string();
        }
        if (!f.empty()) last_passed = f;
    }
    if (!last_passed.empty()) set_current_folder(last_passed);
}

bool save_default_dirs() {
    const std::string* folders[5] = {&default_paths.pictures, &default_paths.sounds, &default_paths.games,
                                     &default_paths.player_pictures, &default_paths.video_clips};
    byte_buffer out;
    for (const std::string* f : folders) {
        out.insert(out.end(), f->begin(), f->end());
        out.push_back(';');
    }
    std::string path = existing_or_new(default_dirs_file_name);
    if (!write_file_atomic(path, out)) {
        show_error_box("File Error", write_failure_text(path) + "\n\rThe folders hold for this run only.");
        return false;
    }
    show_info_box("Action Complete",
                  "The new default values were saved successfully to the file:  \n\r" + path);
    return true;
}

// ---- recent games ----

namespace {
// The games the recent-games file lists now, at most five whose files are there; nullopt (after
// its box) when the file is there but cannot be read.
std::optional<std::vector<std::string>> recent_games_on_disk() {
    std::vector<std::string> listed;
    auto path = find_file_case_blind(settings_file(recent_games_file_name));
    if (!path) return listed;
    auto data = read_whole_file(*path);
    if (!data) {
        show_error_box("File Error", "Could not open the file: " + *path);
        return std::nullopt;
    }
    std::string entry;
    bool too_long = false;
    for (std::uint8_t b : *data) {
        if (listed.size() >= 5) break;
        if (b == 0) {
            // A game that was deleted, or a path no real file can have, is dropped.
            const std::string game_path = stored_path_to_native(entry);
            if (!too_long && file_exists(game_path)) listed.push_back(game_path);
            entry.clear();
            too_long = false;
        } else if (entry.size() >= max_recent_path) {
            too_long = true;
        } else {
            entry += static_cast<char>(b);
        }
    }
    return listed;
}
} // namespace

void load_recent_games() {
    // The list is what the file holds now: no slot keeps an entry of an earlier reading.
    for (auto& r : recent_games)
        r.clear();
    const auto listed = recent_games_on_disk();
    if (!listed) return;
    for (std::size_t i = 0; i < listed->size(); ++i)
        recent_games[i] = (*listed)[i];
}

bool save_recent_games() {
    // A game never saved has no path: putting an empty entry first would end the list there.
    if (current_game_path.empty()) return false;
    // The game first, then what the file lists now (another copy of the program may have added
    // to it since this one read it), then what this copy knew; each game once, five at most.
    std::vector<std::string> merged{current_game_path};
    auto take = [&](const std::string& p) {
        if (!p.empty() && merged.size() < 5 && std::find(merged.begin(), merged.end(), p) == merged.end())
            merged.push_back(p);
    };
    if (const auto listed = recent_games_on_disk())
        for (const auto& p : *listed)
            take(p);
    for (const auto& p : recent_games)
        take(p);
    for (std::size_t i = 0; i < 5; ++i)
        recent_games[i] = i < merged.size() ? merged[i] : std::string();
    byte_buffer out;
    for (const auto& e : recent_games) {
        if (e.empty()) break;
        out.insert(out.end(), e.begin(), e.end());
        out.push_back(0);
    }
    return settings_written(existing_or_new(recent_games_file_name), out);
}

// ---- preferences ----

std::string preferences_file_path() {
    return existing_or_new(preferences_file_name);
}

std::vector<std::uint8_t> encode_preferences() {
    byte_buffer out;
    const preferences_struct& p = preferences;
    put_pair(out, p.print_resolution);
    for (int v : {p.aspect_width, p.aspect_height, p.print_setting_1, p.print_setting_2})
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    for (std::uint8_t f :
         {ask_place_from_pools, ask_remove_to_pool, auto_place_from_pool, auto_remove_to_pool})
        out.push_back(f ? 1 : 0);
    out.push_back(sort_classes_alphabetically);
    out.push_back(combat_options);
    out.push_back(rmb_mode);
    out.insert(out.end(), p.form_colour, p.form_colour + 3);
    out.push_back(p.show_new_game_help);
    // A window partly off the left or top edge is written at the edge.
    put_pair(out, std::max(0, p.window_x));
    put_pair(out, std::max(0, p.window_y));
    put_pair(out, p.window_width);
    put_pair(out, p.window_height);
    out.push_back(default_comment_to_text);
    out.push_back(autosave_on);
    out.push_back(resizable_forms);
    put_remembered_size(out, info_panel_height);
    put_remembered_size(out, info_panel_width);
    return out;
}

void decode_preferences(const std::vector<std::uint8_t>& in, const screen_rect& work_area) {
    const std::size_t n = in.size();
    auto has = [&](std::size_t at, std::size_t size) { return at + size <= n; };
    preferences_struct& p = preferences;

    resizable_forms = 0;
    // What the file does not hold takes its default.
    preferences_struct defaults;
    p = defaults;
    ask_place_from_pools = 1;
    ask_remove_to_pool = 1;
    auto_place_from_pool = 0;
    auto_remove_to_pool = 0;
    sort_classes_alphabetically = 1;
    combat_options = 2;
    rmb_mode = 0;

    if (has(0, 2)) p.print_resolution = get_pair(in, 0).value_or(defaults.print_resolution);
    if (has(2, 1)) p.aspect_width = in[2];
    if (has(3, 1)) p.aspect_height = in[3];
    if (has(4, 1)) p.print_setting_1 = in[4];
    if (has(5, 1)) p.print_setting_2 = in[5];
    std::uint8_t* pool_flags[4] = {&ask_place_from_pools, &ask_remove_to_pool, &auto_place_from_pool,
                                   &auto_remove_to_pool};
    for (int i = 0; i < 4; ++i)
        if (has(6 + i, 1)) *pool_flags[i] = in[6 + i] ? 1 : 0;
    if (has(10, 1)) sort_classes_alphabetically = flag_or(in[10], 1);
    if (has(11, 1)) combat_options = in[11];
    if (has(12, 1)) rmb_mode = in[12] <= 6 ? in[12] : 0; // the seven right-button modes
    if (has(13, 3)) std::copy(in.begin() + 13, in.begin() + 16, p.form_colour);
    if (has(16, 1)) p.show_new_game_help = flag_or(in[16], 1);

    screen_rect window = centred_window(work_area);
    if (has(17, 8)) {
        auto x = get_pair(in, 17), y = get_pair(in, 19), w = get_pair(in, 21), h = get_pair(in, 23);
        if (x && y && w && h) window = {*x, *y, *w, *h};
    }
    window = fit_window_to_screen(window, work_area);
    p.window_x = window.x;
    p.window_y = window.y;
    p.window_width = window.width;
    p.window_height = window.height;

    // The last bytes came later: a file without them keeps the values in memory.
    if (has(25, 1)) default_comment_to_text = flag_or(in[25], 0);
    if (has(26, 1)) autosave_on = in[26] <= 60 ? in[26] : 0; // minutes, at most an hour
    if (has(27, 1)) resizable_forms = flag_or(in[27], 0);
    if (has(28, 2)) info_panel_height = get_remembered_size(in, 28);
    if (has(30, 2)) info_panel_width = get_remembered_size(in, 30);
}

void load_preferences(const screen_rect& work_area) {
    if (auto path = find_file_case_blind(settings_file(preferences_file_name))) {
        if (auto data = read_whole_file(*path)) {
            decode_preferences(*data, work_area);
            return;
        }
    }
    // No file (or none that opens): the defaults, written at once.
    decode_preferences({}, work_area);
    write_preferences_file();
}

bool save_preferences() {
    if (read_info_panel_size_hook) read_info_panel_size_hook();
    return write_preferences_file(); // a failure leaves the old file, without a message
}
