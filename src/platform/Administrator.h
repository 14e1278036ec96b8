#pragma once

#include <cstdint>
#include <span>

namespace plintor::platform {

// Whether the process has what a run needs. Any failure to ask the system gives false.
//
// Windows: the process token's groups hold the built-in Administrators alias
// (S-1-5-32-544), whatever the group's attributes (enabled or deny-only).
//
// Linux: an effective user id of 0; or, for any other user, both CAP_NET_BIND_SERVICE and
// CAP_NET_ADMIN in its effective capability set together with CUPS administration rights
// (membership, effective or supplementary, in the printer administrators' group), so that
// it can bind port 161, add the route and hold the spooler queues.
bool IsProcessAdministrator();

#if !defined(_WIN32)
// The group whose members may administer printers (the CUPS administrators).
inline constexpr const char* kPrinterAdminGroup = "lpadmin";

// Capability numbers of the Linux kernel (linux/capability.h) that a run needs.
inline constexpr int kCapNetBindService = 10; // UDP port 161 for the IPv6 search
inline constexpr int kCapNetAdmin = 12;       // the link-local route

// The Linux rule itself, over the process's identity (user and group ids). `adminGroup` is
// -1 when the system has no such group; `effectiveCapabilities` has bit N set for
// capability N.
bool IsAdministratorIdentity(std::uint32_t effectiveUser, std::uint32_t effectiveGroup,
    std::span<const std::uint32_t> groups, long long adminGroup, std::uint64_t effectiveCapabilities);
#endif

}
