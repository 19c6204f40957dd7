#include "test_support.h"

#include "data/game_file.h"
#include "data/view_state.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/settings_files.h"
#include "platform/app_services.h"
#include "platform/files.h"
#include "ui_main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {
class main_form_test : public fresh_game_test {
protected:
    // The settings files of each case live in a folder of its own.
    void SetUp() override {
        fresh_game_test::SetUp();
        program_folder_override = make_temp_folder() + "/";
    }
    std::unique_ptr<main_form> make_form(const std::string& command_line = {}) {
        startup_command_line = command_line;
        auto f = std::make_unique<main_form>();
        f->create_window();
        QCoreApplication::processEvents();
        return f;
    }
    void TearDown() override {
        open_game_hook = nullptr;
        startup_command_line.clear();
        front_program_starter = start_program_file;
        info_panel_height = info_panel_width = -1;
        program_folder_override.clear();
    }
};

TEST_F(main_form_test, at_start_only_the_open_button_is_usable) {
    auto f = make_form();
    struct expected {
        const char* name;
        bool visible;
        bool enabled;
    };
    const expected table[] = {
        {"open_button", true, true},      {"save_button", true, false},     {"zoom_in_button", true, false},
        {"zoom_out_button", true, false}, {"redraw_button", true, false},   {"undo_button", true, false},
        {"ok_button", true, false},       {"roll_die_button", false, true}, {"comment_button", false, true},
        {"cycle_button", false, true},    {"new_button", false, true},      {"goto_button", false, true},
        {"ScreenShot", false, true},      {"gen_1", false, false},          {"gen_2", false, false},
        {"gen_3", false, false},
    };
    for (const auto& e : table) {
        QToolButton* b = f->picture_button(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->isVisible(), e.visible) << e.name;
        EXPECT_EQ(b->isEnabled(), e.enabled) << e.name;
    }
    EXPECT_EQ(f->picture_button("open_button")->toolTip(), "Load a saved game");
    EXPECT_EQ(f->picture_button("ok_button")->property("control_id").toInt(), 120);
    EXPECT_EQ(main_window, f.get());
    // No game: the game menus are gone, Save and Save As are disabled.
    EXPECT_FALSE(f->menu().menus.at(menu_game)->menuAction()->isVisible());
    EXPECT_TRUE(f->menu().menus.at(menu_file)->menuAction()->isVisible());
    EXPECT_FALSE(f->menu_item(1005)->isEnabled());
    EXPECT_EQ(f->menu_item(1003)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(f->menu_item(1008)->shortcut(), QKeySequence("Ctrl+Q"));
    f->show_game_menus();
    EXPECT_TRUE(f->menu().menus.at(menu_game)->menuAction()->isVisible());
    EXPECT_TRUE(f->menu_item(1006)->isEnabled());

    // What a user sees at start.
    QString shot = QString::fromStdString(screenshot_path("main-window.png"));
    f->grab().save(shot);
}

TEST_F(main_form_test, command_line_digit_opens_that_recent_game) {
    std::string folder = make_temp_folder();
    program_folder_override = folder + "/";
    QFile list(QString::fromStdString(folder + "/LASTGAME.LST"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    for (int i = 0; i < 3; ++i) {
        std::string game_path = folder + "/game" + std::to_string(i) + ".OPS";
        QFile file(QString::fromStdString(game_path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        list.write(game_path.c_str(), static_cast<qint64>(game_path.size()) + 1);
    }
    list.close();
    struct row {
        const char* command_line;
        int opened; // index of the recent game opened, -1 none
    };
    const row table[] = {{"2", 2}, {"0", 0}, {"3", -1}, {"7", -1}, {"x", -1}, {"", -1}, {"21", 2}};
    for (const auto& r : table) {
        int opened = -1;
        open_game_hook = [&] {
            opened = recent_game_to_open;
            return true;
        };
        auto f = make_form(r.command_line);
        EXPECT_EQ(opened, r.opened) << "command line \"" << r.command_line << "\"";
        EXPECT_EQ(recent_game_to_open, -1);
    }
    program_folder_override.clear();
}

TEST_F(main_form_test, closing_with_unsaved_changes) {
    struct row {
        const char* what;
        std::vector<box_answer> answers;
        bool stays_open;
        int exit_questions;
    };
    const row table[] = {
        {"cancel the save prompt", {box_answer::cancel}, true, 0},
        {"no save, cancel exit", {box_answer::no, box_answer::cancel}, true, 1},
        {"no save, exit", {box_answer::no, box_answer::ok}, false, 1},
    };
    for (const auto& r : table) {
        auto f = make_form();
        scripted_responder answers;
        for (auto a : r.answers)
            answers.answer(a);
        std::string started;
        front_program_starter = [&](const std::string& p) {
            started = p;
            return true;
        };
        QPointer<QWidget> info_window = new QWidget(f.get());
        info_page_windows[3] = info_window;
        game_modified = 1;
        f->close();
        EXPECT_EQ(f->isVisible(), r.stays_open) << r.what;
        EXPECT_EQ(answers.count("Current Game Not Saved!"), 1) << r.what;
        EXPECT_EQ(answers.count("Confirmation", "Really want to exit?"), r.exit_questions) << r.what;
        if (r.exit_questions == 1 && r.stays_open) {
            EXPECT_TRUE(info_window.isNull()) << r.what;
        }
        if (!r.stays_open) {
            EXPECT_TRUE(game->class_array.empty()) << "the game is freed on exit";
        }
        new_game();
    }
}

TEST_F(main_form_test, exit_starts_the_front_program_only_when_it_is_there) {
    std::string folder = make_temp_folder();
    auto f = make_form();
    std::string started;
    front_program_starter = [&](const std::string& p) {
        started = p;
        return true;
    };
    program_folder = folder + "/";
    responder.answer(box_answer::ok);
    f->close();
    EXPECT_TRUE(started.empty());

    auto g = make_form();
    program_folder = folder + "/";
    QFile exe(QString::fromStdString(folder + "/zel2.exe"));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    responder.answer(box_answer::ok);
    g->close();
    EXPECT_EQ(started, folder + "/zel2.exe");
}

TEST_F(main_form_test, user_events_close_card_windows) {
    auto f = make_form();
    QPointer<QWidget> deck = new QWidget(f.get());
    QPointer<QWidget> hand = new QWidget(f.get());
    deck_windows[4] = deck;
    hand_windows[19] = hand;
    f->post_user_event(5);
    QCoreApplication::processEvents();
    EXPECT_TRUE(deck.isNull());
    EXPECT_TRUE(hand.isNull());
    EXPECT_TRUE(deck_windows[4].isNull());
}
TEST_F(main_form_test, start_up_reads_the_settings_and_exit_writes_them) {
    const std::string folder = program_folder_override;
    // Window at 30,20 of 700 x 500, panels 60 high and 250 wide.
    QFile prefs(QString::fromStdString(folder + "ZEL_DFLT.LST"));
    ASSERT_TRUE(prefs.open(QIODevice::WriteOnly));
    const auto stored = bytes({1, 50, 10, 10, 7,  2, 1,   1, 0, 0, 1, 2, 0, 76, 181, 232,
                               0, 0,  30, 0,  20, 2, 200, 2, 0, 0, 0, 0, 0, 60, 1,   0});
    prefs.write(reinterpret_cast<const char*>(stored.data()), static_cast<qint64>(stored.size()));
    prefs.close();
    colour_table[255][0] = 1;

    auto f = make_form();
    EXPECT_EQ(program_folder, folder);
    EXPECT_EQ(f->x(), 30);
    EXPECT_EQ(f->y(), 20);
    EXPECT_EQ(f->frame_size(), QSize(700, 500));
    EXPECT_EQ(colour_table[255][0], 204) << "the colour table is built at start";
    EXPECT_EQ(f->controls().unit_info_box->height(), 60);

    f->move(40, 25);
    QCoreApplication::processEvents();
    responder.answer(box_answer::ok);
    f->close();
    auto saved = read_whole_file(folder + "ZEL_DFLT.LST");
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->size(), 32u);
    const QWidget* hex = f->controls().hex_info_box;
    EXPECT_EQ(bytes({(*saved)[17], (*saved)[18], (*saved)[19], (*saved)[20], (*saved)[21], (*saved)[22],
                     (*saved)[23], (*saved)[24]}),
              bytes({0, 40, 0, 25, 2, 200, 2, 0}));
    EXPECT_EQ((*saved)[28] * 250 + (*saved)[29], hex->height());
    EXPECT_EQ((*saved)[30] * 250 + (*saved)[31], hex->width());
}

TEST_F(main_form_test, a_first_start_writes_the_default_preferences) {
    auto f = make_form();
    auto saved = read_whole_file(program_folder_override + "ZEL_DFLT.LST");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->size(), 32u);
    EXPECT_EQ(f->frame_size(), QSize(620, 440));
}
} // namespace

namespace {
TEST_F(main_form_test, resizing_the_window_lays_out_its_controls) {
    auto f = make_form();
    f->resize(300, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(f->frame_size().width(), main_form_min_width);
    f->resize(900, 700);
    QCoreApplication::processEvents();
    auto& ui = f->controls();
    EXPECT_EQ(ui.hex_info_box->geometry().right() + 1, f->frame_size().width() - 10);
    EXPECT_GE(ui.unit_info_box->height(), info_box_min_height);
    EXPECT_LE(ui.unit_info_box->height(), info_box_max_height);
    EXPECT_EQ(view_width, ui.mapscreen_frame->width());
    EXPECT_EQ(view_height, ui.mapscreen_frame->height());
    EXPECT_TRUE(ui.hex_info_box->isVisible());
}
} // namespace
