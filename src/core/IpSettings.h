#pragma once

#include <cstdint>
#include <string>

namespace plintor {

// The IP settings of one printer. IPv4 numbers carry the first octet in the most
// significant byte, so 192.168.1.10 is 0xC0A8010A.
struct IpSettings {
    std::uint32_t stackMode = 0;  // row of IpModeTable: 0 dual stack, 1 IPv4 only, 2 IPv6 only
    std::uint32_t ipv4Mode = 0;   // row of Ipv4TypeTable: 0 DHCP, 1 static, 2 AutoIP
    std::uint32_t ipv4Address = 0;
    std::uint32_t subnetMask = 0xFF000000;
    std::uint32_t gateway = 0;
    std::uint32_t ipv6Manual = 0;  // 1: a manual IPv6 address is set; anything else: not set
    std::string ipv6Address;       // as typed, any valid textual form
    std::uint32_t ipv6PrefixLength = 64;
    std::string ipv6Gateway;

    bool operator==(const IpSettings&) const = default;
};

}
