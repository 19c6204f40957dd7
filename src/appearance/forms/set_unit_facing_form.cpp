#include "set_unit_facing_form.h"

#include "appearance/facing.h"
#include "data/board.h"
#include "data/hooks.h"
#include "data/records.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_fonts.h"
#include "play/piece_actions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

struct dial_label {
    int code;
    const char* text;
    int x, y;
};
constexpr dial_label dial_labels[] = {
    {0, "NONE", 77, 93},  {1, "N", 95, 25},      {2, "E", 160, 95},    {3, "S", 95, 160},
    {4, "W", 25, 95},     {5, "*NE", 155, 35},   {6, "*SE", 155, 150}, {7, "*SW", 15, 150},
    {8, "*NW", 15, 35},   {10, "N", 95, 25},     {11, "NE", 150, 60},  {12, "SE", 150, 130},
    {13, "S", 95, 160},   {14, "SW", 25, 130},   {15, "NW", 25, 60},   {20, "*NE", 125, 30},
    {21, "*E", 160, 95},  {22, "*SE", 125, 155}, {23, "*SW", 45, 155}, {24, "*W", 15, 95},
    {25, "*NW", 45, 30},  {30, "NE", 120, 35},   {31, "E", 160, 95},   {32, "SE", 120, 150},
    {33, "SW", 55, 150},  {34, "W", 25, 95},     {35, "NW", 55, 35},   {40, "*N", 90, 25},
    {41, "*NE", 150, 60}, {42, "*SE", 150, 130}, {43, "*S", 90, 160},  {44, "*SW", 15, 130},
    {45, "*NW", 15, 60},
};

const QColor normal_colour(0, 0, 0), highlight_colour(255, 0, 0);

QColor table_colour(int i) {
    return QColor(colour_table[i][0], colour_table[i][1], colour_table[i][2]);
}

// The codes the dial offers: the sides first, then the vertices, of the grid's block.
std::vector<int> offered_codes(int grid, int kind) {
    int sides = 0, vertices = 0, count = 0;
    switch (grid) {
    case 3:
        sides = 1, vertices = 5, count = 4;
        break;
    case 1:
        sides = 10, vertices = 20, count = 6;
        break;
    case 2:
        sides = 30, vertices = 40, count = 6;
        break;
    default:
        return {};
    }
    std::vector<int> out;
    if (kind == 1 || kind == 3)
        for (int i = 0; i < count; ++i)
            out.push_back(sides + i);
    if (kind == 2 || kind == 3)
        for (int i = 0; i < count; ++i)
            out.push_back(vertices + i);
    return out;
}

int set_kind_of_piece(std::int32_t piece) {
    if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) return 0;
    const std::int32_t c = game->piece_array[static_cast<std::size_t>(piece)].class_index;
    if (c < 0 || static_cast<std::size_t>(c) >= game->class_array.size()) return 0;
    const facing_set_struct* set = class_facing_set(game->class_array[static_cast<std::size_t>(c)]);
    return set ? set->direction : 0;
}

const char* kind_text(int kind) {
    switch (kind) {
    case 1:
        return "Side Only";
    case 2:
        return "Vertex Only";
    case 3:
        return "Side + Vertex";
    case 0:
        return "None";
    default:
        return "UNDEFINED";
    }
}

std::string code_text(int code) {
    for (const dial_label& l : dial_labels)
        if (l.code == code) return l.text;
    return "NONE";
}

} // namespace

facing_dial::facing_dial(QWidget* parent, int grid_type, int kind)
    : QWidget(parent), grid_(grid_type), kind_(kind) {
    setObjectName("frame_1");
    setFixedSize(200, 200);
    setMouseTracking(true);
}

int facing_dial::code_at(int x, int y) const {
    if (x >= 60 && x <= 140 && y >= 70 && y <= 130) return 0;
    const double a = std::atan2(100.0 - y, x - 100.0) * 180.0 / 3.14159265358979;
    return facing_code_at_angle(a, grid_, kind_);
}

