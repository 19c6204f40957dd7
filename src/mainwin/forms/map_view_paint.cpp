#include "map_view_paint.h"

#include "data/hooks.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_state.h"
#include "platform/bitmap_qt.h"

#include <QPainter>
#include <QPointer>
#include <QWidget>

void connect_map_view(QWidget* mapscreen_frame) {
    install_map_view_hooks();
    QPointer<QWidget> frame(mapscreen_frame);
    map_screen_update_hook = [frame] {
        if (frame) frame->update();
    };
    redraw_view_hook = [] { redraw_map(); };
    map_clear_info_panels_hook = [] { clear_info_panels_hook(); };
}

bool paint_map_frame(QWidget* frame) {
    // A frame that changed size since the last drawing gets buffers of its size and a redraw.
    if (frame->width() != view_width || frame->height() != view_height || !map_buffers_ready) {
        view_width = frame->width();
        view_height = frame->height();
        const std::uint8_t just_redrawn = map_just_redrawn;
        redraw_map();
        map_just_redrawn = just_redrawn;
    }
    QPainter p(frame);
    if (!screen_save_bitmap.is_null()) p.drawImage(0, 0, screen_save_bitmap.native()->image);
    return true;
}
