#pragma once
// Texts are UTF-8: sizes in characters count the bytes that start one.
#include <string_view>

constexpr bool StartsCharacter(unsigned char byte) { return (byte & 0xC0) != 0x80; }

constexpr int CharacterCount(std::string_view text) {
    int n = 0;
    for (unsigned char c : text) n += StartsCharacter(c);
    return n;
}
