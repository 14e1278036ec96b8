#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plintor::platform {

// IPv4 addresses as 32-bit values in network byte order (the first number of the dotted
// text is the first byte in memory), the way the system's socket addresses hold them.

// Reads dotted text as the system's inet_pton does: exactly four decimal numbers of at
// most 255, without leading zeros, separated by single dots, and nothing else.
bool ParseIpv4(std::string_view text, std::uint32_t& networkOrder);

// The dotted text ("192.0.2.1").
std::string Ipv4Text(std::uint32_t networkOrder);

// Whether the address lies in 127.0.0.0/8.
bool IsLoopbackIpv4(std::uint32_t networkOrder);

}
