#pragma once

// Text at the edge of the Win32 forms. The interfaces of this folder carry file names,
// paths and environment values as narrow text; on Windows that text is in the ANSI code
// page (CP_ACP), as the narrow file functions of the C and C++ run-time take it, and the
// forms call the wide (W) functions of the system after MultiByteToWideChar. The
// conversion is the system's, so a name outside the code page comes back with the
// system's default character in it.

#include "platform/windows/WinLean.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace plintor::platform::windows {

// Text in `codePage` (CP_ACP, CP_UTF8) as UTF-16 and back; empty when the system refuses.
inline std::wstring WideFromCodePage(std::string_view text, UINT codePage)
{
    if (text.empty())
        return {};
    int count = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (count <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), count);
    return wide;
}

inline std::string CodePageFromWide(std::wstring_view text, UINT codePage)
{
    if (text.empty())
        return {};
    int count = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
    if (count <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), count, nullptr,
                        nullptr);
    return narrow;
}

inline std::wstring WideFromAnsi(std::string_view text) { return WideFromCodePage(text, CP_ACP); }
inline std::string AnsiFromWide(std::wstring_view text) { return CodePageFromWide(text, CP_ACP); }

// Closes a handle when it goes out of scope; INVALID_HANDLE_VALUE and null hold nothing.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE held = nullptr) : handle(held == INVALID_HANDLE_VALUE ? nullptr : held) {}
    ~ScopedHandle()
    {
        if (handle)
            CloseHandle(handle);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    HANDLE Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

private:
    HANDLE handle;
};

}
