// The view commands of the main window: redraw, zoom out, and zoom in at the next map click.
#include "main_form.h"

#include "ui_main_form.h"

#include "data/board.h"
#include "data/options.h"
#include "data/view_state.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_geometry.h"
#include "platform/app_services.h"

#include <QMouseEvent>
#include <QToolButton>

namespace {
// The mode a zoom click goes back to.
std::int32_t saved_operation_mode = 0;
} // namespace

void main_form::hook_view_commands() {
    set_event_handlers(controls().redraw_button, {{ClickEvent, [this](QObject*, event_data&) {
                                                       view_refresh();
                                                       return false;
                                                   }}});
    set_event_handlers(controls().zoom_out_button, {{ClickEvent, [this](QObject*, event_data&) {
                                                         zoom_out_command();
                                                         return false;
                                                     }}});
    set_event_handlers(controls().zoom_in_button, {{ClickEvent, [this](QObject*, event_data&) {
                                                        zoom_in_command();
                                                        return false;
                                                    }}});
}

void main_form::view_refresh() {
    if (!map_loaded()) return;
    view_ready = 0;
    show_busy_cursor(true);
    redraw_map();
    set_scroll_bars();
    show_busy_cursor(false);
    controls().mapscreen_frame->setCursor(current_map_cursor);
    view_ready = 1;
}

void main_form::set_zoom_buttons() {
    controls().zoom_in_button->setEnabled(zoom_level < 2);
    controls().zoom_out_button->setEnabled(zoom_level > 0);
}

void main_form::zoom_out_command() {
    if (!map_loaded()) return;
    show_busy_cursor(true);
    zoom_out();
    set_zoom_buttons();
    set_scroll_bars();
    show_busy_cursor(false);
    controls().mapscreen_frame->setCursor(current_map_cursor);
}

void main_form::zoom_in_command() {
    if (!map_loaded() || zoom_level >= 2) return;
    // Not twice: a second press must not save the zoom mode as the one to return to.
    if (operation_mode != 1) saved_operation_mode = operation_mode;
    operation_mode = 1;
    current_map_cursor = zoom_cursor;
    controls().mapscreen_frame->setCursor(current_map_cursor);
    set_status_text(4);
}

bool main_form::zoom_click(int x, int y) {
    show_busy_cursor(true);
    view_ready = 0;
    operation_mode = saved_operation_mode;
    map_mouse_x = x;
    map_mouse_y = y;
    zoom_in_at_hex();
    set_scroll_bars();
    set_zoom_buttons();
    view_ready = 1;
    current_map_cursor = map_cursor;
    controls().mapscreen_frame->setCursor(current_map_cursor);
    show_busy_cursor(false);
    set_status_text(operation_mode == 0 ? 1 : status_mode);
    return true;
}
