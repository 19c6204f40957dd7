#include "status_line.h"

#include "data/game_file.h"
#include "data/records.h"
#include "platform/files.h"
#include "play/turns.h"
#include "data/current_player.h"
#include "players/visibility.h"

std::vector<std::string> status_line_texts(int mode, const status_line_state& s) {
    const std::string& p = s.player_part;
    switch (mode) {
    case 0:
        return {"No game loaded.  Click on the folder button or 'File' from the main menu."};
    case 1:
        return {"Normal Mode  " + p, "Game:  " + base_name_of(s.game_path),
                "Turn:  " + std::to_string(s.turn) + "  " + s.turn_name};
    case 2:
        return {"Log-In as an existing player, a new player, or a 'visitor'."};
    case 3:
        return {"Log-On Failed."};
    case 4:
        return {"Zoom IN: Click on map location to center new view."};
    case 5:
        return {"Moving Pieces: " + p +
                "  Click on the next hex/location in path, or the OK button when done."};
    case 6:
        return {"Select Pieces For Combat - click on hex/location, or OK button when done."};
    case 7:
        return {"Placing Pieces From Pool: " + p + "  click on hex/location to place Pieces"};
    case 8:
        return {"Placing Pieces: " + p +
                "  click on hex/location to place current 'stack', or OK button if done."};
    case 9:
        return {"Placing Pieces: " + p +
                "  select a group of pieces to place (a'stack'), or Cancel if done."};
    case 10:
        return {"LOS check: " + p + "  click on spotting location, or OK button if done."};
    case 11:
        return {"LOS check: " + p + "  click on target location, or OK button if done."};
    case 12:
        return {"Setting up a new game.  Select the map to use, then create players, classes, and pieces."};
    case 13:
        return {"Placing Card From Deck -> Click anywhere on the board to place the " + s.card_name};
    case 14:
        return {"Placing Card From Hand -> Click anywhere on the board to place the " + s.card_name};
    case 15:
        return {"Select the action for the top card (" + s.card_name + ")"};
    default:
        return {std::string()};
    }
}

std::string status_player_part(int player) {
    if (player < 0) return "(Visitor/No Player)";
    return "(" + player_display_name(player) + ")";
}

status_line_state current_status_line_state(int card) {
    status_line_state s;
    s.game_path = current_game_path;
    s.turn = game->game_turn;
    s.turn_name = get_turn_name(game->game_turn);
    s.player_part = status_player_part(current_player);
    // Until cards are named as each player sees them, a face-down card is not named at all.
    const auto& pieces = game->piece_array;
    if (card >= 0 && static_cast<std::size_t>(card) < pieces.size() &&
        pieces[static_cast<std::size_t>(card)].hidden == 0)
        s.card_name = name_of(pieces[static_cast<std::size_t>(card)].name);
    return s;
}
