// The map's left and right clicks by operation mode, the Done and Undo commands, the map popup
// and the tool buttons' states after an operation.
#include "main_form.h"
#include "map_hooks.h"

#include "ui_main_form.h"

#include "data/board.h"
#include "data/command_state.h"
#include "data/dialog_globals.h"
#include "data/game_settings.h"
#include "data/hooks.h"
#include "data/los_settings.h"
#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/view_state.h"
#include "history/undo.h"
#include "los/forms/show_los_xsection_form.h"
#include "los/los_engine.h"
#include "mainwin/info_panel.h"
#include "mainwin/los_checks.h"
#include "mainwin/map_draw.h"
#include "mainwin/settings_files.h"
#include "mainwin/sounds.h"
#include "mainwin/view_geometry.h"
#include "platform/app_services.h"
#include "platform/boxes.h"
#include "play/forms/advance_turn_form.h"
#include "play/forms/edit_pool_form.h"
#include "play/forms/replay_forms.h"
#include "play/forms/unitactions.h"
#include "play/los_reveal.h"
#include "play/movement.h"
#include "play/piece_actions.h"
#include "play/placement.h"
#include "play/pools.h"
#include "play/removal.h"
#include "play/reveal.h"
#include "players/visibility.h"

#include <QCursor>
#include <QMenu>
#include <QToolButton>

bool history_has_records() {
    const auto& h = game->history_stream;
    if (h.size() < 2 || h[0] == 0xFE) return false;
    const std::size_t header = 2 + 5 * (std::size_t{h[0]} * 250 + h[1]) + 2;
    return header < h.size() && h[header] != 0xFE;
}

namespace {

// The group last chosen for placing: the right button's Place Pieces places it again.
std::vector<placement_entry> last_placement;

bool on_board(std::int32_t hex) {
    return map_loaded() && hex >= 0 && hex < board->hex_count;
}

bool game_has_pieces() {
    return !game->piece_array.empty();
}

// The pieces of a hex the current player may see at all, in array order.
std::vector<std::int32_t> visible_pieces_in(std::int32_t hex) {
    std::vector<std::int32_t> pieces;
    const int end = std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
    for (int i = 0; i < end; ++i) {
        const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
        if (p.location == hex && !p.in_pool() && get_piece_visibility(i) != visibility_none)
            pieces.push_back(i);
    }
    return pieces;
}

enum popup_item {
    popup_move_all = 10000,
    popup_remove_all,
    popup_add,
    popup_flip_all,
    popup_zoom_in = 10005,
    popup_zoom_out,
    popup_redraw,
    popup_single_los = 10009,
    popup_area_los
};

} // namespace

