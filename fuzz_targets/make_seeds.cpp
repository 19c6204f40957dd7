// Writes the seed corpora of the fuzz targets with the program's own writers:
// make_seeds <folder> makes <folder>/<target>/... for each target.
#include "target_support.h"

#include "demo_game.h"

#include "data/board.h"
#include "data/game_file.h"
#include "data/map_file.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "data/symbol_set.h"
#include "data/symbols.h"
#include "data/history_stream.h"
#include "mainwin/settings_files.h"
#include "data/alliances.h"
#include "platform/files.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

namespace {
void put(const std::string& folder, const std::string& name, const byte_vector& bytes) {
    make_folder(folder);
    if (!write_file_atomic(join_path(folder, name), bytes)) std::fprintf(stderr, "cannot write %s\n", name.c_str());
}

symbol_struct symbol(const char* name, int index, int width, int height, int mask) {
    symbol_struct s;
    set_name(s.name, name);
    for (int z = 0; z < 3; ++z) {
        int w = width * (z + 1), h = height * (z + 1);
        s.left[z] = index * w;
        s.right[z] = index * w + w - 1;
        s.top[z] = 0;
        s.bottom[z] = h - 1;
    }
    s.mask = mask;
    return s;
}

symbol_state small_set(int mask_of_second_piece) {
    symbol_state s;
    const char* terrain[] = {"Clear", "Woods", "Hills", "Town", "Water"};
    for (int i = 0; i < 5; ++i) s.terrain_symbols.push_back(symbol(terrain[i], i, 20, 20, 0));
    s.piece_symbols = {symbol("Infantry", 0, 16, 12, 0), symbol("Armour", 1, 16, 12, mask_of_second_piece)};
    s.mask_symbols = {symbol("Hex", 0, 20, 20, 0)};
    s.terrain_symbol_count = 5;
    s.piece_symbol_count = 2;
    s.mask_symbol_count = 1;
    for (int z = 0; z < 3; ++z) {
        s.strip_width[0][z] = 5 * 20 * (z + 1) + 1;
        s.strip_height[0][z] = 20 * (z + 1) + 1;
        s.strip_width[1][z] = 2 * 16 * (z + 1);
        s.strip_height[1][z] = 12 * (z + 1);
        s.strip_width[2][z] = 20 * (z + 1);
        s.strip_height[2][z] = 20 * (z + 1);
    }
    s.hex_shape = 1;
    return s;
}

board_state small_board(int grid_type) {
    board_state b;
    b.map_columns = 6;
    b.map_rows = 4;
    b.hex_count = 24;
    b.grid_type = static_cast<std::uint8_t>(grid_type);
    b.hex_array.resize(24);
    for (int h = 0; h < 24; ++h) {
        b.hex_array[h].terrain = h % 5;
        b.hex_array[h].elevation = h % 3;
    }
    placename_struct town;
    town.hex = 7;
    town.terrain = 3;
    set_name(town.name, "Ham");
    town.font_size[0] = town.font_size[1] = town.font_size[2] = 8;
    town.label_position[0] = town.label_position[1] = town.label_position[2] = 5;
    town.style = 1;
    b.hex_array[7].flags |= 2;
    b.placename_array = {town, placename_struct{}};
    hexside_struct side;
    side.hex = 3;
    side.type = 0;
    side.sides = 5;
    b.hex_array[3].flags |= 4;
    b.hexside_array = {side, hexside_struct{}};
    hexline_type_struct river;
    river.colour = 4;
    river.pen_width[0] = 1;
    river.pen_width[1] = 2;
    river.pen_width[2] = 3;
    set_name(river.name, "River");
    river.style = 1;
    b.hexline_type_array = {river, hexline_type_struct{}};
    hex_overlay_struct overlay;
    overlay.hex = 9;
    overlay.terrain = 1;
    b.hex_array[9].flags |= 8;
    b.hex_overlay_array = {overlay, hex_overlay_struct{}};
    board_struct sheet;
    sheet.last_column = 5;
    sheet.last_row = 3;
    set_name(sheet.name, "Sheet A");
    sheet.flags = 1;
    sheet.column_origin = 1;
    sheet.row_origin = 1;
    sheet.column_label_width = 2;
    sheet.row_label_width = 2;
    b.board_array = {sheet, board_struct{}};
    hexline_struct line;
    line.hex = 10;
    line.type = 0;
    line.directions_1 = 3;
    b.hex_array[10].flags |= 1;
    b.hexline_array = {line, hexline_struct{}};
    b.hexside_count = 2;
    b.hexline_count = 2;
    return b;
}

void history_seeds(const std::string& root) {
    std::string folder = join_path(root, "fuzz_history");
    fuzz_begin();
    put(folder, "empty", game->history_stream);
    for (int i = 0; i < 4; ++i) {
        int p = add_piece();
        game->piece_array[static_cast<std::size_t>(p)].location = i;
    }
    clear_history();
    std::int32_t pieces[] = {0, 1, -1};
    std::int32_t path[] = {3, 4, 63000};
    append_move_record(pieces, path, history_end_offset());
    append_add_piece_record(2, 0, 0, 0, 5);
    append_piece_order_record(1, 3);
    append_remove_piece_record(3, 2, 0, 0);
    append_comment_record(0, "A comment with \xFE and \xFD inside");
    int rolls[] = {3, 6};
    append_die_roll_record(6, rolls);
    put(folder, "records", game->history_stream);
}

void game_seeds(const std::string& root) {
    std::string folder = join_path(root, "fuzz_saved_game");
    make_folder(folder);
    fuzz_begin();
    current_game_path = join_path(folder, "empty.OPS");
    write_saved_game();

    fuzz_begin();
    player_struct red, blue, end;
    set_name(red.name, "Red");
    set_name(blue.name, "Blue");
    blue.flags = 1 | 4;
    game->player_array = {red, blue, end};
    game->player_count = 3;
    reset_alliance_table(2);
    const char* class_names[] = {"Rifles", "Tanks", "Guns"};
    for (int i = 0; i < 3; ++i) {
        int c = add_class();
        class_struct& k = game->class_array[static_cast<std::size_t>(c)];
        set_name(k.name, class_names[i]);
        k.symbol = i % 2;
        k.owner = static_cast<std::uint8_t>(i % 2);
        k.value_types[0] = 1;
        k.values[0] = {0, 0, 0, static_cast<std::uint8_t>(i + 3)};
    }
    pool_struct reserve, pool_end;
    set_name(reserve.name, "Reserve");
    reserve.piece_count = 1;
    reserve.owner = 1;
    game->pool_array = {reserve, pool_end};
    for (int i = 0; i < 6; ++i) {
        int p = add_piece();
        piece_struct& q = game->piece_array[static_cast<std::size_t>(p)];
        q.class_index = i % 3;
        q.location = i == 5 ? 0 : i * 3;
        q.flags = i == 5 ? piece_flag_in_pool : 0;
        q.hidden = static_cast<std::uint8_t>(i % 3);
        set_name(q.name, std::string("Unit ") + std::to_string(i));
    }
    turn_name first, second;
    set_name(first.text, "Set-up");
    set_name(second.text, "Turn 1");
    game->turn_names = {first, second, turn_name{}};
    set_name(game->class_value_names[0], "Strength");
    clear_history();
    std::int32_t moving[] = {0, -1};
    std::int32_t path[] = {4, 5, 63000};
    append_move_record(moving, path, history_end_offset());
    current_game_path = join_path(folder, "two_players.OPS");
    write_saved_game();
}

void board_seeds(const std::string& root) {
    std::string folder = join_path(root, "fuzz_map_file");
    for (int grid = 1; grid <= 3; ++grid)
        put(folder, "grid" + std::to_string(grid) + ".MAP", map_file_bytes(small_board(grid), "DEMO"));
}

void set_seeds(const std::string& root) {
    std::string folder = join_path(root, "fuzz_symbol_set");
    put(folder, "one_byte_masks.SET", symbol_set_file_bytes(small_set(0), 1));
    put(folder, "wide_masks.SET", symbol_set_file_bytes(small_set(300), 2));
    std::string order = join_path(root, "fuzz_symbol_order");
    std::string lines = "\x05\x02\n1\n2\n3\n4\n5\n2\n1\n";
    put(order, "order.SDX", byte_vector(lines.begin(), lines.end()));
}
// The demo game's three files go to the targets of their readers.
void demo_seeds(const std::string& root) {
    std::string folder = join_path(root, "demo");
    fuzz_begin();
    if (!make_demo_game(folder)) return;
    for (const auto& [file, target] : {std::pair{"Demo.OPS", "fuzz_saved_game"}, std::pair{"Demo.MAP", "fuzz_map_file"},
                                       std::pair{"Demo.SET", "fuzz_symbol_set"}}) {
        auto bytes = read_whole_file(join_path(folder, file));
        if (bytes) put(join_path(root, target), file, *bytes);
    }
}

void settings_seeds(const std::string& root) {
    std::string folder = join_path(root, "fuzz_settings_files");
    byte_vector prefs = encode_preferences();
    prefs.insert(prefs.begin(), 0);
    put(folder, "preferences", prefs);
    std::string recent = std::string("\x01") + "/games/Battle.OPS" + '\0' + "/games/Other.OPS" + '\0';
    put(folder, "recent", byte_vector(recent.begin(), recent.end()));
    std::string dirs = "\x02/pics/;/sounds/;;/players/;/video/;";
    put(folder, "folders", byte_vector(dirs.begin(), dirs.end()));
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    QGuiApplication app(argc, argv); // the demo game draws its symbols with fonts
    std::string root = argv[1];
    history_seeds(root);
    game_seeds(root);
    board_seeds(root);
    set_seeds(root);
    settings_seeds(root);
    demo_seeds(root);
    return 0;
}
