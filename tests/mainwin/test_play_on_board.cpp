// Play on the demo board through the real window: a click opens the piece actions, Move and a
// path of clicks with Done moves, Attack and Defend with Done resolve a combat.
#include "test_support.h"
#include "window_fixture.h"

#include "data/command_state.h"
#include "data/game_settings.h"
#include "data/history_records.h"
#include "data/los_settings.h"
#include "data/options.h"
#include "data/view_state.h"
#include "los/forms/get_los_check_values_form.h"
#include "los/forms/show_los_xsection_form.h"
#include "los/los_engine.h"
#include "mainwin/colour_table.h"
#include "mainwin/forms/edit_text_form.h"
#include "mainwin/forms/map_hooks.h"
#include "mainwin/los_checks.h"
#include "mainwin/map_draw.h"
#include "mainwin/view_geometry.h"
#include "play/forms/RollDiceForm.h"
#include "play/forms/combat_summary_form.h"
#include "play/forms/edit_pool_form.h"
#include "play/forms/get_units_to_place_form.h"
#include "play/forms/unitactions.h"
#include "play/movement.h"
#include "play/pools.h"
#include "players/modal_driver.h"
#include "ui_main_form.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class play_on_board_test : public main_window_test {
protected:
    void SetUp() override {
        main_window_test::SetUp();
        put_demo_first_in_recent_games();
        form = make_form("0");
        form->resize(900, 640);
        QCoreApplication::processEvents();
        ASSERT_TRUE(map_loaded());
        piece_actions_form_hook = nullptr; // the real form
        saved_combat_options = combat_options;
    }
    void TearDown() override {
        form.reset();
        combat_options = saved_combat_options;
        reset_command_state();
        main_window_test::TearDown();
    }
    static std::int32_t hex(int column, int row) { return row * board->map_columns + column; }
    void click(std::int32_t h, Qt::MouseButton button = Qt::LeftButton) {
        bring_hex_into_view(h);
        QCoreApplication::processEvents();
        int x = 0, y = 0;
        hex_to_screen_xy(h, x, y);
        const QPoint at(x + cell_width() / 2, y + cell_height() / 2);
        ASSERT_EQ(point_to_hex(at.x(), at.y()), h);
        QTest::mouseClick(form->controls().mapscreen_frame, button, {}, at);
    }
    // The next piece actions form presses one of its buttons with every row marked.
    static void press_in_piece_actions(const char* button, std::vector<int>* rows_seen = nullptr) {
        when_modal<unitactions>([button, rows_seen](unitactions& f) {
            f.accept_clicks();
            if (rows_seen)
                for (const action_row& r : f.rows())
                    rows_seen->push_back(r.piece);
            QToolButton* b = f.button(button);
            if (b && b->isEnabled())
                b->click();
            else
                f.reject();
        });
    }
    std::vector<int> history_codes() const {
        std::vector<int> v;
        if (auto records = walk_history(game->history_stream))
            for (const auto& r : *records)
                v.push_back(r.code);
        return v;
    }
    std::unique_ptr<main_form> form;
    std::uint8_t saved_combat_options = 2;
};

// The piece of that name.
std::int32_t piece_named(const std::string& name) {
    for (std::size_t i = 0; i < game->piece_array.size(); ++i)
        if (name_of(game->piece_array[i].name) == name) return static_cast<std::int32_t>(i);
    return -1;
}
std::vector<std::string> rows_of(QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        out.push_back(list->item(i)->text().toStdString());
    return out;
}
// The next edit_text_form takes this text and OK.
void next_text_entry(const std::string& text) {
    when_modal<edit_text_form>([text](edit_text_form& f) {
        f.text_box()->setText(QString::fromStdString(text));
        f.ok_button()->click();
    });
}

