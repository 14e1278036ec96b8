#include "pages/ConfigSummary.h"

#include "config/FaxTables.h"
#include "core/ConfigureFlags.h"
#include "core/StringIds.h"
#include "core/StringTable.h"
#include "platform/AnsiCodePage.h"
#include "settings/KeywordTables.h"

#include <span>

namespace plintor {

namespace {

constexpr const char* kLineEnd = "\r\n";

// WirelessSettings::security values.
constexpr std::uint32_t kSecurityWep = 1;
// IpSettings values.
constexpr std::uint32_t kStackDual = 0;
constexpr std::uint32_t kStackIpv4 = 1;
constexpr std::uint32_t kStackIpv6 = 2;
constexpr std::uint32_t kIpv4Static = 1;
// WirelessSettings::networkType of an ad hoc network.
constexpr std::uint32_t kNetworkAdHoc = 1;
// FaxSettings::receiveMode of distinctive ring pattern detection.
constexpr std::uint32_t kReceiveModeDrpd = 5;

// The security texts, by WirelessSettings::security.
constexpr StringId kSecurityTexts[] = {
    IDS_SECURITY_NOSECURITY, IDS_SECURITY_WEP, IDS_SECURITY_WPAPSKTKIP, IDS_SECURITY_WPAPSKAES,
    IDS_SECURITY_WPAPSKMIX,
};

class SummaryWriter {
public:
    explicit SummaryWriter(LangId summaryLanguage) : language(summaryLanguage) {}

    std::string Text(StringId id) const { return LoadText(language, id); }

    void Line(const std::string& line)
    {
        out += line;
        out += kLineEnd;
    }
    void Line(StringId id) { Line(Text(id)); }
    void Label(StringId label, const std::string& value) { Line(Text(label) + value); }
    void Label(StringId label, StringId value) { Label(label, Text(value)); }

    // The display text of row `index` of an indexed table; empty for a row it lacks.
    std::string IndexedText(std::span<const IndexedKeyword> table, std::uint32_t index) const
    {
        return index < table.size() ? Text(static_cast<StringId>(table[index].stringId)) : std::string();
    }

    // The display text of the FAX row with `code`; empty for a code no row has.
    std::string FaxText(std::span<const FaxCodeRow> table, int row) const
    {
        return row >= 0 && static_cast<std::size_t>(row) < table.size()
            ? Text(static_cast<StringId>(table[static_cast<std::size_t>(row)].stringId))
            : std::string();
    }

