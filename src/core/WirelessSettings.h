#pragma once

#include <cstdint>
#include <string>

namespace plintor {

// The wireless LAN settings of one printer, as read from it or as the user edits them.
struct WirelessSettings {
    // Typed, or taken from the access point survey with the bytes that the wire's
    // character set cannot read kept in it (platform/AnsiCodePage.h).
    std::string ssid;
    std::uint32_t networkType = 0;  // row of NetworkTypeTable: 0 infrastructure, 1 ad hoc
    // 0 none, 1 WEP, 2 WPA-PSK TKIP, 3 WPA-PSK AES, 4 mixed-mode PSK.
    std::uint32_t security = 0;
    std::uint32_t transmitKey = 0;  // WEP key slot 1 to 4; 0 means automatic (first slot)
    std::string wepKey;             // 5 or 13 characters, or 10 or 26 hexadecimal digits
    std::string passphrase;

    bool operator==(const WirelessSettings&) const = default;
};

}
