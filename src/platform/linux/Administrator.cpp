#include "platform/Administrator.h"

#include <algorithm>
#include <grp.h>
#include <unistd.h>
#include <vector>

namespace plintor::platform {

bool IsAdministratorIdentity(uid_t effectiveUser, gid_t effectiveGroup, std::span<const gid_t> groups,
    long long adminGroup)
{
    if (effectiveUser == 0)
        return true;
    if (adminGroup < 0)
        return false;
    auto admin = static_cast<gid_t>(adminGroup);
    return effectiveGroup == admin || std::find(groups.begin(), groups.end(), admin) != groups.end();
}

bool IsProcessAdministrator()
{
    long long adminGroup = -1;
    {
        struct group entry {};
        struct group* found = nullptr;
        std::vector<char> buffer(16384);
        if (getgrnam_r(kPrinterAdminGroup, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
            adminGroup = found->gr_gid;
    }
    std::vector<gid_t> groups;
    int count = getgroups(0, nullptr);
    if (count > 0) {
        groups.resize(static_cast<std::size_t>(count));
        count = getgroups(count, groups.data());
        groups.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
    }
    return IsAdministratorIdentity(geteuid(), getegid(), groups, adminGroup);
}

}
