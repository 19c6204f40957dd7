// Text crossing between the program's 8-bit strings and Qt widgets.
#pragma once

#include "text_codepage.h"

#include <QString>
#include <string>

// Names and texts of the records: the code page.
inline QString to_qstring(const std::string& text) {
    return QString::fromStdString(cp1252_to_utf8(text));
}
inline std::string from_qstring(const QString& text) {
    return utf8_to_cp1252(text.toStdString());
}

// Paths: the file system's own text (UTF-8), never put through the code page.
inline QString path_to_qstring(const std::string& path) {
    return QString::fromStdString(path);
}
inline std::string path_from_qstring(const QString& path) {
    return path.toStdString();
}

// Messages, captions and labels, which may join names and paths.
inline QString mixed_to_qstring(const std::string& text) {
    return QString::fromStdString(mixed_text_to_utf8(text));
}
