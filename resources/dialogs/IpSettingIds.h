#pragma once

#include "resources/dialogs/CommonPageIds.h"

// IP settings page (dialog 30003).

namespace plintor {

inline constexpr int IDC_IP_MODE_LABEL = 1012;        // "&IP Mode:"
inline constexpr int IDC_IP_MODE = 1090;              // drop-down list: Dual Stack, IPv4, IPv6
inline constexpr int IDC_IP_MODE_HELP = 1014;         // "What's this?"
inline constexpr int IDC_IPV4_GROUP = 1015;           // "IPv4 Settings"
inline constexpr int IDC_IPV4_TYPE_LABEL = 1017;      // "&Type:"
inline constexpr int IDC_IPV4_TYPE = 1018;            // drop-down list: DHCP, Static IP, AutoIP
inline constexpr int IDC_IPV4_HELP = 1016;            // "What's this?"
inline constexpr int IDC_IPV4_ADDRESS_LABEL = 1019;   // "I&P Address:"
inline constexpr int IDC_IPV4_ADDRESS = 1020;         // address control
inline constexpr int IDC_IPV4_MASK_LABEL = 1021;      // "Net&work Mask:"
inline constexpr int IDC_IPV4_MASK = 1022;            // address control
inline constexpr int IDC_IPV4_GATEWAY_LABEL = 1023;   // "&Gateway Address:"
inline constexpr int IDC_IPV4_GATEWAY = 1024;         // address control
inline constexpr int IDC_IPV6_GROUP = 1026;           // "IPv6 Settings"
inline constexpr int IDC_IPV6_MANUAL = 1027;          // check box "&Use Manual Address"
inline constexpr int IDC_IPV6_ADDRESS_LABEL = 1028;   // "IP &Address:"
inline constexpr int IDC_IPV6_ADDRESS = 1029;         // edit, at most 39 characters
inline constexpr int IDC_IPV6_SLASH = 1030;           // "/"
inline constexpr int IDC_IPV6_PREFIX = 1031;          // edit, digits only, at most 3
inline constexpr int IDC_IPV6_GATEWAY_LABEL = 1032;   // "Gat&eway Address:"
inline constexpr int IDC_IPV6_GATEWAY = 1033;         // edit, at most 39 characters
inline constexpr int IDC_IPV6_HELP = 1034;            // "What's this?"

inline constexpr int IPV6_ADDRESS_MAX_CHARS = 39;
inline constexpr int IPV6_PREFIX_MAX_CHARS = 3;

}
