// Flip definitions: the table's rules, the one-time change, and the editor.
#include "test_support.h"

#include "classes/flips.h"
#include "classes/forms/edit_flip_def.h"
#include "data/history_records.h"
#include "data/hooks.h"
#include "data/options.h"
#include "players/modal_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <cstring>

namespace {

class flips_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        for (const char* name : {"A", "B", "C", "D"})
            make_class(name);
        piece = add_piece();
        auto& p = game->piece_array[static_cast<std::size_t>(piece)];
        p.class_index = A;
        p.location = 0;
        std::memset(p.value_types, 0, sizeof p.value_types);
        saved_sort = sort_classes_alphabetically;
        sort_classes_alphabetically = 0;
    }
    void TearDown() override {
        sort_classes_alphabetically = saved_sort;
        get_unit_class_hook = nullptr;
        edit_flip_def_hook = nullptr;
    }
    static void make_class(const char* name) {
        const int c = add_class();
        auto& k = game->class_array[static_cast<std::size_t>(c)];
        set_name(k.name, name);
        k.symbol = 0;
        std::memset(k.value_types, 0, sizeof k.value_types);
    }
    int cls() const { return game->piece_array[static_cast<std::size_t>(piece)].class_index; }
    void set_class(int c) { game->piece_array[static_cast<std::size_t>(piece)].class_index = c; }
    static int code4() {
        int n = 0;
        if (auto r = walk_history(game->history_stream))
            for (const auto& x : *r)
                n += x.code == history_code_change_class;
        return n;
    }
    static constexpr int A = 0, B = 1, C = 2, D = 3;
    int piece = -1;
    std::uint8_t saved_sort = 1;
};

TEST_F(flips_test, the_first_matching_pair_wins_both_ways) {
    ASSERT_TRUE(add_flip_definition(A, B));
    EXPECT_TRUE(flip_piece_to_flip_class(piece));
    EXPECT_EQ(cls(), B);
    EXPECT_FALSE(flip_piece_to_flip_class(piece)) << "B has no definition of its own";
    EXPECT_TRUE(flip_piece_to_parent_class(piece));
    EXPECT_EQ(cls(), A);
    ASSERT_TRUE(add_flip_definition(D, B));
    set_class(B);
    EXPECT_TRUE(flip_piece_to_parent_class(piece));
    EXPECT_EQ(cls(), A) << "the first pair";
    ASSERT_TRUE(add_flip_definition(B, A));
    set_class(A);
    flip_piece_to_flip_class(piece);
    flip_piece_to_flip_class(piece);
    EXPECT_EQ(cls(), A) << "A and B alternate";
    EXPECT_EQ(code4(), 5) << "one class-change record per flip";

    // Replacing asks; No keeps A -> B. A class never flips to itself.
    responder.answer(box_answer::no);
    EXPECT_FALSE(add_flip_definition(A, D));
    EXPECT_TRUE(responder.saw("Flip Definition Exists!"));
    set_class(A);
    flip_piece_to_flip_class(piece);
    EXPECT_EQ(cls(), B);
    EXPECT_FALSE(add_flip_definition(C, C));
    EXPECT_TRUE(responder.saw("Flip Definition Error", "cannot flip to itself"));
    EXPECT_FALSE(flip_defined_for(C));
    EXPECT_FALSE(add_flip_definition(C, 99));
}

TEST_F(flips_test, without_a_definition_the_player_defines_one_or_changes_the_class_once) {
    // No: the class picker, a one-time change.
    get_unit_class_hook = [](int mode) {
        EXPECT_EQ(mode, 2);
        return static_cast<int>(C);
    };
    responder.answer(box_answer::no);
    const std::int32_t one[] = {piece};
    flip_pieces(one, 1, true);
    EXPECT_EQ(cls(), C);
    EXPECT_FALSE(flip_defined_for(A));
    // Yes: the editor defines C -> D, then the piece flips by it.
    edit_flip_def_hook = [](int parent) { add_flip_definition(parent, D); };
    responder.answer(box_answer::yes);
    flip_pieces(one, 1, true);
    EXPECT_EQ(cls(), D);
    // Back with nothing flipping to A.
    set_class(A);
    flip_pieces(one, 1, false);
    EXPECT_TRUE(responder.saw("Flip Definition Not Found", "'flips' to: A"));
    EXPECT_EQ(cls(), A);
    EXPECT_EQ(code4(), 2);
}

TEST_F(flips_test, the_editor_selects_by_row_and_saves_reciprocal_definitions) {
    sort_classes_alphabetically = 1;
    set_name(game->class_array[A].name, "Zulu"); // A sorts last
    install_flip_hooks();
    when_modal<edit_flip_def>([](edit_flip_def& f) {
        EXPECT_EQ(f.parent_box()->currentIndex(), f.row_of(A)) << "the class given, by its row";
        EXPECT_EQ(f.parent_box()->currentText(), "Zulu");
        f.flip_box()->setCurrentIndex(f.row_of(B));
        f.reciprocal()->setChecked(true);
        f.save_and_continue()->click();
        EXPECT_EQ(f.parent_box()->currentText(), "Zulu (Flip Defined)");
        f.done_button()->click();
    });
    edit_flip_def_hook(A);
    EXPECT_TRUE(flip_defined_for(A));
    EXPECT_TRUE(flip_defined_for(B));
    flip_piece_to_flip_class(piece);
    EXPECT_EQ(cls(), B);
}

} // namespace
