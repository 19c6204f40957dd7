// The facing styles form: a new set, a change that asks first, every class given the set, and
// Add As New refusing a name that is taken.
#include "test_support.h"

#include "appearance/facing.h"
#include "appearance/forms/facing_options_form.h"
#include "mainwin/colour_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

class facing_options_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        set_default_colour_table();
        game->facing_set_array = {facing_set_struct{}};
        for (int i = 0; i < 3; ++i)
            game->class_array[static_cast<std::size_t>(add_class())].symbol = i;
    }
};

TEST_F(facing_options_test, ok_with_a_new_name_adds_a_set_and_gives_it_to_every_class_when_asked) {
    facing_options_form f(nullptr);
    f.create_form();
    f.cb_3()->click(); // the defaults
    f.set_name()->setEditText("Arrows");
    f.style_button(2)->setChecked(true);
    f.direction_button(3)->setChecked(true);
    f.updown(2)->setValue(12);
    f.checkbox_1()->setChecked(true);
    responder.answer(box_answer::ok);
    game_modified = 0;
    f.ok_button()->click();
    ASSERT_EQ(facing_set_count(), 1);
    const facing_set_struct& s = game->facing_set_array[0];
    EXPECT_EQ(name_of(s.name), "Arrows");
    EXPECT_EQ(s.direction, 3);
    EXPECT_EQ(s.style, 2);
    EXPECT_EQ(s.size[0], 0);
    EXPECT_EQ(s.size[1], 4);
    EXPECT_EQ(s.size[2], 12);
    EXPECT_EQ(s.fill_colour, colour_choice_to_index(16));    // Yellow
    EXPECT_EQ(s.outline_colour, colour_choice_to_index(14)); // Red
    EXPECT_TRUE(responder.saw("Confirm Change", "all classes"));
    for (std::size_t k = 0; k < class_end_index(); ++k)
        EXPECT_EQ(game->class_array[k].facing_set, 1);
    EXPECT_EQ(game_modified, 1);
}

TEST_F(facing_options_test, the_name_of_a_set_there_asks_before_changing_and_add_as_new_refuses_it) {
    ASSERT_EQ(add_facing_set(), 0);
    set_name(game->facing_set_array[0].name, "Arrows");
    game->facing_set_array[0].size[0] = 3;
    {
        facing_options_form f(nullptr);
        f.create_form();
        EXPECT_EQ(f.updown(0)->value(), 3);
        f.set_name()->setEditText("ARROWS");
        f.updown(0)->setValue(9);
        f.cb_2()->click(); // Add As New with a name that is taken
        EXPECT_TRUE(responder.saw("Duplicate Facing Style"));
        EXPECT_EQ(facing_set_count(), 1);
        EXPECT_EQ(game->facing_set_array[0].size[0], 3);
        responder.answer(box_answer::cancel);
        f.ok_button()->click();
        EXPECT_TRUE(responder.saw("Confirm Change", "existing facing style"));
        EXPECT_EQ(game->facing_set_array[0].size[0], 3);
    }
    facing_options_form f(nullptr);
    f.create_form();
    f.set_name()->setEditText("Bars");
    f.cb_2()->click();
    EXPECT_EQ(facing_set_count(), 2);
    EXPECT_EQ(f.set_name()->count(), 2);
    f.cb_4()->click();
    EXPECT_EQ(facing_set_count(), 2);
}

} // namespace
