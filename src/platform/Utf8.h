#pragma once

#include <cstddef>
#include <string_view>

namespace plintor::platform {

// Reading UTF-8 strictly, by the well-formed byte sequences of the Unicode standard:
// no overlong forms, no surrogates (U+D800 to U+DFFF), nothing above U+10FFFF, and so no
// 5- or 6-byte forms. Every reader of UTF-8 in the program goes through this one.

enum class Utf8Step {
    Character,   // `length` bytes make the character `value`
    Invalid,     // the byte at the position begins no well-formed sequence
    Incomplete,  // the bytes up to the end are the well-formed beginning of a longer sequence
};

// Reads the character that begins at `pos` (which must lie inside `text`).
inline Utf8Step ReadUtf8(std::string_view text, std::size_t pos, char32_t& value, std::size_t& length)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80) {
        value = lead;
        length = 1;
        return Utf8Step::Character;
    }
    // The range of the second byte depends on the lead; the later ones are 80 to BF.
    unsigned char low = 0x80, high = 0xBF;
    std::size_t size;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;   // below: overlong
        else if (lead == 0xED)
            high = 0x9F;  // above: surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;   // below: overlong
        else if (lead == 0xF4)
            high = 0x8F;  // above: beyond U+10FFFF
    } else {
        return Utf8Step::Invalid;  // a continuation byte, C0, C1, F5 to FF
    }
    for (std::size_t i = 1; i < size; ++i) {
        if (pos + i >= text.size())
            return Utf8Step::Incomplete;
        unsigned char next = byte(pos + i);
        if (next < low || next > high)
            return Utf8Step::Invalid;
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (next & 0x3F);
    }
    length = size;
    return Utf8Step::Character;
}

}
