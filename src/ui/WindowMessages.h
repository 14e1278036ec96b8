#pragma once

#include <cstdint>

namespace plintor {

// Window messages, notification codes and keys of the window model, with the values that
// the dialog framework uses, so that page code reads like the framework's own.

enum WindowMessage : unsigned {
    WM_DESTROY = 0x0002,
    WM_CLOSE = 0x0010,
    WM_SHOWWINDOW = 0x0018,   // wParam: 1 shown, 0 hidden
    WM_NOTIFY = 0x004E,       // wParam: control id; lParam: const NotifyInfo*
    WM_HELP = 0x0053,
    WM_KEYDOWN = 0x0100,      // wParam: virtual key
    WM_COMMAND = 0x0111,      // wParam: MakeCommandParam(id, code); lParam: control handle
    WM_USER = 0x0400,
};

// WM_COMMAND notification codes.
enum CommandCode : int {
    BN_CLICKED = 0,
    CBN_SELCHANGE = 1,
    EN_CHANGE = 0x0300,
};

// WM_NOTIFY codes.
enum NotifyCode : int {
    NM_CLICK = -2,
    LVN_ITEMCHANGED = -101,
};

// List view item states and search flags.
enum ListViewState : unsigned {
    LVIS_FOCUSED = 0x1,
    LVIS_SELECTED = 0x2,
};
enum ListViewNext : unsigned {
    LVNI_ALL = 0x0,
    LVNI_FOCUSED = 0x1,
    LVNI_SELECTED = 0x2,
};

enum VirtualKey : int {
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_F1 = 0x70,
    VK_F4 = 0x73,
};

constexpr std::uintptr_t MakeCommandParam(int id, int code)
{
    return (static_cast<std::uintptr_t>(static_cast<std::uint16_t>(code)) << 16)
        | static_cast<std::uint16_t>(id);
}
constexpr int CommandId(std::uintptr_t wParam) { return static_cast<std::uint16_t>(wParam & 0xFFFF); }
constexpr int CommandCodeOf(std::uintptr_t wParam)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam >> 16));
}

// What WM_NOTIFY carries. For list views: the row and, for NM_CLICK, the column under the
// click (-1 none); for LVN_ITEMCHANGED the old and new LVIS_* states of the row.
struct NotifyInfo {
    int idFrom = 0;
    int code = 0;
    int row = -1;
    int column = -1;
    unsigned oldState = 0;
    unsigned newState = 0;
};

}
