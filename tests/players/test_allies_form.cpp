#include "visibility_cases.h"

#include "mainwin/forms/main_form.h"
#include "mainwin/settings_files.h"
#include "platform/bitmap.h"
#include "data/alliances.h"
#include "data/current_player.h"
#include "players/forms/allies_form.h"
#include "players/visibility.h"
#include "test_support.h"
#include "ui_allies_form.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

using namespace visibility_cases;

class allies_form_test : public fresh_game_test {
protected:
    void TearDown() override {
        current_player = -1;
        default_paths.player_pictures.clear();
        set_bitmap_loader({});
    }
};

QStringList texts(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void double_click(QListWidget* list, const QString& text) {
    auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

// What a viewer sees of every piece of the table, against one of its columns.
void expect_column(int viewer, std::size_t column) {
    current_player = viewer;
    for (const row& r : truth_table) {
        const int piece = piece_named(r.piece);
        EXPECT_EQ(get_piece_visibility(piece), r.by_viewer[column].code) << r.piece;
        EXPECT_EQ(get_piece_display_symbol(piece), r.by_viewer[column].symbol) << r.piece;
    }
}

TEST_F(allies_form_test, double_clicks_make_and_undo_an_alliance_both_ways) {
    build_game(false);
    alliance_table[alice].count = 7;      // drifted: the lists go by the flags
    expect_column(bob, one_sided_column); // not allied yet: Bob is a stranger to Alice
    game_modified = 0;

    allies_form f(nullptr);
    f.create_form();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    auto& ui = f.controls();
    EXPECT_EQ(f.windowTitle(), "Set Player Alliances");
    ASSERT_EQ(ui.player_list->count(), player_total);
    EXPECT_EQ(ui.player_list->currentText(), "Alice");
    EXPECT_TRUE(texts(ui.allies_list).isEmpty());
    EXPECT_EQ(texts(ui.avail_list), (QStringList{"Bob", "Carol", "Dave", "Master", "Eve"}));

    double_click(ui.avail_list, "Bob");
    EXPECT_EQ(texts(ui.allies_list), QStringList{"Bob"});
    EXPECT_EQ(texts(ui.avail_list), (QStringList{"Carol", "Dave", "Master", "Eve"}));
    EXPECT_EQ(alliance_table[alice].flags[bob], 1);
    EXPECT_EQ(alliance_table[bob].flags[alice], 1);
    EXPECT_EQ(alliance_table[alice].count, 1);
    EXPECT_EQ(alliance_table[bob].count, 1);
    expect_column(bob, ally_column);
    EXPECT_EQ(game_modified, 1); // the table is saved with the game

    // Bob's lists name Alice; Carol's one-sided flag for Alice is offered, not listed as allied.
    ui.player_list->setCurrentIndex(bob);
    EXPECT_EQ(texts(ui.allies_list), QStringList{"Alice"});
    ui.player_list->setCurrentIndex(carol);
    EXPECT_TRUE(texts(ui.allies_list).isEmpty());
    EXPECT_TRUE(texts(ui.avail_list).contains("Alice"));

    ui.player_list->setCurrentIndex(alice);
    double_click(ui.allies_list, "Bob");
    EXPECT_TRUE(texts(ui.allies_list).isEmpty());
    EXPECT_EQ(alliance_table[bob].flags[alice], 0);
    EXPECT_EQ(alliance_table[alice].count, 0);
    expect_column(bob, one_sided_column);
}

TEST_F(allies_form_test, opening_fits_a_short_table) {
    build_game(false);
    alliance_table = {{0, {0}}};
    allies_form f(nullptr);
    f.create_form();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    ASSERT_EQ(alliance_table.size(), static_cast<std::size_t>(player_total));
    f.controls().player_list->setCurrentIndex(eve);
    double_click(f.controls().avail_list, "Alice");
    EXPECT_EQ(alliance_table[alice].flags[eve], 1);
    EXPECT_EQ(alliance_table[eve].flags[alice], 1);
}

TEST_F(allies_form_test, a_game_without_players_has_no_selected_player) {
    alliance_table.clear();
    allies_form f(nullptr);
    f.create_form();
    f.show();
    EXPECT_EQ(f.selected_player(), -1);
    EXPECT_EQ(f.controls().player_list->count(), 0);
    EXPECT_EQ(f.controls().allies_list->count(), 0);
    EXPECT_EQ(f.controls().avail_list->count(), 0);
    QTest::mouseDClick(f.controls().avail_list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
}

TEST_F(allies_form_test, selecting_a_player_shows_his_picture_scaled_into_the_box) {
    build_game(false);
    const std::string folder = make_temp_folder();
    default_paths.player_pictures = folder;
    {
        QFile file(QString::fromStdString(folder + "/BOB.BMP"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM");
    }
    set_name(game->player_array[bob].picture_file, "bob"); // the file is found whatever its case
    set_name(game->player_array[carol].picture_file, "missing");
    set_bitmap_loader([](const std::string&) { return std::optional<bitmap>(bitmap(40, 20)); });

    allies_form f(nullptr);
    f.create_form();
    f.show();
    auto& ui = f.controls();
    EXPECT_TRUE(ui.pictb_1->pixmap().isNull());
    ui.player_list->setCurrentIndex(bob);
    const QSize box = ui.pictb_1->size();
    const double factor = std::min(box.width() / 40.0, box.height() / 20.0);
    EXPECT_EQ(ui.pictb_1->pixmap().size(),
              QSize(static_cast<int>(40 * factor), static_cast<int>(20 * factor)));
    ui.player_list->setCurrentIndex(carol);
    EXPECT_TRUE(ui.pictb_1->pixmap().isNull());
    // A row of either list shows that player in the second box.
    ui.avail_list->setCurrentRow(0); // Alice, who has no picture
    EXPECT_TRUE(ui.pictb_2->pixmap().isNull());
    ui.avail_list->setCurrentRow(1); // Bob
    EXPECT_FALSE(ui.pictb_2->pixmap().isNull());
}

TEST_F(allies_form_test, the_main_menu_command_opens_it_modally) {
    build_game(true);
    auto main = std::make_unique<main_form>();
    main->create_window();
    QCoreApplication::processEvents();
    QString title;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<allies_form*>(w)) {
                title = form->windowTitle();
                modal = QApplication::activeModalWidget() == form;
                EXPECT_EQ(form->controls().player_list->count(), player_total);
                form->close();
            }
    });
    main->menu_item(1131)->trigger();
    EXPECT_EQ(title, "Set Player Alliances");
    EXPECT_TRUE(modal);
}

} // namespace
