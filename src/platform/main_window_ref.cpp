#include "main_window_ref.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget> parent_window;
}

QWidget* dialog_parent() { return parent_window.data(); }
void set_dialog_parent(QWidget* w) { parent_window = w; }
