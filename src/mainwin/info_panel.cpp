#include "info_panel.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/game_settings.h"
#include "data/hex_geometry.h"
#include "data/los_settings.h"
#include "data/records.h"
#include "data/symbols.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_geometry.h"
#include "platform/boxes.h"
#include "players/visibility.h"

#include <algorithm>
#include <cstdio>

std::int32_t cycle_start = -1;
std::int32_t cycle_position = -1;
std::int32_t last_info_hex = -1;

bitmap unit_panel_bitmap, hex_panel_bitmap;
std::unique_ptr<canvas> unit_panel_canvas, hex_panel_canvas;
int unit_panel_width = 0, unit_panel_height = 0, hex_panel_width = 0, hex_panel_height = 0;

std::function<void()> info_panels_changed_hook;
std::function<void()> piece_cycle_ended_hook;
std::function<void()> cycle_units_form_hook;

namespace {

constexpr int panel_fill_entry = 120;
constexpr int panel_border_entry = 144;
constexpr int unit_mark_x = 2;
constexpr int unit_name_x = 30; // after the three marks
constexpr int unit_column_x[3] = {130, 238, 345};

// What the unit panel shows, so that a resize can draw it again.
enum class unit_panel_shows { hex, cycled_piece };
unit_panel_shows unit_shows = unit_panel_shows::hex;
std::int32_t cycled_piece_shown = -1;

bool on_board(std::int32_t hex) {
    return map_loaded() && hex >= 0 && hex < board->hex_count &&
           static_cast<std::size_t>(hex) < board->hex_array.size();
}

std::string terrain_name(std::int64_t index) {
    const symbol_struct* s = symbols->terrain_symbol(index);
    return s ? name_of(s->name) : std::string();
}

const terrain_los_struct* terrain_los(std::int64_t index) {
    if (!symbols->terrain_symbol(index)) return nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= terrain_los_array.size()) return nullptr;
    return &terrain_los_array[static_cast<std::size_t>(index)];
}

int hex_ground_level(const hex_struct& h) {
    if (los_settings.terrain_ground_levels_in_use)
        if (const terrain_los_struct* t = terrain_los(h.terrain)) return t->ground_level;
    return h.elevation;
}

// Hexline and hexside types count up to the first record not in use.
int hexline_types_in_use() {
    const auto& types = board->hexline_type_array;
    int n = 0;
    while (n < max_hexline_types && static_cast<std::size_t>(n) < types.size() &&
           types[static_cast<std::size_t>(n)].style != 0)
        ++n;
    return n;
}

void add_type_once(std::vector<int>& list, int type, int in_use) {
    if (type < 0 || type >= in_use) return;
    if (std::find(list.begin(), list.end(), type) == list.end()) list.push_back(type);
}

std::string type_names(const std::vector<int>& list) {
    std::string out;
    for (int t : list) {
        if (!out.empty()) out += ", ";
        out += name_of(board->hexline_type_array[static_cast<std::size_t>(t)].name);
    }
    return out;
}

std::string number_text(long long n) {
    return std::to_string(n);
}

void remake_panel(bitmap& b, std::unique_ptr<canvas>& c, int width, int height, int colour) {
    c.reset();
    b = bitmap(std::max(1, width), std::max(1, height));
    c = std::make_unique<canvas>(b);
    const colour_rgb fill = map_colour(colour < 0 ? panel_fill_entry : colour);
    c->fill_rect(0, 0, b.width(), b.height(), fill);
    c->set_pen(map_colour(panel_border_entry));
    c->set_no_brush();
    if (b.width() > 2 && b.height() > 2) c->rectangle(1, 1, b.width() - 2, b.height() - 2);
}

void draw_texts(canvas& c, const std::vector<panel_text>& texts) {
    for (const panel_text& t : texts) {
        if (t.text.empty()) continue;
        c.set_font(t.font);
        c.set_text_colour(map_colour(t.colour));
        c.draw_text(t.x, t.y, std::max(1, c.width() - t.x), 18, t.text, text_h_align::left,
                    text_v_align::top);
    }
}

void panels_changed() {
    if (info_panels_changed_hook) info_panels_changed_hook();
}

