// What the replay shows of a record in the unit panel, as the watching player may know it.
#pragma once

#include "data/history_records.h"
#include "data/hooks.h"

#include <optional>
#include <string>
#include <vector>

struct replay_display {
    std::string title;
    std::vector<std::string> lines;
    bool shown = false; // the record shows something (false: applied silently)
    bool marks = false; // its hexes are marked on the map until the next record
    bool pause = false; // the pause after it (else the next record follows at once)
    std::optional<game_sound> sound_before, sound_after;
};

// Whether the watcher may see a piece: an index that names no piece or class is never seen,
// otherwise the visibility rules decide (its identity must be known).
bool can_view_piece(std::int64_t piece);

// The display of one record, taken before the record is applied (the pieces as they were).
replay_display describe_replay_record(const byte_vector& stream, const history_record& record);
