// The system's side of the Windows front end: dialogs made by the dialog manager from
// in-memory templates, one dialog procedure for all of them that reports what the user did,
// and the thread's message loop with the dialog manager's keyboard handling. The look that
// the controls take from the window model is NativeLook.cpp's.
//
// Wake-ups ride on a message-only window: a message posted to it is dispatched by whatever
// loop runs on this thread (ours, a message box's, a menu's), so the model's queue keeps
// running in all of them.

#include "ui/win32/NativeWindows.h"

#include "ui/win32/DialogTemplateBuilder.h"
#include "ui/win32/NativeLook.h"
#include "ui/win32/SystemMessageBox.h"
#include "ui/win32/Utf16.h"
#include "ui/win32/Win32Controls.h"

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <unordered_set>

namespace plintor::win32 {

namespace {

constexpr UINT WM_WAKE = WM_APP + 1;
constexpr UINT WM_DPICHANGED_MESSAGE = 0x02E0;
constexpr const wchar_t* kWakeClass = L"PlintorWake";

CNativeEvents* events = nullptr;
std::atomic<HWND> wakeWindow{nullptr};
std::atomic<bool> wakePosted{false};
HWND lastFocus = nullptr;
HWND clickedList = nullptr;   // the list view whose mouse click is being handled
std::unordered_set<HWND> dialogs;

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

bool droppingHalf = false;   // HalfCharacterTyped is changing an edit's text

// A character outside the BMP is typed as two WM_CHARs, its two UTF-16 halves. True while
// the first half waits for the second: the text is not the user's until both are in.
// Where the edit's limit leaves room for the first half only, the text would keep half a
// character, and the second half would come in alone once the first is gone: both halves
// are dropped, as a character that does not fit is.
bool HalfCharacterTyped(HWND edit)
{
    const std::wstring text = TextOf(edit);
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    if (end == 0 || end > text.size())
        return false;
    const wchar_t last = text[end - 1];
    const bool loneSecond = IS_LOW_SURROGATE(last) && !(end >= 2 && IS_HIGH_SURROGATE(text[end - 2]));
    const bool loneFirst = IS_HIGH_SURROGATE(last) && !(end < text.size() && IS_LOW_SURROGATE(text[end]));
    if (!loneSecond && !loneFirst)
        return false;
    if (loneFirst && text.size() < static_cast<std::size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0)))
        return true;
    droppingHalf = true;
    SendMessageW(edit, EM_SETSEL, end - 1, end);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    droppingHalf = false;
    return false;
}

void Notified(HWND control, int code)
{
    const Look* look = FindLook(control);
    if (!look || !events)
        return;
    switch (look->kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::LinkButton:
        if (code == BN_CLICKED)
            events->Clicked(control);
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE && !droppingHalf && !HalfCharacterTyped(control))
            events->TextEdited(control, Utf8FromWide(TextOf(control)));
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
    const Look* look = FindLook(header.hwndFrom);
    if (!look || look->kind != ControlKind::ListView || !events)
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
    case WM_CTLCOLORDLG:
        return DialogColours(dialog);
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
    for (HWND h = window; h; h = IsChildWindow(h) ? GetParent(h) : nullptr) {
        const Look* look = FindLook(h);
        if (look && look->kind == ControlKind::ComboBox)
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
    ForgetLook(window);
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
    ReleaseLookResources();
    lastFocus = nullptr;
}

void WakeNativeLoop()
{
    HWND wake = wakeWindow.load();
    // A post the system refuses (a full queue, a window that went meanwhile) wakes nobody:
    // the next wake-up posts again.
    if (wake && !wakePosted.exchange(true) && !PostMessageW(wake, WM_WAKE, 0, 0))
        wakePosted = false;
}

NativeWindow CreateNativeDialog(const DialogTemplate& layout, NativeWindow parent, std::vector<NativeWindow>& controls)
{
    const std::vector<std::uint8_t> bytes = BuildDialogTemplate(layout);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                             static_cast<HWND>(parent), DialogProc, 0);
    if (!dialog)
        return nullptr;
    ApplyEditSettings(dialog, layout);
    dialogs.insert(dialog);
    Looks()[dialog].kind = ControlKind::Dialog;
    controls.clear();
    std::size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child && index < layout.controls.size();
         child = GetWindow(child, GW_HWNDNEXT), ++index) {
        const ControlKind kind = layout.controls[index].kind;
        Looks()[child].kind = kind;
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

NativeWindow NativeAncestorIn(NativeWindow window, const std::function<bool(NativeWindow)>& known)
{
    for (HWND h = static_cast<HWND>(window); h; h = GetParent(h)) {
        if (known(h))
            return h;
        if (!IsChildWindow(h))
            break;
    }
    return nullptr;
}

int ShowNativeMessageBox(NativeWindow owner, const std::string& text, const std::string& caption, std::uint32_t style,
                         std::uint16_t language)
{
    // The box belongs to the window the user works in, so that the system hands the
    // activation back to it when the box goes. An ownerless box disables the thread's
    // windows while it is up, and they are still disabled when it goes: the activation
    // would go to another program. A disabled owner has a modal dialog over it: that one.
    HWND boxOwner = owner ? static_cast<HWND>(owner) : GetActiveWindow();
    if (boxOwner && !IsWindowEnabled(boxOwner))
        boxOwner = GetLastActivePopup(boxOwner);
    return ShowSystemMessageBox(boxOwner, text, caption, style, language);
}

}
