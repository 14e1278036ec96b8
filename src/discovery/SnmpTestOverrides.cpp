#include "discovery/SnmpTestOverrides.h"

#include <cstdlib>

namespace plintor {

SnmpTestOverrides ReadSnmpTestOverrides()
{
    SnmpTestOverrides overrides;
    if (const char* port = std::getenv("PLINTOR_TEST_SNMP_PORT")) {
        char* end = nullptr;
        long value = std::strtol(port, &end, 10);
        if (end && *end == '\0' && value > 0 && value < 65536)
            overrides.port = static_cast<std::uint16_t>(value);
    }
    if (const char* target = std::getenv("PLINTOR_TEST_SNMP_BROADCAST"))
        overrides.broadcastTarget = target;
    if (const char* target = std::getenv("PLINTOR_TEST_SNMP_MULTICAST"))
        overrides.multicastTarget = target;
    return overrides;
}

}
