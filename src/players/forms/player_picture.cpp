#include "player_picture.h"

#include "platform/bitmap.h"
#include "platform/bitmap_qt.h"
#include "players/player_pictures.h"

#include <algorithm>

QImage draw_player_picture(int player_index, int box_width, int box_height) {
    const std::string path = player_picture_path(player_index);
    if (path.empty() || box_width < 1 || box_height < 1) return {};
    bitmap picture;
    if (!picture.load(path) || picture.is_null()) return {};
    const QImage& image = picture.native()->image;
    const double factor = std::min(static_cast<double>(box_height) / image.height(),
                                   static_cast<double>(box_width) / image.width());
    const int w = std::max(1, static_cast<int>(image.width() * factor));
    const int h = std::max(1, static_cast<int>(image.height() * factor));
    return image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