void facing_dial::set_highlighted(int code) {
    if (code == highlighted_) return;
    highlighted_ = code;
    update();
}

void facing_dial::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(0, 0, 200, 200, table_colour(9));
    p.setPen(normal_colour);
    p.drawRect(0, 0, 199, 199);
    QPolygon cell;
    if (grid_ == 1)
        cell << QPoint(70, 50) << QPoint(50, 100) << QPoint(70, 150) << QPoint(130, 150) << QPoint(150, 100)
             << QPoint(130, 50);
    else if (grid_ == 2)
        cell << QPoint(100, 50) << QPoint(50, 70) << QPoint(50, 130) << QPoint(100, 150) << QPoint(150, 130)
             << QPoint(150, 70);
    else
        cell << QPoint(50, 50) << QPoint(50, 150) << QPoint(150, 150) << QPoint(150, 50);
    p.setBrush(table_colour(11));
    p.drawPolygon(cell);
    p.setFont(font_by_name("10.MS Sans Serif.Bold"));
    auto label = [&p](int code, const QColor& colour) {
        for (const dial_label& l : dial_labels)
            if (l.code == code) {
                p.setPen(colour);
                p.drawText(QRect(l.x, l.y, 60, 20), Qt::AlignLeft | Qt::AlignTop, l.text);
                return;
            }
    };
    label(0, normal_colour);
    for (int code : offered_codes(grid_, kind_))
        label(code, normal_colour);
    label(highlighted_, highlight_colour);
}

void facing_dial::mouseMoveEvent(QMouseEvent* e) {
    set_highlighted(code_at(static_cast<int>(e->position().x()), static_cast<int>(e->position().y())));
}

void facing_dial::mousePressEvent(QMouseEvent*) {
    update();
}

set_unit_facing_form::set_unit_facing_form(QWidget* parent, std::int32_t piece)
    : form_base(parent), piece_(piece) {
    setObjectName("set_unit_facing_form");
    setWindowTitle("Set Piece Facing");
    const int kind = set_kind_of_piece(piece);
    auto* layout = new QVBoxLayout(this);
    dial_ = new facing_dial(this, board->grid_type, kind);
    layout->addWidget(dial_);
    style_ = new QLabel(QString("Facing Style:\n\r") + kind_text(kind), this);
    style_->setObjectName("label_2");
    const int facing = piece >= 0 && static_cast<std::size_t>(piece) < game->piece_array.size()
                           ? game->piece_array[static_cast<std::size_t>(piece)].facing
                           : 0;
    current_ = new QLabel(QString::fromStdString("Current Facing:\n\r" + code_text(facing)), this);
    current_->setObjectName("label_3");
    layout->addWidget(style_);
    layout->addWidget(current_);
    auto* row = new QHBoxLayout;
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("ok_button");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cb_1");
    row->addWidget(ok_);
    row->addWidget(cancel_);
    layout->addLayout(row);
    dial_->set_highlighted(facing);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    set_event_handlers(ok_,
                       {{ClickEvent, [this](QObject*, event_data&) {
                             if (piece_ >= 0 && static_cast<std::size_t>(piece_) < game->piece_array.size()) {
                                 piece_struct& p = game->piece_array[static_cast<std::size_t>(piece_)];
                                 const auto code = static_cast<std::uint8_t>(dial_->highlighted());
                                 if (p.facing != code) {
                                     // The history has no record of a facing; the change marks the game.
                                     p.facing = code;
                                     game_modified = 1;
                                     redraw_map_hex(p.location);
                                 }
                             }
                             accept();
                             return true;
                         }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
}

void run_set_unit_facing_form(std::int32_t piece) {
    set_unit_facing_form f(dialog_parent(), piece);
    f.create_form();
    f.exec();
}

void install_facing_dial_hook() {
    facing_dial_hook = [](std::int32_t piece) { run_set_unit_facing_form(piece); };
}
