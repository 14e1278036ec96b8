#pragma once

#include "core/LangId.h"

#include <span>

namespace plintor {

// The LANGID that the program's resources use for a language: regional variants of the
// languages it knows collapse to one LANGID (0x0807 Swiss German gives 0x0407); Chinese
// maps to its traditional (0x0404) or simplified (0x0804) form; every other language,
// Greek and Portuguese among them, keeps its full LANGID.
LangId NormalizeLanguageId(LangId language);

// True when the program holds dialog template `templateId` in exactly `language`.
bool HasDialogTemplate(int templateId, LangId language);

// True when `language` can be the interface language: the program holds the wizard
// frame template (IDD_WIZARD, 30001) in exactly that language.
bool IsUsableLanguage(LangId language);

// The user's and the system's default languages, as the platform reports them (0 when
// unknown).
struct DefaultLanguages {
    LangId user = 0;
    LangId system = 0;
};
DefaultLanguages QueryDefaultLanguages();

// The interface language before the configuration is read: the normalised user default
// language when usable, else the normalised system default language when usable, else
// English (1033).
LangId ChooseDefaultLanguage(const DefaultLanguages& defaults);
LangId ChooseDefaultLanguage();

// The final interface language. The first candidate that is not 0, is one of
// `utilityLanguages` and is usable wins: `optLanguage` (from "/langid:", as given), the
// normalised user default language, the normalised system default language. Otherwise
// English (1033), whether configured or not.
LangId ChooseUiLanguage(LangId optLanguage, std::span<const LangId> utilityLanguages,
                        const DefaultLanguages& defaults);
LangId ChooseUiLanguage(LangId optLanguage, std::span<const LangId> utilityLanguages);

}
