// The history survives a save that closes up free piece slots: every record names the same
// piece (by name) after the reload as before the save.
#include "test_support.h"

#include "data/game_file.h"
#include "data/saved_game.h"
#include "data/history_records.h"
#include "data/history_stream.h"
#include "platform/files.h"

namespace {
// The name of every piece each record names, record by record, or "-" for a slot that is free
// or past the end of the pieces.
std::vector<std::vector<std::string>> named_pieces() {
    std::vector<std::vector<std::string>> out;
    const byte_vector& s = game->history_stream;
    history_walker walker(s);
    history_record r;
    while (walker.next(r)) {
        std::vector<std::string> names;
        std::size_t length = 0;
        walk_record_fields(s.data(), walker.end_offset(), r.payload, *r.layout, length,
                           [&](const field_visit& f) {
                               if (f.step->role != field_role::piece) return;
                               auto i = static_cast<std::size_t>(f.value);
                               const auto& pieces = game->piece_array;
                               bool live = i < pieces.size() && pieces[i].location != location_free &&
                                           pieces[i].location != location_end;
                               names.push_back(live ? name_of(pieces[i].name) : std::string("-"));
                           });
        out.push_back(names);
    }
    EXPECT_EQ(walker.status(), history_walk_status::end);
    return out;
}

TEST(saved_game_history, pieces_keep_their_identity_across_a_save_that_closes_up_slots) {
    scripted_responder responder;
    new_game();
    game->player_count = 1;
    int c = add_class();
    set_name(game->class_array[static_cast<std::size_t>(c)].name, "Foot");
    game->class_array[static_cast<std::size_t>(c)].symbol = 0;
    const char* names[] = {"Able", "Baker", "Charlie", "Dog", "Easy"};
    for (int i = 0; i < 5; ++i) {
        int p = add_piece();
        set_name(game->piece_array[static_cast<std::size_t>(p)].name, names[i]);
        game->piece_array[static_cast<std::size_t>(p)].class_index = c;
        game->piece_array[static_cast<std::size_t>(p)].location = i;
    }
    clear_history();
    std::int32_t moving[] = {3, 4, -1};
    std::int32_t path[] = {7, 8, 63000};
    ASSERT_GE(append_move_record(moving, path, history_end_offset()), 0);
    ASSERT_GE(append_add_piece_record(2, c, 0, 0, 2), 0);
    ASSERT_GE(append_hidden_change_record(0, 4, 0, 1), 0);
    // Baker leaves the game: its slot is free when the game is saved.
    ASSERT_GE(append_remove_piece_record(1, 1, 0, 0), 0);
    game->piece_array[1].location = location_free;
    int dog_to = 9;
    std::int32_t moving_dog[] = {3, -1};
    std::int32_t path_dog[] = {dog_to, 63000};
    ASSERT_GE(append_move_record(moving_dog, path_dog, history_end_offset()), 0);

    auto before = named_pieces();
    ASSERT_EQ(before.size(), 5u);
    EXPECT_EQ(before[0], (std::vector<std::string>{"Dog", "Easy"}));

    current_game_path = make_temp_folder() + "/Battle.OPS";
    ASSERT_TRUE(write_saved_game());
    ASSERT_TRUE(read_saved_game());
    ASSERT_EQ(name_of(game->piece_array[1].name), "Charlie") << "the free slot was closed up";
    auto after = named_pieces();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i == 3) continue; // the removal names Baker, who no longer has a slot
        EXPECT_EQ(after[i], before[i]) << "record " << i;
    }
}
} // namespace

namespace {
TEST(saved_game_history, a_history_that_cannot_follow_the_closed_up_pieces_stops_the_save) {
    scripted_responder responder;
    new_game();
    game->player_count = 1;
    for (int i = 0; i < 3; ++i)
        game->piece_array[static_cast<std::size_t>(add_piece())].location = i;
    game->piece_array[1].location = location_free;
    clear_history();
    // A record of no known code after the header: the stream does not walk.
    game->history_stream.back() = 0xFD;
    game->history_stream.push_back(0xF0);
    game->history_stream.push_back(0xFE);
    const std::string folder = make_temp_folder();
    current_game_path = folder + "/Broken.OPS";
    game_modified = 1;
    EXPECT_FALSE(write_saved_game());
    EXPECT_TRUE(responder.saw("Game File Error", "history"));
    EXPECT_FALSE(path_is_readable_file(current_game_path));
    EXPECT_EQ(game_modified, 1);
    current_game_path.clear();
}
} // namespace
