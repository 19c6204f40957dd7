#include "replay_forms.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/history_records.h"
#include "data/hooks.h"
#include "data/options.h"
#include "data/records.h"
#include "data/view_state.h"
#include "history/forms/comment_forms.h"
#include "history/replay.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/form_colour.h"
#include "mainwin/info_panel.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_geometry.h"
#include "platform/app_services.h"
#include "platform/boxes.h"
#include "platform/main_window_ref.h"
#include "platform/qt_text.h"
#include "play/dice.h"
#include "play/forms/RollDiceForm.h"
#include "play/replay_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

std::uint8_t replay_blink = 1;
std::size_t replay_first_record = 0, replay_playback_start = 0;

namespace {

constexpr std::size_t marks_max = 500;
constexpr int path_kept_max = 99;

// The records from an offset to the end.
std::vector<std::size_t> record_starts_from(std::size_t from) {
    std::vector<std::size_t> out;
    history_walker w(game->history_stream);
    if (!w.seek(from)) return out;
    history_record r;
    while (w.next(r))
        out.push_back(r.start);
    return out;
}

void show_in_unit_panel(const replay_display& d) {
    clear_unit_info_panel();
    if (!unit_panel_canvas) return;
    canvas& c = *unit_panel_canvas;
    c.set_text_colour(make_rgb(0, 0, 0));
    c.set_font("10.MS Sans Serif.Bold.Underline");
    int y = 4;
    c.draw_text(4, y, unit_panel_width - 8, 18, d.title, text_h_align::left, text_v_align::top);
    y += 20;
    c.set_font("8.MS Sans Serif.Bold");
    for (const std::string& line : d.lines) {
        c.draw_text(4, y, unit_panel_width - 8, 16, line, text_h_align::left, text_v_align::top);
        y += 16;
    }
    if (info_panels_changed_hook) info_panels_changed_hook();
}

// The lower right corner of the main window, 5 pixels inside.
void place_at_lower_right(QWidget& w) {
    QWidget* main = dialog_parent();
    const QRect area = main ? main->frameGeometry() : QRect(QPoint(0, 0), w.screen()->availableSize());
    w.adjustSize();
    w.move(area.right() - 5 - w.width(), area.bottom() - 5 - w.height());
}

} // namespace

// The settings.

set_replay_delay_form::set_replay_delay_form(QWidget* parent) : form_base(parent) {
    setObjectName("set_replay_delay_form");
    setWindowTitle("Replay Settings ");
    auto* layout = new QVBoxLayout(this);
    auto* delay = new QGroupBox(" Delay Amount ", this);
    auto* d = new QVBoxLayout(delay);
    d->addWidget(
        new QLabel("The replay pauses after each move or action.  The length of the pause can be set as "
                   "desired.  ",
                   delay));
    no_delay_ = new QRadioButton("NO DELAY (except after comments).", delay);
    no_delay_->setObjectName("no_delay_button");
    stop_ = new QRadioButton("STOP after each move - click to continue.", delay);
    stop_->setObjectName("stop_button");
    set_ = new QRadioButton("SET Pause duration:", delay);
    set_->setObjectName("set_button");
    slider_ = new QSlider(Qt::Horizontal, delay);
    slider_->setObjectName("slider");
    slider_->setRange(1, 19);
    for (QWidget* w : std::initializer_list<QWidget*>{no_delay_, stop_, set_, slider_})
        d->addWidget(w);
    d->addWidget(new QLabel("0    1    2    3    4   Approximate Pause (in seconds)", delay));
    auto* start = new QGroupBox(" Start Point ", this);
    auto* s = new QVBoxLayout(start);
    s->addWidget(
        new QLabel("A \"fast forward\" control to advance where replay viewing actually begins.", start));
    portion_ = new QSlider(Qt::Horizontal, start);
    portion_->setObjectName("portion_slide");
    portion_->setRange(0, 100);
    s->addWidget(portion_);
    s->addWidget(new QLabel(
        "Full  -  Half  -  None   Approximate amount of the replay file which will be shown", start));
    start_text_ = new QLabel(start);
    start_text_->setObjectName("label_12");
    s->addWidget(start_text_);
    blink_ = new QCheckBox("Blink pieces for Add, Remove, and Change.", this);
    blink_->setObjectName("blink");
    ok_ = new QPushButton("Start Replay", this);
    ok_->setObjectName("ok_button");
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cancel_button");
    for (QWidget* w : std::initializer_list<QWidget*>{delay, start, blink_, ok_, cancel_})
        layout->addWidget(w);

    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    connect(slider_, &QSlider::valueChanged, this, [this] { set_->setChecked(true); });
    connect(portion_, &QSlider::valueChanged, this, [this](int p) {
        start_text_->setText(
            mixed_to_qstring(base_text_ + std::to_string(p * static_cast<int>(records_.size()) / 100) + "."));
    });
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  replay_blink = blink_->isChecked() ? 1 : 0;
                                  replay_delay = set_->isChecked()
                                                     ? static_cast<std::uint8_t>(slider_->value())
                                                 : no_delay_->isChecked() ? 0
                                                                          : 20;
                                  const int p = portion_->value();
                                  const std::size_t n = records_.size();
                                  if (p == 100 || n == 0) {
                                      replay_playback_start = game->history_stream.size() - 1;
                                  } else if (p > 0) {
                                      const std::size_t k = static_cast<std::size_t>(p) * n / 100;
                                      replay_playback_start =
                                          k < n ? records_[k] : game->history_stream.size() - 1;
                                  }
                                  accept();
                                  return true;
                              }}});
    set_event_handlers(cancel_, {{ClickEvent, [this](QObject*, event_data&) {
                                      reject();
                                      return true;
                                  }}});
}

