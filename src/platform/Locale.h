#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plintor::platform {

// Where the user's and the system's locale settings are read. The default reads the
// process environment and the system locale files (Windows: the environment only); tests
// hand their own.
struct LocaleSources {
    // The value of one environment variable; empty when it is unset.
    std::function<std::string(const char* name)> environment;
    // Files of KEY=VALUE lines (LANG, LC_MESSAGES, LC_ALL) that hold the system locale,
    // read in order; the first one that names a locale counts.
    std::vector<std::string> systemLocaleFiles;
};

LocaleSources DefaultLocaleSources();

// The locale that decides the language of messages: the first non-empty of LC_ALL,
// LC_MESSAGES and LANG (for the system: of the same keys in the first locale file that
// has one). Empty when nothing is set.
std::string UserLocaleName(const LocaleSources& sources);
std::string SystemLocaleName(const LocaleSources& sources);

// The LANGID of a locale name such as "de_CH.UTF-8" (0x0807) or "sr_RS@latin" (0x241A).
// A language without a listed territory gets its default sub-language. 0 for "C",
// "POSIX", an empty name and languages without a LANGID.
std::uint16_t LanguageIdOfLocale(std::string_view localeName);

// The territory of a locale name ("CH" for "de_CH.UTF-8"), empty when it names none.
std::string LocaleTerritory(std::string_view localeName);

// The user's and the system's default language as LANGIDs of the locales that the sources
// name, 0 when unknown.
std::uint16_t UserDefaultLanguage(const LocaleSources& sources);
std::uint16_t SystemDefaultLanguage(const LocaleSources& sources);

// The user's and the system's default language of the running system, 0 when unknown: on
// Linux those of DefaultLocaleSources(), on Windows the user and the system default UI
// languages (GetUserDefaultUILanguage, GetSystemDefaultUILanguage).
std::uint16_t UserDefaultLanguage();
std::uint16_t SystemDefaultLanguage();

// The user's geographic location as the system keeps it, a nation id (GEOID) such as 94
// for Germany: on Windows GetUserGeoID(GEOCLASS_NATION); -1 where the system keeps none
// (Linux, where the locale's territory stands in) or it is not set.
std::int64_t UserGeoId();

}
