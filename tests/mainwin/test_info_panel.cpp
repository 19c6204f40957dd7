// The hex and piece info panels, the value formats, piece cycling, and the boxes of the main
// window following the mouse over the demo game.
#include "test_support.h"
#include "window_fixture.h"

#include "data/alliances.h"
#include "data/current_player.h"
#include "data/game_settings.h"
#include "data/hex_geometry.h"
#include "data/los_settings.h"
#include "data/view_state.h"
#include "demo_game.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/info_boxes.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/game_open.h"
#include "mainwin/info_panel.h"
#include "mainwin/map_draw.h"
#include "mainwin/settings_files.h"
#include "mainwin/view_geometry.h"
#include "platform/bitmap_qt.h"
#include "platform/files.h"
#include "players/visibility.h"
#include "ui_main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using four = std::array<std::uint8_t, 4>;

TEST(value_format, every_type_and_its_edges) {
    struct row {
        int type;
        four bytes;
        std::string expected;
    };
    const row table[] = {
        {0, {0, 0, 0, 7}, ""},
        {1, {0, 0, 0, 5}, "5"},
        {1, {0, 0, 1, 0}, "256"},
        {1, {0, 1, 0, 0}, "65536"},
        {1, {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
        {1, {0xFF, 0xFF, 0xFF, 0xFE}, "-2"},
        {1, {0x80, 0, 0, 0}, "-2147483648"},
        {1, {0x7F, 0xFF, 0xFF, 0xFF}, "2147483647"},
        {2, {'A', 'B', 'C', 'D'}, "ABCD"}, // all four characters, no end byte needed
        {2, {'X', 'y', 0, 0}, "Xy"},
        {2, {0, 'B', 'C', 0}, ""},
        {2, {0xE9, '!', 0, 0}, "\xE9!"},
        {3, {1, 0, 0, 0}, "Yes"},
        {3, {0, 0, 0, 0}, "No"},
        {3, {0, 1, 1, 1}, "No"},
        {10, {1, 2, 3, 4}, ""}, // the card mark is no value
        {7, {0, 0, 0, 1}, ""},
    };
    for (const row& r : table)
        EXPECT_EQ(format_class_value(static_cast<std::uint8_t>(r.type), r.bytes), r.expected)
            << "type " << r.type;
}

class info_panel_test : public fresh_game_test {
protected:
    enum { t_clear, t_forest, t_unnamed, t_hill, terrain_count };

    void SetUp() override {
        fresh_game_test::SetUp();
        current_player = -1;
        set_default_colour_table();
        auto& set = *symbols;
        set.terrain_symbol_count = terrain_count;
        set.terrain_symbols.resize(terrain_count);
        const char* names[] = {"Clear", "Forest", "", "Hill"};
        for (int i = 0; i < terrain_count; ++i)
            set_name(set.terrain_symbols[static_cast<std::size_t>(i)].name, names[i]);
        auto& b = *board;
        b.map_columns = 10;
        b.map_rows = 10;
        b.hex_count = 100;
        b.grid_type = 1;
        b.hex_array.assign(100, hex_struct{});
        for (auto& h : b.hex_array)
            h.terrain = t_clear;
        b.hex_piece_counts.assign(100, 0);
        b.hexline_type_array.resize(6);
        const char* types[] = {"Trail", "Road", "River", "", "Ghost"};
        for (int i = 0; i < 5; ++i) {
            set_name(b.hexline_type_array[static_cast<std::size_t>(i)].name, types[i]);
            b.hexline_type_array[static_cast<std::size_t>(i)].style = i == 3 ? 0 : 1;
        }
        reset_los_settings();
        terrain_los_array.assign(terrain_count, terrain_los_struct{});
        terrain_los_array[t_forest].height_above_ground = 3;
        terrain_los_array[t_forest].ground_level = 7;
        game_settings.use_elevations = 0;
        unit_panel_width = 526;
        unit_panel_height = 55;
        hex_panel_width = 230;
        hex_panel_height = 55;
        last_info_hex = -1;
        end_piece_cycle();
    }
    void TearDown() override {
        current_player = -1;
        game_settings.use_elevations = 0;
        reset_los_settings();
        terrain_los_array.clear();
        cycle_start = -1;
        cycle_list[0] = -1;
        last_info_hex = -1;
        piece_cycle_ended_hook = nullptr;
    }

    std::vector<std::pair<int, std::string>> lines_of(int hex) const {
        std::vector<std::pair<int, std::string>> out;
        for (const panel_text& t : hex_info_lines(hex, 230))
            out.push_back({t.y, t.text});
        return out;
    }

    void add_players() {
        game->player_array.assign(3, player_struct{});
        set_name(game->player_array[0].name, "Ann");
        set_name(game->player_array[1].name, "Bob");
        game->player_array[0].flags = player_flag_uses_hidden;
        game->player_count = 2;
        reset_alliance_table(2);
    }
    int make_class(const char* name, int owner, bool card = false) {
        const int c = add_class();
        class_struct& r = game->class_array[static_cast<std::size_t>(c)];
        r = class_struct{};
        r.symbol = 0;
        set_name(r.name, name);
        r.owner = static_cast<std::uint8_t>(owner);
        r.hidden_symbol = 5; // a hidden piece shows this symbol
        if (card) r.value_types[0] = value_type_card;
        return c;
    }
    int make_piece(const char* name, int class_index, int hex, std::uint8_t flags = 0,
                   std::uint8_t hidden = 0) {
        const int p = add_piece();
        piece_struct& r = game->piece_array[static_cast<std::size_t>(p)];
        r = piece_struct{};
        set_name(r.name, name);
        r.class_index = class_index;
        r.location = hex;
        r.flags = flags;
        r.hidden = hidden;
        if (game->class_array[static_cast<std::size_t>(class_index)].is_card())
            r.value_types[0] = value_type_card;
        return p;
    }
    static void set_number(value_bytes& v, std::uint8_t (&types)[8], int slot, std::int32_t n) {
        const auto u = static_cast<std::uint32_t>(n);
        v[static_cast<std::size_t>(slot)] = {static_cast<std::uint8_t>(u >> 24),
                                             static_cast<std::uint8_t>(u >> 16),
                                             static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u)};
        types[slot] = 1;
    }
    static void set_text(value_bytes& v, std::uint8_t (&types)[8], int slot, const char* s) {
        four f{};
        for (std::size_t i = 0; i < 4 && s[i]; ++i)
            f[i] = static_cast<std::uint8_t>(s[i]);
        v[static_cast<std::size_t>(slot)] = f;
        types[slot] = 2;
    }
};

TEST_F(info_panel_test, values_are_joined_with_empty_ones_left_out) {
    const int c = make_class("Infantry", 0);
    class_struct& k = game->class_array[static_cast<std::size_t>(c)];
    set_number(k.values, k.value_types, 0, 12);
    set_text(k.values, k.value_types, 2, "ABCD");
    k.value_types[3] = 3;
    k.values[3] = {1, 0, 0, 0};
    set_text(k.values, k.value_types, 4, ""); // an empty text is left out
    set_number(k.values, k.value_types, 7, -3);
    EXPECT_EQ(format_class_values(c), "12-ABCD-Yes--3");

    const int p = make_piece("1st", c, 5);
    piece_struct& r = game->piece_array[static_cast<std::size_t>(p)];
    set_number(r.values, r.value_types, 1, 4);
    r.value_types[5] = 3; // "No"
    EXPECT_EQ(format_piece_values(p), "4-No");

    // Indices that name no record, the end records and free slots give nothing.
    for (int bad : {-1, c + 1, 500})
        EXPECT_EQ(format_class_values(bad), "") << bad;
    for (int bad : {-1, p + 1, 500})
        EXPECT_EQ(format_piece_values(bad), "") << bad;
    game->piece_array[static_cast<std::size_t>(p)].location = location_free;
    EXPECT_EQ(format_piece_values(p), "");
}

TEST_F(info_panel_test, hex_panel_lines) {
    using lines = std::vector<std::pair<int, std::string>>;
    auto& hexes = board->hex_array;
    auto& places = board->placename_array;
    struct row {
        const char* what;
        std::function<void()> set_up;
        int hex;
        lines expected;
    };
    const row table[] = {
        {"plain terrain", [&] { hexes[11].terrain = t_forest; }, 11, {{2, "11"}, {16, "Forest"}}},
        {"terrain that names no symbol: an empty line keeps the places",
         [&] {
             hexes[11].terrain = 99;
             hexes[11].second_terrain = t_hill;
         },
         11,
         {{2, "11"}, {16, ""}, {27, "Hill"}}},
        {"negative terrain index", [&] { hexes[12].terrain = -4; }, 12, {{2, "12"}, {16, ""}}},
        {"symbol without a name", [&] { hexes[12].terrain = t_unnamed; }, 12, {{2, "12"}, {16, ""}}},
        {"elevation from the map",
         [&] {
             game_settings.use_elevations = 1;
             hexes[13].terrain = t_hill;
             hexes[13].elevation = -2;
         },
         13,
         {{2, "13"}, {16, "Hill (Elev:-2)"}}},
        {"elevation from the terrain's ground level",
         [&] {
             game_settings.use_elevations = 1;
             los_settings.terrain_ground_levels_in_use = 1;
             hexes[13].terrain = t_forest;
             hexes[13].elevation = 2;
         },
         13,
         {{2, "13"}, {16, "Forest (Elev:7)"}}},
        {"elevations off: no elevation",
         [&] {
             hexes[13].terrain = t_forest;
             hexes[13].elevation = 2;
         },
         13,
         {{2, "13"}, {16, "Forest"}}},
        {"second terrain with its height",
         [&] {
             game_settings.use_elevations = 1;
             hexes[14].second_terrain = t_forest;
         },
         14,
         {{2, "14"}, {16, "Clear (Elev:0)"}, {27, "Forest  (Elev+3)"}}},
        {"second terrain of height 0",
         [&] {
             game_settings.use_elevations = 1;
             hexes[14].second_terrain = t_hill;
         },
         14,
         {{2, "14"}, {16, "Clear (Elev:0)"}, {27, "Hill"}}},
        {"second terrain past the table",
         [&] { hexes[14].second_terrain = 63000; },
         14,
         {{2, "14"}, {16, "Clear"}}},
        {"place name with its terrain",
         [&] {
             places.push_back({});
             places.back().hex = 15;
             places.back().terrain = t_hill;
             set_name(places.back().name, "Oakford");
             places.push_back({});
             places.back().hex = 15; // only the first record of the hex counts
             set_name(places.back().name, "Later");
         },
         15,
         {{2, "15"}, {16, "Oakford (Hill)"}, {27, "Clear"}}},
        {"place name whose terrain is not a symbol",
         [&] {
             places.push_back({});
             places.back().hex = 15;
             places.back().terrain = 1234;
             set_name(places.back().name, "Oakford");
         },
         15,
         {{2, "15"}, {16, "Oakford"}, {27, "Clear"}}},
        {"overlays, a name listed twice, an invalid one skipped",
         [&] {
             hexes[16].flags = 8 * 3;
             board->hex_overlay_array = {
                 {16, t_hill}, {16, 400}, {3, t_forest}, {16, t_hill}, {16, t_forest}};
         },
         16,
         {{2, "16"}, {16, "Clear"}, {27, "Hill, Hill, Forest"}}},
        {"overlay records without the hex's count",
         [&] {
             board->hex_overlay_array = {{16, t_hill}};
         },
         16,
         {{2, "16"}, {16, "Clear"}}},
        {"hexlines: each type once, types past the first unused one left out",
         [&] {
             hexes[17].flags = 1;
             board->hexline_array = {
                 {17, 1, 1, 0}, {17, 2, 4, 0}, {17, 1, 8, 0}, {17, 4, 1, 0}, {17, 200, 1, 0}};
         },
         17,
         {{2, "17"}, {16, "Clear"}, {27, "Road, River"}}},
        {"hexsides of the hex and of the neighbours' shared sides, each once",
         [&] {
             hexes[44].flags = 4;
             const std::int32_t down_right = neighbour_hex(44, 3), up_right = neighbour_hex(44, 9);
             board->hexside_array = {{44, 2, side_1_upper},
                                     {54, 2, side_1_upper},
                                     {54, 1, side_1_upper},
                                     {down_right, 0, side_1_upper_left},
                                     {down_right, 4, side_1_upper_left},
                                     {up_right, 2, side_1_lower_left},
                                     {up_right, 1, side_1_upper},
                                     {63000, 0, 0}};
         },
         44,
         {{2, "44"}, {16, "Clear"}, {27, "River, Road, Trail"}}},
        {"everything at once",
         [&] {
             game_settings.use_elevations = 1;
             hexes[18].terrain = t_forest;
             hexes[18].second_terrain = t_forest;
             hexes[18].elevation = 1;
             hexes[18].flags = 1 | 2 | 8;
             places.push_back({});
             places.back().hex = 18;
             set_name(places.back().name, "Mill");
             board->hex_overlay_array = {{18, t_hill}};
             board->hexline_array = {{18, 0, 1, 0}};
         },
         18,
         {{2, "18"},
          {16, "Mill (Clear)"},
          {27, "Forest (Elev:1)"},
          {38, "Forest  (Elev+3)"},
          {49, "Hill"},
          {60, "Trail"}}},
        {"off the board", [] {}, 100, {}},
        {"no hex", [] {}, -1, {}},
        {"the end mark", [] {}, 63000, {}},
    };
    for (const row& r : table) {
        SetUp();
        r.set_up();
        EXPECT_EQ(lines_of(r.hex), r.expected) << r.what;
    }
}

TEST_F(info_panel_test, hex_panel_fonts_colours_and_the_centred_label) {
    board->hex_array[11].flags = 2 | 1;
    board->placename_array = {{}};
    board->placename_array[0].hex = 11;
    set_name(board->placename_array[0].name, "Mill");
    board->hexline_array = {{11, 0, 1, 0}};
    const std::vector<panel_text> v = hex_info_lines(11, 230);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0].x, (230 - 8 * 2) / 2);
    EXPECT_EQ(v[0].font, "10.MS Sans Serif.Bold");
    EXPECT_EQ(v[0].colour, 6);
    EXPECT_EQ(v[1].font, "8.MS Sans Serif.Bold");
    EXPECT_EQ(v[1].colour, 20);
    EXPECT_EQ(v[2].font, "10.MS Sans Serif");
    EXPECT_EQ(v[2].colour, 11);
    EXPECT_EQ(v[3].colour, 0);
    for (std::size_t i = 1; i < v.size(); ++i)
        EXPECT_EQ(v[i].x, 6);

    // A label on a map sheet; one wider than the panel starts at its left edge.
    board_struct s;
    s.last_column = 9;
    s.last_row = 9;
    set_name(s.name, "NORTH");
    s.flags = 2 | 4 | 8 | 16 | 32;
    s.column_origin = 1;
    s.row_origin = 1;
    s.column_label_width = 2;
    s.row_label_width = 2;
    board->board_array = {s, board_struct{}};
    const std::string label = hex_coordinate_label(11);
    ASSERT_EQ(label.size(), 10u);
    ASSERT_EQ(label.substr(0, 6), "NORTH ");
    EXPECT_EQ(hex_info_lines(11, 230)[0].text, label);
    EXPECT_EQ(hex_info_lines(11, 230)[0].x, (230 - 8 * 10) / 2);
    EXPECT_EQ(hex_info_lines(11, 40)[0].x, 0);
}