void main_form::hook_map_clicks() {
    set_event_handlers(controls().mapscreen_frame, {{MouseDownEvent, [this](QObject*, event_data& e) {
                                                         if (e.button == Qt::LeftButton)
                                                             return map_click(e.pos.x(), e.pos.y());
                                                         if (e.button == Qt::RightButton)
                                                             return map_right_click(e.pos.x(), e.pos.y());
                                                         return false;
                                                     }}});
    set_event_handlers(controls().ok_button, {{ClickEvent, [this](QObject*, event_data&) {
                                                   ok_command();
                                                   return false;
                                               }}});
    set_event_handlers(controls().undo_button, {{ClickEvent, [this](QObject*, event_data&) {
                                                     undo_command();
                                                     return false;
                                                 }}});

    // The reveal and combat options of the Advanced and Preferences menus.
    set_event_handlers(menu_item(1120), {{ClickEvent, [](QObject*, event_data&) {
                                              show_busy_cursor(true);
                                              run_los_auto_reveal();
                                              show_busy_cursor(false);
                                              return false;
                                          }}});
    set_event_handlers(menu_item(1119), {{ClickEvent, [](QObject*, event_data&) {
                                              run_range_auto_reveal();
                                              game_modified = 1;
                                              return false;
                                          }}});
    for (const auto& item : {std::pair{1121, &game_settings.auto_reveal_moving_range},
                             std::pair{1122, &game_settings.auto_reveal_moving_los},
                             std::pair{1123, &game_settings.reveal_during_combat}})
        set_event_handlers(menu_item(item.first), {{ClickEvent, [flag = item.second](QObject*, event_data&) {
                                                        *flag = *flag ? 0 : 1;
                                                        game_modified = 1;
                                                        return false;
                                                    }}});
    set_event_handlers(menu_item(1145), {{ClickEvent, [](QObject*, event_data&) {
                                              combat_options ^= 2;
                                              save_preferences();
                                              return false;
                                          }}});

    map_popup_ = new QMenu(this);
    map_popup_->setObjectName("ID_main_form_rmb_options");
    const std::pair<int, const char*> items[] = {{popup_move_all, "Move All Pieces"},
                                                 {popup_remove_all, "Remove All Pieces"},
                                                 {popup_add, "Add Pieces"},
                                                 {popup_flip_all, "Flip All Pieces"},
                                                 {0, nullptr},
                                                 {popup_zoom_in, "Zoom In"},
                                                 {popup_zoom_out, "Zoom Out"},
                                                 {popup_redraw, "Redraw Map/Board"},
                                                 {0, nullptr},
                                                 {popup_single_los, "Single LOS "},
                                                 {popup_area_los, "Area LOS Check"}};
    for (auto [id, text] : items) {
        if (!text) {
            map_popup_->addSeparator();
            continue;
        }
        map_popup_->addAction(text)->setData(id);
    }
    connect(map_popup_, &QMenu::triggered, this, [this](QAction* a) {
        const int id = a->data().toInt();
        const std::int32_t hex = popup_hex_;
        switch (id) {
        case popup_move_all: {
            if (!on_board(hex)) break;
            const auto pieces = visible_pieces_in(hex);
            if (take_up_for_move(pieces) > 0) {
                move_path[0] = location_end;
                redraw_hex(hex);
            }
            break;
        }
        case popup_add:
            if (on_board(hex)) {
                place_new_pieces(hex, false);
                redraw_hex(hex);
            }
            break;
        case popup_remove_all:
            if (on_board(hex)) {
                remove_pieces_from_board(visible_pieces_in(hex));
                redraw_hex(hex);
            }
            break;
        case popup_flip_all:
            if (on_board(hex)) {
                // Every piece standing there, whatever the player may see of it.
                std::vector<std::int32_t> all;
                const int end =
                    std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
                for (int i = 0; i < end; ++i)
                    if (game->piece_array[static_cast<std::size_t>(i)].location == hex &&
                        !game->piece_array[static_cast<std::size_t>(i)].in_pool())
                        all.push_back(i);
                if (flip_pieces_hook) flip_pieces_hook(all, true);
                redraw_hex(hex);
            }
            break;
        case popup_zoom_in:
            zoom_in_command();
            zoom_click(popup_point_.x(), popup_point_.y());
            break;
        case popup_zoom_out:
            zoom_out_command();
            break;
        case popup_redraw:
            view_refresh();
            break;
        default:
            if (on_board(hex) && map_popup_item_hook) map_popup_item_hook(id, hex);
            break;
        }
        end_map_operation();
    });
}

void main_form::refresh_play_menu_items() {
    menu_item(1145)->setCheckable(true);
    menu_item(1145)->setChecked((combat_options & 2) != 0);
    if (!game_has_pieces() || game->class_array.empty() || !view_ready) return;
    const bool hidden = game_uses_hidden_pieces();
    auto toggle = [&](int id, bool enabled, std::uint8_t flag, const char* text) {
        QAction* a = menu_item(id);
        a->setEnabled(enabled);
        a->setCheckable(true);
        a->setChecked(flag != 0);
        a->setText(QString(text) + (flag ? ": ON" : ": OFF"));
    };
    menu_item(1119)->setEnabled(hidden);
    if (hidden) {
        toggle(1121, true, game_settings.auto_reveal_moving_range, "Auto-Reveal When &Moving (Range)");
        toggle(1123, true, game_settings.reveal_during_combat, "Auto-Reveal &During Combat");
    } else {
        menu_item(1121)->setEnabled(false);
        menu_item(1123)->setEnabled(false);
    }
    toggle(1122, game_settings.use_elevations != 0, game_settings.auto_reveal_moving_los,
           "Auto-Reveal When Moving (L&OS)");
    menu_item(1120)->setEnabled(game_settings.use_elevations != 0);
}

