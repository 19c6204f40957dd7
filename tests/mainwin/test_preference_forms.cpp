#include "test_support.h"
#include "window_fixture.h"

#include "data/current_player.h"
#include "data/game_settings.h"
#include "data/options.h"
#include "data/records.h"
#include "mainwin/forms/preference_forms.h"
#include "mainwin/preference_values.h"
#include "mainwin/settings_files.h"
#include "mainwin/view_geometry.h"
#include "platform/files.h"
#include "ui_set_autosave_timer_form.h"
#include "ui_set_combat_sum_vals_form.h"
#include "ui_set_default_dirs_form.h"
#include "ui_set_form_back_color_form.h"
#include "ui_set_scroll_jump_size_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace {

class preference_forms_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        folder = make_temp_folder() + "/";
        program_folder_override = folder;
        saved_cwd = QDir::currentPath();
        set_default_dirs();
        responder.clear();
    }
    void TearDown() override {
        program_folder_override.clear();
        QDir::setCurrent(saved_cwd);
    }
    bool file_exists(const std::string& name) { return QFile::exists(QString::fromStdString(folder + name)); }
    std::string folder;
    QString saved_cwd;
};

template <typename Form> struct opened {
    Form form{nullptr};
    opened() { form.create_form(); }
    auto& ui() { return form.controls(); }
    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};

// ---- autosave

TEST_F(preference_forms_test, autosave_shows_period_ok_writes_cancel_keeps) {
    EXPECT_EQ(autosave_period_shown(0), 5);
    EXPECT_EQ(autosave_period_shown(200), 60);
    EXPECT_EQ(autosave_period_shown(17), 15);

    autosave_on = 15;
    {
        opened<set_autosave_timer_form> f;
        EXPECT_EQ(f.form.windowTitle(), "Auto-Save Game File");
        EXPECT_EQ(f.form.objectName(), "ID_set_autosave_timer_form");
        EXPECT_EQ(f.ui().label_1->text(), "Set Auto-Save Period (in minutes):");
        EXPECT_EQ(f.ui().textb_1->text(), "15");
        f.ui().updown_1->stepUp();
        EXPECT_EQ(f.ui().textb_1->text(), "20");
        f.click(f.ui().cancel);
        EXPECT_EQ(f.form.result(), QDialog::Rejected);
    }
    EXPECT_EQ(autosave_on, 15);
    {
        opened<set_autosave_timer_form> f;
        for (int i = 0; i < 20; ++i)
            f.ui().updown_1->stepUp();
        EXPECT_EQ(f.ui().textb_1->text(), "60"); // never above 60
        f.click(f.ui().ok);
        EXPECT_EQ(f.form.result(), QDialog::Accepted);
    }
    EXPECT_EQ(autosave_on, 60);
    {
        opened<set_autosave_timer_form> f;
        for (int i = 0; i < 20; ++i)
            f.ui().updown_1->stepDown();
        EXPECT_EQ(f.ui().textb_1->text(), "5"); // never below 5
        f.click(f.ui().ok);
    }
    EXPECT_EQ(autosave_on, 5);
}

// ---- combat summary values

TEST(combat_summary_masks, ticks_and_masks) {
    EXPECT_EQ(combat_mask_from_ticks({}), 0);
    EXPECT_EQ(combat_mask_from_ticks({true, false, true, false, false, false, false, true}), 1 + 4 + 128);
    auto t = combat_ticks_from_mask(0x82);
    EXPECT_TRUE(t[1]);
    EXPECT_TRUE(t[7]);
    EXPECT_FALSE(t[0]);
    char unnamed[15] = {};
    EXPECT_EQ(combat_value_caption(unnamed), "(Not Named)");
    char full[15];
    std::memset(full, 'A', sizeof full); // fills all 15, no terminator
    EXPECT_EQ(combat_value_caption(full), std::string(15, 'A'));
}

