// New pieces onto the board or into a force pool: the placement list and the driver.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// One entry of a placement list: count pieces of a class (new pieces), or one pooled piece.
struct placement_entry {
    std::int32_t count = 0;
    std::int32_t index = -1;
    std::uint8_t random_pick = 0;
};
constexpr std::int32_t placement_pieces_max = 100;

// The list being placed (empty: none). The hex it goes to (63000: none, building a group) and,
// kept apart, the pool when pieces go into a pool (-1: none).
extern std::vector<placement_entry> placement_list;
extern std::int32_t placement_target;
extern std::int32_t placement_pool;
extern int auto_edit_new_pieces;
extern std::uint8_t place_again_after_placing;

// The hidden state a piece of the class starts with when placed.
std::uint8_t placed_hidden_state(int class_index);
// The pieces in a list.
std::int32_t placement_total(const std::vector<placement_entry>& list);

// Creates the pieces of placement_list at a hex (recorded: the group record, code 24, when the
// list totals two or more, then a code-3 record per piece) or into a pool (in the pool, no
// record). Auto-edit opens the piece editor for each new piece (its hook). The pieces made.
int create_placement_pieces(std::int32_t hex_or_pool, bool into_pool);

// The list form (get_units_to_place_form) for placement_target; fills placement_list. Filled by
// the form. And the piece editor for a new piece of a class: the piece made, or -1.
extern std::function<void()> placement_form_hook;
extern std::function<int(int class_index)> new_piece_editor_hook;

// The pieces of placement_list (pooled pieces, one per entry) from their pools onto a hex:
// each recorded (code 3, from its pool). Damaged entries (not a pooled piece) are skipped. The
// pieces placed.
int place_listed_pool_pieces(std::int32_t hex);
// The pool forms: picking pooled pieces into placement_list, and asking whether pieces come from
// a pool (true: from a pool). Filled by the forms.
extern std::function<void()> pool_pieces_form_hook;
extern std::function<bool()> from_pool_question_hook;
// From pools onto a hex: the picking form, then the pieces placed; true when a list was placed.
bool place_pieces_from_pool(std::int32_t hex);

// Whether the game has a class to place; without one the "No Classes Defined" box says so.
bool classes_to_place();

// The Add button and the placing modes: the list form, then the pieces made at the target.
bool place_new_pieces(std::int32_t target, bool into_pool);
