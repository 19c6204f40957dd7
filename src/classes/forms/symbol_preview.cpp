#include "symbol_preview.h"

#include "data/symbols.h"
#include "mainwin/settings_files.h"
#include "platform/bitmap_qt.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

void show_piece_symbol_preview(QLabel* box, int symbol) {
    const QSize size = box->size().isValid() && box->width() > 8 ? box->size() : QSize(64, 64);
    QPixmap shown(size);
    const auto& c = preferences.form_colour;
    shown.fill(QColor(c[0], c[1], c[2]));
    const symbol_struct* s = symbols->piece_symbol(symbol);
    for (int z = 2; s && z >= 0; --z) {
        const bitmap& strip = symbols->strips[symbol_kind_piece][z];
        const int w = symbol_extent(s->left[z], s->right[z]), h = symbol_extent(s->top[z], s->bottom[z]);
        if (strip.is_null() || w <= 0 || h <= 0) continue;
        const QImage part = strip.native()->image.copy(s->left[z], s->top[z], w, h);
        QPainter p(&shown);
        const QImage fitted = part.width() > size.width() || part.height() > size.height()
                                  ? part.scaled(size, Qt::KeepAspectRatio)
                                  : part;
        p.drawImage((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2, fitted);
        break;
    }
    box->setPixmap(shown);
}
