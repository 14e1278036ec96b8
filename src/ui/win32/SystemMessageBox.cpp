// The message box as MessageBoxExW documents it: MB_* type, icon and default button bits,
// MB_TASKMODAL when there is no owner, the language id choosing the buttons' texts, the
// ID* value of the button pressed as the result.

#include "ui/win32/SystemMessageBox.h"

#include "ui/win32/Utf16.h"

namespace plintor::win32 {

int ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption, std::uint32_t style,
                         std::uint16_t language)
{
    UINT type = style & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK);
    if (!owner)
        type |= MB_TASKMODAL;
    const std::wstring wideText = WideFromUtf8(text), wideCaption = WideFromUtf8(caption);
    return MessageBoxExW(owner, wideText.c_str(), wideCaption.c_str(), type, language);
}

}
