#include "settings/Utf8Text.h"

namespace plintor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one sequence at `pos` and moves `pos` past it; malformed input gives U+FFFD
// for its first byte, so every byte is consumed exactly once.
char32_t DecodeOne(std::string_view text, std::size_t& pos)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    std::size_t length;
    char32_t value;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return value;
}

}

std::u32string CodePointsOf(std::string_view text)
{
    std::u32string result;
    for (std::size_t pos = 0; pos < text.size();)
        result.push_back(DecodeOne(text, pos));
    return result;
}

std::size_t CodePointCount(std::string_view text)
{
    return CodePointsOf(text).size();
}

std::u16string Utf16Of(std::string_view text)
{
    std::u16string result;
    for (char32_t c : CodePointsOf(text)) {
        if (c < 0x10000) {
            result.push_back(static_cast<char16_t>(c));
        } else {
            c -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        }
    }
    return result;
}

}
