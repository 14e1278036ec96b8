#pragma once

#include <sys/types.h>

#include <span>

namespace plintor::platform {

// The group whose members may administer printers (the CUPS administrators).
inline constexpr const char* kPrinterAdminGroup = "lpadmin";

// Whether the process runs with administrator rights: an effective user id of 0, or
// membership (effective or supplementary) in the printer administrators' group. Any
// failure to ask the system gives false.
bool IsProcessAdministrator();

// The rule itself, over the process's identity. `adminGroup` is -1 when the system has
// no such group.
bool IsAdministratorIdentity(uid_t effectiveUser, gid_t effectiveGroup, std::span<const gid_t> groups,
    long long adminGroup);

}
