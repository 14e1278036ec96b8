#include "platform/Ipv4Address.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace plintor::platform {
namespace {

std::uint32_t FromBytes(unsigned char a, unsigned char b, unsigned char c, unsigned char d)
{
    const unsigned char bytes[4] = {a, b, c, d};
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// The link-local route and the SNMP session take the workstation's address as the socket
// headers' reader did; a looser reader would add a route through a mistyped address.
TEST(Ipv4Address, ReadsOnlyWhatTheSystemsDottedReaderTakes)
{
    std::uint32_t value = 0;
    ASSERT_TRUE(ParseIpv4("192.0.2.17", value));
    EXPECT_EQ(value, FromBytes(192, 0, 2, 17));
    ASSERT_TRUE(ParseIpv4("0.0.0.0", value));
    EXPECT_EQ(value, 0u);
    ASSERT_TRUE(ParseIpv4("255.255.255.255", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);

    for (const char* text : {"", "1.2.3", "1.2.3.4.5", "1.2.3.", ".1.2.3", "1..2.3", "256.1.1.1",
                             "01.2.3.4", "1.2.3.04", "1.2.3.4 ", " 1.2.3.4", "1.2.3.x", "1.2.3.-4",
                             "0x7f.0.0.1", "1.2.3.4/8", "1000.1.1.1"}) {
        std::uint32_t untouched = 7;
        EXPECT_FALSE(ParseIpv4(text, untouched)) << '"' << text << '"';
        EXPECT_EQ(untouched, 7u) << '"' << text << '"';
    }
}

TEST(Ipv4Address, WritesDottedTextAndKnowsLoopback)
{
    EXPECT_EQ(Ipv4Text(FromBytes(198, 18, 1, 1)), "198.18.1.1");
    EXPECT_EQ(Ipv4Text(0), "0.0.0.0");
    std::uint32_t value = 0;
    ASSERT_TRUE(ParseIpv4("10.200.0.255", value));
    EXPECT_EQ(Ipv4Text(value), "10.200.0.255");

    EXPECT_TRUE(IsLoopbackIpv4(FromBytes(127, 0, 1, 1)));
    EXPECT_TRUE(IsLoopbackIpv4(FromBytes(127, 255, 255, 255)));
    EXPECT_FALSE(IsLoopbackIpv4(FromBytes(128, 0, 0, 1)));
    EXPECT_FALSE(IsLoopbackIpv4(FromBytes(1, 0, 0, 127)));
}

}
}
