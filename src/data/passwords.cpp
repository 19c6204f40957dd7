#include "passwords.h"

#include "data/encodings.h"

std::uint8_t player_logged_in = 0;

namespace {
// Real bytes are those from the space up: control characters cannot be typed into a password.
constexpr int first_real = 32;
constexpr int real_count = 256 - first_real; // 224
constexpr int filler_low = 31;
constexpr int filler_high = 60;
constexpr int filler_count = filler_high - filler_low + 1; // 30
// The stored bytes outside the filler range: 0..30 and 61..255.
constexpr int code_count = 256 - filler_count; // 226, room for every real byte

constexpr std::uint32_t key_tables[3][password_length] = {
    {0x5A17C3E1u, 0x0B9D4F22u, 0x93E6A07Du, 0x1C4B8E35u, 0xE2705DA9u, 0x47F1B60Cu, 0x8D2A19F4u,
     0x36C5E08Bu, 0xF09B7363u, 0x2E6814D7u, 0xB35FC21Au, 0x6A0E9D48u, 0xC7B3316Fu, 0x1F86A5E2u,
     0x7D4C0B93u, 0xA9E25F16u, 0x04D7B8C1u, 0xDB3A6E5Cu, 0x58F0247Au, 0x9E61C3B7u},
    {0x3B8E52D4u, 0xC61F0A97u, 0x7025E6B1u, 0x19DC843Fu, 0xE84B7C06u, 0x52A3F1C8u, 0xAF16395Du,
     0x0D7BC4E2u, 0x94E8207Bu, 0x6B31DA5Fu, 0xF5C28E13u, 0x21976BA4u, 0xBE0D47C9u, 0x4F6AF238u,
     0x8359D01Eu, 0xD0A41C77u, 0x27F385B6u, 0x7AC0694Du, 0xC31E5B82u, 0x15B7F0E9u},
    {0xE4D12B6Fu, 0x2A7FC905u, 0xB96E3D8Au, 0x47025AF3u, 0x9CB8E614u, 0x03F5712Du, 0xD6493BC0u,
     0x6EA08F59u, 0x18C7D4A2u, 0xF33B069Eu, 0x8512E7C4u, 0x5D84B13Bu, 0xA0F97C66u, 0x3C265AE1u,
     0xC95D0F87u, 0x72E3A84Cu, 0x0FB6C235u, 0xE86A57D8u, 0x416CF91Au, 0xB7D12E63u},
};

int key_of(int table, int position, int player_index) {
    std::uint32_t k = key_tables[table][position] + static_cast<std::uint32_t>(player_index) * 0x9E3779B1u;
    return static_cast<int>(k % code_count);
}

int table_of(int name_length) {
    return (name_length < 0 ? -name_length : name_length) % 3;
}

std::uint8_t code_to_byte(int code) {
    return static_cast<std::uint8_t>(code < filler_low ? code : code + filler_count);
}
} // namespace

void scramble_password(std::uint8_t (&password)[password_length], int player_index, int name_length) {
    int t = table_of(name_length);
    for (int i = 0; i < password_length; ++i) {
        int b = password[i];
        if (b < first_real) {
            // Unused bytes (and control bytes, which a password cannot hold) become filler.
            password[i] = static_cast<std::uint8_t>(filler_low + random_below(filler_count));
            continue;
        }
        int code = (b - first_real + key_of(t, i, player_index)) % code_count;
        password[i] = code_to_byte(code);
    }
}

void unscramble_password(std::uint8_t (&password)[password_length], int player_index, int name_length) {
    int t = table_of(name_length);
    for (int i = 0; i < password_length; ++i) {
        int s = password[i];
        if (s >= filler_low && s <= filler_high) {
            password[i] = 0;
            continue;
        }
        int code = s < filler_low ? s : s - filler_count;
        int v = (code - key_of(t, i, player_index) + code_count) % code_count;
        // The two codes no real byte turns into can only come from a damaged file.
        password[i] = v < real_count ? static_cast<std::uint8_t>(v + first_real) : 0;
    }
}