TEST_F(play_on_board_test, move_along_a_path_of_clicks_with_undo_and_done) {
    // "1st Rifles" stands alone at column 5, row 5.
    const std::int32_t start = hex(5, 5);
    std::vector<int> rows;
    press_in_piece_actions("move_button", &rows);
    click(start);
    ASSERT_EQ(rows.size(), 1u);
    const int piece = rows[0];
    EXPECT_EQ(name_of(game->piece_array[static_cast<std::size_t>(piece)].name), "1st Rifles");
    ASSERT_EQ(operation_mode, 2);
    EXPECT_EQ(selected_pieces[0], piece);
    auto& ui = form->controls();
    EXPECT_TRUE(ui.ok_button->isEnabled());
    EXPECT_FALSE(ui.undo_button->isEnabled()) << "no step yet";

    const std::size_t codes_before = history_codes().size();
    click(hex(6, 5));
    click(hex(7, 5));
    click(hex(9, 5));
    EXPECT_TRUE(ui.undo_button->isEnabled());
    ui.undo_button->click(); // takes back the last step only
    EXPECT_EQ(move_path[2], location_end);
    click(hex(8, 5));
    ASSERT_EQ(move_path[2], hex(8, 5));

    int ex = 0, ey = 0;
    hex_to_screen_xy(hex(8, 5), ex, ey);
    const colour_rgb end_centre_before =
        pixel_of(screen_save_bitmap, ex + cell_width() / 2, ey + cell_height() / 2);
    ui.ok_button->click();
    EXPECT_EQ(operation_mode, 0);
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(piece)].location, hex(8, 5));
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(start)], 0);
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(8, 5))], 1);
    EXPECT_EQ(game_modified, 1);
    const auto codes = history_codes();
    ASSERT_EQ(codes.size(), codes_before + 1);
    EXPECT_EQ(codes.back(), history_code_move);
    EXPECT_FALSE(ui.ok_button->isEnabled());
    // The piece now shows in its new hex.
    QCoreApplication::processEvents();
    EXPECT_NE(pixel_of(screen_save_bitmap, ex + cell_width() / 2, ey + cell_height() / 2), end_centre_before);
    form->grab().save(QString::fromStdString(screenshot_path("moved.png")));

    // A whole path taken back: Undo (here the U key) at every step, then nothing to move.
    press_in_piece_actions("move_button");
    click(hex(8, 5));
    click(hex(9, 6));
    QTest::keyClick(ui.mapscreen_frame, Qt::Key_U);
    EXPECT_EQ(move_path[0], location_end);
    EXPECT_FALSE(ui.undo_button->isEnabled());
    ui.undo_button->click(); // nothing left: nothing happens
    QTest::keyClick(ui.mapscreen_frame, Qt::Key_O);
    EXPECT_EQ(operation_mode, 0) << "O is Done";
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(piece)].location, hex(8, 5));
    EXPECT_EQ(history_codes().size(), codes_before + 1);
}

TEST_F(play_on_board_test, attack_from_two_hexes_against_one_with_summary_and_dice) {
    game_settings.combat_summary_class_mask = 1;
    combat_options = 2; // roll dice after the combat
    std::vector<int> a1, a2, d;
    press_in_piece_actions("attack_button", &a1);
    click(hex(5, 5));
    press_in_piece_actions("attack_button", &a2);
    click(hex(8, 7)); // "2nd Rifles", moved there in the demo's history
    press_in_piece_actions("defend_button", &d);
    click(hex(22, 8));
    ASSERT_EQ(operation_mode, 3);
    ASSERT_EQ(a1.size() + a2.size(), 2u);
    ASSERT_EQ(d.size(), 1u);
    auto& ui = form->controls();
    EXPECT_TRUE(ui.undo_button->isEnabled());

    // Undo of the last click takes the defender back; Defend again.
    ui.undo_button->click();
    EXPECT_EQ(defender_list[0], -1);
    EXPECT_EQ(operation_mode, 3) << "the attackers remain";
    press_in_piece_actions("defend_button");
    click(hex(22, 8));

    std::vector<std::string> seen;
    QString attack_text;
    int rows = 0;
    QString first_row;
    when_modal<combat_summary_form>([&](combat_summary_form& f) {
        seen.push_back("summary");
        attack_text = f.a_text()->text();
        rows = f.list()->topLevelItemCount();
        if (rows > 0) first_row = f.list()->topLevelItem(0)->text(0);
        f.accept();
    });
    when_modal<RollDiceForm>([&](RollDiceForm& f) {
        seen.push_back("dice");
        f.reject();
    });
    ui.ok_button->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"summary", "dice"}));
    EXPECT_EQ(attack_text, "2 Attacking Pieces in 2 Hexes");
    EXPECT_EQ(rows, 2) << "the class value's row and the blank row after the class rows";
    EXPECT_TRUE(first_row.endsWith(" (C)")) << first_row.toStdString();
    const auto codes = history_codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_NE(std::find(codes.begin(), codes.end(), history_code_combat), codes.end());
    for (int p : a1)
        EXPECT_TRUE(game->piece_array[static_cast<std::size_t>(p)].flags & piece_flag_attacked);
    EXPECT_TRUE(game->piece_array[static_cast<std::size_t>(d[0])].flags & piece_flag_defended);
    EXPECT_EQ(operation_mode, 0);

    // A combat taken back whole: attack, then Undo twice (the click, then everything).
    press_in_piece_actions("attack_button");
    click(hex(5, 5));
    ui.undo_button->click();
    EXPECT_EQ(attacker_list[0], -1);
    EXPECT_EQ(operation_mode, 0) << "both lists empty: the combat ends";
}

