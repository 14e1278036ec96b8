#include "pages/IpAddressRules.h"

#include <cstdint>

namespace plintor {

namespace {

constexpr int kLoopbackOctet = 127;
constexpr int kFirstMulticastOctet = 224;
constexpr unsigned kMaxPrefixLength = 128;

bool AllFilled(const std::array<int, 4>& fields)
{
    for (int field : fields)
        if (field < 0 || field > 255)
            return false;
    return true;
}

std::uint32_t ValueOf(const std::array<int, 4>& fields)
{
    std::uint32_t value = 0;
    for (int field : fields)
        value = (value << 8) | static_cast<std::uint32_t>(field);
    return value;
}

}

bool IsValidHostAddress(const std::array<int, 4>& fields)
{
    return AllFilled(fields) && fields[0] != kLoopbackOctet && fields[0] < kFirstMulticastOctet;
}

bool IsValidNetworkMask(const std::array<int, 4>& fields)
{
    if (!AllFilled(fields) || fields[3] == 255)
        return false;
    // Contiguous ones from the top: the inverted mask plus one is a power of two.
    std::uint32_t inverted = ~ValueOf(fields);
    return (inverted & (inverted + 1)) == 0;
}

bool IsValidPrefixLength(std::string_view text, unsigned& value)
{
    if (text.empty())
        return false;
    unsigned parsed = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        parsed = parsed * 10 + static_cast<unsigned>(c - '0');
        // Stop before a long text of digits can overflow; it is out of range anyway.
        if (parsed > kMaxPrefixLength)
            return false;
    }
    if (parsed < 1)
        return false;
    value = parsed;
    return true;
}

}