// Who sees what of the pieces in one hex.
class unit_panel_test : public info_panel_test {
protected:
    void SetUp() override {
        info_panel_test::SetUp();
        add_players();
        infantry = make_class("Infantry", 0);
        class_struct& k = game->class_array[static_cast<std::size_t>(infantry)];
        set_number(k.values, k.value_types, 0, 4);
        set_text(k.values, k.value_types, 1, "Mech");
        deck = make_class("Deck A", owner_all_players, true);
        moved = make_piece("1st Bn", infantry, 11, piece_flag_moved);
        piece_struct& m = game->piece_array[static_cast<std::size_t>(moved)];
        set_number(m.values, m.value_types, 0, -7);
        spotted = make_piece("2nd Bn", infantry, 11, piece_flag_attacked, 1);
        hidden = make_piece("Scouts", infantry, 11, piece_flag_defended, 2);
        card_up = make_piece("Ace", deck, 11);
        card_down = make_piece("King", deck, 11, 0, 1);
        // A pooled piece's location is its pool's number, which may equal a hex number.
        game->pool_array.assign(13, pool_struct{});
        for (auto& pool : game->pool_array)
            pool.piece_count = 1;
        game->pool_array.back().piece_count = class_end;
        pooled = make_piece("Reserve", infantry, 11, piece_flag_in_pool);
        elsewhere = make_piece("Far", infantry, 12);
    }
    int infantry = 0, deck = 0, moved = 0, spotted = 0, hidden = 0, card_up = 0, card_down = 0, pooled = 0,
        elsewhere = 0;
};

