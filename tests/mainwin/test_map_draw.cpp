#include "test_support.h"

#include "data/current_player.h"

#include "data/command_state.h"
#include "data/draw_marks.h"
#include "data/game_settings.h"
#include "data/los_settings.h"
#include "data/map_file.h"
#include "data/options.h"
#include "data/view_state.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/map_draw.h"
#include "mainwin/settings_files.h"
#include "mainwin/view_geometry.h"
#include "platform/canvas.h"
#include "platform/progress.h"
#include "ui_main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include <algorithm>
#include <cstring>

namespace {

constexpr int cell_sizes[3] = {20, 40, 60};
constexpr colour_rgb red = make_rgb(200, 0, 0), green = make_rgb(0, 200, 0), blue = make_rgb(0, 0, 200),
                     yellow = make_rgb(230, 230, 0), magenta = make_rgb(200, 0, 200),
                     cyan = make_rgb(0, 200, 200), orange = make_rgb(250, 150, 0),
                     grey = make_rgb(90, 90, 90), purple = make_rgb(120, 0, 160),
                     white = make_rgb(255, 255, 255), black = 0;
constexpr colour_rgb background = make_rgb(128, 64, 0); // colour_table entry 13

// Terrain symbols of the test set.
enum { t_red, t_green_inner, t_blue, t_grid_dot, t_overlay_corner, t_blue_inner, terrain_count };
// Piece symbols.
enum { p_cyan, p_orange, p_grey, p_big_purple, p_yellow, piece_count };

class map_draw_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_game_settings();
        reset_command_state();
        zoom_level = 0;
        view_origin_hex = 0;
        view_width = 300;
        view_height = 200;
        operation_mode = 0;
        redraw_entire_screen = 0;
        map_just_redrawn = 0;
        los_check.spotter_hex = los_check.target_hex = -1;
        for (auto& m : selected_piece_marks)
            m = piece_mark{};
    }
    void TearDown() override {
        reset_game_settings();
        reset_command_state();
        zoom_level = 0;
        view_origin_hex = 0;
        operation_mode = 0;
        redraw_entire_screen = 0;
        map_just_redrawn = 0;
        map_screen_update_hook = nullptr;
        map_clear_info_panels_hook = nullptr;
    }

    // A set whose symbols are solid colours on black, so that probes are unambiguous. The
    // masks are white with a black shape: mask 1 the inner square, 2 the centre dot, 3 the
    // top-left corner.
    static void build_symbols(bool hex_shape) {
        *symbols = symbol_state{};
        symbol_state& set = *symbols;
        set.hex_shape = hex_shape ? 1 : 0;
        set.terrain_symbol_count = terrain_count;
        set.piece_symbol_count = piece_count;
        set.mask_symbol_count = 3;
        set.terrain_symbols.resize(terrain_count);
        set.piece_symbols.resize(piece_count);
        set.mask_symbols.resize(3);
        for (int z = 0; z < 3; ++z) {
            const int s = cell_sizes[z];
            set.hex_size_by_zoom[z] = s;
            set.largest_piece_width[z] = 2 * s - 1;
            set.largest_piece_height[z] = 2 * s - 1;
            auto place = [z](symbol_struct& sym, int left, int width, int height) {
                sym.left[z] = left;
                sym.top[z] = 0;
                sym.right[z] = left + width - 1;
                sym.bottom[z] = height - 1;
            };
            for (int k = 0; k < terrain_count; ++k)
                place(set.terrain_symbols[k], k * s, s, s);
            for (int k = 0; k < 3; ++k)
                place(set.mask_symbols[k], k * s, s, s);
            for (int k = 0; k < piece_count; ++k)
                place(set.piece_symbols[k], k * 2 * s, k == p_big_purple ? 2 * s : s / 2,
                      k == p_big_purple ? 2 * s : s / 2);

            bitmap& t = set.strips[symbol_kind_terrain][z];
            t = bitmap(terrain_count * s, s);
            canvas tc(t);
            const int q = s / 4;
            tc.fill_rect(t_red * s, 0, s, s, red);
            tc.fill_rect(t_green_inner * s + q, q, s - 2 * q, s - 2 * q, green);
            tc.fill_rect(t_blue * s, 0, s, s, blue);
            tc.fill_rect(t_grid_dot * s + s / 2 - 1, s / 2 - 1, 2, 2, yellow);
            tc.fill_rect(t_overlay_corner * s + 1, 1, q - 1, q - 1, magenta);
            tc.fill_rect(t_blue_inner * s + q, q, s - 2 * q, s - 2 * q, blue);

            bitmap& m = set.strips[symbol_kind_mask][z];
            m = bitmap(3 * s, s);
            canvas mc(m);
            mc.fill_rect(0, 0, 3 * s, s, white);
            mc.fill_rect(q, q, s - 2 * q, s - 2 * q, black);
            mc.fill_rect(s + s / 2 - 1, s / 2 - 1, 2, 2, black);
            mc.fill_rect(2 * s + 1, 1, q - 1, q - 1, black);

            bitmap& p = set.strips[symbol_kind_piece][z];
            p = bitmap(piece_count * 2 * s, 2 * s);
            canvas pc(p);
            const colour_rgb piece_colours[piece_count] = {cyan, orange, grey, purple, yellow};
            for (int k = 0; k < piece_count; ++k)
                pc.fill_rect(k * 2 * s, 0, k == p_big_purple ? 2 * s : s / 2,
                             k == p_big_purple ? 2 * s : s / 2, piece_colours[k]);
        }
        set.terrain_symbols[t_green_inner].mask = 1;
        set.terrain_symbols[t_grid_dot].mask = 2;
        set.terrain_symbols[t_overlay_corner].mask = 3;
        set.terrain_symbols[t_blue_inner].mask = 1;
    }

    static void build_board(int grid, int columns, int rows) {
        *board = board_state{};
        board_state& b = *board;
        b.grid_type = static_cast<std::uint8_t>(grid);
        b.map_columns = columns;
        b.map_rows = rows;
        b.hex_count = columns * rows;
        hex_struct h;
        h.terrain = t_red;
        h.second_terrain = 9999; // no second terrain
        b.hex_array.assign(static_cast<std::size_t>(b.hex_count), h);
        b.hex_piece_counts.assign(static_cast<std::size_t>(b.hex_count), 0);
        b.hexline_type_array.resize(4);
        b.hexline_type_array[1] = hexline_type_struct{14, {1, 1, 1}, {}, 1};
        b.hexline_type_array[2] = hexline_type_struct{14, {3, 3, 3}, {}, 4};
        b.hexline_type_array[3] = hexline_type_struct{14, {1, 1, 1}, {}, 0};
        b.hexside_array = {hexside_struct{}};
        b.hexline_array = {hexline_struct{}};
        b.grid_symbol = grid_symbol_none;
        derive_hex_cell_sizes(b, symbols->hex_size_by_zoom, symbols->hex_shape != 0);
        mark_hex_outline_tables_not_built();
    }

    void scene(int grid, bool hex_shape = false, int columns = 8, int rows = 6) {
        build_symbols(hex_shape);
        build_board(grid, columns, rows);
    }

    // Player 0, the only one, keeps his pieces hidden and has no hidden symbol of his own.
    static void one_player_who_hides() {
        player_struct owner, end;
        set_name(owner.name, "Owner");
        owner.flags = player_flag_uses_hidden;
        owner.default_hidden_symbol = 30001;
        game->player_array = {owner, end};
    }

    static int add_unit(int symbol, std::int32_t hex, int owner = 0) {
        int c = add_class();
        class_struct& k = game->class_array[static_cast<std::size_t>(c)];
        k.symbol = symbol;
        k.owner = static_cast<std::uint8_t>(owner);
        k.facing_set = 0;
        k.value_types[0] = 0;
        int p = add_piece();
        piece_struct& piece = game->piece_array[static_cast<std::size_t>(p)];
        piece.class_index = c;
        piece.location = hex;
        piece.flags = 0;
        piece.hidden = 0;
        piece.value_types[0] = 0;
        ++board->hex_piece_counts[static_cast<std::size_t>(hex)];
        return p;
    }

    static std::pair<int, int> xy(std::int32_t hex) {
        int x = 0, y = 0;
        hex_to_screen_xy(hex, x, y);
        return {x, y};
    }
    static int s() { return cell_sizes[zoom_level]; }
    // The screen copy's pixel at an offset from a hex's top-left corner.
    static colour_rgb at(std::int32_t hex, int dx, int dy) {
        auto [x, y] = xy(hex);
        return pixel_of(screen_save_bitmap, x + dx, y + dy);
    }
    static colour_rgb centre(std::int32_t hex) { return at(hex, s() / 2, s() / 2); }
    static int count_colour(int x, int y, int w, int h, colour_rgb c) {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                if (pixel_of(screen_save_bitmap, i, j) == c) ++n;
        return n;
    }
};

