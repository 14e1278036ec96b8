// The wizard's SNMP session and the typed-address path against the stand-in printer's
// agent on 127.0.0.1 (moved port), in each of the agent's fault modes.

#include "PrinterProcess.h"

#include "config/UtilityConfig.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/SnmpClient.h"
#include "discovery/TypedAddress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace plintor {
namespace {

using test::CPrinterProcess;

const char* kModel = "1.3.6.1.4.1.99999.1.1";
const char* kMac = "0A1B2C3D4E5F";

// One exchange may take two quiet seconds; anything near this bound means a hang.
constexpr double kExchangeBound = 5.0;

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::unique_ptr<CPrinterProcess> StartAgent(const std::string& fault)
{
    CPrinterProcess::Setup setup;
    setup.arguments = {"--snmp-port", "0", "--sysobjectid", kModel, "--mac", kMac};
    if (!fault.empty()) {
        setup.arguments.push_back("--snmp-fault");
        setup.arguments.push_back(fault);
    }
    return std::make_unique<CPrinterProcess>(setup);
}

struct Exchange {
    int run = 0;
    int count = 0;
    int length = 0;
    int errorKind = 0;
    std::string value;
    double seconds = 0;
};

Exchange Ask(const char* target, const char* oid, int type)
{
    Exchange e;
    SnmpClient client;
    if (!client.Setup(target, oid, type))
        return e;
    auto start = std::chrono::steady_clock::now();
    e.run = client.Run();
    e.seconds = SecondsSince(start);
    e.count = client.AnswerCount();
    e.errorKind = client.Session().errorKind;
    if (e.count > 0) {
        e.length = client.AnswerLength();
        e.value.assign(reinterpret_cast<const char*>(client.AnswerValue()),
                       type == 4 ? static_cast<std::size_t>(e.length)
                                 : std::strlen(reinterpret_cast<const char*>(client.AnswerValue())));
    }
    return e;
}

class SnmpAgentFaultTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        unsetenv("PLINTOR_TEST_SNMP_PORT");
        unsetenv("PLINTOR_TEST_SNMP_BROADCAST");
    }
    CPrinterProcess& Agent(const std::string& fault)
    {
        printer = StartAgent(fault);
        EXPECT_TRUE(printer->Ready());
        EXPECT_GT(printer->SnmpPort(), 0);
        setenv("PLINTOR_TEST_SNMP_PORT", std::to_string(printer->SnmpPort()).c_str(), 1);
        return *printer;
    }
    DiscoveryContext Context()
    {
        config.sysObjectIds = {kModel};
        DiscoveryContext context;
        context.config = &config;
        return context;
    }

    std::unique_ptr<CPrinterProcess> printer;
    UtilityConfig config;
};

TEST_F(SnmpAgentFaultTest, WellBehavedAgentAnswersTheModelAndTheMac)
{
    Agent("");
    Exchange id = Ask("127.0.0.1", kSysObjectIdOid, 6);
    EXPECT_EQ(id.run, 1);
    EXPECT_EQ(id.count, 1);
    EXPECT_EQ(id.value, kModel);
    Exchange mac = Ask("127.0.0.1", kIfPhysAddressOid, 4);
    EXPECT_EQ(mac.run, 1);
    EXPECT_EQ(mac.value, std::string("\x0A\x1B\x2C\x3D\x4E\x5F", 6));
    EXPECT_LT(id.seconds + mac.seconds, kExchangeBound);

    DiscoveryContext context = Context();
    EXPECT_EQ(CheckTypedAddress("127.0.0.1", context), kSupported);
    std::string text;
    EXPECT_EQ(GetTypedAddressMac("127.0.0.1", text), 1);
    EXPECT_EQ(text, kMac);
    // Another configured model: answered, but not a supported printer.
    config.sysObjectIds = {"1.3.6.1.4.1.99999.1.2"};
    EXPECT_EQ(CheckTypedAddress("127.0.0.1", context), kNotSupported);
}

