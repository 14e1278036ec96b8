#include "core/StringTable.h"

#include "config/FaxTables.h"
#include "config/PanelLanguageTable.h"
#include "resources/StringResources.h"
#include "resources/dialogs/DialogResources.h"
#include "settings/KeywordTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace plintor {
namespace {

TEST(StringTable, EnglishTextsAreTheQuotedOnes)
{
    struct Sample {
        StringId id;
        int number;
        const char* text;
    };
    const Sample samples[] = {
        {MSG_CANCEL_DLG, 216, "Are you sure you want to cancel the tool?"},
        {IDS_WARNING_TITLE, 212, "Warning!"},
        {IDS_ERR_TITLE, 213, "Input Error"},
        {MSG_ERR_NOT_ADMIN, 214, "Operation failed. Administrator rights required."},
        {MSG_ERR_ALREADY_STARTED, 217,
         "This tool is already running.\nFinish or cancel the tool and start again."},
        {MSG_ERR_INCORRECT_INFO, 218, "Cannot configure settings. Information incorrect."},
        {IDS_WND_TITLE, 546, "Plintor"},
        {IDS_NEXT_BUTTON, 203, "&Next >"},
        {IDS_SELECTPRINTER_DLG_SIDE_MSG, 322,
         "Select the printer to be configured. If the printer for configuration is not "
         "displayed, check the following items.\n\u00b7 Is the cable connected to the computer "
         "or network?\n\u00b7 Is the printer switched on?\nClick the [Refresh] or [Enter IP "
         "Address] button."},
        {MSG_ERR_COMMUNICATION_PRINTING, 555,
         "Settings cannot be changed.\nPlease make sure the printer is not printing or has no "
         "error before clicking \"Retry\".\nIf you want to exit this tool, click \"Cancel\""},
        {IDS_CHECKFAXSETTING_DLG_NOT_USE_FAX, 488, "&I don\u2019t use FAX functionality"},
        {IDS_GUIDE_RECEIVEMODE_TEXT, 477, "You can select the default fax receiving mode. "},
        {IDS_DRPD_PATTERN7, 467, "Pattern7"},
        {IDS_AP_SECURITYTYPE_WPAPSKAES, 637, "WPA2-PSK-AES"},
        {IDS_SUMMARY_EMPTY, 520, "**************empty**************"},
        {IDS_PANELLANG_TC, 596, "Traditional Chinese"},
    };
    for (const Sample& sample : samples) {
        EXPECT_EQ(static_cast<int>(sample.id), sample.number);
        LoadedString loaded = LoadStringForLanguage(LANG_ENGLISH_US, sample.id);
        EXPECT_TRUE(loaded.found) << sample.number;
        EXPECT_EQ(loaded.text, sample.text) << sample.number;
        EXPECT_EQ(LoadStringForLanguage(sample.id, LANG_ENGLISH_US).text, sample.text);
    }
}

TEST(StringTable, IdsWithoutTextAreNotFoundInAnyLanguage)
{
    for (StringId id : {IDS_DLG_TITLE, IDS_SELECTMETHOD_DLG_RADIO_NET_TEXT, IDS_SELECTMETHOD_DLG_RADIO_USB_TEXT}) {
        for (std::uint16_t language : resources::StringTableLanguages()) {
            if (language == LANG_NEUTRAL_ID)
                continue;
            LoadedString loaded = LoadStringForLanguage(language, id);
            EXPECT_FALSE(loaded.found) << id << " in " << language;
            EXPECT_EQ(loaded.text, "");
        }
    }
}

TEST(StringTable, LookUpIsByExactLanguageWithoutFallback)
{
    // German holds its own text; the English one never stands in for it.
    EXPECT_NE(LoadText(0x0407, MSG_CANCEL_DLG), LoadText(LANG_ENGLISH_US, MSG_CANCEL_DLG));
    // Regional variants are distinct languages to the look-up.
    EXPECT_FALSE(LoadStringForLanguage(0x0807, MSG_CANCEL_DLG).found);
    EXPECT_FALSE(LoadStringForLanguage(0x0809, MSG_CANCEL_DLG).found);
    EXPECT_FALSE(LoadStringForLanguage(0x0816, MSG_CANCEL_DLG).found);
    // A language the program holds nothing in.
    EXPECT_FALSE(LoadStringForLanguage(0x0412, IDS_WND_TITLE).found);
    // An id that is not in the table at all.
    EXPECT_FALSE(LoadStringForLanguage(LANG_ENGLISH_US, static_cast<StringId>(207)).found);
    EXPECT_FALSE(LoadStringForLanguage(LANG_ENGLISH_US, static_cast<StringId>(0)).found);
}

// Counts the code points of a UTF-8 text; -1 when it is not well-formed UTF-8.
int CodePoints(const std::string& text)
{
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return -1;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return -1;
        i += length;
    }
    return count;
}

