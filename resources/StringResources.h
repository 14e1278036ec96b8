#pragma once

#include <cstdint>
#include <span>

namespace plintor::resources {

// One row of a string table: a string id and its UTF-8 text.
struct StringEntry {
    std::uint16_t id = 0;
    const char* text = nullptr;
};

// The string table held in exactly `language`, sorted by id with unique ids, or an empty
// span when the program holds no string table in that language. Language 0 (neutral)
// holds the symbolic names of the ids. There is no fallback between languages.
std::span<const StringEntry> StringTableOf(std::uint16_t language);

// The languages that hold a string table (the neutral language first).
std::span<const std::uint16_t> StringTableLanguages();

}
