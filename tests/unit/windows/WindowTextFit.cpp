#include "WindowTextFit.h"

#include <windows.h>

#include <functional>
#include <string>

namespace plintor::win32 {

namespace {

std::wstring ClassOf(HWND window)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Utf8(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// The room the control's text has and how the control draws it, or false for a control
// that shows no text of its own (pictures, lines, owner-drawn buttons, other classes).
bool TextRoom(HWND control, RECT& room, UINT& format)
{
    GetClientRect(control, &room);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const std::wstring name = ClassOf(control);
    if (_wcsicmp(name.c_str(), L"Static") == 0) {
        const LONG kind = style & SS_TYPEMASK;
        if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT)
            format = DT_WORDBREAK;
        else if (kind == SS_LEFTNOWORDWRAP)
            format = DT_SINGLELINE;
        else
            return false;
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        return true;
    }
    if (_wcsicmp(name.c_str(), L"Button") != 0)
        return false;
    const LONG kind = style & BS_TYPEMASK;
    // The dialog font's character cell: the check mark and the group title's indent are
    // laid out in it.
    TEXTMETRICW metrics{};
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    format = DT_SINGLELINE;
    switch (kind) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        // Inside the raised edge.
        InflateRect(&room, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        return true;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
        // The mark is as wide as the font is high, with a gap of half a character.
        room.left += metrics.tmHeight + metrics.tmAveCharWidth / 2;
        return true;
    case BS_GROUPBOX:
        // The title sits in the frame's top line, a character in from each side.
        room.left += metrics.tmAveCharWidth;
        room.right -= metrics.tmAveCharWidth;
        room.bottom = room.top + metrics.tmHeight;
        return true;
    default:
        return false;
    }
}

// Calls `visit` with every visible control under `window`, searched through its child
// dialogs.
void ForEachControl(HWND window, const std::function<void(HWND)>& visit)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        if (ClassOf(child) == L"#32770")
            ForEachControl(child, visit);
        else
            visit(child);
    }
}

void CheckTextFits(HWND control, std::vector<std::string>& found)
{
    RECT room{};
    UINT format = 0;
    const std::wstring text = TextOf(control);
    if (text.empty() || !TextRoom(control, room, format))
        return;
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT need{0, 0, room.right - room.left, 0};
    DrawTextW(dc, text.c_str(), -1, &need, format | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    const int haveWidth = room.right - room.left, haveHeight = room.bottom - room.top;
    if (need.right <= haveWidth && need.bottom <= haveHeight)
        return;
    found.push_back("control " + std::to_string(GetDlgCtrlID(control)) + ": \"" + Utf8(text) + "\" needs "
                    + std::to_string(need.right) + "x" + std::to_string(need.bottom) + " px, has "
                    + std::to_string(haveWidth) + "x" + std::to_string(haveHeight));
}

void CheckPictureFills(HWND control, std::vector<std::string>& found)
{
    if (_wcsicmp(ClassOf(control).c_str(), L"Static") != 0
        || (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
        return;
    RECT room{};
    GetClientRect(control, &room);
    BITMAP picture{};
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap && GetObjectW(bitmap, sizeof picture, &picture) && picture.bmWidth == room.right
        && picture.bmHeight == room.bottom)
        return;
    found.push_back("control " + std::to_string(GetDlgCtrlID(control)) + ": picture "
                    + std::to_string(picture.bmWidth) + "x" + std::to_string(picture.bmHeight) + " px in "
                    + std::to_string(room.right) + "x" + std::to_string(room.bottom));
}

}

std::vector<std::string> ClippedTexts(void* window)
{
    std::vector<std::string> found;
    ForEachControl(static_cast<HWND>(window), [&found](HWND control) { CheckTextFits(control, found); });
    return found;
}

std::vector<std::string> UnfilledPictures(void* window)
{
    std::vector<std::string> found;
    ForEachControl(static_cast<HWND>(window), [&found](HWND control) { CheckPictureFills(control, found); });
    return found;
}

}
