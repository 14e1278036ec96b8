#include "discovery/LinkLocalRoute.h"

#include "platform/NetInterfaces.h"
#include "platform/RunProcess.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace plintor {

namespace {

const char* kLinkLocalNetwork = "169.254.0.0/16";

std::string IpProgram()
{
    return platform::FindProgram({"/usr/sbin/ip", "/sbin/ip", "/usr/bin/ip", "/bin/ip"});
}

// The interface that holds the address (any of its addresses, not only the first).
std::string InterfaceHolding(in_addr address)
{
    std::string name;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return name;
    for (ifaddrs* a = list; a && name.empty(); a = a->ifa_next) {
        if (a->ifa_addr && a->ifa_addr->sa_family == AF_INET && a->ifa_name
            && reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr.s_addr == address.s_addr)
            name = a->ifa_name;
    }
    freeifaddrs(list);
    return name;
}

// Whether the routing table has a route to 169.254.0.0/16 (/proc/net/route: addresses
// and masks as hexadecimal numbers in the host's byte order).
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

CLinkLocalRoute& CLinkLocalRoute::ForThisRun()
{
    static CLinkLocalRoute run;
    return run;
}

int CLinkLocalRoute::Add(const std::string& localAddress)
{
    auto fail = [this](std::string why) {
        std::lock_guard<std::mutex> guard(lock);
        problem = std::move(why);
        return 0;
    };
    in_addr address{};
    if (localAddress.empty() || inet_pton(AF_INET, localAddress.c_str(), &address) != 1)
        return fail("the workstation has no IPv4 address of its own");
    // Never through loopback: that is not the workstation's own network.
    if ((ntohl(address.s_addr) >> 24) == 127 || address.s_addr == 0)
        return fail("the workstation's address " + localAddress + " is a loopback address");
    std::string name = InterfaceHolding(address);
    std::string ip = IpProgram();
    if (name.empty())
        return fail("no network interface holds the address " + localAddress);
    if (ip.empty())
        return fail("the ip program was not found");
    std::lock_guard<std::mutex> guard(lock);
    if (closed)
        return 0;
    platform::ProcessResult run =
        platform::RunProcess({ip, "route", "add", kLinkLocalNetwork, "dev", name, "scope", "link"},
                             kCommandBound);
    if (!run.started) {
        problem = "ip could not be started";
        return 0;
    }
    problem.clear();
    // A route that was there before (the command then fails) is not ours to remove.
    if (run.exitCode == 0 && !added) {
        added = true;
        interfaceName = name;
    } else if (run.exitCode != 0 && !LinkLocalRouteListed()) {
        problem = run.timedOut ? "ip route add did not end within its bound"
                               : "ip route add via " + name + " failed (exit status " + std::to_string(run.exitCode) + ")";
    }
    return 1;
}

std::string CLinkLocalRoute::Problem() const
{
    std::lock_guard<std::mutex> guard(lock);
    return problem;
}

bool CLinkLocalRoute::Added() const
{
    std::lock_guard<std::mutex> guard(lock);
    return added;
}

std::string CLinkLocalRoute::Interface() const
{
    std::lock_guard<std::mutex> guard(lock);
    return interfaceName;
}

void CLinkLocalRoute::Remove()
{
    std::lock_guard<std::mutex> guard(lock);
    closed = true;
    if (!added)
        return;
    added = false;
    std::string ip = IpProgram();
    if (!ip.empty())
        platform::RunProcess({ip, "route", "del", kLinkLocalNetwork, "dev", interfaceName, "scope", "link"},
                             kCommandBound);
}

}
