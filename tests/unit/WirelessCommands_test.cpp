#include "settings/WirelessCommands.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

constexpr const char* kDhcpIpv4Lines =
    "@PJL SETWLPARAMS VSSTACKMODE=IPV4\r\n"
    "@PJL SETWLPARAMS IPMODE=DHCP\r\n";

IpSettings DhcpIpv4()
{
    IpSettings ip;
    ip.stackMode = 1;
    return ip;
}

std::string WepLineOf(const std::string& key, unsigned transmitKey)
{
    WirelessSettings wireless;
    wireless.ssid = "net";
    wireless.security = 1;
    wireless.wepKey = key;
    wireless.transmitKey = transmitKey;
    std::string job;
    if (!AppendWirelessCommands(&job, wireless, DhcpIpv4()))
        return "refused";
    std::size_t start = job.find("@PJL SETWLPARAMS SECURITY=");
    return job.substr(start, job.find("\r\n", start) + 2 - start);
}

TEST(WirelessCommands, OpenInfrastructureNetwork)
{
    WirelessSettings wireless;
    wireless.ssid = "office";
    std::string job;
    ASSERT_TRUE(AppendWirelessCommands(&job, wireless, DhcpIpv4()));
    EXPECT_EQ(job, std::string("@PJL DEFAULT IWAWIRELESS=ON\r\n"
                               "@PJL SETWLPARAMS SSID=\"office\"\r\n"
                               "@PJL SETWLPARAMS NETWORKTYPE=INFRASTRUCTURE\r\n"
                               "@PJL SETWLPARAMS SECURITY=NOSECURITY\r\n") +
                       kDhcpIpv4Lines);
}

TEST(WirelessCommands, SecurityWords)
{
    WirelessSettings wireless;
    wireless.ssid = "a\"b";  // sent as stored, no escaping
    wireless.passphrase = "pass phrase";
    const char* words[] = {"WPAPSKTKIP", "WPAPSKAES", "WPAPSKMIX"};
    for (unsigned security = 2; security <= 4; ++security) {
        wireless.security = security;
        std::string job;
        ASSERT_TRUE(AppendWirelessCommands(&job, wireless, DhcpIpv4()));
        EXPECT_NE(job.find("@PJL SETWLPARAMS SSID=\"a\"b\"\r\n"), std::string::npos);
        EXPECT_NE(job.find(std::string("@PJL SETWLPARAMS SECURITY=") + words[security - 2] +
                           " PASSPHRASE=\"pass phrase\"\r\n"),
                  std::string::npos)
            << security;
    }
    wireless.security = 7;
    std::string job;
    ASSERT_TRUE(AppendWirelessCommands(&job, wireless, DhcpIpv4()));
    EXPECT_NE(job.find("@PJL SETWLPARAMS SECURITY=NOSECURITY\r\n"), std::string::npos);
    EXPECT_EQ(job.find("PASSPHRASE"), std::string::npos);
}

TEST(WirelessCommands, WepKeysInAllLengthsAndSlots)
{
    // Five characters, slot 2: the key's character codes in lower-case hexadecimal.
    EXPECT_EQ(WepLineOf("AbCdE", 2),
              "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=64BIT TRANSMITKEY=2 WEPKEY=\"F54162436445FF\"\r\n");
    // Ten digits keep their case; automatic puts the key in the first slot.
    EXPECT_EQ(WepLineOf("0123abCDef", 0),
              "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=64BIT TRANSMITKEY=0 WEPKEY=\"50123abCDefFFF\"\r\n");
    EXPECT_EQ(WepLineOf("0123456789", 1),
              "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=64BIT TRANSMITKEY=1 WEPKEY=\"50123456789FFF\"\r\n");
    EXPECT_EQ(WepLineOf("ABCDEFGHIJKLM", 3),
              "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=128BIT TRANSMITKEY=3 "
              "WEPKEY=\"FFD4142434445464748494a4b4c4dF\"\r\n");
    EXPECT_EQ(WepLineOf("0123456789ABCDEF0123456789", 4),
              "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=128BIT TRANSMITKEY=4 "
              "WEPKEY=\"FFFD0123456789ABCDEF0123456789\"\r\n");
}

