// The class editor's work, without the form: it edits a copy of the class and stores it, with
// the history records of its value changes, only when the user saves.
#pragma once

#include "data/records.h"

#include <cstdint>
#include <string>

struct class_edit_session {
    int edited = -1; // the class being edited; -1 for a new class not stored yet
    class_struct record;
    value_bytes old_values{};
    std::uint8_t old_types[8] = {};
};

// A new class, starting as a copy of the last live class (nothing is added to the list yet).
class_edit_session begin_new_class();
// An existing class; a class whose symbol is not a piece symbol falls back to the first one
// that is, and with none to a new class.
class_edit_session begin_class_edit(int index);

// The first class (before the end record, not free) whose symbol is a piece symbol; -1 if none.
int first_class_with_piece_symbol();
// Whether another live class has this name.
bool class_name_in_use(const std::string& name, int except);

// Stores the copy: a new class takes a slot (add_class) first. Records a code-5 change for each
// value whose bytes or type differ from the loaded ones and marks the game changed. The class's
// index, or -1 when no slot could be had (add_class's message told why).
int commit_class_edit(class_edit_session& session);

// The class last chosen in the picker (-1 none).
extern int last_selected_class;
