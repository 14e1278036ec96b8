#include "platform/Ipv4Address.h"

#include <cstring>

namespace plintor::platform {

bool ParseIpv4(std::string_view text, std::uint32_t& networkOrder)
{
    unsigned char bytes[4] = {};
    int parts = 0;
    bool inNumber = false;
    unsigned value = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (inNumber && value == 0)
                return false; // a leading zero
            value = value * 10 + static_cast<unsigned>(c - '0');
            if (value > 255)
                return false;
            if (!inNumber) {
                if (++parts > 4)
                    return false;
                inNumber = true;
            }
            bytes[parts - 1] = static_cast<unsigned char>(value);
        } else if (c == '.' && inNumber && parts < 4) {
            inNumber = false;
            value = 0;
        } else {
            return false;
        }
    }
    if (parts < 4 || !inNumber)
        return false;
    std::memcpy(&networkOrder, bytes, sizeof bytes);
    return true;
}

std::string Ipv4Text(std::uint32_t networkOrder)
{
    unsigned char bytes[4];
    std::memcpy(bytes, &networkOrder, sizeof bytes);
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (i)
            text += '.';
        text += std::to_string(bytes[i]);
    }
    return text;
}

bool IsLoopbackIpv4(std::uint32_t networkOrder)
{
    unsigned char bytes[4];
    std::memcpy(bytes, &networkOrder, sizeof bytes);
    return bytes[0] == 127;
}

}
