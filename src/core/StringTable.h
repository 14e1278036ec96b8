#pragma once

#include "core/LangId.h"
#include "core/StringIds.h"

#include <string>
#include <vector>

namespace plintor {

struct LoadedString {
    bool found = false;
    std::string text;  // UTF-8; empty when not found
};

// Loads string `id` from the string table of exactly `language`. Not found when that
// language holds no string table, the table has no row for the id, or the row is empty.
// There is no fallback to another language: callers that find nothing show an empty text.
// Language 0 (neutral) holds the symbolic names and is not for display.
LoadedString LoadStringForLanguage(LangId language, StringId id);
// The same look-up, for call sites that name the id first.
LoadedString LoadStringForLanguage(StringId id, LangId language);

// The text of `id` in exactly `language`, empty when there is none.
std::string LoadText(LangId language, StringId id);

// Every string id of the program, ascending.
std::vector<StringId> AllStringIds();

// The symbolic name of an id (from the neutral table), empty for an unknown id.
std::string StringIdName(StringId id);

}
