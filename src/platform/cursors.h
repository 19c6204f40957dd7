// The program's own cursors: the map cursor (a cross hair) and the zoom cursor (a magnifier).
#pragma once

#include <QCursor>

QCursor make_map_cursor();
QCursor make_zoom_cursor();
