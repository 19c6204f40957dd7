#include "version1_files.h"

#include "platform/boxes.h"

version1_converters version1_conversion;

namespace {
bool refuse() {
    message_box("Execution message:", "Version 1 files cannot be converted yet.", box_buttons::ok,
                box_icon::information);
    return false;
}
} // namespace

bool convert_version1_symbol_set(symbol_state& into) {
    return version1_conversion.symbol_set ? version1_conversion.symbol_set(into) : refuse();
}

bool convert_version1_map(board_state& into) {
    return version1_conversion.map ? version1_conversion.map(into) : refuse();
}

bool convert_version1_game() {
    return version1_conversion.game ? version1_conversion.game() : refuse();
}
