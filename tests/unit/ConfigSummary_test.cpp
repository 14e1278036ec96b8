#include "pages/ConfigSummary.h"

#include "core/ConfigureFlags.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

constexpr LangId kEnglish = 1033;

IpSettings StaticDualWithManualIpv6()
{
    IpSettings ip;
    ip.stackMode = 0;
    ip.ipv4Mode = 1;
    ip.ipv4Address = 0xC0A8010A;
    ip.subnetMask = 0xFFFFFF00;
    ip.gateway = 0xC0A80101;
    ip.ipv6Manual = 1;
    ip.ipv6Address = "2001:db9::5";
    ip.ipv6PrefixLength = 64;
    ip.ipv6Gateway = "2001:db9::1";
    return ip;
}

TEST(ConfigSummary, IpSectionOfAStaticDualStackWithAManualIpv6Address)
{
    DeviceSettings settings;
    settings.ip = StaticDualWithManualIpv6();
    EXPECT_EQ(BuildConfigSummary(settings, kConfigureIp, kEnglish),
              "========== IP Address Settings ==========\r\n"
              "IP Mode:Dual Stack\r\n"
              "[IPv4 Settings]\r\n"
              "Type:Static IP\r\n"
              "IP Address:192.168.1.10\r\n"
              "Network Mask:255.255.255.0\r\n"
              "Gateway Address:192.168.1.1\r\n"
              "[IPv6 Settings]\r\n"
              "Use Manual Address:Use\r\n"
              "IP Address:2001:db9::5/64\r\n"
              "Gateway Address:2001:db9::1\r\n");
}

TEST(ConfigSummary, IpLinesFollowTheModeAndTheTypeOnly)
{
    DeviceSettings settings;
    settings.ip = StaticDualWithManualIpv6();
    settings.ip.stackMode = 1;
    settings.ip.ipv4Mode = 0;  // DHCP: the stored addresses are not shown
    EXPECT_EQ(BuildConfigSummary(settings, kConfigureIp, kEnglish),
              "========== IP Address Settings ==========\r\n"
              "IP Mode:IPv4\r\n"
              "[IPv4 Settings]\r\n"
              "Type:DHCP\r\n");

    settings.ip.stackMode = 2;
    settings.ip.ipv6Manual = 0;
    EXPECT_EQ(BuildConfigSummary(settings, kConfigureIp | kConfigurePanelLanguage, kEnglish),
              "========== IP Address Settings ==========\r\n"
              "IP Mode:IPv6\r\n"
              "[IPv6 Settings]\r\n"
              "Use Manual Address:Do not use\r\n");

    // Nothing configured but the panel language: no section at all.
    EXPECT_EQ(BuildConfigSummary(settings, kConfigurePanelLanguage, kEnglish), "");
}

TEST(ConfigSummary, AdHocWirelessLeavesBothGatewaysOutAndHidesTheKey)
{
    DeviceSettings settings;
    settings.wireless.ssid = "Lab Net";
    settings.wireless.networkType = 1;
    settings.wireless.security = 1;
    settings.wireless.transmitKey = 0;
    settings.wireless.wepKey = "secret-key-13";
    settings.ip = StaticDualWithManualIpv6();
    std::string summary = BuildConfigSummary(settings, kConfigureWireless, kEnglish);
    EXPECT_EQ(summary,
              "========== Wireless Network Settings ==========\r\n"
              "SSID:Lab Net\r\n"
              "Type of wireless network:Ad Hoc\r\n"
              "[Security]\r\n"
              "Protocol:WEP\r\n"
              "Index:Auto\r\n"
              "WEP Key:********\r\n"
              "\r\n"
              "IP Mode:Dual Stack\r\n"
              "[IPv4 Settings]\r\n"
              "Type:Static IP\r\n"
              "IP Address:192.168.1.10\r\n"
              "Network Mask:255.255.255.0\r\n"
              "[IPv6 Settings]\r\n"
              "Use Manual Address:Use\r\n"
              "IP Address:2001:db9::5/64\r\n");
    EXPECT_EQ(summary.find("secret"), std::string::npos);
}

