#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Access point selection page (dialog 30017).

namespace plintor {

inline constexpr int IDC_AP_FROM_LIST = 1107;         // radio "&Select from the found Access Points"
inline constexpr int IDC_AP_TYPED = 1108;             // radio "&Input the SSID directly"
inline constexpr int IDC_AP_GROUP = 1113;             // group box "&Access Point"
inline constexpr int IDC_AP_LIST = 1114;              // report list: SSID, encryption, status
inline constexpr int IDC_AP_REFRESH = 1115;           // "&Refresh"
inline constexpr int IDC_AP_TYPED_HINT = 1112;
inline constexpr int IDC_AP_SSID_LABEL = 1132;        // "SSI&D:"
inline constexpr int IDC_AP_SSID = 1133;              // edit, at most 32 characters
inline constexpr int IDC_AP_SSID_HELP = 1138;         // "What's this?"

// Column widths of the access point list, in pixels.
inline constexpr int AP_LIST_SSID_WIDTH = 150;
inline constexpr int AP_LIST_ENCRYPTION_WIDTH = 106;
inline constexpr int AP_LIST_STATUS_WIDTH = 80;

inline constexpr int AP_SSID_MAX_CHARS = 32;

}
