#pragma once

#include <optional>
#include <string>

namespace plintor::platform {

// Test-only overrides, read from the environment in this one place. They move ports and
// targets so that unprivileged tests can talk to stand-in printers on loopback; the program
// never sets them.
//
//   PLINTOR_PJL_PORT   TCP port of the printers' raw PJL service (default "9100")

// The value of an override variable, if it is set and not empty.
std::optional<std::string> TestOverride(const char* name);

// The service (port) the network channel connects to.
std::string PjlPort();

}