TEST_F(play_on_board_test, the_right_button_finishes_a_move_and_follows_its_mode) {
    press_in_piece_actions("move_button");
    click(hex(5, 5));
    ASSERT_EQ(operation_mode, 2);
    // With an empty path the right-clicked hex is the only step, and the move is done.
    click(hex(7, 7), Qt::RightButton);
    EXPECT_EQ(operation_mode, 0);
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(7, 7))], 1);

    // Move Pieces: the hex's first piece is taken up.
    rmb_mode = 1;
    click(hex(7, 7), Qt::RightButton);
    EXPECT_EQ(operation_mode, 2);
    EXPECT_NE(selected_pieces[0], -1);
    form->controls().ok_button->click(); // no step: nothing moves
    EXPECT_EQ(operation_mode, 0);
    // Zoom: in at the pointer, out at the largest zoom.
    rmb_mode = 2;
    zoom_level = 1;
    click(hex(7, 7), Qt::RightButton);
    EXPECT_EQ(zoom_level, 2);
    click(hex(7, 7), Qt::RightButton);
    EXPECT_EQ(zoom_level, 1);
    // The popup for Normal, for the LOS modes without elevations and for unknown modes; Redraw
    // redraws; Place Pieces and the LOS modes with elevations go to their operations.
    std::vector<std::pair<int, std::int32_t>> handed_on;
    right_button_mode_hook = [&](int mode, std::int32_t h) { handed_on.emplace_back(mode, h); };
    struct row {
        int mode;
        bool elevations, popup;
    };
    const row table[] = {{0, false, true},  {3, false, true},  {4, false, true}, {9, false, true},
                         {5, false, false}, {6, false, false}, {3, true, false}, {4, true, false}};
    for (const row& r : table) {
        SCOPED_TRACE(r.mode);
        rmb_mode = static_cast<std::uint8_t>(r.mode);
        game_settings.use_elevations = r.elevations ? 1 : 0;
        handed_on.clear();
        click(hex(7, 7), Qt::RightButton);
        EXPECT_EQ(form->map_popup_menu()->isVisible(), r.popup);
        form->map_popup_menu()->hide();
        const bool expect_handed = r.mode == 6;
        ASSERT_EQ(handed_on.size(), expect_handed ? 1u : 0u);
        if (expect_handed) {
            EXPECT_EQ(handed_on[0], std::make_pair(r.mode, hex(7, 7)));
        }
        // The LOS modes start their checks at the hex: a single check waits for its target,
        // an area check runs and asks for another.
        if (r.elevations && r.mode == 3) {
            EXPECT_EQ(operation_mode, 9);
            EXPECT_EQ(los_check.spotter_hex, hex(7, 7));
        }
        if (r.elevations && r.mode == 4) {
            EXPECT_TRUE(responder.saw("Check Another LOS?"));
        }
        operation_mode = 0;
        los_check = los_check_struct{};
        EXPECT_EQ(view_ready, 1);
    }
    right_button_mode_hook = nullptr;
    game_settings.use_elevations = 0;
    rmb_mode = 0;
}

