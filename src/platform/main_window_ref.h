// The window every dialog is parented to (the main window once it exists).
#pragma once

class QWidget;

QWidget* dialog_parent();
void set_dialog_parent(QWidget* w);