TEST(canvas_test, raster_operations_combine_pixel_values_exactly) {
    struct row {
        raster_op op;
        colour_rgb expected;
    };
    const colour_rgb dest = 0x123456, src = 0x0F0FF0;
    const row table[] = {{raster_op::srccopy, src},
                         {raster_op::srcand, dest & src},
                         {raster_op::srcpaint, dest | src},
                         {raster_op::notsrccopy, ~src & 0xFFFFFFu}};
    for (const row& r : table) {
        bitmap d(4, 4), from(4, 4);
        canvas dc(d), fc(from);
        dc.fill_rect(0, 0, 4, 4, dest);
        fc.fill_rect(0, 0, 4, 4, src);
        dc.copy_bits(1, 1, 2, 2, from, 0, 0, r.op);
        EXPECT_EQ(pixel_of(d, 1, 1), r.expected);
        EXPECT_EQ(pixel_of(d, 2, 2), r.expected);
        EXPECT_EQ(pixel_of(d, 0, 0), dest) << "outside the block";
        EXPECT_EQ(pixel_of(d, 3, 3), dest) << "outside the block";
    }
}

TEST(canvas_test, copies_are_clipped_and_may_overlap_within_one_bitmap) {
    bitmap b(10, 1);
    canvas c(b);
    for (int i = 0; i < 10; ++i)
        c.fill_rect(i, 0, 1, 1, static_cast<colour_rgb>(i + 1));
    c.copy_bits(2, 0, 10, 1, b, 0, 0, raster_op::srccopy); // shift right by 2, past the edge
    const colour_rgb expected[10] = {1, 2, 1, 2, 3, 4, 5, 6, 7, 8};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(pixel_of(b, i, 0), expected[i]) << i;
    c.copy_bits(-5, -5, 3, 3, b, 0, 0, raster_op::srccopy); // wholly outside: nothing
    c.copy_bits(0, 0, 4, 1, b, -2, 0, raster_op::srccopy);  // source partly outside
    EXPECT_EQ(pixel_of(b, 2, 0), 1u);
    EXPECT_EQ(pixel_of(b, 0, 0), 1u);
}

TEST(canvas_test, font_names) {
    font_spec f = parse_font_name("8.MS Sans Serif.Bold");
    EXPECT_EQ(f.point_size, 8);
    EXPECT_EQ(f.face, "MS Sans Serif");
    EXPECT_TRUE(f.bold);
    EXPECT_FALSE(f.italic);
    f = parse_font_name("10.Times New Roman.Italic.Underline");
    EXPECT_EQ(f.point_size, 10);
    EXPECT_EQ(f.face, "Times New Roman");
    EXPECT_TRUE(f.italic && f.underline && !f.bold);
    f = parse_font_name("12.System.Bold");
    EXPECT_EQ(f.face, "System");
    EXPECT_TRUE(f.bold);
    // Text in the misspelt fixed-width face still draws.
    bitmap b(60, 20);
    canvas c(b);
    c.set_font("8.Courrier.Bold");
    c.set_text_colour(white);
    c.draw_text(0, 0, 60, 20, "A*", text_h_align::left, text_v_align::top);
    int lit = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            lit += pixel_of(b, x, y) == white;
    EXPECT_GT(lit, 5);
}

// Terrain copied, second terrain through its mask (AND then OR): the inner square shows the
// second terrain, the rest of the hex the first; on every grid type, square or hex-shaped.
TEST_F(map_draw_test, terrain_and_masked_second_terrain_on_every_grid) {
    for (int grid : {1, 2, 3})
        for (bool hex_shape : {false, true}) {
            SCOPED_TRACE("grid " + std::to_string(grid) + (hex_shape ? " hex-shaped" : " square"));
            scene(grid, hex_shape);
            const std::int32_t hex = 2 * 8 + 3; // odd column, even row
            const std::int32_t odd_row_hex = 3 * 8 + 2;
            for (std::int32_t h : {hex, odd_row_hex})
                board->hex_array[static_cast<std::size_t>(h)].second_terrain = t_green_inner;
            redraw_map();
            for (std::int32_t h : {hex, odd_row_hex}) {
                EXPECT_EQ(centre(h), green);
                EXPECT_EQ(at(h, s() / 4 - 2, s() / 2), red) << "outside the mask's shape";
            }
            EXPECT_EQ(centre(hex + 1), red) << "a hex without a second terrain";
            EXPECT_EQ(pixel_of(screen_save_bitmap, 299, 199), background) << "past the board";
        }
}

TEST_F(map_draw_test, first_terrain_is_masked_unless_plain_or_the_second_display_flag_is_set) {
    scene(3);
    board->hex_array[9].terrain = t_blue_inner; // has a mask
    redraw_map();
    EXPECT_EQ(centre(9), blue);
    EXPECT_EQ(at(9, 1, 1), background) << "masked: the board's background shows through";
    symbols->display_flag_2 = 1;
    redraw_map();
    EXPECT_EQ(at(9, 1, 1), black) << "copied straight";
}

TEST_F(map_draw_test, layer_order_from_the_map_decides_what_covers_what) {
    scene(1);
    board->hex_array[10].second_terrain = t_green_inner;
    redraw_map();
    EXPECT_EQ(centre(10), green);
    std::uint8_t reversed[8] = {1, 0, 2, 3, 4, 5, 6, 7};
    std::memcpy(board->draw_layer_order, reversed, 8);
    redraw_map();
    EXPECT_EQ(centre(10), red) << "the terrain copied over the second terrain";
    // Layer numbers from a damaged file draw nothing rather than something undefined.
    std::uint8_t damaged[8] = {0, 200, 255, 9, 8, 7, 6, 1};
    std::memcpy(board->draw_layer_order, damaged, 8);
    redraw_map();
    EXPECT_EQ(centre(10), green);
}

