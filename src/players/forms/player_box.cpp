#include "player_box.h"

#include "platform/qt_text.h"
#include "players/visibility.h"

#include <QComboBox>

int fill_player_box(QComboBox* box) {
    box->clear();
    const int players = players_in_game();
    for (int i = 0; i < players; ++i)
        box->addItem(to_qstring(player_display_name(i)));
    if (players == 0) box->addItem(QStringLiteral("No Players Defined"));
    box->setCurrentIndex(0);
    return players > 0 ? 0 : -1;
}

int player_box_selection(const QComboBox* box) {
    const int row = box->currentIndex();
    return row >= 0 && row < players_in_game() ? row : -1;
}
