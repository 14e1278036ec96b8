#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plintor::platform {

// Test-only overrides, read from the environment in this one place. They move ports,
// targets, folders and files so that tests can talk to stand-in printers on loopback or in
// their own network namespaces and keep their runs apart; the program never sets them.
//
//   PLINTOR_PJL_PORT             TCP port of the printers' raw PJL service (default "9100")
//   PLINTOR_TEST_SNMP_PORT       UDP port of the printers' SNMP agents (default 161)
//   PLINTOR_TEST_SNMP_BROADCAST  an address the IPv4 search is sent to instead of
//                                "255.255.255.255"
//   PLINTOR_TEST_SNMP_MULTICAST  an address the IPv6 search is sent to instead of "ff02::1"
//   PLINTOR_LOCK_DIR             the folder of the single-instance lock files
//   PLINTOR_TEST_HOLD_LOCK_MS    how long start-up keeps going on after taking its lock,
//                                so that a second process meets it held
//   PLINTOR_SPOOLER_STATE        the file that lists the spooler queues a run holds
//   PLINTOR_SYSTEM_CONFIG        the configuration read when none lies beside the program,
//                                instead of the installed program's
//
// A variable that is not set, or set to an empty text, is no override.

// The service (port) the network channel connects to.
std::string PjlPort();

// The moves of the SNMP exchange. An overridden group target is sent to as a plain
// address and collected like a group.
struct SnmpTestOverrides {
    std::uint16_t port = 161;    // a value that is no port number 1 to 65535 is ignored
    std::string broadcastTarget; // empty: no override
    std::string multicastTarget; // empty: no override
};
SnmpTestOverrides ReadSnmpTestOverrides();

// The folder of the lock files, if moved.
std::optional<std::string> LockFolderOverride();

// Milliseconds start-up waits while it holds its lock; 0 when not set or not a positive
// number.
long TestLockHoldMs();

// The spooler upkeep's state file, if moved.
std::optional<std::string> SpoolerStateOverride();

// The system-wide configuration file, if moved.
std::optional<std::string> SystemConfigOverride();

}
