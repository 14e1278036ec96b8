#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Completion page (dialog 30015): only the Next button of the common buttons.

namespace plintor {

inline constexpr int IDC_COMPLETE_UPPER = 1092;
inline constexpr int IDC_COMPLETE_LOWER = 1102;
inline constexpr int IDC_PRINT_SETTINGS = 1094;       // "&Print Printer Setting", created hidden
inline constexpr int IDC_SET_ANOTHER = 1093;          // "&Set another printer", same place, hidden

}
