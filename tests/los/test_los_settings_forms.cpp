// The LOS characteristics and terrain values forms: what they store, what they refuse, and that
// the values come back from a saved game.
#include "test_support.h"

#include "data/game_settings.h"
#include "data/los_settings.h"
#include "data/saved_game.h"
#include "los/forms/los_settings_forms.h"
#include "platform/files.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

class los_forms_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        los_settings = los_settings_struct{};
        terrain_los_array.assign(3, terrain_los_struct{});
        game_settings.use_elevations = 0;
    }
    void TearDown() override {
        terrain_los_array.clear();
        los_settings = los_settings_struct{};
        game_settings.use_elevations = 0;
    }
    static void reopen() {
        const std::string path = make_temp_folder() + "/Los.OPS";
        ASSERT_TRUE(write_saved_game_file(path, false));
        los_settings = los_settings_struct{};
        terrain_los_array.assign(3, terrain_los_struct{});
        const auto bytes = read_whole_file(path);
        ASSERT_TRUE(bytes && read_saved_game_bytes(*bytes));
    }
};

TEST_F(los_forms_test, settings_are_stored_checked_against_their_fields_and_kept_by_the_file) {
    {
        los_settings_form f(nullptr);
        f.create_form();
        f.range_ud()->setValue(0);
        EXPECT_EQ(f.range_text()->text().toStdString(), "Unlimited");
        f.points_to_block_ud()->setValue(0);
        f.hex_units_text()->setText("kilometres"); // ten characters: one too many
        f.hex_size_text()->setText("250");
        EXPECT_FALSE(f.apply_los_settings());
        EXPECT_TRUE(responder.saw("Hex Units Error"));
        EXPECT_EQ(los_settings.points_to_block, 100) << "nothing stored";
        f.hex_units_text()->setText("km");
        f.hex_size_text()->setText("70000"); // more than the file's field holds
        EXPECT_FALSE(f.apply_los_settings());
        EXPECT_TRUE(responder.saw("Hex Size Error"));
        f.hex_size_text()->setText("250");
        f.elev_text()->setText("10 metres");
        f.cliff_ud()->setValue(4);
        f.smoothing()->setChecked(false);
        EXPECT_TRUE(f.apply_los_settings());
    }
    EXPECT_EQ(los_settings.maximum_range, -1);
    EXPECT_EQ(los_settings.points_to_block, 1);
    reopen();
    EXPECT_EQ(los_settings.hex_size, 250);
    EXPECT_EQ(name_of(los_settings.hex_units), "km");
    EXPECT_EQ(name_of(los_settings.elevation_level_text), "10 metres");
    EXPECT_EQ(los_settings.cliff_elevation, 4);
    EXPECT_EQ(los_settings.ground_smoothing, 0);
    EXPECT_EQ(los_settings.maximum_range, -1);
    los_settings_form again(nullptr);
    again.create_form();
    EXPECT_EQ(again.range_text()->text().toStdString(), "Unlimited");
}

TEST_F(los_forms_test,
       terrain_values_are_edited_on_a_copy_and_ground_levels_ask_before_they_replace_the_map) {
    {
        los_terrain_vals_form f(nullptr);
        f.create_form();
        ASSERT_EQ(f.terrain_list()->count(), 3);
        f.blockpts_ud()->setValue(40);
        f.agl_ud()->setValue(2);
        f.next()->click();
        f.spot_percent_ud()->setValue(10);
        EXPECT_EQ(terrain_los_array[0].block_points, 0) << "a copy until OK";
        f.ok_button()->click();
    }
    EXPECT_EQ(terrain_los_array[0].block_points, 40);
    EXPECT_EQ(terrain_los_array[0].height_above_ground, 2);
    EXPECT_EQ(terrain_los_array[1].percent_when_spotting, 10);
    EXPECT_FALSE(responder.saw("Replace Map Elevations with Terrain?"));
    EXPECT_EQ(los_settings.terrain_ground_levels_in_use, 0);
    EXPECT_EQ(game_settings.use_elevations, 1);
    {
        los_terrain_vals_form f(nullptr);
        f.create_form();
        f.gl_ud()->setValue(3);
        responder.answer(box_answer::cancel);
        f.ok_button()->click();
        EXPECT_EQ(terrain_los_array[0].ground_level, 0) << "Cancel saves nothing";
        responder.answer(box_answer::ok);
        f.ok_button()->click();
    }
    EXPECT_EQ(terrain_los_array[0].ground_level, 3);
    EXPECT_EQ(los_settings.terrain_ground_levels_in_use, 1);
    reopen();
    EXPECT_EQ(terrain_los_array[0].ground_level, 3);
    EXPECT_EQ(terrain_los_array[1].percent_when_spotting, 10);
}

} // namespace