void draw_unit_panel(const unit_panel_content& content) {
    clear_unit_info_panel();
    canvas& c = *unit_panel_canvas;
    const std::string font = "8.MS Sans Serif";
    // The columns stand where the layout puts them, further right when a text before them needs
    // the room in this platform's face: no name or value runs into the next column.
    c.set_font(font);
    int columns[3] = {unit_column_x[0], unit_column_x[1], unit_column_x[2]};
    for (const unit_panel_line& l : content.lines) {
        const int name_x = l.visibility == visibility_hidden ? unit_name_x + 13 : unit_name_x;
        columns[0] = std::max(columns[0], name_x + c.text_width(l.name) + 6);
    }
    for (const unit_panel_line& l : content.lines)
        columns[1] = std::max(columns[1], columns[0] + c.text_width(l.class_name) + 6);
    for (const unit_panel_line& l : content.lines)
        columns[2] = std::max(columns[2], columns[1] + c.text_width(l.piece_values) + 6);
    for (std::size_t n = 0; n < content.lines.size(); ++n) {
        const unit_panel_line& l = content.lines[n];
        const int y = (static_cast<int>(n) + 1) * 13 + 3;
        if (y >= c.height()) break; // lines below the box are not seen
        auto mark = [&](int x, const char* text, int box_entry) {
            if (box_entry >= 0) c.fill_rect(x, y + 1, 8, 11, map_colour(box_entry));
            c.set_font(font);
            c.set_text_colour(map_colour(48));
            c.draw_text(x, y, 9, 13, text, text_h_align::centre, text_v_align::top);
        };
        mark(unit_mark_x, "M", l.moved ? 7 : 15);
        if (l.combat_mark) mark(unit_mark_x + 9, l.combat_mark == 'A' ? "A" : "D", 7);
        if (l.hidden_mark) mark(unit_mark_x + 18, l.hidden_mark == 'h' ? "h" : "H", -1);
        std::vector<panel_text> texts;
        if (l.visibility == visibility_hidden) c.fill_rect(unit_name_x, y + 2, 10, 9, map_colour(48));
        const int name_x = l.visibility == visibility_hidden ? unit_name_x + 13 : unit_name_x;
        // Each text ends where the next column begins.
        texts.push_back({name_x, y, l.name, font, 48, columns[0] - 4 - name_x});
        texts.push_back({columns[0], y, l.class_name, font, 48, columns[1] - 4 - columns[0]});
        texts.push_back({columns[1], y, l.piece_values, font, 48, columns[2] - 4 - columns[1]});
        texts.push_back({columns[2], y, l.class_values, font, 48, 0});
        draw_texts(c, texts);
    }
    draw_texts(c, {{unit_mark_x, 3, content.head, "8.MS Sans Serif.Bold", 49}});
}

} // namespace

std::vector<panel_text> hex_info_lines(std::int32_t hex, int panel_width) {
    std::vector<panel_text> out;
    if (!on_board(hex)) return out;
    const hex_struct& h = board->hex_array[static_cast<std::size_t>(hex)];
    const std::string big = "10.MS Sans Serif";
    int y = 2;
    auto add = [&](const std::string& text, const std::string& font, int colour, bool always) {
        if (text.empty() && !always) return;
        out.push_back({6, y, text, font, colour});
        y += 11;
    };

    const std::string label = hex_coordinate_label(hex);
    if (!label.empty()) {
        const int x = (panel_width - 8 * static_cast<int>(label.size())) / 2;
        out.push_back({std::max(0, x), 2, label, "10.MS Sans Serif.Bold", 6});
        y = 16;
    }

    std::string place;
    for (const placename_struct& p : board->placename_array) {
        if (p.hex != hex) continue;
        place = name_of(p.name);
        const std::string t = terrain_name(p.terrain);
        if (!t.empty()) place += " (" + t + ")";
        break;
    }
    add(place, "8.MS Sans Serif.Bold", 20, false);

    std::string terrain = terrain_name(h.terrain);
    if (game_settings.use_elevations) terrain += " (Elev:" + number_text(hex_ground_level(h)) + ")";
    add(terrain, big, 11, true);

    std::string second;
    if (symbols->terrain_symbol(h.second_terrain)) {
        second = terrain_name(h.second_terrain);
        const terrain_los_struct* t = terrain_los(h.second_terrain);
        if (game_settings.use_elevations && t && t->height_above_ground != 0)
            second += "  (Elev+" + number_text(t->height_above_ground) + ")";
    }
    add(second, big, 11, false);

    std::string overlays;
    if (h.flags / 8 > 0) {
        for (const hex_overlay_struct& o : board->hex_overlay_array) {
            if (o.hex != hex || !symbols->terrain_symbol(o.terrain)) continue;
            if (!overlays.empty()) overlays += ", ";
            overlays += terrain_name(o.terrain);
        }
    }
    add(overlays, big, 11, false);

    const int in_use = hexline_types_in_use();
    std::vector<int> line_types;
    if (h.flags & 1)
        for (const hexline_struct& r : board->hexline_array)
            if (r.hex == hex) add_type_once(line_types, r.type, in_use);
    add(type_names(line_types), big, 0, false);

    std::vector<int> side_types;
    if (h.flags & 4)
        for (const hexside_struct& r : board->hexside_array)
            if (r.hex == hex) add_type_once(side_types, r.type, in_use);
    std::vector<int> directions;
    switch (board->grid_type) {
    case 1:
        directions = {2, 3, 9};
        break;
    case 2:
        directions = {6, 3, 9};
        break;
    case 3:
        directions = {2, 6};
        break;
    default:
        break;
    }
    for (int d : directions) {
        const std::int32_t n = neighbour_hex(hex, d);
        if (n == hex || !on_board(n)) continue;
        const int found = hexside_features(hex, n, d);
        for (int k = 0; k < found && k < hexside_feature_capacity; ++k)
            add_type_once(side_types, hexside_feature_list[static_cast<std::size_t>(k)], in_use);
    }
    add(type_names(side_types), big, 0, false);
    return out;
}

