// Replacing a file: the old one stays whole unless every byte of the new one reached the disk.
#include "test_support.h"

#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <string>

namespace {

byte_buffer filled(std::size_t size, std::uint8_t value) {
    return byte_buffer(size, value);
}

// Nothing but the file itself in its folder: no temporary file left behind.
void expect_only_file(const std::string& folder, const std::string& name) {
    EXPECT_EQ(QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden),
              QStringList{QString::fromStdString(name)});
}

TEST(write_file_atomic_test, a_short_write_keeps_the_old_file_whole) {
    struct limit_case {
        const char* what;
        std::size_t size;
        long long limit;
    };
    // Small files are written in one piece, large ones in many; a limit of 0 lets nothing in.
    const limit_case cases[] = {
        {"small file", 300, 100}, {"large file", 100000, 70000}, {"no room at all", 10, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = make_temp_folder();
        const std::string path = folder + "/GAME.OPS";
        const byte_buffer old_bytes = filled(50, 'o');
        ASSERT_TRUE(write_file_atomic(path, old_bytes));
        const byte_buffer new_bytes = filled(c.size, 'n');
        EXPECT_EQ(
            run_with_file_size_limit(c.limit, [&] { return write_file_atomic(path, new_bytes) ? 1 : 0; }), 0);
        EXPECT_EQ(read_whole_file(path), old_bytes);
        expect_only_file(folder, "GAME.OPS");
        // With room enough the same write goes through.
        EXPECT_EQ(run_with_file_size_limit(static_cast<long long>(c.size),
                                           [&] { return write_file_atomic(path, new_bytes) ? 1 : 0; }),
                  1);
        EXPECT_EQ(read_whole_file(path), new_bytes);
        expect_only_file(folder, "GAME.OPS");
    }
}

TEST(write_file_atomic_test, failures_leave_the_old_file_and_nothing_else) {
    const std::string folder = make_temp_folder();
    const std::string path = folder + "/MAP.MAP";
    const byte_buffer old_bytes = filled(20, 'o');
    ASSERT_TRUE(write_file_atomic(path, old_bytes));

    set_write_failure_after(7);
    EXPECT_FALSE(write_file_atomic(path, filled(20, 'n')));
    set_write_failure_after(-1);
    EXPECT_EQ(read_whole_file(path), old_bytes);
    expect_only_file(folder, "MAP.MAP");

    EXPECT_FALSE(write_file_atomic(folder + "/no such folder/MAP.MAP", old_bytes));
    // A folder in the file's place is not replaced.
    ASSERT_TRUE(make_folder(folder + "/A.OPS"));
    EXPECT_FALSE(write_file_atomic(folder + "/A.OPS", old_bytes));
    EXPECT_TRUE(path_is_folder(folder + "/A.OPS"));
}

TEST(write_file_atomic_test, a_link_stays_a_link_to_the_new_contents) {
    const std::string folder = make_temp_folder();
    const std::string real = folder + "/real.OPS", link = folder + "/link.OPS";
    ASSERT_TRUE(write_file_atomic(real, filled(5, 'o')));
    ASSERT_TRUE(QFile::link(QString::fromStdString(real), QString::fromStdString(link)));
    ASSERT_TRUE(write_file_atomic(link, filled(8, 'n')));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(link)).isSymLink());
    EXPECT_EQ(read_whole_file(real), filled(8, 'n'));
}

} // namespace
