#include "test_support.h"

#include "platform/bitmap.h"
#include "platform/bitmap_qt.h"

#include <QImage>

namespace {
TEST(bitmap_test, loads_a_file_and_copies_its_top_left_part) {
    std::string path = make_temp_folder() + "/strip.bmp";
    QImage img(6, 4, QImage::Format_RGB32);
    img.fill(qRgb(255, 255, 255));
    img.setPixel(0, 0, qRgb(10, 20, 30));
    ASSERT_TRUE(img.save(QString::fromStdString(path), "BMP"));

    bitmap b;
    EXPECT_TRUE(b.is_null());
    ASSERT_TRUE(b.load(path));
    EXPECT_EQ(b.width(), 6);
    EXPECT_EQ(b.height(), 4);

    bitmap smaller = b.copy_top_left(3, 2);
    EXPECT_EQ(smaller.width(), 3);
    EXPECT_EQ(smaller.native()->image.pixel(0, 0), qRgb(10, 20, 30));
    bitmap larger = b.copy_top_left(8, 5);
    EXPECT_EQ(larger.native()->image.pixel(5, 3), qRgb(255, 255, 255));
    EXPECT_EQ(larger.native()->image.pixel(7, 4), qRgb(0, 0, 0)); // beyond the picture: black

    // Copies are independent values.
    bitmap copy = b;
    copy.native()->image.setPixel(1, 1, qRgb(1, 2, 3));
    EXPECT_EQ(b.native()->image.pixel(1, 1), qRgb(255, 255, 255));

    EXPECT_FALSE(b.load(path + ".missing"));
    EXPECT_TRUE(b.is_null());
    EXPECT_TRUE(bitmap(0, 5).is_null());
    EXPECT_TRUE(bitmap(bitmap_max_side + 1, 1).is_null());
}

TEST(bitmap_test, a_loader_hook_replaces_the_files) {
    std::string asked;
    bitmap_loader previous = set_bitmap_loader([&](const std::string& p) -> std::optional<bitmap> {
        asked = p;
        if (p == "none") return std::nullopt;
        return bitmap(7, 9);
    });
    EXPECT_FALSE(previous);
    bitmap b;
    ASSERT_TRUE(b.load("any/name.bmp"));
    EXPECT_EQ(asked, "any/name.bmp");
    EXPECT_EQ(b.height(), 9);
    EXPECT_FALSE(b.load("none"));
    EXPECT_TRUE(set_bitmap_loader({}));
}
} // namespace
