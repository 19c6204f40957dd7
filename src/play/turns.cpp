#include "turns.h"

#include "data/records.h"

std::string get_turn_name(int n) {
    const auto& names = game->turn_names;
    if (n < 0) return {};
    for (int i = 0; i <= n; ++i) {
        if (static_cast<std::size_t>(i) >= names.size() || names[static_cast<std::size_t>(i)].text[0] == 0)
            return {};
    }
    const turn_name& t = names[static_cast<std::size_t>(n)];
    if (t.text[0] == 1) return {};
    return name_of(t.text);
}
