// The status dots form: every control of a row, OK stores, closing without OK changes nothing.
#include "test_support.h"

#include "appearance/forms/status_dots_form.h"
#include "mainwin/colour_table.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

namespace {

class status_dots_form_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        set_default_colour_table();
        set_name(game->piece_value_names[2], "Strength");
        game->status_dots[0] = status_dot_struct{1, 1, 4, 3, {5, 6, 7}};
        game->status_dots[1] = status_dot_struct{0x0C, 0, 0, 0, {}}; // a condition past the list
    }
};

TEST_F(status_dots_form_test, a_row_is_edited_through_its_controls_and_ok_stores_all_six) {
    StatusDotsForm f(nullptr);
    f.create_form();
    EXPECT_EQ(f.type_list(0)->currentText().toStdString(), "Moved");
    EXPECT_EQ(f.limit(0)->maximum(), 1);
    EXPECT_EQ(f.position_list(0)->currentText().toStdString(), "Top - Right");
    EXPECT_EQ(f.size(0, 2)->value(), 7);
    EXPECT_EQ(f.type_list(1)->currentText().toStdString(), "Not Used");

    f.type_list(0)->setCurrentIndex(6); // "Piece Value"
    ASSERT_EQ(f.value_list(0)->count(), 8);
    EXPECT_EQ(f.value_list(0)->itemText(0).toStdString(), "Value Not Named");
    EXPECT_EQ(f.value_list(0)->itemText(2).toStdString(), "Strength");
    EXPECT_EQ(f.limit(0)->maximum(), 32000);
    f.value_list(0)->setCurrentIndex(2);
    f.limit(0)->setValue(12);
    f.position_list(0)->setCurrentIndex(9);
    f.size(0, 0)->setValue(9);
    // A colour near a table entry takes that entry.
    const std::uint8_t* want = colour_table[40];
    responder.answer_text(std::to_string(want[0] + 1) + "," + std::to_string(want[1]) + "," +
                          std::to_string(want[2]));
    f.colour_box(0)->click();
    game_modified = 0;
    f.cb_1()->click();
    const status_dot_struct& d = game->status_dots[0];
    EXPECT_EQ(d.kind, 0x26);
    EXPECT_EQ(d.limit, 12);
    EXPECT_EQ(d.position, 9);
    EXPECT_EQ(d.size[0], 9);
    EXPECT_EQ(d.colour, nearest_table_colour(want[0] + 1, want[1], want[2]));
    EXPECT_EQ(game->status_dots[1].kind, 0);
    EXPECT_EQ(game_modified, 1);
}

TEST_F(status_dots_form_test, closing_without_ok_changes_nothing) {
    const status_dot_struct before = game->status_dots[0];
    StatusDotsForm f(nullptr);
    f.create_form();
    f.type_list(0)->setCurrentIndex(5);
    f.value_list(0)->setCurrentIndex(3);
    f.reject();
    EXPECT_EQ(game->status_dots[0].kind, before.kind);
    EXPECT_EQ(game->status_dots[0].limit, before.limit);
}

TEST(nearest_table_colour_test, an_exact_match_wins_over_a_near_one_before_it) {
    set_default_colour_table();
    // Entry 3 one off from a colour that entry 200 holds exactly.
    colour_table[200][0] = 100;
    colour_table[200][1] = 150;
    colour_table[200][2] = 90;
    colour_table[3][0] = 101;
    colour_table[3][1] = 150;
    colour_table[3][2] = 90;
    EXPECT_EQ(nearest_table_colour(100, 150, 90), 200);
    EXPECT_EQ(nearest_table_colour(102, 151, 90), 3);
    set_default_colour_table();
}

} // namespace
