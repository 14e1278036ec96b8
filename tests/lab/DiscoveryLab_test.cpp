#include "Lab.h"

#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/TypedAddress.h"
#include "platform/RunProcess.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace plintor;
using plintor::test::Lab;

namespace {

const char* kModel = "1.3.6.1.4.1.59999.1.1";

class DiscoveryLab : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string reason = Lab::SkipReason();
        if (!reason.empty())
            GTEST_SKIP() << reason;
        config.sysObjectIds = {"1.3.6.1.4.1.59999.9.9", kModel};
        context.config = &config;
        context.printers = &printers;
    }

    std::vector<std::string> Macs() const
    {
        std::vector<std::string> macs;
        for (const PrinterEntry& e : printers.Entries())
            macs.push_back(e.macAddress);
        return macs;
    }

    const PrinterEntry* ByMac(const std::string& mac) const
    {
        for (const PrinterEntry& e : printers.Entries())
            if (e.macAddress == mac)
                return &e;
        return nullptr;
    }

    Lab lab;
    UtilityConfig config;
    PrinterList printers;
    DiscoveryContext context;
};

std::string Model(const char* id = kModel) { return std::string("--sysobjectid ") + id; }

}

TEST_F(DiscoveryLab, MergesBothPassesByMacDropsUnknownModelsAndShortMacsAndSortsByMac)
{
    Lab::Options options;
    options.printers = 7;
    options.printerLines = {
        Model() + " --mac 0000000000F1",                    // dual stack
        "@ipv4only " + Model() + " --mac 0000000000E2",     // IPv4 only
        "@ipv6only " + Model() + " --mac 0000000000D3",     // IPv6 only
        Model("1.3.6.1.4.1.59999.1.2") + " --mac 0000000000C4", // not a supported model
        Model() + " --mac 0000000000B5 --snmp-fault short-mac",
        Model() + " --mac 0000000000A6 --snmp-fault no-mac-answer",
        Model() + " --mac 000000000097 --snmp-fault wrong-request-id",
    };
    ASSERT_TRUE(lab.Up(options));
    ASSERT_TRUE(lab.Enter());
    EXPECT_EQ(DiscoverNetwork(context), 3);
    EXPECT_EQ(Macs(), (std::vector<std::string>{"0000000000D3", "0000000000E2", "0000000000F1"}));

    const PrinterEntry* dual = ByMac("0000000000F1");
    ASSERT_NE(dual, nullptr);
    EXPECT_EQ(dual->addressIpv4, Lab::PrinterIpv4(1));
    EXPECT_EQ(dual->addressIpv6, Lab::PrinterIpv6(1) + "%ws0");
    EXPECT_EQ(dual->ipv6Only, 0);
    EXPECT_EQ(dual->connection, kConnectionNetwork);
    EXPECT_EQ(dual->options, -1);

    const PrinterEntry* v4 = ByMac("0000000000E2");
    ASSERT_NE(v4, nullptr);
    EXPECT_EQ(v4->addressIpv4, Lab::PrinterIpv4(2));
    EXPECT_EQ(v4->addressIpv6, "");
    EXPECT_EQ(v4->ipv6Only, 0);

    const PrinterEntry* v6 = ByMac("0000000000D3");
    ASSERT_NE(v6, nullptr);
    EXPECT_EQ(v6->addressIpv4, "");
    EXPECT_EQ(v6->addressIpv6, Lab::PrinterIpv6(3) + "%ws0");
    EXPECT_EQ(v6->ipv6Only, 1);
}

TEST_F(DiscoveryLab, SeventyPrintersGiveTheFirst64AnswersOfEachPass)
{
    Lab::Options options;
    options.printers = 70;
    options.printerLines.assign(70, Model());
    ASSERT_TRUE(lab.Up(options));
    ASSERT_TRUE(lab.Enter());
    int count = DiscoverNetwork(context);
    // Each pass keeps 64 answers; the merge by MAC adds the IPv6 pass's printers that the
    // IPv4 pass did not keep.
    EXPECT_GE(count, 64);
    EXPECT_LE(count, 70);
    std::vector<std::string> macs = Macs();
    EXPECT_TRUE(std::is_sorted(macs.begin(), macs.end()));
    EXPECT_EQ(std::adjacent_find(macs.begin(), macs.end()), macs.end());
}

