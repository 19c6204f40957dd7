// The class editor and the class picker through their real forms, with scripted answers.
#include "test_support.h"

#include "classes/class_editing.h"
#include "classes/class_order.h"
#include "classes/forms/get_unit_class_form.h"
#include "classes/forms/new_class_form.h"
#include "data/command_state.h"
#include "data/dialog_globals.h"
#include "data/history_records.h"
#include "data/hooks.h"
#include "data/options.h"
#include "players/modal_driver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstring>

namespace {

class class_forms_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        symbols->piece_symbols.assign(3, symbol_struct{});
        const char* names[3] = {"Infantry", "Tank", "Hidden"};
        for (int i = 0; i < 3; ++i)
            set_name(symbols->piece_symbols[static_cast<std::size_t>(i)].name, names[i]);
        symbols->piece_symbol_count = 3;
        player_struct blue;
        set_name(blue.name, "Blue");
        game->player_array = {blue, player_struct{}};
        saved_sort = sort_classes_alphabetically;
        install_class_form_hooks();
        last_selected_class = -1;
    }
    void TearDown() override {
        sort_classes_alphabetically = saved_sort;
        get_unit_class_hook = nullptr;
        class_editor_hook = nullptr;
        last_selected_class = -1;
    }
    static int make_class(const char* name, int symbol) {
        const int c = add_class();
        auto& k = game->class_array[static_cast<std::size_t>(c)];
        set_name(k.name, name);
        k.symbol = symbol;
        k.owner = 0;
        std::memset(k.value_types, 0, sizeof k.value_types);
        k.values = value_bytes{};
        return c;
    }
    static std::vector<int> history_codes() {
        std::vector<int> v;
        if (auto r = walk_history(game->history_stream))
            for (const auto& x : *r)
                v.push_back(x.code);
        return v;
    }
    std::uint8_t saved_sort = 1;
};

