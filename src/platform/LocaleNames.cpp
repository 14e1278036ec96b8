// The locale names and their language ids, the same on every system; the system's own
// defaults are in the linux/ and windows/ forms of Locale.cpp.
#include "platform/Locale.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace plintor::platform {

namespace {

// Keys in the order in which they decide the language of messages.
constexpr const char* messageLocaleKeys[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

// Longest line of a locale file that is examined; such files hold a handful of short lines.
constexpr std::size_t maxLocaleLineLength = 4096;

struct PrimaryLanguage {
    const char* code;         // ISO 639 language code
    std::uint16_t langId;     // LANGID without a territory
};

// Languages and their LANGID when the locale names no listed territory.
constexpr PrimaryLanguage primaryLanguages[] = {
    {"af", 0x0436}, {"am", 0x045E}, {"ar", 0x0401}, {"as", 0x044D}, {"az", 0x042C},
    {"be", 0x0423}, {"bg", 0x0402}, {"bn", 0x0445}, {"bo", 0x0451}, {"bs", 0x141A},
    {"ca", 0x0403}, {"cs", 0x0405}, {"cy", 0x0452}, {"da", 0x0406}, {"de", 0x0407},
    {"dv", 0x0465}, {"el", 0x0408}, {"en", 0x0409}, {"es", 0x0C0A}, {"et", 0x0425},
    {"eu", 0x042D}, {"fa", 0x0429}, {"fi", 0x040B}, {"fil", 0x0464}, {"fo", 0x0438},
    {"fr", 0x040C}, {"fy", 0x0462}, {"ga", 0x083C}, {"gl", 0x0456}, {"gu", 0x0447},
    {"ha", 0x0468}, {"he", 0x040D}, {"hi", 0x0439}, {"hr", 0x041A}, {"hu", 0x040E},
    {"hy", 0x042B}, {"id", 0x0421}, {"ig", 0x0470}, {"is", 0x040F}, {"it", 0x0410},
    {"ja", 0x0411}, {"ka", 0x0437}, {"kk", 0x043F}, {"km", 0x0453}, {"kn", 0x044B},
    {"ko", 0x0412}, {"kok", 0x0457}, {"ky", 0x0440}, {"lo", 0x0454}, {"lt", 0x0427},
    {"lv", 0x0426}, {"mk", 0x042F}, {"ml", 0x044C}, {"mn", 0x0450}, {"mr", 0x044E},
    {"ms", 0x043E}, {"mt", 0x043A}, {"nb", 0x0414}, {"ne", 0x0461}, {"nl", 0x0413},
    {"nn", 0x0814}, {"no", 0x0414}, {"or", 0x0448}, {"pa", 0x0446}, {"pl", 0x0415},
    {"ps", 0x0463}, {"pt", 0x0816}, {"rm", 0x0417}, {"ro", 0x0418}, {"ru", 0x0419},
    {"sa", 0x044F}, {"se", 0x043B}, {"si", 0x045B}, {"sk", 0x041B}, {"sl", 0x0424},
    {"sq", 0x041C}, {"sr", 0x281A}, {"sv", 0x041D}, {"sw", 0x0441}, {"ta", 0x0449},
    {"te", 0x044A}, {"tg", 0x0428}, {"th", 0x041E}, {"tk", 0x0442}, {"tn", 0x0432},
    {"tr", 0x041F}, {"tt", 0x0444}, {"uk", 0x0422}, {"ur", 0x0420}, {"uz", 0x0443},
    {"vi", 0x042A}, {"xh", 0x0434}, {"yo", 0x046A}, {"zh", 0x0804}, {"zu", 0x0435},
};

struct RegionalLanguage {
    const char* locale;       // language_TERRITORY, optionally with @modifier
    std::uint16_t langId;
};

// Territories whose LANGID differs from the language's default.
constexpr RegionalLanguage regionalLanguages[] = {
    {"ar_SA", 0x0401}, {"ar_IQ", 0x0801}, {"ar_EG", 0x0C01}, {"ar_LY", 0x1001},
    {"ar_DZ", 0x1401}, {"ar_MA", 0x1801}, {"ar_TN", 0x1C01}, {"ar_OM", 0x2001},
    {"ar_YE", 0x2401}, {"ar_SY", 0x2801}, {"ar_JO", 0x2C01}, {"ar_LB", 0x3001},
    {"ar_KW", 0x3401}, {"ar_AE", 0x3801}, {"ar_BH", 0x3C01}, {"ar_QA", 0x4001},
    {"bs_BA", 0x141A}, {"ca_ES@valencia", 0x0803},
    {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007},
    {"de_LI", 0x1407},
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009},
    {"en_NZ", 0x1409}, {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_JM", 0x2009},
    {"en_BZ", 0x2809}, {"en_TT", 0x2C09}, {"en_ZW", 0x3009}, {"en_PH", 0x3409},
    {"en_IN", 0x4009}, {"en_MY", 0x4409}, {"en_SG", 0x4809},
    {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_GT", 0x100A}, {"es_CR", 0x140A},
    {"es_PA", 0x180A}, {"es_DO", 0x1C0A}, {"es_VE", 0x200A}, {"es_CO", 0x240A},
    {"es_PE", 0x280A}, {"es_AR", 0x2C0A}, {"es_EC", 0x300A}, {"es_CL", 0x340A},
    {"es_UY", 0x380A}, {"es_PY", 0x3C0A}, {"es_BO", 0x400A}, {"es_SV", 0x440A},
    {"es_HN", 0x480A}, {"es_NI", 0x4C0A}, {"es_PR", 0x500A}, {"es_US", 0x540A},
    {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C},
    {"fr_LU", 0x140C}, {"fr_MC", 0x180C},
    {"hr_HR", 0x041A}, {"hr_BA", 0x101A},
    {"it_IT", 0x0410}, {"it_CH", 0x0810},
    {"ms_MY", 0x043E}, {"ms_BN", 0x083E},
    {"nl_NL", 0x0413}, {"nl_BE", 0x0813},
    {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"ro_RO", 0x0418}, {"ro_MD", 0x0818}, {"ru_RU", 0x0419}, {"ru_MD", 0x0819},
    {"se_NO", 0x043B}, {"se_SE", 0x083B}, {"se_FI", 0x0C3B},
    {"sr_RS", 0x281A}, {"sr_RS@latin", 0x241A}, {"sr_ME", 0x301A},
    {"sr_ME@latin", 0x2C1A},
    {"sv_SE", 0x041D}, {"sv_FI", 0x081D},
    {"uz_UZ", 0x0443}, {"uz_UZ@cyrillic", 0x0843},
    {"zh_TW", 0x0404}, {"zh_CN", 0x0804}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004},
    {"zh_MO", 0x1404},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                  return std::tolower(static_cast<unsigned char>(x))
                         == std::tolower(static_cast<unsigned char>(y));
              });
}

