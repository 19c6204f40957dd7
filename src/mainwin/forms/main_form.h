// The main window: tool buttons, map view frames, info boxes, scroll bars, menus, status bar.
#pragma once

#include "main_menu.h"
#include "mainwin/main_layout.h"
#include "mainwin/settings_files.h" // info_panel_height, info_panel_width
#include "platform/form.h"

#include <QCursor>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

namespace Ui {
class main_form;
}
class QMenu;
class QMenuBar;
class QStatusBar;
class QTimer;
class QToolButton;
class QLabel;

class main_form : public form_base {
    Q_OBJECT
public:
    explicit main_form(QWidget* parent = nullptr);
    ~main_form() override;

    // Builds the window from its template, runs the start-up work and shows it.
    bool create_window();

    // Handlers.
    bool on_created();
    bool on_close();
    bool on_key_down(event_data& e);
    bool on_resize(event_data& e);
    bool on_user_event(event_data& e);
    bool on_menu_open();
    bool on_autosave_timer();
    bool on_map_scroll(bool horizontal, event_data& e);

    // Recomputes the scroll positions and gives the bars their ranges (the board's columns and
    // rows) and positions.
    void set_scroll_bars();
    // Gives both bars the positions last computed.
    void set_scroll_bar_positions();

    void hide_game_menus();
    // Save, Save As and the combat summary values: usable only while a game is in memory.
    void enable_save_commands(bool on);
    void show_game_menus();
    bool open_saved_game();
    // Log-In as Another Player: the view is cleared while the log-on form is up.
    void log_on_as_another_player();
    void save_current_game();
    void save_game_as_command();
    void auto_save_command();
    // Refreshes the recent-game entries of the File menu from the recent-games file.
    void refresh_recent_game_items();
    // After a game was opened or started: the game's buttons, the scroll bars and the view.
    void show_game_buttons_and_view();
    void set_status_text(int mode);

    // The view commands of the tool buttons (main_form_view_commands.cpp).
    void hook_view_commands();
    void view_refresh();
    void zoom_in_command();
    void zoom_out_command();
    bool zoom_click(int x, int y);
    void set_zoom_buttons();
    // The map clicks, the Done and Undo commands and the map popup (main_form_map_clicks.cpp).
    void hook_map_clicks();
    bool map_click(int x, int y);
    bool map_right_click(int x, int y);
    void ok_command();
    void undo_command();
    // Add Pieces (menu, hammer, OK in placing mode): a group of pieces for the next map clicks.
    void add_pieces_command();
    // Edit Pools and New Force Pool: the pool editor; its Place Now leaves the map placing the
    // listed pieces (operation mode 6). And a click in that mode, and its stop.
    void edit_pools(bool new_pool = false);
    void pool_mode_click(std::int32_t hex);
    void stop_pool_placement();
    // Show All: the whole history in the replay player, then the question whether to clear it.
    void show_all_replay();
    // A click in the line-of-sight modes (7 spotter wanted, 8 area, 9 target wanted), and the
    // single check once both hexes are chosen.
    void los_mode_click(std::int32_t hex);
    void run_single_check();
    // Brings the tool buttons and the status line in line with the game and operation_mode.
    void end_map_operation();
    QMenu* map_popup_menu() const { return map_popup_; }
    // The reveal and combat items of the Advanced and Preferences menus, as the menu opens.
    void refresh_play_menu_items();
    // Puts the mouse pointer on the middle of a hex that is on the screen.
    void move_pointer_to_hex(std::int32_t hex);
    // The map popup for a hex, prepared as it would be shown.
    void prepare_map_popup(std::int32_t hex);
    // The texts the status line shows, pane by pane.
    QStringList status_texts() const;

    // The size of the window as a framed window reports it (the layout's terms).
    QSize frame_size() const;
    void apply_layout(const main_layout_result& r);

    Ui::main_form& controls() { return *ui_; }
    QToolButton* picture_button(const char* name) const;
    QAction* menu_item(int id) const;
    QStatusBar* status_bar() const { return status_bar_; }
    QTimer* autosave_timer() const { return autosave_timer_; }
    const built_menu& menu() const { return menu_; }

    bool needs_full_redraw = false;
    bool game_loaded = false;
    int card_to_place = -1;
    int status_mode = 0;

protected:
    void reject() override {} // Escape is a key for the map, not a way to close the window

private:
    void generated_setup();
    void relayout(QSize old_client, QSize new_client);

    std::unique_ptr<Ui::main_form> ui_;
    QMenuBar* menu_bar_ = nullptr;
    QStatusBar* status_bar_ = nullptr;
    QLabel* status_panes_[3] = {};    // mode 1
    QLabel* status_single_ = nullptr; // every other mode
    QTimer* autosave_timer_ = nullptr;
    built_menu menu_;
    std::vector<QToolButton*> buttons_;
    bool closing_ = false; // on_close is at work, or the window was let go
    QMenu* map_popup_ = nullptr;
    std::int32_t popup_hex_ = -1;
    QPoint popup_point_;
};

// Something to undo: a history whose header snapshot is followed by a record.
bool history_has_records();

// The one main window (null before start and after end) and the parent of every dialog.
extern main_form* main_form_instance;
extern main_form* main_window;
extern quintptr main_window_handle;

extern int recent_game_to_open; // 0..4, or -1 = ask with the file chooser
extern QCursor map_cursor, zoom_cursor, current_map_cursor, current_frame_cursor;
extern QPointer<QWidget> deck_windows[20];
extern QPointer<QWidget> hand_windows[20];
extern QPointer<QWidget> info_page_windows[10];

// When set, runs instead of the open driver (tests that only watch what the window asks for).
extern std::function<bool()> open_game_hook;

// Frame sizes around the client area, as a framed window of the original layout has them.
constexpr int frame_extra_width = 8;
constexpr int frame_extra_height = 51;
constexpr int status_bar_height = 16;
