#include "resources/StringResources.h"

#include <array>
#include <iterator>

namespace plintor::resources {

namespace {

struct LanguageTable {
    std::uint16_t language;
    std::span<const StringEntry> rows;
};

// The tables, made at build time by tools/strings/string_tables.py from Strings.def (the
// neutral and English tables) and the translation files strings/<language>.po. Japanese
// holds strings only (no dialog templates), so it can never be the interface language.
#include "StringTables.inc"

constexpr bool StrictlyAscending(std::span<const StringEntry> rows)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i - 1].id >= rows[i].id)
            return false;
    }
    return true;
}

constexpr bool WellFormed()
{
    for (std::size_t i = 0; i < std::size(languageTables); ++i) {
        if (i > 0 && languageTables[i - 1].language >= languageTables[i].language)
            return false;
        if (!StrictlyAscending(languageTables[i].rows))
            return false;
        for (const StringEntry& row : languageTables[i].rows)
            if (row.text == nullptr || row.text[0] == '\0')
                return false;
    }
    return true;
}
static_assert(WellFormed(), "string tables must be sorted by language and id, without empty texts");

constexpr std::array<std::uint16_t, std::size(languageTables)> languageIds = [] {
    std::array<std::uint16_t, std::size(languageTables)> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = languageTables[i].language;
    return ids;
}();

}

std::span<const StringEntry> StringTableOf(std::uint16_t language)
{
    for (const LanguageTable& table : languageTables) {
        if (table.language == language)
            return table.rows;
    }
    return {};
}

std::span<const std::uint16_t> StringTableLanguages()
{
    return languageIds;
}

}
