// The line-of-sight engine: lays a sight line from hex centre to hex centre, collects the hexes
// under it, and sums what reaches above the line into a percentage blocked.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

constexpr std::int32_t los_no_hex = 60001; // an empty path entry, or a point off the board
constexpr int los_path_capacity = 200;
constexpr int los_spotter_entry = 10;
constexpr int los_last_forward_entry = 198;

struct los_path_entry_struct {
    std::int32_t hex = los_no_hex;
    float ground = 0;
    float sight = 0;
    std::int32_t block = 0;
    std::int32_t distance = 0; // from the spotter's hex centre, in hundredths of a hex
};

struct los_path_struct {
    std::array<los_path_entry_struct, los_path_capacity> entries{};
    int first_entry = los_spotter_entry;
    int last_entry = los_spotter_entry;
    int target_entry = -1; // -1 when the target's hex did not fit in the path
};

struct los_result_struct {
    std::int32_t percent_blocked = 0;
    bool beyond_maximum_range = false;
    bool silhouetted = false;
    std::int32_t distance = 0; // hundredths of a hex
    bool ends_exchanged = false;
};

// The last check's path and result, one of each per thread (the reveal checks on every core).
extern thread_local los_path_struct los_path;
extern thread_local los_result_struct los_result;
// Whether a check on this thread leaves its ordered ends in los_check (on by default); a thread
// that checks beside others turns it off.
extern thread_local bool los_writes_check_hexes;

// A point in hundredths of a hex.
struct los_point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The centre of a hex on the board (hundredths of a hex); the hex must be on the board.
los_point los_hex_centre(std::int32_t hex);
// The hex a point falls in, or los_no_hex off the board.
std::int32_t los_hex_at_point(std::int64_t x, std::int64_t y);

std::int32_t get_hex_ground_level(std::int32_t hex);

// The terrains of a hex that count for line of sight: its primary, its second, then its overlays
// as drawn (no more than the hex says it has).
std::vector<std::int32_t> los_hex_terrains(std::int32_t hex);
// The top of a hex over a path entry's ground (the ground the engine used for that entry): the
// greatest height above ground of its terrains added to it.
double hex_los_top_height(std::int32_t hex, double ground);

// Builds what the engine keeps of the board (its overlay index) now, so that checks on several
// threads only read it. Call before checking on more than one thread.
void prepare_los_engine();

// Percent blocked (0..99: visible) or -1 (blocked; or beyond the maximum range when the result
// is not shown). Heights are above ground, in elevation units.
int check_line_of_sight(std::int32_t spotter_hex, std::int32_t target_hex, std::int32_t spotter_height,
                        std::int32_t target_height, bool show_result, bool test_silhouette);

// Block points of one path entry with whole-number ground and sight heights.
std::int32_t los_entry_block_points(std::int32_t hex, std::int32_t ground, std::int32_t sight);

// Smooths the ground of the path between its first and last entries.
void smooth_los_ground(los_path_struct& path);

// Shown after a check with the show-result flag: draws the line between the two hex centres,
// waits, shows the result and redraws. Empty in logic; the forms install it.
extern std::function<void(los_point from, los_point to)> los_show_result_hook;
