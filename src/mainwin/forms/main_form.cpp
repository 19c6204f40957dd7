#include "main_form.h"

#include "classes/flips.h"
#include "classes/forms/edit_flip_def.h"
#include "classes/forms/get_unit_class_form.h"
#include "classes/forms/new_class_form.h"
#include "data/hooks.h"
#include "mainwin/info_panel.h"
#include "mainwin/sounds.h"
#include "play/forms/combat_summary_form.h"
#include "play/forms/cycle_units_form.h"
#include "play/forms/get_units_to_place_form.h"
#include "play/forms/pool_placement_forms.h"
#include "play/forms/remove_unit_to_form.h"
#include "play/forms/replay_forms.h"
#include "play/forms/set_piece_order_form.h"
#include "play/piece_actions.h"
#include "play/removal.h"
#include "ui_main_form.h"

#include "appearance/forms/facing_options_form.h"
#include "appearance/forms/set_unit_facing_form.h"
#include "appearance/forms/stack_forms.h"
#include "appearance/forms/status_dots_form.h"
#include "data/board.h"
#include "data/current_player.h"
#include "data/dialog_globals.h"
#include "data/encodings.h"
#include "data/history_stream.h"
#include "data/los_settings.h"
#include "data/options.h"
#include "data/passwords.h"
#include "data/records.h"
#include "data/saved_game.h"
#include "data/symbols.h"
#include "data/view_state.h"
#include "history/forms/comment_forms.h"
#include "history/undo.h"
#include "los/forms/get_los_check_values_form.h"
#include "los/forms/los_settings_forms.h"
#include "mainwin/autosave.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/info_boxes.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/forms/map_view_paint.h"
#include "mainwin/forms/preference_forms.h"
#include "mainwin/game_open.h"
#include "mainwin/map_draw.h"
#include "mainwin/preference_values.h"
#include "mainwin/settings_files.h"
#include "mainwin/status_line.h"
#include "mainwin/view_geometry.h"
#include "platform/app_services.h"
#include "platform/boxes.h"
#include "platform/cursors.h"
#include "platform/files.h"
#include "platform/main_window_ref.h"
#include "platform/picture_icons.h"
#include "platform/qt_text.h"
#include "play/dice.h"
#include "play/forms/RollDiceForm.h"
#include "play/forms/advance_turn_form.h"
#include "play/forms/edit_turn_names_form.h"
#include "players/forms/allies_form.h"
#include "players/forms/log_on_form.h"
#include "players/forms/player_info_form.h"
#include "players/forms/select_player_form.h"
#include "players/log_on.h"
#include "players/visibility.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <chrono>
#include <random>

main_form* main_form_instance = nullptr;
main_form* main_window = nullptr;
quintptr main_window_handle = 0;
QCursor map_cursor, zoom_cursor, current_map_cursor, current_frame_cursor;
QPointer<QWidget> deck_windows[20];
QPointer<QWidget> hand_windows[20];
QPointer<QWidget> info_page_windows[10];
std::function<bool()> open_game_hook;

namespace {
const char* const picture_button_names[] = {
    "open_button",    "save_button",  "zoom_in_button", "zoom_out_button", "redraw_button", "roll_die_button",
    "comment_button", "cycle_button", "new_button",     "goto_button",     "ScreenShot",    "gen_1",
    "gen_2",          "gen_3",        "undo_button",    "ok_button"};

void close_windows(QPointer<QWidget>* windows, int n) {
    for (int i = 0; i < n; ++i) {
        if (windows[i]) {
            windows[i]->close();
            delete windows[i].data();
        }
        windows[i] = nullptr;
    }
}

// A logged-on player's view is kept in the player's record with each save.
void store_player_view() {
    if (current_player < 0 || player_logged_in == 0) return;
    auto& players = game->player_array;
    if (static_cast<std::size_t>(current_player) + 1 >= players.size()) return;
    player_struct& p = players[static_cast<std::size_t>(current_player)];
    p.view_origin = view_origin_hex;
    p.zoom_level = static_cast<std::uint8_t>(zoom_level);
    p.replay_delay = replay_delay;
}

unsigned fresh_seed() {
    auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::random_device entropy;
    return static_cast<unsigned>(ticks) ^ entropy();
}
} // namespace

