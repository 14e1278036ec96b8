#pragma once

#include "resources/dialogs/FaxSettingIds.h"

// FAX settings page with the opt-out box (dialog 30016): the FAX controls inside a group.

namespace plintor {

inline constexpr int IDC_FAX_NOT_USED = 1095;         // check box "&I don't use FAX functionality"
inline constexpr int IDC_FAX_GROUP = 1096;            // group box "FAX Settings"

}