TEST_F(play_on_board_test, the_reveal_and_combat_menu_items_flip_their_options) {
    // Without a player who keeps hidden pieces there is nothing to reveal.
    form->on_menu_open();
    EXPECT_FALSE(form->menu_item(1121)->isEnabled());
    EXPECT_FALSE(form->menu_item(1119)->isEnabled());
    game->player_array[0].flags |= player_flag_uses_hidden;
    game_settings.auto_reveal_moving_range = 0;
    game_modified = 0;
    form->on_menu_open();
    QAction* range = form->menu_item(1121);
    EXPECT_TRUE(range->isEnabled());
    EXPECT_EQ(range->text(), "Auto-Reveal When &Moving (Range): OFF");
    range->trigger();
    EXPECT_EQ(game_settings.auto_reveal_moving_range, 1);
    EXPECT_EQ(game_modified, 1);
    form->on_menu_open();
    EXPECT_EQ(range->text(), "Auto-Reveal When &Moving (Range): ON");
    EXPECT_TRUE(range->isChecked());
    const std::uint8_t options = combat_options;
    form->menu_item(1145)->trigger();
    EXPECT_EQ(combat_options, options ^ 2);
    form->on_menu_open();
    EXPECT_EQ(form->menu_item(1145)->isChecked(), (combat_options & 2) != 0);
    // The full run records what it revealed.
    const std::size_t before = history_codes().size();
    form->menu_item(1119)->trigger();
    const auto codes = history_codes();
    ASSERT_EQ(codes.size(), before + 1);
    EXPECT_EQ(codes.back(), history_code_range_reveal);
}

TEST_F(play_on_board_test, add_pieces_places_a_group_on_each_clicked_hex_until_cancelled) {
    std::vector<std::int32_t> on_hex;
    when_modal<get_units_to_place_form>([](get_units_to_place_form& f) {
        f.qty_to_place_box()->setValue(2);
        f.add_to_list_button()->click();
        f.ok_button()->click();
    });
    form->menu_item(1024)->trigger();
    ASSERT_EQ(operation_mode, 4);
    const std::size_t before = history_codes().size();
    click(hex(10, 10));
    click(hex(12, 10));
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(10, 10))], 2);
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(12, 10))], 2);
    const auto codes = history_codes();
    ASSERT_EQ(codes.size(), before + 6);
    EXPECT_EQ(codes[before], history_code_add_group);
    EXPECT_EQ(codes[before + 1], history_code_add_piece);
    EXPECT_TRUE(form->controls().ok_button->isEnabled());
    // OK asks for a new group; Cancel ends the placing.
    when_modal<get_units_to_place_form>([](get_units_to_place_form& f) { f.cancel_button()->click(); });
    form->controls().ok_button->click();
    EXPECT_EQ(operation_mode, 0);
    piece_actions_form_hook = [&](std::int32_t h) { on_hex.push_back(h); };
    click(hex(14, 10)); // now a plain click: the piece actions, nothing placed
    EXPECT_EQ(on_hex, std::vector<std::int32_t>{hex(14, 10)});
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(14, 10))], 0);
}