TEST_F(map_draw_test, fast_draw_at_zoom_0_leaves_out_the_fast_layers) {
    scene(3);
    const std::int32_t hex = 9;
    hex_struct& h = board->hex_array[hex];
    h.flags = 8 | 4; // one overlay, hexsides
    board->hex_overlay_array = {hex_overlay_struct{hex, t_overlay_corner}};
    board->hexside_array = {hexside_struct{hex, 1, 128}, hexside_struct{}};
    board->grid_symbol = t_grid_dot;
    struct row {
        int zoom;
        int fast;
        bool extras;
    };
    for (row r : {row{0, 1, false}, row{0, 0, true}, row{1, 1, true}, row{2, 1, true}}) {
        SCOPED_TRACE("zoom " + std::to_string(r.zoom) + " fast " + std::to_string(r.fast));
        zoom_level = r.zoom;
        game_settings.fast_draw_on = static_cast<std::uint8_t>(r.fast);
        redraw_map();
        EXPECT_EQ(at(hex, 2, 2), r.extras ? magenta : red) << "overlay";
        EXPECT_EQ(at(hex, s() / 2 + 3, 0), r.extras ? white : red) << "hexside";
        EXPECT_EQ(centre(hex), yellow) << "the grid is always drawn";
    }
}

TEST_F(map_draw_test, overlays_are_checked_and_limited_to_the_count_in_the_flags) {
    scene(3);
    board->hex_array[9].flags = 8; // one overlay counted, two records
    board->hex_array[10].flags = 8 * 2;
    board->hex_overlay_array = {hex_overlay_struct{9, t_overlay_corner}, hex_overlay_struct{9, t_blue},
                                hex_overlay_struct{10, 9999}, hex_overlay_struct{10, -3}};
    board->grid_symbol = 70000; // beyond the set: no grid
    redraw_map();
    EXPECT_EQ(at(9, 2, 2), magenta);
    EXPECT_EQ(centre(9), red) << "the second record is past the count";
    EXPECT_EQ(centre(10), red) << "symbols the set does not have are left out";
}

TEST_F(map_draw_test, masks_by_number_minus_one_and_bad_numbers_are_refused) {
    build_symbols(false);
    symbol_struct s;
    s.mask = 0;
    EXPECT_EQ(mask_for(s), nullptr);
    s.mask = 1;
    EXPECT_EQ(mask_for(s), &symbols->mask_symbols[0]);
    s.mask = 3;
    EXPECT_EQ(mask_for(s), &symbols->mask_symbols[2]);
    for (int bad : {4, 300, -1}) {
        s.mask = bad;
        EXPECT_EQ(mask_for(s), nullptr) << bad;
    }
    // A second terrain whose mask number names no mask is still drawn, as a plain copy.
    build_board(3, 8, 6);
    symbols->terrain_symbols[t_blue].mask = 200;
    board->hex_array[9].second_terrain = t_blue;
    redraw_map();
    EXPECT_EQ(at(9, 1, 1), blue);
}

TEST_F(map_draw_test, hexsides_in_hex_and_square_form) {
    struct row {
        bool hex_shape;
        int sides;
        int dx, dy;   // a pixel on the line
        int ndx, ndy; // a pixel not on it
    };
    // s = 20, f = 4, h = 10.
    const row table[] = {
        {true, 4, 10, 0, 2, 0},     // upper side, blunted corners
        {true, 1, 2, 15, 0, 18},    // lower-left slant (0,10)-(4,20)
        {false, 1, 0, 15, 0, 5},    // lower half of the left side
        {false, 128, 10, 0, 10, 2}, // whole upper side
        {false, 64, 0, 5, 3, 5},    // whole left side
    };
    for (const row& r : table) {
        SCOPED_TRACE("sides " + std::to_string(r.sides) + (r.hex_shape ? " hex" : " square"));
        scene(3, r.hex_shape);
        board->hex_array[9].flags = 4;
        board->hexside_array = {hexside_struct{9, 1, static_cast<std::uint8_t>(r.sides)}, hexside_struct{}};
        redraw_map();
        EXPECT_EQ(at(9, r.dx, r.dy), white);
        EXPECT_NE(at(9, r.ndx, r.ndy), white);
    }
}

TEST_F(map_draw_test, hexlines_and_line_styles) {
    scene(3);
    board->hex_array[9].flags = 1;
    board->hex_array[12].flags = 1;
    board->hex_array[20].flags = 1;
    board->hexline_array = {hexline_struct{9, 1, 1, 128}, hexline_struct{12, 2, 1, 128},
                            hexline_struct{20, 3, 1, 128}, hexline_struct{}};
    redraw_map();
    // Top middle to bottom middle through the centre.
    EXPECT_EQ(at(9, 10, 2), white);
    EXPECT_EQ(at(9, 10, 17), white);
    EXPECT_NE(at(9, 12, 10), white);
    // Dashed, three pixels wide: three parallel one-pixel lines with gaps.
    const auto [x, y] = xy(12);
    EXPECT_GT(count_colour(x + 9, y, 1, 20, white), 3);
    EXPECT_GT(count_colour(x + 11, y, 1, 20, white), 3);
    EXPECT_LT(count_colour(x + 10, y, 1, 20, white), 20) << "gaps of the dashes";
    EXPECT_EQ(count_colour(x + 12, y, 1, 20, white), 0);
    // A type not in use is not drawn.
    const auto [x2, y2] = xy(20);
    EXPECT_EQ(count_colour(x2, y2, 20, 20, white), 0);
    // Hidden by the menu option.
    game_settings.draw_options[1] = 0;
    redraw_map();
    EXPECT_EQ(at(9, 10, 2), red);
}

TEST_F(map_draw_test, place_name_label_of_the_first_record_only) {
    scene(3);
    const std::int32_t hex = 2 * 8 + 3;
    board->hex_array[hex].flags = 2;
    placename_struct first;
    first.hex = hex;
    first.terrain = t_overlay_corner;
    set_name(first.name, "Ab");
    first.colour = 14;
    first.font_size[0] = 8;
    first.label_position[0] = 1; // below
    placename_struct second = first;
    second.label_position[0] = 2; // above
    board->placename_array = {first, second};
    redraw_map();
    const auto [x, y] = xy(hex);
    const int W = 2 * 3 * 8, H = 3 * 8;
    EXPECT_GT(count_colour(x + 10 - W / 2, y + 20, W, H, white), 5) << "below the hex";
    EXPECT_EQ(count_colour(x + 10 - W / 2, y - H, W, H, white), 0) << "the second record has no label";
    EXPECT_EQ(at(hex, 2, 2), magenta) << "the record's symbol";

    // Too small at this zoom, no position at this zoom, or names hidden: no label, symbol kept.
    for (int variant = 0; variant < 3; ++variant) {
        board->placename_array[0] = first;
        game_settings.draw_options[3] = 1;
        if (variant == 0) board->placename_array[0].font_size[0] = 5;
        if (variant == 1) board->placename_array[0].label_position[0] = 0;
        if (variant == 2) game_settings.draw_options[3] = 0;
        redraw_map();
        EXPECT_EQ(count_colour(x + 10 - W / 2, y + 20, W, H, white), 0) << variant;
        EXPECT_EQ(at(hex, 2, 2), magenta) << variant;
    }
}

