#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Key entry page (dialog 30013): WEP key or passphrase of the chosen access point.

namespace plintor {

inline constexpr int IDC_AP_PWD_SSID_LABEL = 1134;    // "SSID:"
inline constexpr int IDC_AP_PWD_SSID = 1139;          // static text showing the SSID
inline constexpr int IDC_AP_PWD_KEY_LABEL = 1135;     // "&WEP Key:" or "&Passphrase:"
inline constexpr int IDC_AP_PWD_KEY = 1137;           // password edit

}
