// The piece editor through its form, with scripted answers.
#include "test_support.h"

#include "classes/class_order.h"
#include "classes/forms/edit_unit_data_form.h"
#include "classes/forms/get_unit_class_form.h"
#include "classes/forms/new_class_form.h"
#include "data/game_file.h"
#include "data/history_records.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/saved_game.h"
#include "players/modal_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstring>

namespace {

class piece_editor_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        symbols->piece_symbols.assign(2, symbol_struct{});
        set_name(symbols->piece_symbols[0].name, "Infantry");
        set_name(symbols->piece_symbols[1].name, "Tank");
        symbols->piece_symbol_count = 2;
        player_struct blue;
        set_name(blue.name, "Blue");
        blue.flags = player_flag_uses_hidden | player_flag_hidden_when_placed;
        game->player_array = {blue, player_struct{}};
        sort_classes_alphabetically = 0;
        rifles = make_class("Rifles", 0);
        tanks = make_class("Tanks", 1);
        make_plain_board(4, 4);
        piece = add_piece();
        auto& p = at(piece);
        set_name(p.name, "1st Rifles");
        p.class_index = rifles;
        p.location = 5;
        p.hidden = 0;
        p.flags = 0;
        std::memset(p.value_types, 0, sizeof p.value_types);
        p.value_types[0] = 1;
        p.values[0] = {0, 0, 0, 3};
        install_class_form_hooks();
        game_modified = 0;
    }
    void TearDown() override {
        sort_classes_alphabetically = 1;
        get_unit_class_hook = nullptr;
        class_editor_hook = nullptr;
        piece_editor_hook = nullptr;
    }
    static int make_class(const char* name, int symbol) {
        const int c = add_class();
        auto& k = game->class_array[static_cast<std::size_t>(c)];
        set_name(k.name, name);
        k.symbol = symbol;
        k.owner = 0;
        std::memset(k.value_types, 0, sizeof k.value_types);
        return c;
    }
    static piece_struct& at(int p) { return game->piece_array[static_cast<std::size_t>(p)]; }
    static bool same(const piece_struct& a, const piece_struct& b) {
        return std::memcmp(a.name, b.name, sizeof a.name) == 0 && a.class_index == b.class_index &&
               a.values == b.values && std::memcmp(a.value_types, b.value_types, sizeof a.value_types) == 0 &&
               a.hidden == b.hidden && a.location == b.location && a.flags == b.flags &&
               a.facing == b.facing && a.second_location == b.second_location;
    }
    static std::vector<int> codes() {
        std::vector<int> v;
        if (auto r = walk_history(game->history_stream))
            for (const auto& x : *r)
                v.push_back(x.code);
        return v;
    }
    // Changes everything the form offers.
    static void change_everything(edit_unit_data_form& f) {
        f.namebox()->setText("Old Guard");
        f.classbox()->setCurrentIndex(1); // Tanks
        f.value_box(0)->setText("-9");
        QTest::mouseClick(f.hidden_line(), Qt::LeftButton);
        QTest::mouseClick(f.hidden_line(), Qt::LeftButton);
        EXPECT_EQ(f.hidden_line()->text(), "This piece IS hidden.");
        f.on_top()->setChecked(true);
    }
    int rifles = -1, tanks = -1, piece = -1;
};

TEST_F(piece_editor_test, cancel_leaves_the_piece_as_it_was_and_ok_stores_and_records) {
    const piece_struct kept = at(piece);
    const auto history = game->history_stream;
    when_modal<edit_unit_data_form>([](edit_unit_data_form& f) {
        change_everything(f);
        f.cancel_button()->click();
    });
    open_piece_editor(piece);
    EXPECT_TRUE(same(at(piece), kept));
    EXPECT_EQ(game->history_stream, history);
    EXPECT_EQ(game_modified, 0);

    when_modal<edit_unit_data_form>([](edit_unit_data_form& f) {
        change_everything(f);
        f.ok_button()->click();
    });
    open_piece_editor(piece);
    EXPECT_EQ(name_of(at(piece).name), "Old Guard");
    EXPECT_EQ(at(piece).class_index, tanks);
    EXPECT_EQ(at(piece).values[0], (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xF7}));
    EXPECT_EQ(at(piece).hidden, 2);
    EXPECT_TRUE(at(piece).flags & piece_flag_on_top);
    EXPECT_TRUE(responder.saw("Special Condition Warning", "NOT Hidden to HIDDEN"));
    EXPECT_EQ(codes(), (std::vector<int>{history_code_change_value, history_code_change_hidden}));
    EXPECT_EQ(game_modified, 1);
}

