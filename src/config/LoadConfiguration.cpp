#include "config/LoadConfiguration.h"

#include "config/ConfigReader.h"
#include "config/FaxTables.h"
#include "config/GeneralSettings.h"
#include "config/PanelLanguageTable.h"
#include "config/TextCompare.h"

#include <string_view>
#include <type_traits>

namespace plintor {

namespace {

constexpr std::string_view kUsbSection = "USB Prn Search";
constexpr std::string_view kNetSection = "Net Prn Search";
constexpr std::string_view kUtilityLanguageSection = "Utility Language Setting";
constexpr std::string_view kPanelLanguageSection = "Panel Language Setting";
constexpr std::string_view kFaxSection = "Fax Setting";
constexpr std::string_view kWirelessSection = "Wireless Setting";

bool ReadConnectionTypes(const IniFile& file, std::uint32_t& types)
{
    std::string value;
    if (!ReadTextKey(file, kGeneralSettingSection, "SUPPORT_CONNECTIONTYPE", value))
        return false;
    types = 0;
    for (std::string_view piece : SplitCommaList(value)) {
        if (EqualsNoCase(piece, "USB"))
            types |= ConnectionUsb;
        else if (EqualsNoCase(piece, "NET"))
            types |= ConnectionNet;
        else
            return false;
    }
    return types != 0;
}

bool ReadFeatures(const IniFile& file, std::uint32_t& features)
{
    std::string value;
    if (!ReadTextKey(file, kGeneralSettingSection, "SUPPORT_FEATURE", value))
        return false;
    features = 0;
    for (std::string_view piece : SplitCommaList(value))
        features |= FeatureBitOfName(piece);
    return features != FeaturePanel;
}

// A counted list of LANGIDs, keeping those that `keep` accepts.
template <typename Keep>
bool ReadLanguages(const IniFile& file, std::string_view section, std::string_view countKey,
    std::string_view pattern, std::vector<std::uint16_t>& languages, Keep keep)
{
    std::vector<std::string> values;
    if (!ReadListKey(file, section, countKey, pattern, values))
        return false;
    languages.clear();
    for (const std::string& value : values) {
        auto langId = static_cast<std::uint16_t>(TextToInt(value));
        if (keep(langId))
            languages.push_back(langId);
    }
    return true;
}

bool ReadFaxCountries(const IniFile& file, std::vector<std::int32_t>& countries)
{
    std::vector<std::string> values;
    countries.clear();
    if (!ReadListKey(file, kFaxSection, "FAX_COUNTRY_NUM", "COUNTRY_%u", values))
        return false;
    for (const std::string& value : values) {
        std::int32_t code = TextToInt(value);
        if (CountryRowOfCode(code) >= 0)
            countries.push_back(code);
    }
    return true;
}

// A required comma list of codes of one FAX code table; unknown codes are dropped and
// the list may end up empty.
bool ReadFaxCodes(const IniFile& file, std::string_view key, FaxTableKind kind, std::vector<std::int32_t>& codes)
{
    std::string value;
    if (!ReadTextKey(file, kFaxSection, key, value))
        return false;
    codes.clear();
    for (std::string_view piece : SplitCommaList(value)) {
        std::int32_t code = TextToInt(piece);
        if (FaxRowOfCode(kind, code) >= 0)
            codes.push_back(code);
    }
    return true;
}

// A default is taken when the matching list offers it; otherwise the list's first entry,
// otherwise the built-in starting value.
std::int32_t ReadFaxDefault(const IniFile& file, std::string_view key, const std::vector<std::int32_t>& offered,
    std::int32_t start)
{
    std::string value;
    ReadTextKey(file, kFaxSection, key, value);
    std::int32_t code = TextToInt(value);
    if (UtilityConfig::Contains(offered, code))
        return code;
    return UtilityConfig::FirstOr(offered, start);
}

bool ReadSwitch(const IniFile& file, std::string_view key, std::int32_t& on)
{
    SwitchValue value = ReadSwitchKey(file, kWirelessSection, key);
    if (value != SwitchValue::On && value != SwitchValue::Off)
        return false;
    on = value == SwitchValue::On ? 1 : 0;
    return true;
}

}

bool LoadConfiguration(UtilityConfig& config, const IniFile& file, const LanguageUsableTest& usable)
{
    if (!ReadConnectionTypes(file, config.connectionTypes))
        return false;

    if (config.HasConnectionType(ConnectionUsb)) {
        if (!ReadListKey(file, kUsbSection, "LOCATION_INFO_NUM", "LOCATION_INFO_%u", config.usbLocationInfos))
            return false;
        if (!ReadListKey(file, kUsbSection, "USB_ID_NUM", "USB_ID_%u", config.usbIds))
            return false;
    }
    if (config.HasConnectionType(ConnectionNet)) {
        if (!ReadListKey(file, kNetSection, "SYSOBJECTID_NUM", "SYSOBJECTID_%u", config.sysObjectIds))
            return false;
    }

    if (!ReadFeatures(file, config.features))
        return false;

    if (!ReadLanguages(file, kUtilityLanguageSection, "SUPPORT_UTIL_LANG_NUM", "UTIL_LANG_%u",
            config.utilityLanguages, [&](std::uint16_t langId) { return usable && usable(langId); }))
        return false;

    if (config.HasFeature(FeaturePanel)) {
        if (!ReadLanguages(file, kPanelLanguageSection, "SUPPORT_PANEL_LANG_NUM", "PANEL_LANG_%u",
                config.panelLanguages,
                [](std::uint16_t langId) { return PanelLanguageRowOfLangId(langId) >= 0; }))
            return false;
    }

    if (config.HasFeature(FeatureFax)) {
        if (!ReadFaxCountries(file, config.faxCountries))
            return false;
        if (!ReadFaxCodes(file, "FAX_LINE_TYPE", FaxTableKind::LineType, config.faxLineTypes)
            || !ReadFaxCodes(file, "FAX_TONE_PULSE", FaxTableKind::DialType, config.faxDialTypes)
            || !ReadFaxCodes(file, "FAX_RECIEVE_MODE", FaxTableKind::ReceiveMode, config.faxReceiveModes)
            || !ReadFaxCodes(file, "FAX_DRPD_PATTERN", FaxTableKind::RingPattern, config.faxDrpdPatterns))
            return false;

        FaxSettings defaults;
        auto take = [&](auto& field, std::string_view key, const std::vector<std::int32_t>& offered,
                        std::int32_t start) {
            field = static_cast<std::remove_reference_t<decltype(field)>>(ReadFaxDefault(file, key, offered, start));
        };
        defaults.faxEnabled = 1;
        take(defaults.country, "FAX_COUNTRY_DEFAULT", config.faxCountries, -1);
        take(defaults.lineType, "FAX_LINETYPE_DEFAULT", config.faxLineTypes, 1);
        take(defaults.dialType, "FAX_TONEPULSE_DEFAULT", config.faxDialTypes, 1);
        take(defaults.receiveMode, "FAX_RECIEVEMODE_DEFAULT", config.faxReceiveModes, 2);
        take(defaults.drpdPattern, "FAX_DRPDPATTERN_DEFAULT", config.faxDrpdPatterns, 4);
        config.faxDefaults = defaults;
    }

    if (config.HasFeature(FeatureWireless)) {
        if (!ReadSwitch(file, "AP_USB_DISCOVERY", config.apUsbDiscovery))
            return false;
        if (!ReadSwitch(file, "CHECK_WLAN", config.checkWlanDefault))
            return false;
    }
    return true;
}

bool LoadConfiguration(UtilityConfig& config, const std::string& path, const LanguageUsableTest& usable)
{
    if (path.empty())
        return false;
    IniFile file;
    file.Load(path);   // an unreadable file holds no keys, so the first required key fails
    return LoadConfiguration(config, file, usable);
}

}
