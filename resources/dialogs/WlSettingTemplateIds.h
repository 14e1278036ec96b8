#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Controls shared by the two wireless settings pages (dialogs 30018 and 30019).

namespace plintor {

inline constexpr int IDC_WL_TYPE_GROUP = 1078;        // "Type of wireless network"
inline constexpr int IDC_WL_INFRASTRUCTURE = 1079;    // radio "&Infrastructure"
inline constexpr int IDC_WL_ADHOC = 1080;             // radio "Ad &Hoc"
inline constexpr int IDC_WL_TYPE_HELP = 1081;         // "What's this?"
inline constexpr int IDC_WL_SECURITY_GROUP = 1082;    // "Security"
inline constexpr int IDC_WL_SECURITY_LABEL = 1083;    // "Pro&tocol:"
inline constexpr int IDC_WL_SECURITY = 1084;          // drop-down list
inline constexpr int IDC_WL_KEY_INDEX_LABEL = 1086;   // "Inde&x:"
inline constexpr int IDC_WL_KEY_INDEX = 1085;         // drop-down list
inline constexpr int IDC_WL_KEY_LABEL = 1087;         // "&WEP Key:" or "&Passphrase:"
inline constexpr int IDC_WL_KEY = 1088;               // password edit
inline constexpr int IDC_WL_SECURITY_HELP = 1089;     // "What's this?"
inline constexpr int IDC_WL_SSID_LABEL = 1075;        // "SSI&D:" (30018) or "SSID:" (30019)

}
