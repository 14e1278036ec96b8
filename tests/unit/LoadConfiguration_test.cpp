#include "config/FaxTables.h"
#include "config/FeatureNameTable.h"
#include "config/LoadConfiguration.h"
#include "config/PanelLanguageTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace plintor {
namespace {

// Languages the program can show its interface in, as far as these tests are concerned.
bool Usable(std::uint16_t langId)
{
    return langId == 1033 || langId == 1031 || langId == 1036;
}

// A complete configuration, section by section; tests replace or drop single lines.
struct ConfigText {
    std::map<std::string, std::map<std::string, std::string>> sections = {
        {"General Setting", {{"SUPPORT_CONNECTIONTYPE", "USB,NET"}, {"SUPPORT_FEATURE", "IP,Wireless,FAX,Panel"},
                                {"MUTEX_NAME", "Test"}}},
        {"USB Prn Search", {{"LOCATION_INFO_NUM", "1"}, {"LOCATION_INFO_0", "LOC"}, {"USB_ID_NUM", "1"},
                               {"USB_ID_0", "MODEL"}}},
        {"Net Prn Search", {{"SYSOBJECTID_NUM", "1"}, {"SYSOBJECTID_0", "1.3.6.1.4.1.99999.1.1"}}},
        {"Utility Language Setting", {{"SUPPORT_UTIL_LANG_NUM", "2"}, {"UTIL_LANG_0", "1033"},
                                         {"UTIL_LANG_1", "1031"}}},
        {"Panel Language Setting", {{"SUPPORT_PANEL_LANG_NUM", "2"}, {"PANEL_LANG_0", "1033"},
                                       {"PANEL_LANG_1", "1036"}}},
        {"Fax Setting", {{"FAX_COUNTRY_NUM", "2"}, {"COUNTRY_0", "244"}, {"COUNTRY_1", "39"},
                            {"FAX_LINE_TYPE", "1,2"}, {"FAX_TONE_PULSE", "1,2,3"}, {"FAX_RECIEVE_MODE", "1,2,5"},
                            {"FAX_DRPD_PATTERN", "1,4,7"}, {"FAX_COUNTRY_DEFAULT", "39"},
                            {"FAX_LINETYPE_DEFAULT", "2"}, {"FAX_TONEPULSE_DEFAULT", "3"},
                            {"FAX_RECIEVEMODE_DEFAULT", "5"}, {"FAX_DRPDPATTERN_DEFAULT", "7"}}},
        {"Wireless Setting", {{"AP_USB_DISCOVERY", "ON"}, {"CHECK_WLAN", "off"}}},
    };

