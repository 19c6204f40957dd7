// The cycling filters and their form.
#include "test_support.h"

#include "data/command_state.h"
#include "mainwin/info_panel.h"
#include "play/cycle_filters.h"
#include "play/forms/additional_instruction_form.h"
#include "play/forms/cycle_units_form.h"
#include "players/modal_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cstring>

namespace {

class cycle_filters_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        make_plain_board(3, 3);
        player_struct a, b;
        set_name(a.name, "Blue");
        set_name(b.name, "Red");
        game->player_array = {a, b, player_struct{}};
        blue = make_class("Blue Rifles", 0);
        red = make_class("Red Guns", 1);
        // name, class, location, flags
        add("moved", blue, 1, piece_flag_moved);
        add("fought", blue, 2, piece_flag_attacked);
        add("fresh", blue, 3, 0);
        add("red", red, 4, 0);
        add("pooled", blue, 0, piece_flag_in_pool);
        remembered_cycle_filter = cycle_filter{};
    }
    void TearDown() override {
        cycle_units_form_hook = nullptr;
        cycle_start = -1;
        cycle_list[0] = -1;
    }
    static int make_class(const char* name, int owner) {
        const int c = add_class();
        auto& k = game->class_array[static_cast<std::size_t>(c)];
        set_name(k.name, name);
        k.symbol = 0;
        k.owner = static_cast<std::uint8_t>(owner);
        std::memset(k.value_types, 0, sizeof k.value_types);
        return c;
    }
    static void add(const char* name, int c, int at, std::uint8_t flags) {
        const int p = add_piece();
        auto& x = game->piece_array[static_cast<std::size_t>(p)];
        set_name(x.name, name);
        x.class_index = c;
        x.location = at;
        x.flags = flags;
        std::memset(x.value_types, 0, sizeof x.value_types);
    }
    static std::string names(const std::vector<std::int32_t>& pieces) {
        std::string s;
        for (std::int32_t p : pieces)
            s += name_of(game->piece_array[static_cast<std::size_t>(p)].name) + " ";
        return s;
    }
    int blue = -1, red = -1;
};

TEST_F(cycle_filters_test, each_filter_narrows_the_pieces_on_the_map) {
    struct row {
        cycle_filter f;
        const char* expected;
    };
    cycle_filter none, not_moved, no_combat, red_player, blue_class;
    not_moved.not_moved = true;
    no_combat.not_in_combat = true;
    red_player.by_player = true;
    red_player.player = 1;
    blue_class.by_class = true;
    blue_class.class_index = blue;
    const row table[] = {{none, "moved fought fresh red "},
                         {not_moved, "fought fresh red "},
                         {no_combat, "moved fresh red "},
                         {red_player, "red "},
                         {blue_class, "moved fought fresh "}};
    for (const row& r : table) {
        EXPECT_EQ(names(build_cycle_list(r.f)), r.expected);
        EXPECT_EQ(cycle_list[std::count(r.expected, r.expected + std::strlen(r.expected), ' ')], -1);
    }
}

TEST_F(cycle_filters_test, the_form_remembers_its_filters_and_cancel_empties_the_cycle) {
    install_cycle_form_hooks();
    when_modal<cycle_units_form>([](cycle_units_form& f) {
        EXPECT_EQ(f.start_list()->count(), 4);
        f.not_moved()->click();
        EXPECT_EQ(f.start_list()->count(), 3);
        f.start_list()->setCurrentRow(1);
        f.ok_button()->click();
    });
    cycle_units_form_hook();
    EXPECT_EQ(cycle_start, 1);
    EXPECT_TRUE(remembered_cycle_filter.not_moved);
    when_modal<cycle_units_form>([](cycle_units_form& f) {
        EXPECT_TRUE(f.not_moved()->isChecked()) << "remembered";
        f.cancel_button()->click();
    });
    cycle_units_form_hook();
    EXPECT_EQ(cycle_start, -1);
    EXPECT_EQ(cycle_list[0], -1);
}

TEST(additional_instructions, shown_until_the_player_asks_not_to_see_them_again) {
    int shown = 0;
    auto answer = [&](bool never_again) {
        when_modal<additional_instruction_form>([&, never_again](additional_instruction_form& f) {
            ++shown;
            EXPECT_TRUE(f.text()->text().startsWith("To move the selected piece(s)"));
            f.checkbox_1()->setChecked(never_again);
            f.ok_button()->click();
        });
    };
    answer(false);
    show_instruction(instruction_move);
    EXPECT_EQ(shown, 1);
    answer(true);
    show_instruction(instruction_move);
    EXPECT_EQ(shown, 2);
    show_instruction(instruction_move); // no longer shown
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(instruction_shown(instruction_combat)) << "the combat pop-up still shows";
    set_instruction_shown(instruction_move, true);
}

} // namespace
