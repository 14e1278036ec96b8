// The message box as MessageBoxExW documents it: MB_* type, icon and default button bits,
// MB_TASKMODAL when there is no owner, the language id choosing the buttons' texts, the
// ID* value of the button pressed as the result.

#include "ui/win32/SystemMessageBox.h"

namespace plintor::win32 {

namespace {

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (units <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
    return wide;
}

}

int ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption, std::uint32_t style,
                         std::uint16_t language)
{
    UINT type = style & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK);
    if (!owner)
        type |= MB_TASKMODAL;
    const std::wstring wideText = Wide(text), wideCaption = Wide(caption);
    return MessageBoxExW(owner, wideText.c_str(), wideCaption.c_str(), type, language);
}

}
