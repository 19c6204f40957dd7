// Inputs that once made a reader misbehave, kept in tests/fixtures/fuzz and fed to the same
// reader again; under the sanitizers any read out of bounds or overflow fails the test.
#include "test_support.h"

#include "data/map_file.h"
#include "data/saved_game.h"
#include "data/symbol_set.h"
#include "data/history_records.h"
#include "platform/bitmap.h"
#include "platform/files.h"

#include <QDir>

namespace {
class fuzz_regressions : public fresh_game_test {};

TEST_F(fuzz_regressions, every_kept_input_is_answered_without_damage) {
    QDir dir(QStringLiteral(ZEL_FIXTURES_DIR "/fuzz"));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    bitmap_loader previous =
        set_bitmap_loader([](const std::string&) { return std::optional<bitmap>(bitmap(64, 48)); });
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        auto bytes = read_whole_file(dir.filePath(name).toStdString());
        ASSERT_TRUE(bytes);
        const QString ext = QFileInfo(name).suffix().toUpper();
        if (ext == "SET") {
            symbol_state set;
            if (parse_symbol_set(*bytes, set)) {
                load_symbol_strips(set, "/fuzz/SET.SET");
                symbol_set_file_bytes(set, 1);
            }
        } else if (ext == "MAP") {
            board_state b;
            if (parse_map_file(*bytes, b, 16)) map_file_bytes(b, "FUZZ");
        } else if (ext == "OPS") {
            read_saved_game_bytes(*bytes);
        } else if (ext == "HST") {
            walk_history(*bytes);
        } else {
            ADD_FAILURE() << "no reader for this kind of file";
        }
        responder.clear();
    }
    set_bitmap_loader(previous);
}

TEST_F(fuzz_regressions, a_strip_size_at_the_end_of_the_32_bit_range_is_damage) {
    auto bytes = read_whole_file(ZEL_FIXTURES_DIR "/fuzz/symbol_set_strip_size_overflow.SET");
    ASSERT_TRUE(bytes);
    symbol_state set;
    ASSERT_TRUE(parse_symbol_set(*bytes, set));
    bitmap_loader previous =
        set_bitmap_loader([](const std::string&) { return std::optional<bitmap>(bitmap(64, 48)); });
    EXPECT_FALSE(load_symbol_strips(set, "/fuzz/SET.SET"));
    set_bitmap_loader(previous);
}
} // namespace