TEST(ConfigSummary, WirelessKeyIndexAndPassphraseLines)
{
    DeviceSettings settings;
    settings.wireless.ssid = "net";
    settings.wireless.security = 1;
    settings.wireless.transmitKey = 3;
    settings.ip.stackMode = 1;
    std::string wep = BuildConfigSummary(settings, kConfigureWireless, kEnglish);
    EXPECT_NE(wep.find("Protocol:WEP\r\nIndex:3\r\nWEP Key:********\r\n\r\n"), std::string::npos) << wep;
    // Infrastructure mode keeps the gateway line.
    settings.ip.ipv4Mode = 1;
    EXPECT_NE(BuildConfigSummary(settings, kConfigureWireless, kEnglish).find("Gateway Address:0.0.0.0\r\n"),
              std::string::npos);

    settings.wireless.security = 3;
    settings.wireless.passphrase = "do-not-show";
    std::string wpa = BuildConfigSummary(settings, kConfigureWireless, kEnglish);
    EXPECT_NE(wpa.find("Protocol:WPA-PSK-AES / WPA2-PSK-AES\r\nPassphrase:********\r\n\r\n"), std::string::npos)
        << wpa;
    EXPECT_EQ(wpa.find("do-not-show"), std::string::npos);

    settings.wireless.security = 0;
    std::string open = BuildConfigSummary(settings, kConfigureWireless, kEnglish);
    EXPECT_NE(open.find("Protocol:No Security\r\n\r\nIP Mode:"), std::string::npos) << open;
}

TEST(ConfigSummary, FaxSectionWithDrpdAndEmptyTexts)
{
    DeviceSettings settings;
    settings.fax.faxEnabled = 1;
    settings.fax.country = 244;
    settings.fax.lineType = 2;
    settings.fax.dialType = 1;
    settings.fax.receiveMode = 5;
    settings.fax.drpdPattern = 4;
    settings.fax.faxNumber = "+1 555 0100";
    EXPECT_EQ(BuildConfigSummary(settings, kConfigureFax, kEnglish),
              "========== FAX Settings ==========\r\n"
              "Region:United States\r\n"
              "Line Type:PBX\r\n"
              "Dial Type:PB\r\n"
              "Receive Mode:DRPD Mode\r\n"
              "DRPD Pattern:Pattern4\r\n"
              "Company Name:**************empty**************\r\n"
              "Fax Number:+1 555 0100\r\n");

    // Without DRPD there is no pattern line; a country no row has shows no value.
    settings.fax.receiveMode = 2;
    settings.fax.country = 99999;
    std::string other = BuildConfigSummary(settings, kConfigureFax, kEnglish);
    EXPECT_NE(other.find("Region:\r\nLine Type:PBX\r\n"), std::string::npos) << other;
    EXPECT_EQ(other.find("DRPD"), std::string::npos);
}

TEST(ConfigSummary, DeclinedFaxHasNoSectionAndKindsComeInTheirOrder)
{
    DeviceSettings settings;
    settings.fax.faxEnabled = 0;
    EXPECT_EQ(BuildConfigSummary(settings, kConfigureFax | kConfigurePanelLanguage, kEnglish), "");

    settings.fax.faxEnabled = 1;
    settings.fax.country = 244;
    std::string both = BuildConfigSummary(settings, kConfigureFax | kConfigureIp, kEnglish);
    EXPECT_EQ(both.find("========== IP Address Settings"), 0u);
    EXPECT_NE(both.find("========== FAX Settings"), std::string::npos);
}

TEST(ConfigSummary, DottedAddressesFromTheMostSignificantByte)
{
    EXPECT_EQ(FormatDottedAddress(0xC0A8010A), "192.168.1.10");
    EXPECT_EQ(FormatDottedAddress(0), "0.0.0.0");
    EXPECT_EQ(FormatDottedAddress(0xFFFFFFFF), "255.255.255.255");
}

}
}
