#pragma once

#include "platform/Locale.h"

#include <cstdint>
#include <string_view>

namespace plintor {

// The geographic nation id of the FAX country table for a two-letter territory code
// ("DE" gives 94, any letter case), or -1 for a territory the table does not hold.
std::int64_t NationOfTerritory(std::string_view territory);

// The workstation's nation for the FAX region fallback: the territory of the locale named
// by LC_ADDRESS, else LC_ALL, else LANG (the first that is set), mapped to the FAX country
// table; -1 when that locale names no territory or one the table does not hold.
std::int64_t UserGeoNation(const platform::LocaleSources& sources);
std::int64_t UserGeoNation();

}