TEST_F(piece_editor_test, a_pooled_piece_opened_and_cancelled_is_untouched) {
    at(piece).flags = piece_flag_in_pool;
    at(piece).location = 0;
    at(piece).hidden = 0; // the owner hides placed pieces: the form would start at 2
    const piece_struct kept = at(piece);
    when_modal<edit_unit_data_form>([](edit_unit_data_form& f) {
        EXPECT_EQ(f.hidden_line()->text(), "This piece IS hidden.");
        EXPECT_FALSE(f.delete_button()->isEnabled());
        f.cancel_button()->click();
    });
    open_piece_editor(piece);
    EXPECT_TRUE(same(at(piece), kept));
    // OK stores the owner's state without recording it.
    when_modal<edit_unit_data_form>([](edit_unit_data_form& f) { f.ok_button()->click(); });
    open_piece_editor(piece);
    EXPECT_EQ(at(piece).hidden, 2);
    EXPECT_EQ(codes(), std::vector<int>{});
}

TEST_F(piece_editor_test, on_top_asks_once_and_yes_leaves_only_this_piece_on_top) {
    const int other = add_piece();
    at(other) = at(piece);
    at(other).flags = piece_flag_on_top;
    responder.answer(box_answer::yes);
    when_modal<edit_unit_data_form>([](edit_unit_data_form& f) {
        f.on_top()->setChecked(true);
        f.ok_button()->click();
    });
    open_piece_editor(piece);
    EXPECT_EQ(responder.count("Multiple 'On-Top' Pieces At Location"), 1);
    EXPECT_TRUE(at(piece).flags & piece_flag_on_top);
    EXPECT_FALSE(at(other).flags & piece_flag_on_top);
}

TEST_F(piece_editor_test, a_made_class_and_piece_survive_save_and_reopen) {
    when_modal<new_class_form>([](new_class_form& f) {
        f.namebox()->setText("Hussars");
        f.type_option(0, 0)->click();
        f.value_box(0)->setText("-2147483648");
        f.ok_button()->click();
        f.cancel_button()->click(); // Quit
    });
    run_new_class_form(-1);
    int hussars = -1;
    for (std::size_t i = 0; i < game->class_array.size(); ++i)
        if (name_of(game->class_array[i].name) == "Hussars") hussars = static_cast<int>(i);
    ASSERT_GE(hussars, 0);
    when_modal<edit_unit_data_form>([](edit_unit_data_form& f) {
        f.namebox()->setText("2nd Hussars");
        f.ok_button()->click();
    });
    const int made = run_piece_editor(-1, hussars);
    ASSERT_GE(made, 0);
    at(made).location = 6;
    const std::string path = make_temp_folder() + "/Made.OPS";
    ASSERT_TRUE(write_saved_game_file(path, false));
    new_game();
    current_game_path = path;
    ASSERT_TRUE(read_saved_game());
    ASSERT_GT(game->class_array.size(), static_cast<std::size_t>(hussars));
    EXPECT_EQ(name_of(game->class_array[static_cast<std::size_t>(hussars)].name), "Hussars");
    EXPECT_EQ(game->class_array[static_cast<std::size_t>(hussars)].values[0],
              (std::array<std::uint8_t, 4>{0x80, 0, 0, 0}));
    ASSERT_GT(game->piece_array.size(), static_cast<std::size_t>(made));
    EXPECT_EQ(name_of(at(made).name), "2nd Hussars");
    EXPECT_EQ(at(made).class_index, hussars);
    current_game_path.clear();
}

} // namespace
