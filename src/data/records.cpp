#include "records.h"

#include "board.h"
#include "game_settings.h"
#include "hooks.h"
#include "symbols.h"

#include "data/command_state.h"
#include "data/draw_marks.h"
#include "data/history_stream.h"
#include "data/los_settings.h"
#include "data/options.h"
#include "data/view_state.h"
#include "platform/boxes.h"

#include <cstdio>
#include <cstring>
#include <new>

std::unique_ptr<game_state> game = std::make_unique<game_state>();
std::unique_ptr<board_state> board = std::make_unique<board_state>();
std::unique_ptr<symbol_state> symbols = std::make_unique<symbol_state>();
std::uint8_t game_modified = 0;
piece_struct piece_scratch[100];
game_settings_struct game_settings;

std::function<int(int)> get_unit_class_hook;
std::function<void()> redraw_view_hook;
std::function<void(int)> piece_editor_hook;
std::function<void(int)> class_editor_hook;
std::function<void()> close_game_windows_hook;
std::function<bool()> save_game_elsewhere_hook;
std::function<void(game_sound)> game_sound_hook;
std::function<void(std::int32_t)> map_hex_redraw_hook;
std::function<void(std::int32_t)> show_hex_in_panels_hook;
std::function<void()> combat_summary_hook;
std::function<void()> roll_dice_form_hook;

void play_game_sound(game_sound sound) {
    if (game_sound_hook) game_sound_hook(sound);
}
void redraw_map_hex(std::int32_t hex) {
    if (map_hex_redraw_hook) map_hex_redraw_hook(hex);
}

int get_unit_class(int mode) {
    return get_unit_class_hook ? get_unit_class_hook(mode) : -1;
}
void redraw_whole_view() {
    if (redraw_view_hook) redraw_view_hook();
}

void reset_game_settings() {
    game_settings = game_settings_struct{};
}

std::size_t class_end_index() {
    const auto& a = game->class_array;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].symbol == class_end) return i;
    return a.size();
}

namespace {

std::size_t piece_end_position() {
    const auto& a = game->piece_array;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].location == location_end) return i;
    return a.size();
}

void unit_creation_error(const char* text) {
    error_code_box("Unit Creation Error", text);
}
} // namespace

int add_class() {
    auto& a = game->class_array;
    try {
        if (a.empty()) {
            a.resize(2);
            init_class_record(0);
            a[1] = class_struct{};
            a[1].symbol = class_end;
            game_modified = 1;
            return 0;
        }
        std::size_t n = 0;
        for (; n < a.size(); ++n) {
            if (a[n].symbol == class_free) return static_cast<int>(n);
            if (a[n].symbol == class_end) break;
        }
        if (n >= static_cast<std::size_t>(max_classes)) {
            message_box("Limit Error", "The maximum 30000 classes have already been defined.",
                        box_buttons::ok, box_icon::information);
            return -1;
        }
        // Grow by one record; a failed allocation leaves the array as it was.
        std::vector<class_struct> grown;
        grown.reserve(n + 2);
        grown.assign(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n));
        grown.resize(n + 2);
        grown[n + 1] = class_struct{};
        grown[n + 1].symbol = class_end;
        a.swap(grown);
    } catch (const std::bad_alloc&) {
        message_box("Memory allocation error", "Can not allocate temp array for new class.");
        return -1;
    }
    int n = static_cast<int>(a.size()) - 2;
    init_class_record(n);
    game_modified = 1;
    return n;
}

class_struct class_record_template(int index) {
    const auto& a = game->class_array;
    class_struct c;
    c.symbol = class_free;
    c.hidden_symbol = 30000;
    if (index > 0) {
        std::size_t end = class_end_index();
        for (std::size_t i = end; i-- > 0;) {
            if (static_cast<int>(i) == index) continue;
            const class_struct& m = a[i];
            if (m.symbol == class_free || m.is_card()) continue;
            c.values = m.values;
            std::memcpy(c.value_types, m.value_types, sizeof c.value_types);
            std::memcpy(c.name, m.name, 25);
            c.name[25] = 0;
            c.symbol = m.symbol;
            c.owner = m.owner;
            c.facing_set = m.facing_set;
            break;
        }
    }
    return c;
}