TEST(WirelessCommands, UnusableWepKeysRefuseTheJob)
{
    EXPECT_EQ(WepLineOf("abcdef", 1), "refused");
    EXPECT_EQ(WepLineOf("", 1), "refused");
    EXPECT_EQ(WepLineOf("abcde", 5), "refused");  // no fifth key slot
    // Lengths count characters: five non-ASCII characters are a five-character key.
    EXPECT_EQ(WepLineOf("\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 1),
              "@PJL SETWLPARAMS SECURITY=WEP WEPKEYSIZE=64BIT TRANSMITKEY=1 WEPKEY=\"5e9e9e9e9e9FFF\"\r\n");
}

TEST(WirelessCommands, EncodeWepKeyText)
{
    std::string out = "x";
    EncodeWepKeyText("a\n", &out);
    EXPECT_EQ(out, "x610a");
    EncodeWepKeyText("\xe2\x82\xac", &out);  // U+20AC has four digits
    EXPECT_EQ(out, "x610a20ac");
    EncodeWepKeyText("abc", nullptr);
}

TEST(WirelessCommands, AdHocSendsZeroGateways)
{
    WirelessSettings wireless;
    wireless.ssid = "adhoc";
    wireless.networkType = 1;
    IpSettings ip;
    ip.stackMode = 0;
    ip.ipv4Mode = 1;
    ip.ipv4Address = 0xC0A8000A;
    ip.subnetMask = 0xFFFFFF00;
    ip.gateway = 0xC0A80001;
    ip.ipv6Manual = 1;
    ip.ipv6Address = "2001:db9::a";
    ip.ipv6PrefixLength = 48;
    ip.ipv6Gateway = "2001:db9::1";
    std::string job;
    ASSERT_TRUE(AppendWirelessCommands(&job, wireless, ip));
    EXPECT_EQ(job,
              "@PJL DEFAULT IWAWIRELESS=ON\r\n"
              "@PJL SETWLPARAMS SSID=\"adhoc\"\r\n"
              "@PJL SETWLPARAMS NETWORKTYPE=ADHOC\r\n"
              "@PJL SETWLPARAMS SECURITY=NOSECURITY\r\n"
              "@PJL SETWLPARAMS VSSTACKMODE=DUAL\r\n"
              "@PJL SETWLPARAMS IPMODE=MANUAL\r\n"
              "@PJL SETWLPARAMS IPADDRESS=C0A8000A\r\n"
              "@PJL SETWLPARAMS SNMADDRESS=FFFFFF00\r\n"
              "@PJL SETWLPARAMS GTWADDRESS=00000000\r\n"
              "@PJL SETWLPARAMS VSMANUAL=ON\r\n"
              "@PJL SETWLPARAMS VSIPADDRESS=\"2001:0DB9:0000:0000:0000:0000:0000:000A/48\"\r\n"
              "@PJL SETWLPARAMS VSGTWADDRESS=\"0000:0000:0000:0000:0000:0000:0000:0000\"\r\n");
    wireless.networkType = 0;
    job.clear();
    ASSERT_TRUE(AppendWirelessCommands(&job, wireless, ip));
    EXPECT_NE(job.find("GTWADDRESS=C0A80001\r\n"), std::string::npos);
    EXPECT_NE(job.find("VSGTWADDRESS=\"2001:0DB9:0000:0000:0000:0000:0000:0001\"\r\n"), std::string::npos);
}

TEST(WirelessCommands, RefusesAbsentJobBadStackModeAndNetworkType)
{
    WirelessSettings wireless;
    EXPECT_FALSE(AppendWirelessCommands(nullptr, wireless, DhcpIpv4()));
    IpSettings ip = DhcpIpv4();
    ip.stackMode = 5;
    std::string job;
    EXPECT_FALSE(AppendWirelessCommands(&job, wireless, ip));
    wireless.networkType = 2;
    EXPECT_FALSE(AppendWirelessCommands(&job, wireless, DhcpIpv4()));
}

}
}