bool set_replay_delay_form::on_created() {
    apply_form_colour(this);
    {
        const QSignalBlocker quiet(slider_);
        if (replay_delay >= 1 && replay_delay < 20) {
            slider_->setValue(replay_delay);
            set_->setChecked(true);
        } else if (replay_delay == 0) {
            no_delay_->setChecked(true);
        } else {
            stop_->setChecked(true);
        }
    }
    records_ = record_starts_from(replay_playback_start);
    if (records_.empty()) {
        message_box("Replay Empty", "There are no actions stored in the replay file.", box_buttons::ok,
                    box_icon::information);
        replay_playback_start = game->history_stream.size() - 1;
        QTimer::singleShot(0, this, [this] { accept(); });
        return false;
    }
    base_text_ = "'Fast forward' to set where replay viewing begins. \n\r" + std::to_string(records_.size()) +
                 "  Actions (Not all may be viewable)  Current Start=";
    start_text_->setText(mixed_to_qstring(base_text_ + "0."));
    blink_->setChecked(replay_blink != 0);
    return false;
}

// The pause.

replay_paused_form::replay_paused_form(QWidget* parent, int action) : form_base(parent) {
    setObjectName("replay_paused_form");
    setWindowTitle(QString("Action: %1").arg(action));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Replay paused.  Click OK to continue...", this);
    label->setObjectName("label_1");
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("cb_1");
    quit_ = new QPushButton("Quit", this);
    quit_->setObjectName("cb_2");
    layout->addWidget(label);
    layout->addWidget(ok_);
    layout->addWidget(quit_);
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) {
                                   apply_form_colour(this);
                                   place_at_lower_right(*this);
                                   return false;
                               }}});
    set_event_handlers(ok_, {{ClickEvent, [this](QObject*, event_data&) {
                                  accept();
                                  return true;
                              }}});
    set_event_handlers(quit_, {{ClickEvent, [this](QObject*, event_data&) {
                                    quit_chosen_ = true;
                                    accept();
                                    return true;
                                }}});
}

// The player.

control_replay_form::control_replay_form() : form_base(nullptr) {
    setObjectName("control_replay_form");
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(this);
    label_->setObjectName("label_1");
    stop_button_ = new QPushButton("Stop", this);
    stop_button_->setObjectName("pictbttn_1");
    layout->addWidget(label_);
    layout->addWidget(stop_button_);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { play_next_action(); });
    set_event_handlers(this, {{CreateEvent, [this](QObject*, event_data&) { return on_created(); }}});
    set_event_handlers(stop_button_, {{ClickEvent, [this](QObject*, event_data&) {
                                           stop_after_ = true;
                                           timer_->stop();
                                           finish();
                                           return true;
                                       }}});
}

bool control_replay_form::on_created() {
    read_ = replay_first_record;
    counter_ = 0;
    shown_ = false;
    stopped_ = true;
    fast_forward();
    timer_->stop();
    stopped_ = false;
    shown_ = true;
    marks_pending_ = false;
    redraw_map();
    place_at_lower_right(*this);
    if (replay_delay == 20 || operation_mode == 5) setWindowOpacity(0.0); // runs unseen
    arm(100);
    return false;
}

