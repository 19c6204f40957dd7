// The demo game: a symbol set with its strip bitmaps, a board and a saved game, all written by
// the program's own writers, the pictures drawn here.
#include "demo_game.h"

#include "data/board.h"
#include "data/game_file.h"
#include "data/game_settings.h"
#include "data/map_file.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "data/symbol_set.h"
#include "data/symbols.h"
#include "data/history_stream.h"
#include "data/los_settings.h"
#include "platform/files.h"
#include "data/current_player.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int columns = 30;
constexpr int rows = 20;
constexpr int cell[3] = {20, 32, 48};    // terrain symbol cell per zoom
constexpr int counter[3] = {16, 26, 40}; // piece symbol size per zoom

enum terrain_id { clear, woods, hills, town, water, rough, terrain_kinds };
const char* const terrain_names[terrain_kinds] = {"Clear", "Woods", "Hills", "Town", "Water", "Rough"};
const QColor terrain_colours[terrain_kinds] = {QColor(196, 214, 140), QColor(70, 130, 60),
                                               QColor(176, 140, 90),  QColor(200, 196, 190),
                                               QColor(70, 120, 210),  QColor(150, 150, 120)};

enum piece_kind { infantry, armour, artillery, headquarters, piece_kinds };
const char* const piece_kind_names[piece_kinds] = {"Infantry", "Armour", "Artillery", "HQ"};
const char* const side_names[2] = {"Blue", "Red"};
const QColor side_colours[2] = {QColor(90, 140, 230), QColor(220, 80, 70)};
constexpr int hidden_symbol = 2 * piece_kinds; // the last piece symbol: a face-down counter
constexpr int piece_symbols = hidden_symbol + 1;

// The flat-topped hexagon that fills a cell of size s on a board whose odd columns are shifted:
// columns step 4/5 of the cell and rows the cell less 2 pixels, so neighbours share their edges.
QPolygonF hexagon(double s, double x0 = 0) {
    const double h = s - 2;
    QPolygonF poly;
    poly << QPointF(x0 + 0.2 * s, 0) << QPointF(x0 + 0.8 * s, 0) << QPointF(x0 + s, h / 2)
         << QPointF(x0 + 0.8 * s, h) << QPointF(x0 + 0.2 * s, h) << QPointF(x0, h / 2);
    return poly;
}

void draw_terrain(QPainter& p, int t, double s, double x0) {
    QPolygonF hex = hexagon(s, x0);
    p.setPen(Qt::NoPen);
    p.setBrush(terrain_colours[t == town ? clear : t]);
    p.drawPolygon(hex);
    p.setClipRegion(QRegion(hex.toPolygon()));
    auto at = [&](double fx, double fy) { return QPointF(x0 + fx * s, fy * s); };
    switch (t) {
    case woods:
        p.setBrush(QColor(30, 90, 30));
        for (double fx : {0.3, 0.55, 0.75})
            for (double fy : {0.3, 0.65})
                p.drawEllipse(at(fx - 0.05 * (fy > 0.5), fy), s * 0.1, s * 0.1);
        break;
    case hills:
        p.setPen(QPen(QColor(110, 80, 40), std::max(1.0, s / 16)));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(at(0.2, 0.35), QSizeF(s * 0.6, s * 0.5)), 20 * 16, 140 * 16);
        p.drawArc(QRectF(at(0.3, 0.55), QSizeF(s * 0.4, s * 0.35)), 20 * 16, 140 * 16);
        break;
    case town:
        p.setBrush(QColor(150, 60, 50));
        p.drawRect(QRectF(at(0.3, 0.3), QSizeF(s * 0.18, s * 0.18)));
        p.drawRect(QRectF(at(0.52, 0.42), QSizeF(s * 0.18, s * 0.18)));
        p.drawRect(QRectF(at(0.34, 0.56), QSizeF(s * 0.16, s * 0.14)));
        break;
    case water:
        p.setPen(QPen(QColor(190, 220, 255), std::max(1.0, s / 20)));
        for (double fy : {0.35, 0.6}) {
            QPainterPath wave(at(0.2, fy));
            wave.cubicTo(at(0.35, fy - 0.08), at(0.5, fy + 0.08), at(0.8, fy));
            p.drawPath(wave);
        }
        break;
    case rough:
        p.setBrush(QColor(100, 100, 80));
        for (double fx : {0.3, 0.5, 0.7})
            p.drawEllipse(at(fx, 0.35 + 0.25 * (fx == 0.5)), s * 0.06, s * 0.05);
        break;
    default:
        break;
    }
    p.setClipping(false);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(hex);
}

