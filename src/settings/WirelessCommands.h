#pragma once

#include "core/IpSettings.h"
#include "core/WirelessSettings.h"

#include <string>
#include <string_view>

namespace plintor {

// Appends the lines that switch the wireless interface on and configure it: network
// name, network type, security, and the interface's IP settings in the wireless form
// (with all-zero gateways in an ad hoc network). False when `job` is absent, the WEP key
// has a length other than 5, 10, 13 or 26 characters, the WEP transmit key is above 4,
// the network type is not 0 or 1, or the IP settings cannot be sent; the caller then discards the job.
bool AppendWirelessCommands(std::string* job, WirelessSettings wireless, IpSettings ip);

// Appends each character's code as at least two lower-case hexadecimal digits ("%.02x"
// of its UTF-16 unit); does nothing without an output.
void EncodeWepKeyText(std::string_view key, std::string* out);

}
