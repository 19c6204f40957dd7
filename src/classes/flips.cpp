#include "flips.h"

#include "data/dialog_globals.h"
#include "data/history_stream.h"
#include "data/hooks.h"
#include "data/records.h"
#include "data/value_text.h"
#include "platform/boxes.h"

#include <new>

std::function<void(int)> edit_flip_def_hook;

namespace {

bool valid_piece(std::int32_t p) {
    return p >= 0 && static_cast<std::size_t>(p) < game->piece_array.size() &&
           game->piece_array[static_cast<std::size_t>(p)].location != location_free;
}

int piece_class(std::int32_t p) {
    return game->piece_array[static_cast<std::size_t>(p)].class_index;
}

std::string class_name(int c) {
    const class_struct* k = class_record(c);
    return k ? name_of(k->name) : std::string();
}

// How many pairs the table holds before its end pair.
std::size_t pairs() {
    const auto& f = game->flip_array;
    std::size_t n = 0;
    while (n < f.size() && f[n].parent != class_end)
        ++n;
    return n;
}

} // namespace

bool change_piece_class_once(std::int32_t piece, int new_class) {
    if (!valid_piece(piece) || !class_record(new_class)) return false;
    const int old = piece_class(piece);
    if (old == new_class) return false;
    game->piece_array[static_cast<std::size_t>(piece)].class_index = new_class;
    append_class_change_record(piece, old, new_class);
    game_modified = 1;
    return true;
}

bool flip_piece_to_flip_class(std::int32_t piece) {
    if (!valid_piece(piece)) return false;
    const int c = piece_class(piece);
    const std::size_t n = pairs();
    for (std::size_t i = 0; i < n; ++i)
        if (game->flip_array[i].parent == c)
            return change_piece_class_once(piece, game->flip_array[i].flip_class);
    return false;
}

bool flip_piece_to_parent_class(std::int32_t piece) {
    if (!valid_piece(piece)) return false;
    const int c = piece_class(piece);
    const std::size_t n = pairs();
    for (std::size_t i = 0; i < n; ++i)
        if (game->flip_array[i].flip_class == c)
            return change_piece_class_once(piece, game->flip_array[i].parent);
    return false;
}

bool flip_defined_for(int class_index) {
    const std::size_t n = pairs();
    for (std::size_t i = 0; i < n; ++i)
        if (game->flip_array[i].parent == class_index) return true;
    return false;
}

bool add_flip_definition(int parent, int flip) {
    if (!class_record(parent) || !class_record(flip)) {
        message_box("Flip Definition Error", "Choose two classes of the game for the flip definition.",
                    box_buttons::ok, box_icon::exclamation);
        return false;
    }
    if (parent == flip) {
        message_box("Flip Definition Error",
                    "A class cannot flip to itself:  " + class_name(parent) +
                        "\n\rChoose another class to flip to.",
                    box_buttons::ok, box_icon::exclamation);
        return false;
    }
    auto& f = game->flip_array;
    const std::size_t n = pairs();
    for (std::size_t i = 0; i < n; ++i)
        if (f[i].parent == parent) {
            if (message_box(
                    "Flip Definition Exists!",
                    "This parent class already has a flip defined.\n\rDo you want to replace it with the new "
                    "definition?",
                    box_buttons::yes_no, box_icon::question) != box_answer::yes)
                return false;
            f[i].flip_class = flip;
            game_modified = 1;
            return true;
        }
    try {
        std::vector<flip_struct> grown(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(n));
        grown.push_back(flip_struct{parent, flip});
        grown.push_back(flip_struct{});
        f.swap(grown);
    } catch (const std::bad_alloc&) {
        message_box("Memory Allocation Error", "Could not add the flip definition.", box_buttons::ok,
                    box_icon::stop);
        return false;
    }
    game_modified = 1;
    return true;
}

void flip_pieces(const std::int32_t* pieces, std::size_t count, bool forward) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t piece = pieces[i];
        if (!valid_piece(piece)) continue;
        const int c = piece_class(piece);
        bool flipped = false;
        if (forward) {
            flipped = flip_piece_to_flip_class(piece);
            if (!flipped) {
                const box_answer a = message_box("No Flip Defined",
                                                 "No flip is defined for the class:  " + class_name(c) +
                                                     "\n\r\n\rYes: define the flip for this class now "
                                                     "(pieces of the class will always flip so)."
                                                     "\n\rNo: change this piece to another class just this "
                                                     "once.\n\rCancel: leave the piece.",
                                                 box_buttons::yes_no_cancel, box_icon::question);
                if (a == box_answer::yes) {
                    if (edit_flip_def_hook) edit_flip_def_hook(c);
                    flipped = flip_piece_to_flip_class(piece);
                } else if (a == box_answer::no) {
                    edit_index = c;
                    const int chosen = get_unit_class(2);
                    flipped = chosen >= 0 && change_piece_class_once(piece, chosen);
                }
            }
        } else {
            flipped = flip_piece_to_parent_class(piece);
            if (!flipped)
                message_box("Flip Definition Not Found",
                            "No piece class was found that 'flips' to: " + class_name(c) +
                                "  \n\rOperation cancelled.  ",
                            box_buttons::ok, box_icon::exclamation);
        }
        if (flipped) play_game_sound(game_sound::flip);
    }
}