TEST(StringTable, EveryLanguageTranslatesEveryEnglishTextKeepingItsLineBreaks)
{
    // The tables made from the translation files: every language of the program (Japanese
    // too) holds every string that has an English text, as well-formed UTF-8 with the
    // English text's line breaks. A gap here shows as a blank control or message.
    std::vector<std::pair<StringId, std::string>> english;
    for (const resources::StringEntry& row : resources::StringTableOf(LANG_ENGLISH_US))
        english.emplace_back(static_cast<StringId>(row.id), row.text);
    for (std::uint16_t language : resources::StringTableLanguages()) {
        if (language == LANG_NEUTRAL_ID || language == LANG_ENGLISH_US)
            continue;
        int missing = 0;
        for (const auto& [id, text] : english) {
            LoadedString loaded = LoadStringForLanguage(language, id);
            if (!loaded.found) {
                ++missing;
                continue;
            }
            EXPECT_GT(CodePoints(loaded.text), 0) << id << " in " << language;
            EXPECT_EQ(std::count(loaded.text.begin(), loaded.text.end(), '\n'),
                      std::count(text.begin(), text.end(), '\n'))
                << id << " in " << language;
        }
        EXPECT_EQ(missing, 0) << "strings without a translation in language " << language;
        EXPECT_EQ(resources::StringTableOf(language).size(), english.size()) << language;
    }
}

TEST(StringTable, NeutralTableHoldsTheSymbolicNames)
{
    EXPECT_EQ(LoadText(LANG_NEUTRAL_ID, MSG_ERR_NOT_ADMIN), "MSG_ERR_NOT_ADMIN");
    EXPECT_EQ(StringIdName(IDS_DLG_TITLE), "IDS_DLG_TITLE");
    EXPECT_EQ(StringIdName(IDS_COUNTRY_UNITED_STATUS), "IDS_COUNTRY_UNITED_STATUS");
}

TEST(StringTable, IdsAndNamesAreUniqueAndEveryEnglishRowHasAName)
{
    std::span<const resources::StringEntry> neutral = resources::StringTableOf(LANG_NEUTRAL_ID);
    std::set<int> ids;
    std::set<std::string> names;
    for (const resources::StringEntry& row : neutral) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        EXPECT_TRUE(names.insert(row.text).second) << row.text;
        std::string name = row.text;
        EXPECT_TRUE(name.rfind("IDS_", 0) == 0 || name.rfind("MSG_", 0) == 0) << name;
    }
    for (const resources::StringEntry& row : resources::StringTableOf(LANG_ENGLISH_US))
        EXPECT_EQ(ids.count(row.id), 1u) << row.id;
    EXPECT_GT(resources::StringTableOf(LANG_ENGLISH_US).size(), 300u);
    std::vector<StringId> all = AllStringIds();
    EXPECT_EQ(all.size(), ids.size());
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
}

