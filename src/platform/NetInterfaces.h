#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plintor::platform {

// One network interface of the workstation as discovery sees it.
struct NetInterface {
    std::string name;
    unsigned index = 0;
    bool up = false;
    bool loopback = false;
    bool multicast = false;
    bool hasIpv4 = false;
    std::uint32_t ipv4 = 0;          // first IPv4 address, network byte order
    bool hasIpv4Broadcast = false;
    std::uint32_t ipv4Broadcast = 0; // its broadcast address, network byte order
    bool hasIpv6 = false;
};

// The interfaces in the order the system lists them; empty when they cannot be read.
std::vector<NetInterface> ListNetInterfaces();

// The interfaces that are up and not loopback.
std::vector<NetInterface> ListExternalInterfaces();

}
