#include "platform/Administrator.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <vector>

namespace plintor::platform {
namespace {

constexpr std::uint64_t kBind = std::uint64_t{1} << kCapNetBindService;
constexpr std::uint64_t kAdmin = std::uint64_t{1} << kCapNetAdmin;

// A member of lpadmin alone could hold the queues but then neither bind UDP port 161 for
// the IPv6 search nor add the route: such a run failed in silence.
TEST(Administrator, RootOrBothNetworkCapabilitiesWithThePrinterAdministratorsGroup)
{
    const std::vector<gid_t> none;
    const std::vector<gid_t> groups{100, 27, 120};
    EXPECT_TRUE(IsAdministratorIdentity(0, 0, none, -1, 0));
    EXPECT_TRUE(IsAdministratorIdentity(1000, 1000, groups, 120, kBind | kAdmin));
    EXPECT_TRUE(IsAdministratorIdentity(1000, 120, none, 120, kBind | kAdmin | 1));

    EXPECT_FALSE(IsAdministratorIdentity(1000, 1000, groups, 120, 0));      // lpadmin alone
    EXPECT_FALSE(IsAdministratorIdentity(1000, 1000, groups, 120, kBind));  // no route
    EXPECT_FALSE(IsAdministratorIdentity(1000, 1000, groups, 120, kAdmin)); // no port 161
    EXPECT_FALSE(IsAdministratorIdentity(1000, 1000, groups, 121, kBind | kAdmin)); // no CUPS rights
    EXPECT_FALSE(IsAdministratorIdentity(1000, 1000, groups, -1, kBind | kAdmin));
    EXPECT_FALSE(IsAdministratorIdentity(1000, 0, none, -1, ~std::uint64_t{0})); // group root is not enough
    if (geteuid() == 0) {
        EXPECT_TRUE(IsProcessAdministrator());
    }
}

}
}
