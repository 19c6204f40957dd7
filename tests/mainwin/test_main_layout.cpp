#include "mainwin/main_layout.h"

#include <gtest/gtest.h>

namespace {
main_layout_input base_input() {
    main_layout_input in;
    in.client_width = 612;
    in.unit_info_box = {4, 300, 400, 55};
    in.hex_info_box = {420, 300, 190, 55};
    in.mapscreen_frame = {4, 36, 590, 250};
    in.button_frame = {-10, 0, 632, 32};
    in.vscroll_width = 16;
    in.hscroll_height = 16;
    return in;
}

TEST(main_layout, width_is_held_at_560) {
    main_layout_input in = base_input();
    in.old_width = 620;
    in.old_height = 440;
    in.new_width = 400;
    in.new_height = 440;
    main_layout_result r = compute_main_layout(in);
    EXPECT_EQ(r.form_width, 560);
    EXPECT_EQ(r.hex_info_box.right(), 550) << "right-aligned at the form's width - 10";
}

TEST(main_layout, info_box_height_follows_height_changes_within_30_and_120) {
    struct row {
        int box_height, old_height, new_height, remembered, expected;
    };
    const row table[] = {
        {55, 440, 540, -1, 75},   // +100 gives +20
        {55, 440, 1440, -1, 120}, // held at the top
        {55, 440, 100, -1, 30},   // held at the bottom
        {55, 0, 540, -1, 55},     // first layout: no change
        {55, 440, 440, -1, 55},   // width-only resize
        {55, 440, 540, 90, 90},   // the remembered height wins while it fits
        {55, 440, 140, 90, 30},   // ... and is dropped when it does not (140 - 77 = 63)
    };
    for (const auto& r : table) {
        main_layout_input in = base_input();
        in.unit_info_box.height = r.box_height;
        in.old_width = in.new_width = 620;
        in.old_height = r.old_height;
        in.new_height = r.new_height;
        in.info_panel_height = r.remembered;
        main_layout_result out = compute_main_layout(in);
        EXPECT_EQ(out.unit_info_box.height, r.expected) << r.old_height << " -> " << r.new_height;
        EXPECT_EQ(out.hex_info_box.height, r.expected);
        EXPECT_EQ(out.vsplit_1.height, r.expected);
        EXPECT_EQ(out.info_panel_height, r.expected) << "remembered for the next resize";
        EXPECT_EQ(out.unit_info_box.y, r.new_height - 67 - r.expected);
    }
}

TEST(main_layout, controls_stand_where_the_layout_puts_them) {
    main_layout_input in = base_input();
    in.old_width = 620;
    in.old_height = 440;
    in.new_width = 720;
    in.new_height = 440;
    main_layout_result r = compute_main_layout(in);
    EXPECT_EQ(r.hex_info_box.width, 190 + 20) << "width changes by a fifth of the change";
    EXPECT_EQ(r.hex_info_box.right(), 710);
    EXPECT_EQ(r.unit_info_box.x, 4);
    EXPECT_EQ(r.unit_info_box.right(), r.hex_info_box.x - 9);
    EXPECT_EQ(r.vsplit_1.x, r.hex_info_box.x - 7);
    EXPECT_EQ(r.hsplit_1, (layout_rect{0, r.unit_info_box.y - 8, 716, 6}));
    EXPECT_EQ(r.hscroll_map.bottom(), r.hsplit_1.y - 11);
    EXPECT_EQ(r.vscroll_map.x, 720 - 9 - 16);
    EXPECT_EQ(r.mapscreen_frame.x, 4);
    EXPECT_EQ(r.mapscreen_frame.right(), r.vscroll_map.x - 3);
    EXPECT_EQ(r.mapscreen_frame.bottom(), r.hscroll_map.y - 2);
    EXPECT_EQ(r.vscroll_map.y, r.mapscreen_frame.y);
    EXPECT_EQ(r.vscroll_map.height, r.mapscreen_frame.height);
    EXPECT_EQ(r.hscroll_map.width, r.mapscreen_frame.width);
    EXPECT_EQ(r.map_border_frame,
              (layout_rect{2, 34, r.mapscreen_frame.width + 4, r.mapscreen_frame.height + 4}));
    EXPECT_EQ(r.button_frame.x, -10);
    EXPECT_EQ(r.button_frame.right(), 612 + 10);
}
} // namespace
