#include "cursors.h"

#include <QPainter>
#include <QPixmap>

namespace {
QPixmap blank_cursor_pixmap() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    return pm;
}
} // namespace

QCursor make_map_cursor() {
    QPixmap pm = blank_cursor_pixmap();
    QPainter p(&pm);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(16, 3, 16, 29);
    p.drawLine(3, 16, 29, 16);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(16, 3, 16, 29);
    p.drawLine(3, 16, 29, 16);
    p.drawEllipse(QPoint(16, 16), 6, 6);
    return QCursor(pm, 16, 16);
}

QCursor make_zoom_cursor() {
    QPixmap pm = blank_cursor_pixmap();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPoint(12, 12), 8, 8);
    p.drawLine(18, 18, 28, 28);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPoint(12, 12), 8, 8);
    p.drawLine(18, 18, 28, 28);
    p.drawLine(8, 12, 16, 12);
    p.drawLine(12, 8, 12, 16);
    return QCursor(pm, 12, 12);
}
