#include "test_support.h"

#include "data/history_stream.h"
#include "data/options.h"
#include "mainwin/forms/main_form.h"
#include "mainwin/settings_files.h"
#include "mainwin/sounds.h"
#include "platform/app_services.h"
#include "platform/files.h"
#include "play/dice.h"
#include "play/forms/RollDiceForm.h"
#include "play/forms/advance_turn_form.h"
#include "play/forms/edit_turn_names_form.h"
#include "play/turns.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Once the modal form of type T is up, hands it to `act` (which closes it).
template <class T> void when_shown(std::function<void(T&)> act, bool* seen) {
    QTimer::singleShot(0, [act, seen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<T*>(w); f && f->isVisible()) {
                *seen = true;
                act(*f);
                return;
            }
    });
}

void press(QWidget& form, const char* name) {
    if (auto* b = form.findChild<QPushButton*>(QString::fromLatin1(name))) b->click();
}

class play_commands_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        game->game_turn = 0;
        program_folder_override = make_temp_folder() + "/";
        form_ = std::make_unique<main_form>();
        form_->create_window();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        form_.reset();
        program_folder_override.clear();
    }
    std::unique_ptr<main_form> form_;
};

TEST_F(play_commands_test, the_turn_menu_items_open_the_turn_forms_in_their_modes) {
    bool seen = false;
    int proposed = -1;
    when_shown<advance_turn_form>(
        [&](advance_turn_form& f) {
            proposed = f.findChild<QSpinBox*>("updown_1")->value();
            press(f, "ok");
        },
        &seen);
    form_->menu_item(1032)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(proposed, 1);
    EXPECT_EQ(game->game_turn, 1);

    const int one[] = {1};
    append_die_roll_record(6, one);
    seen = false;
    when_shown<advance_turn_form>(
        [&](advance_turn_form& f) {
            proposed = f.findChild<QSpinBox*>("updown_1")->value();
            press(f, "ok");
        },
        &seen);
    form_->menu_item(1030)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(proposed, 1); // clear mode: the current turn
    EXPECT_EQ(game->game_turn, 1);
    EXPECT_EQ(game->history_stream, bytes({0x00, 0x01, 0x00, 0x00, 0xFC, 0x00, 0x00, 0x00, 0x01, 0xFE}));

    seen = false;
    when_shown<edit_turn_names_form>([](edit_turn_names_form& f) { press(f, "cancel"); }, &seen);
    form_->menu_item(1033)->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(get_turn_name(0), "Set-up");
}

TEST_F(play_commands_test, the_dice_button_opens_an_empty_roller_and_marks_the_game_changed) {
    comment_text = "left from the replay";
    bool seen = false, view_mode = true;
    when_shown<RollDiceForm>(
        [&](RollDiceForm& f) {
            view_mode = f.view_mode();
            press(f, "roll_now_button");
            press(f, "done_button");
        },
        &seen);
    form_->picture_button("roll_die_button")->click();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(view_mode);
    EXPECT_EQ(game_modified, 1);
    // One die of six sides with its comment flag set, then the results as a text comment.
    auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records && records->size() == 2u);
    EXPECT_EQ((*records)[0].code, 6);
    EXPECT_EQ((*records)[0].length, 7u);
    EXPECT_EQ(game->history_stream[(*records)[0].next() - 1], 1);
    EXPECT_EQ((*records)[1].code, 7);

    // Cancelled before a roll: nothing recorded, nothing to save.
    game_modified = 0;
    const auto history = game->history_stream;
    when_shown<RollDiceForm>([&](RollDiceForm& f) { press(f, "cancel_button"); }, &seen);
    form_->picture_button("roll_die_button")->click();
    EXPECT_EQ(game->history_stream, history);
    EXPECT_EQ(game_modified, 0);
}

TEST(sounds, each_effect_plays_its_file_from_the_sounds_folder_while_sound_is_on) {
    const std::string folder = make_temp_folder();
    const std::string saved_folder = program_folder;
    program_folder = folder + "/";
    struct row {
        void (*play)();
        const char* file; // as it lies in the folder
    };
    const row rows[] = {
        {play_card_sound, "PLAY-CARD.WAV"},     {play_shuffle_sound, "shuffle.wav"},
        {play_move_done_sound, "movedone.Wav"}, {play_move_sound, "move.wav"},
        {play_dice_sound, "dice.wav"},          {play_delete_sound, "delete.wav"},
        {play_flip_sound, "flip.wav"},
    };
    std::vector<std::string> played;
    set_wave_player([&](const std::string& path) { played.push_back(path); });
    sound_on = 1;
    // No sounds folder: every effect returns quietly.
    for (const row& r : rows)
        r.play();
    EXPECT_TRUE(played.empty());

    QDir(QString::fromStdString(folder)).mkdir("game-sounds");
    for (const row& r : rows) {
        QFile f(QString::fromStdString(folder + "/game-sounds/" + r.file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    for (const row& r : rows) {
        played.clear();
        r.play();
        ASSERT_EQ(played.size(), 1u) << r.file;
        EXPECT_EQ(file_name_of(played[0]), r.file);
        sound_on = 0;
        r.play();
        EXPECT_EQ(played.size(), 1u) << r.file;
        sound_on = 1;
    }
    sound_on = 0;
    set_wave_player({});
    program_folder = saved_folder;
}

} // namespace
