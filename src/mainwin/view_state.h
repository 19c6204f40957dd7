// Where the map view looks and how large it is.
#pragma once

#include <cstdint>

extern int zoom_level;          // 0..2
extern std::int32_t view_origin_hex;
extern int view_width;
extern int view_height;
