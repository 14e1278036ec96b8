#include "pages/IpAddressRules.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

TEST(IpAddressRules, HostAddresses)
{
    EXPECT_TRUE(IsValidHostAddress({192, 168, 1, 10}));
    EXPECT_TRUE(IsValidHostAddress({0, 0, 0, 0}));       // only the first octet's range is tested
    EXPECT_TRUE(IsValidHostAddress({223, 255, 255, 255}));
    EXPECT_FALSE(IsValidHostAddress({127, 0, 0, 1}));
    EXPECT_FALSE(IsValidHostAddress({224, 0, 0, 1}));
    EXPECT_FALSE(IsValidHostAddress({255, 255, 255, 255}));
    EXPECT_FALSE(IsValidHostAddress({192, 168, -1, 10}));  // a blank field
    EXPECT_FALSE(IsValidHostAddress({-1, -1, -1, -1}));
}

TEST(IpAddressRules, NetworkMasks)
{
    EXPECT_TRUE(IsValidNetworkMask({255, 255, 255, 0}));
    EXPECT_TRUE(IsValidNetworkMask({255, 255, 255, 254}));
    EXPECT_TRUE(IsValidNetworkMask({255, 255, 128, 0}));
    EXPECT_TRUE(IsValidNetworkMask({0, 0, 0, 0}));
    EXPECT_FALSE(IsValidNetworkMask({255, 255, 255, 255}));
    EXPECT_FALSE(IsValidNetworkMask({255, 0, 255, 0}));
    EXPECT_FALSE(IsValidNetworkMask({255, 255, 254, 1}));
    EXPECT_FALSE(IsValidNetworkMask({0, 255, 255, 0}));
    EXPECT_FALSE(IsValidNetworkMask({255, 255, -1, 0}));
}

TEST(IpAddressRules, PrefixLengths)
{
    unsigned value = 0;
    EXPECT_TRUE(IsValidPrefixLength("128", value));
    EXPECT_EQ(value, 128u);
    EXPECT_TRUE(IsValidPrefixLength("1", value));
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(IsValidPrefixLength("064", value));
    EXPECT_EQ(value, 64u);
    value = 7;
    EXPECT_FALSE(IsValidPrefixLength("0", value));
    EXPECT_FALSE(IsValidPrefixLength("129", value));
    EXPECT_FALSE(IsValidPrefixLength("", value));
    EXPECT_FALSE(IsValidPrefixLength("6a", value));
    EXPECT_FALSE(IsValidPrefixLength("-64", value));
    EXPECT_FALSE(IsValidPrefixLength("99999999999999999999999", value));
    EXPECT_EQ(value, 7u);
}

}
}
