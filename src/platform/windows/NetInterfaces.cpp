// The workstation's interfaces through GetAdaptersAddresses (IP Helper), both families,
// without anycast, multicast and DNS server lists. The name is the adapter's friendly name
// in the ANSI code page; the index is the IPv6 interface index (Ipv6IfIndex), which the
// IPv6 multicast option IPV6_MULTICAST_IF takes, or the IPv4 one (IfIndex) when the
// adapter has no IPv6; up is OperStatus IfOperStatusUp; loopback is the interface type
// IF_TYPE_SOFTWARE_LOOPBACK; multicast unless IP_ADAPTER_NO_MULTICAST. The IPv4 broadcast
// address is the first unicast address with every host bit of its prefix
// (OnLinkPrefixLength) set. The buffer is asked for again while the system answers
// ERROR_BUFFER_OVERFLOW (adapters may come between the calls). Exercised under Wine by the
// Windows unit tests (its loopback interface).
#include "platform/NetInterfaces.h"

#include "platform/windows/WinText.h"
#include "platform/windows/WinsockSession.h"

#include <iphlpapi.h>
#include <ws2tcpip.h>

#include <vector>

namespace plintor::platform {

namespace {

constexpr int kBufferTries = 4;

std::uint32_t HostBits(unsigned prefixLength)
{
    if (prefixLength >= 32)
        return 0;
    return htonl(0xFFFFFFFFu >> prefixLength);
}

}

std::vector<NetInterface> ListNetInterfaces()
{
    std::vector<NetInterface> result;
    const ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
    ULONG size = 16 * 1024;
    std::vector<ULONG_PTR> buffer;
    IP_ADAPTER_ADDRESSES* adapters = nullptr;
    for (int attempt = 0; attempt < kBufferTries; ++attempt) {
        buffer.assign((size + sizeof(ULONG_PTR) - 1) / sizeof(ULONG_PTR), 0);
        adapters = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
        ULONG rc = GetAdaptersAddresses(AF_UNSPEC, flags, nullptr, adapters, &size);
        if (rc == NO_ERROR)
            break;
        adapters = nullptr;
        if (rc != ERROR_BUFFER_OVERFLOW)
            return result;
    }
    for (const IP_ADAPTER_ADDRESSES* a = adapters; a; a = a->Next) {
        NetInterface entry;
        entry.name = a->FriendlyName ? windows::AnsiFromWide(a->FriendlyName) : std::string();
        if (entry.name.empty() && a->AdapterName)
            entry.name = a->AdapterName;
        entry.index = a->Ipv6IfIndex != 0 ? a->Ipv6IfIndex : a->IfIndex;
        entry.up = a->OperStatus == IfOperStatusUp;
        entry.loopback = a->IfType == IF_TYPE_SOFTWARE_LOOPBACK;
        entry.multicast = !(a->Flags & IP_ADAPTER_NO_MULTICAST);
        for (const IP_ADAPTER_UNICAST_ADDRESS* u = a->FirstUnicastAddress; u; u = u->Next) {
            const sockaddr* address = u->Address.lpSockaddr;
            if (!address)
                continue;
            if (address->sa_family == AF_INET && !entry.hasIpv4) {
                entry.hasIpv4 = true;
                entry.ipv4 = reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr;
                if (!entry.loopback && u->OnLinkPrefixLength < 32) {
                    entry.hasIpv4Broadcast = true;
                    entry.ipv4Broadcast = entry.ipv4 | HostBits(u->OnLinkPrefixLength);
                }
            } else if (address->sa_family == AF_INET6) {
                entry.hasIpv6 = true;
            }
        }
        result.push_back(entry);
    }
    return result;
}

}
