#include "platform/TestOverrides.h"

#include <cstdlib>

namespace plintor::platform {

namespace {

std::optional<std::string> Override(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

}

std::string PjlPort()
{
    return Override("PLINTOR_PJL_PORT").value_or("9100");
}

SnmpTestOverrides ReadSnmpTestOverrides()
{
    SnmpTestOverrides overrides;
    if (std::optional<std::string> port = Override("PLINTOR_TEST_SNMP_PORT")) {
        char* end = nullptr;
        long value = std::strtol(port->c_str(), &end, 10);
        if (end && *end == '\0' && value > 0 && value < 65536)
            overrides.port = static_cast<std::uint16_t>(value);
    }
    overrides.broadcastTarget = Override("PLINTOR_TEST_SNMP_BROADCAST").value_or("");
    overrides.multicastTarget = Override("PLINTOR_TEST_SNMP_MULTICAST").value_or("");
    return overrides;
}

std::optional<std::string> LockFolderOverride()
{
    return Override("PLINTOR_LOCK_DIR");
}

long TestLockHoldMs()
{
    std::optional<std::string> text = Override("PLINTOR_TEST_HOLD_LOCK_MS");
    if (!text)
        return 0;
    long ms = std::strtol(text->c_str(), nullptr, 10);
    return ms > 0 ? ms : 0;
}

std::optional<std::string> SpoolerStateOverride()
{
    return Override("PLINTOR_SPOOLER_STATE");
}

std::optional<std::string> SystemConfigOverride()
{
    return Override("PLINTOR_SYSTEM_CONFIG");
}

}
