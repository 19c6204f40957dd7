// What the piece actions form does with the pieces of one hex, without the form.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// One row of the form: a piece of the hex the current player may see, with its visibility code.
struct action_row {
    std::int32_t piece = -1;
    int visibility = 0;
};

// Fills action_selection with the pieces standing in the hex (not in a pool) in piece-array
// order; `with_cards` false leaves cards out. The rows are those the player may see.
std::vector<action_row> build_action_rows(std::int32_t hex, bool with_cards = true);

// The text of the M/C/H column: moved, attacked, defended and the hidden state.
std::string flags_text(std::uint8_t flags, std::uint8_t hidden);
// The text of the Facing column for a facing code.
std::string facing_text(int code);

// Which action buttons are usable for the rows (and which rows are marked).
struct action_buttons {
    bool flip = false, move = false, attack = false, defend = false, add = false, remove = false,
         sort = false;
};
action_buttons compute_action_buttons(const std::vector<action_row>& rows, const std::vector<bool>& marked,
                                      bool hex_has_pieces, int mode);

// The widths of the grid's columns for a width w: remembered widths (0 = not remembered) keep
// their place when they fit; the last column takes what is left of w - 18.
std::vector<int> action_column_widths(int w, bool facing_shown, std::vector<int>& remembered);

// Whether the current player may change the hidden state of a piece: its class is owned by a
// single player who keeps player flags, and that player is logged on or a game master is.
bool may_change_hidden_state(std::int32_t piece);
// Sets the hidden state and records the change (code 13); false when not allowed or unchanged.
bool change_hidden_state(std::int32_t piece, int state);

// The cards lying in a hex (not in a pool).
int count_cards_in_hex(std::int32_t hex);

// Brings a piece to the top of its hex's stack: to the index of the first piece standing there.
void move_piece_to_top_of_stack(std::int32_t piece);

// Work of later parts that the form starts: placing new pieces at a hex, removing pieces, flipping
// (forward or back), the piece order form for a hex and the facing dial of a piece.
extern std::function<void(std::int32_t hex)> place_pieces_at_hex_hook;
extern std::function<void(std::span<const std::int32_t> pieces)> remove_pieces_hook;
extern std::function<void(std::span<const std::int32_t> pieces, bool forward)> flip_pieces_hook;
extern std::function<void(std::int32_t hex)> piece_order_form_hook;
extern std::function<void(std::int32_t piece)> facing_dial_hook;