TEST_F(unit_panel_test, each_viewer_sees_what_he_may_know) {
    struct line {
        int piece;
        std::string name, class_name, piece_values, class_values;
        bool operator==(const line&) const = default;
    };
    struct row {
        int viewer;
        std::string head;
        std::vector<line> lines;
    };
    const row table[] = {
        {0,
         "(3 Pieces  +  2 Cards)",
         {{moved, "1st Bn", "Infantry", "-7", "4-Mech"},
          {spotted, "2nd Bn", "Infantry", "", "4-Mech"},
          {hidden, "Scouts", "Infantry", "", "4-Mech"},
          {card_up, "Ace", "Deck A", "", ""},
          {card_down, "Card (Face Down)", "", "", ""}}},
        {1,
         "(3 Pieces  +  2 Cards)",
         {{moved, "1st Bn", "Infantry", "-7", "4-Mech"},
          {spotted, "Unknown Piece", "Infantry", "", "4-Mech"},
          {hidden, "Unknown/Hidden Piece", "", "", ""},
          {card_up, "Ace", "Deck A", "", ""},
          {card_down, "Card (Face Down)", "", "", ""}}},
        {-1,
         "(3 Pieces  +  2 Cards)",
         {{moved, "1st Bn", "Infantry", "-7", "4-Mech"},
          {spotted, "Unknown Piece", "Infantry", "", "4-Mech"},
          {hidden, "Unknown/Hidden Piece", "", "", ""},
          {card_up, "Ace", "Deck A", "", ""},
          {card_down, "Card (Face Down)", "", "", ""}}},
    };
    for (const row& r : table) {
        current_player = r.viewer;
        const unit_panel_content c = unit_panel_for_hex(11);
        EXPECT_EQ(c.head, r.head) << "viewer " << r.viewer;
        std::vector<line> got;
        for (const unit_panel_line& l : c.lines)
            got.push_back({l.piece, l.name, l.class_name, l.piece_values, l.class_values});
        EXPECT_EQ(got, r.lines) << "viewer " << r.viewer;
        // Nothing of a piece the viewer may not know reaches the panel.
        for (const unit_panel_line& l : c.lines) {
            if (l.visibility == visibility_full) continue;
            for (const std::string& t : {l.name, l.class_name, l.piece_values, l.class_values})
                for (const char* secret : {"2nd Bn", "Scouts", "King", "-7"})
                    EXPECT_EQ(t.find(secret), std::string::npos) << secret << " leaked to " << r.viewer;
        }
    }

    current_player = 1;
    const unit_panel_content c = unit_panel_for_hex(11);
    ASSERT_EQ(c.lines.size(), 5u);
    EXPECT_TRUE(c.lines[0].moved);
    EXPECT_EQ(c.lines[0].combat_mark, 0);
    EXPECT_EQ(c.lines[0].hidden_mark, 0);
    EXPECT_FALSE(c.lines[1].moved);
    EXPECT_EQ(c.lines[1].combat_mark, 'A');
    EXPECT_EQ(c.lines[1].hidden_mark, 'h');
    EXPECT_EQ(c.lines[2].combat_mark, 'D');
    EXPECT_EQ(c.lines[2].hidden_mark, 'H');
    EXPECT_EQ(c.lines[4].hidden_mark, 'h');
    EXPECT_TRUE(c.lines[3].card);

    // The panel's list is what the actions of the hex work on.
    show_hex_pieces_info(11);
    const std::vector<int> listed(action_selection, action_selection + 6);
    EXPECT_EQ(listed, (std::vector<int>{moved, spotted, hidden, card_up, card_down, -1}));
}

