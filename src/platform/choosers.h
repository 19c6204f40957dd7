// File choosers as game logic sees them. Paths are in the program's 8-bit code page.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct file_filter {
    std::string description; // "Saved Games (*.OPS)"
    std::string pattern;     // "*.OPS"; letter case is ignored when matching
};

struct file_chooser_request {
    std::string title;
    std::vector<file_filter> filters;
    std::string start_folder;
    std::string start_name;  // the name proposed in the name field
    bool save = false;       // a save chooser (the file need not exist)
};

// Runs the chooser modally; the chosen path, or nullopt when cancelled. Under a
// scripted_responder the queued text answer is returned (kind "chooser", caption = title).
std::optional<std::string> choose_file(const file_chooser_request& request);