void draw_counter(QPainter& p, int symbol, double s, double x0) {
    QRectF box(x0, 0, s, s);
    if (symbol == hidden_symbol) {
        p.fillRect(box, QColor(90, 90, 90));
        p.setPen(Qt::white);
        QFont f("Sans", std::max(6, static_cast<int>(s * 0.5)), QFont::Bold);
        p.setFont(f);
        p.drawText(box, Qt::AlignCenter, "?");
        return;
    }
    const int side = symbol / piece_kinds, kind = symbol % piece_kinds;
    p.fillRect(box, side_colours[side]);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    QRectF sign(x0 + s * 0.2, s * 0.25, s * 0.6, s * 0.4);
    p.setPen(QPen(Qt::black, std::max(1.0, s / 20)));
    p.drawRect(sign);
    switch (kind) {
    case infantry:
        p.drawLine(sign.topLeft(), sign.bottomRight());
        p.drawLine(sign.bottomLeft(), sign.topRight());
        break;
    case armour:
        p.drawEllipse(sign.adjusted(s * 0.08, s * 0.08, -s * 0.08, -s * 0.08));
        break;
    case artillery:
        p.setBrush(Qt::black);
        p.drawEllipse(sign.center(), s * 0.06, s * 0.06);
        break;
    case headquarters:
        p.fillRect(QRectF(sign.topLeft(), QSizeF(sign.width() * 0.5, sign.height() * 0.5)), Qt::black);
        break;
    default:
        break;
    }
}

bool save_bmp(const QImage& image, const std::string& path) {
    if (image.save(QString::fromStdString(path), "BMP")) return true;
    std::fprintf(stderr, "make_demo_game: could not write %s\n", path.c_str());
    return false;
}

void set_rect(symbol_struct& s, int z, int left, int top, int right, int bottom) {
    s.left[z] = left;
    s.top[z] = top;
    s.right[z] = right;
    s.bottom[z] = bottom;
}

