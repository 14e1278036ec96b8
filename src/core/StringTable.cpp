#include "core/StringTable.h"

#include "resources/StringResources.h"

#include <algorithm>

namespace plintor {

LoadedString LoadStringForLanguage(LangId language, StringId id)
{
    std::span<const resources::StringEntry> table = resources::StringTableOf(language);
    auto row = std::lower_bound(table.begin(), table.end(), static_cast<std::uint16_t>(id),
                                [](const resources::StringEntry& entry, std::uint16_t wanted) {
                                    return entry.id < wanted;
                                });
    if (row == table.end() || row->id != id || row->text == nullptr || row->text[0] == '\0')
        return {};
    return {true, row->text};
}

LoadedString LoadStringForLanguage(StringId id, LangId language)
{
    return LoadStringForLanguage(language, id);
}

std::string LoadText(LangId language, StringId id)
{
    return LoadStringForLanguage(language, id).text;
}

std::vector<StringId> AllStringIds()
{
    std::vector<StringId> ids;
    for (const resources::StringEntry& row : resources::StringTableOf(LANG_NEUTRAL_ID))
        ids.push_back(static_cast<StringId>(row.id));
    return ids;
}

std::string StringIdName(StringId id)
{
    return LoadStringForLanguage(LANG_NEUTRAL_ID, id).text;
}

}
