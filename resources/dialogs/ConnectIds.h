#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Cable page (dialog 30008): asks for the USB cable. No side bar; Next is hidden by the page.

namespace plintor {

inline constexpr int IDC_CONNECT_MESSAGE = 1046;

}
