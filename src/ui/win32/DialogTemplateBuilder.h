#pragma once

#include <cstdint>
#include <vector>

#include "ui/DialogTemplate.h"

namespace plintor::win32 {

// A dialog layout of the window model as an in-memory extended dialog template: one
// DLGTEMPLATEEX header followed by one DLGITEMTEMPLATEEX per control, in the layout's
// (tab) order, each item starting on a DWORD boundary counted from the first byte.
// The vector's storage comes from operator new and so is itself DWORD aligned, as
// CreateDialogIndirectParamW and DialogBoxIndirectParamW require.
//
// The dialog itself is created without WS_VISIBLE (the front end shows it once its texts
// are in place); its controls are visible unless the layout hides them. Edit limits and
// password characters are not part of a template; ApplyEditSettings (Win32Controls.h) sets
// them afterwards.
std::vector<std::uint8_t> BuildDialogTemplate(const DialogTemplate& layout);

// Dialog units a drop-down list adds below its selection field: a template gives a combo
// box's height with its list dropped down, the layouts only the field's.
inline constexpr int DROP_DOWN_LIST_HEIGHT = 80;

}
