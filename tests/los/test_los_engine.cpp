#include "los/los_engine.h"
#include "data/los_settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::int32_t open_ground = 0;
constexpr std::int32_t wood = 1; // 50 block points, 2 high

class los_engine_test : public fresh_game_test {
protected:
    void SetUp() override {
        fresh_game_test::SetUp();
        los_settings = los_settings_struct{};
        los_settings.ground_smoothing = 0;
        los_check = los_check_struct{};
        terrain_los_array.assign(2, terrain_los_struct{});
        terrain_los_array[wood].block_points = 50;
        terrain_los_array[wood].height_above_ground = 2;
        terrain_los_array[wood].percent_when_spotting = 30;
        terrain_los_array[wood].percent_when_target = 60;
        symbols->hex_shape = 0;
    }
    void TearDown() override { terrain_los_array.clear(); }

    // A board of the grid type; elevations row by row, all open ground.
    static void make_board(int grid_type, int columns, int rows, const std::vector<int>& elevations = {}) {
        board->grid_type = static_cast<std::uint8_t>(grid_type);
        board->map_columns = columns;
        board->map_rows = rows;
        board->hex_count = columns * rows;
        board->hex_array.assign(static_cast<std::size_t>(columns * rows), hex_struct{});
        for (std::size_t i = 0; i < elevations.size(); ++i)
            board->hex_array[i].elevation = elevations[i];
    }
    static void set_terrain(int hex, std::int32_t terrain) {
        board->hex_array[static_cast<std::size_t>(hex)].terrain = terrain;
    }
    static std::vector<std::int32_t> path_hexes() {
        std::vector<std::int32_t> v;
        for (int i = los_path.first_entry; i <= los_path.last_entry; ++i)
            v.push_back(los_path.entries[static_cast<std::size_t>(i)].hex);
        return v;
    }
};

TEST_F(los_engine_test, hex_centres_and_points_by_grid_type) {
    struct centre_case {
        int grid, shape, columns, rows, hex, x, y;
    };
    const centre_case cases[] = {
        {3, 0, 4, 4, 5, 150, 150},                            // column 1, row 1
        {1, 0, 4, 4, 5, 150, 200},                            // odd column shifted down
        {1, 0, 4, 4, 6, 250, 150}, {1, 1, 4, 4, 5, 130, 200}, // 80 per column
        {2, 0, 4, 4, 5, 200, 150},                            // odd row shifted right
        {2, 1, 4, 4, 5, 200, 130},                            // 80 per row
    };
    for (const centre_case& c : cases) {
        SCOPED_TRACE("grid " + std::to_string(c.grid) + " shape " + std::to_string(c.shape));
        make_board(c.grid, c.columns, c.rows);
        symbols->hex_shape = static_cast<std::uint8_t>(c.shape);
        const los_point p = los_hex_centre(c.hex);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
        EXPECT_EQ(los_hex_at_point(c.x, c.y), c.hex);
    }
    make_board(1, 4, 4);
    symbols->hex_shape = 0;
    EXPECT_EQ(los_hex_at_point(150, 40), los_no_hex); // above the shifted column
    EXPECT_EQ(los_hex_at_point(-1, 50), los_no_hex);
    EXPECT_EQ(los_hex_at_point(450, 50), los_no_hex);
    make_board(3, 0, 0);
    EXPECT_EQ(los_hex_at_point(50, 50), los_no_hex); // no board: no division by zero
}

TEST_F(los_engine_test, ground_level_from_elevation_or_checked_terrain) {
    make_board(3, 3, 1, {4, 4, 4});
    terrain_los_array[wood].ground_level = 7;
    set_terrain(1, wood);
    set_terrain(2, 999); // no such terrain
    EXPECT_EQ(get_hex_ground_level(1), 4);
    los_settings.terrain_ground_levels_in_use = 1;
    EXPECT_EQ(get_hex_ground_level(0), 0);
    EXPECT_EQ(get_hex_ground_level(1), 7);
    EXPECT_EQ(get_hex_ground_level(2), 4);
    EXPECT_EQ(get_hex_ground_level(-1), 0);
    EXPECT_EQ(get_hex_ground_level(3), 0);
}

// One row of six open hexes on a square grid, spotter in hex 0.
struct row_case {
    const char* name;
    std::vector<int> elevations;
    std::vector<std::pair<int, std::int32_t>> terrain;
    int spotter, target, spotter_height, target_height;
    int expected;
};

