#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Welcome page (dialog 30006): the kind of configuration. It has no Back button.

namespace plintor {

inline constexpr int IDC_WELCOME_IP = 1036;            // radio "&IP Configuration"
inline constexpr int IDC_WELCOME_IP_TEXT = 1039;
inline constexpr int IDC_WELCOME_WIRELESS = 1038;      // radio "&Wireless Configuration"
inline constexpr int IDC_WELCOME_WIRELESS_TEXT = 1041;
inline constexpr int IDC_WELCOME_FAX = 1037;           // radio "&FAX Configuration"
inline constexpr int IDC_WELCOME_FAX_TEXT = 1040;

}
