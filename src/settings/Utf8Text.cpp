#include "settings/Utf8Text.h"

#include "platform/Utf8.h"

namespace plintor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at `pos` and moves `pos` past it; malformed input gives U+FFFD
// for its first byte, so every byte is consumed exactly once.
char32_t DecodeOne(std::string_view text, std::size_t& pos)
{
    char32_t value = 0;
    std::size_t length = 0;
    if (platform::ReadUtf8(text, pos, value, length) != platform::Utf8Step::Character) {
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
