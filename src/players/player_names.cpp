#include "player_names.h"

#include "data/records.h"

std::string player_display_name(int player) {
    const auto& players = game->player_array;
    if (player < 0 || players.empty()) return "Unknown";
    if (player == 255) return "Visitor";
    for (std::size_t i = 0; i < players.size() && players[i].name[0] != 0; ++i)
        if (static_cast<int>(i) == player) return name_of(players[i].name);
    return "Unknown";
}
