#include "class_order.h"

#include "data/options.h"
#include "data/records.h"
#include "data/symbols.h"
#include "data/value_text.h"
#include "players/visibility.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {

// Class -> position in the last list built (-1 not listed), and position -> class.
std::vector<int> position_of_class, class_of_position;

bool listed_piece_class(const class_struct& c) {
    return c.symbol != class_free && c.symbol >= 0 && c.symbol < symbols->piece_symbol_count && !c.is_card();
}

void fill_positions(const std::vector<int>& order, std::size_t n) {
    position_of_class.assign(n, -1);
    class_of_position = order;
    for (std::size_t p = 0; p < order.size(); ++p)
        position_of_class[static_cast<std::size_t>(order[p])] = static_cast<int>(p);
}

} // namespace

std::vector<std::string> build_class_sort_order() {
    const auto& a = game->class_array;
    const std::size_t n = class_end_index();
    std::vector<int> order;
    std::vector<std::string> names(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i].symbol == class_free || a[i].symbol < 0 || a[i].symbol >= symbols->piece_symbol_count)
            continue;
        names[i] = name_of(a[i].name);
        if (names[i].empty()) names[i] = "Not Named";
        order.push_back(static_cast<int>(i));
    }
    if (sort_classes_alphabetically)
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            return names[static_cast<std::size_t>(x)] < names[static_cast<std::size_t>(y)];
        });
    fill_positions(order, n);
    std::vector<std::string> list;
    list.reserve(order.size());
    for (int c : order)
        list.push_back(names[static_cast<std::size_t>(c)]);
    return list;
}

int class_at_sort_position(int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= class_of_position.size()) return -1;
    return class_of_position[static_cast<std::size_t>(position)];
}

int sort_position_of_class(int class_index) {
    if (class_index < 0 || static_cast<std::size_t>(class_index) >= position_of_class.size()) return -1;
    return position_of_class[static_cast<std::size_t>(class_index)];
}

std::vector<picker_row> class_picker_rows(bool pieces, bool cards, bool alphabetical) {
    const auto& a = game->class_array;
    const std::size_t n = class_end_index();
    std::vector<picker_row> rows;
    for (std::size_t i = 0; i < n; ++i) {
        const class_struct& c = a[i];
        if (c.symbol == class_free) continue;
        std::string text = name_of(c.name);
        if (pieces && listed_piece_class(c)) {
            if (c.owner == owner_all_players)
                text += "  All Players";
            else if (c.owner < owner_all_players)
                text += "  " + player_display_name(c.owner);
            text += "   (" + format_class_values(static_cast<int>(i)) + ")";
        } else if (cards && c.is_card() && c.symbol >= 0) {
            text += "   (Card)";
            text += c.owner == owner_all_players ? "  Known to All Players"
                    : c.owner == owner_nobody    ? "  Known to No Players"
                                                 : "  " + player_display_name(c.owner);
        } else {
            continue;
        }
        rows.push_back({static_cast<int>(i), text});
    }
    if (alphabetical) {
        // Each row's key made once, then n log n comparisons of plain strings.
        std::vector<std::pair<std::string, std::size_t>> keys(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            keys[i] = {rows[i].text, i};
            for (char& ch : keys[i].first)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        }
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& x, const auto& y) { return x.first < y.first; });
        std::vector<picker_row> sorted;
        sorted.reserve(rows.size());
        for (const auto& k : keys)
            sorted.push_back(std::move(rows[k.second]));
        rows = std::move(sorted);
    }
    std::vector<int> order;
    order.reserve(rows.size());
    for (const auto& r : rows)
        order.push_back(r.class_index);
    fill_positions(order, n);
    return rows;
}