class combat_form_test : public preference_forms_test {
protected:
    void SetUp() override {
        preference_forms_test::SetUp();
        int c0 = add_class();
        game->class_array[c0].symbol = 0;
        int c1 = add_class();
        game->class_array[c1].symbol = 0;
        game->class_array[c0].value_types[0] = 1; // value 1 numeric in a live class
        game->class_array[c1].value_types[2] = 1; // value 3 only in a deleted class
        game->class_array[c1].symbol = class_free;
        int p0 = add_piece();
        game->piece_array[p0].location = 5;
        int p1 = add_piece();
        game->piece_array[p1].location = 6;
        game->piece_array[p0].value_types[1] = 1; // value 2 numeric in a live piece
        game->piece_array[p1].value_types[3] = 1; // value 4 only in a deleted piece
        game->piece_array[p1].location = location_free;
        std::strcpy(game->class_value_names[0], "Attack");
        std::strcpy(game->piece_value_names[1], "Defence");
        game_settings.combat_summary_class_mask = 1 | 4;
        game_settings.combat_summary_piece_mask = 2;
    }
};

TEST_F(combat_form_test, shows_names_ticks_and_enabled_boxes) {
    opened<set_combat_sum_vals_form> f;
    EXPECT_EQ(f.form.windowTitle(), "Set Combat Summay Values");
    EXPECT_EQ(f.ui().frame_1->title(), " Class Values ");
    EXPECT_EQ(f.ui().frame_2->title(), " Piece Values ");
    EXPECT_EQ(f.form.check(true, 1)->text(), "Attack");
    EXPECT_EQ(f.form.check(true, 2)->text(), "(Not Named)");
    EXPECT_EQ(f.form.check(false, 2)->text(), "Defence");
    EXPECT_TRUE(f.form.check(true, 1)->isChecked());
    EXPECT_TRUE(f.form.check(true, 3)->isChecked());
    EXPECT_FALSE(f.form.check(true, 2)->isChecked());
    EXPECT_TRUE(f.form.check(false, 2)->isChecked());
    EXPECT_TRUE(f.form.check(true, 1)->isEnabled());
    EXPECT_FALSE(f.form.check(true, 3)->isEnabled()); // only a deleted class has it
    EXPECT_TRUE(f.form.check(false, 2)->isEnabled());
    EXPECT_FALSE(f.form.check(false, 4)->isEnabled()); // only a deleted piece has it
    EXPECT_FALSE(f.form.check(false, 1)->isEnabled());
}

TEST_F(combat_form_test, ok_stores_ticks_cancel_keeps_and_none_ticked_stores_zero) {
    {
        opened<set_combat_sum_vals_form> f;
        f.form.check(true, 1)->setChecked(false);
        f.click(f.ui().cancel);
    }
    EXPECT_EQ(game_settings.combat_summary_class_mask, 5);
    game_modified = 0;
    {
        opened<set_combat_sum_vals_form> f; // OK with nothing changed
        f.click(f.ui().ok);
    }
    EXPECT_EQ(game_modified, 0);
    {
        opened<set_combat_sum_vals_form> f;
        f.form.check(true, 3)->setChecked(false);
        f.form.check(false, 8)->setChecked(true);
        f.click(f.ui().ok);
    }
    EXPECT_EQ(game_settings.combat_summary_class_mask, 1);
    EXPECT_EQ(game_settings.combat_summary_piece_mask, 2 | 128);
    EXPECT_EQ(game_modified, 1); // the masks are saved with the game
    {
        opened<set_combat_sum_vals_form> f;
        for (bool c : {true, false})
            for (int n = 1; n <= 8; ++n)
                f.form.check(c, n)->setChecked(false);
        f.click(f.ui().ok);
    }
    EXPECT_EQ(game_settings.combat_summary_class_mask, 0);
    EXPECT_EQ(game_settings.combat_summary_piece_mask, 0);
}

