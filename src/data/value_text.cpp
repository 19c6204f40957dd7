#include "value_text.h"

#include "records.h"

namespace {

std::string values_text(const value_bytes& values, const std::uint8_t (&types)[8]) {
    std::string out;
    for (int i = 0; i < 8; ++i) {
        std::string v = format_class_value(types[i], values[static_cast<std::size_t>(i)]);
        if (v.empty()) continue;
        if (!out.empty()) out += "-";
        out += v;
    }
    return out;
}

} // namespace

const class_struct* class_record(int index) {
    const auto& classes = game->class_array;
    // The last record is the end record.
    if (index < 0 || static_cast<std::size_t>(index) + 1 >= classes.size()) return nullptr;
    const class_struct& c = classes[static_cast<std::size_t>(index)];
    return c.symbol >= class_end ? nullptr : &c;
}

const piece_struct* piece_record(int index) {
    const auto& pieces = game->piece_array;
    if (index < 0 || index >= game->piece_end_index || static_cast<std::size_t>(index) >= pieces.size())
        return nullptr;
    const piece_struct& p = pieces[static_cast<std::size_t>(index)];
    return p.location == location_free ? nullptr : &p;
}

std::string format_class_value(std::uint8_t type, const std::array<std::uint8_t, 4>& v) {
    switch (type) {
    case 1: {
        const std::uint32_t u = (std::uint32_t{v[0]} << 24) | (std::uint32_t{v[1]} << 16) |
                                (std::uint32_t{v[2]} << 8) | std::uint32_t{v[3]};
        return std::to_string(static_cast<std::int32_t>(u));
    }
    case 2: {
        std::string s;
        for (std::uint8_t b : v) {
            if (b == 0) break;
            s += static_cast<char>(b);
        }
        return s;
    }
    case 3:
        return v[0] == 1 ? "Yes" : "No";
    default:
        return {};
    }
}

std::string format_class_values(int class_index) {
    const class_struct* c = class_record(class_index);
    return c ? values_text(c->values, c->value_types) : std::string();
}

std::string format_piece_values(int piece_index) {
    const piece_struct* p = piece_record(piece_index);
    return p ? values_text(p->values, p->value_types) : std::string();
}

std::string piece_and_class_name(int piece_index) {
    if (piece_index < 0 || static_cast<std::size_t>(piece_index) >= game->piece_array.size()) return {};
    const piece_struct& p = game->piece_array[static_cast<std::size_t>(piece_index)];
    const class_struct* c = class_record(p.class_index);
    return name_of(p.name) + "  " + (c ? name_of(c->name) : std::string());
}
