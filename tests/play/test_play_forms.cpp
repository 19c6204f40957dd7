#include "data/encodings.h"
#include "data/game_settings.h"
#include "data/history_stream.h"
#include "data/options.h"
#include "mainwin/settings_files.h"
#include "platform/app_services.h"
#include "play/dice.h"
#include "play/forms/RollDiceForm.h"
#include "play/forms/advance_turn_form.h"
#include "play/forms/edit_turn_names_form.h"
#include "play/turns.h"
#include "test_support.h"
#include "ui_RollDiceForm.h"
#include "ui_advance_turn_form.h"
#include "ui_edit_turn_names_form.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <string>
#include <vector>

namespace {

template <class T> T* named(QWidget& form, const char* name) {
    T* w = form.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void click(QWidget& form, const char* name) {
    auto* b = named<QPushButton>(form, name);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

class play_forms_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        game->game_turn = 0;
        comment_text.clear();
        seed_random(7);
        start_ = game->history_stream;
        sound_on = 1;
        program_folder = make_temp_folder();
        QDir(QString::fromStdString(program_folder)).mkdir("game-sounds");
        QFile wav(QString::fromStdString(join(program_folder, "game-sounds/Dice.wav")));
        ASSERT_TRUE(wav.open(QIODevice::WriteOnly));
        set_wave_player([this](const std::string& path) { played_.push_back(path); });
    }
    void TearDown() override {
        set_wave_player({});
        sound_on = 0;
        comment_text.clear();
    }
    static std::string join(const std::string& folder, const std::string& name) {
        return folder.back() == '/' ? folder + name : folder + "/" + name;
    }
    // The stream's bytes after those it held at the start, without the closing 0xFE.
    std::vector<std::uint8_t> added() const {
        const auto& s = game->history_stream;
        return {s.begin() + static_cast<long>(start_.size()) - 1, s.end() - 1};
    }
    std::vector<std::uint8_t> start_;
    std::vector<std::string> played_;
};

TEST_F(play_forms_test, roll_dice_form_rolls_once_and_records_the_comment_typed_behind_the_results) {
    // Bytes from a damaged file: the up-downs show them bounded.
    game_settings.die_sides = 250;
    game_settings.dice_count = 0;
    RollDiceForm f(nullptr);
    f.create_form();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    EXPECT_EQ(f.windowTitle(), "Roll Dice");
    auto* sides = named<QSpinBox>(f, "updown_sides");
    auto* number = named<QSpinBox>(f, "updown_number");
    ASSERT_TRUE(sides && number);
    EXPECT_EQ(sides->value(), 100);
    EXPECT_EQ(number->value(), 1);
    EXPECT_NE(named<QLineEdit>(f, "sides_per_die_text_box"), nullptr);
    EXPECT_NE(named<QLineEdit>(f, "number_to_roll_text_box"), nullptr);
    EXPECT_FALSE(named<QPushButton>(f, "done_button")->isEnabled());
    EXPECT_FALSE(named<QPushButton>(f, "gen_comment_button")->isEnabled());

    sides->setValue(1);
    number->setValue(2);
    click(f, "roll_now_button");
    auto* results = named<QPlainTextEdit>(f, "results_box");
    EXPECT_EQ(results->toPlainText(), "Roll Results:  1, 1  ");
    EXPECT_FALSE(named<QPushButton>(f, "roll_now_button")->isEnabled());
    EXPECT_FALSE(named<QPushButton>(f, "cancel_button")->isEnabled());
    EXPECT_TRUE(named<QPushButton>(f, "gen_comment_button")->isEnabled());
    EXPECT_EQ(game_settings.die_sides, 1);
    EXPECT_EQ(game_settings.dice_count, 2);
    ASSERT_EQ(played_.size(), 1u);
    EXPECT_EQ(played_[0], join(program_folder, "game-sounds/Dice.wav"));

    QTest::keyClicks(results, "ok");
    f.grab().save(QString::fromStdString(screenshot_path("roll-dice.png"))); // what a user sees
    click(f, "done_button");
    EXPECT_FALSE(f.isVisible());
    const std::string text = "Roll Results:  1, 1  ok";
    auto expected =
        bytes({0xFD, 6, 0, 2, 0, 1, 0, 1, 0, 1, 1, 0xFD, 7, 250, 1, 0, static_cast<int>(text.size())});
    expected.insert(expected.end(), text.begin(), text.end());
    EXPECT_EQ(added(), expected);
}

TEST_F(play_forms_test, roll_dice_form_with_its_text_erased_records_no_comment_and_cancel_records_nothing) {
    {
        RollDiceForm f(nullptr);
        f.create_form();
        f.show();
        named<QSpinBox>(f, "updown_sides")->setValue(1);
        click(f, "roll_now_button");
        named<QPlainTextEdit>(f, "results_box")->clear();
        click(f, "done_button");
        EXPECT_EQ(added(), bytes({0xFD, 6, 0, 1, 0, 1, 0, 1, 0}));
    }
    start_ = game->history_stream;
    {
        RollDiceForm f(nullptr);
        f.create_form();
        f.show();
        click(f, "cancel_button");
        EXPECT_FALSE(f.isVisible());
        EXPECT_TRUE(added().empty());
    }
}

TEST_F(play_forms_test, roll_dice_form_keys_follow_its_buttons) {
    RollDiceForm f(nullptr);
    f.create_form();
    f.show();
    auto* results = named<QPlainTextEdit>(f, "results_box");
    click(f, "roll_now_button");
    // Tab leaves the results for the next control; Escape does nothing while Cancel is off.
    results->setFocus();
    const QString text = results->toPlainText();
    QTest::keyClick(results, Qt::Key_Tab);
    EXPECT_EQ(results->toPlainText(), text);
    QTest::keyClick(&f, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    click(f, "done_button");
    EXPECT_FALSE(f.isVisible());
}

TEST_F(play_forms_test, roll_dice_form_shows_a_recorded_roll_read_only) {
    comment_text = "Roll Results:  3, 5  ";
    game_settings.die_sides = 6;
    game_settings.dice_count = 2;
    RollDiceForm f(nullptr);
    f.create_form();
    f.show();
    EXPECT_TRUE(f.view_mode());
    auto* results = named<QPlainTextEdit>(f, "results_box");
    EXPECT_EQ(results->toPlainText(), "Roll Results:  3, 5  ");
    EXPECT_TRUE(results->isReadOnly());
    EXPECT_FALSE(named<QPushButton>(f, "roll_now_button")->isEnabled());
    EXPECT_FALSE(named<QPushButton>(f, "cancel_button")->isEnabled());
    EXPECT_FALSE(named<QPushButton>(f, "gen_comment_button")->isEnabled());
    auto* sides = named<QSpinBox>(f, "updown_sides");
    EXPECT_EQ(sides->minimum(), 6);
    EXPECT_EQ(sides->maximum(), 6);
    EXPECT_EQ(played_.size(), 1u);
    click(f, "done_button");
    EXPECT_TRUE(added().empty());
}

TEST_F(play_forms_test, roll_dice_form_without_sound_or_sound_files_plays_nothing) {
    for (bool files : {true, false}) {
        played_.clear();
        sound_on = files ? 0 : 1;
        if (!files) program_folder = make_temp_folder();
        RollDiceForm f(nullptr);
        f.create_form();
        f.show();
        click(f, "roll_now_button");
        EXPECT_TRUE(played_.empty()) << files;
        f.reject();
    }
}

TEST_F(play_forms_test, advance_turn_form_proposes_the_next_turn_and_names_it) {
    ASSERT_TRUE(set_turn_name(4, "Spring"));
    game->game_turn = 3;
    ASSERT_TRUE(set_turn_name(3, "Winter"));
    game->piece_array.insert(game->piece_array.begin(), piece_struct{});
    game->piece_array[0].location = 0;
    game->piece_array[0].flags = piece_flag_moved | piece_flag_attacked;
    const int one[] = {1};
    append_die_roll_record(6, one);

    advance_turn_form f(nullptr, false);
    f.create_form();
    f.show();
    EXPECT_EQ(f.windowTitle(), "Advance Turn / Clear Replay Options");
    EXPECT_EQ(named<QLabel>(f, "cur_turn")->text(), "3  (Winter)");
    auto* turn = named<QSpinBox>(f, "updown_1");
    EXPECT_EQ(turn->value(), 4);
    EXPECT_NE(named<QLineEdit>(f, "textb_1"), nullptr);
    auto* name = named<QLineEdit>(f, "textb_2");
    EXPECT_EQ(name->text(), "Spring");
    turn->stepDown();
    EXPECT_EQ(name->text(), "Winter");
    turn->setValue(9);
    EXPECT_EQ(name->text(), "");
    for (const char* box : {"clear_replay", "clear_move_flags", "clear_combat_flags"})
        EXPECT_TRUE(named<QCheckBox>(f, box)->isChecked()) << box;

    f.grab().save(QString::fromStdString(screenshot_path("advance-turn.png")));
    named<QCheckBox>(f, "clear_replay")->setChecked(false);
    named<QCheckBox>(f, "clear_combat_flags")->setChecked(false);
    QTest::keyClicks(name, "Summer");
    click(f, "ok");
    EXPECT_EQ(game->game_turn, 9);
    EXPECT_EQ(get_turn_name(9), "Summer");
    EXPECT_EQ(get_turn_name(8), "");
    EXPECT_EQ(game->piece_array[0].flags, piece_flag_attacked);
    EXPECT_EQ(added(), bytes({0xFD, 6, 0, 1, 0, 6, 0, 1, 0})); // the replay kept

    // The boxes come back as they were left; clear mode proposes the current turn.
    advance_turn_form g(nullptr, true);
    g.create_form();
    g.show();
    EXPECT_EQ(named<QSpinBox>(g, "updown_1")->value(), 9);
    EXPECT_EQ(named<QLineEdit>(g, "textb_2")->text(), "Summer");
    EXPECT_FALSE(named<QCheckBox>(g, "clear_replay")->isChecked());
    EXPECT_TRUE(named<QCheckBox>(g, "clear_move_flags")->isChecked());
    EXPECT_FALSE(named<QCheckBox>(g, "clear_combat_flags")->isChecked());
    named<QCheckBox>(g, "clear_replay")->setChecked(true);
    click(g, "cancel");
    EXPECT_EQ(game->game_turn, 9);
    EXPECT_EQ(added(), bytes({0xFD, 6, 0, 1, 0, 6, 0, 1, 0}));

    advance_turn_form h(nullptr, true);
    h.create_form();
    h.show();
    EXPECT_TRUE(named<QCheckBox>(h, "clear_replay")->isChecked());
    click(h, "ok");
    // Started anew: one piece (in no pool) and the end record, then turn 9.
    EXPECT_EQ(game->history_stream, bytes({0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFC, 0x00,
                                           0x00, 0x00, 0x09, 0xFE}));
}

TEST_F(play_forms_test, edit_turn_names_form_saves_the_grid_and_cancel_keeps_the_names) {
    ASSERT_TRUE(set_turn_name(2, "Dawn"));
    {
        edit_turn_names_form f(nullptr);
        f.create_form();
        f.show();
        EXPECT_EQ(f.windowTitle(), "Add or Edit Turn Names");
        auto* grid = named<QTableWidget>(f, "grid_1");
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Turn #");
        EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Turn Name");
        EXPECT_EQ(grid->rowCount(), 5000);
        EXPECT_EQ(grid->item(0, 1)->text(), "Set-up");
        EXPECT_EQ(grid->item(1, 1)->text(), "");
        EXPECT_EQ(grid->item(2, 1)->text(), "Dawn");
        EXPECT_EQ(grid->item(7, 0)->text(), "7");
        grid->item(2, 1)->setText("");
        grid->item(6, 1)->setText("Dusk");
        game_modified = 0; // as just saved
        click(f, "cancel");
        EXPECT_EQ(game_modified, 0);
        EXPECT_EQ(get_turn_name(2), "Dawn");
        EXPECT_EQ(get_turn_name(6), "");
    }
    {
        edit_turn_names_form f(nullptr);
        f.create_form();
        f.show();
        auto* grid = named<QTableWidget>(f, "grid_1");
        grid->item(2, 1)->setText("");
        grid->item(6, 1)->setText("Dusk");
        game_modified = 0;
        click(f, "save_changes");
        EXPECT_EQ(game_modified, 1);
        EXPECT_EQ(get_turn_name(0), "Set-up");
        EXPECT_EQ(get_turn_name(2), "");
        EXPECT_EQ(get_turn_name(6), "Dusk");
        EXPECT_EQ(game->turn_names.size(), 8u);
        EXPECT_TRUE(responder.shown().empty());
    }
    // A list longer than the grid's usual rows is shown whole, so saving keeps its last names.
    ASSERT_TRUE(set_turn_name(6000, "Late"));
    edit_turn_names_form f(nullptr);
    f.create_form();
    f.show();
    EXPECT_EQ(named<QTableWidget>(f, "grid_1")->rowCount(), 6001);
    click(f, "save_changes");
    EXPECT_EQ(get_turn_name(6000), "Late");
}

} // namespace
