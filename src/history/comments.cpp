#include "comments.h"

#include "data/history_stream.h"
#include "data/records.h"

std::string comment_folder;

namespace {
std::size_t name_start(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}
} // namespace

bool record_text_comment(const std::string& text) {
    if (text.empty()) return false;
    return append_comment_record(comment_text, text) >= 0;
}

bool record_file_comment(int kind, const std::string& path) {
    const std::size_t at = name_start(path);
    const std::string name = path.substr(at);
    if (name.empty() || append_comment_record(kind, name) < 0) return false;
    if (comment_folder.empty() && at > 0) comment_folder = path.substr(0, at);
    return true;
}

std::string comment_file_path(const std::string& name) {
    if (comment_folder.empty()) return name;
    const char last = comment_folder.back();
    return last == '/' || last == '\\' ? comment_folder + name : comment_folder + "/" + name;
}

std::string comment_author(std::int64_t player) {
    const auto& players = game->player_array;
    if (player < 0 || player >= max_players || static_cast<std::size_t>(player) >= players.size())
        return "Visitor";
    for (std::int64_t i = 0; i <= player; ++i)
        if (players[static_cast<std::size_t>(i)].name[0] == 0) return "Visitor";
    return name_of(players[static_cast<std::size_t>(player)].name);
}
