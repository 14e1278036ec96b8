// libFuzzer target for the configuration file reader and loader: any file text gives values
// that are valid UTF-8 of at most 259 characters without blanks at their ends, found in any
// letter case, the first occurrence of a key winning; the file read from disk is the text
// parsed; and a configuration that loads holds only what the built-in tables and the
// program offer.
//
// Input: the file's text.
#include "FuzzSupport.h"

#include "config/ConfigReader.h"
#include "config/FaxTables.h"
#include "config/GeneralSettings.h"
#include "config/IniFile.h"
#include "config/LoadConfiguration.h"
#include "config/PanelLanguageTable.h"
#include "config/TextCompare.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace plintor;
using namespace plintor::fuzz;

namespace {

// The section and key pairs the program reads.
struct Key {
    const char* section;
    const char* key;
};
constexpr Key kKeys[] = {
    {"General Setting", "SUPPORT_CONNECTIONTYPE"}, {"General Setting", "SUPPORT_FEATURE"},
    {"General Setting", "MUTEX_NAME"}, {"General Setting", "SEND_PJL_VERIFICATION"},
    {"USB Prn Search", "USB_ID_NUM"}, {"USB Prn Search", "USB_ID_0"}, {"Net Prn Search", "SYSOBJECTID_0"},
    {"Utility Language Setting", "UTIL_LANG_0"}, {"Fax Setting", "FAX_LINE_TYPE"},
    {"Fax Setting", "COUNTRY_0"}, {"Wireless Setting", "CHECK_WLAN"},
};

std::string Upper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

void CheckValue(const std::optional<std::string>& value)
{
    if (!value)
        return;
    Check(IsValidUtf8(*value), "a value is valid UTF-8");
    std::size_t characters = 0;
    for (unsigned char c : *value)
        characters += (c & 0xC0) != 0x80;
    Check(characters <= IniFile::kMaxValueChars, "a value holds at most 259 characters");
    Check(value->find_first_of(std::string("\n\0", 2)) == std::string::npos, "a value is one line without NUL");
    Check(value->empty() || !IsBlank(value->front()), "a value starts without blanks");
    Check(value->empty() || characters == IniFile::kMaxValueChars || !IsBlank(value->back()),
          "a value ends without blanks unless it was cut");
}

void CheckLoaded(const UtilityConfig& config)
{
    Check(config.connectionTypes != 0 && config.connectionTypes <= (ConnectionUsb | ConnectionNet),
          "a loaded configuration offers USB, the network or both");
    // A list without any known feature name loads (with no feature), as the file format allows.
    Check(config.features != FeaturePanel && config.features <= 0xF,
          "a loaded configuration offers known features, not the panel alone");
    auto nonEmpty = [](const std::vector<std::string>& list) {
        return !list.empty() && std::none_of(list.begin(), list.end(), [](const std::string& s) { return s.empty(); });
    };
    if (config.HasConnectionType(ConnectionUsb))
        Check(nonEmpty(config.usbIds) && nonEmpty(config.usbLocationInfos), "USB search lists are complete");
    if (config.HasConnectionType(ConnectionNet))
        Check(nonEmpty(config.sysObjectIds), "the network search list is complete");
    for (std::uint16_t langId : config.panelLanguages)
        Check(PanelLanguageRowOfLangId(langId) >= 0, "a panel language is one of the table");
    if (config.HasFeature(FeatureFax)) {
        for (std::int32_t code : config.faxCountries)
            Check(CountryRowOfCode(code) >= 0, "a FAX country is one of the table");
        const FaxTableKind kinds[] = {FaxTableKind::LineType, FaxTableKind::DialType, FaxTableKind::ReceiveMode,
                                      FaxTableKind::RingPattern};
        for (FaxTableKind kind : kinds)
            for (std::int32_t code : config.FaxCodes(kind))
                Check(FaxRowOfCode(kind, code) >= 0, "a FAX code is one of its table");
        const FaxSettings& d = config.faxDefaults;
        Check(config.OffersFaxCountry(d.country) || (config.faxCountries.empty() && d.country == FaxSettings::kNoCountry),
              "the default country is offered");
        Check(config.OffersFaxCode(FaxTableKind::LineType, d.lineType) || config.faxLineTypes.empty(),
              "the default line type is offered");
        Check(config.OffersFaxCode(FaxTableKind::RingPattern, d.drpdPattern) || config.faxDrpdPatterns.empty(),
              "the default ring pattern is offered");
    }
    Check(config.checkWlanDefault <= 1 && config.apUsbDiscovery <= 1, "switches are 0 or 1");
}

bool SameConfig(const UtilityConfig& a, const UtilityConfig& b)
{
    return a.sysObjectIds == b.sysObjectIds && a.usbLocationInfos == b.usbLocationInfos && a.usbIds == b.usbIds
        && a.features == b.features && a.utilityLanguages == b.utilityLanguages
        && a.panelLanguages == b.panelLanguages && a.faxCountries == b.faxCountries
        && a.faxLineTypes == b.faxLineTypes && a.faxDialTypes == b.faxDialTypes
        && a.faxReceiveModes == b.faxReceiveModes && a.faxDrpdPatterns == b.faxDrpdPatterns
        && a.checkWlanDefault == b.checkWlanDefault && a.apUsbDiscovery == b.apUsbDiscovery
        && a.faxDefaults == b.faxDefaults && a.connectionTypes == b.connectionTypes;
}

// The text in a file of its own, for the readers that take a path.
std::string WriteFile(std::string_view text)
{
    static const std::string path = [] {
        // Memory-backed where the system has it: the file is written once per input.
        const char* folder = std::getenv("TMPDIR");
        std::string base = folder && *folder ? folder : access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return base + "/plintor-config-fuzz-" + std::to_string(getpid()) + ".ini";
    }();
    static const bool removedAtExit = std::atexit([] { std::remove(path.c_str()); }) == 0;
    (void)removedAtExit;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr, "the file for the path readers can be written");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return path;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    IniFile file = IniFile::Parse(text);

    // Appending a key that is already there changes nothing; one that is not appears.
    IniFile extended = IniFile::Parse(std::string(text) + "\n[General Setting]\nMUTEX_NAME=appended\n");
    std::optional<std::string> mutex = file.Find("General Setting", "MUTEX_NAME");
    Check(extended.Find("general setting", "mutex_name") == (mutex ? *mutex : std::string("appended")),
          "the first occurrence of a key wins");

    for (const Key& k : kKeys) {
        std::optional<std::string> value = file.Find(k.section, k.key);
        CheckValue(value);
        Check(file.Find(Upper(k.section), ToLowerAscii(k.key)) == value, "names match in any letter case");
    }

    UtilityConfig config;
    bool loaded = LoadConfiguration(config, file, [](std::uint16_t langId) { return langId != 1041; });
    if (loaded)
        CheckLoaded(config);
    for (std::uint16_t langId : config.utilityLanguages)
        Check(langId != 1041, "an interface language the program lacks is dropped");

    // The loader by path reads the same file.
    std::string path = WriteFile(text);
    UtilityConfig fromDisk;
    bool loadedFromDisk = LoadConfiguration(fromDisk, path, [](std::uint16_t langId) { return langId != 1041; });
    Check(loadedFromDisk == loaded && SameConfig(fromDisk, config), "the file read from disk is the text parsed");
    std::string name;
    Check(ReadMutexName(path, name) == ReadMutexName(file, name), "the switches read by path match the text");
    Check(IsPjlVerificationOn(path) == IsPjlVerificationOn(file), "the switches read by path match the text");
    return 0;
}
