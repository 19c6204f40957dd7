// Game-wide settings saved with the game that the empty game resets.
#pragma once

#include <cstdint>
#include <string>

struct game_settings_struct {
    std::uint8_t dice_count = 1;
    std::uint8_t die_sides = 6;
    std::uint8_t die_sides_reserved = 0; // kept byte of the dice section
    std::uint8_t auto_reveal_moving_range = 0;
    std::uint8_t auto_reveal_moving_los = 0;
    std::uint8_t reveal_during_combat = 0;
    std::uint8_t use_elevations = 0;
    std::uint8_t fast_zoom = 1; // the view-and-draw byte
    std::uint8_t fast_draw_on = 0;
    // Grid Display, Show Hexlines, Show Hexsides, Show Placenames, pieces/markers byte, and two
    // further draw bytes.
    std::uint8_t draw_options[7] = {1, 1, 1, 1, 1, 1, 1};
    std::uint8_t symbols_per_hex[3] = {1, 1, 1};
    std::uint8_t facing_display_options[3] = {10, 6, 2};
    // Bit value 2^(n-1): value number n of classes (pieces) is totalled in the combat summary.
    std::uint8_t combat_summary_class_mask = 0;
    std::uint8_t combat_summary_piece_mask = 0;
    std::string info_page_set_path;
    // Folder and base name shared by the card symbol sets; empty = beside the saved game.
    std::string card_set_base_path;
};

extern game_settings_struct game_settings;
void reset_game_settings();
