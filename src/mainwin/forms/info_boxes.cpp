#include "info_boxes.h"

#include "main_form.h"
#include "play/forms/additional_instruction_form.h"
#include "ui_main_form.h"

#include "data/board.h"
#include "data/options.h"
#include "data/view_state.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/info_panel.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_geometry.h"
#include "platform/bitmap_qt.h"

#include <QPainter>
#include <QPointer>
#include <QToolButton>

#include <algorithm>

namespace {

// Where a split bar was pressed, in the bar's own coordinates; none while it is not held.
struct split_drag {
    bool held = false;
    QPoint from;
};
split_drag vsplit_drag, hsplit_drag;

constexpr int min_box_width = 40;
constexpr int min_map_height = 40;

void paint_box(QWidget* box, const bitmap& panel) {
    QPainter p(box);
    if (!panel.is_null()) p.drawImage(0, 0, panel.native()->image);
}

void show_cycle_buttons(Ui::main_form& ui, bool on) {
    for (QToolButton* b : {ui.gen_1, ui.gen_2, ui.gen_3}) {
        b->setVisible(on);
        b->setEnabled(on);
    }
}

void relayout_now(main_form& f) {
    event_data e;
    e.id = ResizeEvent;
    e.old_size = e.new_size = f.frame_size();
    f.on_resize(e);
    // The buffers are made again for the new view size at the next paint.
    map_buffers_ready = 0;
    f.controls().mapscreen_frame->update();
}

void connect_split(main_form& f, QWidget* bar, split_drag& drag, bool vertical) {
    f.set_event_handlers(bar, {
                                  {MouseDownEvent,
                                   [&drag](QObject*, event_data& e) {
                                       if (e.button != Qt::LeftButton) return false;
                                       drag.held = true;
                                       drag.from = e.pos;
                                       return false;
                                   }},
                                  {MouseUpEvent,
                                   [&f, &drag, vertical](QObject*, event_data& e) {
                                       if (!drag.held || e.button != Qt::LeftButton) return false;
                                       drag.held = false;
                                       const QPoint d = e.pos - drag.from;
                                       if (vertical)
                                           drag_vsplit(f, d.x());
                                       else
                                           drag_hsplit(f, d.y());
                                       return false;
                                   }},
                                  {NullEvent, nullptr},
                              });
}

} // namespace

void connect_info_boxes(main_form& f) {
    Ui::main_form& ui = f.controls();
    QPointer<QWidget> unit_box(ui.unit_info_box), hex_box(ui.hex_info_box);
    info_panels_changed_hook = [unit_box, hex_box] {
        if (unit_box) unit_box->update();
        if (hex_box) hex_box->update();
    };
    // The hooks outlive the window: they hold it by a guarded pointer.
    QPointer<main_form> window(&f);
    piece_cycle_ended_hook = [window] {
        if (window) show_cycle_buttons(window->controls(), false);
    };
    f.set_event_handlers(ui.unit_info_box, {{PaintEvent, [&f](QObject*, event_data&) {
                                                 paint_box(f.controls().unit_info_box, unit_panel_bitmap);
                                                 return true;
                                             }}});
    f.set_event_handlers(ui.hex_info_box, {{PaintEvent, [&f](QObject*, event_data&) {
                                                paint_box(f.controls().hex_info_box, hex_panel_bitmap);
                                                return true;
                                            }}});
    ui.mapscreen_frame->setMouseTracking(true);
    f.set_event_handlers(ui.mapscreen_frame, {{MouseMoveEvent, [&f](QObject*, event_data& e) {
                                                   refresh_info_boxes_at(f, e.pos.x(), e.pos.y());
                                                   return false;
                                               }}});
    connect_split(f, ui.vsplit_1, vsplit_drag, true);
    connect_split(f, ui.hsplit_1, hsplit_drag, false);

    f.set_event_handlers(ui.gen_1, {{ClickEvent, [](QObject*, event_data&) {
                                         cycle_to_next_piece(-1);
                                         return false;
                                     }}});
    f.set_event_handlers(ui.gen_2, {{ClickEvent, [](QObject*, event_data&) {
                                         cycle_to_next_piece(1);
                                         return false;
                                     }}});
    f.set_event_handlers(ui.gen_3, {{ClickEvent, [&f](QObject*, event_data&) {
                                         if (operation_mode == 6) f.stop_pool_placement();
                                         end_map_operation_hook();
                                         if (cycle_start >= 0) end_piece_cycle();
                                         return false;
                                     }}});
    f.set_event_handlers(ui.cycle_button, {{ClickEvent, [&f](QObject*, event_data&) {
                                                if (cycle_units_form_hook) cycle_units_form_hook();
                                                if (cycle_start >= 0) {
                                                    show_instruction(instruction_cycle);
                                                    cycle_position = -1;
                                                    show_cycle_buttons(f.controls(), true);
                                                }
                                                return false;
                                            }}});
    last_info_hex = -1;
    size_info_panels(f);
}

void size_info_panels(main_form& f) {
    Ui::main_form& ui = f.controls();
    set_info_panel_sizes(ui.unit_info_box->width(), ui.unit_info_box->height(), ui.hex_info_box->width(),
                         ui.hex_info_box->height());
}

void refresh_info_boxes_at(main_form& f, int x, int y) {
    map_mouse_x = x;
    map_mouse_y = y;
    if (!map_loaded() || view_ready == 0) return;
    if (!show_hex_panels_at(x, y)) return;
    f.controls().unit_info_box->repaint();
    f.controls().hex_info_box->repaint();
}

void drag_vsplit(main_form& f, int d) {
    Ui::main_form& ui = f.controls();
    if (d == 0) return;
    // Both boxes keep a usable width.
    const int unit_width = ui.unit_info_box->width(), hex_width = ui.hex_info_box->width();
    d = std::clamp(d, min_box_width - unit_width, hex_width - min_box_width);
    if (unit_width + d < min_box_width || hex_width - d < min_box_width) return;
    info_panel_width = hex_width - d;
    info_panel_height = ui.hex_info_box->height();
    relayout_now(f);
}

void drag_hsplit(main_form& f, int d) {
    Ui::main_form& ui = f.controls();
    if (d == 0) return;
    const int height = ui.hex_info_box->height();
    // The boxes keep their least height, the map a usable one.
    const int most = height + ui.mapscreen_frame->height() - min_map_height;
    const int new_height = std::clamp(height - d, info_box_min_height, std::max(info_box_min_height, most));
    if (new_height == height) return;
    info_panel_height = new_height;
    info_panel_width = ui.hex_info_box->width();
    relayout_now(f);
}
