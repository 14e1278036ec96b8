#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Method page (dialog 30007): is the printer on the network already?

namespace plintor {

inline constexpr int IDC_METHOD_NETWORK = 1042;       // radio "&Yes"
inline constexpr int IDC_METHOD_USB = 1043;           // radio "N&o"
inline constexpr int IDC_METHOD_NETWORK_TEXT = 1143;  // text beside the network picture
inline constexpr int IDC_METHOD_USB_TEXT = 1144;      // text beside the USB picture

}
