// Conversion between the program's 8-bit code page (Windows-1252) and UTF-8.
#pragma once

#include <string>

std::string cp1252_to_utf8(const std::string& text);
// Characters the code page cannot hold become '?'.
std::string utf8_to_cp1252(const std::string& text);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool is_valid_utf8(const std::string& text);

// A path as a file stores it, turned into the file system's text: the bytes as they stand when
// they are UTF-8 (what this program writes), else read as the code page (files written on the
// old system).
std::string stored_path_to_native(const std::string& stored);

// Text for the screen that may join names (code page) and paths (UTF-8), as messages do: read
// as UTF-8 when it is well-formed UTF-8 (a code-page name with accents rarely is), else as the
// code page.
std::string mixed_text_to_utf8(const std::string& text);
