#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plintor::platform {

// The system's side of the on-link route to the link-local network 169.254.0.0/16:
// which interface holds the workstation's address, the program that changes routes and
// its arguments, and whether the routing table has such a route. When to add and remove
// it is decided above (discovery/LinkLocalRoute.h).

// The interface that holds the IPv4 address (network byte order) among any of its
// addresses, as the route program names it ("eth0"); empty when none does.
std::string InterfaceHoldingIpv4(std::uint32_t address);

// The program that changes routes.
struct RouteProgram {
    std::string path;       // absolute; empty when it was not found
    std::string name;       // as messages name the program ("ip")
    std::string addCommand; // as messages name the step that adds a route ("ip route add")
};
RouteProgram FindRouteProgram();

enum class RouteChange { Add, Remove };

// The whole argument vector (the program's path first) that adds or removes the route to
// 169.254.0.0/16 through the interface `interfaceName`, which holds `localAddress`
// (network byte order).
std::vector<std::string> LinkLocalRouteCommand(const RouteProgram& program, RouteChange change,
                                               const std::string& interfaceName, std::uint32_t localAddress);

// Whether the routing table has a route to 169.254.0.0/16.
bool LinkLocalRouteListed();

}