// Faults whose every answer the session must drop: each exchange ends after the two quiet
// seconds with nothing, and the typed address counts as not answering.
TEST_F(SnmpAgentFaultTest, DroppedAnswersEndInTheQuietPeriodWithNothing)
{
    for (const char* fault : {"wrong-request-id", "trailing-bytes", "counter64", "silent"}) {
        SCOPED_TRACE(fault);
        Agent(fault);
        for (auto [oid, type] : {std::pair{kSysObjectIdOid, 6}, std::pair{kIfPhysAddressOid, 4}}) {
            SCOPED_TRACE(oid);
            Exchange e = Ask("127.0.0.1", oid, type);
            EXPECT_EQ(e.run, 0);
            EXPECT_EQ(e.count, 0);
            EXPECT_EQ(e.errorKind, kSnmpErrorTimeout);
            EXPECT_GE(e.seconds, 1.9);
            EXPECT_LT(e.seconds, kExchangeBound);
        }
        DiscoveryContext context = Context();
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(CheckTypedAddress("127.0.0.1", context), kNoAnswer);
        std::string mac = "unchanged";
        EXPECT_EQ(GetTypedAddressMac("127.0.0.1", mac), 0);
        EXPECT_LT(SecondsSince(start), 2 * kExchangeBound);
    }
}

// Faults of the MAC answer alone: the model is read, the MAC is not.
TEST_F(SnmpAgentFaultTest, MacFaultsLeaveTheModelAndGiveNoMac)
{
    {
        SCOPED_TRACE("short-mac");
        Agent("short-mac");
        EXPECT_EQ(Ask("127.0.0.1", kSysObjectIdOid, 6).value, kModel);
        Exchange mac = Ask("127.0.0.1", kIfPhysAddressOid, 4);
        EXPECT_EQ(mac.run, 1);
        EXPECT_EQ(mac.length, 5);
        EXPECT_EQ(mac.value, std::string("\x0A\x1B\x2C\x3D\x4E", 5));
        DiscoveryContext context = Context();
        EXPECT_EQ(CheckTypedAddress("127.0.0.1", context), kSupported);
        std::string text;
        EXPECT_EQ(GetTypedAddressMac("127.0.0.1", text), 0);
        EXPECT_TRUE(text.empty()) << text;
    }
    {
        SCOPED_TRACE("no-mac-answer");
        Agent("no-mac-answer");
        EXPECT_EQ(Ask("127.0.0.1", kSysObjectIdOid, 6).value, kModel);
        Exchange mac = Ask("127.0.0.1", kIfPhysAddressOid, 4);
        EXPECT_EQ(mac.run, 0);
        EXPECT_EQ(mac.errorKind, kSnmpErrorTimeout);
        EXPECT_LT(mac.seconds, kExchangeBound);
        DiscoveryContext context = Context();
        EXPECT_EQ(CheckTypedAddress("127.0.0.1", context), kSupported);
        std::string text;
        EXPECT_EQ(GetTypedAddressMac("127.0.0.1", text), 0);
    }
}

// An agent that sends a broken message and half an answer before each real answer: the
// session drops the junk, takes the answer, and goes on working exchange after exchange,
// unicast and as a group pass.
TEST_F(SnmpAgentFaultTest, SessionSurvivesAnAgentThatSendsJunk)
{
    Agent("junk");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        Exchange id = Ask("127.0.0.1", kSysObjectIdOid, 6);
        EXPECT_EQ(id.run, 1);
        EXPECT_EQ(id.count, 1);
        EXPECT_EQ(id.value, kModel);
        EXPECT_LT(id.seconds, kExchangeBound);
        std::string mac;
        EXPECT_EQ(GetTypedAddressMac("127.0.0.1", mac), 1);
        EXPECT_EQ(mac, kMac);
    }
    setenv("PLINTOR_TEST_SNMP_BROADCAST", "127.0.0.1", 1);
    Exchange group = Ask("255.255.255.255", kSysObjectIdOid, 6);
    EXPECT_EQ(group.run, 1);
    EXPECT_EQ(group.count, 1); // the junk and the half answer are not answers
    EXPECT_EQ(group.value, kModel);
    EXPECT_LT(group.seconds, kExchangeBound);
    // The agent is still there for a well-formed exchange afterwards.
    DiscoveryContext context = Context();
    unsetenv("PLINTOR_TEST_SNMP_BROADCAST");
    EXPECT_EQ(CheckTypedAddress("127.0.0.1", context), kSupported);
}

}
}
