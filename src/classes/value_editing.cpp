#include "value_editing.h"

#include "platform/boxes.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

bool digit(char c) {
    return c >= '0' && c <= '9';
}

std::string value_number(int k) {
    char text[16];
    std::snprintf(text, sizeof text, "%1i", k + 1);
    return text;
}

bool ask(const char* caption, const std::string& text) {
    return message_box(caption, text, box_buttons::ok_cancel, box_icon::exclamation) == box_answer::ok;
}

std::string not_used_text(int k) {
    return "Value #" + value_number(k) +
           " is now set to NOT USED.  However, it also\n\rhas a value.  If you continue the value will\n\r "
           "be "
           "reset, otherwise click Cancel to return to editing.";
}
std::string numeric_text(int k) {
    return "Value #" + value_number(k) +
           " is now set to NUMERIC.  However, the value contains\n\ra non-numeric character.  If you "
           "continue the "
           "value will\n\r be adjusted, otherwise click Cancel to return to editing.";
}
std::string yes_no_text(int k) {
    return "Value #" + value_number(k) +
           " is now set to YES/NO.  However, the value contains\n\rother characters.  If you continue the "
           "value will "
           "be adjusted\n\r to NO, otherwise click Cancel to return to editing.";
}

// Non-digits among the first four characters become "0"; a leading minus sign stays.
std::string with_digits(const std::string& text) {
    std::string t = text;
    for (std::size_t i = 0; i < t.size() && i < 4; ++i)
        if (!digit(t[i]) && !(i == 0 && t[i] == '-')) t[i] = '0';
    return t;
}

// "y..." is Yes, "n..." is No; anything else is none.
std::optional<std::string> yes_no_of(const std::string& text) {
    if (text.empty()) return std::nullopt;
    if (text[0] == 'y' || text[0] == 'Y') return std::string("Yes");
    if (text[0] == 'n' || text[0] == 'N') return std::string("No");
    return std::nullopt;
}

} // namespace

std::optional<std::int32_t> parse_value_number(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || !digit(text[i])) return std::nullopt;
    long long v = 0;
    for (; i < text.size() && digit(text[i]); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

bool looks_numeric(const std::string& text) {
    return !text.empty() && with_digits(text) == text && parse_value_number(text).has_value();
}

std::array<std::uint8_t, 4> number_bytes(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<std::uint8_t>(u >> 24), static_cast<std::uint8_t>(u >> 16),
            static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u)};
}

bool check_and_store_values(value_edit& edit, value_bytes& values, std::uint8_t (&types)[8],
                            value_name (&names_out)[8], const char* lost_caption) {
    // 1. Two equal names of values in use.
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b)
            if (edit.names[static_cast<std::size_t>(a)] == edit.names[static_cast<std::size_t>(b)] &&
                types[a] != 0 && types[b] != 0 &&
                !ask("Duplicate Value Name Found!",
                     "Two or more of the new value names are the same.\n\rSelect Cancel "
                     "to return to editing, Ok to keep."))
                return false;
    value_name names[8];
    for (int k = 0; k < 8; ++k)
        set_name(names[k], edit.names[static_cast<std::size_t>(k)].substr(0, 15));

    // 2. A type changed under a value that does not suit it.
    std::uint8_t new_types[8];
    for (int k = 0; k < 8; ++k) {
        std::string& text = edit.texts[static_cast<std::size_t>(k)];
        const int to = edit.types[static_cast<std::size_t>(k)];
        new_types[k] = static_cast<std::uint8_t>(to);
        if (types[k] == 0 || types[k] == to) continue;
        if (to == value_not_used && !text.empty()) {
            if (!ask(lost_caption, not_used_text(k))) return false;
            text.clear();
        } else if (to == value_numeric && !looks_numeric(text)) {
            if (!ask(lost_caption, numeric_text(k))) return false;
            text = with_digits(text.empty() ? "0" : text);
        } else if (to == value_yes_no && !yes_no_of(text)) {
            if (!ask(lost_caption, yes_no_text(k))) return false;
            text = "No";
        }
    }

    // 3. The values by their new types, into a copy: nothing is stored before every check passed.
    value_bytes stored = values;
    bool numeric_said = false;
    for (int k = 0; k < 8; ++k) {
        std::string& text = edit.texts[static_cast<std::size_t>(k)];
        auto& bytes = stored[static_cast<std::size_t>(k)];
        switch (new_types[k]) {
        case value_numeric: {
            if (with_digits(text) != text) {
                if (!numeric_said && !ask(lost_caption, numeric_text(k))) return false;
                numeric_said = true;
                text = with_digits(text);
            }
            if (text.empty()) text = "0";
            const auto n = parse_value_number(text);
            if (!n) {
                message_box(
                    "Value Out of Range",
                    "Value #" + value_number(k) +
                        " is not a number this program can keep:\n\rnumeric values run from -2147483648 to "
                        "2147483647.",
                    box_buttons::ok, box_icon::exclamation);
                return false;
            }
            bytes = number_bytes(*n);
            break;
        }
        case value_text:
            for (std::size_t i = 0; i < 4; ++i)
                bytes[i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
            break;
        case value_yes_no: {
            const auto yn = yes_no_of(text);
            if (!yn) {
                if (!ask(lost_caption, yes_no_text(k))) return false;
                text = "No";
            } else {
                text = *yn;
            }
            bytes[0] = text == "Yes" ? 1 : 0;
            break;
        }
        default:
            if (!text.empty()) {
                if (!ask(lost_caption, not_used_text(k))) return false;
                text.clear();
            }
            bytes = {0, 0, 0, 0};
            break;
        }
    }
    values = stored;
    std::memcpy(types, new_types, sizeof new_types);
    std::memcpy(names_out, names, sizeof names);
    return true;
}