void init_class_record(int index) {
    auto& a = game->class_array;
    if (index < 0 || static_cast<std::size_t>(index) >= a.size()) return;
    a[static_cast<std::size_t>(index)] = class_record_template(index);
}

int add_piece() {
    auto& a = game->piece_array;
    try {
        if (a.empty()) {
            a.resize(2);
            game->piece_end_index = 1;
            init_piece_record(0);
            a[1] = piece_struct{};
            a[1].location = location_end;
            game_modified = 1;
            return 0;
        }
        std::size_t n = 0;
        for (; n < a.size() && n < static_cast<std::size_t>(max_pieces); ++n) {
            if (a[n].location == location_free) {
                init_piece_record(static_cast<int>(n));
                game_modified = 1;
                return static_cast<int>(n);
            }
            if (a[n].location == location_end) break;
        }
        if (n >= static_cast<std::size_t>(max_pieces)) {
            unit_creation_error("Max 32000 Units Already Defined");
            return -1;
        }
        game->piece_end_index = static_cast<std::int32_t>(n);
        std::vector<piece_struct> grown;
        grown.reserve(n + 2);
        grown.assign(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n));
        grown.resize(n + 2);
        // The end record moves on as it was, so that a piece taken back leaves the file as before.
        grown[n + 1] = n < a.size() ? a[n] : piece_struct{};
        a.swap(grown);
    } catch (const std::bad_alloc&) {
        // Growing keeps the old array, so nothing is lost and the program can go on.
        unit_creation_error("Can't Add Unit");
        return -1;
    }
    int n = static_cast<int>(a.size()) - 2;
    init_piece_record(n);
    a[static_cast<std::size_t>(n) + 1].location = location_end;
    game->piece_end_index = n + 1;
    game_modified = 1;
    return n;
}

int init_piece_record(int index) {
    auto& a = game->piece_array;
    if (index < 0 || static_cast<std::size_t>(index) >= a.size()) return 0;
    piece_struct p;
    std::int32_t end = game->piece_end_index;
    if (end > static_cast<std::int32_t>(a.size())) end = static_cast<std::int32_t>(a.size());
    if (end > 0) {
        for (std::int32_t i = end; i-- > 0;) {
            if (i == index) continue;
            const piece_struct& m = a[static_cast<std::size_t>(i)];
            if (m.location == location_free || m.is_card()) continue;
            p.values = m.values;
            std::memcpy(p.value_types, m.value_types, sizeof p.value_types);
            break;
        }
    }
    p.hidden = 0;
    p.second_location = 0;
    p.location = location_free;
    p.flags = 0;
    p.facing = 0;
    a[static_cast<std::size_t>(index)] = p;
    return 1;
}

int ensure_class_index(int n) {
    if (n < 0 || n >= max_classes) return 0; // no such class can exist
    auto& a = game->class_array;
    std::size_t end = class_end_index();
    if (static_cast<std::size_t>(n) < end) return 1;
    std::vector<class_struct> grown(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(end));
    class_struct free_slot;
    free_slot.symbol = class_free;
    grown.resize(static_cast<std::size_t>(n) + 2, free_slot);
    grown.back() = class_struct{};
    grown.back().symbol = class_end;
    a.swap(grown);
    return 2;
}

int ensure_piece_index(int n) {
    if (n < 0 || n >= max_pieces) return 0;
    auto& a = game->piece_array;
    std::size_t end = piece_end_position();
    if (static_cast<std::size_t>(n) < end) return 1;
    std::vector<piece_struct> grown(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(end));
    piece_struct free_slot;
    free_slot.location = location_free;
    grown.resize(static_cast<std::size_t>(n) + 2, free_slot);
    grown.back() = piece_struct{};
    grown.back().location = location_end;
    a.swap(grown);
    game->piece_end_index = n + 1;
    return 2;
}

