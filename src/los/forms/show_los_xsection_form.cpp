#include "show_los_xsection_form.h"

#include "data/board.h"
#include "data/los_settings.h"
#include "data/records.h"
#include "data/symbols.h"
#include "los/los_engine.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/form_colour.h"
#include "platform/main_window_ref.h"
#include "platform/qt_fonts.h"
#include "platform/qt_text.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

QColor table_colour(int i) {
    return QColor(colour_table[i][0], colour_table[i][1], colour_table[i][2]);
}

constexpr std::size_t legend_max = 16;
std::vector<int> legend;
const game_state* legend_game = nullptr;

// The legend belongs to one game: a new game starts it empty.
std::vector<int>& legend_for_game() {
    if (legend_game != game.get()) {
        legend.clear();
        legend_game = game.get();
    }
    return legend;
}

void note_legend(int terrain) {
    auto& l = legend_for_game();
    if (std::find(l.begin(), l.end(), terrain) == l.end() && l.size() < legend_max) l.push_back(terrain);
}

void draw_cross_section(QPainter& p, int frame_w, int frame_h) {
    const int W = frame_w - 4, H = frame_h - 4;
    p.fillRect(2, 2, W, H, table_colour(43));
    const auto& e = los_path.entries;
    if (los_path.target_entry < 0) return;
    const int left = los_spotter_entry, right = los_path.target_entry;
    int start = 0;
    while (start < los_path_capacity && e[static_cast<std::size_t>(start)].hex >= 60000)
        ++start;
    if (start >= los_path_capacity) return;
    if (left - start > 2) start = left - 2;
    int end = std::min(right + 4, los_path_capacity - 1);
    for (int i = start + 1; i <= end; ++i)
        if (e[static_cast<std::size_t>(i)].hex >= 60000) {
            end = i - 1;
            break;
        }
    const bool exchanged = los_result.ends_exchanged;
    const double left_height = exchanged ? los_check.target_height : los_check.spotter_height;
    const double right_height = exchanged ? los_check.spotter_height : los_check.target_height;
    double highest = 0;
    for (int i = start; i <= end; ++i) {
        const auto& en = e[static_cast<std::size_t>(i)];
        highest = std::max({highest, hex_los_top_height(en.hex, en.ground), static_cast<double>(en.sight)});
    }
    highest = std::max({highest, left_height + e[static_cast<std::size_t>(left)].ground,
                        right_height + e[static_cast<std::size_t>(right)].ground});
    const int columns = end - start + 1, c = columns + 1;
    // A flat or tiny view keeps its scale: never a division by zero, never a column of 0.
    const double v = highest > 0 ? std::min(10.0, std::max(0.0, (H - 55) / highest)) : 10.0;
    const int w = std::max(1, (W - 40) / c);
    const int b = H - 45;
    int x = std::max(17, frame_w / 2 - w * c / 2);
    auto g = [&](int i) {
        return b - static_cast<int>(std::floor(e[static_cast<std::size_t>(i)].ground * v + 0.5));
    };
    int left_x = x, right_x = x;
    for (int i = start; i <= end; ++i) {
        const int next_x = x + w;
        const int gi = g(i), gn = i < end ? g(i + 1) : gi;
        p.setPen(table_colour(13));
        p.setBrush(table_colour(13));
        p.drawPolygon(QPolygon({QPoint(x, b), QPoint(x, gi), QPoint(next_x, gn), QPoint(next_x, b)}));
        p.fillRect(x, b + 1, w, 10, table_colour(13));
        const auto terrains = los_hex_terrains(e[static_cast<std::size_t>(i)].hex);
        for (std::size_t k = 1; k < terrains.size(); ++k) { // the primary terrain is the ground itself
            const int t = terrains[k];
            if (t < 0 || static_cast<std::size_t>(t) >= terrain_los_array.size()) continue;
            const terrain_los_struct& r = terrain_los_array[static_cast<std::size_t>(t)];
            if (r.height_above_ground <= 0) continue;
            const QColor colour(r.display_colour[0], r.display_colour[1], r.display_colour[2]);
            p.setPen(colour);
            p.setBrush(colour);
            const int hv = static_cast<int>(r.height_above_ground * v);
            p.drawPolygon(QPolygon(
                {QPoint(x, gi - 1), QPoint(x, gi - hv), QPoint(next_x, gn - hv), QPoint(next_x, gn - 1)}));
            note_legend(t);
        }
        if (i == left) left_x = x;
        if (i == right) right_x = x;
        x = next_x + 1;
    }
    const int left_y = g(left) - 2 - static_cast<int>(left_height * v);
    const int right_y = g(right) - 2 - static_cast<int>(right_height * v);
    p.setPen(QPen(table_colour(14), 3));
    p.drawLine(left_x + 7, left_y, right_x - 7, right_y);
    p.setPen(QPen(table_colour(16), 1));
    p.drawLine(left_x + 7, left_y, right_x - 7, right_y);
    p.setFont(font_by_name("8.Times New Roman.Bold"));
    auto mark = [&p](int mx, int my, const char* letter) {
        p.fillRect(mx - 6, my - 7, 12, 14, table_colour(14));
        p.setPen(table_colour(16));
        p.drawText(QRect(mx - 6, my - 7, 12, 14), Qt::AlignCenter, letter);
    };
    mark(left_x, left_y, exchanged ? "T" : "S");
    mark(right_x, right_y, exchanged ? "S" : "T");
    p.setFont(font_by_name("8.MS Sans Serif"));
    p.setPen(QColor(0, 0, 0));
    p.drawText(20, b + 15 + 10,
               QString("Max Elevation (incl. terrain) along LOS = Level %1")
                   .arg(static_cast<int>(std::floor(highest))));
    p.drawText(
        20, b + 30 + 10,
        mixed_to_qstring("Each Elevation Level represents: " + name_of(los_settings.elevation_level_text)));
    const int d = los_result.distance;
    char range[64];
    if (los_settings.hex_size != 0)
        std::snprintf(range, sizeof range, "%1.0f %s", d * static_cast<double>(los_settings.hex_size) / 100.0,
                      name_of(los_settings.hex_units).c_str());
    else
        std::snprintf(range, sizeof range, "%i.%02i hexes", d / 100, d % 100);
    p.drawText(QRect(frame_w - 320, b + 15, 300, 15), Qt::AlignRight | Qt::AlignVCenter,
               los_result.silhouetted ? "Target Silhouetted" : "Target Not Silhouetted");
    p.drawText(QRect(frame_w - 320, b + 30, 300, 15), Qt::AlignRight | Qt::AlignVCenter,
               QString("LOS Range = ") + range);
}

