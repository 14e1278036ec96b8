// The system's default languages and the user's location: GetUserDefaultUILanguage and
// GetSystemDefaultUILanguage (LANGIDs), GetUserGeoID(GEOCLASS_NATION) (a nation GEOID,
// GEOID_NOT_AVAILABLE when none is set). The locale names of LocaleSources are read from
// the environment only: Windows keeps no locale files. Exercised under Wine by the Windows
// unit tests (Wine derives the languages from the locale of its environment).
#include "platform/Locale.h"

#include "platform/windows/WinText.h"

#include <cstdlib>

namespace plintor::platform {

LocaleSources DefaultLocaleSources()
{
    LocaleSources sources;
    sources.environment = [](const char* name) {
        std::wstring wideName = windows::WideFromAnsi(name);
        const wchar_t* value = _wgetenv(wideName.c_str());
        return value ? windows::AnsiFromWide(value) : std::string();
    };
    return sources;
}

std::uint16_t UserDefaultLanguage()
{
    return GetUserDefaultUILanguage();
}

std::uint16_t SystemDefaultLanguage()
{
    return GetSystemDefaultUILanguage();
}

std::int64_t UserGeoId()
{
    GEOID nation = GetUserGeoID(GEOCLASS_NATION);
    return nation == GEOID_NOT_AVAILABLE ? -1 : static_cast<std::int64_t>(nation);
}

}
