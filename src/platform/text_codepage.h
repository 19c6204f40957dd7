// Conversion between the program's 8-bit code page (Windows-1252) and UTF-8.
#pragma once

#include <string>

std::string cp1252_to_utf8(const std::string& text);
// Characters the code page cannot hold become '?'.
std::string utf8_to_cp1252(const std::string& text);
