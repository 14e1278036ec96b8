#include "resources/StringResources.h"

#include <algorithm>
#include <array>
#include <vector>

namespace plintor::resources {

namespace {

// The symbolic names as numbers, for the translation files that name their rows by them.
enum TranslationId : std::uint16_t {
#define PLINTOR_STRING(id, name, text) name = id,
#include "resources/strings/Strings.def"
#undef PLINTOR_STRING
};

constexpr StringEntry englishRows[] = {
#define PLINTOR_STRING(id, name, text) {id, text},
#include "resources/strings/Strings.def"
#undef PLINTOR_STRING
};

constexpr StringEntry neutralRows[] = {
#define PLINTOR_STRING(id, name, text) {id, #name},
#include "resources/strings/Strings.def"
#undef PLINTOR_STRING
};

constexpr bool StrictlyAscending(std::span<const StringEntry> rows)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i - 1].id >= rows[i].id)
            return false;
    }
    return true;
}
static_assert(StrictlyAscending(englishRows), "string ids must be unique and ascending");

// Each translation ends with an empty row so that a language without rows still forms
// an array; the row is dropped when the table is built.
#define PLINTOR_TEXT(name, text) {name, text},
constexpr StringEntry czechRows[] = {
#include "resources/strings/cs.def"
    {}};
constexpr StringEntry danishRows[] = {
#include "resources/strings/da.def"
    {}};
constexpr StringEntry germanRows[] = {
#include "resources/strings/de.def"
    {}};
constexpr StringEntry greekRows[] = {
#include "resources/strings/el.def"
    {}};
constexpr StringEntry finnishRows[] = {
#include "resources/strings/fi.def"
    {}};
constexpr StringEntry frenchRows[] = {
#include "resources/strings/fr.def"
    {}};
constexpr StringEntry hungarianRows[] = {
#include "resources/strings/hu.def"
    {}};
constexpr StringEntry italianRows[] = {
#include "resources/strings/it.def"
    {}};
constexpr StringEntry japaneseRows[] = {
#include "resources/strings/ja.def"
    {}};
constexpr StringEntry dutchRows[] = {
#include "resources/strings/nl.def"
    {}};
constexpr StringEntry norwegianRows[] = {
#include "resources/strings/nb.def"
    {}};
constexpr StringEntry polishRows[] = {
#include "resources/strings/pl.def"
    {}};
constexpr StringEntry brazilianRows[] = {
#include "resources/strings/pt-BR.def"
    {}};
constexpr StringEntry russianRows[] = {
#include "resources/strings/ru.def"
    {}};
constexpr StringEntry swedishRows[] = {
#include "resources/strings/sv.def"
    {}};
constexpr StringEntry turkishRows[] = {
#include "resources/strings/tr.def"
    {}};
constexpr StringEntry spanishRows[] = {
#include "resources/strings/es.def"
    {}};
#undef PLINTOR_TEXT

struct LanguageResources {
    std::uint16_t language;
    std::span<const StringEntry> rows;
};

// The languages that hold a string table. Japanese holds strings only (no dialog
// templates), so it can never be the interface language.
constexpr LanguageResources languageTable[] = {
    {0x0000, neutralRows},
    {0x0405, czechRows},
    {0x0406, danishRows},
    {0x0407, germanRows},
    {0x0408, greekRows},
    {0x0409, englishRows},
    {0x040B, finnishRows},
    {0x040C, frenchRows},
    {0x040E, hungarianRows},
    {0x0410, italianRows},
    {0x0411, japaneseRows},
    {0x0413, dutchRows},
    {0x0414, norwegianRows},
    {0x0415, polishRows},
    {0x0416, brazilianRows},
    {0x0419, russianRows},
    {0x041D, swedishRows},
    {0x041F, turkishRows},
    {0x0C0A, spanishRows},
};

constexpr std::array<std::uint16_t, std::size(languageTable)> languageIds = [] {
    std::array<std::uint16_t, std::size(languageTable)> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = languageTable[i].language;
    return ids;
}();

// A language's rows, sorted by id, without the end row and without empty texts. When a
// translation names an id twice, its first row counts.
std::vector<StringEntry> BuildTable(std::span<const StringEntry> rows)
{
    std::vector<StringEntry> table;
    for (const StringEntry& row : rows) {
        if (row.text != nullptr && row.text[0] != '\0')
            table.push_back(row);
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; });
    table.erase(std::unique(table.begin(), table.end(),
                            [](const StringEntry& a, const StringEntry& b) { return a.id == b.id; }),
                table.end());
    return table;
}

}

std::span<const StringEntry> StringTableOf(std::uint16_t language)
{
    // Built once, on first use; function-local statics are initialised thread-safely.
    static const std::vector<std::vector<StringEntry>> tables = [] {
        std::vector<std::vector<StringEntry>> built;
        for (const LanguageResources& entry : languageTable)
            built.push_back(BuildTable(entry.rows));
        return built;
    }();
    for (std::size_t i = 0; i < std::size(languageTable); ++i) {
        if (languageTable[i].language == language)
            return tables[i];
    }
    return {};
}

std::span<const std::uint16_t> StringTableLanguages()
{
    return languageIds;
}

}