void control_replay_form::fast_forward() {
    history_walker w(game->history_stream);
    if (!w.seek(read_)) return;
    history_record r;
    while (w.position() < replay_playback_start && w.next(r)) {
        apply_history_record(game->history_stream, r);
        ++counter_;
    }
    if (w.status() != history_walk_status::ok && w.status() != history_walk_status::end)
        message_box("Replay Error!", "Corruption in replay file.  Playback aborted.", box_buttons::ok,
                    box_icon::information);
    read_ = w.position();
}

void control_replay_form::arm(int ms) {
    if (!stopped_) timer_->start(ms);
}

void control_replay_form::finish() {
    timer_->stop();
    accept();
}

void control_replay_form::clear_marks() {
    clear_unit_info_panel();
    operation_mode = 0;
    selected_pieces[0] = -1;
    move_path[0] = location_end;
    attacker_list[0] = -1;
    defender_list[0] = -1;
    for (std::int32_t hex : marked_)
        redraw_map_hex(hex);
    marked_.clear();
    marks_pending_ = false;
    if (info_panels_changed_hook) info_panels_changed_hook();
}

void control_replay_form::show_die_roll(const history_record& r) {
    record_fields f;
    if (!read_record_fields(game->history_stream, r, f)) return;
    std::string text = "[Original Roll:  ";
    const auto results = f.numbers("result");
    for (std::size_t i = 0; i < results.size(); ++i)
        text += (i > 0 ? ", " : "") + std::to_string(results[i]);
    text += "]  ";
    // A roll with a comment: the comment record follows it and is shown with it.
    if (f.number("comment flag") != 0 && operation_mode != 5) {
        history_walker w(game->history_stream);
        history_record next;
        if (w.seek(read_) && w.next(next) && next.code == history_code_comment) {
            record_fields c;
            if (read_record_fields(game->history_stream, next, c)) text += c.bytes("text");
            read_ = w.position();
        } else {
            message_box("Replay Error!", "Die roll 253 flag error for comment", box_buttons::ok,
                        box_icon::information);
        }
    }
    comment_text = text;
    RollDiceForm form(dialog_parent());
    form.create_form();
    form.exec();
    comment_text.clear();
}

void control_replay_form::blink_piece(const history_record& r) {
    record_fields f;
    if (!read_record_fields(game->history_stream, r, f)) return;
    const std::int64_t index = f.number("piece");
    if (index < 0 || index >= game->piece_end_index ||
        static_cast<std::size_t>(index) >= game->piece_array.size())
        return;
    const auto piece = static_cast<std::size_t>(index);
    const std::int32_t hex = game->piece_array[piece].location;
    if (hex < 0 || hex >= board->hex_count || game->piece_array[piece].in_pool()) return;
    // Twice: a second off, a second on. The piece is only taken out of the drawing.
    for (int i = 0; i < 2 && !stop_after_; ++i) {
        game->piece_array[piece].location = location_free;
        redraw_map_hex(hex);
        wait_ms(1000);
        game->piece_array[piece].location = hex;
        redraw_map_hex(hex);
        wait_ms(1000);
    }
}

