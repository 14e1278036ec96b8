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
    bool dialogs;  // the dialog templates exist in this language
};

// The languages of the program's resources. Japanese holds strings only, so it can never
// be the interface language.
constexpr LanguageResources languageTable[] = {
    {0x0000, neutralRows, false},
    {0x0405, czechRows, true},
    {0x0406, danishRows, true},
    {0x0407, germanRows, true},
    {0x0408, greekRows, true},
    {0x0409, englishRows, true},
    {0x040B, finnishRows, true},
    {0x040C, frenchRows, true},
    {0x040E, hungarianRows, true},
    {0x0410, italianRows, true},
    {0x0411, japaneseRows, false},
    {0x0413, dutchRows, true},
    {0x0414, norwegianRows, true},
    {0x0415, polishRows, true},
    {0x0416, brazilianRows, true},
    {0x0419, russianRows, true},
    {0x041D, swedishRows, true},
    {0x041F, turkishRows, true},
    {0x0C0A, spanishRows, true},
};

constexpr std::array<std::uint16_t, std::size(languageTable)> languageIds = [] {
    std::array<std::uint16_t, std::size(languageTable)> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i)
        ids[i] = languageTable[i].language;
    return ids;
}();

// The frame (30001), the pages, the wait dialog (137) and the address dialog (30011).
constexpr int dialogTemplateIds[] = {
    137, 153, 30001, 30003, 30006, 30007, 30008, 30009, 30010, 30011,
    30012, 30013, 30014, 30015, 30016, 30017, 30018, 30019,
};

const LanguageResources* FindLanguage(std::uint16_t language)
{
    for (const LanguageResources& entry : languageTable) {
        if (entry.language == language)
            return &entry;
    }
    return nullptr;
}

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

bool HoldsDialogTemplates(std::uint16_t language)
{
    const LanguageResources* entry = FindLanguage(language);
    return entry != nullptr && entry->dialogs;
}

std::span<const int> DialogTemplateIds()
{
    return dialogTemplateIds;
}

}