std::string_view Trim(std::string_view text)
{
    std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The value of KEY in one line "KEY=value" (optionally "export KEY=value", optionally
// quoted), or nothing when the line sets another key.
bool ValueOfLine(std::string_view line, std::string_view key, std::string& value)
{
    line = Trim(line);
    if (line.empty() || line.front() == '#')
        return false;
    if (line.substr(0, 7) == "export ")
        line = Trim(line.substr(7));
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || Trim(line.substr(0, equals)) != key)
        return false;
    std::string_view text = Trim(line.substr(equals + 1));
    if (!text.empty() && (text.front() == '"' || text.front() == '\'')) {
        std::size_t close = text.find(text.front(), 1);
        text = close == std::string_view::npos ? std::string_view() : text.substr(1, close - 1);
    } else {
        // An unquoted value ends at the first blank, as in a shell ("LANG=C # comment").
        text = text.substr(0, text.find_first_of(" \t"));
    }
    value.assign(text);
    return true;
}

// The message locale that one locale file sets, empty when it sets none or cannot be read.
std::string LocaleOfFile(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        return {};
    std::string values[std::size(messageLocaleKeys)];
    std::string line;
    while (std::getline(file, line)) {
        if (line.size() > maxLocaleLineLength)
            continue;
        for (std::size_t k = 0; k < std::size(messageLocaleKeys); ++k) {
            std::string value;
            // The last assignment of a key wins, as when the file is sourced by a shell.
            if (ValueOfLine(line, messageLocaleKeys[k], value))
                values[k] = value;
        }
    }
    for (const std::string& value : values) {
        if (!value.empty())
            return value;
    }
    return {};
}

// The parts of a locale name language[_territory][.codeset][@modifier]; "-" is accepted
// for "_" as well.
struct LocaleParts {
    std::string_view language;
    std::string_view territory;
    std::string_view modifier;
};

LocaleParts SplitLocale(std::string_view localeName)
{
    LocaleParts parts;
    std::string_view name = Trim(localeName);
    if (std::size_t at = name.find('@'); at != std::string_view::npos) {
        parts.modifier = name.substr(at + 1);
        name = name.substr(0, at);
    }
    if (std::size_t dot = name.find('.'); dot != std::string_view::npos)
        name = name.substr(0, dot);
    parts.language = name;
    if (std::size_t sep = name.find_first_of("_-"); sep != std::string_view::npos) {
        parts.language = name.substr(0, sep);
        parts.territory = name.substr(sep + 1);
    }
    return parts;
}

}

std::string UserLocaleName(const LocaleSources& sources)
{
    if (!sources.environment)
        return {};
    for (const char* key : messageLocaleKeys) {
        std::string value = sources.environment(key);
        if (!value.empty())
            return value;
    }
    return {};
}

std::string SystemLocaleName(const LocaleSources& sources)
{
    for (const std::string& path : sources.systemLocaleFiles) {
        std::string locale = LocaleOfFile(path);
        if (!locale.empty())
            return locale;
    }
    return {};
}

std::string LocaleTerritory(std::string_view localeName)
{
    return std::string(SplitLocale(localeName).territory);
}

std::uint16_t LanguageIdOfLocale(std::string_view localeName)
{
    auto [language, territory, modifier] = SplitLocale(localeName);
    if (language.empty() || EqualsIgnoringCase(language, "c") || EqualsIgnoringCase(language, "posix"))
        return 0;

    if (!territory.empty()) {
        std::string regional;
        regional.append(language).append("_").append(territory);
        if (!modifier.empty()) {
            std::string withModifier = regional + "@" + std::string(modifier);
            for (const RegionalLanguage& row : regionalLanguages) {
                if (EqualsIgnoringCase(row.locale, withModifier))
                    return row.langId;
            }
        }
        for (const RegionalLanguage& row : regionalLanguages) {
            if (EqualsIgnoringCase(row.locale, regional))
                return row.langId;
        }
    }
    for (const PrimaryLanguage& row : primaryLanguages) {
        if (EqualsIgnoringCase(row.code, language))
            return row.langId;
    }
    return 0;
}

std::uint16_t UserDefaultLanguage(const LocaleSources& sources)
{
    return LanguageIdOfLocale(UserLocaleName(sources));
}

std::uint16_t SystemDefaultLanguage(const LocaleSources& sources)
{
    return LanguageIdOfLocale(SystemLocaleName(sources));
}

}