TEST_F(play_on_board_test, pieces_picked_from_a_pool_go_onto_each_clicked_hex_until_the_pool_is_empty) {
    const std::int32_t third = piece_named("3rd Rifles"), tanks = piece_named("Blue Reserve Tanks");
    auto& ui = form->controls();
    // Edit Pools: the first pool's first piece, Place Now.
    when_modal<edit_pool_form>([](edit_pool_form& f) {
        EXPECT_EQ(rows_of(f.pool_list()),
                  (std::vector<std::string>{"Blue Reserves  (2 pieces)", "Red Reserves  (1 pieces)"}));
        EXPECT_EQ(f.pool_list()->currentRow(), 0);
        ASSERT_EQ(f.piece_list()->count(), 2);
        EXPECT_FALSE(f.ok_button()->isEnabled());
        f.piece_list()->item(0)->setSelected(true);
        EXPECT_EQ(rows_of(f.selected_list()),
                  std::vector<std::string>{"3rd Rifles  Blue Infantry  [Blue Reserves]"});
        EXPECT_EQ(f.piece_list()->count(), 1);
        f.ok_button()->click();
    });
    form->menu_item(1018)->trigger();
    ASSERT_EQ(operation_mode, 6);
    EXPECT_TRUE(ui.gen_3->isVisible());
    EXPECT_FALSE(ui.gen_1->isVisible());
    EXPECT_FALSE(ui.gen_2->isVisible());
    EXPECT_FALSE(ui.ok_button->isEnabled());
    EXPECT_FALSE(ui.undo_button->isEnabled());

    // The click places it; the editor opens again on the same pool for the next pick.
    const std::size_t before = history_codes().size();
    when_modal<edit_pool_form>([](edit_pool_form& f) {
        EXPECT_EQ(f.pool_list()->currentRow(), 0);
        ASSERT_EQ(f.piece_list()->count(), 1);
        f.piece_list()->item(0)->setSelected(true);
        f.ok_button()->click();
    });
    click(hex(10, 10));
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(third)].location, hex(10, 10));
    EXPECT_FALSE(game->piece_array[static_cast<std::size_t>(third)].in_pool());
    EXPECT_EQ(board->hex_piece_counts[static_cast<std::size_t>(hex(10, 10))], 1);
    ASSERT_EQ(operation_mode, 6);

    // The pool is empty after the second: the mode ends, the editor still opens.
    int mode_in_editor = -1;
    when_modal<edit_pool_form>([&mode_in_editor](edit_pool_form& f) {
        mode_in_editor = operation_mode;
        EXPECT_EQ(f.pool_list()->item(0)->text().toStdString(), "Blue Reserves  (Empty)");
        f.cancel()->click();
    });
    click(hex(12, 10));
    EXPECT_EQ(mode_in_editor, 0);
    EXPECT_EQ(operation_mode, 0);
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(tanks)].location, hex(12, 10));
    EXPECT_EQ(game->pool_array[0].piece_count, 0);

    // Each one a placement out of pool 0.
    const auto records = walk_history(game->history_stream);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), before + 2);
    for (std::size_t i = before; i < records->size(); ++i) {
        const auto& r = (*records)[i];
        EXPECT_EQ(r.code, history_code_add_piece);
        EXPECT_EQ(record_field(game->history_stream, r, "pool flag")->value, 1);
        EXPECT_EQ(record_field(game->history_stream, r, "pool")->value, 0);
    }
    EXPECT_EQ(record_field(game->history_stream, (*records)[before], "piece")->value, third);
}

TEST_F(play_on_board_test, the_stop_button_ends_pool_placing_and_opens_the_editor_again) {
    when_modal<edit_pool_form>([](edit_pool_form& f) {
        f.piece_list()->item(0)->setSelected(true);
        f.ok_button()->click();
    });
    form->menu_item(1018)->trigger();
    ASSERT_EQ(operation_mode, 6);
    bool reopened = false;
    when_modal<edit_pool_form>([&reopened](edit_pool_form& f) {
        reopened = true;
        EXPECT_EQ(f.selected_list()->count(), 0); // the list went back to its pool
        f.cancel()->click();
    });
    form->controls().gen_3->click();
    EXPECT_TRUE(reopened);
    EXPECT_EQ(operation_mode, 0);
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(piece_named("3rd Rifles"))].location, 0);
}

