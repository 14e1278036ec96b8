// The common controls library's classes (InitCommonControlsEx with the list view and
// Internet classes) and the edit control's text limit (EM_SETLIMITTEXT), as the platform
// documents them.

#include "ui/win32/Win32Controls.h"

#include <commctrl.h>

namespace plintor::win32 {

bool RegisterControlClasses()
{
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES;
    return InitCommonControlsEx(&classes) != FALSE;
}

const wchar_t* ControlClassName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Static:
    case ControlKind::Bitmap:
    case ControlKind::EtchedLine:
        return L"Static";
    case ControlKind::GroupBox:
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::LinkButton:
        return L"Button";
    case ControlKind::Edit:
        return L"Edit";
    case ControlKind::ComboBox:
        return L"ComboBox";
    case ControlKind::ListView:
        return WC_LISTVIEWW;
    case ControlKind::IpAddress:
        return WC_IPADDRESSW;
    case ControlKind::Dialog:
        break;
    }
    return nullptr;
}

void ApplyEditSettings(HWND dialog, const DialogTemplate& layout)
{
    for (const ControlTemplate& control : layout.controls) {
        if (control.kind != ControlKind::Edit || control.id < 0)
            continue;
        HWND edit = GetDlgItem(dialog, control.id);
        if (!edit)
            continue;
        if (control.limit > 0)
            SendMessageW(edit, EM_SETLIMITTEXT, static_cast<WPARAM>(control.limit), 0);
        // The edit of the common controls 6 hides a password behind black circles on
        // Windows; Wine's shows asterisks unless it is told.
        if (control.style & StylePassword)
            SendMessageW(edit, EM_SETPASSWORDCHAR, PASSWORD_CHARACTER, 0);
    }
}

}