// The set's tables and its nine strips.
bool make_symbol_set(const std::string& folder) {
    symbol_state& set = *symbols;
    set = symbol_state{};
    set.terrain_symbols.assign(terrain_kinds, {});
    set.piece_symbols.assign(piece_symbols, {});
    set.mask_symbols.assign(2, {});
    set.terrain_symbol_count = terrain_kinds;
    set.piece_symbol_count = piece_symbols;
    set.mask_symbol_count = 2;
    set.hex_shape = 1;
    for (int t = 0; t < terrain_kinds; ++t)
        set_name(set.terrain_symbols[t].name, terrain_names[t]);
    for (int i = 0; i < 2 * piece_kinds; ++i)
        set_name(set.piece_symbols[i].name,
                 std::string(side_names[i / piece_kinds]) + " " + piece_kind_names[i % piece_kinds]);
    set_name(set.piece_symbols[hidden_symbol].name, "Hidden");
    set_name(set.mask_symbols[0].name, "Hexagon");
    set_name(set.mask_symbols[1].name, "Counter");
    // A symbol names its mask by number, 1 being the first mask: terrain the hexagon, pieces
    // the counter.
    for (auto& t : set.terrain_symbols)
        t.mask = 1;
    for (auto& s : set.piece_symbols)
        s.mask = 2;

    for (int z = 0; z < 3; ++z) {
        const int c = cell[z], k = counter[z];
        // Terrain strips are one pixel wider and higher than their symbols reach.
        set.strip_width[symbol_kind_terrain][z] = terrain_kinds * c + 1;
        set.strip_height[symbol_kind_terrain][z] = c + 1;
        set.strip_width[symbol_kind_piece][z] = piece_symbols * k;
        set.strip_height[symbol_kind_piece][z] = k;
        set.strip_width[symbol_kind_mask][z] = c + k;
        set.strip_height[symbol_kind_mask][z] = c;
        for (int t = 0; t < terrain_kinds; ++t)
            set_rect(set.terrain_symbols[t], z, t * c, 0, t * c + c - 1, c - 1);
        for (int i = 0; i < piece_symbols; ++i)
            set_rect(set.piece_symbols[i], z, i * k, 0, i * k + k - 1, k - 1);
        set_rect(set.mask_symbols[0], z, 0, 0, c - 1, c - 1);
        set_rect(set.mask_symbols[1], z, c, 0, c + k - 1, k - 1);

        QImage terrain(terrain_kinds * c + 1, c + 1, QImage::Format_RGB32);
        terrain.fill(Qt::black);
        QImage pieces(piece_symbols * k, k, QImage::Format_RGB32);
        pieces.fill(Qt::black);
        QImage masks(c + k, c, QImage::Format_RGB32);
        masks.fill(Qt::white);
        {
            // No smoothing: a blended edge would mix in the black outside the hexagon.
            QPainter p(&terrain);
            for (int t = 0; t < terrain_kinds; ++t)
                draw_terrain(p, t, c, t * c);
        }
        {
            QPainter p(&pieces);
            for (int i = 0; i < piece_symbols; ++i)
                draw_counter(p, i, k, i * k);
        }
        {
            // Black where the symbol covers the map, white where the map shows through.
            QPainter p(&masks);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawPolygon(hexagon(c));
            p.fillRect(QRect(c, 0, k, k), Qt::black);
        }
        const std::string base = join_path(folder, "Demo");
        const std::string zoom = std::to_string(z + 1);
        if (!save_bmp(terrain, base + "-T" + zoom + ".BMP") ||
            !save_bmp(pieces, base + "-U" + zoom + ".BMP") || !save_bmp(masks, base + "-M" + zoom + ".BMP"))
            return false;
    }
    return write_symbol_set_file(join_path(folder, "Demo.SET"));
}

int hex_at(int column, int row) {
    return row * columns + column;
}

