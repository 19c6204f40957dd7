// Undo of the last recorded action: the game state it changed is put back and its record (or
// its whole group placement) leaves the history.
#pragma once

#include "data/history_records.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The last action of a stream: its record, and for a piece placed as part of a group, the
// group's code-24 record and every code-3 record of the group after it.
struct undo_target {
    history_record record;
    std::optional<history_record> group;
    std::vector<history_record> group_pieces;
    std::size_t cut_at = 0; // the stream ends here afterwards
};
// The last action, found by walking the records; nothing when there is none or the stream is
// damaged.
std::optional<undo_target> last_undoable_action(const byte_vector& stream);

// The box that refuses a code (title and text), or nothing when the code can be undone.
struct undo_refusal {
    const char* title;
    const char* text;
};
std::optional<undo_refusal> undo_refused(int code);
// "The last action was a" + the name of an action that can be undone, or empty for a code
// without an undo.
std::string undo_action_name(const undo_target& target);

// Puts the game back as it was before the action and cuts the stream; game_modified is set.
// Nothing happens for a code without an undo.
void undo_action(const undo_target& target);

// The whole command: finds the action, refuses or names it, asks (with the choice to watch it
// first through `undo_view_hook`, given the offset of the record), and undoes it.
void undo_last_action();
extern std::function<void(std::size_t record_start)> undo_view_hook;