namespace {
// What play on the board asks of the window: sounds, hex redraws, the panels, the combat summary
// and the dice.
void install_play_hooks() {
    game_sound_hook = [](game_sound sound) {
        switch (sound) {
        case game_sound::move:
            play_move_sound();
            break;
        case game_sound::move_done:
            play_move_done_sound();
            break;
        case game_sound::remove:
            play_delete_sound();
            break;
        case game_sound::flip:
            play_flip_sound();
            break;
        case game_sound::card:
            play_card_sound();
            break;
        case game_sound::shuffle:
            play_shuffle_sound();
            break;
        case game_sound::dice:
            play_dice_sound();
            break;
        }
    };
    map_hex_redraw_hook = [](std::int32_t hex) { redraw_hex(hex); };
    show_hex_in_panels_hook = [](std::int32_t hex) {
        show_hex_pieces_info(hex);
        show_hex_info(hex);
    };
    combat_summary_hook = [] { run_combat_summary_form(); };
    roll_dice_form_hook = [] { open_dice_roller(); };
    remove_pieces_hook = [](std::span<const std::int32_t> pieces) {
        remove_pieces_from_board(std::vector<std::int32_t>(pieces.begin(), pieces.end()));
    };
    install_removal_hooks();
    install_piece_order_hooks();
    install_cycle_form_hooks();
    install_flip_hooks();
    install_placement_hooks();
    install_pool_placement_hooks();
    install_facing_dial_hook();
    // Undo's "view first": the one action in the replay player, with its own pause.
    undo_view_hook = [](std::size_t record_start) {
        const std::int32_t mode = operation_mode;
        const std::uint8_t delay = replay_delay;
        operation_mode = 5;
        replay_delay = 18;
        replay_playback_start = record_start;
        view_replay();
        replay_delay = delay;
        operation_mode = mode;
    };
}
} // namespace

main_form::main_form(QWidget* parent) : form_base(parent), ui_(std::make_unique<Ui::main_form>()) {
    hold_while_long_operation();
    set_event_handlers(this, {
                                 {CreateEvent, [this](QObject*, event_data&) { return on_created(); }},
                                 {CloseEvent, [this](QObject*, event_data&) { return on_close(); }},
                                 {KeyDownEvent, [this](QObject*, event_data& e) { return on_key_down(e); }},
                                 {UserEvent, [this](QObject*, event_data& e) { return on_user_event(e); }},
                                 {ActivateEvent, [](QObject*, event_data&) { return false; }},
                                 {CharacterPressEvent, [](QObject*, event_data&) { return false; }},
                                 {GotFocusEvent, [](QObject*, event_data&) { return false; }},
                                 {PaintEvent, [](QObject*, event_data&) { return false; }},
                                 {SystemCommandEvent, [](QObject*, event_data&) { return false; }},
                                 {NullEvent, nullptr},
                             });
}

main_form::~main_form() {
    if (main_window == this) {
        read_info_panel_size_hook = nullptr;
        main_window = nullptr;
        set_dialog_parent(nullptr);
    }
}

