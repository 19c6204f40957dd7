#include "stacks.h"

#include "platform/boxes.h"

#include <algorithm>
#include <new>

int stack_def_count() {
    const auto& a = game->stack_def_array;
    int n = 0;
    while (static_cast<std::size_t>(n) < a.size() && a[static_cast<std::size_t>(n)].stack_symbol != class_end)
        ++n;
    return n;
}

int add_stack_def() {
    const int n = stack_def_count();
    try {
        std::vector<stack_def_struct> grown(game->stack_def_array.begin(), game->stack_def_array.begin() + n);
        grown.resize(static_cast<std::size_t>(n) + 2);
        grown[static_cast<std::size_t>(n)] = stack_def_struct{};
        grown[static_cast<std::size_t>(n)].stack_symbol = 0; // a definition, not the end
        grown[static_cast<std::size_t>(n) + 1] = stack_def_struct{};
        game->stack_def_array.swap(grown);
    } catch (const std::bad_alloc&) {
        message_box("Memory Allocation Error",
                    "Memory for the new definition could not be allocated. \n\rOperation aborted.",
                    box_buttons::ok, box_icon::stop);
        return -1;
    }
    return n;
}

std::int32_t choose_stack_symbol(const std::vector<std::int32_t>& pieces, int zoom) {
    if (zoom < 0 || zoom > 2) return -1;
    const auto& defs = game->stack_def_array;
    const int n = stack_def_count();
    auto owner_of = [](std::int32_t piece) -> int {
        if (piece < 0 || static_cast<std::size_t>(piece) >= game->piece_array.size()) return -1;
        const std::int32_t c = game->piece_array[static_cast<std::size_t>(piece)].class_index;
        if (c < 0 || static_cast<std::size_t>(c) >= game->class_array.size()) return -1;
        return game->class_array[static_cast<std::size_t>(c)].owner;
    };
    for (int i = 0; i < n; ++i) {
        const stack_def_struct& d = defs[static_cast<std::size_t>(i)];
        if (d.stack_symbol < 0) continue;
        int counted = 0;
        bool required_there = d.required_class == class_end;
        for (std::int32_t piece : pieces) {
            if (d.owner != owner_all_players && owner_of(piece) != d.owner) continue;
            ++counted;
            if (game->piece_array[static_cast<std::size_t>(piece)].class_index == d.required_class)
                required_there = true;
        }
        if (required_there && counted > 0 && counted >= d.minimum_pieces[zoom]) return d.stack_symbol;
    }
    return -1;
}

std::vector<int> stack_defs_of_symbol(std::int32_t symbol) {
    std::vector<int> out;
    const int n = stack_def_count();
    for (int i = 0; i < n; ++i)
        if (game->stack_def_array[static_cast<std::size_t>(i)].stack_symbol == symbol) out.push_back(i);
    return out;
}

void remove_stack_def(int position) {
    if (position < 0 || position >= stack_def_count()) return;
    game->stack_def_array.erase(game->stack_def_array.begin() + position);
}

void remove_stack_defs_of_symbol(std::int32_t symbol) {
    const auto positions = stack_defs_of_symbol(symbol);
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        remove_stack_def(*it);
}

bool swap_stack_defs(int a, int b) {
    const int n = stack_def_count();
    if (a < 0 || b < 0 || a >= n || b >= n || a == b) return false;
    std::swap(game->stack_def_array[static_cast<std::size_t>(a)],
              game->stack_def_array[static_cast<std::size_t>(b)]);
    return true;
}

stack_clash stack_def_clash(const stack_def_struct& c, int skip) {
    const int n = stack_def_count();
    for (int i = 0; i < n; ++i) {
        if (i == skip) continue;
        const stack_def_struct& d = game->stack_def_array[static_cast<std::size_t>(i)];
        if (c.required_class != class_end && d.required_class == c.required_class)
            return stack_clash::required_class;
        if (c.required_class == class_end && d.required_class == class_end && d.owner == c.owner)
            return stack_clash::owner_default;
    }
    return stack_clash::none;
}