unit_panel_content unit_panel_for_hex(std::int32_t hex) {
    unit_panel_content out;
    if (!on_board(hex)) return out;
    int pieces = 0, cards = 0;
    const auto& list = game->piece_array;
    const std::size_t end =
        std::min<std::size_t>(list.size(), static_cast<std::size_t>(std::max(0, game->piece_end_index)));
    for (std::size_t i = 0; i < end; ++i) {
        const piece_struct& p = list[i];
        // A pooled piece's location names its pool, not a hex.
        if (p.location != hex || p.in_pool()) continue;
        const int index = static_cast<int>(i);
        const int vis = get_piece_visibility(index);
        if (vis <= 0) continue;
        unit_panel_line l;
        l.piece = index;
        l.visibility = vis;
        l.card = p.is_card();
        (l.card ? cards : pieces) += 1;
        l.moved = (p.flags & piece_flag_moved) != 0;
        if (p.flags & piece_flag_attacked)
            l.combat_mark = 'A';
        else if (p.flags & piece_flag_defended)
            l.combat_mark = 'D';
        if (p.hidden == 1)
            l.hidden_mark = 'h';
        else if (p.hidden != 0)
            l.hidden_mark = 'H';
        const class_struct* c = class_record(p.class_index);
        if (vis == visibility_hidden) {
            l.name = l.card ? "Card (Face Down)" : "Unknown/Hidden Piece";
        } else if (vis == visibility_info_hidden) {
            l.name = "Unknown Piece";
            if (c) l.class_name = name_of(c->name);
            l.class_values = format_class_values(p.class_index);
        } else {
            l.name = name_of(p.name);
            if (c) l.class_name = name_of(c->name);
            l.piece_values = format_piece_values(index);
            l.class_values = format_class_values(p.class_index);
        }
        out.lines.push_back(std::move(l));
    }
    std::string& head = out.head;
    if (pieces > 0) {
        head = "(" + number_text(pieces) + (pieces == 1 ? " Piece" : " Pieces");
        if (cards == 0) head += ")";
    }
    if (cards > 0) {
        head += pieces > 0 ? "  +  " : "(";
        head += number_text(cards) + (cards == 1 ? " Card)" : " Cards)");
    }
    return out;
}

std::vector<panel_text> cycled_piece_lines(std::int32_t piece) {
    std::vector<panel_text> out;
    out.push_back({unit_mark_x, 3, "Cycling To Next Unit:", "10.MS Sans Serif.Bold.Underline", 48});
    const piece_struct* p = piece_record(piece);
    // Only what the player may know of the piece is shown.
    if (!p || get_piece_visibility(piece) < visibility_full) return out;
    const class_struct* c = class_record(p->class_index);
    const std::string font = "10.MS Sans Serif.Bold";
    const int y = 19;
    // Each text ends where the next column begins.
    auto gap = [](int column) {
        return unit_column_x[column] - 4 - (column == 0 ? unit_mark_x : unit_column_x[column - 1]);
    };
    out.push_back({unit_mark_x, y, name_of(p->name), font, 48, gap(0)});
    out.push_back({unit_column_x[0], y, c ? name_of(c->name) : std::string(), font, 48, gap(1)});
    out.push_back({unit_column_x[1], y, c ? player_display_name(c->owner) : std::string(), font, 48, gap(2)});
    const bool on_map = !p->in_pool() && on_board(p->location);
    out.push_back({unit_column_x[2], y, on_map ? hex_coordinate_label(p->location) : "  OFFMAP", font, 48});
    return out;
}

void clear_unit_info_panel(int colour) {
    remake_panel(unit_panel_bitmap, unit_panel_canvas, unit_panel_width, unit_panel_height, colour);
}

void clear_hex_info_panel(int colour) {
    remake_panel(hex_panel_bitmap, hex_panel_canvas, hex_panel_width, hex_panel_height, colour);
}