// The board: a river valley with a road, woods, hills and four towns.
bool make_board(const std::string& folder) {
    board_state& b = *board;
    b = board_state{};
    b.map_columns = columns;
    b.map_rows = rows;
    b.hex_count = columns * rows;
    b.grid_type = 1;
    b.use_elevations = 1;
    b.hex_array.assign(static_cast<std::size_t>(b.hex_count), {});
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            hex_struct& h = b.hex_array[static_cast<std::size_t>(hex_at(c, r))];
            int t = clear;
            int elevation = 0;
            const int dx = c - 22, dy = r - 5;
            if (dx * dx + 2 * dy * dy < 30) {
                t = hills;
                elevation = dx * dx + 2 * dy * dy < 10 ? 2 : 1;
            } else if ((c - 6) * (c - 6) + (r - 14) * (r - 14) < 12 || (c > 10 && c < 15 && r < 5)) {
                t = woods;
            } else if ((c - 25) * (c - 25) + (r - 15) * (r - 15) < 6) {
                t = water;
            } else if ((c + r) % 11 == 0 && r > 15) {
                t = rough;
            }
            h.terrain = t;
            h.elevation = elevation;
        }
    struct named_town {
        int column, row;
        const char* name;
    };
    const named_town towns[] = {
        {4, 4, "Aldbury"}, {15, 8, "Brenham Cross"}, {9, 17, "Corby"}, {27, 11, "Dunmore"}};
    for (const auto& t : towns) {
        hex_struct& h = b.hex_array[static_cast<std::size_t>(hex_at(t.column, t.row))];
        h.terrain = town;
        h.flags |= 2;
        placename_struct p;
        p.hex = hex_at(t.column, t.row);
        p.terrain = 63000; // no extra symbol
        set_name(p.name, t.name);
        p.colour = 0;
        p.font_size[0] = 7;
        p.font_size[1] = 8;
        p.font_size[2] = 10;
        for (auto& pos : p.label_position)
            pos = 8;
        p.style = 16 | 1;
        b.placename_array.push_back(p);
    }
    std::sort(b.placename_array.begin(), b.placename_array.end(),
              [](const placename_struct& x, const placename_struct& y) { return x.hex < y.hex; });
    b.placename_array.push_back(placename_struct{});

    // Line types: a road and a river.
    hexline_type_struct road;
    road.colour = 1;
    road.pen_width[0] = 2;
    road.pen_width[1] = 3;
    road.pen_width[2] = 4;
    set_name(road.name, "Road");
    road.style = 1;
    hexline_type_struct river = road;
    river.colour = 4;
    set_name(river.name, "River");
    b.hexline_type_array = {road, river, hexline_type_struct{}};

    // The road runs down column 15, through Brenham Cross.
    for (int r = 0; r < rows; ++r) {
        hexline_struct l;
        l.hex = hex_at(15, r);
        l.type = 0;
        l.directions_1 = r > 0 ? 1 : 0;
        l.directions_2 = r + 1 < rows ? 128 : 0;
        b.hexline_array.push_back(l);
        b.hex_array[static_cast<std::size_t>(l.hex)].flags |= 1;
    }
    // The river follows the upper sides of row 11 from the west edge to the lake.
    for (int c = 0; c < 24; ++c) {
        hexside_struct s;
        s.hex = hex_at(c, 11);
        s.type = 1;
        s.sides = c % 2 ? 4 | 2 : 4;
        b.hexside_array.push_back(s);
        b.hex_array[static_cast<std::size_t>(s.hex)].flags |= 4;
    }
    auto by_hex = [](const auto& x, const auto& y) { return x.hex < y.hex; };
    std::stable_sort(b.hexline_array.begin(), b.hexline_array.end(), by_hex);
    std::stable_sort(b.hexside_array.begin(), b.hexside_array.end(), by_hex);
    b.hexline_array.push_back(hexline_struct{});
    b.hexside_array.push_back(hexside_struct{});
    b.hex_overlay_array = {hex_overlay_struct{}};
    b.board_array = {board_struct{}};
    b.hexside_count = static_cast<std::int32_t>(b.hexside_array.size());
    b.hexline_count = static_cast<std::int32_t>(b.hexline_array.size());

    linked_map_path = join_path(folder, "Demo.MAP");
    symbol_set_path = join_path(folder, "Demo.SET");
    return write_map_file();
}

void put_value(value_bytes& values, std::uint8_t (&types)[8], int slot, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    values[static_cast<std::size_t>(slot)] = {
        static_cast<std::uint8_t>(u >> 24), static_cast<std::uint8_t>(u >> 16),
        static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u)};
    types[slot] = 1;
}

