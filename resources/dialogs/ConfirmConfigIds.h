#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Confirmation page (dialog 30014). Its Next button reads "&Apply".

namespace plintor {

inline constexpr int IDC_CONFIRM_SUMMARY = 1091;      // multi-line read-only edit
inline constexpr int IDC_PANEL_LANGUAGE_LABEL = 1100; // "&Panel Language:"
inline constexpr int IDC_PANEL_LANGUAGE = 1099;       // drop-down list, sorted

}
