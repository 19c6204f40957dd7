#include "main_layout.h"

#include <algorithm>

main_layout_result compute_main_layout(const main_layout_input& in) {
    main_layout_result r;
    const int W = std::max(in.new_width, main_form_min_width);
    const int H = in.new_height;
    r.form_width = W;

    int height = in.unit_info_box.height;
    if (in.info_panel_height > 0 && in.info_panel_height < H - 77) {
        height = in.info_panel_height;
    } else if (in.old_height > 0 && in.new_height > 0 && in.old_height != in.new_height) {
        height += (in.new_height - in.old_height) * 2 / 10;
        height = std::clamp(height, info_box_min_height, info_box_max_height);
    }
    const int info_y = H - 67 - height;

    int hex_width = in.hex_info_box.width;
    if (in.info_panel_width > 0 && in.info_panel_width < W - 10) {
        hex_width = in.info_panel_width;
    } else if (in.old_width > 0 && in.new_width > 0 && in.old_width != in.new_width) {
        hex_width += (W - in.old_width) * 2 / 10;
    }
    hex_width = std::max(hex_width, 1);

    r.hex_info_box = {W - 10 - hex_width, info_y, hex_width, height};
    const int unit_x = in.unit_info_box.x;
    r.unit_info_box = {unit_x, info_y, std::max(1, r.hex_info_box.x - 9 - unit_x), height};
    r.vsplit_1 = {r.hex_info_box.x - 7, info_y, 6, height};
    r.info_panel_height = height;
    r.info_panel_width = hex_width;

    r.hsplit_1 = {0, info_y - 8, W - 4, 6};
    const int vscroll_x = W - 9 - in.vscroll_width;
    const int hscroll_y = r.hsplit_1.y - 11 - in.hscroll_height;
    const int top = in.mapscreen_frame.y;
    r.mapscreen_frame = {4, top, std::max(1, vscroll_x - 3 - 4), std::max(1, hscroll_y - 2 - top)};
    r.vscroll_map = {vscroll_x, top, in.vscroll_width, r.mapscreen_frame.height};
    r.hscroll_map = {4, hscroll_y, r.mapscreen_frame.width, in.hscroll_height};

    const int client_width = in.client_width + (W - in.new_width);
    r.button_frame = {-10, in.button_frame.y, client_width + 20, in.button_frame.height};
    r.map_border_frame = {r.mapscreen_frame.x - 2, r.mapscreen_frame.y - 2, r.mapscreen_frame.width + 4,
                          r.mapscreen_frame.height + 4};
    return r;
}
