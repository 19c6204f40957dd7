// Undo of the last action: the game comes back byte for byte as it was before it, and what
// cannot be undone is refused with its reason.
#include "history_fixture.h"

#include "classes/flips.h"
#include "data/encodings.h"
#include "data/history_records.h"
#include "data/saved_game.h"
#include "history/undo.h"
#include "platform/files.h"

#include <cstring>
#include <functional>

namespace {

class undo_test : public demo_history_test {
protected:
    // The game as its file would hold it.
    // Both files of a comparison go to one path: the file names its own folder.
    byte_vector saved_bytes() {
        if (path.empty()) path = make_temp_folder() + "/Game.OPS";
        seed_random(7); // the fillers of the passwords
        EXPECT_TRUE(write_saved_game_file(path, false));
        const auto bytes = read_whole_file(path);
        return bytes ? *bytes : byte_vector{};
    }
    int last_code() {
        const auto t = last_undoable_action(game->history_stream);
        return t ? t->record.code : -1;
    }
    std::string path;
};

struct undo_case {
    const char* name;
    int code;
    std::function<void()> act;
};

TEST_F(undo_test, undoing_each_kind_of_action_gives_back_the_game_as_it_was) {
    const std::vector<undo_case> cases = {
        {"a move after an earlier one", history_code_move,
         [] {
             move({piece("1st Rifles"), piece("2nd Rifles")}, {hex(7, 7), hex(0, 0)});
         }},
        {"a combat", history_code_combat,
         [] {
             const std::int32_t a[] = {piece("1st Rifles"), -1}, d[] = {piece("Red Grenadiers"), -1};
             add_combatants('A', a);
             add_combatants('D', d);
             combat_options = 0;
             resolve_combat();
         }},
        {"a removal out of the game", history_code_remove_piece,
         [] { ASSERT_TRUE(remove_piece_from_board(piece("Blue HQ"))); }},
        {"a removal into a pool", history_code_remove_piece,
         [] {
             ask_remove_to_pool = 1;
             remove_question_hook = [](std::int32_t, bool) {
                 remove_choice = remove_into_pool;
                 remove_pool = 1;
             };
             ASSERT_TRUE(remove_piece_from_board(piece("Red Guns")));
         }},
        {"one piece placed", history_code_add_piece,
         [] {
             placement_list = {{1, 3, 0}};
             ASSERT_EQ(create_placement_pieces(hex(10, 10), false), 1);
         }},
        {"five pieces placed in one hex", history_code_add_piece,
         [] {
             placement_list = {{3, 2, 0}, {2, 1, 0}};
             ASSERT_EQ(create_placement_pieces(hex(10, 10), false), 5);
         }},
        {"a piece out of a pool", history_code_add_piece,
         [] {
             placement_list = {{1, piece("3rd Rifles"), 0}};
             ASSERT_EQ(place_listed_pool_pieces(hex(11, 11)), 1);
         }},
        {"a flip", history_code_change_class,
         [] { ASSERT_TRUE(change_piece_class_once(piece("Blue Lancers"), 2)); }},
        {"a piece value", history_code_change_value,
         [] {
             piece_struct& p = game->piece_array[static_cast<std::size_t>(piece("Red HQ"))];
             const auto old = p.values[1];
             const std::uint8_t old_type = p.value_types[1];
             const std::uint8_t now[4] = {0, 0, 0, 42};
             std::memcpy(p.values[1].data(), now, 4);
             p.value_types[1] = 1;
             ASSERT_GE(append_value_change_record('U', 1, old.data(), old_type, now, 1, piece("Red HQ")), 0);
         }},
        {"a comment after a die roll", history_code_comment,
         [] {
             const long roll = static_cast<long>(last_undoable_action(game->history_stream)->record.payload);
             ASSERT_GE(append_comment_record(1, "Lucky"), 0);
             set_die_roll_comment_flag(roll, true);
         }},
    };
    for (const undo_case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(make_demo_game(make_temp_folder()));
        rebuild_hex_piece_counts(); // as opening the game does
        current_player = -1;
        reset_command_state();
        // A new turn: the flags cleared with the history, as the turn form does.
        for (auto& p : game->piece_array)
            p.flags &= piece_flag_in_pool;
        clear_history();
        // An earlier action that stays: 1st Rifles joins 2nd Rifles.
        move({piece("1st Rifles")},
             {game->piece_array[static_cast<std::size_t>(piece("2nd Rifles"))].location});
        if (c.code == history_code_comment) {
            const int results[] = {5};
            ASSERT_GE(append_die_roll_record(6, results), 0);
        }
        const byte_vector before = saved_bytes();
        c.act();
        ASSERT_EQ(last_code(), c.code);
        game_modified = 0;
        const auto target = last_undoable_action(game->history_stream);
        ASSERT_TRUE(target);
        undo_action(*target);
        EXPECT_EQ(game_modified, 1);
        const byte_vector after = saved_bytes();
        std::size_t at = 0;
        while (at < after.size() && at < before.size() && after[at] == before[at])
            ++at;
        EXPECT_TRUE(at == before.size() && after.size() == before.size())
            << "the files differ from byte " << at;
    }
}

TEST_F(undo_test, a_removal_into_a_pool_after_the_piece_left_it_brings_a_new_piece_back) {
    ask_remove_to_pool = 1;
    remove_question_hook = [](std::int32_t, bool) {
        remove_choice = remove_into_pool;
        remove_pool = 1;
    };
    const std::int32_t guns = piece("Red Guns");
    const std::int32_t at = game->piece_array[static_cast<std::size_t>(guns)].location;
    ASSERT_TRUE(remove_piece_from_board(guns));
    game->piece_array[static_cast<std::size_t>(guns)].location = 0; // it left the pool unrecorded
    const int pieces_before = game->piece_end_index;
    undo_action(*last_undoable_action(game->history_stream));
    ASSERT_EQ(game->piece_end_index, pieces_before + 1);
    const piece_struct& made = game->piece_array[static_cast<std::size_t>(pieces_before)];
    EXPECT_EQ(made.location, at);
    EXPECT_EQ(name_of(made.name), "Red Guns");
    EXPECT_FALSE(made.in_pool());
}

TEST_F(undo_test, refused_and_unknown_actions_leave_the_history_as_it_is) {
    struct refused {
        std::function<void()> record;
        const char* box;
        const char* part;
    };
    const std::vector<refused> table = {
        {[] {
             const int r[] = {4, 2};
             append_die_roll_record(6, r);
         },
         "Last Action Is A Die Roll", "Die rolls can not be undone"},
        {[] { append_piece_order_record(1, 0); }, "Last Action Information",
         "was an Unknown (Code=18). The action"},
        {[] { append_hidden_change_record(0, 1, 0, 2); }, "Last Action Revealed Hidden Pieces",
         "hidden value"},
        {[] { append_deck_shuffled_record(0); }, "Last Action Involved Cards", "Card actions"},
    };
    for (const auto& t : table) {
        SCOPED_TRACE(t.box);
        clear_history();
        t.record();
        const byte_vector before = game->history_stream;
        responder.clear();
        undo_last_action();
        EXPECT_TRUE(responder.saw(t.box, t.part));
        EXPECT_EQ(game->history_stream, before);
    }
    clear_history();
    responder.clear();
    undo_last_action();
    EXPECT_TRUE(responder.saw("Replay Empty"));
}

TEST_F(undo_test, the_question_offers_to_watch_first_and_no_undoes_at_once) {
    move({piece("1st Rifles")}, {hex(6, 6)});
    std::size_t watched = 0;
    undo_view_hook = [&watched](std::size_t start) { watched = start; };
    const std::size_t record = last_undoable_action(game->history_stream)->record.start;
    responder.answer(box_answer::cancel);
    undo_last_action();
    EXPECT_EQ(last_code(), history_code_move);
    responder.answer(box_answer::yes).answer(box_answer::no);
    undo_last_action();
    EXPECT_EQ(watched, record);
    EXPECT_EQ(last_code(), history_code_move);
    EXPECT_TRUE(responder.saw("Undo Last Action"));
    responder.answer(box_answer::no);
    undo_last_action();
    EXPECT_EQ(last_code(), -1);
    undo_view_hook = nullptr;
}

TEST_F(undo_test, undoing_a_deleted_class_brings_the_class_back_but_not_its_pieces) {
    const int symbol = game->class_array[5].symbol;
    const std::int32_t cuirassiers = piece("Red Cuirassiers");
    responder.answer(box_answer::ok);
    ASSERT_TRUE(delete_class(5));
    undo_action(*last_undoable_action(game->history_stream));
    EXPECT_EQ(game->class_array[5].symbol, symbol);
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(cuirassiers)].location, location_free);
    // A slot taken again in between cannot come back.
    responder.answer(box_answer::ok);
    ASSERT_TRUE(delete_class(5));
    game->class_array[5].symbol = 3;
    undo_action(*last_undoable_action(game->history_stream));
    EXPECT_TRUE(responder.saw("Restore Piece Class Failed"));
    EXPECT_EQ(last_code(), -1);
}

} // namespace
