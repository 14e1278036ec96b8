#pragma once

#include "resources/dialogs/WlSettingTemplateIds.h"

// Wireless settings page for a typed SSID (dialog 30019): the SSID is shown, not edited.

namespace plintor {

inline constexpr int IDC_WL_FIXED_SSID = 1140;        // static text showing the SSID

}
