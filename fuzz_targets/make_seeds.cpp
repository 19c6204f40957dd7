// Writes the seed corpora of the fuzz targets with the program's own writers:
// make_seeds <folder> makes <folder>/<target>/... for each target.
#include "target_support.h"

#include "data/records.h"
#include "history/history_stream.h"
#include "platform/files.h"

#include <cstdio>
#include <string>

namespace {
void put(const std::string& folder, const std::string& name, const byte_vector& bytes) {
    make_folder(folder);
    if (!write_file_atomic(join_path(folder, name), bytes)) std::fprintf(stderr, "cannot write %s\n", name.c_str());
}

void history_seeds(const std::string& root) {
    std::string folder = join_path(root, "fuzz_history");
    fuzz_begin();
    put(folder, "empty", game->history_stream);
    for (int i = 0; i < 4; ++i) {
        int p = add_piece();
        game->piece_array[static_cast<std::size_t>(p)].location = i;
    }
    clear_history();
    std::int32_t pieces[] = {0, 1, -1};
    std::int32_t path[] = {3, 4, 63000};
    append_move_record(pieces, path, history_end_offset());
    append_add_piece_record(2, 0, 0, 0, 5);
    append_piece_order_record(1, 3);
    append_remove_piece_record(3, 2, 0, 0);
    append_comment_record(0, "A comment with \xFE and \xFD inside");
    int rolls[] = {3, 6};
    append_die_roll_record(6, rolls);
    put(folder, "records", game->history_stream);
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    std::string root = argv[1];
    history_seeds(root);
    return 0;
}
