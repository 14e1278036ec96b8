#include "platform/TestOverrides.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <string>

using namespace plintor::platform;

namespace {

// Sets the variables for one test and takes them away again.
class Environment {
public:
    Environment(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        for (const char* name : kNames)
            plintor::test::SetTestEnvironment(name, nullptr);
        for (auto [name, value] : values)
            plintor::test::SetTestEnvironment(name, value);
    }
    ~Environment()
    {
        for (const char* name : kNames)
            plintor::test::SetTestEnvironment(name, nullptr);
    }

private:
    static constexpr const char* kNames[] = {"PLINTOR_PJL_PORT", "PLINTOR_TEST_SNMP_PORT",
                                             "PLINTOR_TEST_SNMP_BROADCAST", "PLINTOR_TEST_SNMP_MULTICAST",
                                             "PLINTOR_TEST_HOLD_LOCK_MS", "PLINTOR_SPOOLER_STATE"};
};

}

TEST(TestOverrides, UnsetOrEmptyVariablesLeaveTheProgramsOwnValues)
{
    Environment environment{{"PLINTOR_PJL_PORT", ""}, {"PLINTOR_TEST_SNMP_BROADCAST", ""}, {"PLINTOR_SPOOLER_STATE", ""}};
    EXPECT_EQ(PjlPort(), "9100");
    SnmpTestOverrides snmp = ReadSnmpTestOverrides();
    EXPECT_EQ(snmp.port, 161);
    EXPECT_EQ(snmp.broadcastTarget, "");
    EXPECT_EQ(snmp.multicastTarget, "");
    EXPECT_EQ(TestLockHoldMs(), 0);
    EXPECT_FALSE(SpoolerStateOverride().has_value());
}

TEST(TestOverrides, SetVariablesMoveThePortsTargetsAndFiles)
{
    Environment environment{{"PLINTOR_PJL_PORT", "19100"},
                            {"PLINTOR_TEST_SNMP_PORT", "10161"},
                            {"PLINTOR_TEST_SNMP_BROADCAST", "127.0.0.1"},
                            {"PLINTOR_TEST_SNMP_MULTICAST", "::1"},
                            {"PLINTOR_TEST_HOLD_LOCK_MS", "250"},
                            {"PLINTOR_SPOOLER_STATE", "/tmp/held"}};
    EXPECT_EQ(PjlPort(), "19100");
    SnmpTestOverrides snmp = ReadSnmpTestOverrides();
    EXPECT_EQ(snmp.port, 10161);
    EXPECT_EQ(snmp.broadcastTarget, "127.0.0.1");
    EXPECT_EQ(snmp.multicastTarget, "::1");
    EXPECT_EQ(TestLockHoldMs(), 250);
    EXPECT_EQ(SpoolerStateOverride().value_or(""), "/tmp/held");
}

TEST(TestOverrides, AnSnmpPortOrHoldTimeThatIsNoNumberInRangeIsIgnored)
{
    for (const char* bad : {"0", "65536", "-5", "161x", "port"}) {
        SCOPED_TRACE(bad);
        Environment environment{{"PLINTOR_TEST_SNMP_PORT", bad}};
        EXPECT_EQ(ReadSnmpTestOverrides().port, 161);
    }
    for (const char* bad : {"0", "-5", "soon"}) {
        SCOPED_TRACE(bad);
        Environment environment{{"PLINTOR_TEST_HOLD_LOCK_MS", bad}};
        EXPECT_EQ(TestLockHoldMs(), 0);
    }
}
