// The system's side of the Windows front end: dialogs made by the dialog manager from
// in-memory templates, one dialog procedure for all of them that reports what the user did,
// the thread's message loop with the dialog manager's keyboard handling, and the look that
// the controls take from the window model (fonts, colours through WM_CTLCOLOR*, pictures
// from the program's resources, the owner-drawn link).
//
// Wake-ups ride on a message-only window: a message posted to it is dispatched by whatever
// loop runs on this thread (ours, a message box's, a menu's), so the model's queue keeps
// running in all of them.

#include "ui/win32/NativeWindows.h"

#include "ui/win32/DialogTemplateBuilder.h"
#include "ui/win32/SystemMessageBox.h"
#include "ui/win32/Win32Controls.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace plintor::win32 {

namespace {

constexpr UINT WM_WAKE = WM_APP + 1;
constexpr UINT WM_DPICHANGED_MESSAGE = 0x02E0;
constexpr COLORREF kPageColour = RGB(255, 255, 255);
constexpr const wchar_t* kWakeClass = L"PlintorWake";

// What the model gave a window beyond what the system keeps itself.
struct Look {
    ControlKind kind = ControlKind::Static;
    std::uint32_t text = kNoColour;
    std::uint32_t background = kNoColour;
    bool transparent = false;
    int picture = 0;
    HANDLE image = nullptr;   // the bitmap a static holds, or the dialog's icon
    bool placed = false;      // a top-level window was centred once
};

CNativeEvents* events = nullptr;
std::atomic<HWND> wakeWindow{nullptr};
std::atomic<bool> wakePosted{false};
HWND lastFocus = nullptr;
HWND clickedList = nullptr;   // the list view whose mouse click is being handled
std::unordered_map<HWND, Look> looks;
std::unordered_set<HWND> dialogs;
std::map<std::tuple<std::wstring, int, int, bool>, HFONT> fonts;
std::map<COLORREF, HBRUSH> brushes;

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(units, 0)), L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), units);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

