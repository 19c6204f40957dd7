#include "class_editing.h"

#include "data/history_stream.h"
#include "data/symbols.h"

#include <cstring>

int last_selected_class = -1;

namespace {

// The slot add_class will give: the first free record, else the end.
int next_class_slot() {
    const std::size_t n = class_end_index();
    for (std::size_t i = 0; i < n; ++i)
        if (game->class_array[i].symbol == class_free) return static_cast<int>(i);
    return static_cast<int>(n);
}

void remember_loaded(class_edit_session& s) {
    s.old_values = s.record.values;
    std::memcpy(s.old_types, s.record.value_types, sizeof s.old_types);
}

} // namespace

int first_class_with_piece_symbol() {
    const std::size_t n = class_end_index();
    for (std::size_t i = 0; i < n; ++i) {
        const class_struct& c = game->class_array[i];
        if (c.symbol != class_free && c.symbol >= 0 && c.symbol < symbols->piece_symbol_count)
            return static_cast<int>(i);
    }
    return -1;
}

class_edit_session begin_new_class() {
    class_edit_session s;
    s.edited = -1;
    const int slot = next_class_slot();
    s.record = game->class_array.empty() ? class_struct{} : class_record_template(slot);
    if (s.record.symbol == class_free || s.record.symbol == class_end) s.record.symbol = 0;
    if (s.record.name[0] == 0) set_name(s.record.name, "New Class");
    s.record.hidden_symbol = s.record.hidden_symbol == class_free ? 30000 : s.record.hidden_symbol;
    remember_loaded(s);
    return s;
}

class_edit_session begin_class_edit(int index) {
    const std::size_t n = class_end_index();
    auto usable = [&](int i) {
        if (i < 0 || static_cast<std::size_t>(i) >= n) return false;
        const class_struct& c = game->class_array[static_cast<std::size_t>(i)];
        return c.symbol != class_free && c.symbol >= 0 && c.symbol < symbols->piece_symbol_count;
    };
    if (!usable(index)) index = first_class_with_piece_symbol();
    if (index < 0) return begin_new_class();
    class_edit_session s;
    s.edited = index;
    s.record = game->class_array[static_cast<std::size_t>(index)];
    remember_loaded(s);
    return s;
}

bool class_name_in_use(const std::string& name, int except) {
    const std::size_t n = class_end_index();
    for (std::size_t i = 0; i < n; ++i) {
        const class_struct& c = game->class_array[i];
        if (static_cast<int>(i) != except && c.symbol != class_free && name_of(c.name) == name) return true;
    }
    return false;
}

int commit_class_edit(class_edit_session& s) {
    int index = s.edited;
    if (index < 0) {
        index = add_class();
        if (index < 0) return -1;
    }
    if (static_cast<std::size_t>(index) >= game->class_array.size()) return -1;
    game->class_array[static_cast<std::size_t>(index)] = s.record;
    for (int k = 0; k < 8; ++k)
        if (s.record.values[static_cast<std::size_t>(k)] != s.old_values[static_cast<std::size_t>(k)] ||
            s.record.value_types[k] != s.old_types[k])
            append_value_change_record('C', k, s.old_values[static_cast<std::size_t>(k)].data(),
                                       s.old_types[k], s.record.values[static_cast<std::size_t>(k)].data(),
                                       s.record.value_types[k], index);
    s.edited = index;
    remember_loaded(s);
    game_modified = 1;
    return index;
}
