// The facing dial: the pointer picks a direction, OK gives it to the piece, and it is saved.
#include "test_support.h"

#include "appearance/forms/set_unit_facing_form.h"
#include "data/board.h"
#include "data/saved_game.h"
#include "platform/files.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

class facing_dial_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        make_plain_board(4, 4, 3); // square
        facing_set_struct set;
        set.direction = 3; // sides and vertices
        set.style = 1;
        game->facing_set_array = {set, facing_set_struct{}};
        cls = add_class();
        game->class_array[static_cast<std::size_t>(cls)].symbol = 0;
        game->class_array[static_cast<std::size_t>(cls)].facing_set = 1;
        piece = add_piece();
        game->piece_array[static_cast<std::size_t>(piece)].class_index = cls;
        game->piece_array[static_cast<std::size_t>(piece)].location = 5;
    }
    static void point_at(facing_dial* d, int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), d->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(d, &move);
    }
    int cls = 0, piece = 0;
};

TEST_F(facing_dial_test, the_pointer_chooses_and_ok_sets_the_facing_which_a_save_keeps) {
    set_unit_facing_form f(nullptr, piece);
    f.create_form();
    EXPECT_EQ(f.label_2()->text().toStdString(), "Facing Style:\n\rSide + Vertex");
    struct row {
        int x, y, code;
    };
    for (const row& r :
         std::vector<row>{{100, 20, 1}, {187, 50, 5}, {100, 100, 0}, {20, 100, 4}, {30, 170, 7}}) {
        point_at(f.frame_1(), r.x, r.y);
        EXPECT_EQ(f.frame_1()->highlighted(), r.code) << r.x << "," << r.y;
    }
    point_at(f.frame_1(), 187, 50);
    game_modified = 0;
    f.ok_button()->click();
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(piece)].facing, 5);
    EXPECT_EQ(game_modified, 1);

    const std::string path = make_temp_folder() + "/Facing.OPS";
    ASSERT_TRUE(write_saved_game_file(path, false));
    game->piece_array[static_cast<std::size_t>(piece)].facing = 0;
    const auto bytes = read_whole_file(path);
    ASSERT_TRUE(bytes && read_saved_game_bytes(*bytes));
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(piece)].facing, 5);
}

TEST_F(facing_dial_test, cancel_changes_nothing_and_a_class_without_facing_offers_none) {
    game->piece_array[static_cast<std::size_t>(piece)].facing = 2;
    {
        set_unit_facing_form f(nullptr, piece);
        f.create_form();
        EXPECT_EQ(f.label_3()->text().toStdString(), "Current Facing:\n\rE");
        point_at(f.frame_1(), 100, 20);
        game_modified = 0;
        f.cb_1()->click();
    }
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(piece)].facing, 2);
    EXPECT_EQ(game_modified, 0);
    game->class_array[static_cast<std::size_t>(cls)].facing_set = 0;
    set_unit_facing_form f(nullptr, piece);
    f.create_form();
    EXPECT_EQ(f.label_2()->text().toStdString(), "Facing Style:\n\rNone");
    point_at(f.frame_1(), 100, 20);
    EXPECT_EQ(f.frame_1()->highlighted(), 0);
}

} // namespace
