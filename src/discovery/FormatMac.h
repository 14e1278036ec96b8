#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plintor {

// The first six octets as 12 upper-case hexadecimal digits; 0 (text untouched) when there
// are fewer than six.
int FormatMac(const std::uint8_t* bytes, int length, std::string& text);

}
