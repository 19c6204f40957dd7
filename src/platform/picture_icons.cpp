#include "picture_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cmath>

namespace {
constexpr int size = 24;

void draw_glyph(QPainter& p, const QString& name) {
    QPen ink(QColor(30, 30, 60), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(ink);
    if (name == "open_button") {
        p.setBrush(QColor(230, 190, 80));
        p.drawRect(3, 8, 18, 12);
        p.drawLine(3, 8, 8, 5);
        p.drawLine(8, 5, 12, 8);
    } else if (name == "save_button") {
        p.setBrush(QColor(70, 110, 190));
        p.drawRect(4, 4, 16, 16);
        p.setBrush(Qt::white);
        p.drawRect(8, 4, 8, 6);
    } else if (name == "zoom_in_button" || name == "zoom_out_button") {
        p.setBrush(Qt::white);
        p.drawEllipse(QPoint(10, 10), 6, 6);
        p.drawLine(14, 14, 21, 21);
        p.drawLine(7, 10, 13, 10);
        if (name == "zoom_in_button") p.drawLine(10, 7, 10, 13);
    } else if (name == "redraw_button") {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(4, 4, 16, 16), 30 * 16, 300 * 16);
        p.drawLine(18, 5, 19, 10);
        p.drawLine(19, 10, 14, 10);
    } else if (name == "roll_die_button") {
        p.setBrush(Qt::white);
        p.drawRoundedRect(4, 4, 16, 16, 3, 3);
        p.setBrush(QColor(30, 30, 60));
        for (QPoint c : {QPoint(8, 8), QPoint(12, 12), QPoint(16, 16)}) p.drawEllipse(c, 1, 1);
    } else if (name == "comment_button") {
        p.setBrush(QColor(255, 255, 200));
        p.drawRoundedRect(3, 4, 18, 12, 3, 3);
        p.drawLine(8, 16, 6, 21);
        p.drawLine(6, 21, 12, 16);
    } else if (name == "cycle_button" || name == "gen_1" || name == "gen_2") {
        bool back = name == "gen_1";
        p.setBrush(QColor(90, 160, 90));
        QPolygonF arrow;
        if (back)
            arrow << QPointF(19, 5) << QPointF(5, 12) << QPointF(19, 19);
        else
            arrow << QPointF(5, 5) << QPointF(19, 12) << QPointF(5, 19);
        p.drawPolygon(arrow);
        if (name == "cycle_button") p.drawLine(3, 21, 21, 21);
    } else if (name == "new_button") {
        p.setBrush(QColor(200, 150, 90));
        p.drawRect(4, 12, 16, 8);
        p.drawLine(12, 3, 12, 10);
        p.drawLine(8, 6, 16, 6);
    } else if (name == "goto_button") {
        p.setBrush(QColor(220, 70, 70));
        QPainterPath pin;
        pin.moveTo(12, 21);
        pin.cubicTo(2, 10, 6, 3, 12, 3);
        pin.cubicTo(18, 3, 22, 10, 12, 21);
        p.drawPath(pin);
        p.setBrush(Qt::white);
        p.drawEllipse(QPoint(12, 9), 2, 2);
    } else if (name == "ScreenShot") {
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(3, 7, 18, 12);
        p.setBrush(Qt::white);
        p.drawEllipse(QPoint(12, 13), 4, 4);
        p.drawRect(8, 4, 6, 3);
    } else if (name == "gen_3") {
        p.setBrush(QColor(210, 50, 50));
        QPolygonF oct;
        for (int i = 0; i < 8; ++i) {
            double a = (22.5 + 45.0 * i) * 3.14159265 / 180.0;
            oct << QPointF(12 + 9 * std::cos(a), 12 + 9 * std::sin(a));
        }
        p.drawPolygon(oct);
    } else if (name == "undo_button") {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRect(6, 6, 14, 12), 270 * 16, 270 * 16);
        p.drawLine(6, 12, 3, 8);
        p.drawLine(6, 12, 10, 9);
    } else if (name == "ok_button") {
        p.setPen(QPen(QColor(30, 130, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(4, 13, 10, 19);
        p.drawLine(10, 19, 20, 5);
    } else {
        p.drawRect(4, 4, 16, 16);
    }
}
} // namespace

QIcon picture_button_icon(const QString& name) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        draw_glyph(p, name);
    }
    return QIcon(pm);
}
