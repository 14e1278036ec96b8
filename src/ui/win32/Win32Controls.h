#pragma once

#include <windows.h>

#include "ui/DialogTemplate.h"

namespace plintor::win32 {

// Registers the common control classes the templates name (the report-style list view
// and the IPv4 address control) with the common controls library; call once before the
// first dialog is created. False when the library refuses.
bool RegisterControlClasses();

// The window class a control of this kind is created with ("Button", "Edit", "Static",
// "ComboBox", "SysListView32", "SysIPAddress32"); nullptr for ControlKind::Dialog.
const wchar_t* ControlClassName(ControlKind kind);

// Sets what a template cannot hold on the edits of a dialog made from `layout`: their most
// characters (EM_SETLIMITTEXT) and a password edit's character (EM_SETPASSWORDCHAR).
void ApplyEditSettings(HWND dialog, const DialogTemplate& layout);

// The character a password edit shows for each character typed: a black circle.
inline constexpr wchar_t PASSWORD_CHARACTER = L'\u25CF';

}
