#pragma once

// The look the window model gives the system's windows beyond what the system keeps
// itself: colours, pictures, fonts, the owner-drawn link. Private to the Windows front end
// (NativeWindows.cpp and NativeLook.cpp); everything here runs on the windows' thread.

#include "ui/DialogTemplate.h"
#include "ui/win32/NativeWindows.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace plintor::win32 {

// What the model gave a window beyond what the system keeps itself.
struct Look {
    ControlKind kind = ControlKind::Static;
    std::uint32_t text = kNoColour;
    std::uint32_t background = kNoColour;
    bool transparent = false;
    int picture = 0;
    HANDLE image = nullptr;   // the bitmap a static holds
    bool placed = false;      // a top-level window was centred once
};

// The windows the front end made, with their looks.
std::unordered_map<HWND, Look>& Looks();
// The window's look; null for a window the front end did not make.
const Look* FindLook(HWND window);
// Lets go of the window's look and of the picture it holds.
void ForgetLook(HWND window);
// Deletes the fonts and brushes made for the looks.
void ReleaseLookResources();

std::wstring TextOf(HWND window);
bool IsChildWindow(HWND window);
// The four fields of an IPv4 address control, left to right.
std::vector<HWND> AddressFields(HWND address);

// The answer to WM_CTLCOLORDLG, WM_CTLCOLORSTATIC and WM_CTLCOLORBTN of `dialog`.
INT_PTR DialogColours(HWND dialog);
INT_PTR ControlColours(HWND dialog, HDC dc, HWND control);
// The link button: its text underlined in the link colour, with a focus rectangle.
void DrawLink(HWND dialog, const DRAWITEMSTRUCT& item);

}
