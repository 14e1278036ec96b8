#include "platform/NetInterfaces.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace plintor::platform {

std::vector<NetInterface> ListNetInterfaces()
{
    std::vector<NetInterface> result;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return result;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_name)
            continue;
        NetInterface* entry = nullptr;
        for (NetInterface& known : result)
            if (known.name == a->ifa_name)
                entry = &known;
        if (!entry) {
            NetInterface fresh;
            fresh.name = a->ifa_name;
            fresh.index = if_nametoindex(a->ifa_name);
            result.push_back(fresh);
            entry = &result.back();
        }
        entry->up = entry->up || (a->ifa_flags & IFF_UP);
        entry->loopback = entry->loopback || (a->ifa_flags & IFF_LOOPBACK);
        entry->multicast = entry->multicast || (a->ifa_flags & IFF_MULTICAST);
        if (!a->ifa_addr)
            continue;
        if (a->ifa_addr->sa_family == AF_INET && !entry->hasIpv4) {
            entry->hasIpv4 = true;
            entry->ipv4 = reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr.s_addr;
            if ((a->ifa_flags & IFF_BROADCAST) && a->ifa_broadaddr) {
                entry->hasIpv4Broadcast = true;
                entry->ipv4Broadcast =
                    reinterpret_cast<const sockaddr_in*>(a->ifa_broadaddr)->sin_addr.s_addr;
            }
        } else if (a->ifa_addr->sa_family == AF_INET6) {
            entry->hasIpv6 = true;
        }
    }
    freeifaddrs(list);
    return result;
}

}
