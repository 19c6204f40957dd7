#include "version1_convert.h"

#include "platform/boxes.h"

// Version-1 files are refused until their converter is built; the callers report the failure.
namespace {
void refuse() {
    message_box("Execution message:", "Version 1 files cannot be converted yet.", box_buttons::ok,
                box_icon::information);
}
} // namespace

bool convert_version1_symbol_set(symbol_state&) {
    refuse();
    return false;
}

bool convert_version1_map(board_state&) {
    refuse();
    return false;
}

bool convert_version1_game() {
    refuse();
    return false;
}
