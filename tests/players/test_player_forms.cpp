// The password, log-on, player and player-list dialogs, driven through their named controls.
#include "modal_driver.h"
#include "player_fixture.h"

#include "data/game_file.h"
#include "data/symbols.h"
#include "mainwin/settings_files.h"
#include "platform/files.h"
#include "players/forms/log_on_form.h"
#include "players/forms/password_form.h"
#include "players/forms/player_info_form.h"
#include "players/forms/select_player_form.h"
#include "players/visibility.h"
#include "ui_log_on_form.h"
#include "ui_password_form.h"
#include "ui_player_info_form.h"
#include "ui_select_player_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {

class player_forms_test : public player_fixture {
protected:
    void TearDown() override {
        player_fixture::TearDown();
        current_game_path.clear();
    }
    // The player's form over a picture that is not found: the user browses and picks `chosen`.
    std::unique_ptr<player_info_form> open_after_browsing(int player, const std::string& chosen) {
        set_name(game->player_array[static_cast<std::size_t>(player)].picture_file, "lost");
        responder.clear();
        responder.answer(box_answer::ok).answer_text(chosen);
        edit_index = player;
        auto f = std::make_unique<player_info_form>(nullptr);
        f->create_form();
        return f;
    }
};

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

TEST(password_form, modes_texts_and_results) {
    struct row {
        int mode;
        const char* title;
        const char* label;
        QLineEdit::EchoMode echo;
    };
    const row table[] = {
        {0, "Enter Password", "Enter your new password (Max 20).  Passwords are NOT case-sensitive.",
         QLineEdit::Password},
        {1, "Password Verification", "Enter your password for verification:", QLineEdit::Password},
        {2, "Password Verification", "Enter your old password for verification:", QLineEdit::Password},
    };
    for (const row& r : table) {
        edit_index = r.mode;
        password_form f(nullptr);
        f.create_form();
        auto& c = f.controls();
        EXPECT_EQ(f.windowTitle(), r.title);
        EXPECT_EQ(c.label_1->text(), r.label);
        EXPECT_EQ(c.textbox->echoMode(), r.echo);
        EXPECT_EQ(c.textbox->maxLength(), 25);
        QTest::keyClicks(c.textbox, "Abc-9z");
        QTest::mouseClick(c.ok_button, Qt::LeftButton);
        EXPECT_EQ(form_result_text, "ABC-9Z");
        EXPECT_EQ(f.result(), QDialog::Accepted);
    }
    edit_index = 0;
    password_form f(nullptr);
    f.create_form();
    QTest::keyClicks(f.controls().textbox, "abc");
    QTest::mouseClick(f.controls().cancel_button, Qt::LeftButton);
    EXPECT_EQ(form_result_text, "");
}

TEST_F(player_forms_test, log_on_form_lists_players_and_logs_on) {
    add_player("Alice");
    add_player("Bob", "PW");
    current_game_path = "/games/Big Battle.OPS";
    struct row {
        const char* what;
        int select;
        QPushButton* Ui::log_on_form::*button;
        std::vector<std::string> passwords;
        bool closes;
        int player;
        int logged_in;
    };
    const row table[] = {
        {"a player without password", 0, &Ui::log_on_form::log_in, {}, true, 0, 1},
        {"a player with his password", 1, &Ui::log_on_form::log_in, {"pw"}, true, 1, 1},
        {"password cancelled: choose again", 1, &Ui::log_on_form::log_in, {""}, false, -1, 0},
        {"visitor", 1, &Ui::log_on_form::visitor_b, {}, true, -1, 1},
        {"cancel", 0, &Ui::log_on_form::cancel, {}, true, -2, 0},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.what);
        current_player = -1;
        player_logged_in = 0;
        log_on_form f(nullptr);
        f.create_form();
        auto& c = f.controls();
        EXPECT_EQ(f.windowTitle(), "Player Selection and Initial Log-In");
        EXPECT_EQ(c.label_1->text(),
                  "Welcome to the game: Big Battle.  Please log-in as either one of the existing "
                  "players, or as a new player.");
        EXPECT_EQ(items(c.playerbox), (QStringList{"Alice", "Bob"}));
        EXPECT_EQ(f.selected_player(), 0);
        c.playerbox->setCurrentIndex(r.select);
        EXPECT_EQ(f.selected_player(), r.select);
        entries.assign(r.passwords.begin(), r.passwords.end());
        bool closed = false;
        QObject::connect(&f, &QDialog::accepted, [&] { closed = true; });
        QTest::mouseClick(c.*r.button, Qt::LeftButton);
        EXPECT_EQ(closed, r.closes);
        EXPECT_EQ(current_player, r.player);
        EXPECT_EQ(player_logged_in, r.logged_in);
        EXPECT_TRUE(entries.empty());
    }
}