void draw_legend(QPainter& p, int frame_w, int frame_h) {
    p.fillRect(2, 2, frame_w - 4, frame_h - 4, table_colour(42));
    p.setClipRect(2, 2, frame_w - 4, frame_h - 4);
    p.setFont(font_by_name("8.Times New Roman"));
    const auto& l = legend_for_game();
    for (std::size_t k = 0; k < l.size(); ++k) {
        const int x = 10 + static_cast<int>(k % 4) * 135, y = 10 + static_cast<int>(k / 4) * 15;
        const terrain_los_struct* r = static_cast<std::size_t>(l[k]) < terrain_los_array.size()
                                          ? &terrain_los_array[static_cast<std::size_t>(l[k])]
                                          : nullptr;
        if (r)
            p.fillRect(x, y, 15, 12,
                       QColor(r->display_colour[0], r->display_colour[1], r->display_colour[2]));
        const symbol_struct* s = symbols->terrain_symbol(l[k]);
        p.setPen(QColor(0, 0, 0));
        p.drawText(QRect(x + 25, y, 100, 12), Qt::AlignLeft | Qt::AlignVCenter,
                   s ? to_qstring(name_of(s->name)) : QString());
    }
}

class painted_frame : public QWidget {
public:
    painted_frame(QWidget* parent, void (*draw)(QPainter&, int, int)) : QWidget(parent), draw_(draw) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        draw_(p, width(), height());
    }

private:
    void (*draw_)(QPainter&, int, int);
};

QRect remembered_geometry;

} // namespace

std::string los_result_caption() {
    const bool past = los_result.beyond_maximum_range;
    std::string text = " LOS Results: ";
    text += los_result.percent_blocked < 100 && !past ? "OK.  " : "FAILED.  ";
    text += "  ";
    text += past ? "Past Max Range" : std::to_string(los_result.percent_blocked) + "% Blocked";
    return text;
}

const std::vector<int>& los_legend_terrains() {
    return legend_for_game();
}

show_los_xsection_form::show_los_xsection_form(QWidget* parent) : form_base(parent) {
    setObjectName("show_los_xsection_form");
    setWindowTitle(mixed_to_qstring(los_result_caption()));
    auto* layout = new QVBoxLayout(this);
    display_ = new painted_frame(this, draw_cross_section);
    display_->setObjectName("display_frame");
    display_->setMinimumSize(600, 260);
    legend_ = new painted_frame(this, draw_legend);
    legend_->setObjectName("legend_frame");
    legend_->setMinimumSize(600, 70);
    layout->addWidget(display_, 1);
    layout->addWidget(legend_);
    auto* row = new QHBoxLayout;
    const std::pair<const char*, const char*> names[] = {{"new_spot", "New Spotter"},
                                                         {"new_tgt", "New Target"},
                                                         {"new_both", "New Spotter and Target"},
                                                         {"done", "Done"}};
    QPushButton** buttons[] = {&new_spot_, &new_tgt_, &new_both_, &done_};
    const int choices[] = {4, 2, 6, 0};
    for (int k = 0; k < 4; ++k) {
        *buttons[k] = new QPushButton(names[k].second, this);
        (*buttons[k])->setObjectName(names[k].first);
        row->addWidget(*buttons[k]);
        const int choice = choices[k];
        set_event_handlers(*buttons[k], {{ClickEvent, [this, choice](QObject*, event_data&) {
                                              choice_ = choice;
                                              remembered_geometry = geometry();
                                              accept();
                                              return true;
                                          }}});
    }
    layout->addLayout(row);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   if (remembered_geometry.isValid()) setGeometry(remembered_geometry);
                                   return false;
                               }}});
}

int run_show_los_xsection_form() {
    show_los_xsection_form f(dialog_parent());
    f.create_form();
    f.exec();
    return f.choice();
}
