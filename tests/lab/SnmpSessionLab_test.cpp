#include "Lab.h"

#include "discovery/SnmpClient.h"
#include "platform/NetInterfaces.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace plintor;
using plintor::test::Lab;

namespace {

const char* kSysObjectId = "1.3.6.1.2.1.1.2.0";

std::vector<std::string> Addresses(SnmpClient& client)
{
    std::vector<std::string> out;
    if (client.AnswerCount() == 0)
        return out;
    client.First();
    do {
        out.push_back(client.AnswerAddress());
    } while (client.Next());
    return out;
}

class SnmpSessionLab : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string reason = Lab::SkipReason();
        if (!reason.empty())
            GTEST_SKIP() << reason;
    }
    static Lab::Options Printers(int count)
    {
        Lab::Options options;
        options.printers = count;
        return options;
    }
    Lab lab;
};

}

TEST_F(SnmpSessionLab, BroadcastReachesEveryPrinterAndSetupTakesTheInterfaceAddress)
{
    std::vector<std::string> before;
    for (const platform::NetInterface& i : platform::ListNetInterfaces())
        before.push_back(i.name);
    Lab::Options options = Printers(3);
    options.printerLines = {"--sysobjectid 1.3.6.1.4.1.59999.1.7"};
    ASSERT_TRUE(lab.Up(options));
    // Nothing was added to the namespace the test runs in.
    std::vector<std::string> after;
    for (const platform::NetInterface& i : platform::ListNetInterfaces())
        after.push_back(i.name);
    EXPECT_EQ(before, after);
    ASSERT_TRUE(lab.Enter());
    SnmpClient client;
    ASSERT_EQ(client.Setup("255.255.255.255", kSysObjectId, 6), 1);
    // The host name resolves to loopback; the workstation's own address stands in.
    in_addr local{client.LocalAddress()};
    EXPECT_STREQ(inet_ntoa(local), "198.18.1.1");
    ASSERT_EQ(client.Run(), 1);
    EXPECT_EQ(Addresses(client),
              (std::vector<std::string>{Lab::PrinterIpv4(1), Lab::PrinterIpv4(2), Lab::PrinterIpv4(3)}));
    client.First();
    EXPECT_STREQ(reinterpret_cast<const char*>(client.AnswerValue()), "1.3.6.1.4.1.59999.1.7");
}

TEST_F(SnmpSessionLab, BroadcastLeavesByEveryInterfaceWithoutADefaultRoute)
{
    ASSERT_TRUE(lab.Up([] {
        Lab::Options o = Printers(4);
        o.twoNetworks = o.alternate = o.noDefaultRoute = true;
        return o;
    }()));
    ASSERT_TRUE(lab.Enter());
    SnmpClient client;
    ASSERT_EQ(client.Setup("255.255.255.255", kSysObjectId, 6), 1);
    ASSERT_EQ(client.Run(), 1);
    EXPECT_EQ(Addresses(client),
              (std::vector<std::string>{Lab::PrinterIpv4(1, 1), Lab::PrinterIpv4(3, 1),
                                        Lab::PrinterIpv4(2, 2), Lab::PrinterIpv4(4, 2)}));
}

TEST_F(SnmpSessionLab, MulticastAsksEveryIpv6InterfaceAndIgnoresItsOwnRequest)
{
    ASSERT_TRUE(lab.Up([] {
        Lab::Options o = Printers(4);
        o.twoNetworks = o.alternate = true;
        return o;
    }()));
    ASSERT_TRUE(lab.Enter());
    SnmpClient client;
    ASSERT_EQ(client.Setup("ff02::1", kSysObjectId, 6), 1);
    ASSERT_EQ(client.Run(), 1);
    std::vector<std::string> got = Addresses(client);
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::string>{Lab::PrinterIpv6(1) + "%ws0", Lab::PrinterIpv6(2) + "%ws1",
                                             Lab::PrinterIpv6(3) + "%ws0", Lab::PrinterIpv6(4) + "%ws1"}));
    // A MAC request to a scoped link-local address goes out by that interface.
    SnmpClient mac;
    ASSERT_EQ(mac.Setup((Lab::PrinterIpv6(2) + "%ws1").c_str(), "1.3.6.1.2.1.2.2.1.6.1", 4), 1);
    ASSERT_EQ(mac.Run(), 1);
    ASSERT_EQ(mac.AnswerLength(), 6);
    EXPECT_EQ(mac.AnswerValue()[5], 2);
}

TEST_F(SnmpSessionLab, BroadcastKeepsTheFirst64Of70Printers)
{
    ASSERT_TRUE(lab.Up(Printers(70)));
    ASSERT_TRUE(lab.Enter());
    SnmpClient client;
    ASSERT_EQ(client.Setup("255.255.255.255", kSysObjectId, 6), 1);
    ASSERT_EQ(client.Run(), 1);
    std::vector<std::string> got = Addresses(client);
    EXPECT_EQ(got.size(), 64u);
    std::vector<std::string> unique = got;
    std::sort(unique.begin(), unique.end());
    EXPECT_EQ(std::unique(unique.begin(), unique.end()), unique.end());
    for (const std::string& a : got)
        EXPECT_EQ(a.rfind("198.18.1.", 0), 0u) << a;
}
