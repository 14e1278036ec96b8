#include "app/Language.h"

#include "platform/Locale.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"

#include <algorithm>

namespace plintor {

namespace {

constexpr LangId LANG_CHINESE = 0x04;

struct NormalizedLanguage {
    LangId primary;
    LangId result;
};

// Primary languages whose every sub-language maps to one LANGID.
constexpr NormalizedLanguage normalizedLanguages[] = {
    {0x05, 0x0405},  // Czech
    {0x06, 0x0406},  // Danish
    {0x07, 0x0407},  // German
    {0x09, 0x0409},  // English
    {0x0A, 0x0C0A},  // Spanish
    {0x0B, 0x040B},  // Finnish
    {0x0C, 0x040C},  // French
    {0x0E, 0x040E},  // Hungarian
    {0x10, 0x0410},  // Italian
    {0x11, 0x0411},  // Japanese
    {0x12, 0x0412},  // Korean
    {0x13, 0x0413},  // Dutch
    {0x14, 0x0414},  // Norwegian
    {0x15, 0x0415},  // Polish
    {0x19, 0x0419},  // Russian
    {0x1D, 0x041D},  // Swedish
    {0x1F, 0x041F},  // Turkish
};

bool IsAcceptedCandidate(LangId candidate, std::span<const LangId> utilityLanguages)
{
    return candidate != 0
           && std::find(utilityLanguages.begin(), utilityLanguages.end(), candidate)
                  != utilityLanguages.end()
           && IsUsableLanguage(candidate);
}

}

LangId NormalizeLanguageId(LangId language)
{
    LangId primary = PrimaryLanguageOf(language);
    if (primary == LANG_CHINESE) {
        switch (SubLanguageOf(language)) {
        case 1:  // Taiwan
        case 3:  // Hong Kong
        case 5:  // Macau
            return 0x0404;
        case 2:  // People's Republic
        case 4:  // Singapore
            return 0x0804;
        default:
            return language;
        }
    }
    for (const NormalizedLanguage& row : normalizedLanguages) {
        if (row.primary == primary)
            return row.result;
    }
    return language;
}

bool HasDialogTemplate(int templateId, LangId language)
{
    return FindDialogTemplate(templateId, language) != nullptr;
}

bool IsUsableLanguage(LangId language)
{
    return HasDialogTemplate(IDD_WIZARD, language);
}

DefaultLanguages QueryDefaultLanguages()
{
    return {platform::UserDefaultLanguage(), platform::SystemDefaultLanguage()};
}

LangId ChooseDefaultLanguage(const DefaultLanguages& defaults)
{
    for (LangId candidate : {defaults.user, defaults.system}) {
        LangId language = NormalizeLanguageId(candidate);
        if (language != 0 && IsUsableLanguage(language))
            return language;
    }
    return LANG_ENGLISH_US;
}

LangId ChooseDefaultLanguage()
{
    return ChooseDefaultLanguage(QueryDefaultLanguages());
}

LangId ChooseUiLanguage(LangId optLanguage, std::span<const LangId> utilityLanguages,
                        const DefaultLanguages& defaults)
{
    // The command-line language is taken exactly as given, without normalisation.
    const LangId candidates[] = {optLanguage, NormalizeLanguageId(defaults.user),
                                 NormalizeLanguageId(defaults.system)};
    for (LangId candidate : candidates) {
        if (IsAcceptedCandidate(candidate, utilityLanguages))
            return candidate;
    }
    return LANG_ENGLISH_US;
}

LangId ChooseUiLanguage(LangId optLanguage, std::span<const LangId> utilityLanguages)
{
    return ChooseUiLanguage(optLanguage, utilityLanguages, QueryDefaultLanguages());
}

}