    std::string out;

private:
    LangId language;
};

void WriteIpLines(SummaryWriter& w, const IpSettings& ip, bool withGateways)
{
    w.Label(IDS_SUMMARY_IPMODE, w.IndexedText(IpModeTable, ip.stackMode));
    if (ip.stackMode == kStackDual || ip.stackMode == kStackIpv4) {
        w.Line(IDS_SUMMARY_IPV4_HEADER);
        w.Label(IDS_SUMMARY_IPV4_TYPE, w.IndexedText(Ipv4TypeTable, ip.ipv4Mode));
        if (ip.ipv4Mode == kIpv4Static) {
            w.Label(IDS_SUMMARY_IPV4_ADDRESS, FormatDottedAddress(ip.ipv4Address));
            w.Label(IDS_SUMMARY_IPV4_MASK, FormatDottedAddress(ip.subnetMask));
            if (withGateways)
                w.Label(IDS_SUMMARY_IPV4_GATEWAY, FormatDottedAddress(ip.gateway));
        }
    }
    if (ip.stackMode == kStackDual || ip.stackMode == kStackIpv6) {
        w.Line(IDS_SUMMARY_IPV6_HEADER);
        if (ip.ipv6Manual == 1) {
            w.Label(IDS_SUMMARY_IPV6_USE_MANUAL, IDS_SUMMARY_USE);
            w.Label(IDS_SUMMARY_IPV6_ADDRESS, ip.ipv6Address + "/" + std::to_string(ip.ipv6PrefixLength));
            if (withGateways)
                w.Label(IDS_SUMMARY_IPV6_GATEWAY, ip.ipv6Gateway);
        } else {
            w.Label(IDS_SUMMARY_IPV6_USE_MANUAL, IDS_SUMMARY_DO_NOT_USE);
        }
    }
}

void WriteWirelessSection(SummaryWriter& w, const DeviceSettings& settings)
{
    const WirelessSettings& wl = settings.wireless;
    w.Line(IDS_SUMMARY_WIRELESS_HEADER);
    w.Label(IDS_SUMMARY_SSID, platform::CAnsiCodePage::Readable(wl.ssid));
    w.Label(IDS_SUMMARY_NETWORK_TYPE, w.IndexedText(NetworkTypeTable, wl.networkType));
    w.Line(IDS_SUMMARY_SECURITY_HEADER);
    w.Label(IDS_SUMMARY_PROTOCOL, wl.security < std::size(kSecurityTexts) ? w.Text(kSecurityTexts[wl.security])
                                                                          : std::string());
    if (wl.security == kSecurityWep) {
        w.Label(IDS_SUMMARY_INDEX, wl.transmitKey == 0 ? w.Text(IDS_SUMMARY_AUTO) : std::to_string(wl.transmitKey));
        w.Label(IDS_SUMMARY_WEPKEY, IDS_SUMMARY_HIDDEN_KEY);
    } else if (wl.security >= 2 && wl.security <= 4) {
        w.Label(IDS_SUMMARY_PASSPHRASE, IDS_SUMMARY_HIDDEN_KEY);
    }
    w.Line(std::string());
    // An ad hoc network has no gateway.
    WriteIpLines(w, settings.ip, wl.networkType != kNetworkAdHoc);
}

void WriteFaxSection(SummaryWriter& w, const FaxSettings& fax)
{
    w.Line(IDS_SUMMARY_FAX_HEADER);
    // A country code that no row has shows the label without a value.
    w.Label(IDS_SUMMARY_REGION, w.FaxText(FaxCountryTable(), CountryRowOfCode(fax.country)));
    auto codeText = [&w](FaxTableKind kind, std::uint32_t code) {
        return w.FaxText(FaxCodeTable(kind), FaxRowOfCode(kind, code));
    };
    w.Label(IDS_SUMMARY_LINETYPE, codeText(FaxTableKind::LineType, fax.lineType));
    w.Label(IDS_SUMMARY_DIALTYPE, codeText(FaxTableKind::DialType, fax.dialType));
    w.Label(IDS_SUMMARY_RECEIVEMODE, codeText(FaxTableKind::ReceiveMode, fax.receiveMode));
    if (fax.receiveMode == kReceiveModeDrpd)
        w.Label(IDS_SUMMARY_DRPD, codeText(FaxTableKind::RingPattern, fax.drpdPattern));
    w.Label(IDS_SUMMARY_COMPANY, fax.companyName.empty() ? w.Text(IDS_SUMMARY_EMPTY) : fax.companyName);
    w.Label(IDS_SUMMARY_FAXNUMBER, fax.faxNumber.empty() ? w.Text(IDS_SUMMARY_EMPTY) : fax.faxNumber);
}

}

std::string FormatDottedAddress(std::uint32_t address)
{
    return std::to_string((address >> 24) & 0xFF) + "." + std::to_string((address >> 16) & 0xFF) + "."
        + std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

std::string BuildConfigSummary(const DeviceSettings& settings, std::uint32_t configureFlags, LangId language)
{
    SummaryWriter w(language);
    if (configureFlags & kConfigureWireless)
        WriteWirelessSection(w, settings);
    if (configureFlags & kConfigureIp) {
        w.Line(IDS_SUMMARY_IP_HEADER);
        WriteIpLines(w, settings.ip, true);
    }
    if ((configureFlags & kConfigureFax) && settings.fax.faxEnabled != 0)
        WriteFaxSection(w, settings.fax);
    return w.out;
}

}
