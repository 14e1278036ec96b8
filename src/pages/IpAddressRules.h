#pragma once

#include <array>
#include <string_view>

namespace plintor {

// The checks that the IP page makes on the four fields of an address control (a field
// is -1 while blank).

// An IPv4 host address (a printer's own address or its gateway): every field filled,
// the first octet neither 127 (loopback) nor 224 or above (multicast and reserved).
bool IsValidHostAddress(const std::array<int, 4>& fields);

// A network mask: every field filled, its ones contiguous from the top, and the last
// octet not 255. So 0.0.0.0 and 255.255.255.254 pass, 255.255.255.255 does not.
bool IsValidNetworkMask(const std::array<int, 4>& fields);

// The prefix length of a manual IPv6 address: decimal digits only, 1 to 128.
bool IsValidPrefixLength(std::string_view text, unsigned& value);

}