COLORREF ToColorRef(std::uint32_t colour)
{
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

HBRUSH BrushOf(COLORREF colour)
{
    auto found = brushes.find(colour);
    if (found != brushes.end())
        return found->second;
    HBRUSH brush = CreateSolidBrush(colour);
    brushes[colour] = brush;
    return brush;
}

// Dots per inch of the monitor the window is on (the system's since Windows 10, 1607).
UINT DpiOf(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi && window)
        if (UINT dpi = getDpi(window))
            return dpi;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

bool IsChild(HWND window)
{
    return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
}

// The background a dialog paints: the model's colour, white for a page, else the system's.
HBRUSH DialogBrush(HWND dialog, COLORREF& colour)
{
    auto found = looks.find(dialog);
    if (found != looks.end() && found->second.background != kNoColour) {
        colour = ToColorRef(found->second.background);
        return BrushOf(colour);
    }
    if (IsChild(dialog)) {
        colour = kPageColour;
        return BrushOf(colour);
    }
    return nullptr;
}

INT_PTR ControlColours(HWND dialog, HDC dc, HWND control)
{
    COLORREF pageColour = 0;
    HBRUSH pageBrush = DialogBrush(dialog, pageColour);
    auto found = looks.find(control);
    const Look* look = found == looks.end() ? nullptr : &found->second;
    if (look && look->text != kNoColour)
        SetTextColor(dc, ToColorRef(look->text));
    if (look && look->transparent) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    if (look && look->background != kNoColour) {
        SetBkColor(dc, ToColorRef(look->background));
        return reinterpret_cast<INT_PTR>(BrushOf(ToColorRef(look->background)));
    }
    if (pageBrush) {
        SetBkColor(dc, pageColour);
        return reinterpret_cast<INT_PTR>(pageBrush);
    }
    if (look && look->text != kNoColour) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return FALSE;
}

// The link button: its text underlined in the link colour on the page, with a focus
// rectangle around the text while it has the focus.
void DrawLink(HWND dialog, const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    auto found = looks.find(item.hwndItem);
    const Look* look = found == looks.end() ? nullptr : &found->second;
    COLORREF pageColour = GetSysColor(COLOR_BTNFACE);
    HBRUSH fill = DialogBrush(dialog, pageColour);
    if (look && look->background != kNoColour)
        fill = BrushOf(ToColorRef(look->background));
    FillRect(dc, &area, fill ? fill : GetSysColorBrush(COLOR_BTNFACE));

    LOGFONTW description{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    GetObjectW(current ? static_cast<HGDIOBJ>(current) : GetStockObject(DEFAULT_GUI_FONT), sizeof description,
               &description);
    description.lfUnderline = TRUE;
    HFONT underlined = CreateFontIndirectW(&description);
    HGDIOBJ previous = SelectObject(dc, underlined);
    SetBkMode(dc, TRANSPARENT);
    COLORREF colour = look && look->text != kNoColour ? ToColorRef(look->text) : GetSysColor(COLOR_HOTLIGHT);
    if (item.itemState & ODS_DISABLED)
        colour = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    const std::wstring text = TextOf(item.hwndItem);
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | ((item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    DrawTextW(dc, text.c_str(), -1, &area, format);
    if (item.itemState & ODS_FOCUS) {
        RECT extent = area;
        DrawTextW(dc, text.c_str(), -1, &extent, format | DT_CALCRECT);
        extent.top = area.top;
        extent.bottom = area.bottom;
        InflateRect(&extent, 1, 0);
        DrawFocusRect(dc, &extent);
    }
    SelectObject(dc, previous);
    DeleteObject(underlined);
}

// The four fields of an IPv4 address control, left to right.
std::vector<HWND> AddressFields(HWND address)
{
    std::vector<HWND> fields;
    for (HWND child = GetWindow(address, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        fields.push_back(child);
    std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return fields;
}

std::array<int, 4> ReadAddress(HWND address)
{
    std::array<int, 4> fields{-1, -1, -1, -1};
    const std::vector<HWND> edits = AddressFields(address);
    for (std::size_t i = 0; i < edits.size() && i < fields.size(); ++i) {
        const std::wstring text = TextOf(edits[i]);
        if (!text.empty())
            fields[i] = static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
    }
    return fields;
}

void Notified(HWND control, int code)
{
    auto found = looks.find(control);
    if (found == looks.end() || !events)
        return;
    switch (found->second.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::LinkButton:
        if (code == BN_CLICKED)
            events->Clicked(control);
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE)
            events->TextEdited(control, Utf8(TextOf(control)));
        break;
    case ControlKind::IpAddress:
        if (code == EN_CHANGE)
            events->AddressEdited(control, ReadAddress(control));
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE)
            events->ItemChosen(control, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
        break;
    default:
        break;
    }
}

void ListNotified(const NMHDR& header, LPARAM lParam)
{
    auto found = looks.find(header.hwndFrom);
    if (found == looks.end() || found->second.kind != ControlKind::ListView || !events)
        return;
    if (header.code == static_cast<UINT>(NM_CLICK)) {
        const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        LVHITTESTINFO hit{};
        hit.pt = click->ptAction;
        SendMessageW(header.hwndFrom, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.iItem >= 0)
            events->RowClicked(header.hwndFrom, hit.iItem, hit.iSubItem);
    } else if (header.code == static_cast<UINT>(LVN_ITEMCHANGED) && clickedList != header.hwndFrom) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change->iItem >= 0 && (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            events->RowMovedTo(header.hwndFrom, change->iItem);
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;   // the model places the focus
    case WM_COMMAND:
        if (lParam)
            Notified(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (lParam)
            ListNotified(*reinterpret_cast<const NMHDR*>(lParam), lParam);
        return FALSE;
    case WM_CLOSE:
        if (events)
            events->CloseAsked(dialog);
        return TRUE;
    case WM_HELP:
        return TRUE;    // F1 reaches the model through the loop
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_BUTTON) {
            DrawLink(dialog, *item);
            return TRUE;
        }
        return FALSE;
    }
    case WM_CTLCOLORDLG: {
        COLORREF colour = 0;
        HBRUSH brush = DialogBrush(dialog, colour);
        return reinterpret_cast<INT_PTR>(brush);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColours(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED_MESSAGE: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (events)
            events->DpiChanged(dialog);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// A mouse click on a list view moves its selection before it reports the click; that
// move is the click's, not the keyboard's.
LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        HWND outer = clickedList;
        clickedList = list;
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        clickedList = outer;
        return result;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(list, ListProc, 1);
    return DefSubclassProc(list, message, wParam, lParam);
}

void ReportFocus()
{
    HWND focus = GetFocus();
    if (!focus || focus == lastFocus)
        return;
    lastFocus = focus;
    if (events && dialogs.count(GetAncestor(focus, GA_ROOT)))
        events->FocusMoved(focus);
}

LRESULT CALLBACK WakeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WAKE) {
        wakePosted = false;
        if (events)
            events->Wake();
        ReportFocus();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool IsMultiLineEdit(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"Edit") == 0 && (GetWindowLongW(window, GWL_STYLE) & ES_MULTILINE);
}

bool IsDroppedComboBox(HWND window)
{
    for (HWND h = window; h; h = IsChild(h) ? GetParent(h) : nullptr) {
        auto found = looks.find(h);
        if (found != looks.end() && found->second.kind == ControlKind::ComboBox)
            return SendMessageW(h, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    return false;
}

// Enter, Escape and F1 go to the model first; what it does not take, the dialog manager
// does not get either (it would end the dialog), except a multi-line edit's Enter and the
// Escape that closes an open drop-down list.
bool KeyForModel(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !events)
        return false;
    const auto key = static_cast<int>(msg.wParam);
    if (key != VK_RETURN && key != VK_ESCAPE && key != VK_F1)
        return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    if (!dialogs.count(GetAncestor(msg.hwnd, GA_ROOT)))
        return false;
    if (key == VK_ESCAPE && IsDroppedComboBox(msg.hwnd))
        return false;
    ReportFocus();
    if (events->KeyPressed(msg.hwnd, key))
        return true;
    return !(key == VK_RETURN && IsMultiLineEdit(msg.hwnd));
}

void Forget(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        Forget(child);
    auto found = looks.find(window);
    if (found != looks.end()) {
        if (found->second.image && found->second.kind == ControlKind::Bitmap) {
            if (HANDLE held = reinterpret_cast<HANDLE>(SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, 0)))
                DeleteObject(held);
            DeleteObject(found->second.image);
        } else if (found->second.image) {
            DestroyIcon(static_cast<HICON>(found->second.image));
        }
        looks.erase(found);
    }
    dialogs.erase(window);
    if (lastFocus == window)
        lastFocus = nullptr;
}

}

bool StartNativeWindows(CNativeEvents* receiver)
{
    RegisterControlClasses();
    WNDCLASSEXW wakeClass{};
    wakeClass.cbSize = sizeof wakeClass;
    wakeClass.lpfnWndProc = WakeProc;
    wakeClass.hInstance = GetModuleHandleW(nullptr);
    wakeClass.lpszClassName = kWakeClass;
    RegisterClassExW(&wakeClass);
    HWND wake = CreateWindowExW(0, kWakeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!wake)
        return false;
    // A window the user could see: without a display the system refuses it.
    HWND probe = CreateWindowExW(WS_EX_TOOLWINDOW, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!probe) {
        DestroyWindow(wake);
        return false;
    }
    DestroyWindow(probe);
    events = receiver;
    wakePosted = false;   // a wake-up posted to an earlier window was lost with it
    wakeWindow = wake;
    return true;
}

void StopNativeWindows()
{
    if (HWND wake = wakeWindow.exchange(nullptr))
        DestroyWindow(wake);
    events = nullptr;
    for (auto& [key, font] : fonts)
        DeleteObject(font);
    fonts.clear();
    for (auto& [colour, brush] : brushes)
        DeleteObject(brush);
    brushes.clear();
    lastFocus = nullptr;
}

void WakeNativeLoop()
{
    HWND wake = wakeWindow.load();
    if (wake && !wakePosted.exchange(true))
        PostMessageW(wake, WM_WAKE, 0, 0);
}

NativeWindow CreateNativeDialog(const DialogTemplate& layout, NativeWindow parent, std::vector<NativeWindow>& controls)
{
    const std::vector<std::uint8_t> bytes = BuildDialogTemplate(layout);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                             static_cast<HWND>(parent), DialogProc, 0);
    if (!dialog)
        return nullptr;
    ApplyEditLimits(dialog, layout);
    dialogs.insert(dialog);
    looks[dialog].kind = ControlKind::Dialog;
    controls.clear();
    std::size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child && index < layout.controls.size();
         child = GetWindow(child, GW_HWNDNEXT), ++index) {
        const ControlKind kind = layout.controls[index].kind;
        looks[child].kind = kind;
        if (kind == ControlKind::ListView) {
            SendMessageW(child, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
            SetWindowSubclass(child, ListProc, 1, 0);
        }
        controls.push_back(child);
    }
    return dialog;
}

void DestroyNativeWindow(NativeWindow window)
{
    HWND handle = static_cast<HWND>(window);
    if (!IsWindow(handle))
        return;
    Forget(handle);
    DestroyWindow(handle);
}

void RemoveCloseCommand(NativeWindow dialog)
{
    if (HMENU menu = GetSystemMenu(static_cast<HWND>(dialog), FALSE))
        EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void RunNativeLoop(const std::function<bool()>& ended)
{
    MSG msg{};
    while (!ended()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT belongs to an outer loop: leave it for that one.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0)
            return;
        if (KeyForModel(msg))
            continue;
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (!root || !dialogs.count(root) || !IsDialogMessageW(root, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ReportFocus();
    }
}

void SetNativeText(NativeWindow window, ControlKind kind, const std::string& text)
{
    HWND handle = static_cast<HWND>(window);
    const std::wstring wide = Wide(text);
    if (kind == ControlKind::Edit) {
        if (TextOf(handle) == wide)
            return;
        SetWindowTextW(handle, wide.c_str());
        SendMessageW(handle, EM_SETSEL, wide.size(), static_cast<LPARAM>(wide.size()));
        return;
    }
    SetWindowTextW(handle, wide.c_str());
    if (kind == ControlKind::LinkButton)
        InvalidateRect(handle, nullptr, TRUE);
}

void SetNativeEnabled(NativeWindow window, bool enabled)
{
    EnableWindow(static_cast<HWND>(window), enabled ? TRUE : FALSE);
}

void SetNativeVisible(NativeWindow window, bool visible)
{
    HWND handle = static_cast<HWND>(window);
    if (!visible) {
        ShowWindow(handle, SW_HIDE);
        return;
    }
    if (IsChild(handle)) {
        ShowWindow(handle, SW_SHOW);
        return;
    }
    Look& look = looks[handle];
    if (!look.placed) {
        look.placed = true;
        RECT area{};
        HWND owner = GetWindow(handle, GW_OWNER);
        if (owner && IsWindowVisible(owner))
            GetWindowRect(owner, &area);
        else
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        RECT own{};
        GetWindowRect(handle, &own);
        const int width = own.right - own.left, height = own.bottom - own.top;
        SetWindowPos(handle, nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(handle, SW_SHOW);
    SetForegroundWindow(handle);
    SetActiveWindow(handle);
}

void SetNativeGeometry(NativeWindow window, const int (&rect)[4], NativeWindow unitsOf, bool topLevel)
{
    HWND handle = static_cast<HWND>(window);
    auto found = looks.find(handle);
    const bool comboBox = found != looks.end() && found->second.kind == ControlKind::ComboBox;
    RECT area{rect[0], rect[1], rect[0] + rect[2], rect[1] + rect[3] + (comboBox ? DROP_DOWN_LIST_HEIGHT : 0)};
    MapDialogRect(static_cast<HWND>(unitsOf), &area);
    if (topLevel) {
        RECT frame{0, 0, area.right - area.left, area.bottom - area.top};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(handle, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(handle, GWL_EXSTYLE)));
        SetWindowPos(handle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    SetWindowPos(handle, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetNativeFont(NativeWindow window, const std::string& face, int points, int weight, bool underline)
{
    HWND handle = static_cast<HWND>(window);
    const int height = -MulDiv(points, static_cast<int>(DpiOf(handle)), 72);
    const auto key = std::make_tuple(Wide(face), height, weight, underline);
    HFONT& font = fonts[key];
    if (!font)
        font = CreateFontW(height, 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           std::get<0>(key).c_str());
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetNativeColours(NativeWindow window, std::uint32_t text, std::uint32_t background, bool transparent)
{
    HWND handle = static_cast<HWND>(window);
    Look& look = looks[handle];
    look.text = text;
    look.background = background;
    look.transparent = transparent;
    InvalidateRect(handle, nullptr, TRUE);
}

void SetNativePicture(NativeWindow window, ControlKind kind, int resourceId)
{
    HWND handle = static_cast<HWND>(window);
    Look& look = looks[handle];
    HINSTANCE program = GetModuleHandleW(nullptr);
    if (kind == ControlKind::Dialog) {
        const int sizes[2][2] = {{SM_CXICON, SM_CYICON}, {SM_CXSMICON, SM_CYSMICON}};
        const WPARAM which[2] = {ICON_BIG, ICON_SMALL};
        for (int i = 0; i < 2; ++i) {
            HANDLE icon = resourceId ? LoadImageW(program, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                                  GetSystemMetrics(sizes[i][0]), GetSystemMetrics(sizes[i][1]), 0)
                                     : nullptr;
            if (HANDLE old = reinterpret_cast<HANDLE>(SendMessageW(handle, WM_SETICON, which[i],
                                                                    reinterpret_cast<LPARAM>(icon))))
                DestroyIcon(static_cast<HICON>(old));
        }
        look.picture = resourceId;
        return;
    }
    if (kind != ControlKind::Bitmap)
        return;
    RECT area{};
    GetClientRect(handle, &area);
    HANDLE bitmap = nullptr;
    if (resourceId && area.right > 0 && area.bottom > 0)
        bitmap = LoadImageW(program, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, area.right, area.bottom,
                            LR_CREATEDIBSECTION);
    // The control may hold a copy of what it was given; both go.
    HANDLE old = reinterpret_cast<HANDLE>(SendMessageW(handle, STM_SETIMAGE, IMAGE_BITMAP,
                                                       reinterpret_cast<LPARAM>(bitmap)));
    if (old)
        DeleteObject(old);
    if (look.image && look.image != old)
        DeleteObject(look.image);
    look.image = bitmap;
    look.picture = resourceId;
}

void SetNativeChecked(NativeWindow button, bool checked)
{
    SendMessageW(static_cast<HWND>(button), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetNativeLimit(NativeWindow edit, std::size_t characters)
{
    SendMessageW(static_cast<HWND>(edit), EM_SETLIMITTEXT, characters, 0);
}

void SetNativeComboItems(NativeWindow comboBox, const std::vector<std::string>& items)
{
    HWND handle = static_cast<HWND>(comboBox);
    SendMessageW(handle, CB_RESETCONTENT, 0, 0);
    // Inserted at their places: the model has sorted them already.
    for (std::size_t i = 0; i < items.size(); ++i)
        SendMessageW(handle, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(Wide(items[i]).c_str()));
}

void SetNativeComboSelection(NativeWindow comboBox, int index)
{
    SendMessageW(static_cast<HWND>(comboBox), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void SetNativeListItems(NativeWindow list, const std::vector<NativeColumn>& columns,
                        const std::vector<std::vector<std::string>>& rows)
{
    HWND handle = static_cast<HWND>(list);
    SendMessageW(handle, WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageW(handle, LVM_DELETECOLUMN, 0, 0)) {
    }
    const int dpi = static_cast<int>(DpiOf(handle));
    for (std::size_t c = 0; c < columns.size(); ++c) {
        std::wstring title = Wide(columns[c].text);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = title.data();
        column.cx = MulDiv(columns[c].width, dpi, 96);
        column.iSubItem = static_cast<int>(c);
        SendMessageW(handle, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            std::wstring cell = Wide(rows[r][c]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(c);
            item.pszText = cell.data();
            SendMessageW(handle, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, c == 0 ? 0 : r,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(handle, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle, nullptr, TRUE);
}

void SetNativeListSelection(NativeWindow list, int selected, int focused)
{
    HWND handle = static_cast<HWND>(list);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (focused >= 0) {
        state.stateMask = LVIS_FOCUSED;
        state.state = LVIS_FOCUSED;
        SendMessageW(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&state));
    }
    if (selected >= 0) {
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageW(handle, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
        SendMessageW(handle, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
    }
}

void SetNativeAddress(NativeWindow address, const std::array<int, 4>& fields)
{
    const std::vector<HWND> edits = AddressFields(static_cast<HWND>(address));
    for (std::size_t i = 0; i < edits.size() && i < fields.size(); ++i) {
        const std::wstring text = fields[i] < 0 ? std::wstring() : std::to_wstring(fields[i]);
        if (TextOf(edits[i]) != text)
            SetWindowTextW(edits[i], text.c_str());
    }
}

void SetNativeFocus(NativeWindow window, ControlKind kind)
{
    HWND handle = static_cast<HWND>(window);
    if (kind == ControlKind::IpAddress) {
        const std::vector<HWND> edits = AddressFields(handle);
        if (!edits.empty())
            handle = edits.front();
    }
    SetFocus(handle);
}

NativeWindow NativeAncestorIn(NativeWindow window, const std::function<bool(NativeWindow)>& known)
{
    for (HWND h = static_cast<HWND>(window); h; h = GetParent(h)) {
        if (known(h))
            return h;
        if (!IsChild(h))
            break;
    }
    return nullptr;
}

NativeWindow NativeTopLevel(NativeWindow window)
{
    return GetAncestor(static_cast<HWND>(window), GA_ROOT);
}

int ShowNativeMessageBox(NativeWindow owner, const std::string& text, const std::string& caption, std::uint32_t style,
                         std::uint16_t language)
{
    return ShowSystemMessageBox(static_cast<HWND>(owner), text, caption, style, language);
}

}
