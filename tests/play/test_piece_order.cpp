// The order of the pieces in a hex: the sort form and moving one record.
#include "test_support.h"

#include "data/command_state.h"
#include "data/history_records.h"
#include "play/forms/set_piece_order_form.h"
#include "play/piece_actions.h"
#include "play/piece_order.h"
#include "players/modal_driver.h"

#include <QListWidget>
#include <QPushButton>

#include <cstring>

namespace {

class piece_order_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        reset_command_state();
        make_plain_board(3, 3);
        const int c = add_class();
        game->class_array[static_cast<std::size_t>(c)].symbol = 0;
        set_name(game->class_array[static_cast<std::size_t>(c)].name, "Rifles");
        for (const char* name : {"a", "b", "c", "d"}) {
            const int p = add_piece();
            auto& x = game->piece_array[static_cast<std::size_t>(p)];
            set_name(x.name, name);
            x.class_index = c;
            x.location = name[0] == 'd' ? 1 : 4;
            x.flags = name[0] == 'b' ? piece_flag_on_top : 0;
            std::memset(x.value_types, 0, sizeof x.value_types);
            ++board->hex_piece_counts[static_cast<std::size_t>(x.location)];
        }
        install_piece_order_hooks();
    }
    void TearDown() override { piece_order_form_hook = nullptr; }
    static std::string order() {
        std::string s;
        for (int i = 0; i < game->piece_end_index; ++i)
            s += name_of(game->piece_array[static_cast<std::size_t>(i)].name);
        return s;
    }
    static int codes_of(int code) {
        int n = 0;
        if (auto r = walk_history(game->history_stream))
            for (const auto& x : *r)
                n += x.code == code;
        return n;
    }
};

TEST_F(piece_order_test, a_new_order_puts_the_hex_at_the_back_and_cancel_changes_nothing) {
    selected_pieces[0] = 1; // "b", held by a move
    selected_pieces[1] = -1;
    when_modal<set_piece_order_form>([](set_piece_order_form& f) {
        EXPECT_EQ(f.oldlist()->count(), 3);
        EXPECT_EQ(f.oldlist()->item(1)->text(), "<DOT> b  Rifles");
        EXPECT_EQ(f.newlist()->item(0)->text(), "** PLACE PIECE HERE **");
        f.take_into_new(2); // c
        f.take_into_new(0); // a
        EXPECT_EQ(f.newlist()->item(2)->text(), "** PLACE PIECE HERE **");
        f.save_button()->click();
    });
    piece_order_form_hook(4);
    EXPECT_EQ(order(), "dcab");
    EXPECT_EQ(codes_of(history_code_piece_order), 3);
    EXPECT_EQ(name_of(game->piece_array[static_cast<std::size_t>(selected_pieces[0])].name), "b");

    const auto history = game->history_stream;
    when_modal<set_piece_order_form>([](set_piece_order_form& f) {
        f.take_into_new(0);
        f.cancel_button()->click();
    });
    piece_order_form_hook(4);
    EXPECT_EQ(order(), "dcab");
    EXPECT_EQ(game->history_stream, history);

    // Nothing placed: the same relative order, at the back.
    when_modal<set_piece_order_form>([](set_piece_order_form& f) { f.save_button()->click(); });
    piece_order_form_hook(1);
    EXPECT_EQ(order(), "cabd");
}

TEST_F(piece_order_test, moving_to_itself_or_outside_the_pieces_changes_nothing) {
    for (auto [a, b] :
         {std::pair{1, 1}, std::pair{1, -1}, std::pair{1, 4}, std::pair{-1, 2}, std::pair{7, 0}}) {
        move_piece_in_order(a, b, true);
        EXPECT_EQ(order(), "abcd") << a << " " << b;
    }
    EXPECT_EQ(codes_of(history_code_piece_order), 0);
}

} // namespace
