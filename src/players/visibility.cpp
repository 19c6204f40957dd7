// Stand-in until the visibility rules are in: everything is seen as it is.
#include "visibility.h"

#include "data/records.h"

int get_piece_visibility(int) {
    return 3;
}

std::int32_t get_piece_display_symbol(int piece) {
    if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) return class_end;
    const std::int32_t c = game->piece_array[static_cast<std::size_t>(piece)].class_index;
    if (c < 0 || static_cast<std::size_t>(c) >= game->class_array.size()) return class_end;
    return game->class_array[static_cast<std::size_t>(c)].symbol;
}