    ConfigText& Set(const std::string& section, const std::string& key, const std::string& value)
    {
        sections[section][key] = value;
        return *this;
    }
    ConfigText& Drop(const std::string& section, const std::string& key)
    {
        sections[section].erase(key);
        return *this;
    }
    ConfigText& DropSection(const std::string& section)
    {
        sections.erase(section);
        return *this;
    }
    std::string Text() const
    {
        std::string text;
        for (const auto& [name, keys] : sections) {
            text += "[" + name + "]\n";
            for (const auto& [key, value] : keys)
                text += key + "=" + value + "\n";
        }
        return text;
    }
};

template <typename Country>
FaxSettings Defaults(Country country, int lineType, int dialType, int receiveMode, int drpdPattern)
{
    FaxSettings fax;
    fax.faxEnabled = 1;
    fax.country = static_cast<decltype(fax.country)>(country);
    fax.lineType = static_cast<decltype(fax.lineType)>(lineType);
    fax.dialType = static_cast<decltype(fax.dialType)>(dialType);
    fax.receiveMode = static_cast<decltype(fax.receiveMode)>(receiveMode);
    fax.drpdPattern = static_cast<decltype(fax.drpdPattern)>(drpdPattern);
    return fax;
}

bool Load(const ConfigText& text, UtilityConfig& config)
{
    return LoadConfiguration(config, IniFile::Parse(text.Text()), Usable);
}

TEST(LoadConfiguration, CompleteFileFillsEveryField)
{
    UtilityConfig config;
    ASSERT_TRUE(Load(ConfigText(), config));
    EXPECT_EQ(config.connectionTypes, ConnectionUsb | ConnectionNet);
    EXPECT_EQ(config.features, FeatureIp | FeatureWireless | FeatureFax | FeaturePanel);
    EXPECT_EQ(config.usbLocationInfos, std::vector<std::string>{"LOC"});
    EXPECT_EQ(config.usbIds, std::vector<std::string>{"MODEL"});
    EXPECT_EQ(config.sysObjectIds, std::vector<std::string>{"1.3.6.1.4.1.99999.1.1"});
    EXPECT_EQ(config.utilityLanguages, (std::vector<std::uint16_t>{1033, 1031}));
    EXPECT_EQ(config.panelLanguages, (std::vector<std::uint16_t>{1033, 1036}));
    EXPECT_EQ(config.faxCountries, (std::vector<std::int32_t>{244, 39}));
    EXPECT_EQ(config.faxReceiveModes, (std::vector<std::int32_t>{1, 2, 5}));
    EXPECT_EQ(config.apUsbDiscovery, 1);
    EXPECT_EQ(config.checkWlanDefault, 0);
    EXPECT_EQ(config.faxDefaults, Defaults(39, 2, 3, 5, 7));
}

TEST(LoadConfiguration, FeatureListRules)
{
    UtilityConfig config;
    EXPECT_FALSE(Load(ConfigText().Set("General Setting", "SUPPORT_FEATURE", "Panel"), config));
    EXPECT_FALSE(Load(ConfigText().Set("General Setting", "SUPPORT_FEATURE", "panel,Unknown,PANEL"), config));

    config = {};
    ASSERT_TRUE(Load(ConfigText().Set("General Setting", "SUPPORT_FEATURE", "Panel,IP"), config));
    EXPECT_EQ(config.features, FeatureIp | FeaturePanel);

    config = {};
    ASSERT_TRUE(Load(ConfigText().Set("General Setting", "SUPPORT_FEATURE", "Scanner,Copier"), config));
    EXPECT_EQ(config.features, 0u);

    // Blanks after the commas keep only the first feature.
    config = {};
    ASSERT_TRUE(Load(ConfigText().Set("General Setting", "SUPPORT_FEATURE", "ip, Wireless, FAX, Panel"), config));
    EXPECT_EQ(config.features, FeatureIp);

    EXPECT_FALSE(Load(ConfigText().Drop("General Setting", "SUPPORT_FEATURE"), config));
    EXPECT_FALSE(Load(ConfigText().Set("General Setting", "SUPPORT_FEATURE", ""), config));
}

TEST(LoadConfiguration, ConnectionTypeRules)
{
    UtilityConfig config;
    ASSERT_TRUE(Load(ConfigText().Set("General Setting", "SUPPORT_CONNECTIONTYPE", "usb,net"), config));
    EXPECT_EQ(config.connectionTypes, ConnectionUsb | ConnectionNet);
    EXPECT_FALSE(Load(ConfigText().Set("General Setting", "SUPPORT_CONNECTIONTYPE", "USB, NET"), config));
    EXPECT_FALSE(Load(ConfigText().Set("General Setting", "SUPPORT_CONNECTIONTYPE", "USB,SERIAL"), config));
    EXPECT_FALSE(Load(ConfigText().Set("General Setting", "SUPPORT_CONNECTIONTYPE", ",,"), config));
    EXPECT_FALSE(Load(ConfigText().Drop("General Setting", "SUPPORT_CONNECTIONTYPE"), config));

    // The search lists of a connection type not offered are never read.
    config = {};
    ASSERT_TRUE(Load(ConfigText().Set("General Setting", "SUPPORT_CONNECTIONTYPE", "NET").DropSection("USB Prn Search"),
        config));
    EXPECT_EQ(config.connectionTypes, ConnectionNet);
    EXPECT_TRUE(config.usbIds.empty());
    config = {};
    ASSERT_TRUE(Load(ConfigText().Set("General Setting", "SUPPORT_CONNECTIONTYPE", "USB").DropSection("Net Prn Search"),
        config));
    EXPECT_TRUE(config.sysObjectIds.empty());
    EXPECT_FALSE(Load(ConfigText().Set("General Setting", "SUPPORT_CONNECTIONTYPE", "USB").Drop("USB Prn Search",
        "LOCATION_INFO_0"), config));
    EXPECT_FALSE(Load(ConfigText().Drop("Net Prn Search", "SYSOBJECTID_NUM"), config));
}

TEST(LoadConfiguration, CountedLanguageListsWithHolesFail)
{
    UtilityConfig config;
    ConfigText text;
    text.Set("Utility Language Setting", "UTIL_LANG_2", "1036");   // beyond the count: never read
    ASSERT_TRUE(Load(text, config));
    EXPECT_EQ(config.utilityLanguages, (std::vector<std::uint16_t>{1033, 1031}));

    EXPECT_FALSE(Load(ConfigText().Drop("Utility Language Setting", "UTIL_LANG_1"), config));
    EXPECT_FALSE(Load(ConfigText().Set("Utility Language Setting", "SUPPORT_UTIL_LANG_NUM", "0"), config));
    EXPECT_FALSE(Load(ConfigText().Set("Panel Language Setting", "PANEL_LANG_1", ""), config));
}

TEST(LoadConfiguration, UnsupportedLanguagesAndCodesAreDroppedSilently)
{
    UtilityConfig config;
    ConfigText text;
    text.Set("Utility Language Setting", "SUPPORT_UTIL_LANG_NUM", "3")
        .Set("Utility Language Setting", "UTIL_LANG_0", "1041")   // no interface in Japanese
        .Set("Utility Language Setting", "UTIL_LANG_2", "1036")
        .Set("Panel Language Setting", "PANEL_LANG_1", "2057")    // not a panel language
        .Set("Fax Setting", "FAX_COUNTRY_NUM", "3")
        .Set("Fax Setting", "COUNTRY_1", "999")
        .Set("Fax Setting", "COUNTRY_2", "19618")
        .Set("Fax Setting", "FAX_TONE_PULSE", "4,2,x")
        .Set("Fax Setting", "FAX_DRPD_PATTERN", "8,0");
    ASSERT_TRUE(Load(text, config));
    EXPECT_EQ(config.utilityLanguages, (std::vector<std::uint16_t>{1031, 1036}));
    EXPECT_EQ(config.panelLanguages, std::vector<std::uint16_t>{1033});
    EXPECT_EQ(config.faxCountries, (std::vector<std::int32_t>{244, 19618}));
    EXPECT_EQ(config.faxDialTypes, std::vector<std::int32_t>{2});
    EXPECT_TRUE(config.faxDrpdPatterns.empty());
    // Defaults not offered fall back to the first entry, or to the built-in start value
    // when the list is empty.
    EXPECT_EQ(config.faxDefaults, Defaults(244, 2, 2, 5, 4));
}

TEST(LoadConfiguration, FaxDefaultsFallBack)
{
    UtilityConfig config;
    ConfigText text;
    text.Set("Fax Setting", "FAX_TONEPULSE_DEFAULT", "2")
        .Set("Fax Setting", "FAX_TONE_PULSE", "3,1")
        .Drop("Fax Setting", "FAX_COUNTRY_DEFAULT")
        .Set("Fax Setting", "FAX_LINETYPE_DEFAULT", "junk")
        .Set("Fax Setting", "FAX_RECIEVE_MODE", "9")
        .Set("Fax Setting", "COUNTRY_0", "5")
        .Set("Fax Setting", "COUNTRY_1", "7");
    ASSERT_TRUE(Load(text, config));
    // No country offered keeps "none"; an empty receive mode list keeps the start value 2.
    FaxSettings expected = Defaults(FaxSettings().country, 1, 3, 2, 7);
    EXPECT_EQ(config.faxDefaults, expected);

    EXPECT_FALSE(Load(ConfigText().Drop("Fax Setting", "FAX_DRPD_PATTERN"), config));
    EXPECT_FALSE(Load(ConfigText().Set("Fax Setting", "FAX_COUNTRY_NUM", "3"), config));
}

TEST(LoadConfiguration, SectionsOfFeaturesNotOfferedMayBeAbsent)
{
    UtilityConfig config;
    ConfigText text;
    text.Set("General Setting", "SUPPORT_FEATURE", "IP")
        .DropSection("Fax Setting")
        .DropSection("Panel Language Setting")
        .DropSection("Wireless Setting");
    ASSERT_TRUE(Load(text, config));
    EXPECT_TRUE(config.panelLanguages.empty());
    EXPECT_TRUE(config.faxCountries.empty());
    EXPECT_EQ(config.faxDefaults, FaxSettings());

    EXPECT_FALSE(Load(ConfigText().DropSection("Fax Setting"), config));
    EXPECT_FALSE(Load(ConfigText().DropSection("Panel Language Setting"), config));
    EXPECT_FALSE(Load(ConfigText().DropSection("Utility Language Setting"), config));
}

TEST(LoadConfiguration, WirelessSwitchesAreRequiredAndStrict)
{
    UtilityConfig config;
    EXPECT_FALSE(Load(ConfigText().Set("Wireless Setting", "CHECK_WLAN", "1"), config));
    EXPECT_FALSE(Load(ConfigText().Set("Wireless Setting", "AP_USB_DISCOVERY", "ONN"), config));
    EXPECT_FALSE(Load(ConfigText().Drop("Wireless Setting", "CHECK_WLAN"), config));
    config = {};
    ASSERT_TRUE(Load(ConfigText().Set("Wireless Setting", "CHECK_WLAN", "On").Set("Wireless Setting",
        "AP_USB_DISCOVERY", "oFF"), config));
    EXPECT_EQ(config.checkWlanDefault, 1);
    EXPECT_EQ(config.apUsbDiscovery, 0);
}

TEST(LoadConfiguration, EmptyPathAndMissingFileFail)
{
    UtilityConfig config;
    EXPECT_FALSE(LoadConfiguration(config, std::string(), Usable));
    EXPECT_FALSE(LoadConfiguration(config, std::string("/nonexistent/plintor.ini"), Usable));
    EXPECT_FALSE(LoadConfiguration(config, IniFile(), Usable));
}

TEST(LoadConfiguration, SampleConfigurationBesideTheProgramLoads)
{
    UtilityConfig config;
    ASSERT_TRUE(LoadConfiguration(config, std::string(PLINTOR_BIN_DIR "/plintor.ini"),
        [](std::uint16_t) { return true; }));
    EXPECT_EQ(config.connectionTypes, ConnectionUsb | ConnectionNet);
    EXPECT_EQ(config.features, FeatureIp | FeatureWireless | FeatureFax | FeaturePanel);
    EXPECT_EQ(config.utilityLanguages.size(), 17u);
    EXPECT_GE(config.panelLanguages.size(), 2u);
    EXPECT_GE(config.faxCountries.size(), 2u);
    EXPECT_FALSE(config.sysObjectIds.empty());
    EXPECT_FALSE(config.usbIds.empty());
}

TEST(ModelTables, RowsAndLookUps)
{
    ASSERT_EQ(PanelLanguageTable().size(), 22u);
    EXPECT_EQ(PanelLanguageRowOfLangId(0x0409), 0);
    EXPECT_EQ(PanelLanguageRowOfLangId(0x040B), 9);
    EXPECT_EQ(PanelLanguageAt(9)->stringId, 660u);
    EXPECT_EQ(FindPanelLanguage(0x0404)->pjlName, "TRADITIONALCHINESE");
    EXPECT_EQ(PanelLanguageRowOfLangId(0x0807), -1);
    EXPECT_EQ(PanelLanguageAt(22), nullptr);
    EXPECT_EQ(PanelLanguageAt(-1), nullptr);

    EXPECT_EQ(FeatureBitOfName("wireless"), FeatureWireless);
    EXPECT_EQ(FeatureBitOfName(" FAX"), 0u);

    ASSERT_EQ(FaxCountryTable().size(), 86u);
    EXPECT_EQ(FaxCountryTable()[0].keyword, "ALBANIA");
    EXPECT_EQ(FaxCountryTable()[85].keyword, "YEMEN");
    EXPECT_EQ(CountryCodeOfKeyword("unitedstates"), 244);
    EXPECT_EQ(CountryCodeOfKeyword("MACEDONIA"), 19618);
    EXPECT_EQ(CountryCodeOfKeyword("ATLANTIS"), -1);
    EXPECT_EQ(CountryRowOfCode(134), 39);   // SOUTHKOREA, row 40 of the list
    EXPECT_EQ(CountryRowOfCode(0), -1);
    EXPECT_EQ(FaxRowOfCode(FaxTableKind::RingPattern, 7), 6);
    EXPECT_EQ(FaxRowOfCode(FaxTableKind::DialType, 3), 2);
    EXPECT_EQ(FaxCodeTable(FaxTableKind::DialType)[1].keyword, "DP10");
    EXPECT_EQ(FaxRowOfCode(FaxTableKind::LineType, 3), -1);
    EXPECT_EQ(FaxRowOfCode(FaxTableKind::ReceiveMode, -1), -1);
}

}
}