void clear_info_panels() {
    clear_unit_info_panel();
    clear_hex_info_panel();
    action_selection[0] = -1;
    unit_shows = unit_panel_shows::hex;
    panels_changed();
}

void set_info_panel_sizes(int unit_width, int unit_height, int hex_width, int hex_height) {
    if (unit_width == unit_panel_width && unit_height == unit_panel_height && hex_width == hex_panel_width &&
        hex_height == hex_panel_height && unit_panel_canvas && hex_panel_canvas)
        return;
    unit_panel_width = unit_width;
    unit_panel_height = unit_height;
    hex_panel_width = hex_width;
    hex_panel_height = hex_height;
    if (unit_shows == unit_panel_shows::cycled_piece && cycle_start >= 0)
        show_cycled_piece(cycled_piece_shown);
    else
        show_hex_pieces_info(last_info_hex);
    show_hex_info(last_info_hex);
}

bool show_hex_panels_at(int x, int y) {
    if (!map_loaded()) return false;
    const std::int32_t hex = point_to_hex(x, y);
    if (hex < 0 || hex == last_info_hex) return false;
    last_info_hex = hex;
    if (!on_board(hex)) {
        clear_info_panels();
        return true;
    }
    show_hex_pieces_info(hex);
    show_hex_info(hex);
    return true;
}

void show_hex_pieces_info(std::int32_t hex) {
    action_selection[0] = -1;
    unit_shows = unit_panel_shows::hex;
    const unit_panel_content content = unit_panel_for_hex(hex);
    int n = 0;
    for (const unit_panel_line& l : content.lines) {
        if (n + 1 >= action_selection_capacity) break;
        action_selection[n++] = l.piece;
    }
    action_selection[n] = -1;
    draw_unit_panel(content);
    panels_changed();
}

void show_hex_info(std::int32_t hex) {
    const std::vector<panel_text> lines = hex_info_lines(hex, hex_panel_width);
    clear_hex_info_panel();
    draw_texts(*hex_panel_canvas, lines);
    panels_changed();
}

void show_cycled_piece(std::int32_t piece) {
    unit_shows = unit_panel_shows::cycled_piece;
    cycled_piece_shown = piece;
    clear_unit_info_panel();
    draw_texts(*unit_panel_canvas, cycled_piece_lines(piece));
    panels_changed();
}

void end_piece_cycle() {
    cycle_list[0] = -1;
    cycle_start = -1;
    cycle_position = -1;
    if (unit_shows == unit_panel_shows::cycled_piece) {
        unit_shows = unit_panel_shows::hex;
        show_hex_pieces_info(last_info_hex);
    }
    if (piece_cycle_ended_hook) piece_cycle_ended_hook();
}

void cycle_to_next_piece(int direction) {
    if (cycle_start < 0) return;
    int n = 0;
    while (n < cycle_list_capacity && cycle_list[n] != -1)
        ++n;
    auto known_on_board = [](std::int32_t piece) {
        const piece_struct* p = piece_record(piece);
        return p && !p->in_pool() && on_board(p->location) && get_piece_visibility(piece) == visibility_full;
    };
    std::int32_t found = -1;
    if (n > 0) {
        const int step = direction < 0 ? -1 : 1;
        // The first step lands on the chosen start piece itself.
        int pos = cycle_position >= 0 && cycle_position < n ? cycle_position + step
                                                            : std::clamp(cycle_start, 0, n - 1);
        for (int tried = 0; tried < n; ++tried, pos += step) {
            pos = ((pos % n) + n) % n;
            if (known_on_board(cycle_list[pos])) {
                found = pos;
                break;
            }
        }
    }
    if (found < 0) {
        message_box("No Units Found",
                    "There were no known units found meeting the specificiations. \n\rClick Ok to Cancel the "
                    "cycle operation.",
                    box_buttons::ok, box_icon::information);
        end_piece_cycle();
        return;
    }
    cycle_position = found;
    const std::int32_t piece = cycle_list[found];
    const std::int32_t hex = game->piece_array[static_cast<std::size_t>(piece)].location;
    show_cycled_piece(piece);
    bring_hex_into_view(hex);
    // The hex is drawn first, so that the highlight is not drawn over at once; it lasts on the
    // screen until the hex is drawn again.
    redraw_hex(hex);
    if (allocate_map_buffers() && screen_save_canvas) {
        // The highlight borrows the selection list; a selection under way keeps its pieces.
        std::vector<std::int32_t> kept(selected_pieces, selected_pieces + selected_pieces_capacity);
        selected_pieces[0] = piece;
        selected_pieces[1] = -1;
        redraw_hex_contents(hex, *screen_save_canvas);
        std::copy(kept.begin(), kept.end(), selected_pieces);
    }
    show_map_buffer();
}
