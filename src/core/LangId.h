#pragma once

#include <cstdint>

namespace plintor {

// An interface or panel language: the low 10 bits are the primary language, the high
// 6 bits the sub-language (1033 = 0x0409 is English, United States).
using LangId = std::uint16_t;

inline constexpr LangId LANG_NEUTRAL_ID = 0x0000;
inline constexpr LangId LANG_ENGLISH_US = 0x0409;

constexpr LangId PrimaryLanguageOf(LangId language) { return language & 0x03FF; }
constexpr LangId SubLanguageOf(LangId language) { return language >> 10; }
constexpr LangId MakeLangId(LangId primary, LangId sub)
{
    return static_cast<LangId>((sub << 10) | (primary & 0x03FF));
}

}