TEST_F(map_draw_test, a_block_redraw_keeps_the_labels_that_reach_into_it_from_outside) {
    scene(3, false, 14, 6);
    auto town = [](std::int32_t hex, const char* name, int position) {
        board->hex_array[static_cast<std::size_t>(hex)].flags = 2;
        placename_struct p;
        p.hex = hex;
        p.terrain = 63000;
        set_name(p.name, name);
        p.colour = 14;
        p.font_size[0] = 8;
        p.label_position[0] = static_cast<std::uint8_t>(position);
        return p;
    };
    // Labels from the left, from the right and from above reach into the block of columns 5..7,
    // rows 1..3; a hex's second record has no label, not even one reaching in.
    const std::int32_t west = 2 * 14 + 1, east = 2 * 14 + 12, north = 0 * 14 + 6;
    board->placename_array = {town(west, "Westmarch Abbey", 8), town(west, "Twice Twice Twice", 8),
                              town(east, "Eastmarch Abbey", 7), town(north, "No label here", 0),
                              town(north, "Northgate", 1),      town(north + 14, "Mill", 0)};
    board->placename_array.push_back(placename_struct{});
    redraw_map();
    auto screen = [] {
        std::vector<colour_rgb> v;
        for (int y = 0; y < view_height; ++y)
            for (int x = 0; x < view_width; ++x)
                v.push_back(pixel_of(screen_save_bitmap, x, y));
        return v;
    };
    const auto whole = screen();
    const auto [x, y] = xy(2 * 14 + 6);
    ASSERT_GT(count_colour(x - 10, y, 3 * 20, 20, white), 5) << "the labels cross the block";

    map_just_redrawn = 0;
    draw_map_block(1 * 14 + 5, 3, 3);
    EXPECT_TRUE(screen() == whole) << "the block redraw matches the full redraw";
}

TEST_F(map_draw_test, label_fonts_from_the_style_byte) {
    placename_struct p;
    p.font_size[0] = 8;
    p.font_size[2] = 12;
    struct row {
        int style, zoom;
        const char* font;
    };
    const row table[] = {
        {1 | 16, 0, "8.Courrier.Bold"},
        {3 | 16 | 32 | 64, 2, "12.MS Sans Serif.Bold.Italic.Underline"},
        {7 | 16, 0, "8.System.Bold"},
        {8 | 32, 0, "8.Times New Roman.Italic"},
        {9, 0, "8.Arial"},
        {0, 0, "8.Arial"},
        {128 | 16, 0, "8.Arial.Bold"},
    };
    for (const row& r : table) {
        p.style = static_cast<std::uint8_t>(r.style);
        EXPECT_EQ(place_name_font(p, r.zoom), r.font) << r.style;
    }
}

TEST_F(map_draw_test, pieces_in_each_slot_mode) {
    struct probe {
        int dx, dy;
        colour_rgb colour;
    };
    struct row {
        const char* name;
        int mode;
        std::vector<int> symbols; // by piece index; the last index is collected first
        std::vector<probe> probes;
    };
    // s = 20: a small piece is 10 x 10, the big one 40 x 40.
    const std::vector<row> table = {
        {"one inside", 1, {p_cyan}, {{10, 10, cyan}, {2, 2, red}}},
        {"one centred", 200, {p_cyan}, {{10, 10, cyan}, {2, 2, red}}},
        {"big inside starts at the corner",
         1,
         {p_big_purple},
         {{1, 1, purple}, {-2, 1, red}, {38, 38, purple}}},
        {"big centred spreads", 200, {p_big_purple}, {{-9, -9, purple}, {29, 29, purple}, {31, 31, red}}},
        {"four slots, one", 4, {p_cyan}, {{10, 10, cyan}}},
        {"four slots, two", 4, {p_cyan, p_orange}, {{5, 10, orange}, {15, 10, cyan}}},
        {"four slots, three", 4, {p_cyan, p_orange, p_grey}, {{5, 5, grey}, {15, 5, orange}, {10, 15, cyan}}},
        {"four slots, four",
         4,
         {p_cyan, p_orange, p_grey, p_yellow},
         {{5, 5, yellow}, {15, 5, grey}, {5, 15, orange}, {15, 15, cyan}}},
        {"five reuse the first slot",
         4,
         {p_yellow, p_cyan, p_orange, p_grey, p_big_purple},
         {{5, 5, yellow}, {15, 5, grey}, {5, 15, orange}, {15, 15, cyan}, {25, 25, purple}}},
        {"overlay stack mode", 104, {p_cyan, p_orange}, {{5, 10, orange}, {15, 10, cyan}}},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.name);
        new_game();
        scene(3);
        game_settings.symbols_per_hex[0] = static_cast<std::uint8_t>(r.mode);
        const std::int32_t hex = 2 * 8 + 3;
        for (int sym : r.symbols)
            add_unit(sym, hex);
        redraw_map();
        for (const probe& p : r.probes)
            EXPECT_EQ(at(hex, p.dx, p.dy), p.colour) << p.dx << "," << p.dy;
    }
}

TEST_F(map_draw_test, pieces_and_markers_follow_the_display_options) {
    scene(3);
    add_unit(p_cyan, 9, 0);      // a player's piece
    add_unit(p_orange, 12, 200); // a marker
    struct row {
        int option;
        colour_rgb piece, marker;
    };
    for (row r : {row{1, cyan, orange}, row{0, red, orange}, row{3, cyan, red}, row{2, red, red}}) {
        game_settings.draw_options[4] = static_cast<std::uint8_t>(r.option);
        redraw_map();
        EXPECT_EQ(centre(9), r.piece) << r.option;
        EXPECT_EQ(centre(12), r.marker) << r.option;
    }
}

TEST_F(map_draw_test, pieces_in_pools_and_on_top_order) {
    scene(3);
    const int a = add_unit(p_cyan, 9);
    const int b = add_unit(p_orange, 9);
    game_settings.symbols_per_hex[0] = 4;
    // The on-top piece is collected after the others: the lower index comes first now.
    game->piece_array[static_cast<std::size_t>(b)].flags = piece_flag_on_top;
    redraw_map();
    EXPECT_EQ(at(9, 5, 10), cyan);
    EXPECT_EQ(at(9, 15, 10), orange);
    // A piece in a pool is not on the board even when its location is a hex number.
    game->piece_array[static_cast<std::size_t>(a)].flags = piece_flag_in_pool;
    board->hex_piece_counts[9] = 1;
    game->piece_array[static_cast<std::size_t>(b)].flags = 0;
    redraw_map();
    EXPECT_EQ(centre(9), orange);
}