// The game: two players, eight classes, pieces on the board and in a force pool, named turns
// and a short history.
bool make_game(const std::string& folder) {
    new_game();
    game_state& g = *game;
    const char* value_names[3] = {"Attack", "Defence", "Move"};
    for (int i = 0; i < 3; ++i) {
        set_name(g.class_value_names[i], value_names[i]);
        set_name(g.piece_value_names[i], value_names[i]);
    }

    g.player_array.assign(3, player_struct{});
    for (int s = 0; s < 2; ++s) {
        set_name(g.player_array[static_cast<std::size_t>(s)].name, std::string(side_names[s]) + " Commander");
        g.player_array[static_cast<std::size_t>(s)].default_hidden_symbol = hidden_symbol;
    }
    g.player_count = 2;

    const int strength[piece_kinds][3] = {{4, 4, 4}, {6, 3, 8}, {5, 2, 3}, {1, 2, 6}};
    for (int i = 0; i < 2 * piece_kinds; ++i) {
        int c = add_class();
        class_struct& k = g.class_array[static_cast<std::size_t>(c)];
        k.symbol = i;
        set_name(k.name, std::string(side_names[i / piece_kinds]) + " " + piece_kind_names[i % piece_kinds]);
        for (int v = 0; v < 3; ++v)
            put_value(k.values, k.value_types, v, strength[i % piece_kinds][v]);
        k.owner = static_cast<std::uint8_t>(i / piece_kinds);
        k.hidden_symbol = 30000;
    }

    struct placed {
        const char* name;
        int class_index;
        int column, row; // column -1: in the side's force pool
    };
    const placed pieces[] = {
        {"1st Rifles", 0, 5, 5},          {"2nd Rifles", 0, 6, 6},      {"Blue Lancers", 1, 4, 7},
        {"Blue Battery", 2, 3, 5},        {"Blue HQ", 3, 4, 4},         {"3rd Rifles", 0, -1, 0},
        {"Blue Reserve Tanks", 1, -1, 0}, {"Red Grenadiers", 4, 22, 8}, {"Red Fusiliers", 4, 21, 9},
        {"Red Cuirassiers", 5, 24, 10},   {"Red Guns", 6, 22, 5},       {"Red HQ", 7, 27, 11},
        {"Red Militia", 4, -1, 1},
    };
    g.pool_array.assign(3, pool_struct{});
    for (int s = 0; s < 2; ++s) {
        pool_struct& p = g.pool_array[static_cast<std::size_t>(s)];
        set_name(p.name, std::string(side_names[s]) + " Reserves");
        p.type = 1;
        p.location = location_end;
        p.piece_count = 0;
        p.owner = static_cast<std::uint8_t>(s);
    }
    g.pool_array[2].piece_count = class_end;
    for (const auto& d : pieces) {
        int n = add_piece();
        if (n < 0) return false;
        piece_struct& p = g.piece_array[static_cast<std::size_t>(n)];
        set_name(p.name, d.name);
        p.class_index = d.class_index;
        const class_struct& k = g.class_array[static_cast<std::size_t>(d.class_index)];
        p.values = k.values;
        std::memcpy(p.value_types, k.value_types, sizeof p.value_types);
        if (d.column < 0) {
            p.location = d.row;
            p.flags = piece_flag_in_pool;
            ++g.pool_array[static_cast<std::size_t>(d.row)].piece_count;
        } else {
            p.location = hex_at(d.column, d.row);
        }
    }

    turn_name setup, dawn, noon;
    set_name(setup.text, "Set-up");
    set_name(dawn.text, "Dawn, 6 June");
    set_name(noon.text, "Noon, 6 June");
    g.turn_names = {setup, dawn, noon, turn_name{}};
    g.game_turn = 1;
    reset_los_settings();

    // A short history of the first turn: the snapshot, a move, a die roll and a comment.
    current_player = 0;
    clear_history();
    const std::int32_t movers[] = {1, -1};
    const std::int32_t path[] = {hex_at(6, 6), hex_at(7, 6), hex_at(8, 7), 63000};
    if (append_move_record(movers, path, history_end_offset()) < 0) return false;
    g.piece_array[1].location = hex_at(8, 7);
    g.piece_array[1].flags |= piece_flag_moved;
    const int roll[] = {4};
    if (append_die_roll_record(6, roll) < 0) return false;
    if (append_comment_record(1, "Blue pushes east along the river at first light.") < 0) return false;
    current_player = -1;

    current_game_path = join_path(folder, "Demo.OPS");
    return write_saved_game();
}

} // namespace

bool make_demo_game(const std::string& folder) {
    if (!make_folder(folder)) return false;
    free_symbol_set();
    free_map();
    new_game();
    return make_symbol_set(folder) && make_board(folder) && make_game(folder);
}