void main_form::prepare_map_popup(std::int32_t hex) {
    popup_hex_ = hex;
    const bool pieces = on_board(hex) && !visible_pieces_in(hex).empty();
    for (QAction* a : map_popup_->actions()) {
        switch (a->data().toInt()) {
        case popup_move_all:
        case popup_remove_all:
        case popup_flip_all:
            a->setEnabled(pieces);
            break;
        case popup_single_los:
        case popup_area_los:
            a->setEnabled(game_settings.use_elevations != 0);
            break;
        case popup_zoom_out:
            a->setEnabled(zoom_level > 0);
            break;
        case popup_zoom_in:
            a->setEnabled(zoom_level < 2);
            break;
        default:
            break;
        }
    }
}

bool main_form::map_click(int x, int y) {
    map_just_redrawn = 0;
    map_mouse_x = x;
    map_mouse_y = y;
    if (operation_mode == 1) return zoom_click(x, y);
    const std::int32_t hex = point_to_hex(x, y);
    clicked_hex = hex;
    if (!on_board(hex)) return false;
    switch (operation_mode) {
    case 2:
        if (add_path_step(hex)) {
            controls().ok_button->setEnabled(true);
            controls().undo_button->setEnabled(true);
        }
        return false;
    case 4:
        // The group chosen goes onto each hex clicked.
        if (create_placement_pieces(hex, false) > 0) {
            redraw_hex(hex);
            controls().ok_button->setEnabled(true);
            if (place_again_after_placing) ok_command();
        }
        return false;
    case 6:
        pool_mode_click(hex);
        return false;
    case 7:
    case 8:
    case 9:
        los_mode_click(hex);
        return false;
    case 10:
    case 11:
        if (map_mode_click_hook) map_mode_click_hook(operation_mode, hex);
        return false;
    default:
        break;
    }
    if (!game_has_pieces()) return false;
    if (count_cards_in_hex(hex) > 0) {
        if (card_popup_hook) card_popup_hook(hex);
    } else {
        open_piece_actions(hex);
    }
    if (operation_mode == 2) {
        controls().ok_button->setEnabled(true);
        controls().undo_button->setEnabled(false);
        set_status_text(5);
    } else if (operation_mode == 3) {
        controls().ok_button->setEnabled(true);
        controls().undo_button->setEnabled(attacker_list[0] != -1 || defender_list[0] != -1);
        set_status_text(6);
    }
    redraw_hex(hex);
    return false;
}

bool main_form::map_right_click(int x, int y) {
    map_just_redrawn = 0;
    map_mouse_x = x;
    map_mouse_y = y;
    const std::int32_t hex = point_to_hex(x, y);
    if (operation_mode == 2 || operation_mode == 3) {
        if (operation_mode == 2 && path_step_count() == 0 && on_board(hex)) add_path_step(hex);
        ok_command();
        return false;
    }
    auto popup = [&] {
        prepare_map_popup(hex);
        popup_point_ = QPoint(x, y);
        map_popup_->popup(controls().mapscreen_frame->mapToGlobal(QPoint(x, y)));
    };
    switch (rmb_mode) {
    case 1: {
        if (!on_board(hex)) {
            popup();
            break;
        }
        // The first piece of the hex the player may see.
        std::vector<std::int32_t> first;
        const int end = std::min<int>(game->piece_end_index, static_cast<int>(game->piece_array.size()));
        for (int i = 0; i < end && first.empty(); ++i) {
            const piece_struct& p = game->piece_array[static_cast<std::size_t>(i)];
            if (p.location == hex && !p.in_pool() && get_piece_visibility(i) != visibility_none)
                first.push_back(i);
        }
        if (first.empty()) {
            popup();
            break;
        }
        take_up_for_move(first);
        move_path[0] = location_end;
        redraw_hex(hex);
        end_map_operation();
        break;
    }
    case 2:
        if (zoom_level >= 2) {
            zoom_out_command();
        } else {
            zoom_in_command();
            zoom_click(x, y);
        }
        break;
    case 3:
    case 4:
        if (!game_settings.use_elevations) {
            popup();
            break;
        }
        // The running operation ends before a line of sight check takes the clicks.
        if (operation_mode == 4 || operation_mode == 6 || operation_mode == 10 || operation_mode == 11) {
            operation_mode = 0;
            end_map_operation();
        }
        if (!on_board(hex)) break;
        if (rmb_mode == 3) {
            if (operation_mode == 9 && los_check.spotter_hex >= 0) {
                const std::int32_t old = los_check.spotter_hex;
                los_check.spotter_hex = -1;
                redraw_hex(old);
            }
            operation_mode = 7;
            los_check.check_type = 1;
        } else {
            operation_mode = 8;
            los_check.check_type = 2;
        }
        los_mode_click(hex);
        break;
    case 5:
        view_refresh();
        break;
    case 6:
        // The last group chosen, once more, at this hex.
        if (on_board(hex) && !last_placement.empty()) {
            placement_list = last_placement;
            create_placement_pieces(hex, false);
            placement_list.clear();
            redraw_hex(hex);
        }
        if (on_board(hex) && right_button_mode_hook) right_button_mode_hook(rmb_mode, hex);
        break;
    default:
        popup();
        break;
    }
    return false;
}

