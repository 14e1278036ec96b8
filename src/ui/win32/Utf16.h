#pragma once

// The window model's texts are UTF-8, the system's wide functions take UTF-16.

#include "platform/windows/WinText.h"

#include <string>
#include <string_view>

namespace plintor::win32 {

inline std::wstring WideFromUtf8(std::string_view utf8)
{
    return platform::windows::WideFromCodePage(utf8, CP_UTF8);
}

inline std::string Utf8FromWide(std::wstring_view wide)
{
    return platform::windows::CodePageFromWide(wide, CP_UTF8);
}

}
