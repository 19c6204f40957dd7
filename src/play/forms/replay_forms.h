// Watching the history: the replay settings ("Replay Settings "), the player that plays one
// record per tick (" Replay Action: "), the pause between actions ("Replay Info"), and the
// replay view that runs them over the history's snapshot and puts the game back afterwards.
#pragma once

#include "data/history_records.h"
#include "platform/form.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

// Pieces blink on add, remove and class change; on at start, kept for the run.
extern std::uint8_t replay_blink;
// Where the records start, and the first one to show (those before it are applied silently).
extern std::size_t replay_first_record, replay_playback_start;

class set_replay_delay_form : public form_base {
    Q_OBJECT
public:
    explicit set_replay_delay_form(QWidget* parent);
    QPushButton* ok_button() const { return ok_; }
    QPushButton* cancel_button() const { return cancel_; }
    QRadioButton* no_delay_button() const { return no_delay_; }
    QRadioButton* stop_button() const { return stop_; }
    QRadioButton* set_button() const { return set_; }
    QSlider* slider() const { return slider_; }
    QSlider* portion_slide() const { return portion_; }
    QCheckBox* blink() const { return blink_; }
    QLabel* label_12() const { return start_text_; }

private:
    bool on_created();
    std::vector<std::size_t> records_; // the records from the playback start
    std::string base_text_;
    QPushButton *ok_ = nullptr, *cancel_ = nullptr;
    QRadioButton *no_delay_ = nullptr, *stop_ = nullptr, *set_ = nullptr;
    QSlider *slider_ = nullptr, *portion_ = nullptr;
    QCheckBox* blink_ = nullptr;
    QLabel* start_text_ = nullptr;
};

class replay_paused_form : public form_base {
    Q_OBJECT
public:
    replay_paused_form(QWidget* parent, int action);
    QPushButton* cb_1() const { return ok_; }
    QPushButton* cb_2() const { return quit_; }
    bool quit() const { return quit_chosen_; }

private:
    QPushButton *ok_ = nullptr, *quit_ = nullptr;
    bool quit_chosen_ = false;
};

class control_replay_form : public form_base {
    Q_OBJECT
public:
    control_replay_form();
    QPushButton* pictbttn_1() const { return stop_button_; }
    int action_counter() const { return counter_; }
    // One tick: the next record (or the clearing of the last one's marks).
    void play_next_action();

private:
    bool on_created();
    void fast_forward();
    void arm(int ms);
    void clear_marks();
    void finish();
    void show_die_roll(const history_record& r);
    // The piece of an add, remove or class change blinks (replay_blink).
    void blink_piece(const history_record& r);

    std::size_t read_ = 0;
    int counter_ = 0;
    bool shown_ = false, stopped_ = true, stop_after_ = false;
    std::vector<std::int32_t> marked_;
    bool marks_pending_ = false;
    QLabel* label_ = nullptr;
    QPushButton* stop_button_ = nullptr;
    QTimer* timer_ = nullptr;
};

// The replay view: the settings (not for the undo's view, operation mode 5), then the player
// over the history's snapshot; the game comes back as it was. 0 when memory ran out, else 1.
int view_replay();