void set_piece_array_end(int n) {
    if (n < -1 || n >= max_pieces) return;
    auto& a = game->piece_array;
    std::size_t end = piece_end_position();
    std::size_t keep = std::min(end, static_cast<std::size_t>(n + 1));
    std::vector<piece_struct> rebuilt(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(keep));
    piece_struct free_slot;
    free_slot.location = location_free;
    rebuilt.resize(static_cast<std::size_t>(n + 1), free_slot);
    piece_struct end_record;
    end_record.location = location_end;
    rebuilt.push_back(end_record);
    a.swap(rebuilt);
    game->piece_end_index = n + 1;
}

int delete_class(int index) {
    auto& classes = game->class_array;
    std::size_t end = class_end_index();
    if (index < 0 || static_cast<std::size_t>(index) >= end || classes[index].symbol == class_free) return 0;

    auto& pieces = game->piece_array;
    std::size_t piece_end = piece_end_position();
    int count = 0;
    for (std::size_t i = 0; i < piece_end; ++i)
        if (pieces[i].location != location_free && pieces[i].class_index == index) ++count;

    char count_text[16];
    std::snprintf(count_text, sizeof count_text, "%i", count);
    std::string question =
        "Please confirm that the class:  " + name_of(classes[index].name) + "  should be deleted." +
        "\n\r\n\rIf this class is deleted, all pieces of this class will be immediately \n\rremoved from the "
        "game.  (" +
        count_text + " pieces affected)" +
        "\n\r\n\rAs long as no further classes are defined, and the game is NOT SAVED, " +
        "\n\rthe UNDO command may be used to restore the class.  However, pieces removed " +
        "\n\rby this operation are gone for good - UNDO will not return them to the game. " +
        "\n\rUNDO will also not restore any flip or stack definitions deleted because they  " +
        "\n\rwere linked to this class." +
        "\n\r\n\rClick OK to remove the class, or Cancel to abort the operation ";
    if (message_box("Confirm Class Deletion", question, box_buttons::ok_cancel, box_icon::question) !=
        box_answer::ok)
        return 0;

    auto& pools = game->pool_array;
    auto& counts = board->hex_piece_counts;
    for (std::size_t i = 0; i < piece_end; ++i) {
        piece_struct& p = pieces[i];
        if (p.location == location_free || p.class_index != index) continue;
        if (p.in_pool()) {
            if (p.location >= 0 && static_cast<std::size_t>(p.location) < pools.size()) {
                auto& pc = pools[static_cast<std::size_t>(p.location)].piece_count;
                if (pc > 0 && pc < class_end) --pc;
            }
        } else if (p.location >= 0 && p.location < board->hex_count &&
                   static_cast<std::size_t>(p.location) < counts.size()) {
            if (counts[static_cast<std::size_t>(p.location)] > 0)
                --counts[static_cast<std::size_t>(p.location)];
        }
        p.location = location_free;
        // A move, combat or list holding the piece lets it go.
        held_pieces_after_removal(static_cast<std::int32_t>(i));
    }

    auto& stacks = game->stack_def_array;
    for (std::size_t i = 0; i < stacks.size();) {
        if (stacks[i].stack_symbol == class_end) break;
        if (stacks[i].required_class == index)
            stacks.erase(stacks.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    auto& flips = game->flip_array;
    for (std::size_t i = 0; i < flips.size();) {
        if (flips[i].parent == class_end) break;
        if (flips[i].parent == index || flips[i].flip_class == index)
            flips.erase(flips.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }

    int former_symbol = classes[index].symbol;
    classes[index].symbol = class_free;
    append_delete_class_record(index, former_symbol >= 0 && former_symbol <= 62499 ? former_symbol : 0);
    redraw_whole_view();
    game_modified = 1;
    return 1;
}

void put_class_on_top() {
    int chosen = get_unit_class(0);
    if (chosen < 0) return;
    const std::int32_t hexes = board->hex_count;
    if (hexes <= 0) return;
    // One pass over the pieces, keeping per hex whether the class was found and which piece
    // last lost its flag.
    std::vector<std::uint8_t> found(static_cast<std::size_t>(hexes), 0);
    std::vector<std::int32_t> last_cleared(static_cast<std::size_t>(hexes), -1);
    auto& pieces = game->piece_array;
    std::size_t piece_end = piece_end_position();
    for (std::size_t i = 0; i < piece_end; ++i) {
        piece_struct& p = pieces[i];
        if (p.location < 0 || p.location >= hexes || p.in_pool()) continue;
        auto h = static_cast<std::size_t>(p.location);
        if (p.class_index == chosen) {
            p.flags |= piece_flag_on_top;
            found[h] = 1;
        } else if (p.flags & piece_flag_on_top) {
            p.flags &= static_cast<std::uint8_t>(~piece_flag_on_top);
            last_cleared[h] = static_cast<std::int32_t>(i);
        }
    }
    for (std::size_t h = 0; h < found.size(); ++h)
        if (!found[h] && last_cleared[h] >= 0)
            pieces[static_cast<std::size_t>(last_cleared[h])].flags |= piece_flag_on_top;
    redraw_whole_view();
    game_modified = 1;
}

// The editors mark the game changed themselves, when they store something.
void open_piece_editor(int piece) {
    if (piece_editor_hook) piece_editor_hook(piece);
}

void open_class_editor(int class_index) {
    if (class_editor_hook) class_editor_hook(class_index);
}

void free_symbol_set() {
    *symbols = symbol_state{};
}

bool map_loaded() {
    return board->map_columns > 0 && board->map_rows > 0 && !board->hex_array.empty();
}

void rebuild_hex_piece_counts() {
    const std::int32_t hexes = std::max(0, board->hex_count);
    board->hex_piece_counts.assign(static_cast<std::size_t>(hexes), 0);
    const auto& pieces = game->piece_array;
    const std::size_t end =
        std::min(pieces.size(), static_cast<std::size_t>(std::max(0, game->piece_end_index)));
    for (std::size_t i = 0; i < end; ++i) {
        const piece_struct& p = pieces[i];
        if (p.in_pool() || p.location < 0 || p.location >= hexes) continue;
        ++board->hex_piece_counts[static_cast<std::size_t>(p.location)];
    }
}

void free_map() {
    *board = board_state{};
}

void free_game() {
    game_state& g = *game;
    g.class_array.clear();
    g.piece_array.clear();
    g.facing_set_array.clear();
    g.player_array.clear();
    g.flip_array.clear();
    g.pool_array.clear();
    g.stack_def_array.clear();
    g.history_stream.clear();
    g.turn_names.clear();
    g.piece_end_index = 0;
    if (close_game_windows_hook) close_game_windows_hook();
}

void new_game() {
    free_game();
    game_state& g = *game;
    class_struct class_end_record;
    class_end_record.symbol = class_end;
    g.class_array = {class_end_record};
    piece_struct piece_end_record;
    piece_end_record.location = location_end;
    g.piece_array = {piece_end_record};
    g.piece_end_index = 0;
    g.facing_set_array = {facing_set_struct{}};
    g.player_array = {player_struct{}};
    g.flip_array = {flip_struct{}};
    pool_struct pool_end;
    pool_end.piece_count = class_end;
    g.pool_array = {pool_end};
    g.stack_def_array = {stack_def_struct{}};
    reset_command_state();
    clear_piece_marks();
    g.history_stream = {0x00, 0x01, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x00};
    clear_history();
    turn_name set_up;
    set_name(set_up.text, "Set-up");
    g.turn_names = {set_up, turn_name{}};
    zoom_level = 0;
    view_origin_hex = 0;
    for (auto& n : g.class_value_names)
        std::memset(n, 0, sizeof n);
    for (auto& n : g.piece_value_names)
        std::memset(n, 0, sizeof n);
    reset_game_settings();
    los_settings.terrain_ground_levels_in_use = 0;
    rmb_mode = 0;
}

int symbol_extent(std::int32_t low, std::int32_t high) {
    // The largest cell any strip bitmap can hold; past it the edges are damage.
    constexpr std::int64_t largest = 1 << 15;
    const std::int64_t extent = static_cast<std::int64_t>(high) - low + 1;
    return extent <= 0 || extent > largest ? 0 : static_cast<int>(extent);
}
