// The order in which the class lists show the classes: as stored, or by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The class list of the piece editor's class box: the names (an empty one as "Not Named") of the
// classes whose symbol is a piece symbol, in class order or, with the sort preference on, by a
// case-sensitive byte comparison of the names (equal names keep their class order). Fills the
// position table that class_at_sort_position reads.
std::vector<std::string> build_class_sort_order();
// The class at a position of the last list built, or -1.
int class_at_sort_position(int position);
// The position of a class in the last list built, or -1.
int sort_position_of_class(int class_index);

// The rows of the class picker: for each listed class its index and its row text, in the
// picker's order: class order, or with `alphabetical` the rows compared without regard to case
// (equal rows keep their class order). Piece classes and card classes as asked.
struct picker_row {
    int class_index = -1;
    std::string text;
};
std::vector<picker_row> class_picker_rows(bool pieces, bool cards, bool alphabetical);
