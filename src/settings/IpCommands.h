#pragma once

#include "core/IpSettings.h"

#include <string>

namespace plintor {

// Which command word the IP lines carry.
enum IpCommandForm : int {
    kWiredForm = 0,     // "@PJL IWASETTCPIP ..."
    kWirelessForm = 1,  // "@PJL SETWLPARAMS ..."
};

// How the gateways are sent. An ad hoc wireless network has no router, so its lines
// carry all-zero gateways whatever the record holds.
enum IpGatewayRule : int {
    kSendGateways = 0,
    kAdHocGateways = 1,
};

// Appends the stack mode line and the IPv4 and/or IPv6 lines of `ip` to `job`.
// `form` 1 selects the wireless form, any other value the wired form. False (nothing
// appended) when `job` is absent, stackMode is not 0, 1 or 2, or IPv4 lines are due and
// ipv4Mode is not 0, 1 or 2.
bool AppendIpCommands(IpSettings ip, std::string* job, int form, IpGatewayRule rule = kSendGateways);

// The IPv4 type line, and for a static address the address, mask and gateway lines;
// nothing for an ipv4Mode outside the IPv4 type table.
void AppendIpv4Commands(const IpSettings& ip, int form, std::string& job, IpGatewayRule rule = kSendGateways);

// The IPv6 manual, address and gateway lines (all-zero addresses when not manual).
void AppendIpv6Commands(const IpSettings& ip, int form, std::string& job, IpGatewayRule rule = kSendGateways);

}