TEST_F(play_on_board_test, pools_are_made_renamed_reordered_filled_and_deleted_in_the_editor) {
    const std::int32_t third = piece_named("3rd Rifles"), militia = piece_named("Red Militia");
    const byte_vector history_before = game->history_stream;
    game_modified = 0;
    when_modal<edit_pool_form>([&](edit_pool_form& f) {
        // Typing looks a pool up and changes nothing.
        QTest::keyClicks(f.pool_name(), "Red");
        EXPECT_EQ(f.pool_list()->currentRow(), 1);
        EXPECT_EQ(game_modified, 0);
        f.pool_name()->clear();

        // A name that is taken, Retry, then a new one.
        when_modal<edit_text_form>([&](edit_text_form& t) {
            EXPECT_EQ(t.windowTitle().toStdString(), "Enter New Pool Name");
            next_text_entry("Green Reserves");
            t.text_box()->setText("Blue Reserves");
            t.ok_button()->click();
        });
        responder.answer(box_answer::retry);
        f.newpool_button()->click();
        EXPECT_TRUE(responder.saw("New Pool Name Error!"));
        ASSERT_EQ(f.pool_list()->count(), 3);
        EXPECT_EQ(f.pool_list()->currentRow(), 2);
        EXPECT_EQ(game->pool_array[2].owner, owner_all_players);

        next_text_entry("Green Army");
        f.rename_pool_at(2);
        EXPECT_EQ(f.pool_list()->item(2)->text().toStdString(), "Green Army  (Empty)");

        // 3rd Rifles from Blue Reserves into Green Army.
        f.pool_list()->setCurrentRow(0);
        f.piece_list()->item(0)->setSelected(true);
        f.transfer_button()->click();
        EXPECT_TRUE(f.transfer_mode());
        EXPECT_EQ(f.label_2()->text().toStdString(), "(Pick destination pool)");
        EXPECT_FALSE(f.piece_list()->isEnabled());
        f.pool_clicked(2);
        EXPECT_FALSE(f.transfer_mode());
        EXPECT_EQ(game->piece_array[static_cast<std::size_t>(third)].location, 2);
        EXPECT_EQ(f.selected_list()->count(), 0);

        // Green Army to the top of the order.
        when_modal<reorder_pools_form>([](reorder_pools_form& r) {
            EXPECT_EQ(rows_of(r.symlist()),
                      (std::vector<std::string>{"Blue Reserves (1  Pieces)", "Red Reserves (1  Pieces)",
                                                "Green Army (1  Pieces)"}));
            r.symlist()->setCurrentRow(2);
            r.move_up_button()->click();
            r.move_up_button()->click();
            EXPECT_EQ(r.moving_row(), 0);
            r.done_button()->click();
        });
        f.cb_1()->click();
        EXPECT_EQ(name_of(game->pool_array[0].name), "Green Army");
        EXPECT_EQ(f.pool_list()->currentRow(), 0);
        EXPECT_EQ(game->piece_array[static_cast<std::size_t>(third)].location, 0);
        EXPECT_EQ(game->piece_array[static_cast<std::size_t>(militia)].location, 2);

        // Red Reserves holds a piece: asked, then gone with it.
        f.pool_list()->setCurrentRow(2);
        responder.answer(box_answer::yes);
        f.delete_pool_button()->click();
        EXPECT_TRUE(responder.saw("Pool is not Empty!"));
        EXPECT_EQ(f.pool_list()->count(), 2);
        EXPECT_EQ(f.pool_list()->currentRow(), 1);
        f.cancel()->click();
    });
    form->menu_item(1018)->trigger();
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(militia)].location, location_free);
    EXPECT_EQ(pool_records(), 2);
    EXPECT_EQ(game->pool_array[0].piece_count, 1);
    EXPECT_EQ(game->pool_array[1].piece_count, 1);
    EXPECT_EQ(game_modified, 1);
    EXPECT_EQ(game->history_stream, history_before); // none of this is recorded
    EXPECT_EQ(operation_mode, 0);
}

TEST_F(play_on_board_test, new_force_pool_opens_the_editor_on_the_name_of_a_new_pool) {
    when_modal<edit_text_form>([](edit_text_form& t) {
        t.text_box()->setText("Green Reserves");
        t.ok_button()->click();
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* f = qobject_cast<edit_pool_form*>(w); f && f->isVisible()) {
                    EXPECT_EQ(f->pool_list()->currentRow(), 2);
                    f->cancel()->click();
                }
        });
    });
    form->menu_item(1025)->trigger();
    ASSERT_EQ(pool_records(), 3);
    EXPECT_EQ(name_of(game->pool_array[2].name), "Green Reserves");
}

TEST_F(play_on_board_test, the_undo_button_takes_back_the_last_move) {
    auto& ui = form->controls();
    const std::int32_t rifles = piece_named("1st Rifles");
    const std::int32_t from = game->piece_array[static_cast<std::size_t>(rifles)].location;
    const std::int32_t pieces[] = {rifles, -1};
    ASSERT_EQ(take_up_for_move(pieces), 1);
    click(hex(9, 9));
    ui.ok_button->click();
    ASSERT_EQ(game->piece_array[static_cast<std::size_t>(rifles)].location, hex(9, 9));
    ASSERT_EQ(operation_mode, 0);
    ASSERT_TRUE(ui.undo_button->isEnabled());
    const std::size_t records = history_codes().size();
    responder.answer(box_answer::no); // undo at once, without watching it first
    ui.undo_button->click();
    EXPECT_TRUE(responder.saw("Last Action Information", "The last action was a Movement command."));
    EXPECT_EQ(game->piece_array[static_cast<std::size_t>(rifles)].location, from);
    EXPECT_EQ(history_codes().size(), records - 1);
}