void main_form::ok_command() {
    map_just_redrawn = 0;
    if (operation_mode == 2) {
        finish_move();
        ui_->unit_info_box->update();
    } else if (operation_mode == 3) {
        if (resolve_combat()) game_modified = 1;
    } else if (operation_mode == 4) {
        ui_->ok_button->setEnabled(false);
        add_pieces_command();
        return;
    }
    operation_mode = 0;
    move_path[0] = location_end;
    selected_pieces[0] = -1;
    attacker_list[0] = -1;
    defender_list[0] = -1;
    combat_click_side = 0;
    combat_last_added = 0;
    ui_->ok_button->setEnabled(false);
    end_map_operation();
    set_status_text(1);
}

void main_form::undo_command() {
    map_just_redrawn = 0;
    if (operation_mode == 2) {
        play_delete_sound();
        undo_path_step();
        if (path_step_count() == 0) ui_->undo_button->setEnabled(false);
    } else if (operation_mode == 3) {
        play_delete_sound();
        undo_combat_selection();
        if (attacker_list[0] == -1 && defender_list[0] == -1) {
            operation_mode = 0;
            end_map_operation();
        }
    } else {
        play_delete_sound();
        undo_last_action();
        end_map_operation();
    }
}

void main_form::end_map_operation() {
    if (!map_loaded() || !game_has_pieces()) return;
    auto& ui = *ui_;
    ui.open_button->setEnabled(true);
    ui.save_button->setEnabled(true);
    set_zoom_buttons();
    for (QToolButton* b : {ui.roll_die_button, ui.comment_button, ui.cycle_button, ui.new_button,
                           ui.goto_button, ui.ScreenShot, ui.undo_button, ui.ok_button})
        b->setEnabled(true);
    switch (operation_mode) {
    case 0:
        ui.undo_button->setEnabled(history_has_records());
        ui.ok_button->setEnabled(false);
        set_status_text(1);
        break;
    case 1:
        ui.ok_button->setEnabled(false);
        set_status_text(4);
        break;
    case 2:
        ui.undo_button->setEnabled(path_step_count() > 0);
        set_status_text(5);
        break;
    case 3:
        ui.undo_button->setEnabled(selected_pieces[0] != -1);
        set_status_text(6);
        break;
    case 6:
        ui.gen_1->setVisible(false);
        ui.gen_2->setVisible(false);
        ui.gen_3->setVisible(true);
        ui.gen_3->setEnabled(true);
        for (QToolButton* b : {ui.cycle_button, ui.new_button, ui.ok_button, ui.undo_button})
            b->setEnabled(false);
        set_status_text(7);
        break;
    case 10:
    case 11:
        for (QToolButton* b :
             {ui.undo_button, ui.ok_button, ui.zoom_in_button, ui.cycle_button, ui.new_button})
            b->setEnabled(false);
        set_status_text(operation_mode == 10 ? 13 : 14);
        break;
    default:
        break;
    }
}

void main_form::move_pointer_to_hex(std::int32_t hex) {
    if (!on_board(hex)) return;
    set_hex_screen_pos(hex);
    const int s = symbols->hex_size_by_zoom[std::clamp(zoom_level, 0, 2)];
    QCursor::setPos(
        controls().mapscreen_frame->mapToGlobal(QPoint(hex_screen_x + s / 2, hex_screen_y + s / 2)));
}