TEST_F(combat_form_test, a_hidden_piece_of_another_player_enables_no_box) {
    // Player 1 uses hidden pieces; his hidden piece alone has a numeric value 6.
    game->player_array.assign(3, {});
    set_name(game->player_array[0].name, "Ann");
    set_name(game->player_array[1].name, "Bob");
    game->player_array[1].flags = player_flag_uses_hidden;
    int c = add_class();
    game->class_array[c].symbol = 0;
    game->class_array[c].owner = 1;
    int p = add_piece();
    game->piece_array[p].location = 7;
    game->piece_array[p].class_index = c;
    game->piece_array[p].hidden = 2;
    game->piece_array[p].value_types[5] = 1;
    struct viewer_case {
        int player;
        bool enabled;
    };
    for (const auto& v : {viewer_case{0, false}, viewer_case{-1, false}, viewer_case{1, true}}) {
        current_player = v.player;
        opened<set_combat_sum_vals_form> f;
        EXPECT_EQ(f.form.check(false, 6)->isEnabled(), v.enabled) << v.player;
    }
    current_player = -1;
}

TEST_F(combat_form_test, classes_exist_only_while_a_live_one_is_there) {
    EXPECT_TRUE(game_has_classes());
    game->class_array[0].symbol = class_free;
    EXPECT_FALSE(game_has_classes());
}

// ---- scroll jump sizes

TEST(scroll_jump_choice, stored_sizes_map_to_buttons) {
    struct row {
        int stored, index;
    } rows[] = {{2, 0}, {4, 1}, {6, 2}, {8, 3}, {10, 4}, {20, 5}, {3, 4}, {0, 4}, {255, 4}};
    for (auto r : rows)
        EXPECT_EQ(scroll_jump_choice_index(static_cast<std::uint8_t>(r.stored)), r.index) << r.stored;
    EXPECT_EQ(scroll_jump_size_of_choice(-1), 10);
    EXPECT_EQ(scroll_jump_size_of_choice(6), 10);
    EXPECT_EQ(scroll_jump_size_of_choice(5), 20);
}

TEST_F(preference_forms_test, scroll_jump_shows_sizes_and_writes_on_ok_only) {
    scroll_jump_sizes[0] = 3;
    scroll_jump_sizes[1] = 20;
    scroll_jump_sizes[2] = 4;
    QFile::remove(QString::fromStdString(folder + preferences_file_name));
    {
        opened<set_scroll_jump_size_form> f;
        EXPECT_EQ(f.form.windowTitle(), "Set Scroll Jump Size ");
        EXPECT_EQ(f.ui().frame_2->title(), " Zoom 2 ");
        EXPECT_EQ(f.form.option(0, 4)->text(), "10");
        EXPECT_TRUE(f.form.option(0, 4)->isChecked()); // 3 is not offered: "10"
        EXPECT_TRUE(f.form.option(1, 5)->isChecked());
        EXPECT_TRUE(f.form.option(2, 1)->isChecked());
        f.form.option(2, 0)->click();
        f.click(f.ui().cancel);
    }
    EXPECT_EQ(scroll_jump_sizes[0], 3);
    EXPECT_EQ(scroll_jump_sizes[2], 4);
    EXPECT_FALSE(file_exists(preferences_file_name));
    EXPECT_EQ(game_modified, 0);
    {
        opened<set_scroll_jump_size_form> f;
        f.form.option(2, 0)->click();
        f.click(f.ui().ok);
    }
    EXPECT_EQ(scroll_jump_sizes[0], 10);
    EXPECT_EQ(scroll_jump_sizes[1], 20);
    EXPECT_EQ(scroll_jump_sizes[2], 2);
    EXPECT_TRUE(file_exists(preferences_file_name));
    EXPECT_EQ(game_modified, 1); // the sizes are saved with the game too
}

// ---- form colour

