#include "TourWindows.h"

#include <windows.h>

#include <string>

namespace plintor::win32 {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;  // the system's message box shows its text in this static
constexpr int kLastMessageBoxButton = IDCONTINUE;

std::function<void()> timerTick;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (timerTick)
        timerTick();
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM list)
{
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<void*>*>(list)->push_back(window);
    return TRUE;
}

bool IsDialogClass(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

}

void RunQueuedMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

CThreadTimer::CThreadTimer(int milliseconds, std::function<void()> tick)
{
    timerTick = std::move(tick);
    id = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), OnTimer);
}

CThreadTimer::~CThreadTimer()
{
    KillTimer(nullptr, id);
    timerTick = nullptr;
}

bool FontOfWindow(void* window, WindowFont& font)
{
    HWND handle = static_cast<HWND>(window);
    HFONT held = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (!held || !GetObjectW(held, sizeof description, &description))
        return false;
    HDC dc = GetDC(handle);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(handle, dc);
    char face[LF_FACESIZE * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, description.lfFaceName, -1, face, sizeof face, nullptr, nullptr);
    font.face = face;
    font.points = MulDiv(description.lfHeight < 0 ? -description.lfHeight : description.lfHeight, 72, dpi);
    font.weight = static_cast<int>(description.lfWeight);
    font.underline = description.lfUnderline != 0;
    return true;
}

std::vector<void*> VisibleThreadWindows()
{
    std::vector<void*> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool IsMessageBox(void* window)
{
    HWND box = static_cast<HWND>(window);
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    wchar_t name[16] = {};
    if (!IsDialogClass(box) || !text || !GetClassNameW(text, name, 16))
        return false;
    return _wcsicmp(name, L"Static") == 0;
}

std::string MessageBoxText(void* window)
{
    wchar_t wide[1024] = {};
    GetDlgItemTextW(static_cast<HWND>(window), kMessageBoxTextId, wide, 1024);
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

void AnswerWithEscape(void* messageBox)
{
    HWND box = static_cast<HWND>(messageBox);
    int buttons = 0, defaultId = 0, onlyId = 0;
    for (int id = IDOK; id <= kLastMessageBoxButton; ++id) {
        HWND button = GetDlgItem(box, id);
        if (!button || !IsWindowVisible(button))
            continue;
        ++buttons;
        onlyId = id;
        if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultId = id;
    }
    const int answer = GetDlgItem(box, IDCANCEL) ? IDCANCEL : (buttons == 1 && onlyId == IDOK) ? IDOK : defaultId;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
}

}