TEST_F(unit_panel_test, pieces_not_shown_at_all_get_no_line) {
    // A fully hidden piece whose class has no hidden symbol of its own, and an owner without one.
    game->class_array[static_cast<std::size_t>(infantry)].hidden_symbol = 30000;
    game->player_array[0].default_hidden_symbol = 30001;
    current_player = 1;
    const unit_panel_content c = unit_panel_for_hex(11);
    std::vector<int> pieces;
    for (const auto& l : c.lines)
        pieces.push_back(l.piece);
    EXPECT_EQ(pieces, (std::vector<int>{moved, spotted, card_up, card_down}));
    EXPECT_EQ(c.head, "(2 Pieces  +  2 Cards)");
}

TEST_F(info_panel_test, head_line_counts_pieces_and_cards) {
    add_players();
    const int c = make_class("Tank", 0);
    const int d = make_class("Deck", owner_all_players, true);
    struct row {
        int pieces, cards;
        std::string head;
    };
    const row table[] = {
        {0, 0, ""},
        {1, 0, "(1 Piece)"},
        {2, 0, "(2 Pieces)"},
        {1, 2, "(1 Piece  +  2 Cards)"},
        {2, 1, "(2 Pieces  +  1 Card)"},
        {0, 1, "(1 Card)"},
        {0, 2, "(2 Cards)"},
    };
    int hex = 20;
    for (const row& r : table) {
        for (int i = 0; i < r.pieces; ++i)
            make_piece("P", c, hex);
        for (int i = 0; i < r.cards; ++i)
            make_piece("C", d, hex);
        EXPECT_EQ(unit_panel_for_hex(hex).head, r.head) << r.pieces << " pieces, " << r.cards << " cards";
        ++hex;
    }
}