// The visibility rules decide what a hidden piece shows; until they are in, everyone sees the
// class's own symbol. Tighten this to the hidden symbol when the rules land.
TEST_F(map_draw_test, a_hidden_piece_is_drawn_as_its_viewer_may_see_it) {
    scene(3);
    // Player 0 keeps his pieces hidden; the viewers below are a visitor and the owner.
    one_player_who_hides();
    const int p = add_unit(p_cyan, 9);
    piece_struct& piece = game->piece_array[static_cast<std::size_t>(p)];
    class_struct& k = game->class_array[static_cast<std::size_t>(piece.class_index)];
    k.hidden_symbol = p_grey;
    struct row {
        const char* what;
        int viewer;
        std::uint8_t hidden;
        std::int32_t hidden_symbol;
        colour_rgb expected;
    };
    const row table[] = {
        {"information hidden: the class symbol", -1, 1, p_grey, cyan},
        {"fully hidden: the class's hidden symbol", -1, 2, p_grey, grey},
        {"fully hidden, owner's default of no symbol: not drawn", -1, 2, 30000, red},
        {"the owner sees his own piece", 0, 2, p_grey, cyan},
    };
    for (const auto& r : table) {
        current_player = r.viewer;
        piece.hidden = r.hidden;
        k.hidden_symbol = r.hidden_symbol;
        redraw_map();
        EXPECT_EQ(centre(9), r.expected) << r.what;
    }
    current_player = -1;
    // A display symbol the set does not have draws nothing.
    piece.hidden = 0;
    k.symbol = 9999;
    redraw_map();
    EXPECT_EQ(centre(9), red);
}

TEST_F(map_draw_test, a_piece_the_viewer_may_not_see_takes_no_slot_and_no_mark) {
    scene(3);
    one_player_who_hides();
    const std::int32_t hex = 2 * 8 + 3;
    const int seen = add_unit(p_cyan, hex, 1);     // a piece of nobody's, in the open
    const int unseen = add_unit(p_orange, hex, 0); // the owner's, fully hidden, no hidden symbol
    game->piece_array[static_cast<std::size_t>(unseen)].hidden = 2;
    game->class_array[static_cast<std::size_t>(
                          game->piece_array[static_cast<std::size_t>(unseen)].class_index)]
        .hidden_symbol = 30000;
    game_settings.symbols_per_hex[0] = 4;
    current_player = -1;
    redraw_map();
    // Alone in the hex, as one piece is: centred, and the only mark.
    EXPECT_EQ(at(hex, 10, 10), cyan);
    EXPECT_EQ(at(hex, 5, 10), cyan);
    EXPECT_EQ(selected_piece_marks[0].piece, seen);
    EXPECT_EQ(selected_piece_marks[1].piece, -1);
    // The owner sees both, side by side.
    current_player = 0;
    redraw_map();
    EXPECT_EQ(at(hex, 5, 10), orange);
    EXPECT_EQ(at(hex, 15, 10), cyan);
    current_player = -1;
}

TEST_F(map_draw_test, marks_of_a_crowded_hex_stop_at_their_capacity) {
    scene(3);
    for (int i = 0; i < 150; ++i)
        add_unit(p_cyan, 9);
    game_settings.symbols_per_hex[0] = 4;
    ASSERT_TRUE(allocate_map_buffers());
    draw_hex_pieces(9, *back_map);
    EXPECT_EQ(selected_piece_marks[0].piece, 149) << "the last piece is collected first";
    EXPECT_EQ(selected_piece_marks[piece_marks_capacity - 2].piece, 149 - (piece_marks_capacity - 2));
    EXPECT_EQ(selected_piece_marks[piece_marks_capacity - 1].piece, -1) << "the list keeps its end";
    EXPECT_EQ(selected_piece_marks[0].slot, 14);
    EXPECT_EQ(selected_piece_marks[1].slot, 24);
}

TEST_F(map_draw_test, piece_symbols_with_edges_no_strip_can_hold_draw_nothing) {
    EXPECT_EQ(symbol_extent(0, 9), 10);
    EXPECT_EQ(symbol_extent(5, 5), 1);
    EXPECT_EQ(symbol_extent(9, 0), 0);
    EXPECT_EQ(symbol_extent(INT32_MIN, INT32_MAX), 0);
    EXPECT_EQ(symbol_extent(INT32_MAX, INT32_MIN), 0);
    scene(3);
    auto& cell = symbols->piece_symbols[p_cyan];
    for (int z = 0; z < 3; ++z) {
        cell.left[z] = INT32_MIN;
        cell.right[z] = INT32_MAX;
        cell.top[z] = INT32_MAX;
        cell.bottom[z] = INT32_MIN;
    }
    add_unit(p_cyan, 9);
    redraw_map();
    EXPECT_EQ(centre(9), red);
}

TEST_F(map_draw_test, draw_entire_screen_option_does_not_loop) {
    scene(3, false, 40, 30);
    redraw_entire_screen = 1;
    int shows = 0;
    map_screen_update_hook = [&] { ++shows; };
    board->hex_array[5].terrain = t_blue;
    draw_map_block(0, 2, 2); // a block of hexes 0, 1, 8, 9: the option redraws everything
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(centre(5), blue);
    EXPECT_EQ(map_just_redrawn, 1);
    install_map_view_hooks();
    scroll_view_right(2);
    EXPECT_EQ(view_origin_hex, 2);
    EXPECT_EQ(shows, 2);
}

// Showing the screen copy may let events in (the progress window does); a redraw asked for
// then, with a new view size, must wait until the drawing in hand is done.
TEST_F(map_draw_test, redraw_asked_for_during_a_drawing_waits_for_it) {
    scene(3);
    int shows = 0;
    map_screen_update_hook = [&] {
        if (++shows == 1) {
            view_width = 280;
            redraw_map();
            EXPECT_EQ(screen_save_bitmap.width(), 302) << "the buffers in use are kept";
        }
    };
    redraw_map();
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(screen_save_bitmap.width(), 282);
    EXPECT_EQ(centre(9), red);
}

TEST_F(map_draw_test, no_map_shows_the_background_and_clears_the_panels) {
    free_map();
    int cleared = 0;
    map_clear_info_panels_hook = [&] { ++cleared; };
    redraw_map();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(pixel_of(screen_save_bitmap, 150, 100), background);
}

