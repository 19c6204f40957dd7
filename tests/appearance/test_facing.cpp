// Facing markers: their outlines by code, shape and size, and the set list's growth.
#include "test_support.h"

#include "appearance/facing.h"

namespace {

using pts = std::vector<canvas_point>;
bool same(const pts& a, const pts& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
    return true;
}

TEST(facing_outline_test, shapes_by_code_and_size) {
    struct row {
        const char* name;
        int x, y, size, code, shape;
        pts want;
    };
    const std::vector<row> table = {
        {"arrow tip at the point, north", 500, 500, 100, 1, 2, {{500, 500}, {475, 600}, {525, 600}}},
        {"arrow standing on the point, north", 500, 500, 100, 1, 3, {{500, 400}, {475, 500}, {525, 500}}},
        {"arrow east", 0, 0, 100, 2, 2, {{0, 0}, {-100, -25}, {-100, 25}}},
        {"arrow at 30 degrees", 0, 0, 100, 11, 2, {{0, 0}, {-99, 28}, {-74, 71}}},
        {"bar on the top side", 100, 100, 5, 1, 1, {{90, 95}, {90, 100}, {110, 100}, {110, 95}}},
        {"bar on the right side", 100, 100, 5, 21, 1, {{100, 90}, {100, 110}, {105, 110}, {105, 90}}},
        {"L round the top-right corner",
         100,
         100,
         4,
         5,
         1,
         {{100, 100}, {100, 110}, {104, 110}, {104, 96}, {90, 96}, {90, 100}}},
        {"L round the bottom-left corner",
         100,
         100,
         4,
         44,
         1,
         {{100, 100}, {100, 90}, {96, 90}, {96, 104}, {110, 104}, {110, 100}}},
        {"size 0", 0, 0, 0, 1, 2, {}},
        {"a code that names nothing", 0, 0, 10, 9, 2, {}},
        {"a code past the blocks", 0, 0, 10, 46, 1, {}},
    };
    for (const row& r : table) {
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(same(build_facing_polygon(r.x, r.y, r.size, r.code, r.shape), r.want));
    }
}

TEST(facing_outline_test, hex_edge_anchors_by_code) {
    EXPECT_EQ(hex_edge_anchor(60, 20)->x, 48); // a fifth of the hex left of the top-right corner
    EXPECT_EQ(hex_edge_anchor(60, 20)->y, 0);
    EXPECT_EQ(hex_edge_anchor(60, 41)->x, 60);
    EXPECT_EQ(hex_edge_anchor(60, 41)->y, 12);
    EXPECT_EQ(hex_edge_anchor(60, 44)->x, 0);
    EXPECT_EQ(hex_edge_anchor(60, 44)->y, 48);
    EXPECT_FALSE(hex_edge_anchor(60, 9));
}

class facing_sets_test : public fresh_game_test {};

TEST_F(facing_sets_test, the_251st_set_is_refused_and_a_class_naming_a_set_past_the_list_has_none) {
    game->facing_set_array = {facing_set_struct{}};
    for (int i = 0; i < 250; ++i)
        ASSERT_EQ(add_facing_set(), i);
    const auto before = game->facing_set_array.size();
    EXPECT_EQ(add_facing_set(), -1);
    EXPECT_TRUE(responder.saw("Limit Reached Error"));
    EXPECT_EQ(game->facing_set_array.size(), before);
    EXPECT_EQ(game->facing_set_array.back().direction, 0);

    game->facing_set_array.resize(3);
    game->facing_set_array[2] = facing_set_struct{};
    class_struct c;
    c.facing_set = 2;
    EXPECT_EQ(class_facing_set(c), &game->facing_set_array[1]);
    c.facing_set = 3;
    EXPECT_EQ(class_facing_set(c), nullptr);
}

TEST_F(facing_sets_test, style_and_zoom_size_decide_whether_a_piece_shows_a_marker) {
    facing_set_struct set;
    set.direction = 1;
    set.style = 1;
    set.size[0] = 5;
    set.size[1] = 0;
    set.size[2] = 60; // past the largest: drawn at 40
    game->facing_set_array = {set, facing_set_struct{}};
    class_struct c;
    c.facing_set = 1;
    piece_struct p;
    p.facing = 1;
    const facing_box box{100, 100, 20, 20};
    EXPECT_EQ(piece_facing_outline(p, c, box, 0, 0, 40, 0).size(), 4u);
    EXPECT_TRUE(piece_facing_outline(p, c, box, 0, 0, 40, 1).empty());
    EXPECT_EQ(piece_facing_outline(p, c, box, 0, 0, 40, 2)[0].x, 110 - 80);
    game->facing_set_array[0].style = 0;
    EXPECT_TRUE(piece_facing_outline(p, c, box, 0, 0, 40, 0).empty());
    game->facing_set_array[0].style = 3; // from the centre of the box
    EXPECT_EQ(piece_facing_outline(p, c, box, 0, 0, 40, 0)[0].y, 110 - 5);
    game->facing_set_array[0].style = 4; // tip on the hex edge
    p.facing = 20;
    EXPECT_EQ(piece_facing_outline(p, c, box, 300, 200, 40, 0)[0].x, 300 + 32);
    p.facing = 0;
    EXPECT_TRUE(piece_facing_outline(p, c, box, 0, 0, 40, 0).empty());
}

} // namespace

namespace {
TEST(facing_code_at_angle_test, sectors_by_grid_and_kind_with_bounds_nearer_zero_included) {
    struct row {
        double angle;
        int grid, kind, code;
    };
    const std::vector<row> table = {
        {90, 3, 3, 1},    {30, 3, 3, 5},   {45, 3, 1, 2},  {45.5, 3, 1, 1}, {-45, 3, 1, 2},
        {180, 3, 1, 4},   {-180, 3, 1, 4}, {0, 3, 2, 5},   {-1, 3, 2, 6},   {100, 3, 2, 8},
        {-100, 3, 2, 7},  {60, 1, 1, 11},  {61, 1, 1, 10}, {130, 1, 1, 15}, {-130, 1, 1, 14},
        {-140, 1, 2, 23}, {170, 1, 3, 24}, {90, 1, 3, 10}, {30, 2, 1, 31},  {31, 2, 1, 30},
        {-100, 2, 2, 43}, {170, 2, 3, 34}, {20, 2, 3, 41}, {90, 5, 1, 0},   {90, 3, 0, 0},
    };
    for (const row& r : table)
        EXPECT_EQ(facing_code_at_angle(r.angle, r.grid, r.kind), r.code)
            << r.angle << " grid " << r.grid << " kind " << r.kind;
}
} // namespace
