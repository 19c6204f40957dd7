// The three settings files on any bytes: the first byte picks which one.
#include "target_support.h"

#include "mainwin/settings_files.h"
#include "platform/files.h"

#include <cstdio>
#include <unistd.h>

namespace {
void write_plain(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_begin();
    if (size < 1) return 0;
    static const std::string folder = [] {
        std::string f = fuzz_scratch_path("settings");
        make_folder(f);
        return f + "/";
    }();
    program_folder_override = folder;
    // Reading the folders file makes the folders it names current in turn: come back after it.
    char here[4096];
    if (!getcwd(here, sizeof here)) return 0;
    const std::uint8_t which = data[0] % 3;
    ++data;
    --size;
    if (which == 0) {
        decode_preferences(std::vector<std::uint8_t>(data, data + size), screen_rect{0, 0, 1920, 1040});
    } else if (which == 1) {
        write_plain(folder + "LASTGAME.LST", data, size);
        set_default_dirs();
        load_recent_games();
    } else {
        write_plain(folder + "ZEL_DIRS.LST", data, size);
        set_default_dirs();
    }
    if (chdir(here) != 0) return 0;
    return 0;
}
