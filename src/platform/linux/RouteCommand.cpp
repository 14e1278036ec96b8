#include "platform/RouteCommand.h"

#include "platform/RunProcess.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace plintor::platform {

namespace {

const char* kLinkLocalNetwork = "169.254.0.0/16";

}

std::string InterfaceHoldingIpv4(std::uint32_t address)
{
    std::string name;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return name;
    for (ifaddrs* a = list; a && name.empty(); a = a->ifa_next) {
        if (a->ifa_addr && a->ifa_addr->sa_family == AF_INET && a->ifa_name
            && reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr.s_addr == address)
            name = a->ifa_name;
    }
    freeifaddrs(list);
    return name;
}

RouteProgram FindRouteProgram()
{
    return {FindProgram({"/usr/sbin/ip", "/sbin/ip", "/usr/bin/ip", "/bin/ip"}), "ip", "ip route add"};
}

// ip route add|del 169.254.0.0/16 dev NAME scope link
std::vector<std::string> LinkLocalRouteCommand(const RouteProgram& program, RouteChange change,
                                               const std::string& interfaceName, std::uint32_t)
{
    return {program.path, "route", change == RouteChange::Add ? "add" : "del", kLinkLocalNetwork,
            "dev", interfaceName, "scope", "link"};
}

// /proc/net/route: addresses and masks as hexadecimal numbers in the host's byte order.
bool LinkLocalRouteListed()
{
    std::ifstream table("/proc/net/route");
    std::string line;
    std::getline(table, line); // the header
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string name, destination, gateway, flags, refCount, use, metric, mask;
        if (!(fields >> name >> destination >> gateway >> flags >> refCount >> use >> metric >> mask))
            continue;
        in_addr network{static_cast<in_addr_t>(std::strtoul(destination.c_str(), nullptr, 16))};
        in_addr netmask{static_cast<in_addr_t>(std::strtoul(mask.c_str(), nullptr, 16))};
        if (ntohl(network.s_addr) == 0xA9FE0000u && ntohl(netmask.s_addr) == 0xFFFF0000u)
            return true;
    }
    return false;
}

}
