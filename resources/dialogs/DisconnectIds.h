#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Disconnect page (dialog 30009): asks to leave only one printer connected. No side bar.

namespace plintor {

inline constexpr int IDC_DISCONNECT_MESSAGE = 1097;

}
