// Text crossing between the program's 8-bit strings and Qt widgets.
#pragma once

#include "text_codepage.h"

#include <QString>
#include <string>

inline QString to_qstring(const std::string& text) { return QString::fromStdString(cp1252_to_utf8(text)); }
inline std::string from_qstring(const QString& text) { return utf8_to_cp1252(text.toStdString()); }