TEST_F(DiscoveryLab, ATypedAddressIsVerifiedByUnicast)
{
    Lab::Options options;
    options.printers = 2;
    options.printerLines = {Model() + " --mac 02000000AB01", Model("1.3.6.1.4.1.59999.1.2")};
    ASSERT_TRUE(lab.Up(options));
    ASSERT_TRUE(lab.Enter());
    EXPECT_EQ(ValidateTypedAddress(Lab::PrinterIpv4(1)), 1);
    EXPECT_EQ(CheckTypedAddress(Lab::PrinterIpv4(1), context), kSupported);
    EXPECT_EQ(CheckTypedAddress(Lab::PrinterIpv6(1) + "%ws0", context), kSupported);
    EXPECT_EQ(CheckTypedAddress(Lab::PrinterIpv4(2), context), kNotSupported);
    EXPECT_EQ(CheckTypedAddress("198.18.1.200", context), kNoAnswer);
    std::string mac;
    EXPECT_EQ(GetTypedAddressMac(Lab::PrinterIpv4(1), mac), 1);
    EXPECT_EQ(mac, "02000000AB01");
    EXPECT_EQ(printers.AddTypedPrinter(Lab::PrinterIpv4(1), mac, -1), 0);
}

TEST_F(DiscoveryLab, TheIpv4PassAddsTheLinkLocalRouteOnceAndItIsRemovedAtExit)
{
    Lab::Options options;
    options.printers = 1;
    options.printerLines = {Model()};
    ASSERT_TRUE(lab.Up(options));
    ASSERT_TRUE(lab.Enter());
    CLinkLocalRoute route;
    context.route = &route;
    EXPECT_EQ(DiscoverNetwork(context), 1);
    EXPECT_TRUE(route.Added());
    EXPECT_EQ(route.Interface(), "ws0");
    auto routeListed = [] {
        return platform::RunProcess({"/bin/sh", "-c", "ip route show 169.254.0.0/16 | grep -q 'dev ws0'"},
                                    std::chrono::seconds(5)).exitCode == 0;
    };
    EXPECT_TRUE(routeListed());
    route.Remove();
    EXPECT_FALSE(routeListed());
    // Loopback is never the way to the link-local network.
    EXPECT_EQ(route.Add("127.0.1.1"), 0);
    EXPECT_FALSE(route.Added());
}

TEST_F(DiscoveryLab, TheCapabilityQuerySetsOptionsAndAFailedQueryDropsThePrinter)
{
    Lab::Options options;
    options.printers = 3;
    options.waitTcp = "9100";
    options.printerLines = {
        Model() + " --mac 000000000001 --options WLAN",
        Model() + " --mac 000000000002 --options WLAN,MPC-2",
        Model() + " --mac 000000000003 --fault early-close",
    };
    ASSERT_TRUE(lab.Up(options));
    ASSERT_TRUE(lab.Enter());
    context.configureFlags = kConfigureIp;
    char pattern[] = "/tmp/plintor-discovery-XXXXXX";
    std::string folder = mkdtemp(pattern);
    context.configFilePath = folder + "/plintor.ini";
    {
        std::FILE* f = std::fopen(context.configFilePath.c_str(), "w");
        std::fputs("[General Setting]\nSEND_PJL_VERIFICATION=ON\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(DiscoverNetwork(context), 2);
    std::filesystem::remove_all(folder);
    ASSERT_EQ(Macs(), (std::vector<std::string>{"000000000001", "000000000002"}));
    EXPECT_EQ(ByMac("000000000001")->options, 1);
    EXPECT_EQ(ByMac("000000000002")->options, 0);
}

// A search pass that could not run found nothing in silence, as if no printer were there:
// here the IPv6 pass, whose UDP port 161 another program holds.
TEST_F(DiscoveryLab, ASearchPassThatCannotRunSaysWhy)
{
    Lab::Options options;
    options.printers = 1;
    options.printerLines = {Model()};
    ASSERT_TRUE(lab.Up(options));
    ASSERT_TRUE(lab.Enter());
    std::vector<std::string> problems;
    context.reportProblem = [&](const std::string& problem) { problems.push_back(problem); };
    CLinkLocalRoute route;
    context.route = &route;
    EXPECT_EQ(DiscoverNetwork(context), 1);
    EXPECT_EQ(problems, std::vector<std::string>{});
    route.Remove();

    int taken = socket(AF_INET6, SOCK_DGRAM, 0);
    sockaddr_in6 any{};
    any.sin6_family = AF_INET6;
    any.sin6_port = htons(161);
    ASSERT_EQ(bind(taken, reinterpret_cast<sockaddr*>(&any), sizeof any), 0);
    printers.Clear();
    EXPECT_EQ(DiscoverNetwork(context), 1); // the IPv4 pass still finds the printer
    EXPECT_EQ(problems, std::vector<std::string>{"the IPv6 search (ff02::1) could not run: UDP port 161 could "
                                                 "not be bound (Address already in use)"});
    close(taken);
}
