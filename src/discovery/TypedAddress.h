#pragma once

#include <string>

namespace plintor {

struct DiscoveryContext;

// 0 for an empty text, "0.0.0.0" and "255.255.255.255", and for a text that does not
// resolve; else 1.
int ValidateTypedAddress(const std::string& text);

// The support code of the printer at a typed address (unicast SNMP), or 3 when it does
// not answer.
int CheckTypedAddress(const std::string& text, const DiscoveryContext& context);

// The MAC of the printer at a typed address; 1 with mac set.
int GetTypedAddressMac(const std::string& text, std::string& mac);

}
