// Comments: written through their forms, recorded by name, saved with the game and shown again
// by the replay, asking once for a file that is not where comments are looked for.
#include "history_fixture.h"

#include "data/history_records.h"
#include "data/saved_game.h"
#include "history/comments.h"
#include "history/forms/comment_forms.h"
#include "history/replay.h"
#include "platform/app_services.h"
#include "platform/files.h"
#include "play/forms/replay_forms.h"
#include "players/modal_driver.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <fstream>

namespace {

class comments_test : public demo_history_test {
protected:
    void SetUp() override {
        demo_history_test::SetUp();
        comment_folder.clear();
        set_wave_player([this](const std::string& path) { played.push_back(path); });
    }
    void TearDown() override {
        set_wave_player(nullptr);
        comment_folder.clear();
        demo_history_test::TearDown();
    }
    struct comment {
        std::int64_t player, kind;
        std::string text;
        bool operator==(const comment&) const = default;
    };
    static std::vector<comment> comments() {
        std::vector<comment> out;
        const auto records = walk_history(game->history_stream);
        for (const auto& r : *records) {
            if (r.code != history_code_comment) continue;
            record_fields f;
            read_record_fields(game->history_stream, r, f);
            out.push_back({f.number("player"), f.number("kind"), f.bytes("text")});
        }
        return out;
    }
    static void write_text(const std::string& text) {
        when_modal<comment_text_form>([text](comment_text_form& f) {
            f.enter_text_box()->setPlainText(QString::fromStdString(text));
            f.cb_1()->click();
        });
    }
    std::vector<std::string> played;
};

TEST_F(comments_test, texts_and_a_sound_are_recorded_one_after_another_and_an_empty_text_is_not) {
    const std::string folder = make_temp_folder();
    const std::string sound = folder + "/horn.wav";
    std::ofstream(sound) << "RIFF";
    when_modal<add_comment_form>([&](add_comment_form& f) {
        write_text("Advance at dawn");
        f.add_text_button()->click();
        write_text("");
        f.add_text_button()->click();
        // The sound is heard, then kept.
        responder.answer_text(sound).answer(box_answer::yes);
        f.sound_button()->click();
        f.done_button()->click();
    });
    run_add_comment_form();
    EXPECT_EQ(comments(), (std::vector<comment>{{250, comment_text, "Advance at dawn"},
                                                {250, comment_sound, "horn.wav"}}));
    EXPECT_EQ(played, std::vector<std::string>{sound});
    EXPECT_EQ(comment_file_path("horn.wav"), folder + "/horn.wav");
    EXPECT_EQ(comment_author(250), "Visitor");
    EXPECT_EQ(comment_author(255), "Visitor");
}

TEST_F(comments_test, a_comment_saved_and_reopened_is_shown_by_the_replay_as_its_author_wrote_it) {
    ASSERT_TRUE(record_text_comment("Hold the bridge"));
    const std::string path = make_temp_folder() + "/Comments.OPS";
    ASSERT_TRUE(write_saved_game_file(path, false));
    const auto bytes = read_whole_file(path);
    ASSERT_TRUE(bytes && read_saved_game_bytes(*bytes));
    std::string shown, label;
    when_modal<set_replay_delay_form>([](set_replay_delay_form& f) {
        f.no_delay_button()->click();
        f.ok_button()->click();
    });
    when_modal<comment_text_form>([&](comment_text_form& f) {
        shown = f.rtb_1()->toPlainText().toStdString();
        label = f.label()->text().toStdString();
        EXPECT_TRUE(f.rtb_1()->isReadOnly());
        f.cb_1()->click();
    });
    view_replay();
    EXPECT_EQ(shown, "Hold the bridge");
    EXPECT_EQ(label, "Comment from Visitor player:");
}

TEST_F(comments_test, a_missing_file_is_asked_for_once_and_cancel_skips_only_that_comment) {
    comment_folder = make_temp_folder();
    ASSERT_TRUE(record_file_comment(comment_sound, "/elsewhere/gone.wav"));
    ASSERT_TRUE(record_text_comment("after the sound"));
    responder.answer_text(std::nullopt); // the search is cancelled
    bool text_shown = false;
    when_modal<set_replay_delay_form>([](set_replay_delay_form& f) {
        f.no_delay_button()->click();
        f.ok_button()->click();
    });
    when_modal<comment_text_form>([&text_shown](comment_text_form& f) {
        text_shown = true;
        f.cb_1()->click();
    });
    view_replay();
    EXPECT_EQ(responder.count("'gone.wav' Not Found!  You may search or cancel now."), 1);
    EXPECT_TRUE(played.empty());
    EXPECT_TRUE(text_shown);
}

TEST_F(comments_test, a_damaged_clip_says_it_could_not_be_opened) {
    const std::string clip = make_temp_folder() + "/broken.avi";
    std::ofstream(clip) << "not a clip at all";
    comment_video_form f(nullptr, clip, "Visitor");
    f.create_form();
    f.exec();
    EXPECT_EQ(f.answer(), preview_answer::cancel);
    EXPECT_TRUE(responder.saw("File Error!  Aborting Operation.") ||
                responder.saw("Play Error!  Aborting Operation."));
}

} // namespace
