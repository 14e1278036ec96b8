#pragma once

#include <cstdint>

namespace plintor {

// One answer of a network discovery pass: who answered, with which MAC and model id.
struct SnmpAnswer {
    char address[256]; // numeric address text of the printer
    char mac[256];     // 12 upper-case hexadecimal digits of ifPhysAddress.1
    char objectId[256]; // sysObjectID.0 as dotted text
    std::int32_t family; // 1 found by the IPv4 pass, 2 by the IPv6 pass
};

}
