#include "map_view_paint.h"

#include "data/hooks.h"
#include "data/view_state.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/map_draw.h"
#include "platform/app_services.h"
#include "platform/bitmap_qt.h"

#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
bool redraw_scheduled = false;
}

void connect_map_view(QWidget* mapscreen_frame) {
    install_map_view_hooks();
    redraw_scheduled = false;
    QPointer<QWidget> frame(mapscreen_frame);
    map_screen_update_hook = [frame] {
        if (frame) frame->update();
    };
    redraw_view_hook = [] { redraw_map(); };
    map_clear_info_panels_hook = [] { clear_info_panels_hook(); };
}

bool paint_map_frame(QWidget* frame) {
    // A frame whose size the screen copy does not have gets a redraw once the paint is over:
    // drawing may show a progress window, which has no place inside a paint.
    if (screen_save_bitmap.width() != frame->width() + 2 ||
        screen_save_bitmap.height() != frame->height() + 2) {
        if (!redraw_scheduled) {
            redraw_scheduled = true;
            // Not while the map is drawn: the view keeps the size it is drawn at until then.
            after_long_operation([target = QPointer<QWidget>(frame)] {
                redraw_scheduled = false;
                if (!target) return;
                view_width = target->width();
                view_height = target->height();
                // A redraw for the frame's sake is no user's operation: single-hex redraws
                // stay as they were.
                const std::uint8_t just_redrawn = map_just_redrawn;
                redraw_map();
                map_just_redrawn = just_redrawn;
            });
        }
    }
    QPainter p(frame);
    if (!screen_save_bitmap.is_null()) p.drawImage(0, 0, screen_save_bitmap.native()->image);
    return true;
}