void main_form::edit_pools(bool new_pool) {
    const std::int32_t before = operation_mode;
    run_edit_pool_form(new_pool);
    // Closed without pieces to place: no pool placement goes on.
    if (operation_mode == 6 && placement_list.empty()) operation_mode = 0;
    if (operation_mode == 6 || operation_mode != before) end_map_operation();
}

void main_form::pool_mode_click(std::int32_t hex) {
    const int pool = pool_preselection;
    if (place_listed_pool_pieces(hex) > 0) redraw_hex(hex);
    placement_list.clear();
    if (!pool_holds_pieces(pool)) {
        operation_mode = 0;
        end_map_operation();
    }
    edit_pools();
}

void main_form::stop_pool_placement() {
    placement_list.clear();
    operation_mode = 0;
    end_map_operation();
    edit_pools();
}

void main_form::los_mode_click(std::int32_t hex) {
    if (!on_board(hex)) return;
    if (operation_mode == 8) {
        los_check.spotter_hex = los_check.target_hex = hex;
        redraw_hex(hex);
        run_area_los_check();
        wait_ms(500);
        if (message_box("Check Another LOS?", "Would you like to check another area LOS?",
                        box_buttons::yes_no, box_icon::question) == box_answer::no &&
            los_check.check_type > 0)
            los_check.check_type = -los_check.check_type;
        if (los_check.check_type < 0) {
            operation_mode = 0;
            redraw_hex(hex);
            set_status_text(1);
        } else {
            set_status_text(10);
        }
        return;
    }
    if (operation_mode == 7)
        los_check.spotter_hex = hex;
    else
        los_check.target_hex = hex;
    redraw_hex(hex);
    if (los_check.spotter_hex < 0 || los_check.target_hex < 0) {
        operation_mode = los_check.spotter_hex < 0 ? 7 : 9;
        set_status_text(10);
        return;
    }
    run_single_check();
}

void main_form::run_single_check() {
    const std::int32_t spotter = los_check.spotter_hex, target = los_check.target_hex;
    check_line_of_sight(spotter, target, los_check.spotter_height, los_check.target_height, false, true);
    const int choice = run_show_los_xsection_form();
    // The hexes as clicked, whatever order the check drew them in.
    los_check.spotter_hex = spotter;
    los_check.target_hex = target;
    if (choice == 2 || choice == 6) {
        los_check.target_hex = -1;
        redraw_hex(target);
    }
    if (choice == 4 || choice == 6) {
        los_check.spotter_hex = -1;
        redraw_hex(spotter);
    }
    if (choice == 2) {
        operation_mode = 9;
        set_status_text(10);
        return;
    }
    if (choice == 4 || choice == 6) {
        operation_mode = 7;
        set_status_text(10);
        return;
    }
    los_check.spotter_hex = los_check.target_hex = -1;
    redraw_hex(spotter);
    redraw_hex(target);
    if (los_check.check_type > 0) los_check.check_type = -los_check.check_type;
    operation_mode = 0;
    end_map_operation();
}

void main_form::show_all_replay() {
    auto& ui = *ui_;
    const std::vector<QToolButton*> buttons = {
        ui.open_button,     ui.save_button,    ui.zoom_in_button, ui.zoom_out_button, ui.redraw_button,
        ui.roll_die_button, ui.comment_button, ui.cycle_button,   ui.undo_button,     ui.new_button,
        ui.goto_button,     ui.ScreenShot,     ui.ok_button};
    for (QToolButton* b : buttons)
        b->setEnabled(false);
    view_replay();
    if (message_box(
            "Further Actions",
            "Do you want to clear the replay and/or reset \n\rpiece flags, or adjust the current turn?",
            box_buttons::yes_no, box_icon::question) == box_answer::yes) {
        edit_index = 1;
        run_advance_turn_form(edit_index);
    }
    set_status_text(1);
    for (QToolButton* b : buttons)
        b->setEnabled(true);
    end_map_operation();
}

void main_form::add_pieces_command() {
    if (!classes_to_place()) return;
    operation_mode = 4;
    placement_target = 63000;
    placement_pool = -1;
    placement_list.clear();
    if (placement_form_hook) placement_form_hook();
    if (!placement_list.empty()) {
        last_placement = placement_list;
        ui_->ok_button->setEnabled(true);
        set_status_text(8);
    } else {
        operation_mode = 0;
        set_status_text(1);
    }
}
