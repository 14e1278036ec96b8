#include "settings/UserNation.h"

#include "config/FaxTables.h"

#include <string>

namespace plintor {

namespace {

struct TerritoryRow {
    const char* territory;  // ISO 3166 two-letter code
    const char* keyword;    // FAX country table keyword
};

// The nations of the FAX country table by their territory codes.
constexpr TerritoryRow territories[] = {
    {"AL", "ALBANIA"}, {"DZ", "ALGERIA"}, {"AR", "ARGENTINA"}, {"AU", "AUSTRALIA"},
    {"AT", "AUSTRIA"}, {"BH", "BAHRAIN"}, {"BY", "BELARUS"}, {"BE", "BELGIUM"},
    {"BR", "BRAZIL"}, {"BG", "BULGARIA"}, {"CA", "CANADA"}, {"CL", "CHILE"},
    {"CN", "CHINA"}, {"CO", "COLOMBIA"}, {"CR", "COSTARICA"}, {"HR", "CROATIA"},
    {"CY", "CYPRUS"}, {"CZ", "CZECH"}, {"DK", "DENMARK"}, {"DO", "DOMINICAN"},
    {"EG", "EGYPT"}, {"EE", "ESTONIA"}, {"FI", "FINLAND"}, {"FR", "FRANCE"},
    {"DE", "GERMANY"}, {"GR", "GREECE"}, {"GT", "GUATEMALA"}, {"HU", "HUNGARY"},
    {"HK", "HONGKONG"}, {"IN", "INDIA"}, {"ID", "INDONESIA"}, {"IS", "ICELAND"},
    {"IE", "IRELAND"}, {"IL", "ISRAEL"}, {"IT", "ITALY"}, {"JM", "JAMAICA"},
    {"JP", "JAPAN"}, {"JO", "JORDAN"}, {"KZ", "KAZAKHSTAN"}, {"KR", "SOUTHKOREA"},
    {"KW", "KUWAIT"}, {"LV", "LATVIA"}, {"LB", "LEBANON"}, {"LI", "LIECHTENSTEIN"},
    {"LT", "LITHUANIA"}, {"LU", "LUXEMBOURG"}, {"MK", "MACEDONIA"}, {"MY", "MALAYSIA"},
    {"MT", "MALTA"}, {"MX", "MEXICO"}, {"MA", "MOROCCO"}, {"MM", "MYANMAR"},
    {"NL", "NETHERLANDS"}, {"NZ", "NEWZEALAND"}, {"NI", "NICARAGUA"}, {"NO", "NORWAY"},
    {"OM", "OMAN"}, {"PH", "PHILIPINES"}, {"PA", "PANAMA"}, {"PL", "POLAND"},
    {"PT", "PORTUGAL"}, {"PR", "PUERTORICO"}, {"QA", "QATAR"}, {"RO", "ROMANIA"},
    {"RU", "RUSSIA"}, {"SA", "SAUDIARABIA"}, {"RS", "SERBIA"}, {"SG", "SINGAPORE"},
    {"SK", "SLOVAKIA"}, {"SI", "SLOVENIA"}, {"ZA", "SOUTHAFRICA"}, {"ES", "SPAIN"},
    {"SE", "SWEDEN"}, {"CH", "SWITZERLAND"}, {"TW", "TAIWAN"}, {"TH", "THAILAND"},
    {"TT", "TRINIDADANDTOBAGO"}, {"TN", "TUNISIA"}, {"TR", "TURKEY"}, {"AE", "UAE"},
    {"UA", "UKRAINE"}, {"GB", "UNITEDKINGDOM"}, {"US", "UNITEDSTATES"}, {"UZ", "UZBEKISTAN"},
    {"VN", "VIETNAM"}, {"YE", "YEMEN"},
};

}

std::int64_t NationOfTerritory(std::string_view territory)
{
    if (territory.size() != 2)
        return -1;
    std::string upper(territory);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    for (const TerritoryRow& row : territories) {
        if (upper == row.territory)
            return CountryCodeOfKeyword(row.keyword);
    }
    return -1;
}

std::int64_t UserGeoNation(const platform::LocaleSources& sources)
{
    if (!sources.environment)
        return -1;
    for (const char* name : {"LC_ADDRESS", "LC_ALL", "LANG"}) {
        std::string locale = sources.environment(name);
        if (!locale.empty())
            return NationOfTerritory(platform::LocaleTerritory(locale));
    }
    return -1;
}

std::int64_t UserGeoNation()
{
    // Where the system keeps the user's location (Windows), it decides; elsewhere the
    // locale's territory stands in for it.
    if (std::int64_t kept = platform::UserGeoId(); kept >= 0)
        return kept;
    return UserGeoNation(platform::DefaultLocaleSources());
}

}
