#include "mainwin/preference_values.h"

#include "data/records.h"
#include "mainwin/settings_files.h"
#include "players/visibility.h"

#include <algorithm>
#include <cstring>

std::uint8_t combat_mask_from_ticks(const std::array<bool, 8>& ticks) {
    std::uint8_t mask = 0;
    for (int n = 0; n < 8; ++n)
        if (ticks[n]) mask = static_cast<std::uint8_t>(mask | (1u << n));
    return mask;
}

std::array<bool, 8> combat_ticks_from_mask(std::uint8_t mask) {
    std::array<bool, 8> ticks{};
    for (int n = 0; n < 8; ++n)
        ticks[n] = (mask & (1u << n)) != 0;
    return ticks;
}

std::array<bool, 8> combat_values_in_use(bool for_classes) {
    std::array<bool, 8> used{};
    if (!game) return used;
    auto mark = [&used](const std::uint8_t(&types)[8]) {
        for (int n = 0; n < 8; ++n)
            if (types[n] == 1) used[n] = true;
    };
    if (for_classes) {
        for (const auto& c : game->class_array) {
            if (c.symbol == class_end) break;
            if (c.symbol != class_free) mark(c.value_types);
        }
    } else {
        const std::size_t end =
            std::min(game->piece_array.size(), static_cast<std::size_t>(std::max(0, game->piece_end_index)));
        for (std::size_t i = 0; i < end; ++i) {
            const auto& p = game->piece_array[i];
            // Only values the logged-on player may know: a box must not tell of a hidden piece.
            if (p.location != location_free && p.location != location_end &&
                get_piece_visibility(static_cast<int>(i)) == visibility_full)
                mark(p.value_types);
        }
    }
    return used;
}

std::string combat_value_caption(const char (&name)[15]) {
    std::string text(name, strnlen(name, sizeof name));
    return text.empty() ? "(Not Named)" : text;
}

int scroll_jump_choice_index(std::uint8_t size) {
    for (std::size_t i = 0; i < scroll_jump_choices.size(); ++i)
        if (scroll_jump_choices[i] == size) return static_cast<int>(i);
    return 4; // "10"
}

std::uint8_t scroll_jump_size_of_choice(int index) {
    if (index < 0 || index >= static_cast<int>(scroll_jump_choices.size())) return 10;
    return scroll_jump_choices[static_cast<std::size_t>(index)];
}

int autosave_period_shown(int minutes) {
    int m = std::clamp(minutes, 5, 60);
    return m - m % 5;
}

std::string default_dir_chooser_title(int box) {
    static const char* const titles[5] = {"Pick Default Picture Folder (by selecting any file in new folder)",
                                          "Pick Default Sound Folder (by selecting any file in new folder)",
                                          "Pick Default Game Folder (by selecting any file in new folder)",
                                          "Pick Default Player Folder (by selecting any file in new folder)",
                                          "Pick Default Video Folder (by selecting any file in new folder)"};
    return titles[std::clamp(box, 0, 4)];
}

std::string default_dir_missing_message(int box) {
    static const char* const names[5] = {"picture default", "sound default", "saved game default",
                                         "player pictures default", "video default"};
    return std::string("The path selected for the ") + names[std::clamp(box, 0, 4)] +
           " does not exist! \n\rWould you like to change the path now? \n\rSelect Yes to edit, No to "
           "leave path unchanged, or abort the entire operation";
}

std::string& default_dir_value(int box) {
    switch (box) {
    case dir_pictures:
        return default_paths.pictures;
    case dir_sounds:
        return default_paths.sounds;
    case dir_games:
        return default_paths.games;
    case dir_player_pictures:
        return default_paths.player_pictures;
    default:
        return default_paths.video_clips;
    }
}

bool game_has_classes() {
    if (!game) return false;
    for (const auto& c : game->class_array) {
        if (c.symbol == class_end) break;
        if (c.symbol != class_free) return true;
    }
    return false;
}

std::string default_dir_with_separator(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    return folder;
}