QToolButton* main_form::picture_button(const char* name) const {
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

QAction* main_form::menu_item(int id) const {
    auto it = menu_.items.find(id);
    return it == menu_.items.end() ? nullptr : it->second;
}

bool main_form::create_window() {
    generated_setup();
    return true;
}

void main_form::generated_setup() {
    ui_->setupUi(this);
    setObjectName("main_form");
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Play Game - ZEL2"));
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(193, 193, 200));
    setPalette(pal);
    setAutoFillBackground(true);
    setWindowIcon(picture_button_icon("goto_button"));

    menu_bar_ = new QMenuBar(this);
    menu_bar_->setObjectName("main_menu");
    menu_bar_->setNativeMenuBar(false);
    menu_ = build_main_menu(menu_bar_);
    for (auto& [id, action] : menu_.items) {
        (void)id;
        set_event_handlers(action, {{ClickEvent, [](QObject*, event_data&) { return false; }}});
    }
    for (auto& [id, m] : menu_.menus) {
        (void)id;
        set_event_handlers(m, {{InitMenuEvent, [this](QObject*, event_data&) { return on_menu_open(); }}});
    }
    set_event_handlers(menu_item(1008), {{ClickEvent, [this](QObject*, event_data&) {
                                              close();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1003), {{ClickEvent, [this](QObject*, event_data&) {
                                              // The open leaves a game whose links it repaired marked
                                              // as changed, so the flag is not cleared here.
                                              open_saved_game();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1005), {{ClickEvent, [this](QObject*, event_data&) {
                                              save_current_game();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1006), {{ClickEvent, [this](QObject*, event_data&) {
                                              save_game_as_command();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1075), {{ClickEvent, [this](QObject*, event_data&) {
                                              auto_save_command();
                                              return false;
                                          }}});
    menu_item(1075)->setCheckable(true);
    set_event_handlers(menu_item(1077), {{ClickEvent, [](QObject*, event_data&) {
                                              if (game_has_classes()) run_set_combat_sum_vals_form();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1079), {{ClickEvent, [](QObject*, event_data&) {
                                              run_set_scroll_jump_size_form();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1149), {{ClickEvent, [](QObject*, event_data&) {
                                              if (run_set_form_back_color_form()) save_preferences();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1151), {{ClickEvent, [](QObject*, event_data&) {
                                              run_set_default_dirs_form();
                                              return false;
                                          }}});
    for (int i = 0; i < 5; ++i)
        set_event_handlers(menu_item(1010 + i), {{ClickEvent, [this, i](QObject*, event_data&) {
                                                      recent_game_to_open = i;
                                                      open_saved_game();
                                                      recent_game_to_open = -1;
                                                      return false;
                                                  }}});
    set_event_handlers(menu_item(1016), {{ClickEvent, [](QObject*, event_data&) {
                                              edit_index = players_in_game();
                                              if (edit_index == 0)
                                                  run_player_info_form();
                                              else
                                                  run_select_player_form();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1022), {{ClickEvent, [](QObject*, event_data&) {
                                              edit_index = players_in_game();
                                              run_player_info_form();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1081), {{ClickEvent, [this](QObject*, event_data&) {
                                              log_on_as_another_player();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1131), {{ClickEvent, [](QObject*, event_data&) {
                                              run_allies_form();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1023), {{ClickEvent, [](QObject*, event_data&) {
                                              run_new_class_form(-1);
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1024), {{ClickEvent, [this](QObject*, event_data&) {
                                              add_pieces_command();
                                              end_map_operation();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1018), {{ClickEvent, [this](QObject*, event_data&) {
                                              edit_pools();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1025), {{ClickEvent, [this](QObject*, event_data&) {
                                              edit_pools(true);
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1019), {{ClickEvent, [](QObject*, event_data&) {
                                              if (edit_flip_def_hook) edit_flip_def_hook(-1);
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1017), {{ClickEvent, [](QObject*, event_data&) {
                                              edit_classes_command();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(command_facing), {{ClickEvent, [this](QObject*, event_data&) {
                                                        run_facing_options_form();
                                                        redraw_map(); // the markers may have changed
                                                        return false;
                                                    }}});
    set_event_handlers(menu_item(1020), {{ClickEvent, [this](QObject*, event_data&) {
                                              run_edit_stack_symbols_form();
                                              redraw_map(); // the stacks may have changed
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1129), {{ClickEvent, [this](QObject*, event_data&) {
                                              run_get_los_check_values_form();
                                              if (los_check.check_type > 0) set_status_text(10);
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1127), {{ClickEvent, [](QObject*, event_data&) {
                                              run_los_terrain_vals_form();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1128), {{ClickEvent, [](QObject*, event_data&) {
                                              run_los_settings_form();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1067), {{ClickEvent, [this](QObject*, event_data&) {
                                              run_status_dots_form();
                                              redraw_map(); // the dots may have changed
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1028), {{ClickEvent, [this](QObject*, event_data&) {
                                              show_all_replay();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1030), {{ClickEvent, [this](QObject*, event_data&) {
                                              edit_index = 1;
                                              run_advance_turn_form(edit_index);
                                              set_status_text(1);
                                              redraw_map();
                                              end_map_operation_hook();
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1032), {{ClickEvent, [this](QObject*, event_data&) {
                                              edit_index = 0;
                                              run_advance_turn_form(edit_index);
                                              set_status_text(1);
                                              redraw_map(); // the cleared flags change the status dots
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1033), {{ClickEvent, [this](QObject*, event_data&) {
                                              run_edit_turn_names_form();
                                              set_status_text(1);
                                              return false;
                                          }}});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu_bar_);
    layout->addWidget(ui_->client);

    status_bar_ = new QStatusBar(ui_->client);
    status_bar_->setObjectName("status_bar");
    status_bar_->setSizeGripEnabled(true);
    status_single_ = new QLabel(status_bar_);
    status_single_->setObjectName(QStringLiteral("status_single"));
    status_bar_->addWidget(status_single_, 1);
    for (int i = 0; i < 3; ++i) {
        status_panes_[i] = new QLabel(status_bar_);
        status_panes_[i]->setObjectName(QStringLiteral("status_pane_%1").arg(i));
        status_bar_->addWidget(status_panes_[i], i == 2 ? 1 : 0);
    }
    status_panes_[0]->setFixedWidth(status_pane_1_end);
    status_panes_[1]->setFixedWidth(status_pane_2_end - status_pane_1_end);

    autosave_timer_ = new QTimer(this);
    autosave_timer_->setObjectName("autosave_timer");
    set_event_handlers(autosave_timer_,
                       {{TimerEvent, [this](QObject*, event_data&) { return on_autosave_timer(); }}});

    for (const char* name : picture_button_names) {
        QToolButton* b = picture_button(name);
        b->setIcon(picture_button_icon(QString::fromLatin1(name)));
        b->setFocusPolicy(Qt::NoFocus);
        buttons_.push_back(b);
        set_event_handlers(b, {{KeyDownEvent, [this](QObject*, event_data& e) { return on_key_down(e); }}});
    }
    set_event_handlers(ui_->open_button, {{ClickEvent, [this](QObject*, event_data&) {
                                               open_saved_game();
                                               return false;
                                           }}});
    set_event_handlers(ui_->save_button, {{ClickEvent, [this](QObject*, event_data&) {
                                               save_current_game();
                                               return false;
                                           }}});
    set_event_handlers(ui_->comment_button, {{ClickEvent, [](QObject*, event_data&) {
                                                  run_add_comment_form();
                                                  game_modified = 1;
                                                  return false;
                                              }}});
    add_comment_form_hook = [] { run_add_comment_form(); };
    set_event_handlers(ui_->roll_die_button, {{ClickEvent, [](QObject*, event_data&) {
                                                   open_dice_roller(); // a roll marks the game itself
                                                   return false;
                                               }}});
    ui_->vscroll_map->setRange(0, 0);
    ui_->hscroll_map->setRange(0, 0);
    for (QScrollBar* bar : {ui_->hscroll_map, ui_->vscroll_map}) {
        const bool horizontal = bar == ui_->hscroll_map;
        // The view follows the thumb when it is let go, not while it is dragged.
        bar->setTracking(false);
        set_event_handlers(bar, {{ScrollEvent, [this, horizontal](QObject*, event_data& e) {
                                      return on_map_scroll(horizontal, e);
                                  }}});
    }
    connect_map_view(ui_->mapscreen_frame);
    set_event_handlers(ui_->mapscreen_frame, {{PaintEvent, [this](QObject*, event_data&) {
                                                   return paint_map_frame(ui_->mapscreen_frame);
                                               }}});
    connect_info_boxes(*this);
    ui_->hsplit_1->setCursor(Qt::SplitVCursor);
    ui_->vsplit_1->setCursor(Qt::SplitHCursor);
    ui_->map_border_frame->lower();
    ui_->button_frame->lower();

    set_event_handlers(ui_->client, {{ResizeEvent, [this](QObject*, event_data& e) {
                                          relayout(e.old_size, e.new_size);
                                          return false;
                                      }}});

    // Centre over the screen's work area.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }

    hook_view_commands();
    hook_map_clicks();
    create_form(); // runs on_created
    show();
}

QSize main_form::frame_size() const {
    return {ui_->client->width() + frame_extra_width, ui_->client->height() + frame_extra_height};
}

void main_form::relayout(QSize old_client, QSize new_client) {
    event_data d;
    d.id = ResizeEvent;
    d.old_size = old_client.isValid()
                     ? QSize(old_client.width() + frame_extra_width, old_client.height() + frame_extra_height)
                     : QSize(0, 0);
    d.new_size = QSize(new_client.width() + frame_extra_width, new_client.height() + frame_extra_height);
    on_resize(d);
    status_bar_->setGeometry(0, new_client.height() - status_bar_height, new_client.width(),
                             status_bar_height);
}

bool main_form::on_created() {
    main_window_handle = static_cast<quintptr>(winId());
    main_window = this;
    set_dialog_parent(this);

    set_default_dirs();
    screen_rect work_area{0, 0, 800, 600};
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect a = screen->availableGeometry();
        work_area = {a.x(), a.y(), a.width(), a.height()};
    }
    load_preferences(work_area);
    recent_game_to_open = -1;
    install_game_open_hooks();
    install_play_hooks();
    install_class_form_hooks();
    read_info_panel_size_hook = [this] {
        info_panel_height = ui_->hex_info_box->height();
        info_panel_width = ui_->hex_info_box->width();
    };

    // The stored rectangle is the framed window's; the client takes the rest.
    resize(std::max(1, preferences.window_width - frame_extra_width),
           std::max(1, preferences.window_height - frame_extra_height + menu_bar_->sizeHint().height()));
    move(preferences.window_x, preferences.window_y);

    needs_full_redraw = false;
    set_default_colour_table();

    map_cursor = make_map_cursor();
    zoom_cursor = make_zoom_cursor();
    current_map_cursor = map_cursor;
    current_frame_cursor = QCursor(Qt::ArrowCursor);
    setCursor(Qt::ArrowCursor);
    ui_->mapscreen_frame->setCursor(current_map_cursor);

    for (auto* b : {ui_->ok_button, ui_->save_button, ui_->undo_button, ui_->zoom_in_button,
                    ui_->zoom_out_button, ui_->redraw_button})
        b->setEnabled(false);
    for (auto* b : {ui_->roll_die_button, ui_->comment_button, ui_->cycle_button, ui_->new_button,
                    ui_->goto_button, ui_->ScreenShot, ui_->gen_1, ui_->gen_2, ui_->gen_3})
        b->setVisible(false);
    for (auto* b : {ui_->gen_1, ui_->gen_2, ui_->gen_3})
        b->setEnabled(false);

    for (auto& w : deck_windows)
        w = nullptr;
    for (auto& r : recent_games)
        r.clear();

    seed_random(fresh_seed());

    hide_game_menus();
    set_status_text(0);
    clear_info_panels_hook();

    // A period kept from the last run starts saving at once, as its ticked menu item says.
    autosave_timer_->setSingleShot(true);
    if (autosave_on > 0) autosave_timer_->start(autosave_period_ms());

    const std::string& line = startup_command_line;
    if (!line.empty()) {
        load_recent_games();
        char c = line[0];
        if (c >= '0' && c <= '4') {
            int index = c - '0';
            const std::string& path = recent_games[index];
            if (!path.empty() && file_exists(path)) {
                update();
                recent_game_to_open = index;
                open_saved_game();
                recent_game_to_open = -1;
            }
        }
    }
    return false;
}

bool main_form::on_close() {
    // One exit at a time: a close asked for while this one asks its questions or saves (or once
    // the game is freed) is not a second exit.
    if (closing_) return true;
    closing_ = true;
    if (game_modified) {
        if (confirm_save_current_game() == 0) {
            closing_ = false;
            return true;
        }
    }
    box_answer a =
        message_box("Confirmation", "Really want to exit?", box_buttons::ok_cancel, box_icon::question);
    if (a != box_answer::ok) {
        closing_ = false;
        close_windows(info_page_windows, 10);
        close_windows(deck_windows, 20);
        return true;
    }
    free_symbol_set();
    free_map();
    free_game();
    preferences.window_x = x();
    preferences.window_y = y();
    QSize fs = frame_size();
    preferences.window_width = fs.width();
    preferences.window_height = fs.height();
    save_preferences();
    start_front_program();
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    return false;
}

bool main_form::on_key_down(event_data& e) {
    map_just_redrawn = 0;
    if (!map_loaded() || !view_ready) return false;
    switch (e.key) {
    case Qt::Key_O:
        ok_command();
        return true;
    case Qt::Key_U:
        undo_command();
        return true;
    case Qt::Key_C:
        run_add_comment_form();
        game_modified = 1;
        return true;
    default:
        return false; // the other keys come with the menus
    }
}

bool main_form::on_resize(event_data& e) {
    const int W = e.new_size.width();
    if (W < main_form_min_width) {
        // Hold the window at its narrowest; the resize that follows lays it out.
        resize(width() + (main_form_min_width - W), height());
    }
    auto* ui = ui_.get();
    for (QWidget* w : {static_cast<QWidget*>(ui->unit_info_box), static_cast<QWidget*>(ui->hex_info_box),
                       static_cast<QWidget*>(ui->vsplit_1), static_cast<QWidget*>(ui->hsplit_1)})
        w->hide();

    main_layout_input in;
    in.old_width = e.old_size.width();
    in.old_height = e.old_size.height();
    in.new_width = W;
    in.new_height = e.new_size.height();
    in.info_panel_height = info_panel_height;
    in.info_panel_width = info_panel_width;
    in.client_width = W - frame_extra_width;
    auto rect_of = [](QWidget* w) { return layout_rect{w->x(), w->y(), w->width(), w->height()}; };
    in.unit_info_box = rect_of(ui->unit_info_box);
    in.hex_info_box = rect_of(ui->hex_info_box);
    in.mapscreen_frame = rect_of(ui->mapscreen_frame);
    in.button_frame = rect_of(ui->button_frame);
    in.vscroll_width = ui->vscroll_map->width();
    in.hscroll_height = ui->hscroll_map->height();
    main_layout_result r = compute_main_layout(in);
    info_panel_height = r.info_panel_height;
    info_panel_width = r.info_panel_width;
    apply_layout(r);
    size_info_panels(*this);

    view_width = ui->mapscreen_frame->width();
    view_height = ui->mapscreen_frame->height();
    view_resized_hook();

    if (ui->redraw_button->isEnabled() && map_loaded()) needs_full_redraw = true;
    return false;
}

void main_form::apply_layout(const main_layout_result& r) {
    auto place = [](QWidget* w, const layout_rect& g) { w->setGeometry(g.x, g.y, g.width, g.height); };
    auto* ui = ui_.get();
    place(ui->unit_info_box, r.unit_info_box);
    place(ui->hex_info_box, r.hex_info_box);
    place(ui->vsplit_1, r.vsplit_1);
    place(ui->hsplit_1, r.hsplit_1);
    place(ui->hscroll_map, r.hscroll_map);
    place(ui->vscroll_map, r.vscroll_map);
    place(ui->mapscreen_frame, r.mapscreen_frame);
    place(ui->button_frame, r.button_frame);
    place(ui->map_border_frame, r.map_border_frame);
    for (QWidget* w : {static_cast<QWidget*>(ui->unit_info_box), static_cast<QWidget*>(ui->hex_info_box),
                       static_cast<QWidget*>(ui->vsplit_1), static_cast<QWidget*>(ui->hsplit_1)})
        w->show();
}

bool main_form::on_user_event(event_data& e) {
    int v = e.user_value;
    if (v >= 100) {
        ui_->mapscreen_frame->update();
        redraw_hex_hook(v - 100);
        return false;
    }
    switch (v) {
    case 1:
        card_to_place = pending_card;
        end_map_operation_hook();
        update();
        break;
    case 3:
        update();
        break;
    case 4:
        ui_->unit_info_box->update();
        ui_->hex_info_box->update();
        break;
    case 5:
        close_windows(deck_windows, 20);
        close_windows(hand_windows, 20);
        break;
    case 10:
    case 11: {
        update();
        collect_board_cards_hook(pending_card_pool);
        QPointer<QWidget>& w = pending_card_windows[v - 10];
        if (w) {
            w->raise();
            if (auto* f = qobject_cast<form_base*>(w.data())) f->post_user_event(1);
        }
        break;
    }
    default:
        break;
    }
    return false;
}

bool main_form::on_menu_open() {
    refresh_recent_game_items();
    menu_item(1075)->setChecked(autosave_on > 0);
    refresh_play_menu_items();
    return false;
}

void main_form::refresh_recent_game_items() {
    load_recent_games();
    bool listed = true;
    for (int i = 0; i < 5; ++i) {
        QAction* item = menu_item(1010 + i);
        // The first empty entry ends the list.
        listed = listed && !recent_games[i].empty();
        item->setText(listed ? path_to_qstring(recent_games[i]) : QString());
        item->setVisible(listed);
    }
}

bool main_form::on_map_scroll(bool horizontal, event_data& e) {
    QScrollBar* bar = horizontal ? ui_->hscroll_map : ui_->vscroll_map;
    scroll_code code;
    switch (e.scroll_action) {
    case QAbstractSlider::SliderSingleStepSub:
        code = scroll_code::line_back;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        code = scroll_code::line_forward;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = scroll_code::page_back;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = scroll_code::page_forward;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = scroll_code::to_start;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = scroll_code::to_end;
        break;
    case QAbstractSlider::SliderMove:
        // A move while the thumb is held is tracking; otherwise the thumb was let go (or the
        // wheel moved it) at its new position.
        code = bar->isSliderDown() ? scroll_code::thumb_track : scroll_code::thumb_position;
        break;
    default:
        return false;
    }
    if (!map_scroll_bar_event(horizontal, code, e.scroll_value)) return false;
    if (code != scroll_code::thumb_track) set_scroll_bar_positions();
    return true;
}

void main_form::set_scroll_bars() {
    update_scroll_positions();
    ui_->hscroll_map->setRange(0, std::max(0, board->map_columns - 1));
    ui_->vscroll_map->setRange(0, std::max(0, board->map_rows - 1));
    set_scroll_bar_positions();
}

void main_form::set_scroll_bar_positions() {
    ui_->hscroll_map->setValue(scroll_pos_x);
    ui_->vscroll_map->setValue(scroll_pos_y);
}

bool main_form::on_autosave_timer() {
    write_autosave_copy(); // a failed write was reported; the next tick tries again
    if (autosave_on > 0) autosave_timer_->start(autosave_period_ms());
    return false;
}

void main_form::auto_save_command() {
    if (autosave_on == 0) {
        if (set_autosave_timer_form_hook) set_autosave_timer_form_hook();
        if (autosave_on > 0) autosave_timer_->start(autosave_period_ms());
    } else if (message_box("Auto-Save Change", "Do you really want to turn off the Auto-Save feature?",
                           box_buttons::ok_cancel, box_icon::question) == box_answer::ok) {
        autosave_on = 0;
        autosave_timer_->stop();
    }
    menu_item(1075)->setChecked(autosave_on > 0);
}

void main_form::hide_game_menus() {
    for (int id : {menu_edit, menu_new, menu_replay, menu_game, menu_info_pages, menu_printouts,
                   menu_advanced, menu_cards})
        menu_.menus.at(id)->menuAction()->setVisible(false);
    menu_item(command_facing)->setVisible(false);
    enable_save_commands(false);
}

void main_form::enable_save_commands(bool on) {
    for (int id : {1005, 1006, 1077})
        menu_item(id)->setEnabled(on);
}

void main_form::show_game_menus() {
    if (!game_loaded) {
        for (int id : {menu_edit, menu_new, menu_replay, menu_game, menu_info_pages, menu_printouts,
                       menu_advanced, menu_cards})
            menu_.menus.at(id)->menuAction()->setVisible(true);
        menu_item(command_facing)->setVisible(true);
    }
    enable_save_commands(true);
    if (game_settings_grid_display_available()) menu_item(1056)->setEnabled(true);
    menu_bar_->update();
    game_loaded = true;
}

bool main_form::open_saved_game() {
    long_operation busy;
    const bool earlier_game = map_loaded();
    show_busy_cursor(true);
    ui_->mapscreen_frame->setCursor(Qt::WaitCursor);
    const bool ok = open_game_hook ? open_game_hook() : ::open_saved_game();
    ui_->mapscreen_frame->setCursor(current_map_cursor);
    show_busy_cursor(false);
    if (!ok) return false;

    view_ready = 0;
    // The map and panels showed the game before (and its player's view): nothing of it stays
    // behind the log-on form.
    clear_map_view();
    clear_info_panels_hook();
    current_player = -1;
    // Until players log on, the game is viewed as a visitor.
    show_game_menus();
    if (!log_on_after_open(earlier_game, [this] {
            set_status_text(2);
            log_on_form_hook ? log_on_form_hook() : run_log_on_form();
        })) {
        // Nobody logged on to the game that replaced the one in memory: it goes too (the game
        // menus stay, as they do once shown).
        new_game();
        free_map();
        free_symbol_set();
        current_game_path.clear();
        current_player = -1;
        enable_save_commands(false); // nothing to save
        view_ready = 1;
        redraw_map();
        set_status_text(0);
        return false;
    }
    restore_player_view();
    show_game_buttons_and_view();
    redraw_map();
    if (!current_game_path.empty()) QDir::setCurrent(path_to_qstring(folder_of(current_game_path)));
    return true;
}

void main_form::log_on_as_another_player() {
    const int before = current_player;
    const std::uint8_t logged_before = player_logged_in;
    // Whoever sits down next must not see the map and panels of the one who leaves.
    const bitmap shown = screen_save_bitmap;
    clear_map_view();
    log_on_form_hook ? log_on_form_hook() : run_log_on_form();
    // A cancelled (or failed) log-on changes nothing: the seat stays taken as it was.
    if (current_player == -2 && player_logged_in == 0) {
        current_player = before;
        player_logged_in = logged_before;
    }
    if (current_player != before) {
        redraw_map();
        set_status_text(1);
    } else if (screen_save_canvas && !shown.is_null()) {
        screen_save_canvas->copy_bits(0, 0, shown.width(), shown.height(), shown, 0, 0, raster_op::srccopy);
        show_map_buffer();
    }
}

void main_form::show_game_buttons_and_view() {
    for (auto* b :
         {ui_->open_button, ui_->save_button, ui_->redraw_button, ui_->roll_die_button, ui_->comment_button,
          ui_->cycle_button, ui_->new_button, ui_->goto_button, ui_->ScreenShot}) {
        b->setVisible(true);
        b->setEnabled(true);
    }
    ui_->zoom_in_button->setEnabled(zoom_level < 2);
    ui_->zoom_out_button->setEnabled(zoom_level > 0);
    ui_->ok_button->setEnabled(false);
    ui_->undo_button->setEnabled(history_has_records());
    if (map_loaded()) set_scroll_bars();
    view_ready = 1;
    ui_->mapscreen_frame->update();
    set_status_text(1);
}

namespace {
// Save and Save As alike: the game-saved record goes into the file it tells of; a write that
// failed takes it back and leaves the unsaved mark as it was.
bool written_with_saved_record(const std::function<bool()>& write) {
    const std::size_t history_before = history_end_offset();
    const std::uint8_t modified_before = game_modified;
    append_game_saved_record();
    if (!write()) {
        cut_history_back(history_before);
        game_modified = modified_before;
        return false;
    }
    save_recent_games();
    game_modified = 0;
    return true;
}
} // namespace

void main_form::save_current_game() {
    long_operation busy;
    // A game that has no file yet is saved under a name the user chooses.
    if (current_game_path.empty()) {
        save_game_as_command();
        return;
    }
    store_player_view();
    if (!written_with_saved_record([] { return write_saved_game(); })) {
        // The box said which file and why; elsewhere the game may still be saved.
        if (message_box("Save Game As?",
                        "The game could not be saved to its file.\n\rDo you want to save it under another "
                        "name or in another folder?",
                        box_buttons::yes_no, box_icon::question) == box_answer::yes) {
            save_game_as_command();
            return;
        }
    }
    set_status_text(status_mode);
}

void main_form::save_game_as_command() {
    long_operation busy;
    store_player_view();
    if (!written_with_saved_record([] { return ::save_game_as(); })) return;
    set_status_text(status_mode);
}

void main_form::set_status_text(int mode) {
    status_mode = mode;
    const std::vector<std::string> texts = status_line_texts(mode, current_status_line_state(card_to_place));
    const bool panes = texts.size() == 3;
    status_single_->setVisible(!panes);
    for (int i = 0; i < 3; ++i)
        status_panes_[i]->setVisible(panes);
    if (panes)
        for (int i = 0; i < 3; ++i) {
            // The panes keep their given widths unless a text needs more: a player's name or the
            // game's is never cut.
            QLabel* pane = status_panes_[i];
            const QString text = mixed_to_qstring(texts[static_cast<std::size_t>(i)]);
            pane->setText(text);
            if (i < 2) {
                const int given = i == 0 ? status_pane_1_end : status_pane_2_end - status_pane_1_end;
                const int needed = pane->fontMetrics().horizontalAdvance(text) + 2 * pane->margin() + 8;
                pane->setFixedWidth(std::max(given, needed));
            }
        }
    else
        status_single_->setText(mixed_to_qstring(texts.empty() ? std::string() : texts[0]));
    // The caption names the open game.
    const QString title = QStringLiteral("Play Game - ZEL2");
    setWindowTitle(mode == 0 || current_game_path.empty()
                       ? title
                       : title + QStringLiteral(" - ") + path_to_qstring(file_name_of(current_game_path)));
}

QStringList main_form::status_texts() const {
    QStringList out;
    if (!status_single_->isHidden()) out << status_single_->text();
    for (QLabel* pane : status_panes_)
        if (!pane->isHidden()) out << pane->text();
    return out;
}
