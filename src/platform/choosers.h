// File choosers as game logic sees them. Paths are in the program's 8-bit code page.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct file_filter {
    std::string description; // as shown: "ZEL Saved Games (*.OPS)"; the patterns come from the brackets
    std::string pattern;     // "*.OPS"; letter case is ignored when matching
};

struct file_chooser_request {
    std::string title;
    std::vector<file_filter> filters;
    std::string start_folder;
    std::string start_name; // the name proposed in the name field
    bool save = false;      // a save chooser (the file need not exist)
    std::string name;       // object name of the dialog (the form it serves)
};

// Runs the chooser modally; the chosen path, or nullopt when cancelled. Under a
// scripted_responder the queued text answer is returned (kind "chooser", caption = title, text =
// the patterns joined by ';'), unless the responder lets choosers through.
std::optional<std::string> choose_file(const file_chooser_request& request);

// True when another program holds the file locked against what we mean to do with it: reading
// (a write lock is held) or, for writing, any lock.
bool chosen_file_is_held_open(const std::string& path, bool for_writing);

// The colour dialog, opened on the given colour; the colour chosen, or nullopt when cancelled.
// Under a scripted_responder the queued text answer "r,g,b" is the choice (kind "colour",
// caption = title); no answer or one that is not three numbers 0..255 is a cancel.
std::optional<std::array<std::uint8_t, 3>> choose_colour(const std::string& title,
                                                         const std::array<std::uint8_t, 3>& start);
