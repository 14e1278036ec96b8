#include "discovery/FormatMac.h"

#include <cstdio>

namespace plintor {

int FormatMac(const std::uint8_t* bytes, int length, std::string& text)
{
    if (!bytes || length < 6)
        return 0;
    char out[13];
    for (int i = 0; i < 6; ++i)
        std::snprintf(out + 2 * i, 3, "%.02X", bytes[i]);
    text.assign(out, 12);
    return 1;
}

}
