#include "platform/Administrator.h"

#include <grp.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <type_traits>
#include <vector>

namespace plintor::platform {

namespace {

constexpr std::uint64_t Bit(int capability)
{
    return std::uint64_t{1} << capability;
}

// The effective capability set of the process (capget, version 3: two 32-bit words);
// 0 when the kernel does not tell.
std::uint64_t EffectiveCapabilities()
{
    __user_cap_header_struct header{};
    header.version = _LINUX_CAPABILITY_VERSION_3;
    header.pid = 0;
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return 0;
    return std::uint64_t{data[0].effective} | (std::uint64_t{data[1].effective} << 32);
}

}

static_assert(std::is_same_v<uid_t, std::uint32_t> && std::is_same_v<gid_t, std::uint32_t>);

bool IsAdministratorIdentity(std::uint32_t effectiveUser, std::uint32_t effectiveGroup,
    std::span<const std::uint32_t> groups, long long adminGroup, std::uint64_t effectiveCapabilities)
{
    if (effectiveUser == 0)
        return true;
    const std::uint64_t needed = Bit(kCapNetBindService) | Bit(kCapNetAdmin);
    if ((effectiveCapabilities & needed) != needed || adminGroup < 0)
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
    return IsAdministratorIdentity(geteuid(), getegid(), groups, adminGroup, EffectiveCapabilities());
}

}
