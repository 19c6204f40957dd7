// The stack definition forms through their named controls.
#include "test_support.h"

#include "appearance/forms/stack_forms.h"
#include "appearance/stacks.h"
#include "data/symbols.h"
#include "players/modal_driver.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

class stack_forms_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        *symbols = symbol_state{};
        symbols->piece_symbol_count = 3;
        symbols->piece_symbols.resize(3);
        const char* names[] = {"Stack A", "Stack B", "Infantry"};
        for (int k = 0; k < 3; ++k)
            set_name(symbols->piece_symbols[static_cast<std::size_t>(k)].name, names[k]);
        player_struct blue, end;
        set_name(blue.name, "Blue");
        game->player_array = {blue, end};
        const int c = add_class();
        game->class_array[static_cast<std::size_t>(c)].symbol = 2;
        game->class_array[static_cast<std::size_t>(c)].owner = 0;
        set_name(game->class_array[static_cast<std::size_t>(c)].name, "Rifles");
        game->stack_def_array = {stack_def_struct{}};
    }
    void TearDown() override { *symbols = symbol_state{}; }
    static int symbols_used(std::int32_t s) { return static_cast<int>(stack_defs_of_symbol(s).size()); }
};

TEST_F(stack_forms_test, saving_a_second_definition_asks_and_no_replaces_the_first) {
    edit_stack_symbols_form f(nullptr);
    f.create_form();
    ASSERT_EQ(f.stackbox()->count(), 3);
    f.stackbox()->setCurrentRow(0);
    f.no_type_box()->setChecked(true);
    f.updown(0)->setValue(3);
    ASSERT_TRUE(f.save_shown());
    EXPECT_EQ(f.stackbox()->item(0)->text().toStdString(), "Stack A  [USED: Click/Edit]");
    EXPECT_EQ(game->stack_def_array[0].required_class, class_end);
    EXPECT_EQ(game->stack_def_array[0].owner, owner_all_players);
    // A second one: "No" replaces the first.
    f.classbox()->setCurrentRow(0); // Rifles, player 0's: the owner follows
    EXPECT_FALSE(f.no_type_box()->isChecked());
    EXPECT_EQ(f.playerbox()->currentRow(), 1);
    f.updown(0)->setValue(5);
    responder.answer(box_answer::no);
    ASSERT_TRUE(f.save_shown());
    EXPECT_TRUE(responder.saw("Save As A New Stack?"));
    EXPECT_EQ(symbols_used(0), 1);
    EXPECT_EQ(game->stack_def_array[0].minimum_pieces[0], 5);
    EXPECT_EQ(game->stack_def_array[0].owner, 0);
    // "Yes": a new one; a second default of the same owner would warn, a required class that is
    // taken warns too.
    responder.answer(box_answer::yes).answer(box_answer::ok);
    ASSERT_TRUE(f.save_shown());
    EXPECT_TRUE(responder.saw("Duplicate Reqiured Piece"));
    EXPECT_EQ(symbols_used(0), 2);
    EXPECT_EQ(f.pick_stack()->text().toStdString(), "Pick One");
}

TEST_F(stack_forms_test, delete_all_removes_every_definition_of_the_symbol_and_keeps_the_rest_in_order) {
    stack_def_struct a, b;
    a.stack_symbol = 0;
    a.required_class = class_end;
    b = a;
    b.stack_symbol = 1;
    game->stack_def_array = {a, b, a, b, stack_def_struct{}};
    game->stack_def_array[2].owner = 0;
    edit_stack_symbols_form f(nullptr);
    f.create_form();
    f.stackbox()->setCurrentRow(0);
    when_modal<get_stack_def_to_edit_form>([](get_stack_def_to_edit_form& p) {
        EXPECT_EQ(p.stkbox()->count(), 2);
        p.delete_all()->click();
    });
    responder.answer(box_answer::ok);
    f.pick_stack()->click();
    EXPECT_TRUE(responder.saw("Confirm Deletion"));
    ASSERT_EQ(stack_def_count(), 2);
    EXPECT_EQ(game->stack_def_array[0].stack_symbol, 1);
    EXPECT_EQ(game->stack_def_array[1].stack_symbol, 1);
}

TEST_F(stack_forms_test, the_order_form_moves_definitions_and_the_first_goes_no_higher) {
    stack_def_struct a;
    a.stack_symbol = 0;
    a.required_class = class_end;
    stack_def_struct b = a;
    b.stack_symbol = 1;
    game->stack_def_array = {a, b, stack_def_struct{}};
    reorder_stack_defs_form f(nullptr);
    f.create_form();
    EXPECT_EQ(f.symlist()->item(0)->text().toStdString(),
              "Stack A     [REQ: None    ]    0/0/0   (All Players)");
    f.move_up_button()->click(); // the first row: nothing
    EXPECT_EQ(game->stack_def_array[0].stack_symbol, 0);
    f.move_down_button()->click();
    EXPECT_EQ(game->stack_def_array[0].stack_symbol, 1);
    EXPECT_EQ(game->stack_def_array[1].stack_symbol, 0);
    EXPECT_EQ(f.symlist()->currentRow(), 1);
}

TEST_F(stack_forms_test, the_skipped_definition_is_the_one_being_overwritten_not_a_symbol_number) {
    stack_def_struct a;
    a.stack_symbol = 2; // a symbol number that is also a list position below
    a.required_class = 0;
    stack_def_struct b = a;
    b.stack_symbol = 1;
    b.required_class = 5;
    game->stack_def_array = {b, stack_def_struct{}, stack_def_struct{}};
    game->stack_def_array[1] = a;
    game->stack_def_array[2] = stack_def_struct{};
    EXPECT_EQ(stack_def_clash(a, 1), stack_clash::none);
    EXPECT_EQ(stack_def_clash(a, 0), stack_clash::required_class);
}

} // namespace