TEST_F(unit_panel_test, panels_are_drawn_in_their_colours_and_cleared_off_the_board) {
    current_player = 0;
    show_hex_pieces_info(11);
    show_hex_info(11);
    for (const bitmap* b : {&unit_panel_bitmap, &hex_panel_bitmap}) {
        ASSERT_FALSE(b->is_null());
        EXPECT_EQ(pixel_of(*b, 1, 1), map_colour(144)) << "border";
        EXPECT_EQ(pixel_of(*b, b->width() - 2, b->height() - 2), map_colour(144)) << "border";
        EXPECT_EQ(pixel_of(*b, 0, 0), map_colour(120)) << "fill outside the border";
        EXPECT_EQ(pixel_of(*b, b->width() - 5, b->height() - 4), map_colour(120)) << "fill";
    }
    EXPECT_EQ(unit_panel_bitmap.width(), 526);
    EXPECT_EQ(hex_panel_bitmap.height(), 55);
    auto drawn = [](const bitmap& b, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (pixel_of(b, x, y) != map_colour(120)) ++n;
        return n;
    };
    EXPECT_GT(drawn(unit_panel_bitmap, 2, 3, 200, 15), 0) << "head line";
    EXPECT_GT(drawn(unit_panel_bitmap, 30, 16, 120, 28), 0) << "first piece line";
    EXPECT_GT(drawn(hex_panel_bitmap, 90, 2, 140, 15), 0) << "hex label";

    // The moved mark's box, of entry 7, and the next line's unmoved box, of entry 15.
    EXPECT_EQ(pixel_of(unit_panel_bitmap, 3, 17), map_colour(7));
    EXPECT_EQ(pixel_of(unit_panel_bitmap, 3, 30), map_colour(15));

    // The pointer over the panels' hex again draws nothing; off the board both are cleared.
    int changes = 0;
    info_panels_changed_hook = [&] { ++changes; };
    symbols->hex_size_by_zoom[0] = 20;
    board->hex_width_by_zoom[0] = board->hex_height_by_zoom[0] = 20;
    view_width = 400;
    view_height = 300;
    view_origin_hex = 0;
    zoom_level = 0;
    int x = 0, y = 0;
    hex_to_screen_xy(11, x, y);
    ASSERT_EQ(point_to_hex(x + 10, y + 10), 11);
    EXPECT_TRUE(show_hex_panels_at(x + 10, y + 10));
    const int after_first = changes;
    EXPECT_GT(after_first, 0);
    EXPECT_FALSE(show_hex_panels_at(x + 11, y + 9));
    EXPECT_EQ(changes, after_first) << "the same hex draws nothing";
    EXPECT_EQ(last_info_hex, 11);
    const std::int32_t off = point_to_hex(399, 299);
    ASSERT_EQ(off, 63000);
    EXPECT_TRUE(show_hex_panels_at(399, 299));
    EXPECT_EQ(action_selection[0], -1);
    EXPECT_EQ(drawn(unit_panel_bitmap, 2, 3, 200, 15), 0);
    EXPECT_EQ(drawn(hex_panel_bitmap, 2, 3, 200, 15), 0);
    info_panels_changed_hook = nullptr;
}

