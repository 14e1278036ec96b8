#pragma once

#include "resources/dialogs/CommonPageIds.h"

// Network check page (dialog 153): reminds of the network cable. No side bar.

namespace plintor {

inline constexpr int IDC_CONNECT_COM_TITLE = 1159;    // second title line, page-title font
inline constexpr int IDC_CONNECT_COM_MESSAGE = 1045;

}
