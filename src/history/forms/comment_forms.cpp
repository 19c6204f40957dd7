#include "comment_forms.h"

#include "data/folders.h"
#include "data/options.h"
#include "data/records.h"
#include "history/comments.h"
#include "history/replay.h"
#include "mainwin/forms/form_colour.h"
#include "platform/app_services.h"
#include "platform/boxes.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"

#include <QAudioOutput>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaPlayer>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace {

QPoint remembered_text_position(-1000, -1000);
bool remembered_wrap = false;

QPushButton* make_button(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

std::optional<std::string> pick_file(const char* title, const char* description, const char* pattern) {
    file_chooser_request r;
    r.title = title;
    r.filters = {{std::string(description) + " (" + pattern + ")", pattern}};
    r.start_folder = comment_folder;
    r.name = "comment_file";
    return choose_file(r);
}

// A clip file begins "RIFF", four bytes of length, "AVI "; anything else cannot be opened.
bool looks_like_avi(const std::string& path) {
    const auto bytes = read_whole_file(path);
    return bytes && bytes->size() >= 12 && std::equal(bytes->begin(), bytes->begin() + 4, "RIFF") &&
           std::equal(bytes->begin() + 8, bytes->begin() + 12, "AVI ");
}

} // namespace

// Choosing a kind.

add_comment_form::add_comment_form(QWidget* parent) : form_base(parent) {
    setObjectName("add_comment_form");
    setWindowTitle("Add a Comment to Replay");
    auto* layout = new QGridLayout(this);
    text_ = make_button(this, "add_text_button", "Text");
    sound_ = make_button(this, "sound_button", "Sound (.WAV)");
    picture_ = make_button(this, "picture_button", "Picture (.BMP)");
    video_ = make_button(this, "video_button", "Video (.AVI)");
    done_ = make_button(this, "done_button", "Done");
    int row = 0;
    for (QPushButton* b : {text_, sound_, picture_, video_}) {
        // The picture button beside each kind does what its button does.
        auto* twin = make_button(this, ("pictbttn_" + std::to_string(row + 1)).c_str(), "");
        twin->setFixedWidth(24);
        connect(twin, &QPushButton::clicked, b, &QPushButton::click);
        layout->addWidget(twin, row, 0);
        layout->addWidget(b, row++, 1);
    }
    layout->addWidget(done_, row, 1);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    auto on_click = [this](QPushButton* b, void (add_comment_form::*action)()) {
        set_event_handlers(b, {{ClickEvent, [this, action](QObject*, event_data&) {
                                    (this->*action)();
                                    return true;
                                }}});
    };
    on_click(text_, &add_comment_form::add_text);
    on_click(sound_, &add_comment_form::add_sound);
    on_click(picture_, &add_comment_form::add_picture);
    on_click(video_, &add_comment_form::add_video);
    set_event_handlers(done_, {{ClickEvent, [this](QObject*, event_data&) {
                                    accept();
                                    return true;
                                }}});
}

void add_comment_form::add_text() {
    comment_text_form f(this, false);
    f.create_form();
    if (f.exec() == QDialog::Accepted && record_text_comment(f.text())) game_modified = 1;
}

void add_comment_form::add_sound() {
    for (;;) {
        const auto path = pick_file("Select Sound File (.WAV) for Comment", "Sound", "*.WAV");
        if (!path) return;
        play_wave_file(*path);
        const box_answer a = message_box("Confim Sound", "Is this sound OK? (select NO to pick again)",
                                         box_buttons::yes_no_cancel, box_icon::question);
        if (a == box_answer::cancel) return;
        if (a == box_answer::no) continue;
        if (record_file_comment(comment_sound, *path)) game_modified = 1;
        return;
    }
}

void add_comment_form::add_picture() {
    for (;;) {
        const auto path = pick_file("Select Picture (.BMP) for Comment", "Picture", "*.BMP");
        if (!path) return;
        comment_pic_form f(this, *path, {});
        f.create_form();
        f.exec();
        if (f.answer() == preview_answer::pick_again) continue;
        if (f.answer() == preview_answer::ok && record_file_comment(comment_picture, *path))
            game_modified = 1;
        return;
    }
}

void add_comment_form::add_video() {
    for (;;) {
        const auto path = pick_file("Select Video Clip (.AVI) for Comment", "Video", "*.AVI");
        if (!path) return;
        comment_video_form f(this, *path, {});
        f.create_form();
        f.exec();
        if (f.answer() == preview_answer::pick_again) continue;
        if (f.answer() == preview_answer::ok && record_file_comment(comment_video, *path)) game_modified = 1;
        return;
    }
}

// Text.

