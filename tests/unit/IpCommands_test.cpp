#include "settings/IpCommands.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

IpSettings StaticIpv4()
{
    IpSettings ip;
    ip.stackMode = 1;
    ip.ipv4Mode = 1;
    ip.ipv4Address = 0xC0A8010A;
    ip.subnetMask = 0xFFFFFF00;
    ip.gateway = 0xC0A80101;
    return ip;
}

TEST(IpCommands, WiredStaticIpv4GivesFiveLines)
{
    std::string job;
    ASSERT_TRUE(AppendIpCommands(StaticIpv4(), &job, kWiredForm));
    EXPECT_EQ(job,
              "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n"
              "@PJL IWASETTCPIP IPMODE=MANUAL\r\n"
              "@PJL IWASETTCPIP IPADDRESS=C0A8010A\r\n"
              "@PJL IWASETTCPIP SNMADDRESS=FFFFFF00\r\n"
              "@PJL IWASETTCPIP GTWADDRESS=C0A80101\r\n");
}

TEST(IpCommands, WirelessFormChangesOnlyTheCommandWord)
{
    std::string job;
    ASSERT_TRUE(AppendIpCommands(StaticIpv4(), &job, kWirelessForm));
    EXPECT_EQ(job,
              "@PJL SETWLPARAMS VSSTACKMODE=IPV4\r\n"
              "@PJL SETWLPARAMS IPMODE=MANUAL\r\n"
              "@PJL SETWLPARAMS IPADDRESS=C0A8010A\r\n"
              "@PJL SETWLPARAMS SNMADDRESS=FFFFFF00\r\n"
              "@PJL SETWLPARAMS GTWADDRESS=C0A80101\r\n");
    std::string other;
    ASSERT_TRUE(AppendIpCommands(StaticIpv4(), &other, 7));  // any value but 1 is wired
    EXPECT_EQ(other.substr(0, 21), "@PJL IWASETTCPIP VSST");
}

TEST(IpCommands, DhcpAndAutoIpSendNoAddress)
{
    IpSettings ip = StaticIpv4();
    ip.ipv4Mode = 0;
    std::string job;
    ASSERT_TRUE(AppendIpCommands(ip, &job, kWiredForm));
    EXPECT_EQ(job, "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n@PJL IWASETTCPIP IPMODE=DHCP\r\n");
    ip.ipv4Mode = 2;
    job.clear();
    ASSERT_TRUE(AppendIpCommands(ip, &job, kWiredForm));
    EXPECT_EQ(job, "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n@PJL IWASETTCPIP IPMODE=AUTONET\r\n");
}

TEST(IpCommands, Ipv6OnlyWithoutManualAddressSendsZeroAddresses)
{
    IpSettings ip;
    ip.stackMode = 2;
    ip.ipv6Address = "fd00::1";  // not sent: not manual
    std::string job;
    ASSERT_TRUE(AppendIpCommands(ip, &job, kWiredForm));
    EXPECT_EQ(job,
              "@PJL IWASETTCPIP VSSTACKMODE=IPV6\r\n"
              "@PJL IWASETTCPIP VSMANUAL=OFF\r\n"
              "@PJL IWASETTCPIP VSIPADDRESS=\"0000:0000:0000:0000:0000:0000:0000:0000/0\"\r\n"
              "@PJL IWASETTCPIP VSGTWADDRESS=\"0000:0000:0000:0000:0000:0000:0000:0000\"\r\n");
}

TEST(IpCommands, DualStackWithManualIpv6InFullUpperCaseForm)
{
    IpSettings ip = StaticIpv4();
    ip.stackMode = 0;
    ip.ipv6Manual = 1;
    ip.ipv6Address = "fd00::1";
    ip.ipv6PrefixLength = 64;
    ip.ipv6Gateway = "fd00::fe";
    std::string job = "BEFORE\r\n";
    ASSERT_TRUE(AppendIpCommands(ip, &job, kWiredForm));
    EXPECT_EQ(job,
              "BEFORE\r\n"
              "@PJL IWASETTCPIP VSSTACKMODE=DUAL\r\n"
              "@PJL IWASETTCPIP IPMODE=MANUAL\r\n"
              "@PJL IWASETTCPIP IPADDRESS=C0A8010A\r\n"
              "@PJL IWASETTCPIP SNMADDRESS=FFFFFF00\r\n"
              "@PJL IWASETTCPIP GTWADDRESS=C0A80101\r\n"
              "@PJL IWASETTCPIP VSMANUAL=ON\r\n"
              "@PJL IWASETTCPIP VSIPADDRESS=\"FD00:0000:0000:0000:0000:0000:0000:0001/64\"\r\n"
              "@PJL IWASETTCPIP VSGTWADDRESS=\"FD00:0000:0000:0000:0000:0000:0000:00FE\"\r\n");
}

TEST(IpCommands, RefusesUnknownModesAndAbsentJob)
{
    IpSettings ip = StaticIpv4();
    ip.stackMode = 3;
    std::string job = "kept";
    EXPECT_FALSE(AppendIpCommands(ip, &job, kWiredForm));
    EXPECT_EQ(job, "kept");
    EXPECT_FALSE(AppendIpCommands(StaticIpv4(), nullptr, kWiredForm));
    ip.stackMode = 1;
    ip.ipv4Mode = 3;
    EXPECT_FALSE(AppendIpCommands(ip, &job, kWiredForm));
    EXPECT_EQ(job, "kept");
    ip.stackMode = 2;  // IPv6 only: the IPv4 type is not used
    EXPECT_TRUE(AppendIpCommands(ip, &job, kWiredForm));
}

}
}
