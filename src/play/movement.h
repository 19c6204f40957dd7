// Moves and combats built up on the map: the path steps, moving the chosen pieces along it,
// choosing attackers and defenders and resolving the combat.
#pragma once

#include <cstdint>
#include <span>

// The path holds this many steps and its end mark.
constexpr int move_path_steps_max = 99;

// Takes up pieces for a move (at most 499; -1 or the span's end ends them) and enters the move
// mode (operation mode 2) when any were taken. The number taken.
int take_up_for_move(std::span<const std::int32_t> pieces);

// Adds a hex as the next step of the path; the pieces taken up reveal what they find there.
// A full path refuses the step with a message and changes nothing: false.
bool add_path_step(std::int32_t hex);
// Takes back the last step, unless a step has revealed enemy pieces (a message then).
void undo_path_step();
// The number of steps of the path.
int path_step_count();
// Moves the taken-up pieces to the path's last hex and records the move with the reveals made
// along the path behind it; false (nothing changed, nothing recorded) without pieces or steps.
bool move_selected_pieces();
// Done in move mode: the move, then the path and the selection emptied and mode 0.
void finish_move();

// Adds pieces to the attackers ('A') or the defenders ('D') and to the selection, within the
// lists' capacities, and enters the combat mode (operation mode 3) when any were added. With
// Reveal Pieces During Combat on, each added piece is revealed. The number added.
int add_combatants(char side, std::span<const std::int32_t> pieces);
// Undo in combat mode: takes back the last Attack or Defend click, or, with none pending, the
// whole combat.
void undo_combat_selection();
// Done in combat mode: the summary (when values are chosen), the record, the dice (when the
// preference asks), the attacked and defended flags; the lists emptied.
bool resolve_combat();
// The summary for the current lists, when a summary value is chosen for either side.
void show_combat_summary();

// Whether some player of the game keeps hidden pieces.
bool game_uses_hidden_pieces();
