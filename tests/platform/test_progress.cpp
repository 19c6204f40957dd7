#include "platform/progress.h"
#include "platform/responder.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
QWidget* find_prog_bar() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "prog_bar" && w->isVisible()) return w;
    return nullptr;
}

TEST(prog_bar, shows_its_label_and_moves_its_bar_while_a_long_load_runs) {
    clear_progress_log();
    progress_window progress;
    progress.open("Loading File From Disk", "Loading map/board file.  Please wait...");
    QPointer<QWidget> form = find_prog_bar();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Loading File From Disk");
    auto* label = form->findChild<QLabel*>("label_1");
    auto* bar = form->findChild<QProgressBar*>("bar");
    ASSERT_NE(label, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(label->text(), "Loading map/board file.  Please wait...");
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pointSize(), 8);
    EXPECT_EQ(form->font().family(), "Times New Roman");
    EXPECT_EQ(form->font().pointSize(), 12);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);

    // Events queued before the load are handled while it runs: the window stays responsive.
    int handled_during_load = 0;
    QTimer::singleShot(0, [&] { ++handled_during_load; });
    progress.set_range(0, 400);
    int last = -1;
    for (int record = 0; record < 400; ++record) {
        progress.step();
        EXPECT_GT(bar->value(), last);
        last = bar->value();
        if (record == 200) progress.set_label("Reading pieces...");
    }
    EXPECT_EQ(handled_during_load, 1);
    EXPECT_EQ(bar->value(), 400);
    EXPECT_EQ(label->text(), "Reading pieces...");
    form->grab().save(QString::fromStdString(screenshot_path("prog-bar.png"))); // what a user sees
    progress.step(50); // held at the end of the range
    EXPECT_EQ(progress.position(), 400);
    progress.set_position(-3);
    EXPECT_EQ(bar->value(), 0);

    // A close request only hides the window; removing it takes its controls.
    form->close();
    EXPECT_FALSE(form->isVisible());
    ASSERT_FALSE(form.isNull());
    QPointer<QProgressBar> bar_ptr = bar;
    progress.close();
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(bar_ptr.isNull());
    EXPECT_FALSE(progress.is_open());

    ASSERT_EQ(progress_log().size(), 2u);
    EXPECT_EQ(progress_log()[0].label, "Loading map/board file.  Please wait...");
    EXPECT_EQ(progress_log()[1].label, "Reading pieces...");
}

TEST(prog_bar, nothing_is_shown_under_a_scripted_test_but_the_log_keeps_it) {
    clear_progress_log();
    scripted_responder responder;
    progress_window progress;
    progress.open("Saving File to Disk", "Saving map/board file.  Please wait...");
    EXPECT_EQ(find_prog_bar(), nullptr);
    progress.set_position(60);
    ASSERT_EQ(progress_log().size(), 1u);
    EXPECT_EQ(progress_log()[0].caption, "Saving File to Disk");
    EXPECT_EQ(progress_log()[0].position, 60);
}
} // namespace