void control_replay_form::play_next_action() {
    timer_->stop();
    if (stopped_) return;
    setWindowTitle(QString(" Replay Action: %1").arg(counter_ + 1));
    if (marks_pending_) {
        clear_marks();
        arm(100);
        return;
    }
    history_walker w(game->history_stream);
    history_record r;
    for (;;) {
        if (!w.seek(read_) || !w.next(r)) {
            if (w.status() != history_walk_status::end)
                message_box("Replay Error!", "Corruption in replay file.  Playback aborted.", box_buttons::ok,
                            box_icon::information);
            finish();
            return;
        }
        read_ = w.position();
        ++counter_;
        if (r.code != history_code_delete_class && r.code != history_code_piece_order) break;
        apply_history_record(game->history_stream, r); // shown by nothing, no tick of its own
    }
    if (r.code == history_code_die_roll || r.code == history_code_comment) {
        if (r.code == history_code_comment)
            show_replay_comment(game->history_stream, r);
        else
            show_die_roll(r);
        if (stop_after_) {
            finish();
            return;
        }
        arm(10);
        return;
    }
    const replay_display d = describe_replay_record(game->history_stream, r);
    if (d.sound_before) play_game_sound(*d.sound_before);
    const bool removal = r.code == history_code_remove_piece || r.code == history_code_remove_piece_v1;
    const bool blinks = replay_blink && d.marks &&
                        (removal || r.code == history_code_add_piece || r.code == history_code_change_class);
    if (blinks && removal) blink_piece(r);
    replay_effect effect;
    apply_history_record(game->history_stream, r, &effect);
    if (blinks && !removal) blink_piece(r);
    if (d.shown) {
        record_fields f;
        read_record_fields(game->history_stream, r, f);
        if (r.code == history_code_move && d.marks) {
            // The path and the moved pieces show as a move being made until the next record.
            const auto path = f.numbers("hex");
            int n = 0;
            for (; n < path_kept_max && n < static_cast<int>(path.size()); ++n)
                move_path[n] = static_cast<std::int32_t>(path[static_cast<std::size_t>(n)]);
            move_path[n] = location_end;
            const auto pieces = f.numbers("piece");
            int k = 0;
            for (; k < selected_pieces_capacity - 1 && k < static_cast<int>(pieces.size()); ++k)
                selected_pieces[k] = static_cast<std::int32_t>(pieces[static_cast<std::size_t>(k)]);
            selected_pieces[k] = -1;
            operation_mode = 2;
            if (!effect.hexes.empty()) bring_hex_into_view(effect.hexes.front());
        }
        if (r.code == history_code_combat) {
            const std::int64_t attackers = f.number("attackers");
            const auto pieces = f.numbers("piece");
            int a = 0, b = 0;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                std::int32_t* list = static_cast<std::int64_t>(i) < attackers ? attacker_list : defender_list;
                int& n = static_cast<std::int64_t>(i) < attackers ? a : b;
                if (n < combat_list_capacity - 1) list[n++] = static_cast<std::int32_t>(pieces[i]);
            }
            attacker_list[a] = -1;
            defender_list[b] = -1;
            operation_mode = 3;
        }
        if (!d.title.empty()) show_in_unit_panel(d);
        if (effect.whole_map) redraw_map();
        if (d.marks) {
            for (std::int32_t hex : effect.hexes) {
                redraw_map_hex(hex);
                if (marked_.size() < marks_max) marked_.push_back(hex);
            }
            marks_pending_ = true;
        } else {
            for (std::int32_t hex : effect.hexes)
                redraw_map_hex(hex);
        }
        if (r.code == history_code_combat && combat_summary_hook) combat_summary_hook();
        if (d.sound_after) play_game_sound(*d.sound_after);
    } else {
        for (std::int32_t hex : effect.hexes)
            redraw_map_hex(hex);
        if (effect.whole_map) redraw_map();
    }
    if (stop_after_) {
        finish();
        return;
    }
    if (!d.pause) {
        arm(10);
        return;
    }
    if (replay_delay < 20) {
        arm(replay_delay * 200);
        return;
    }
    replay_paused_form pause(this, counter_);
    pause.create_form();
    pause.exec();
    if (pause.quit()) {
        finish();
        return;
    }
    arm(1);
}

int view_replay() {
    // The main window takes no command and no timer while the board shows the replay.
    long_operation busy;
    replay_saved_state saved;
    if (!save_replay_state(saved)) {
        message_box("Memory Allocation Error", "* Can not allocate unit holding array! *", box_buttons::ok,
                    box_icon::stop);
        return 0;
    }
    const byte_vector& stream = game->history_stream;
    if (!set_replay_start_pieces(stream)) {
        restore_replay_state(saved);
        message_box("Memory Allocation Error", "Can not allocate new units array!", box_buttons::ok,
                    box_icon::stop);
        return 0;
    }
    const auto header = history_header_length(stream.data(), stream.empty() ? 0 : stream.size() - 1);
    const bool empty = !header || stream[*header] == 0xFE;
    if (empty) {
        message_box("Replay Empty", "There are no actions stored in the replay file.", box_buttons::ok,
                    box_icon::information);
    } else {
        const bool undo_view = operation_mode == 5;
        if (!undo_view) replay_playback_start = *header;
        replay_first_record = *header;
        bool go = true;
        if (!undo_view) {
            set_replay_delay_form settings(dialog_parent());
            settings.create_form();
            go = settings.exec() == QDialog::Accepted;
        }
        if (go && replay_playback_start < stream.size() - 1) {
            control_replay_form player;
            player.create_form();
            player.exec();
        }
    }
    restore_replay_state(saved);
    redraw_map();
    return 1;
}
