#include "los_settings.h"

#include "data/symbols.h"

los_settings_struct los_settings;
los_check_struct los_check;
std::vector<terrain_los_struct> terrain_los_array;

void reset_los_settings() {
    los_settings = los_settings_struct{};
    los_check = los_check_struct{};
    std::int32_t n = symbols->terrain_symbol_count;
    terrain_los_array.assign(n > 0 ? static_cast<std::size_t>(n) : 0, terrain_los_struct{});
}