TEST_F(los_engine_test, blocking_by_ground_and_terrain_on_a_row) {
    const row_case cases[] = {
        {"clear line", {}, {}, 0, 5, 0, 0, 0},
        {"hill between blocks", {0, 0, 3, 0, 0, 0}, {}, 0, 5, 1, 1, -1},
        {"hill below a high line", {0, 0, 3, 0, 0, 0}, {}, 0, 5, 5, 0, 0},
        {"wood below the line", {}, {{2, wood}}, 0, 5, 3, 3, 0},
        {"wood reaching the line", {}, {{2, wood}}, 0, 5, 1, 1, 50},
        {"two woods block", {}, {{2, wood}, {3, wood}}, 0, 5, 1, 1, -1},
        {"spotter's own wood at 30%", {}, {{0, wood}}, 0, 5, 1, 1, 15},
        {"spotter's wood and a wood between", {}, {{0, wood}, {2, wood}}, 0, 5, 1, 1, 65},
        {"target's own wood adds nothing", {}, {{5, wood}}, 0, 5, 1, 1, 0},
        // Asked from the right the ends are exchanged, yet each keeps its own weighting.
        {"asked target's wood at 60% after exchange", {}, {{0, wood}}, 5, 0, 1, 1, 30},
        {"asked spotter's wood after exchange", {}, {{5, wood}}, 5, 0, 1, 1, 0},
        {"unknown terrain index ignored", {}, {{2, 999}, {3, -5}}, 0, 5, 1, 1, 0},
    };
    for (const row_case& c : cases) {
        SCOPED_TRACE(c.name);
        make_board(3, 6, 1, c.elevations);
        for (auto [hex, t] : c.terrain)
            set_terrain(hex, t);
        EXPECT_EQ(check_line_of_sight(c.spotter, c.target, c.spotter_height, c.target_height, false, false),
                  c.expected);
        EXPECT_EQ(los_result.ends_exchanged, c.spotter > c.target);
        EXPECT_EQ(los_result.distance, 500);
        EXPECT_EQ(los_check.spotter_hex, std::min(c.spotter, c.target));
        EXPECT_EQ(los_check.target_hex, std::max(c.spotter, c.target));
    }
}

TEST_F(los_engine_test, second_terrain_and_overlays_add_their_points) {
    make_board(3, 6, 1);
    board->hex_array[2].second_terrain = wood;
    EXPECT_EQ(check_line_of_sight(0, 5, 1, 1, false, false), 50);
    board->hex_array[2].second_terrain = 63000; // none
    board->hex_overlay_array = {{3, wood}, {2, wood}, {2, wood}, {2, 999}, {63000, 0}};
    board->hex_array[2].flags = 2 * 8 + 1;
    EXPECT_EQ(check_line_of_sight(0, 5, 1, 1, false, false), -1); // two woods: 100
    board->hex_array[2].flags = 1 * 8;
    EXPECT_EQ(check_line_of_sight(0, 5, 1, 1, false, false), 50); // the count limits the overlays
    board->hex_array[2].flags = 31 * 8;                           // more than listed; 999 is no terrain
    EXPECT_EQ(check_line_of_sight(0, 5, 1, 1, false, false), -1);
    board->hex_array[2].flags = 0;
    EXPECT_EQ(check_line_of_sight(0, 5, 1, 1, false, false), 0);
}

