// Fonts by the program's names ("8.MS Sans Serif.Bold") for the widgets of forms, matched as the
// canvas matches them.
#pragma once

#include <QFont>

#include <string>

QFont font_by_name(const std::string& name);