TEST_F(preference_forms_test, form_colour_pick_ok_default_and_cancel) {
    auto colour = [] {
        return std::array<int, 3>{preferences.form_colour[0], preferences.form_colour[1],
                                  preferences.form_colour[2]};
    };
    preferences.form_colour[0] = 1, preferences.form_colour[1] = 2, preferences.form_colour[2] = 3;
    {
        opened<set_form_back_color_form> f;
        EXPECT_EQ(f.form.windowTitle(), "Set Form Background Color");
        EXPECT_EQ(f.ui().pick_colour->text(), "Pick A New Color");
        EXPECT_EQ(f.ui().default_colour->text(), "Return to Default");
        responder.answer_text("10,20,30");
        f.click(f.ui().pick_colour);
        EXPECT_EQ(f.form.colour_copy(), (std::array<std::uint8_t, 3>{10, 20, 30}));
        EXPECT_EQ(colour(), (std::array<int, 3>{1, 2, 3})); // only the copy so far
        responder.answer_text(std::nullopt);
        f.click(f.ui().pick_colour); // cancelled: the copy stays
        responder.answer_text("300,1,1");
        f.click(f.ui().pick_colour); // not a colour: treated as cancelled
        EXPECT_EQ(f.form.colour_copy(), (std::array<std::uint8_t, 3>{10, 20, 30}));
        f.click(f.ui().cancel);
    }
    EXPECT_EQ(colour(), (std::array<int, 3>{1, 2, 3}));
    {
        opened<set_form_back_color_form> f;
        responder.answer_text("10,20,30");
        f.click(f.ui().pick_colour);
        f.click(f.ui().ok);
        EXPECT_EQ(f.form.result(), QDialog::Accepted);
    }
    EXPECT_EQ(colour(), (std::array<int, 3>{10, 20, 30}));
    {
        opened<set_form_back_color_form> f;
        f.click(f.ui().default_colour);
        EXPECT_EQ(f.form.result(), QDialog::Accepted);
    }
    EXPECT_EQ(colour(), (std::array<int, 3>{76, 181, 232}));
}

// ---- default folders

class default_dirs_test : public preference_forms_test {
protected:
    void SetUp() override {
        preference_forms_test::SetUp();
        for (const char* sub : {"p", "s", "g", "pp", "v", "other"})
            QDir().mkpath(QString::fromStdString(folder + sub));
        default_paths = {folder + "p/", folder + "s/", folder + "g/", folder + "pp/", folder + "v/"};
        QFile::remove(QString::fromStdString(folder + default_dirs_file_name));
    }
};

TEST_F(default_dirs_test, shows_folders_change_picks_folder_of_file_and_ok_saves) {
    opened<set_default_dirs_form> f;
    EXPECT_EQ(f.form.windowTitle(), "Default Directories (Folders)");
    EXPECT_EQ(f.ui().frame_4->title(), "  Player 'Pictures'  ");
    EXPECT_EQ(f.ui().change_1->text(), "Change");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.form.box(i)->text().toStdString(), default_dir_value(i));
    responder.answer_text(folder + "other/any.bmp");
    f.click(f.ui().change_2);
    EXPECT_TRUE(responder.saw("Pick Default Sound Folder (by selecting any file in new folder)"));
    EXPECT_EQ(f.form.box(dir_sounds)->text().toStdString(), folder + "other/");
    f.click(f.ui().ok);
    EXPECT_EQ(f.form.result(), QDialog::Accepted);
    EXPECT_EQ(default_paths.sounds, folder + "other/");
    EXPECT_TRUE(file_exists(default_dirs_file_name));
}

TEST_F(default_dirs_test, enter_in_a_folder_box_is_ok) {
    opened<set_default_dirs_form> f;
    f.form.show();
    f.form.box(0)->setFocus();
    QTest::keyClick(f.form.box(0), Qt::Key_Return);
    EXPECT_EQ(f.form.result(), QDialog::Accepted);
    EXPECT_FALSE(responder.saw("Pick Default Picture Folder (by selecting any file in new folder)"));
    EXPECT_EQ(responder.count("Action Complete"), 1);
}

