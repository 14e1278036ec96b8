#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Printer selection page (dialog 30010).

namespace plintor {

inline constexpr int IDC_PRINTER_GROUP = 1047;        // group box "&Printer"
inline constexpr int IDC_PRINTER_LIST = 1048;         // report list: MAC address, IP address
inline constexpr int IDC_USE_IPV6 = 1105;             // check box "Use &IPv6", created disabled
inline constexpr int IDC_PRINTER_REFRESH = 1049;      // "&Refresh"
inline constexpr int IDC_ENTER_IP_ADDRESS = 1050;     // "&Enter IP Address"

// Column widths of the printer list, in pixels.
inline constexpr int PRINTER_LIST_MAC_WIDTH = 116;
inline constexpr int PRINTER_LIST_IP_WIDTH = 220;

}