// Scrolling moves the screen copy and draws only the uncovered strip; the result must be what
// a full redraw of the new view shows.
TEST_F(map_draw_test, scrolled_view_matches_a_full_redraw) {
    for (int grid : {1, 2, 3}) {
        SCOPED_TRACE("grid " + std::to_string(grid));
        new_game();
        scene(grid, true, 60, 40);
        for (std::int32_t h = 0; h < board->hex_count; h += 7)
            board->hex_array[static_cast<std::size_t>(h)].second_terrain = t_green_inner;
        for (std::int32_t h = 3; h < board->hex_count; h += 11)
            add_unit(p_orange, h);
        install_map_view_hooks();
        view_width = 307; // not a whole number of cells of any grid
        view_height = 211;
        redraw_map();
        scroll_view_right(4);
        scroll_view_down(2);
        scroll_view_left(2);
        scroll_view_up(2);
        scroll_view_down(4);
        scroll_view_right(2);
        bitmap scrolled = screen_save_bitmap;
        redraw_map();
        int differing = 0;
        for (int y = 0; y < view_height; ++y)
            for (int x = 0; x < view_width; ++x)
                differing += pixel_of(scrolled, x, y) != pixel_of(screen_save_bitmap, x, y);
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(map_draw_test, redraw_hex_shows_a_change_unless_the_map_was_just_redrawn) {
    scene(1, true, 20, 12);
    const int p = add_unit(p_cyan, 2 * 20 + 5);
    redraw_map();
    bitmap before = screen_save_bitmap;
    // Move the piece.
    board->hex_piece_counts[2 * 20 + 5] = 0;
    game->piece_array[static_cast<std::size_t>(p)].location = 2 * 20 + 6;
    board->hex_piece_counts[2 * 20 + 6] = 1;
    redraw_hex(2 * 20 + 5);
    EXPECT_EQ(centre(2 * 20 + 5), cyan) << "suppressed after a full redraw";
    map_just_redrawn = 0;
    redraw_hex(2 * 20 + 5);
    redraw_hex(2 * 20 + 6);
    EXPECT_EQ(centre(2 * 20 + 5), red);
    EXPECT_EQ(centre(2 * 20 + 6), cyan);
    bitmap partial = screen_save_bitmap;
    redraw_map();
    int differing = 0;
    for (int y = 0; y < view_height; ++y)
        for (int x = 0; x < view_width; ++x)
            differing += pixel_of(partial, x, y) != pixel_of(screen_save_bitmap, x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(map_draw_test, operation_markers_and_highlight) {
    scene(3);
    zoom_level = 1; // s = 40: full marker boxes
    const int p = add_unit(p_cyan, 9);
    add_unit(p_orange, 12);
    // A path through hex 12.
    operation_mode = 2;
    move_path[0] = 11;
    move_path[1] = 12;
    move_path[2] = location_end;
    redraw_map();
    // A box of 26 pixels in the middle of the 40-pixel hex: from 7 to 32.
    EXPECT_EQ(at(12, 8, 8), white) << "step box";
    EXPECT_EQ(at(11, 8, 8), white);
    EXPECT_EQ(at(11, 5, 5), red) << "outside the box";
    EXPECT_EQ(at(11, 33, 33), red) << "outside the box";
    EXPECT_EQ(at(10, 8, 8), red);
    // Combat: attacker and defender boxes.
    operation_mode = 3;
    attacker_list[0] = p;
    attacker_list[1] = -1;
    defender_list[0] = p + 1;
    defender_list[1] = -1;
    redraw_map();
    EXPECT_EQ(at(9, 2, 2), map_colour(12));
    EXPECT_EQ(at(12, 40 - 3, 2), map_colour(7));
    // Line of sight: spotter and target.
    operation_mode = 9;
    los_check.spotter_hex = 20;
    los_check.target_hex = 21;
    redraw_map();
    EXPECT_EQ(at(20, 8, 8), white);
    EXPECT_EQ(at(21, 8, 8), white);
    // A selected piece is drawn inverted.
    operation_mode = 2;
    move_path[0] = location_end;
    selected_pieces[0] = p;
    selected_pieces[1] = -1;
    redraw_map();
    EXPECT_EQ(centre(9), ~cyan & 0xFFFFFFu);
}

TEST_F(map_draw_test, entire_board_onto_one_canvas) {
    scene(1, true, 30, 20);
    board->hex_array[30 * 19 + 29].terrain = t_blue;
    add_unit(p_cyan, 0);
    bitmap target((30 + 2) * cell_width(), (20 + 2) * cell_height());
    canvas c(target);
    ASSERT_TRUE(draw_entire_board(c));
    const int w = cell_width(), h = cell_height();
    EXPECT_EQ(pixel_of(target, 29 * w + 10, 19 * h + h / 2 + 10), blue) << "last hex (odd column)";
    EXPECT_EQ(pixel_of(target, 10, 10), cyan);
    EXPECT_EQ(pixel_of(target, 15 * w + 10, 10 * h + 10), red);
}

} // namespace

namespace {

// Hex-shaped terrain and masks, so that the screenshots look like a board.
void paint_hex_terrain() {
    const colour_rgb colours[terrain_count] = {make_rgb(120, 170, 80),  make_rgb(40, 110, 40),
                                               make_rgb(70, 120, 200),  make_rgb(150, 150, 150),
                                               make_rgb(200, 180, 120), make_rgb(170, 110, 60)};
    for (int z = 0; z < 3; ++z) {
        const int s = cell_sizes[z], f = s / 5, h = s / 2;
        bitmap& m = symbols->strips[symbol_kind_mask][z];
        canvas mc(m);
        mc.fill_rect(0, 0, s, s, white);
        mc.set_no_pen();
        mc.set_brush(black);
        mc.polygon({{f, 0}, {s - f, 0}, {s - 1, h}, {s - f, s - 1}, {f, s - 1}, {0, h}});
        bitmap& t = symbols->strips[symbol_kind_terrain][z];
        canvas tc(t);
        tc.fill_rect(0, 0, t.width(), t.height(), black);
        tc.set_pen(make_rgb(30, 30, 30), 1);
        for (int k = 0; k < terrain_count; ++k) {
            const int x = k * s;
            tc.set_brush(colours[k]);
            tc.polygon(
                {{x + f, 0}, {x + s - f, 0}, {x + s - 1, h}, {x + s - f, s - 1}, {x + f, s - 1}, {x, h}});
        }
    }
    for (auto& t : symbols->terrain_symbols)
        t.mask = 1;
}

} // namespace

TEST_F(map_draw_test, screenshots_of_the_main_window_at_the_three_zoom_levels) {
    auto build_game = [] {
        build_symbols(true);
        paint_hex_terrain();
        build_board(1, 40, 30);
        for (std::int32_t h = 0; h < board->hex_count; ++h)
            board->hex_array[static_cast<std::size_t>(h)].terrain =
                (h * 7 + h / 40) % 6 == 0 ? 1 : (h % 13 == 0 ? 2 : 0);
        for (std::int32_t h = 3 * 40 + 4; h < 3 * 40 + 9; ++h)
            board->hex_array[static_cast<std::size_t>(h)].terrain = 3;
        // A river along the upper sides of row 5 and a road down column 6.
        board->hexside_array.clear();
        board->hexline_type_array[1] = hexline_type_struct{20, {2, 3, 4}, {}, 1};
        board->hexline_type_array[2] = hexline_type_struct{13, {1, 2, 3}, {}, 4};
        for (std::int32_t c = 2; c < 12; ++c) {
            board->hex_array[static_cast<std::size_t>(5 * 40 + c)].flags |= 4;
            board->hexside_array.push_back(hexside_struct{5 * 40 + c, 1, 4});
        }
        board->hexside_array.push_back(hexside_struct{});
        board->hexline_array.clear();
        for (std::int32_t r = 1; r < 10; ++r) {
            board->hex_array[static_cast<std::size_t>(r * 40 + 6)].flags |= 1;
            board->hexline_array.push_back(hexline_struct{r * 40 + 6, 2, 1, 128});
        }
        board->hexline_array.push_back(hexline_struct{});
        placename_struct town;
        town.hex = 3 * 40 + 6;
        set_name(town.name, "Eastfield");
        town.colour = 0;
        town.font_size[0] = 8;
        town.font_size[1] = 10;
        town.font_size[2] = 12;
        town.label_position[0] = town.label_position[1] = town.label_position[2] = 1;
        town.style = 3 | 16;
        town.terrain = t_grid_dot;
        board->placename_array = {town};
        board->hex_array[static_cast<std::size_t>(town.hex)].flags |= 2;
        add_unit(p_cyan, 2 * 40 + 3);
        add_unit(p_orange, 2 * 40 + 3);
        add_unit(p_grey, 4 * 40 + 8);
        add_unit(p_yellow, 6 * 40 + 5, 200);
        add_unit(p_cyan, 7 * 40 + 10);
        game_settings.symbols_per_hex[0] = game_settings.symbols_per_hex[1] =
            game_settings.symbols_per_hex[2] = 4;
        return true;
    };
    open_game_hook = build_game;
    auto f = std::make_unique<main_form>();
    f->create_window();
    f->resize(900, 640);
    QCoreApplication::processEvents();
    ASSERT_TRUE(f->open_saved_game());
    QCoreApplication::processEvents();
    QWidget* frame = f->controls().mapscreen_frame;
    const QString shots = QString::fromStdString(make_temp_folder());
    for (int z = 0; z < 3; ++z) {
        zoom_level = z;
        view_origin_hex = 0;
        redraw_map();
        QCoreApplication::processEvents();
        QImage shot = f->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString path = shots + QStringLiteral("/map_zoom_%1.png").arg(z);
        EXPECT_TRUE(shot.save(path, "PNG"));
        // What the window shows in its map frame is the screen copy.
        const QPoint origin = frame->mapTo(f.get(), QPoint(0, 0));
        ASSERT_EQ(view_width, frame->width());
        int differing = 0;
        for (int y = 0; y < view_height; y += 7)
            for (int x = 0; x < view_width; x += 7)
                differing += (shot.pixel(origin.x() + x, origin.y() + y) & 0xFFFFFFu) !=
                             pixel_of(screen_save_bitmap, x, y);
        EXPECT_EQ(differing, 0) << z;
        const auto [px, py] = xy(2 * 40 + 3);
        EXPECT_EQ(shot.pixel(origin.x() + px + s() / 2 + s() / 4, origin.y() + py + s() / 2) & 0xFFFFFFu,
                  cyan)
            << z;
    }
    // A larger window: the next paint asks for buffers of the frame's new size and a redraw.
    f->resize(1000, 700);
    for (int i = 0; i < 5; ++i) {
        f->repaint();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(screen_save_bitmap.width(), frame->width() + 2);
    EXPECT_EQ(screen_save_bitmap.height(), frame->height() + 2);
    EXPECT_NE(pixel_of(screen_save_bitmap, frame->width() - 3, frame->height() - 3), 0u)
        << "drawn, not blank";
    open_game_hook = nullptr;
    f.reset();
}

namespace {

TEST_F(map_draw_test, symbol_offsets_keep_inside_the_hex_of_each_grid) {
    struct row {
        int grid;
        bool hex_shape;
        int mode;
        int ws, hs, slot;
        int dx, dy;
    };
    // s = 20: half 10, a fifth 4.
    const row table[] = {
        {3, false, 4, 10, 10, 12, 0, 5},      // left half
        {1, true, 4, 10, 10, 12, 4, 5},       // kept off the blunt left corner
        {1, true, 4, 10, 10, 22, 6, 5},       // right half, pulled back inside 4..16
        {1, true, 4, 14, 10, 22, 4, 5},       // too wide for the room: at its left
        {2, true, 4, 10, 10, 13, 0, 4},       // kept below the top point
        {2, true, 4, 10, 10, 33, 5, 6},       // bottom half, kept above 16
        {3, true, 4, 10, 10, 44, 10, 10},     // squares use the whole box
        {1, false, 4, 10, 10, 3, 0, 10},      // plain code 3: bottom-left
        {3, false, 1, 40, 40, 0, 0, 0},       // inside: at the corner
        {3, false, 101, 6, 6, 0, 7, 7},       // inside: centred when smaller
        {3, false, 200, 40, 40, 0, -10, -10}, // centred: spreads
        {3, false, 4, 40, 40, 11, 0, 0},      // larger than the box: at its start
    };
    for (const row& r : table) {
        SCOPED_TRACE("grid " + std::to_string(r.grid) + " slot " + std::to_string(r.slot));
        build_symbols(r.hex_shape);
        build_board(r.grid, 4, 4);
        game_settings.symbols_per_hex[0] = static_cast<std::uint8_t>(r.mode);
        int dx = 99, dy = 99;
        get_symbol_offset_in_hex(r.ws, r.hs, r.slot, dx, dy);
        EXPECT_EQ(dx, r.dx);
        EXPECT_EQ(dy, r.dy);
    }
}

TEST_F(map_draw_test, entire_board_too_large_for_one_bitmap_is_refused) {
    scene(3, false, 2000, 2);
    zoom_level = 2;
    bitmap target(10, 10);
    canvas c(target);
    EXPECT_FALSE(draw_entire_board(c));
    EXPECT_EQ(
        responder.count("Area Too Large", "Could not create temporary bitmap - screen probably too big"), 1);
    EXPECT_EQ(responder.count("Area Too Large", "120120  x  240"), 1);
}

} // namespace

namespace {

TEST_F(map_draw_test, no_game_shows_the_title_picture_centred) {
    free_map();
    const std::string folder = make_temp_folder();
    QImage title(40, 20, QImage::Format_RGB32);
    title.fill(QColor(0, 200, 0));
    ASSERT_TRUE(title.save(QString::fromStdString(folder + "/MAINSCRN.BMP"), "BMP"));
    const std::string saved = program_folder;
    program_folder = folder + "/";
    redraw_map();
    program_folder = saved;
    EXPECT_EQ(pixel_of(screen_save_bitmap, 130, 90), green);
    EXPECT_EQ(pixel_of(screen_save_bitmap, 169, 109), green);
    EXPECT_EQ(pixel_of(screen_save_bitmap, 129, 90), background);
    EXPECT_EQ(pixel_of(screen_save_bitmap, 150, 110), background);
}

TEST_F(map_draw_test, a_hex_out_of_view_draws_nothing_that_shows) {
    scene(3, false, 60, 40);
    redraw_map();
    bitmap before = screen_save_bitmap;
    board->hex_array[30 * 60 + 50].terrain = t_blue;
    map_just_redrawn = 0;
    int shows = 0;
    map_screen_update_hook = [&] { ++shows; };
    redraw_hex(30 * 60 + 50);
    EXPECT_EQ(shows, 0);
    EXPECT_EQ(pixel_of(screen_save_bitmap, 150, 100), pixel_of(before, 150, 100));
}

} // namespace

namespace {

TEST_F(map_draw_test, large_redraws_show_progress_small_ones_do_not) {
    scene(3, false, 60, 40);
    view_width = 1200; // 60 x 35 cells
    view_height = 700;
    clear_progress_log();
    redraw_map();
    ASSERT_EQ(progress_log().size(), 1u);
    EXPECT_EQ(progress_log()[0].label, "Drawing map/board, please wait...");
    EXPECT_GT(progress_log()[0].position, 50);
    clear_progress_log();
    map_just_redrawn = 0;
    redraw_hex(5 * 60 + 5);
    view_width = 300;
    view_height = 200;
    redraw_map();
    EXPECT_TRUE(progress_log().empty());
}

} // namespace

namespace {
TEST_F(map_draw_test, status_dots_by_condition_position_and_zoom) {
    struct row {
        const char* name;
        std::uint8_t kind, position;
        std::int32_t limit;
        std::uint8_t size_zoom0;
        std::uint8_t piece_flags;
        int dot_dx, dot_dy; // the dot's middle from the piece box; -1: no dot anywhere
    };
    // The big piece fills the 40 x 40 box at the hex's corner; a dot of size 6.
    const std::vector<row> table = {
        {"moved, top left", 1, 1, 1, 6, piece_flag_moved, 4, 4},
        {"not moved, limit 0 marks it", 1, 1, 0, 6, 0, 4, 4},
        {"not moved, limit 1", 1, 1, 1, 6, 0, -1, -1},
        {"in combat, bottom right", 2, 9, 1, 6, piece_flag_defended, 36, 36},
        {"attacked only misses a defender", 3, 5, 1, 6, piece_flag_defended, -1, -1},
        {"defended, centre", 4, 5, 1, 6, piece_flag_defended, 20, 20},
        {"class value 2 reaches 5", 0x25, 2, 5, 6, 0, 20, 4},
        {"class value 2 short of 6", 0x25, 2, 6, 6, 0, -1, -1},
        {"piece value 1, alpha, not empty", 0x16, 7, 1, 6, 0, 4, 36},
        {"value number past the eight", 0x95, 1, 0, 6, 0, -1, -1},
        {"condition from a damaged file", 7, 1, 0, 6, 0, -1, -1},
        {"position past nine", 1, 10, 0, 6, 0, -1, -1},
        {"size 0 at this zoom", 1, 1, 0, 0, 0, -1, -1},
    };
    const colour_rgb dot_colour = map_colour(15);
    for (const row& r : table) {
        SCOPED_TRACE(r.name);
        new_game();
        scene(3);
        game_settings.symbols_per_hex[0] = 1;
        const std::int32_t hex = 2 * 8 + 3;
        const int p = add_unit(p_big_purple, hex);
        piece_struct& piece = game->piece_array[static_cast<std::size_t>(p)];
        piece.flags = r.piece_flags;
        class_struct& cls = game->class_array[static_cast<std::size_t>(piece.class_index)];
        cls.owner = owner_all_players;
        cls.values[2] = {0, 0, 0, 5};
        cls.value_types[2] = 1;
        piece.values[1] = {0, 0, 'A', 'B'};
        piece.value_types[1] = 2;
        status_dot_struct& d = game->status_dots[3];
        d = status_dot_struct{};
        d.kind = r.kind;
        d.position = r.position;
        d.limit = r.limit;
        d.colour = 15;
        d.size[0] = r.size_zoom0;
        redraw_map();
        if (r.dot_dx < 0) {
            auto [x, y] = xy(hex);
            EXPECT_EQ(count_colour(x, y, 40, 40, dot_colour), 0);
        } else {
            EXPECT_EQ(at(hex, r.dot_dx, r.dot_dy), dot_colour);
            // Four pixels further into the box the piece shows again: the dot is 6 wide.
            EXPECT_EQ(at(hex, r.dot_dx + (r.dot_dx > 20 ? -4 : 4), r.dot_dy + (r.dot_dy > 20 ? -4 : 4)),
                      purple);
        }
    }
    // A piece its viewer sees only hidden shows no dot.
    new_game();
    scene(3);
    game_settings.symbols_per_hex[0] = 1;
    one_player_who_hides();
    const std::int32_t hex = 2 * 8 + 3;
    const int p = add_unit(p_big_purple, hex);
    game->piece_array[static_cast<std::size_t>(p)].hidden = 1;
    game->status_dots[0] = status_dot_struct{1, 0, 15, 1, {6, 6, 6}};
    current_player = -1;
    redraw_map();
    auto [x, y] = xy(hex);
    EXPECT_EQ(count_colour(x, y, 40, 40, dot_colour), 0);
}
} // namespace

namespace {
TEST_F(map_draw_test, a_facing_bar_stands_outside_the_symbol_box_at_each_zoom) {
    const colour_rgb fill = map_colour(15);
    for (int z = 0; z < 3; ++z) {
        SCOPED_TRACE(z);
        new_game();
        scene(3);
        zoom_level = static_cast<std::uint8_t>(z);
        game_settings.symbols_per_hex[z] = 1;
        facing_set_struct set;
        set.direction = 1;
        set.style = 1;
        set.fill_colour = 15;
        set.outline_colour = 15;
        set.size[0] = set.size[1] = set.size[2] = 3;
        game->facing_set_array = {set, facing_set_struct{}};
        const std::int32_t hex = 2 * 8 + 3;
        const int p = add_unit(p_cyan, hex);
        game->class_array[static_cast<std::size_t>(
                              game->piece_array[static_cast<std::size_t>(p)].class_index)]
            .facing_set = 1;
        game->piece_array[static_cast<std::size_t>(p)].facing = 1;
        redraw_map();
        // The small piece fills the middle half of the hex: its box starts a quarter in.
        const int q = s() / 4, mid = s() / 2;
        EXPECT_EQ(at(hex, mid, q + 2), cyan);
        EXPECT_EQ(at(hex, mid, q - 2), fill) << "the bar above the box";
        EXPECT_EQ(at(hex, mid + 5, q - 2), fill) << "12 long";
        EXPECT_NE(at(hex, mid, q - 5), fill) << "3 thick";
        // Facing 0: no bar.
        game->piece_array[static_cast<std::size_t>(p)].facing = 0;
        redraw_map();
        EXPECT_NE(at(hex, mid, q - 2), fill);
    }
    zoom_level = 0;
}
} // namespace

namespace {
TEST_F(map_draw_test, a_stack_symbol_takes_the_last_slot_of_a_crowded_hex_or_lies_over_it) {
    struct row {
        const char* name;
        int mode, minimum;
        colour_rgb at_last_slot, at_centre;
    };
    const std::vector<row> table = {
        {"four slots, the stack in the last", 4, 5, orange, orange},
        {"no definition met: the pieces", 4, 6, cyan, cyan},
        {"overlay stack over the pieces", 104, 5, cyan, orange},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.name);
        new_game();
        scene(3);
        game_settings.symbols_per_hex[0] = static_cast<std::uint8_t>(r.mode);
        const std::int32_t hex = 2 * 8 + 3;
        for (int k = 0; k < 5; ++k)
            add_unit(p_cyan, hex);
        stack_def_struct d;
        d.stack_symbol = p_orange;
        d.required_class = class_end;
        d.minimum_pieces[0] = static_cast<std::uint8_t>(r.minimum);
        d.owner = owner_all_players;
        game->stack_def_array = {d, stack_def_struct{}};
        redraw_map();
        EXPECT_EQ(at(hex, 15, 15), r.at_last_slot);
        EXPECT_EQ(at(hex, 10, 10), r.at_centre);
        if (r.mode == 4) {
            EXPECT_EQ(at(hex, 5, 5), cyan) << "the first slot keeps a piece";
        }
    }
}
} // namespace