TEST_F(default_dirs_test, a_typed_folder_gets_its_separator_and_an_empty_box_passes) {
    opened<set_default_dirs_form> f;
    f.form.box(dir_video)->setText(QString::fromStdString(folder + "other"));
    f.form.box(dir_games)->clear();
    f.click(f.ui().ok);
    EXPECT_FALSE(responder.saw("Path Does not exist"));
    EXPECT_EQ(default_paths.video_clips, folder + "other/");
    EXPECT_EQ(default_paths.games, "");
}

TEST_F(default_dirs_test, missing_folder_yes_no_cancel) {
    const std::string missing = folder + "nowhere/";
    {
        opened<set_default_dirs_form> f; // Yes: back to the form, nothing saved
        f.form.box(dir_player_pictures)->setText(QString::fromStdString(missing));
        responder.answer(box_answer::yes);
        f.click(f.ui().ok);
        EXPECT_EQ(responder.count("Path Does not exist",
                                  "The path selected for the player pictures default does not exist!"),
                  1);
        EXPECT_EQ(f.form.result(), 0);
        EXPECT_EQ(f.form.box(dir_player_pictures)->text().toStdString(), missing);
        EXPECT_FALSE(file_exists(default_dirs_file_name));
    }
    {
        opened<set_default_dirs_form> f; // No: that box takes back its folder, the others keep theirs
        f.form.box(dir_sounds)->setText(QString::fromStdString(folder + "other/"));
        f.form.box(dir_player_pictures)->setText(QString::fromStdString(missing));
        responder.answer(box_answer::no);
        f.click(f.ui().ok);
        EXPECT_EQ(f.form.box(dir_player_pictures)->text().toStdString(), folder + "pp/");
        EXPECT_EQ(f.form.result(), QDialog::Accepted);
        EXPECT_EQ(default_paths.player_pictures, folder + "pp/");
        EXPECT_EQ(default_paths.sounds, folder + "other/");
        EXPECT_TRUE(file_exists(default_dirs_file_name));
    }
    QFile::remove(QString::fromStdString(folder + default_dirs_file_name));
    {
        opened<set_default_dirs_form> f; // Cancel: closes, nothing saved
        f.form.box(dir_pictures)->setText(QString::fromStdString(folder + "other/"));
        f.form.box(dir_video)->setText(QString::fromStdString(missing));
        responder.answer(box_answer::cancel);
        f.click(f.ui().ok);
        EXPECT_EQ(f.form.result(), QDialog::Rejected);
        EXPECT_EQ(default_paths.pictures, folder + "p/");
        EXPECT_FALSE(file_exists(default_dirs_file_name));
    }
}

// ---- the menu items that open the forms

// Triggers a menu item; whatever modal form it opens is recorded and closed with its close box.
QString open_from_menu(main_form& f, int id) {
    QString opened_name;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            opened_name = w->objectName();
            w->close();
        }
    });
    f.menu_item(id)->trigger();
    QCoreApplication::processEvents();
    return opened_name;
}

TEST_F(main_window_test, menu_items_open_the_preference_forms) {
    auto f = make_form();
    scroll_jump_sizes[0] = 3;
    EXPECT_EQ(open_from_menu(*f, 1079), "ID_set_scroll_jump_size_form");
    EXPECT_EQ(scroll_jump_sizes[0], 3); // the close box is Cancel
    EXPECT_EQ(open_from_menu(*f, 1149), "ID_set_form_back_color_form");
    EXPECT_EQ(open_from_menu(*f, 1151), "ID_set_default_dirs_form");
    ASSERT_FALSE(game_has_classes());
    f->menu_item(1077)->setEnabled(true);
    EXPECT_EQ(open_from_menu(*f, 1077), ""); // no classes: nothing to choose from
    int c = add_class();
    game->class_array[c].symbol = 0;
    EXPECT_EQ(open_from_menu(*f, 1077), "ID_set_combat_sum_vals_form");
}

} // namespace
