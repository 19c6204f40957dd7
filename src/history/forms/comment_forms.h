// The comment forms: choosing a kind ("Add a Comment to Replay"), writing or reading a text
// ("Text Comment:"), viewing a picture and playing a video clip; and a comment shown by the replay.
#pragma once

#include "data/history_records.h"
#include "platform/form.h"

#include <string>

class QAudioOutput;
class QCheckBox;
class QLabel;
class QMediaPlayer;
class QPushButton;
class QTextEdit;
class QVideoWidget;

class add_comment_form : public form_base {
    Q_OBJECT
public:
    explicit add_comment_form(QWidget* parent);
    QPushButton* add_text_button() const { return text_; }
    QPushButton* sound_button() const { return sound_; }
    QPushButton* picture_button() const { return picture_; }
    QPushButton* video_button() const { return video_; }
    QPushButton* done_button() const { return done_; }

private:
    void add_text();
    void add_sound();
    void add_picture();
    void add_video();
    QPushButton *text_ = nullptr, *sound_ = nullptr, *picture_ = nullptr, *video_ = nullptr, *done_ = nullptr;
};

class comment_text_form : public form_base {
    Q_OBJECT
public:
    // Writing (read_text empty and `reading` false) or reading a comment of `author`.
    comment_text_form(QWidget* parent, bool reading, const std::string& text = {},
                      const std::string& author = {});
    QTextEdit* enter_text_box() const { return enter_; }
    QTextEdit* enter_text_box_wr() const { return enter_wrapped_; }
    QTextEdit* rtb_1() const { return read_; }
    QTextEdit* rtb_2() const { return read_wrapped_; }
    QCheckBox* checkbox_1() const { return wrap_; }
    QPushButton* cb_1() const { return ok_; }
    QPushButton* cb_2() const { return cancel_; }
    QLabel* label() const { return label_; }
    // The text written (after OK).
    std::string text() const { return text_; }

private:
    void show_boxes();
    bool reading_;
    std::string text_;
    QTextEdit *enter_ = nullptr, *enter_wrapped_ = nullptr, *read_ = nullptr, *read_wrapped_ = nullptr;
    QCheckBox* wrap_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr;
    QLabel* label_ = nullptr;
};

// A picture or a clip shown for choosing (author empty: the one choosing) or in the replay.
enum class preview_answer { ok, cancel, pick_again };

class comment_pic_form : public form_base {
    Q_OBJECT
public:
    comment_pic_form(QWidget* parent, const std::string& path, const std::string& author);
    QLabel* pictb_1() const { return picture_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel() const { return cancel_; }
    QPushButton* pick_again() const { return again_; }
    preview_answer answer() const { return answer_; }

private:
    QLabel* picture_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr, *again_ = nullptr;
    preview_answer answer_ = preview_answer::cancel;
};

class comment_video_form : public form_base {
    Q_OBJECT
public:
    comment_video_form(QWidget* parent, const std::string& path, const std::string& author);
    ~comment_video_form() override;
    QVideoWidget* anim_1() const { return video_; }
    QMediaPlayer* player() const { return player_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }
    QPushButton* repick_button() const { return again_; }
    preview_answer answer() const { return answer_; }

private:
    void failed(bool could_not_open);
    void start_player();
    QVideoWidget* video_ = nullptr;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr, *again_ = nullptr;
    preview_answer answer_ = preview_answer::cancel;
    bool error_shown_ = false;
};

// Runs add_comment_form modally.
void run_add_comment_form();
// The replay reaches a comment record: its text, picture, sound or clip is shown; a file that
// is not where comments are looked for is asked for once (Cancel skips this comment).
void show_replay_comment(const byte_vector& stream, const history_record& record);
// A file the replay looks for: where it is, or empty when the search was cancelled.
std::string find_comment_file(const std::string& name, bool picture);
