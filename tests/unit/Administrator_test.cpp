#include "platform/Administrator.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <vector>

namespace plintor::platform {
namespace {

TEST(Administrator, RootOrThePrinterAdministratorsGroup)
{
    const std::vector<gid_t> none;
    const std::vector<gid_t> groups{100, 27, 120};
    EXPECT_TRUE(IsAdministratorIdentity(0, 0, none, -1));
    EXPECT_TRUE(IsAdministratorIdentity(1000, 1000, groups, 120));
    EXPECT_TRUE(IsAdministratorIdentity(1000, 120, none, 120));
    EXPECT_FALSE(IsAdministratorIdentity(1000, 1000, groups, 121));
    EXPECT_FALSE(IsAdministratorIdentity(1000, 1000, groups, -1));
    EXPECT_FALSE(IsAdministratorIdentity(1000, 0, none, -1));   // group root is not enough
    if (geteuid() == 0) {
        EXPECT_TRUE(IsProcessAdministrator());
    }
}

}
}