TEST(area_check_window_test, direction_1_with_radius_3_covers_seven_columns_and_five_rows_cut_at_the_edges) {
    board->map_columns = 30;
    board->map_rows = 20;
    const area_window w = area_check_window(10, 10, 3, 1);
    EXPECT_EQ(w.last_column - w.first_column + 1, 7);
    EXPECT_EQ(w.last_row - w.first_row + 1, 5);
    EXPECT_EQ(w.first_row, 7);
    const area_window edge = area_check_window(1, 0, 3, 5);
    EXPECT_EQ(edge.first_column, 0);
    EXPECT_EQ(edge.first_row, 0);
    EXPECT_EQ(edge.last_row, 3);
    EXPECT_TRUE(area_check_window(40, 40, 2, 5).empty());
}

TEST_F(play_on_board_test, line_of_sight_checks_from_the_menu_and_the_right_button) {
    game_settings.use_elevations = 1;
    // Cancel: no LOS mode starts.
    when_modal<get_los_check_values_form>([](get_los_check_values_form& f) { f.cancel()->click(); });
    form->menu_item(1129)->trigger();
    EXPECT_LT(los_check.check_type, 0);
    EXPECT_EQ(operation_mode, 0);
    // A single check: spotter, then target, then the result.
    when_modal<get_los_check_values_form>([](get_los_check_values_form& f) {
        f.single_check()->click();
        EXPECT_FALSE(f.radius_ud()->isEnabled());
        f.ok_button()->click();
    });
    form->menu_item(1129)->trigger();
    ASSERT_EQ(operation_mode, 7);
    click(hex(3, 3));
    EXPECT_EQ(los_check.spotter_hex, hex(3, 3));
    EXPECT_EQ(operation_mode, 9);
    check_line_of_sight(hex(3, 3), hex(6, 3), 0, 0, false, true);
    const std::string caption = los_result_caption();
    // The result form: a new target first, then done.
    when_modal<show_los_xsection_form>([&caption](show_los_xsection_form& f) {
        EXPECT_EQ(f.windowTitle().toStdString(), caption);
        f.grab().save(QString::fromStdString(screenshot_path("los_result.png")));
        // The frame's background and the ground's base band across the middle.
        const QImage shot = f.display_frame()->grab().toImage();
        const int b = shot.height() - 4 - 45;
        auto rgb = [](int i) { return qRgb(colour_table[i][0], colour_table[i][1], colour_table[i][2]); };
        EXPECT_EQ(shot.pixel(5, 5), rgb(43));
        EXPECT_EQ(shot.pixel(shot.width() / 2, b + 5), rgb(13));
        f.new_tgt()->click();
    });
    click(hex(6, 3));
    EXPECT_EQ(operation_mode, 9);
    EXPECT_EQ(los_check.spotter_hex, hex(3, 3));
    EXPECT_EQ(los_check.target_hex, -1);
    when_modal<show_los_xsection_form>([](show_los_xsection_form& f) { f.done()->click(); });
    click(hex(8, 4));
    EXPECT_EQ(operation_mode, 0);
    EXPECT_EQ(los_check.spotter_hex, -1);
    EXPECT_LT(los_check.check_type, 0);
    // An area check, twice, then no more.
    when_modal<get_los_check_values_form>([](get_los_check_values_form& f) {
        f.area_check()->click();
        f.radius_ud()->setValue(2);
        f.ok_button()->click();
    });
    form->menu_item(1129)->trigger();
    ASSERT_EQ(operation_mode, 8);
    responder.answer(box_answer::yes);
    click(hex(10, 10));
    EXPECT_EQ(operation_mode, 8);
    responder.answer(box_answer::no);
    click(hex(12, 10));
    EXPECT_EQ(operation_mode, 0);
    EXPECT_EQ(responder.count("Check Another LOS?"), 2);
    // The right button in its single LOS mode starts a check at the hex.
    rmb_mode = 3;
    click(hex(4, 4), Qt::RightButton);
    EXPECT_EQ(operation_mode, 9);
    EXPECT_EQ(los_check.spotter_hex, hex(4, 4));
    rmb_mode = 0;
    game_settings.use_elevations = 0;
    los_check = los_check_struct{};
}

} // namespace
