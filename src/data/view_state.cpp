#include "view_state.h"
#include "draw_marks.h"
#include "options.h"

int zoom_level = 0;
std::int32_t view_origin_hex = 0;
std::int32_t clicked_hex = -1;
int view_width = 0;
int view_height = 0;
int info_panel_height = -1;
int info_panel_width = -1;
std::uint8_t view_ready = 1;
std::uint8_t map_just_redrawn = 0;
std::uint8_t replay_delay = 10;

std::uint8_t rmb_mode = 0;
std::int32_t operation_mode = 0;
std::uint8_t sound_on = 0;
std::uint8_t autosave_on = 0;
std::uint8_t redraw_entire_screen = 0;
std::uint8_t ask_place_from_pools = 1, ask_remove_to_pool = 1, auto_place_from_pool = 0,
             auto_remove_to_pool = 0;
std::uint8_t sort_classes_alphabetically = 1, combat_options = 2, default_comment_to_text = 0,
             resizable_forms = 0;

piece_mark selected_piece_marks[piece_marks_capacity];

void clear_piece_marks() {
    for (auto& m : selected_piece_marks)
        m = piece_mark{};
}