comment_text_form::comment_text_form(QWidget* parent, bool reading, const std::string& text,
                                     const std::string& author)
    : form_base(parent), reading_(reading) {
    setObjectName("comment_text_form");
    setWindowTitle("Text Comment:");
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(reading ? mixed_to_qstring("Comment from " + author + " player:")
                                : QString("Enter Text and Hit Enter/Click OK:"),
                        this);
    label_->setObjectName("label");
    layout->addWidget(label_);
    auto box = [this, layout](QTextEdit*& b, const char* name, bool wrapped, bool read_only) {
        b = new QTextEdit(this);
        b->setObjectName(name);
        b->setAcceptRichText(false);
        b->setLineWrapMode(wrapped ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
        b->setReadOnly(read_only);
        layout->addWidget(b);
    };
    box(enter_, "enter_text_box", false, false);
    box(enter_wrapped_, "enter_text_box_wr", true, false);
    box(read_, "rtb_1", false, true);
    box(read_wrapped_, "rtb_2", true, true);
    read_->setPlainText(to_qstring(text));
    read_wrapped_->setPlainText(to_qstring(text));
    wrap_ = new QCheckBox("Wrap Text", this);
    wrap_->setObjectName("checkbox_1");
    wrap_->setChecked(remembered_wrap);
    layout->addWidget(wrap_);
    auto* hint =
        new QLabel(reading ? "Highlight a text selection and use Ctrl-C to Copy or Ctrl-X to Cut."
                           : "Highlight a text selection and use Ctrl-C to Copy or Ctrl-X to Cut.    Use "
                             "Ctrl-V to Paste.   Use Ctrl-Z to Undo.",
                   this);
    hint->setObjectName("label_1");
    layout->addWidget(hint);
    auto* row = new QHBoxLayout;
    ok_ = make_button(this, "cb_1", "OK");
    cancel_ = make_button(this, "cb_2", "Cancel");
    row->addWidget(ok_);
    row->addWidget(cancel_);
    layout->addLayout(row);
    show_boxes();
    connect(wrap_, &QCheckBox::toggled, this, [this](bool on) {
        // The text moves to the box that wraps as asked.
        if (!reading_)
            (on ? enter_wrapped_ : enter_)->setPlainText((on ? enter_ : enter_wrapped_)->toPlainText());
        remembered_wrap = on;
        show_boxes();
    });
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   if (remembered_text_position.x() != -1000) move(remembered_text_position);
                                   return false;
                               }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  text_ = from_qstring(
                                      (wrap_->isChecked() ? enter_wrapped_ : enter_)->toPlainText());
                                  remembered_text_position = pos();
                                  accept();
                                  return true;
                              }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      remembered_text_position = pos();
                                      reject();
                                      return true;
                                  }}});
}

void comment_text_form::show_boxes() {
    const bool wrapped = wrap_->isChecked();
    enter_->setVisible(!reading_ && !wrapped);
    enter_wrapped_->setVisible(!reading_ && wrapped);
    read_->setVisible(reading_ && !wrapped);
    read_wrapped_->setVisible(reading_ && wrapped);
}

// Picture.

comment_pic_form::comment_pic_form(QWidget* parent, const std::string& path, const std::string& author)
    : form_base(parent) {
    setObjectName("comment_pic_form");
    setWindowTitle(author.empty() ? QString("Comment (View Picture)")
                                  : mixed_to_qstring(author + " Player Picture Comment"));
    auto* layout = new QVBoxLayout(this);
    picture_ = new QLabel(this);
    picture_->setObjectName("pictb_1");
    picture_->setPixmap(QPixmap(path_to_qstring(path)));
    layout->addWidget(picture_);
    auto* row = new QHBoxLayout;
    ok_ = make_button(this, "ok_button", "OK");
    cancel_ = make_button(this, "cancel", "Cancel");
    again_ = make_button(this, "pick_again", "Pick Again");
    for (QPushButton* b : {ok_, cancel_, again_})
        row->addWidget(b);
    layout->addLayout(row);
    again_->setVisible(author.empty());
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   return false;
                               }}});
    for (QPushButton* b : {ok_, cancel_, again_})
        set_event_handlers(b, {{ClickEvent, [this, b](QObject*, event_data&) {
                                    answer_ = b == ok_      ? preview_answer::ok
                                              : b == again_ ? preview_answer::pick_again
                                                            : preview_answer::cancel;
                                    accept();
                                    return true;
                                }}});
}

// Video.

