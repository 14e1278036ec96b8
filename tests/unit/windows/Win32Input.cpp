#include "Win32Input.h"

#include "ui/win32/Utf16.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace plintor::test {

namespace {

HWND H(NativeWindow window)
{
    return static_cast<HWND>(window);
}

struct BoxSearch {
    std::wstring caption;
    bool anyCaption = false;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<BoxSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process != GetCurrentProcessId() || lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    // The system's message box has a static text without an id of its own.
    if ((search->anyCaption || search->caption == caption) && GetDlgItem(window, 0xFFFF)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}

void PressButton(NativeWindow button)
{
    SendMessageW(H(button), BM_CLICK, 0, 0);
}

void TypeText(NativeWindow edit, const std::string& utf8)
{
    SendMessageW(H(edit), EM_SETSEL, 0, -1);
    SendMessageW(H(edit), WM_CLEAR, 0, 0);
    for (wchar_t unit : win32::WideFromUtf8(utf8))
        SendMessageW(H(edit), WM_CHAR, unit, 1);
}

void PasteText(NativeWindow edit, const std::string& utf8)
{
    SendMessageW(H(edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::WideFromUtf8(utf8).c_str()));
}

void TypeAddress(NativeWindow address, const std::string& dotted)
{
    std::vector<HWND> fields;
    for (HWND child = GetWindow(H(address), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        fields.push_back(child);
    // The fields are made right to left or left to right, depending on the system: place decides.
    for (std::size_t i = 1; i < fields.size(); ++i)
        for (std::size_t j = i; j > 0; --j) {
            RECT a{}, b{};
            GetWindowRect(fields[j - 1], &a);
            GetWindowRect(fields[j], &b);
            if (b.left < a.left)
                std::swap(fields[j - 1], fields[j]);
        }
    std::size_t start = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t dot = dotted.find('.', start);
        const std::string part = dotted.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        SendMessageW(fields[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::WideFromUtf8(part).c_str()));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
}

void ChooseItem(NativeWindow comboBox, int index)
{
    SendMessageW(H(comboBox), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const int id = GetDlgCtrlID(H(comboBox));
    SendMessageW(GetParent(H(comboBox)), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(H(comboBox)));
}

void ClickRow(NativeWindow list, int row)
{
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageW(H(list), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(H(list), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(H(list), WM_LBUTTONUP, 0, at);
}

void PressKey(NativeWindow window, int virtualKey)
{
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
    PostMessageW(H(window), WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(H(window), WM_KEYUP, static_cast<WPARAM>(virtualKey),
                 1 | (static_cast<LPARAM>(scan) << 16) | (LPARAM{3} << 30));
}

void PressAltKey(NativeWindow window, char letter)
{
    const auto key = static_cast<WPARAM>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter);
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    const LPARAM alt = LPARAM{1} << 29;
    PostMessageW(H(window), WM_SYSKEYDOWN, key, 1 | (static_cast<LPARAM>(scan) << 16) | alt);
    PostMessageW(H(window), WM_SYSKEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | alt | (LPARAM{3} << 30));
}

void CloseFromTitleBar(NativeWindow dialog)
{
    PostMessageW(H(dialog), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void ChangeDpi(NativeWindow window, int dpi, const int (&suggested)[4])
{
    constexpr UINT kDpiChanged = 0x02E0;   // WM_DPICHANGED, Windows 8.1 and later
    RECT place{suggested[0], suggested[1], suggested[2], suggested[3]};
    SendMessageW(H(window), kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
}

void NativePlace(NativeWindow window, int& left, int& top)
{
    RECT area{};
    GetWindowRect(H(window), &area);
    left = area.left;
    top = area.top;
}

void* NativePicture(NativeWindow picture, int& width, int& height, int& clientWidth, int& clientHeight)
{
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(H(picture), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP description{};
    if (!bitmap || !GetObjectW(bitmap, sizeof description, &description))
        return nullptr;
    width = description.bmWidth;
    height = description.bmHeight;
    RECT client{};
    GetClientRect(H(picture), &client);
    clientWidth = client.right;
    clientHeight = client.bottom;
    return bitmap;
}

int NativeSelectedRow(NativeWindow list)
{
    return static_cast<int>(SendMessageW(H(list), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string NativeText(NativeWindow window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(H(window))) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(H(window), text.data(), static_cast<int>(text.size()))));
    return win32::Utf8FromWide(text);
}

bool NativeChecked(NativeWindow button)
{
    return SendMessageW(H(button), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool NativeEnabled(NativeWindow window)
{
    return IsWindowEnabled(H(window)) != FALSE;
}

void* NativeIcon(NativeWindow dialog, bool big)
{
    return reinterpret_cast<void*>(SendMessageW(H(dialog), WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0));
}

void* NativeBitmap(NativeWindow picture)
{
    return reinterpret_cast<void*>(SendMessageW(H(picture), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

bool IconAlive(void* icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(static_cast<HICON>(icon), &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

bool BitmapAlive(void* bitmap)
{
    BITMAP description{};
    return bitmap && GetObjectW(static_cast<HBITMAP>(bitmap), sizeof description, &description) != 0;
}

namespace {

HWND WaitForBox(const std::string& caption)
{
    BoxSearch search;
    search.caption = win32::WideFromUtf8(caption);
    for (int i = 0; i < 400 && !search.found; ++i) {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(50);
    }
    return search.found;
}

}

bool AnswerMessageBox(const std::string& caption, int buttonId, std::string* text)
{
    HWND box = WaitForBox(caption);
    if (!box)
        return false;
    if (text)
        *text = NativeText(GetDlgItem(box, 0xFFFF));
    PostMessageW(GetDlgItem(box, buttonId), BM_CLICK, 0, 0);
    return true;
}

NativeWindow MessageBoxOwner(const std::string& caption)
{
    HWND box = WaitForBox(caption);
    return box ? GetWindow(box, GW_OWNER) : nullptr;
}

NativeWindow ActiveWindow()
{
    return GetActiveWindow();
}

void PostQuit()
{
    PostQuitMessage(0);
}

bool TakeQuit()
{
    MSG msg{};
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}

namespace plintor::test {

int DismissMessageBoxes()
{
    int answered = 0;
    for (int i = 0; i < 20; ++i) {
        BoxSearch search;
        search.anyCaption = true;
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            break;
        for (int button : {IDNO, IDOK, IDCANCEL})
            if (HWND press = GetDlgItem(search.found, button)) {
                SendMessageW(press, BM_CLICK, 0, 0);
                ++answered;
                break;
            }
        Sleep(100);
    }
    return answered;
}

}
