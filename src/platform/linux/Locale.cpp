#include "platform/Locale.h"

#include <cstdlib>

namespace plintor::platform {

LocaleSources DefaultLocaleSources()
{
    LocaleSources sources;
    sources.environment = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    sources.systemLocaleFiles = {"/etc/default/locale", "/etc/locale.conf"};
    return sources;
}

std::uint16_t UserDefaultLanguage()
{
    return UserDefaultLanguage(DefaultLocaleSources());
}

std::uint16_t SystemDefaultLanguage()
{
    return SystemDefaultLanguage(DefaultLocaleSources());
}

std::int64_t UserGeoId()
{
    return -1;   // Linux keeps no geographic location: the locale's territory stands in
}

}
