#include "app/Language.h"

#include "resources/dialogs/DialogIds.h"

#include <gtest/gtest.h>

#include <vector>

namespace plintor {
namespace {

TEST(Language, NormalizeCollapsesRegionalVariantsOfKnownLanguages)
{
    EXPECT_EQ(NormalizeLanguageId(0x0807), 0x0407);  // Swiss German
    EXPECT_EQ(NormalizeLanguageId(0x0C07), 0x0407);  // Austrian German
    EXPECT_EQ(NormalizeLanguageId(0x0809), 0x0409);  // British English
    EXPECT_EQ(NormalizeLanguageId(0x080A), 0x0C0A);  // Mexican Spanish
    EXPECT_EQ(NormalizeLanguageId(0x040A), 0x0C0A);  // Spanish, traditional sort
    EXPECT_EQ(NormalizeLanguageId(0x0C0C), 0x040C);  // Canadian French
    EXPECT_EQ(NormalizeLanguageId(0x0814), 0x0414);  // Norwegian Nynorsk
    EXPECT_EQ(NormalizeLanguageId(0x081D), 0x041D);  // Swedish (Finland)
    EXPECT_EQ(NormalizeLanguageId(0x0411), 0x0411);
}

TEST(Language, NormalizeKeepsGreekPortugueseAndUnlistedLanguages)
{
    EXPECT_EQ(NormalizeLanguageId(0x0408), 0x0408);
    EXPECT_EQ(NormalizeLanguageId(0x0416), 0x0416);
    EXPECT_EQ(NormalizeLanguageId(0x0816), 0x0816);
    EXPECT_EQ(NormalizeLanguageId(0x0401), 0x0401);  // Arabic
    EXPECT_EQ(NormalizeLanguageId(0x0C01), 0x0C01);
    EXPECT_EQ(NormalizeLanguageId(0), 0);
}

TEST(Language, NormalizeChineseBySubLanguage)
{
    EXPECT_EQ(NormalizeLanguageId(0x0404), 0x0404);  // Taiwan
    EXPECT_EQ(NormalizeLanguageId(0x0C04), 0x0404);  // Hong Kong
    EXPECT_EQ(NormalizeLanguageId(0x1404), 0x0404);  // Macau
    EXPECT_EQ(NormalizeLanguageId(0x0804), 0x0804);  // PRC
    EXPECT_EQ(NormalizeLanguageId(0x1004), 0x0804);  // Singapore
    EXPECT_EQ(NormalizeLanguageId(0x0004), 0x0004);  // sub-language 0 stays
    EXPECT_EQ(NormalizeLanguageId(0x1804), 0x1804);  // sub-language 6 stays
}

TEST(Language, UsableLanguagesAreThoseWithTheFrameTemplate)
{
    const LangId withTemplates[] = {0x0405, 0x0406, 0x0407, 0x0408, 0x0409, 0x040B,
                                    0x040C, 0x040E, 0x0410, 0x0413, 0x0414, 0x0415,
                                    0x0416, 0x0419, 0x041D, 0x041F, 0x0C0A};
    for (LangId language : withTemplates) {
        EXPECT_TRUE(IsUsableLanguage(language)) << language;
        EXPECT_TRUE(HasDialogTemplate(IDD_WIZARD, language)) << language;
    }
    // Japanese holds strings only.
    EXPECT_FALSE(IsUsableLanguage(0x0411));
    EXPECT_FALSE(HasDialogTemplate(IDD_WIZARD, 0x0411));
    for (LangId language : {0x0000, 0x0807, 0x0809, 0x0816, 0x0412, 0x0804, 0x040A})
        EXPECT_FALSE(IsUsableLanguage(language)) << language;
    EXPECT_TRUE(HasDialogTemplate(30010, 0x0407));
    EXPECT_FALSE(HasDialogTemplate(29999, 0x0409));
}

TEST(Language, DefaultLanguagePrefersUserThenSystemThenEnglish)
{
    EXPECT_EQ(ChooseDefaultLanguage({0x0807, 0x040C}), 0x0407);  // normalised user language
    EXPECT_EQ(ChooseDefaultLanguage({0x0816, 0x040C}), 0x040C);  // no templates in pt-PT
    EXPECT_EQ(ChooseDefaultLanguage({0x0816, 0x0411}), 0x0409);  // Japanese: strings only
    EXPECT_EQ(ChooseDefaultLanguage({0, 0x0C0C}), 0x040C);
    EXPECT_EQ(ChooseDefaultLanguage({0, 0}), 0x0409);
    EXPECT_EQ(ChooseDefaultLanguage({0x0412, 0x0401}), 0x0409);
    EXPECT_EQ(ChooseDefaultLanguage({0x0408, 0x0407}), 0x0408);  // Greek kept and usable
}

TEST(Language, UiLanguageFromTheCommandLineMustBeConfiguredAndUsable)
{
    const std::vector<LangId> configured = {0x0409, 0x040C, 0x0411};
    // "/langid:1031" with German not configured: refused although German has templates.
    EXPECT_EQ(ChooseUiLanguage(1031, configured, {0x040C, 0}), 0x040C);
    EXPECT_EQ(ChooseUiLanguage(1031, configured, {0, 0}), 0x0409);
    // Japanese configured but without templates.
    EXPECT_EQ(ChooseUiLanguage(1041, configured, {0, 0}), 0x0409);
    // A configured, usable command-line language wins over the defaults.
    EXPECT_EQ(ChooseUiLanguage(0x040C, configured, {0x0409, 0x0409}), 0x040C);
    // The command-line language is not normalised: 0x080C (Belgian French) is no
    // configured language.
    EXPECT_EQ(ChooseUiLanguage(0x080C, configured, {0, 0}), 0x0409);
    const std::vector<LangId> withBelgian = {0x080C, 0x0409};
    EXPECT_EQ(ChooseUiLanguage(0x080C, withBelgian, {0, 0}), 0x0409);  // no templates
}

TEST(Language, UiLanguageFallsThroughUserAndSystemDefaults)
{
    const std::vector<LangId> configured = {0x0407, 0x0409, 0x041D};
    EXPECT_EQ(ChooseUiLanguage(0, configured, {0x0807, 0x041D}), 0x0407);  // Swiss German
    EXPECT_EQ(ChooseUiLanguage(0, configured, {0x0816, 0x081D}), 0x041D);  // pt-PT falls through
    EXPECT_EQ(ChooseUiLanguage(0, configured, {0x040C, 0x0410}), 0x0409);  // neither configured
}

TEST(Language, UiLanguageIsEnglishWhenNothingConfiguredIsUsable)
{
    const std::vector<LangId> onlyFrench = {0x040C};
    EXPECT_EQ(ChooseUiLanguage(0x0407, onlyFrench, {0x0407, 0x0407}), 0x0409);
    EXPECT_EQ(ChooseUiLanguage(0, {}, {0x040C, 0x040C}), 0x0409);
}

}
}