TEST_F(player_forms_test, log_on_form_without_players_and_as_a_new_player) {
    log_on_form f(nullptr);
    f.create_form();
    auto& c = f.controls();
    EXPECT_EQ(items(c.playerbox), QStringList{"No Players Defined"});
    EXPECT_EQ(c.playerbox->currentText(), "No Players Defined");
    EXPECT_EQ(f.selected_player(), -1);
    bool closed = false;
    QObject::connect(&f, &QDialog::accepted, [&] { closed = true; });
    QTest::mouseClick(c.log_in, Qt::LeftButton);
    EXPECT_FALSE(closed) << "nobody to log on as";
    player_info_form_hook = [this] {
        EXPECT_EQ(edit_index, 0);
        add_player("Newcomer");
    };
    QTest::mouseClick(c.add_player, Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_EQ(current_player, 0);
    EXPECT_EQ(player_logged_in, 1);
}

TEST_F(player_forms_test, the_first_player_can_be_made_gamemaster) {
    responder.answer(box_answer::yes);
    entries = {"boss"};
    edit_index = 0;
    player_info_form f(nullptr);
    f.create_form();
    auto& c = f.controls();
    EXPECT_EQ(
        responder.count("First Player GAMEMASTER Option", "Do you want to have the first player be set up"),
        1);
    EXPECT_EQ(f.windowTitle(), "Player Information");
    EXPECT_EQ(c.name->text(), "GAMEMASTER");
    EXPECT_FALSE(c.name->isEnabled());
    EXPECT_FALSE(c.cb_3->isEnabled());
    EXPECT_EQ(stored_password(0), "BOSS");
    EXPECT_TRUE(c.use_pass->isChecked()) << "the password was given while the form opened";
    EXPECT_TRUE(c.use_hidden->isChecked() && c.place_hidden->isChecked() && c.pools_hidden->isChecked());
    entries = {"Boss"}; // and is asked for as the old one on Save
    QTest::mouseClick(c.cb_2, Qt::LeftButton);
    EXPECT_EQ(modes, (std::vector<int>{0, 2}));
    EXPECT_TRUE(f.stored());
    const player_struct& p = game->player_array[0];
    EXPECT_EQ(name_of(p.name), "GAMEMASTER");
    EXPECT_EQ(p.flags, 0x0F);
    EXPECT_EQ(stored_password(0), "BOSS");
    EXPECT_EQ(alliance_table.size(), 1u);
}

TEST_F(player_forms_test, a_new_player_is_made_and_an_old_one_edited) {
    add_player("Alice", "OLD");
    reset_alliance_table(1);
    edit_index = 1;
    {
        player_info_form f(nullptr);
        f.create_form();
        auto& c = f.controls();
        EXPECT_TRUE(responder.shown().empty()) << "only the first player is offered GAMEMASTER";
        EXPECT_EQ(c.name->text(), "");
        EXPECT_EQ(c.name->maxLength(), 24);
        EXPECT_FALSE(c.change_pass->isEnabled());
        EXPECT_EQ(c.updown_1->value(), 3);
        c.updown_1->setValue(99);
        EXPECT_EQ(c.updown_1->value(), 50);
        c.updown_1->setValue(-4);
        EXPECT_EQ(c.updown_1->value(), 0);
        c.updown_1->setValue(7);
        EXPECT_FALSE(c.no_pic_label->isHidden());
        QTest::keyClicks(c.name, "Bob");
        QTest::mouseClick(c.use_hidden, Qt::LeftButton);
        entries = {"bobs"};
        QTest::mouseClick(c.use_pass, Qt::LeftButton);
        QTest::mouseClick(c.cb_2, Qt::LeftButton);
        EXPECT_TRUE(f.stored());
    }
    ASSERT_EQ(players_in_game(), 2);
    const player_struct& bob = game->player_array[1];
    EXPECT_EQ(name_of(bob.name), "Bob");
    EXPECT_EQ(bob.reveal_range, 7);
    EXPECT_EQ(bob.flags, player_flag_uses_hidden);
    EXPECT_EQ(bob.default_hidden_symbol, 30001);
    EXPECT_EQ(stored_password(1), "BOBS");
    EXPECT_EQ(alliance_table.size(), 2u);
    EXPECT_EQ(alliance_table[0].flags.size(), 2u);
    EXPECT_EQ(game_modified, 1);

    // Alice's record: her old password is asked before anything changes.
    edit_index = 0;
    player_info_form f(nullptr);
    f.create_form();
    auto& c = f.controls();
    EXPECT_TRUE(c.use_pass->isChecked());
    EXPECT_TRUE(c.change_pass->isEnabled());
    c.name->setText("Alicia");
    c.use_pass->setChecked(false);
    entries = {""};
    QTest::mouseClick(c.cb_2, Qt::LeftButton);
    EXPECT_FALSE(f.stored()) << "a cancelled check changes nothing";
    EXPECT_EQ(name_of(game->player_array[0].name), "Alice");
    entries = {"old"};
    QTest::mouseClick(c.cb_2, Qt::LeftButton);
    EXPECT_TRUE(f.stored());
    EXPECT_EQ(modes, (std::vector<int>{0, 2, 2}));
    EXPECT_EQ(name_of(game->player_array[0].name), "Alicia");
    EXPECT_EQ(stored_password(0), "") << "use_pass unchecked clears the password";
}

TEST_F(player_forms_test, a_cancelled_new_player_leaves_no_record) {
    add_player("Alice");
    edit_index = 1;
    when_modal<player_info_form>([](player_info_form& f) {
        EXPECT_EQ(game->player_array.size(), 3u) << "the record is made while the form is open";
        QTest::mouseClick(f.controls().cb_3, Qt::LeftButton);
    });
    run_player_info_form();
    EXPECT_EQ(game->player_array.size(), 2u);
    EXPECT_EQ(players_in_game(), 1);
}

TEST_F(player_forms_test, select_player_form_deletes_the_selected_player) {
    add_player("Alice");
    add_player("Bob");
    add_player("Carol");
    current_player = 0;
    select_player_form f(nullptr);
    f.create_form();
    auto& c = f.controls();
    EXPECT_EQ(f.windowTitle(), "Select Player");
    EXPECT_EQ(items(c.playerbox), (QStringList{"Alice", "Bob", "Carol"}));
    EXPECT_FALSE(c.no_pic_label->isHidden());
    c.playerbox->setCurrentIndex(0);
    QTest::mouseClick(c.delete_player, Qt::LeftButton);
    EXPECT_EQ(responder.count("Can Not Delete Logged In Player"), 1);
    c.playerbox->setCurrentIndex(1);
    responder.answer(box_answer::ok);
    QTest::mouseClick(c.delete_player, Qt::LeftButton);
    EXPECT_EQ(items(c.playerbox), (QStringList{"Alice", "Carol"}));
    EXPECT_EQ(f.selected_player(), 0);

    int edited = -1;
    player_info_form_hook = [&] { edited = edit_index; };
    c.playerbox->setCurrentIndex(1);
    QTest::mouseClick(c.cb_1, Qt::LeftButton);
    EXPECT_EQ(edited, 1);
    QTest::mouseClick(c.add_player, Qt::LeftButton);
    EXPECT_EQ(edited, 2);
}

TEST_F(player_forms_test, a_missing_picture_is_browsed_for_and_copied_into_the_game_folder) {
    const std::string game_folder = make_temp_folder();
    const std::string elsewhere = make_temp_folder();
    current_game_path = game_folder + "/Game.OPS";
    ASSERT_TRUE(
        QImage(40, 20, QImage::Format_RGB32).save(QString::fromStdString(elsewhere + "/face.bmp"), "BMP"));
    const int p = add_player("Alice");
    set_name(game->player_array[0].picture_file, "lost");

    // Cancel: no picture, and saving forgets the name.
    responder.answer(box_answer::cancel);
    {
        edit_index = p;
        player_info_form f(nullptr);
        f.create_form();
        EXPECT_EQ(responder.count("Picture File Not Found", "Do you want to browse all folders"), 1);
        EXPECT_FALSE(f.picture_present());
        EXPECT_FALSE(f.controls().no_pic_label->isHidden());
        QTest::mouseClick(f.controls().cb_2, Qt::LeftButton);
        EXPECT_EQ(game->player_array[0].picture_file[0], 0);
    }

    // OK: browse; the chosen file is copied to where the game looks for it.
    auto f = open_after_browsing(p, elsewhere + "/face.bmp");
    ASSERT_TRUE(f->picture_present());
    EXPECT_EQ(f->picture_path(), game_folder + "/face.bmp");
    EXPECT_TRUE(path_is_readable_file(game_folder + "/face.bmp"));
    EXPECT_TRUE(f->controls().no_pic_label->isHidden());
    EXPECT_FALSE(f->controls().pictb_1->pixmap().isNull());
    QTest::mouseClick(f->controls().cb_2, Qt::LeftButton);
    EXPECT_EQ(name_of(game->player_array[0].picture_file), "face");

    // A copy that cannot be made is said, and the picture is shown from where it lies.
    ASSERT_TRUE(
        QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(elsewhere + "/mug.bmp"), "BMP"));
    ASSERT_TRUE(make_folder(game_folder + "/mug.bmp"));
    auto g = open_after_browsing(p, elsewhere + "/mug.bmp");
    EXPECT_EQ(responder.count("File Copy Error", "mug.bmp"), 1);
    EXPECT_EQ(g->picture_path(), elsewhere + "/mug.bmp");
}

