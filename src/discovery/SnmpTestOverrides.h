#pragma once

#include <cstdint>
#include <string>

namespace plintor {

// Test-only moves of the SNMP exchange, read from the environment in this one place:
//   PLINTOR_TEST_SNMP_PORT       the agents' UDP port instead of 161
//   PLINTOR_TEST_SNMP_BROADCAST  an address used instead of "255.255.255.255"
//   PLINTOR_TEST_SNMP_MULTICAST  an address used instead of "ff02::1"
// An overridden group target is sent to as a plain address and collected like a group.
// Nothing outside the test suite sets them.
struct SnmpTestOverrides {
    std::uint16_t port = 161;
    std::string broadcastTarget; // empty: no override
    std::string multicastTarget; // empty: no override
};

SnmpTestOverrides ReadSnmpTestOverrides();

}