TEST_F(class_forms_test, a_new_class_with_values_of_every_type_and_cancel_leaves_the_list_as_it_was) {
    const auto before = game->class_array.size();
    when_modal<new_class_form>([](new_class_form& f) { f.cancel_button()->click(); });
    run_new_class_form(-1);
    EXPECT_EQ(game->class_array.size(), before);

    when_modal<new_class_form>([](new_class_form& f) {
        EXPECT_TRUE(f.new_class_mode());
        EXPECT_EQ(f.ok_button()->text(), "Save");
        EXPECT_EQ(f.namebox()->text(), "Infantry") << "the symbol's name until a name is typed";
        f.symbox()->setCurrentIndex(1);
        f.namebox()->setText("Guards");
        f.name_box(0)->setText("Attack");
        f.type_option(0, 0)->click(); // numeric
        f.value_box(0)->setText("-2147483648");
        f.name_box(1)->setText("Code");
        f.type_option(1, 1)->click(); // text
        f.value_box(1)->setText("GRDX1");
        f.name_box(2)->setText("Elite");
        f.type_option(2, 2)->click(); // yes/no: read-only, a click toggles
        QTest::mouseClick(f.value_box(2), Qt::LeftButton);
        f.name_box(3)->setText("Steps");
        f.type_option(3, 0)->click();
        f.value_box(3)->setText("2147483647");
        f.player_list()->setCurrentIndex(1); // All Players
        f.ok_button()->click();
        EXPECT_EQ(f.cancel_button()->text(), "Quit");
        f.cancel_button()->click();
    });
    run_new_class_form(-1);
    EXPECT_TRUE(responder.saw("Class Saved OK"));
    ASSERT_EQ(game->class_array.size(), before + 1);
    const class_struct& c = game->class_array[before - 1];
    EXPECT_EQ(name_of(c.name), "Guards");
    EXPECT_EQ(c.symbol, 1);
    EXPECT_EQ(c.owner, owner_all_players);
    EXPECT_EQ(c.hidden_symbol, 30000) << "Player Default";
    EXPECT_EQ(c.value_types[0], 1);
    EXPECT_EQ(c.values[0], (std::array<std::uint8_t, 4>{0x80, 0, 0, 0}));
    EXPECT_EQ(c.value_types[1], 2);
    EXPECT_EQ(c.values[1], (std::array<std::uint8_t, 4>{'G', 'R', 'D', 'X'}));
    EXPECT_EQ(c.value_types[2], 3);
    EXPECT_EQ(c.values[2][0], 1);
    EXPECT_EQ(c.values[3], (std::array<std::uint8_t, 4>{0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(name_of(game->class_value_names[0]), "Attack");
    EXPECT_EQ(game_modified, 1);
}

TEST_F(class_forms_test, editing_and_cancel_leave_the_class_byte_for_byte_and_ok_records_the_changes) {
    const int c = make_class("Rifles", 0);
    auto& k = game->class_array[static_cast<std::size_t>(c)];
    k.value_types[0] = 1;
    k.values[0] = {0, 0, 0, 4};
    k.value_types[1] = 3;
    const class_struct kept = k;
    const auto history = game->history_stream;
    when_modal<new_class_form>([](new_class_form& f) {
        EXPECT_FALSE(f.new_class_mode());
        f.value_box(0)->setText("7");
        QTest::mouseClick(f.value_box(1), Qt::LeftButton); // yes/no toggled on the copy
        f.namebox()->setText("Changed");
        f.cancel_button()->click();
    });
    run_new_class_form(c);
    const class_struct& now = game->class_array[static_cast<std::size_t>(c)];
    EXPECT_EQ(std::memcmp(now.name, kept.name, sizeof kept.name), 0);
    EXPECT_EQ(now.values, kept.values);
    EXPECT_EQ(std::memcmp(now.value_types, kept.value_types, sizeof kept.value_types), 0);
    EXPECT_EQ(now.symbol, kept.symbol);
    EXPECT_EQ(now.owner, kept.owner);
    EXPECT_EQ(now.hidden_symbol, kept.hidden_symbol);
    EXPECT_EQ(now.facing_set, kept.facing_set);
    EXPECT_EQ(game->history_stream, history);

    when_modal<new_class_form>([](new_class_form& f) {
        f.value_box(0)->setText("-12");
        f.ok_button()->click();
    });
    run_new_class_form(c);
    EXPECT_EQ(game->class_array[static_cast<std::size_t>(c)].values[0],
              (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xF4}));
    EXPECT_EQ(history_codes(), std::vector<int>{history_code_change_value}) << "one value changed";
}

TEST_F(class_forms_test, the_picker_in_both_orders_by_typed_name_and_a_new_class_for_an_unknown_name) {
    make_class("beta", 0);
    make_class("Alpha", 1);
    make_class("gamma", 2);
    struct row {
        bool alphabetical;
        std::vector<std::string> starts;
    };
    for (const row& r : {row{false, {"beta", "Alpha", "gamma"}}, row{true, {"Alpha", "beta", "gamma"}}}) {
        const auto rows = class_picker_rows(true, false, r.alphabetical);
        ASSERT_EQ(rows.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(rows[i].text.substr(0, r.starts[i].size()), r.starts[i]);
    }
    // The class box's order compares bytes: upper case first.
    sort_classes_alphabetically = 1;
    EXPECT_EQ(build_class_sort_order(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(class_at_sort_position(0), 1);

    when_modal<get_unit_class_form>([](get_unit_class_form& f) {
        f.textb_1()->setText("gam");
        EXPECT_EQ(f.lb_1()->currentRow(), 2);
        f.select_button()->click();
    });
    edit_index = 0;
    EXPECT_EQ(get_unit_class(1), 2);
    EXPECT_EQ(last_selected_class, 2);

    // Unknown: No returns to the picker, Yes makes the class with that name.
    responder.answer(box_answer::no);
    responder.answer(box_answer::yes);
    when_modal<get_unit_class_form>([](get_unit_class_form& f) {
        f.textb_1()->setText("Zouaves");
        f.select_button()->click(); // No: still open
        EXPECT_TRUE(f.isVisible());
        f.select_button()->click(); // Yes
    });
    edit_index = 0;
    const int made = get_unit_class(1);
    ASSERT_GE(made, 0);
    EXPECT_EQ(responder.count("Class:  Zouaves  Not Found."), 2);
    EXPECT_EQ(name_of(game->class_array[static_cast<std::size_t>(made)].name), "Zouaves");
    EXPECT_NE(game->class_array[static_cast<std::size_t>(made)].symbol, class_free) << "a live class";
    EXPECT_EQ(last_selected_class, made);
}

TEST_F(class_forms_test, delete_removes_the_class_and_its_pieces_and_moves_on_or_closes) {
    const int keep = make_class("Keep", 0);
    const int gone = make_class("Gone", 1);
    make_plain_board(2, 2);
    const int p = add_piece();
    game->piece_array[static_cast<std::size_t>(p)].class_index = gone;
    game->piece_array[static_cast<std::size_t>(p)].location = 3;
    board->hex_piece_counts[3] = 1;
    selected_pieces[0] = p; // a move holding the piece lets it go
    selected_pieces[1] = -1;
    bool picker_shown = false;
    when_modal<new_class_form>([](new_class_form& f) { f.delete_button()->click(); });
    when_modal<get_unit_class_form>([&](get_unit_class_form& f) {
        picker_shown = true;
        EXPECT_EQ(f.lb_1()->currentRow(), 0) << "the live class before it";
        f.cancel_button()->click();
    });
    run_new_class_form(gone);
    EXPECT_TRUE(responder.saw("Confirm Class Deletion", "(1 pieces affected)"));
    EXPECT_EQ(game->class_array[static_cast<std::size_t>(gone)].symbol, class_free);
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(p)].location, location_free);
    EXPECT_EQ(board->hex_piece_counts[3], 0);
    EXPECT_EQ(selected_pieces[0], -1);
    EXPECT_TRUE(picker_shown);

    // The last live class: nothing is left to edit, the form closes.
    when_modal<new_class_form>([](new_class_form& f) { f.delete_button()->click(); });
    run_new_class_form(keep);
    EXPECT_EQ(game->class_array[static_cast<std::size_t>(keep)].symbol, class_free);
}

TEST_F(class_forms_test, without_piece_symbols_nothing_is_added) {
    symbols->piece_symbol_count = 0;
    const auto before = game->class_array.size();
    run_new_class_form(-1);
    EXPECT_TRUE(responder.saw("Symbol Error"));
    EXPECT_EQ(game->class_array.size(), before);
}

} // namespace
