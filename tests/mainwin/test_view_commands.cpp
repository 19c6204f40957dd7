// The view commands of the tool buttons, on the demo game in the real window.
#include "test_support.h"
#include "window_fixture.h"

#include "data/game_file.h"
#include "data/options.h"
#include "data/view_state.h"
#include "demo_game.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/settings_files.h"
#include "ui_main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QToolButton>

namespace {
class view_commands_test : public main_window_test {
protected:
    void SetUp() override {
        main_window_test::SetUp();
        put_demo_first_in_recent_games();
        form = make_form("0");
        form->resize(900, 640);
        QCoreApplication::processEvents();
        ASSERT_TRUE(map_loaded());
    }
    void TearDown() override {
        form.reset();
        main_window_test::TearDown();
    }
    std::unique_ptr<main_form> form;
};

TEST_F(view_commands_test, zoom_in_at_a_click_and_out_again) {
    auto& ui = form->controls();
    ASSERT_EQ(zoom_level, 0);
    EXPECT_TRUE(ui.zoom_in_button->isEnabled());
    EXPECT_FALSE(ui.zoom_out_button->isEnabled());

    ui.zoom_in_button->click();
    EXPECT_EQ(operation_mode, 1) << "the next map click zooms in";
    EXPECT_EQ(form->status_mode, 4);
    EXPECT_EQ(zoom_level, 0);

    QTest::mouseClick(ui.mapscreen_frame, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(zoom_level, 1);
    EXPECT_EQ(operation_mode, 0) << "back to the mode before the zoom";
    EXPECT_EQ(form->status_mode, 1);
    EXPECT_TRUE(ui.zoom_out_button->isEnabled());
    EXPECT_GT(ui.hscroll_map->maximum(), 0);
    QTest::mouseClick(ui.mapscreen_frame, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(zoom_level, 1) << "a plain click does not zoom";

    ui.zoom_in_button->click();
    QTest::mouseClick(ui.mapscreen_frame, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(zoom_level, 2);
    EXPECT_FALSE(ui.zoom_in_button->isEnabled()) << "the largest zoom";
    form->grab().save(QString::fromStdString(screenshot_path("demo-zoom-2.png")));

    ui.zoom_out_button->click();
    ui.zoom_out_button->click();
    EXPECT_EQ(zoom_level, 0);
    EXPECT_FALSE(ui.zoom_out_button->isEnabled());
    EXPECT_EQ(view_origin_hex, 0);

    ui.redraw_button->click();
    EXPECT_EQ(view_ready, 1);
}
} // namespace
