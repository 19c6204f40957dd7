// The Qt side of an off-screen bitmap, for the platform layer (canvases, drawing, printing).
#pragma once

#include "bitmap.h"

#include <QImage>

struct bitmap::impl {
    QImage image;
};
