// Comments in the history: a text, or a picture, sound or video clip named by its file.
#pragma once

#include <cstdint>
#include <string>

constexpr int comment_text = 1, comment_picture = 2, comment_sound = 3, comment_video = 4;

// The folder comment files are looked for in and offered from first; empty until the first file
// is picked.
extern std::string comment_folder;

// A text comment (nothing for an empty text). True when recorded.
bool record_text_comment(const std::string& text);
// A file comment: only the file's name is recorded; the first file sets comment_folder.
bool record_file_comment(int kind, const std::string& path);
// Where a comment's file is looked for.
std::string comment_file_path(const std::string& name);
// Who made a comment: a player's name, or "Visitor" for a visitor (255) and for nobody (250).
std::string comment_author(std::int64_t player_byte);
