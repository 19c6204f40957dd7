// The pictures of the main window's tool buttons, drawn by the program itself.
#pragma once

#include <QIcon>
#include <QString>

// `name` is the button's object name ("open_button", "zoom_in_button", ...).
QIcon picture_button_icon(const QString& name);
