#pragma once

#include <string>
#include <string_view>

namespace plintor {

// The program's texts are UTF-8; where a rule counts characters, it counts code points.
// A byte that does not begin a valid sequence counts as one character, U+FFFD.
std::u32string CodePointsOf(std::string_view text);
std::size_t CodePointCount(std::string_view text);

// UTF-16 code units of a UTF-8 text (characters beyond U+FFFF as surrogate pairs).
std::u16string Utf16Of(std::string_view text);

}
