#include "discovery/LinkLocalRoute.h"

#include "platform/NetInterfaces.h"
#include "platform/RunProcess.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

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

}

CLinkLocalRoute& CLinkLocalRoute::ForThisRun()
{
    static CLinkLocalRoute run;
    return run;
}

int CLinkLocalRoute::Add(const std::string& localAddress)
{
    in_addr address{};
    if (localAddress.empty() || inet_pton(AF_INET, localAddress.c_str(), &address) != 1)
        return 0;
    // Never through loopback: that is not the workstation's own network.
    if ((ntohl(address.s_addr) >> 24) == 127 || address.s_addr == 0)
        return 0;
    std::string name = InterfaceHolding(address);
    std::string ip = IpProgram();
    if (name.empty() || ip.empty())
        return 0;
    std::lock_guard<std::mutex> guard(lock);
    if (closed)
        return 0;
    platform::ProcessResult run =
        platform::RunProcess({ip, "route", "add", kLinkLocalNetwork, "dev", name, "scope", "link"},
                             kCommandBound);
    if (!run.started)
        return 0;
    // A route that was there before (the command then fails) is not ours to remove.
    if (run.exitCode == 0 && !added) {
        added = true;
        interfaceName = name;
    }
    return 1;
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
