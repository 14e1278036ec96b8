#pragma once

#include "resources/dialogs/WlSettingTemplateIds.h"

// Wireless settings page (dialog 30018): the shared wireless controls and an SSID edit.

namespace plintor {

inline constexpr int IDC_WL_SSID = 1076;              // edit, at most 32 characters
inline constexpr int IDC_WL_SSID_HELP = 1077;         // "What's this?"

inline constexpr int SSID_MAX_CHARS = 32;

}