TEST_F(player_forms_test, a_picture_from_the_pictures_folder_stays_there_and_only_bitmaps_are_taken) {
    const std::string game_folder = make_temp_folder();
    const std::string pictures = make_temp_folder();
    current_game_path = game_folder + "/Game.OPS";
    default_paths.player_pictures = pictures + "/"; // stored with its separator
    ASSERT_TRUE(
        QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(pictures + "/face.bmp"), "BMP"));
    ASSERT_TRUE(
        QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(pictures + "/anna.png"), "PNG"));
    const int p = add_player("Alice");
    {
        auto f = open_after_browsing(p, pictures + "/face.bmp");
        EXPECT_EQ(f->picture_path(), pictures + "/face.bmp");
        EXPECT_FALSE(path_is_readable_file(game_folder + "/face.bmp"))
            << "copied although it lies where it is looked for";
    }
    {
        auto f = open_after_browsing(p, pictures + "/anna.png");
        EXPECT_EQ(responder.count("Picture File Error", "anna.png"), 1);
        EXPECT_FALSE(f->picture_present());
    }
    default_paths = {};
}

TEST_F(player_forms_test, the_default_hidden_symbol_box) {
    symbols->piece_symbols.resize(3);
    set_name(symbols->piece_symbols[0].name, "Tank");
    set_name(symbols->piece_symbols[1].name, "Artillery");
    set_name(symbols->piece_symbols[2].name, "Infantry");
    symbols->piece_symbol_count = 3;
    const int p = add_player("Alice", "", player_flag_uses_hidden);
    game->player_array[0].default_hidden_symbol = 2;
    edit_index = p;
    player_info_form f(nullptr);
    f.create_form();
    auto& c = f.controls();
    EXPECT_EQ(items(c.combo_1), (QStringList{"Tank", "Artillery", "Infantry"}));
    EXPECT_EQ(c.combo_1->currentText(), "Infantry");
    EXPECT_TRUE(c.default_sym->isChecked());
    QTest::mouseClick(c.sort_syms, Qt::LeftButton);
    EXPECT_EQ(items(c.combo_1), (QStringList{"Artillery", "Infantry", "Tank"}));
    EXPECT_EQ(c.combo_1->currentText(), "Infantry");
    EXPECT_EQ(f.working_symbol(), 2);
    c.default_sym->setChecked(false);
    c.use_hidden->setChecked(false);
    c.combo_1->setCurrentIndex(2);
    c.combo_1->activated(2);
    EXPECT_EQ(f.working_symbol(), 0);
    EXPECT_TRUE(c.default_sym->isChecked());
    EXPECT_TRUE(c.use_hidden->isChecked());
    QTest::mouseClick(c.cb_2, Qt::LeftButton);
    EXPECT_EQ(game->player_array[0].default_hidden_symbol, 0);

    // A stored symbol the set does not have shows as none.
    game->player_array[0].default_hidden_symbol = 9;
    player_info_form g(nullptr);
    g.create_form();
    EXPECT_EQ(g.controls().combo_1->currentIndex(), -1);
    EXPECT_FALSE(g.controls().default_sym->isChecked());
    EXPECT_EQ(game->player_array[0].default_hidden_symbol, 30001);
}

} // namespace