TEST_F(unit_panel_test, cycled_piece_texts_and_what_they_keep_hidden) {
    current_player = 1;
    auto texts = [](int piece) {
        std::vector<std::string> v;
        for (const panel_text& t : cycled_piece_lines(piece))
            v.push_back(t.text);
        return v;
    };
    EXPECT_EQ(texts(moved),
              (std::vector<std::string>{"Cycling To Next Unit:", "1st Bn", "Infantry", "Ann", "11"}));
    EXPECT_EQ(cycled_piece_lines(moved)[0].font, "10.MS Sans Serif.Bold.Underline");
    EXPECT_EQ(cycled_piece_lines(moved)[1].font, "10.MS Sans Serif.Bold");
    // Pieces the viewer may not name show no name, class or owner.
    EXPECT_EQ(texts(spotted), (std::vector<std::string>{"Cycling To Next Unit:"}));
    EXPECT_EQ(texts(hidden), (std::vector<std::string>{"Cycling To Next Unit:"}));
    EXPECT_EQ(texts(-1), (std::vector<std::string>{"Cycling To Next Unit:"}));
    EXPECT_EQ(texts(5000), (std::vector<std::string>{"Cycling To Next Unit:"}));
    current_player = 0;
    EXPECT_EQ(texts(pooled),
              (std::vector<std::string>{"Cycling To Next Unit:", "Reserve", "Infantry", "Ann", "  OFFMAP"}));
}

TEST_F(unit_panel_test, cycling_skips_unknown_and_off_board_pieces_and_wraps) {
    current_player = 1;
    const int far_2 = make_piece("Far 2", infantry, 30);
    const std::vector<int> list = {moved, pooled, spotted, elsewhere, far_2, -1};
    std::copy(list.begin(), list.end(), cycle_list);
    cycle_start = 3;
    cycle_position = -1;
    std::vector<int> visited;
    auto step = [&](int d) {
        cycle_to_next_piece(d);
        visited.push_back(cycle_list[cycle_position]);
    };
    step(1); // the chosen start itself
    step(1);
    step(1); // wraps past the end, skipping nothing on the way back to the first
    step(1); // over the pooled piece and the one Bob may not name
    step(-1);
    step(-1); // wraps past the start
    EXPECT_EQ(visited, (std::vector<int>{elsewhere, far_2, moved, elsewhere, moved, far_2}));
    EXPECT_TRUE(responder.shown().empty());
    EXPECT_EQ(cycle_start, 3) << "the cycle goes on";
    // The unit panel shows the piece reached.
    EXPECT_EQ(last_info_hex, -1);
}

TEST_F(unit_panel_test, cycling_with_nothing_known_ends_with_a_message) {
    current_player = 1;
    int ended = 0;
    piece_cycle_ended_hook = [&] { ++ended; };
    const std::vector<int> list = {pooled, spotted, hidden, -1};
    std::copy(list.begin(), list.end(), cycle_list);
    cycle_start = 0;
    responder.answer(box_answer::ok);
    cycle_to_next_piece(1);
    EXPECT_TRUE(responder.saw("No Units Found",
                              "There were no known units found meeting the specificiations. "
                              "\n\rClick Ok to Cancel the cycle operation."));
    EXPECT_EQ(cycle_start, -1);
    EXPECT_EQ(cycle_list[0], -1);
    EXPECT_EQ(ended, 1);

    // With no cycle the buttons do nothing.
    cycle_to_next_piece(1);
    EXPECT_EQ(responder.shown().size(), 1u);

    // An empty list ends the same way.
    cycle_start = 0;
    cycle_list[0] = -1;
    responder.answer(box_answer::ok);
    cycle_to_next_piece(-1);
    EXPECT_EQ(responder.shown().size(), 2u);
    EXPECT_EQ(cycle_start, -1);
}

// --- the main window over the demo game ---------------------------------------------------

