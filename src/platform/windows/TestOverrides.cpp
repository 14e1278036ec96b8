// The test overrides from the process environment through _wgetenv, the wide environment
// that the system keeps (the narrow getenv of the run-time reads a copy made at start-up).
// Values are handed on in the ANSI code page, as the interfaces take paths. Exercised under
// Wine by the Windows unit tests.
#include "platform/TestOverrides.h"

#include "platform/windows/WinText.h"

#include <cstdlib>
#include <cwchar>

namespace plintor::platform {

namespace {

std::optional<std::string> Override(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    if (!value || !*value)
        return std::nullopt;
    return windows::AnsiFromWide(value);
}

}

std::string PjlPort()
{
    return Override(L"PLINTOR_PJL_PORT").value_or("9100");
}

SnmpTestOverrides ReadSnmpTestOverrides()
{
    SnmpTestOverrides overrides;
    if (std::optional<std::string> port = Override(L"PLINTOR_TEST_SNMP_PORT")) {
        char* end = nullptr;
        long value = std::strtol(port->c_str(), &end, 10);
        if (end && *end == '\0' && value > 0 && value < 65536)
            overrides.port = static_cast<std::uint16_t>(value);
    }
    overrides.broadcastTarget = Override(L"PLINTOR_TEST_SNMP_BROADCAST").value_or("");
    overrides.multicastTarget = Override(L"PLINTOR_TEST_SNMP_MULTICAST").value_or("");
    return overrides;
}

std::optional<std::string> LockFolderOverride()
{
    return Override(L"PLINTOR_LOCK_DIR");
}

long TestLockHoldMs()
{
    std::optional<std::string> text = Override(L"PLINTOR_TEST_HOLD_LOCK_MS");
    if (!text)
        return 0;
    long ms = std::strtol(text->c_str(), nullptr, 10);
    return ms > 0 ? ms : 0;
}

std::optional<std::string> SpoolerStateOverride()
{
    return Override(L"PLINTOR_SPOOLER_STATE");
}

std::optional<std::string> SystemConfigOverride()
{
    return Override(L"PLINTOR_SYSTEM_CONFIG");
}

}