TEST(StringTable, TablesExistForTheResourceLanguagesOnly)
{
    std::span<const std::uint16_t> languages = resources::StringTableLanguages();
    EXPECT_EQ(languages.size(), 19u);  // neutral and 18 languages
    for (std::uint16_t language : {0x0816, 0x0412, 0x0804, 0x0807})
        EXPECT_TRUE(resources::StringTableOf(language).empty()) << language;
    // Every language with dialog templates has a string table; Japanese has strings only.
    std::set<std::uint16_t> withStrings(languages.begin(), languages.end());
    for (std::uint16_t language : DialogTemplateLanguages())
        EXPECT_EQ(withStrings.count(language), 1u) << language;
    EXPECT_EQ(withStrings.count(0x0411), 1u);
    EXPECT_EQ(withStrings.size(), DialogTemplateLanguages().size() + 2);  // Japanese, neutral
}


// The symbolic name of a table's string id, which must exist in the string table.
std::string NameOf(std::uint32_t id)
{
    EXPECT_LT(id, 0x10000u);
    return StringIdName(static_cast<StringId>(id));
}

std::string WithoutUnderscores(std::string text)
{
    std::erase(text, '_');
    return text;
}

TEST(StringTable, VocabularyTablesNameTheirOwnStrings)
{
    for (const PanelLanguageRow& row : PanelLanguageTable())
        EXPECT_EQ(NameOf(row.stringId).rfind("IDS_PANELLANG_", 0), 0u) << row.stringId;
    EXPECT_EQ(LoadText(LANG_ENGLISH_US, static_cast<StringId>(PanelLanguageTable()[0].stringId)),
              "English");

    // Country rows: the name spells the keyword, but for a few historic names.
    const std::set<std::string> oddNames = {"IDS_COUNTRY_KOREAN", "IDS_COUNTRY_UNITED_STATUS",
                                            "IDS_COUNTRY_TRINIDAD_TOBAGO"};
    for (const FaxCodeRow& row : FaxCountryTable()) {
        std::string name = NameOf(row.stringId);
        ASSERT_EQ(name.rfind("IDS_COUNTRY_", 0), 0u) << row.keyword;
        if (oddNames.count(name) == 0) {
            EXPECT_EQ(WithoutUnderscores(name.substr(12)).rfind(row.keyword, 0), 0u)
                << name << " for " << row.keyword;
        }
        EXPECT_TRUE(LoadStringForLanguage(LANG_ENGLISH_US, static_cast<StringId>(row.stringId)).found);
    }

    const std::pair<FaxTableKind, const char*> codeTables[] = {
        {FaxTableKind::LineType, "IDS_LINETYPE_"},
        {FaxTableKind::DialType, "IDS_TONE_PULSE_"},
        {FaxTableKind::ReceiveMode, "IDS_RECEVEMODE_"},
        {FaxTableKind::RingPattern, "IDS_DRPD_PATTERN"},
    };
    for (auto [kind, prefix] : codeTables) {
        for (const FaxCodeRow& row : FaxCodeTable(kind)) {
            EXPECT_EQ(NameOf(row.stringId).rfind(prefix, 0), 0u) << row.keyword;
            EXPECT_TRUE(LoadStringForLanguage(LANG_ENGLISH_US, static_cast<StringId>(row.stringId)).found);
        }
    }

    const std::pair<std::span<const IndexedKeyword>, const char*> indexed[] = {
        {IpModeTable, "IDS_IPMODE_"}, {Ipv4TypeTable, "IDS_TYPE_"}, {NetworkTypeTable, "IDS_TYPE_NET_"}};
    for (auto [table, prefix] : indexed) {
        for (const IndexedKeyword& row : table)
            EXPECT_EQ(NameOf(row.stringId).rfind(prefix, 0), 0u) << row.keyword;
    }
    for (const CodedKeyword& row : ApSecurityTable)
        EXPECT_EQ(NameOf(row.stringId).rfind("IDS_AP_SECURITYTYPE_", 0), 0u) << row.keyword;
    for (const CodedKeyword& row : LinkQualityTable)
        EXPECT_EQ(NameOf(row.stringId).rfind("IDS_AP_RSSI_", 0), 0u) << row.keyword;
}

}
}