using info_boxes_window_test = main_window_test;

int count_not(const QImage& img, QRgb colour) {
    int n = 0;
    for (int y = 3; y < img.height() - 3; ++y)
        for (int x = 3; x < img.width() - 3; ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) ++n;
    return n;
}

void move_mouse(QWidget* w, QPoint at) {
    QMouseEvent e(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

TEST_F(info_boxes_window_test, moving_the_mouse_over_the_map_fills_the_boxes) {
    put_demo_first_in_recent_games();

    startup_command_line = "0";
    last_info_hex = 5; // what the panels showed before the open
    cycle_start = 0;
    cycle_list[0] = 1;
    cycle_list[1] = -1;
    auto f = std::make_unique<main_form>();
    f->create_window();
    f->resize(900, 640);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_TRUE(map_loaded());
    EXPECT_EQ(last_info_hex, -1) << "an open empties the panels";
    EXPECT_EQ(cycle_start, -1) << "and ends a cycle";
    Ui::main_form& ui = f->controls();
    EXPECT_EQ(unit_panel_width, ui.unit_info_box->width());
    EXPECT_EQ(hex_panel_height, ui.hex_info_box->height());

    // A hex with a piece the visitor sees.
    std::int32_t hex = -1;
    for (int i = 0; i < game->piece_end_index && hex < 0; ++i) {
        const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (!p.in_pool() && p.location >= 0 && p.location < board->hex_count && get_piece_visibility(i) > 0)
            hex = p.location;
    }
    ASSERT_GE(hex, 0) << "the demo has pieces on the board";
    bring_hex_into_view(hex);
    QCoreApplication::processEvents();
    int x = 0, y = 0;
    hex_to_screen_xy(hex, x, y);
    const QPoint at(x + cell_width() / 2, y + cell_height() / 2);
    ASSERT_EQ(point_to_hex(at.x(), at.y()), hex);

    const QRgb fill = qRgb(colour_table[120][0], colour_table[120][1], colour_table[120][2]);
    // While a view command redraws, the pointer changes nothing.
    view_ready = 0;
    move_mouse(ui.mapscreen_frame, at);
    EXPECT_NE(last_info_hex, hex);
    EXPECT_EQ(map_mouse_x, at.x());
    view_ready = 1;

    move_mouse(ui.mapscreen_frame, at);
    EXPECT_EQ(last_info_hex, hex);
    EXPECT_NE(action_selection[0], -1);
    QImage unit = ui.unit_info_box->grab().toImage();
    QImage hex_box = ui.hex_info_box->grab().toImage();
    EXPECT_GT(count_not(unit, fill), 50) << "the piece lines";
    EXPECT_GT(count_not(hex_box, fill), 50) << "the hex lines";

    // Within the hex nothing is drawn again.
    int changes = 0;
    auto kept = info_panels_changed_hook;
    info_panels_changed_hook = [&] {
        ++changes;
        kept();
    };
    move_mouse(ui.mapscreen_frame, at + QPoint(1, 1));
    EXPECT_EQ(changes, 0);
    info_panels_changed_hook = kept;

    QCoreApplication::processEvents();
    QString shot = QString::fromStdString(screenshot_path("info-panel.png"));
    EXPECT_TRUE(f->grab().save(shot));

    // The cycle buttons: a chosen cycle shows them; Next shows the piece in the unit box and
    // marks it on the map; Stop ends the cycle and hides them.
    int known = -1;
    for (int i = 0; i < game->piece_end_index && known < 0; ++i) {
        const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (!p.in_pool() && p.location >= 0 && p.location < board->hex_count &&
            get_piece_visibility(i) == visibility_full)
            known = i;
    }
    ASSERT_GE(known, 0);
    bring_hex_into_view(game->piece_array[static_cast<std::size_t>(known)].location);
    QCoreApplication::processEvents();
    cycle_units_form_hook = [known] {
        cycle_list[0] = known;
        cycle_list[1] = -1;
        cycle_start = 0;
    };
    ui.cycle_button->click();
    cycle_units_form_hook = nullptr;
    EXPECT_TRUE(ui.gen_1->isVisible() && ui.gen_2->isVisible() && ui.gen_3->isVisible());
    EXPECT_TRUE(ui.gen_1->isEnabled() && ui.gen_2->isEnabled() && ui.gen_3->isEnabled());
    const QImage before = screen_save_bitmap.native()->image.copy();
    ui.unit_info_box->repaint();
    ui.gen_2->click();
    EXPECT_EQ(cycle_position, 0);
    EXPECT_NE(screen_save_bitmap.native()->image, before) << "the cycled piece is marked on the map";
    QCoreApplication::processEvents();
    EXPECT_TRUE(f->grab().save(QString::fromStdString(screenshot_path("info-panel-cycle.png"))));
    ui.gen_1->click(); // the only piece again
    EXPECT_EQ(cycle_position, 0);
    EXPECT_TRUE(responder.shown().empty());
    ui.gen_3->click();
    EXPECT_EQ(cycle_start, -1);
    EXPECT_FALSE(ui.gen_1->isVisible() || ui.gen_2->isVisible() || ui.gen_3->isVisible());
    EXPECT_FALSE(ui.gen_2->isEnabled());
    move_mouse(ui.mapscreen_frame, QPoint(1, 1));

    // The split bars: 20 pixels right widens the unit box by 20 and keeps 9 between the boxes.
    const QRect unit_before = ui.unit_info_box->geometry(), hex_before = ui.hex_info_box->geometry();
    QTest::mousePress(ui.vsplit_1, Qt::LeftButton, Qt::NoModifier, QPoint(3, 10));
    QTest::mouseRelease(ui.vsplit_1, Qt::LeftButton, Qt::NoModifier, QPoint(23, 10));
    EXPECT_EQ(ui.unit_info_box->width(), unit_before.width() + 20);
    EXPECT_EQ(ui.hex_info_box->width(), hex_before.width() - 20);
    EXPECT_EQ(ui.hex_info_box->x() - ui.unit_info_box->geometry().right() - 1, 9);
    EXPECT_EQ(hex_panel_width, hex_before.width() - 20) << "the panel takes the box's size";
    EXPECT_EQ(ui.vsplit_1->x(), ui.hex_info_box->x() - 7);

    // 10 pixels up makes both boxes 10 higher and the map 10 lower.
    const int map_height = ui.mapscreen_frame->height();
    QTest::mousePress(ui.hsplit_1, Qt::LeftButton, Qt::NoModifier, QPoint(100, 3));
    QTest::mouseRelease(ui.hsplit_1, Qt::LeftButton, Qt::NoModifier, QPoint(100, -7));
    EXPECT_EQ(ui.hex_info_box->height(), hex_before.height() + 10);
    EXPECT_EQ(ui.unit_info_box->height(), hex_before.height() + 10);
    EXPECT_EQ(ui.mapscreen_frame->height(), map_height - 10);
    EXPECT_EQ(view_height, map_height - 10);
    EXPECT_EQ(unit_panel_height, hex_before.height() + 10);
    QCoreApplication::processEvents();
    // Dragged far up, the map keeps a usable height.
    QTest::mousePress(ui.hsplit_1, Qt::LeftButton, Qt::NoModifier, QPoint(100, 3));
    QTest::mouseRelease(ui.hsplit_1, Qt::LeftButton, Qt::NoModifier, QPoint(100, -3000));
    EXPECT_GE(ui.mapscreen_frame->height(), 30);
    // The panels still show the hex after the new sizes.
    QCoreApplication::processEvents();
    EXPECT_GT(count_not(ui.hex_info_box->grab().toImage(), fill), 50);
    QString shot2 = QString::fromStdString(screenshot_path("info-panel-split.png"));
    EXPECT_TRUE(f->grab().save(shot2));

    // Opening a game again empties the panels and ends a cycle of the game before.
    ASSERT_NE(last_info_hex, -1);
    cycle_start = 0;
    cycle_list[0] = known;
    cycle_list[1] = -1;
    recent_game_to_open = 0;
    EXPECT_TRUE(f->open_saved_game());
    recent_game_to_open = -1;
    EXPECT_EQ(last_info_hex, -1);
    EXPECT_EQ(cycle_start, -1);
    EXPECT_EQ(action_selection[0], -1);
}

} // namespace

namespace {
TEST_F(info_panel_test, long_piece_values_never_run_into_the_class_values) {
    add_players();
    current_player = 0;
    const int k = make_class("Guards", 0);
    const int p = make_piece("Long", k, 30);
    piece_struct& piece = game->piece_array[static_cast<std::size_t>(p)];
    for (int n = 0; n < 3; ++n) // longer than the values' column of the layout
        set_number(piece.values, piece.value_types, n, -1234567);
    // The line once without class values, then with them: what the class values add lies right
    // of everything the piece values drew.
    show_hex_pieces_info(30);
    const QImage without = unit_panel_bitmap.native()->image.copy();
    class_struct& c = game->class_array[static_cast<std::size_t>(k)];
    set_number(c.values, c.value_types, 0, 99);
    last_info_hex = -1; // the same hex again: drawn anew
    show_hex_pieces_info(30);
    const QImage& with = unit_panel_bitmap.native()->image;
    int rightmost_value = -1, leftmost_class_value = 1 << 30;
    for (int x = 40; x < without.width() - 3; ++x)
        for (int y = 17; y < 28; ++y) {
            if (without.pixel(x, y) != with.pixel(x, y))
                leftmost_class_value = std::min(leftmost_class_value, x);
            if (without.pixel(x, y) != without.pixel(without.width() - 5, 20) && x > 238)
                rightmost_value = std::max(rightmost_value, x);
        }
    ASSERT_LT(leftmost_class_value, 1 << 30) << "the class values are drawn";
    EXPECT_GT(leftmost_class_value, rightmost_value);
}
} // namespace
