// Where the controls of the main window go when it is resized. Sizes are those of the whole
// window frame; positions are client coordinates (below the menu bar).
#pragma once

struct layout_rect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const layout_rect&) const = default;
};

struct main_layout_input {
    int old_width = 0, old_height = 0; // frame size before the resize (0 = first layout)
    int new_width = 0, new_height = 0; // frame size after it
    int info_panel_height = -1;        // remembered between resizes; -1 = not yet laid out
    int info_panel_width = -1;
    int client_width = 0;              // width inside the frame
    layout_rect unit_info_box, hex_info_box, mapscreen_frame, button_frame;
    int vscroll_width = 16;
    int hscroll_height = 16;
};

struct main_layout_result {
    int form_width = 0; // the frame width after holding it at the minimum
    int info_panel_height = -1;
    int info_panel_width = -1;
    layout_rect unit_info_box, hex_info_box, vsplit_1, hsplit_1, hscroll_map, vscroll_map, mapscreen_frame,
        map_border_frame, button_frame;
};

constexpr int main_form_min_width = 560;
constexpr int info_box_min_height = 30;
constexpr int info_box_max_height = 120;

main_layout_result compute_main_layout(const main_layout_input& in);
