// A small symbol set written out by hand, and its strip bitmaps, shared by the data tests.
#pragma once

#include "data/file_builder.h"

#include <QImage>

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

constexpr int cell[3] = {10, 20, 40};

struct rect4 {
    int left, top, right, bottom;
};
inline rect4 terrain_rect(int t, int z) {
    return {t * cell[z], 0, t * cell[z] + cell[z] - 1, cell[z] - 1};
}
inline rect4 piece_rect(int p, int z) {
    return {p * 50, 0, p * 50 + 8 * (z + 1) + p, 6 * (z + 1) + p};
}
inline rect4 mask_rect(int, int z) {
    return {0, 0, cell[z] - 1, cell[z] - 1};
}

// A small set written out by hand: 2 terrain, 3 piece and 1 mask symbols.
inline file_builder small_set(int marker = 0xFD, int piece_mask = 0, int grid_type = 1) {
    file_builder f;
    f.b(marker).b(grid_type).b(1).b(7);
    const int counts[3] = {2, 3, 1};
    for (int kind = 0; kind < 3; ++kind) {
        f.n2(counts[kind]);
        for (int z = 0; z < 3; ++z) {
            if (kind == 0) f.l4(2 * cell[z] + 1).l4(cell[z] + 1);
            if (kind == 1) f.l4(150).l4(40);
            if (kind == 2) f.l4(cell[z]).l4(cell[z]);
        }
    }
    auto record = [&](const std::string& name, int mask, rect4 (*r)(int, int), int i) {
        f.name(name, 25);
        if (marker == 0xFC)
            f.n2(mask);
        else
            f.b(mask);
        for (int z = 0; z < 3; ++z) {
            rect4 q = r(i, z);
            f.l4(q.left).l4(q.top).l4(q.right).l4(q.bottom);
        }
    };
    record("Clear", 0, terrain_rect, 0);
    record("Forest", 0, terrain_rect, 1);
    record("Infantry", piece_mask, piece_rect, 0);
    record("Armour", 0, piece_rect, 1);
    record("Artillery", 0, piece_rect, 2);
    record("Round mask for a full hex", 0, mask_rect, 0); // fills its 25 bytes: no 0
    return f;
}

// The set as "small.set" and its nine strips in lower case in `folder`; returns the set's path
// spelt in capitals.
inline std::string write_small_set_to(const std::string& folder, const std::vector<std::uint8_t>& set_bytes,
                                      const std::string& sdx = {}) {
    std::ofstream(folder + "/small.set", std::ios::binary)
        .write(reinterpret_cast<const char*>(set_bytes.data()),
               static_cast<std::streamsize>(set_bytes.size()));
    const char* letters[3] = {"t", "u", "m"};
    for (int kind = 0; kind < 3; ++kind)
        for (int z = 0; z < 3; ++z) {
            QImage img(64 * (z + 1) + kind, 48 * (z + 1), QImage::Format_RGB32);
            img.fill(Qt::white);
            std::string name = folder + "/small-" + letters[kind] + std::to_string(z + 1) + ".bmp";
            EXPECT_TRUE(img.save(QString::fromStdString(name), "BMP"));
        }
    if (!sdx.empty()) std::ofstream(folder + "/small.sdx") << sdx;
    return folder + "/SMALL.SET";
}