comment_video_form::comment_video_form(QWidget* parent, const std::string& path, const std::string& author)
    : form_base(parent) {
    setObjectName("comment_video_form");
    setWindowTitle(author.empty() ? QString("Comment - Video Clip")
                                  : mixed_to_qstring(author + " Player Comment - Video Clip"));
    auto* layout = new QVBoxLayout(this);
    video_ = new QVideoWidget(this);
    video_->setObjectName("anim_1");
    video_->setMinimumSize(320, 240);
    layout->addWidget(video_);
    auto* row = new QHBoxLayout;
    ok_ = make_button(this, "ok_button", "OK");
    cancel_ = make_button(this, "cancel_button", "Cancel");
    again_ = make_button(this, "repick_button", "Pick Again");
    for (QPushButton* b : {ok_, cancel_, again_})
        row->addWidget(b);
    layout->addLayout(row);
    again_->setVisible(author.empty());
    set_event_handlers(this, {{CreateEvent, [this, path](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   if (!looks_like_avi(path)) {
                                       failed(true);
                                       return false;
                                   }
                                   start_player();
                                   player_->setSource(QUrl::fromLocalFile(path_to_qstring(path)));
                                   player_->play();
                                   return false;
                               }}});
    for (QPushButton* b : {ok_, cancel_, again_})
        set_event_handlers(b,
                           {{ClickEvent, [this, b](QObject*, event_data&) {
                                 if (b == cancel_ && player_->playbackState() == QMediaPlayer::PlayingState) {
                                     player_->stop();
                                     return true;
                                 }
                                 answer_ = b == ok_      ? preview_answer::ok
                                           : b == again_ ? preview_answer::pick_again
                                                         : preview_answer::cancel;
                                 player_->stop();
                                 accept();
                                 return true;
                             }}});
}

comment_video_form::~comment_video_form() {
    if (player_) player_->stop();
}

void comment_video_form::start_player() {
    player_ = new QMediaPlayer(this);
    audio_ = new QAudioOutput(this);
    player_->setAudioOutput(audio_);
    player_->setVideoOutput(video_);
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error e, const QString&) {
        failed(e == QMediaPlayer::ResourceError || e == QMediaPlayer::FormatError);
    });
    connect(player_, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState s) {
        cancel_->setText(s == QMediaPlayer::PlayingState ? "Stop" : "Cancel");
    });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::InvalidMedia) failed(true);
    });
}

void comment_video_form::failed(bool could_not_open) {
    if (error_shown_) return;
    error_shown_ = true;
    if (player_) player_->stop();
    if (could_not_open)
        message_box("File Error!  Aborting Operation.",
                    "Could not open the specified file.  The file may be not an .AVI,\n\rthe wrong format, "
                    "or damaged.",
                    box_buttons::ok, box_icon::stop);
    else
        message_box("Play Error!  Aborting Operation.",
                    "Could not play the specified file.  The file may be the wrong format, or damaged.",
                    box_buttons::ok, box_icon::stop);
    answer_ = preview_answer::cancel;
    QMetaObject::invokeMethod(
        this, [this] { reject(); }, Qt::QueuedConnection);
}

void run_add_comment_form() {
    add_comment_form f(dialog_parent());
    f.create_form();
    f.exec();
}

std::string find_comment_file(const std::string& name, bool picture) {
    std::string path = comment_file_path(name);
    while (!path_is_readable_file(path)) {
        file_chooser_request r;
        r.title = picture ? name + " Not Found.  You may search or Cancel."
                          : "'" + name + "' Not Found!  You may search or cancel now.";
        r.filters = {{"Comment file (" + name + ")", name}};
        r.start_folder = comment_folder.empty() ? program_folder : comment_folder;
        r.name = "comment_file";
        const auto chosen = choose_file(r);
        if (!chosen) return {};
        path = *chosen;
    }
    return path;
}

void show_replay_comment(const byte_vector& stream, const history_record& record) {
    record_fields f;
    if (!read_record_fields(stream, record, f)) return;
    const std::int64_t kind = f.number("kind");
    const std::string text = f.bytes("text");
    const std::string author = comment_author(f.number("player"));
    switch (kind) {
    case comment_text: {
        comment_text_form form(dialog_parent(), true, text, author);
        form.create_form();
        form.exec();
        return;
    }
    case comment_picture: {
        const std::string path = find_comment_file(text, true);
        if (path.empty()) return;
        comment_pic_form form(dialog_parent(), path, author);
        form.create_form();
        form.exec();
        return;
    }
    case comment_sound: {
        const std::string path = find_comment_file(text, false);
        if (!path.empty() && sound_on) play_wave_file(path);
        return;
    }
    case comment_video: {
        const std::string path = find_comment_file(text, false);
        if (path.empty()) return;
        comment_video_form form(dialog_parent(), path, author);
        form.create_form();
        form.exec();
        return;
    }
    default:
        return;
    }
}