TEST_F(los_engine_test, path_entries_of_a_row) {
    make_board(3, 6, 1);
    check_line_of_sight(2, 4, 0, 0, false, false);
    EXPECT_EQ(los_path.first_entry, 8);
    EXPECT_EQ(los_path.last_entry, 13); // the board ends after one hex past the target
    EXPECT_EQ(path_hexes(), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(los_path.target_entry, 12);
    EXPECT_EQ(los_path.entries[10].distance, 0);
    EXPECT_EQ(los_path.entries[11].distance, 50); // where the line enters the hex
    EXPECT_EQ(los_path.entries[9].distance, 51);  // one unit back, then a step of 50
}

TEST_F(los_engine_test, a_hill_blocks_on_every_grid_type) {
    struct grid_case {
        const char* name;
        int grid, shape, columns, rows, spotter, target;
        std::vector<std::int32_t> path;
        int hill_on_line, hill_off_line;
    };
    const grid_case cases[] = {
        {"squares, one column", 3, 0, 1, 6, 0, 5, {0, 1, 2, 3, 4, 5}, 2, -1},
        {"squares, one column, downwards", 3, 0, 1, 6, 5, 0, {5, 4, 3, 2, 1, 0}, 2, -1},
        {"columns shifted", 1, 0, 6, 3, 0, 4, {0, 1, 2, 3, 4, 5}, 1, 7},
        {"columns shifted, hexagons", 1, 1, 6, 3, 0, 4, {0, 1, 2, 3, 4, 5}, 3, 9},
        {"rows shifted", 2, 0, 3, 6, 0, 12, {0, 3, 6, 9, 12, 15}, 6, 7},
        {"rows shifted, hexagons", 2, 1, 3, 6, 0, 12, {0, 3, 6, 9, 12, 15}, 9, 10},
    };
    for (const grid_case& c : cases) {
        SCOPED_TRACE(c.name);
        make_board(c.grid, c.columns, c.rows);
        symbols->hex_shape = static_cast<std::uint8_t>(c.shape);
        EXPECT_EQ(check_line_of_sight(c.spotter, c.target, 1, 1, false, false), 0);
        EXPECT_EQ(path_hexes(), c.path);
        board->hex_array[static_cast<std::size_t>(c.hill_on_line)].elevation = 3;
        EXPECT_EQ(check_line_of_sight(c.spotter, c.target, 1, 1, false, false), -1);
        if (c.hill_off_line >= 0) {
            board->hex_array[static_cast<std::size_t>(c.hill_on_line)].elevation = 0;
            board->hex_array[static_cast<std::size_t>(c.hill_off_line)].elevation = 3;
            EXPECT_EQ(check_line_of_sight(c.spotter, c.target, 1, 1, false, false), 0);
        }
    }
}

TEST_F(los_engine_test, maximum_range_and_degrade) {
    struct range_case {
        const char* name;
        int maximum_range, degrade, points_to_block, target;
        bool show;
        int expected;
        bool beyond;
    };
    const range_case cases[] = {
        {"unlimited range", -1, 1, 100, 9, false, 0, false},
        {"beyond range", 3, 0, 100, 4, false, -1, true},
        {"beyond range, result shown", 3, 0, 100, 4, true, 0, true},
        {"at the range, no degrade", 3, 0, 100, 3, false, 0, false},
        {"at the range, one degrade point", 3, 1, 100, 3, false, 1, false},
        {"half the range, no degrade point", 4, 1, 100, 2, false, 0, false},
        {"points to block 0 taken as 1", 3, 1, 0, 3, false, -1, false},
        {"points to block 2", 3, 1, 2, 3, false, 50, false},
        {"beyond range, shown, degraded", 3, 1, 2, 9, true, -1, true},
        {"zero range", 0, 1, 100, 1, false, -1, true},
        {"zero range, same hex", 0, 1, 100, 0, false, 0, false},
    };
    for (const range_case& c : cases) {
        SCOPED_TRACE(c.name);
        make_board(3, 10, 1);
        los_settings.maximum_range = c.maximum_range;
        los_settings.degrade_for_range = static_cast<std::uint8_t>(c.degrade);
        los_settings.points_to_block = c.points_to_block;
        EXPECT_EQ(check_line_of_sight(0, c.target, 0, 0, c.show, false), c.expected);
        EXPECT_EQ(los_result.beyond_maximum_range, c.beyond);
        EXPECT_GE(los_settings.points_to_block, 1);
    }
}

TEST_F(los_engine_test, show_result_calls_the_hook_with_the_hex_centres) {
    make_board(3, 6, 1);
    std::vector<los_point> drawn;
    los_show_result_hook = [&](los_point a, los_point b) {
        drawn.push_back(a);
        drawn.push_back(b);
    };
    check_line_of_sight(4, 1, 0, 0, true, false);
    los_show_result_hook = nullptr;
    ASSERT_EQ(drawn.size(), 2U);
    EXPECT_EQ(drawn[0].x, 150);
    EXPECT_EQ(drawn[1].x, 450);
    check_line_of_sight(4, 1, 0, 0, true, false); // without a hook nothing happens
}

TEST_F(los_engine_test, silhouette_against_what_lies_behind_the_target) {
    struct silhouette_case {
        const char* name;
        std::vector<int> elevations;
        int spotter, target;
        bool silhouetted;
    };
    const silhouette_case cases[] = {
        {"open sky behind", {}, 0, 3, true},
        {"hill behind", {0, 0, 0, 0, 5, 0}, 0, 3, false},
        {"hill before the target does not count", {0, 5, 0, 0, 0, 0}, 0, 3, true},
        {"board edge behind", {}, 0, 5, true},
        {"exchanged: hill behind", {0, 5, 0, 0, 0, 0}, 5, 2, false},
        {"exchanged: open sky behind", {0, 0, 0, 0, 5, 0}, 5, 2, true},
    };
    for (const silhouette_case& c : cases) {
        SCOPED_TRACE(c.name);
        make_board(3, 6, 1, c.elevations);
        check_line_of_sight(c.spotter, c.target, 1, 1, false, true);
        EXPECT_EQ(los_result.silhouetted, c.silhouetted);
    }
}

TEST_F(los_engine_test, ground_smoothing_turns_a_step_into_a_ramp) {
    // Ground rises by 4 at hex 4: smoothed, the ramp reaches over the line at hex 3.
    make_board(3, 6, 1, {0, 0, 0, 0, 4, 4});
    los_settings.cliff_elevation = 5;
    EXPECT_EQ(check_line_of_sight(0, 4, 1, 0, false, false), 0);
    los_settings.ground_smoothing = 1;
    EXPECT_EQ(check_line_of_sight(0, 4, 1, 0, false, false), -1);
    const float expected[] = {0, 1, 2, 3, 4, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(los_path.entries[static_cast<std::size_t>(10 + i)].ground, expected[i]);

    // At or past the cliff elevation the top of the step sits 0.3 lower.
    los_settings.cliff_elevation = 4;
    check_line_of_sight(0, 4, 1, 0, false, false);
    const float cliff[] = {0, 1, 2, 3, 3.7F, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(los_path.entries[static_cast<std::size_t>(10 + i)].ground, cliff[i]);
}

TEST_F(los_engine_test, ground_smoothing_rounds_off_a_plateau) {
    make_board(3, 8, 1, {0, 0, 3, 3, 3, 3, 0, 0});
    los_settings.cliff_elevation = 10;
    los_path_struct path;
    path.first_entry = 0;
    path.last_entry = 7;
    for (int i = 0; i < 8; ++i) {
        path.entries[static_cast<std::size_t>(i)].hex = i;
        path.entries[static_cast<std::size_t>(i)].ground = static_cast<float>(get_hex_ground_level(i));
    }
    smooth_los_ground(path);
    const float expected[] = {0, 1.5F, 3, 3.2F, 3.4F, 3.2F, 0, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_FLOAT_EQ(path.entries[static_cast<std::size_t>(i)].ground, expected[i]) << i;
}

TEST_F(los_engine_test, ground_smoothing_raises_the_foot_of_a_falling_cliff) {
    make_board(3, 4, 1, {4, 4, 0, 0});
    los_settings.cliff_elevation = 3;
    los_path_struct path;
    path.first_entry = 0;
    path.last_entry = 3;
    for (int i = 0; i < 4; ++i) {
        path.entries[static_cast<std::size_t>(i)].hex = i;
        path.entries[static_cast<std::size_t>(i)].ground = static_cast<float>(get_hex_ground_level(i));
    }
    smooth_los_ground(path);
    const float expected[] = {4, 2, 0.3F, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_FLOAT_EQ(path.entries[static_cast<std::size_t>(i)].ground, expected[i]) << i;
}

TEST_F(los_engine_test, a_long_line_fills_the_path_and_never_runs_past_it) {
    make_board(3, 250, 1);
    // Hexes 1..188 fill entries 11..198: the target just fits.
    EXPECT_EQ(check_line_of_sight(0, 188, 0, 0, false, true), 0);
    EXPECT_EQ(los_path.target_entry, los_last_forward_entry);
    EXPECT_EQ(los_path.last_entry, los_last_forward_entry);
    EXPECT_TRUE(los_result.silhouetted);
    // Further than the path holds: it cannot be judged, so it is blocked.
    EXPECT_EQ(check_line_of_sight(0, 249, 0, 0, false, true), -1);
    EXPECT_EQ(los_path.target_entry, -1);
    EXPECT_EQ(los_path.last_entry, los_last_forward_entry);
    EXPECT_EQ(los_path.entries[199].hex, los_no_hex);
    // Behind the spotter at most ten hexes are kept.
    EXPECT_EQ(check_line_of_sight(100, 110, 0, 0, false, false), 0);
    EXPECT_EQ(los_path.first_entry, 0);
    EXPECT_EQ(los_path.entries[0].hex, 90);
    EXPECT_EQ(los_path.last_entry, 24); // four hexes past the target
}

TEST_F(los_engine_test, hexes_off_the_board_are_blocked_not_read) {
    make_board(3, 6, 1);
    EXPECT_EQ(check_line_of_sight(-1, 3, 0, 0, false, false), -1);
    EXPECT_EQ(check_line_of_sight(0, 6, 0, 0, false, false), -1);
    EXPECT_EQ(check_line_of_sight(0, 0, 0, 0, false, true), 0);
    EXPECT_EQ(los_result.distance, 0);
    EXPECT_EQ(los_entry_block_points(60001, 0, 0), 0);
}

} // namespace
