#pragma once

// The system's windows as the Windows front end drives them, behind plain types: this
// header names no system type, so that the front end's mirror code (which includes the
// window model, whose names windows.h would rewrite as macros) can call it. Everything here
// runs on the thread that called StartNativeWindows, except WakeNativeLoop.

#include "ui/DialogTemplate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plintor::win32 {

using NativeWindow = void*;   // a window handle

// What the windows report: user input and the system's requests. The front end turns it
// into the window model's calls; while it applies the model to the windows it ignores it.
class CNativeEvents {
public:
    virtual ~CNativeEvents() = default;
    virtual void Clicked(NativeWindow button) = 0;                                   // BN_CLICKED
    virtual void TextEdited(NativeWindow edit, const std::string& text) = 0;        // EN_CHANGE
    virtual void AddressEdited(NativeWindow address, const std::array<int, 4>& fields) = 0;  // -1 blank
    virtual void ItemChosen(NativeWindow comboBox, int index) = 0;                 // CBN_SELCHANGE
    virtual void RowClicked(NativeWindow list, int row, int column) = 0;           // NM_CLICK
    virtual void RowMovedTo(NativeWindow list, int row) = 0;                       // the keyboard moved the selection
    virtual void FocusMoved(NativeWindow window) = 0;                              // a window of ours took the focus
    virtual void CloseAsked(NativeWindow dialog) = 0;                              // the title bar's close
    // Enter, Escape or F1 pressed in `window`; true when the key was taken.
    virtual bool KeyPressed(NativeWindow window, int virtualKey) = 0;
    virtual void DpiChanged(NativeWindow dialog) = 0;                              // after the move to the new place
    virtual void Wake() = 0;                                                       // something was posted
};

// Makes the hidden window that carries wake-ups to this thread; false when the system
// cannot make windows here (no display). `events` receives everything until Stop.
bool StartNativeWindows(CNativeEvents* events);
void StopNativeWindows();
// Any thread: `Wake` runs on the windows' thread, inside whatever message loop runs there.
void WakeNativeLoop();

// Creates the dialog of `layout` (hidden) as a child page of `parent` or, when the layout is
// not a child, as a window owned by `parent` (null: none). Its controls, in layout order,
// go to `controls`. Null when the system refused.
NativeWindow CreateNativeDialog(const DialogTemplate& layout, NativeWindow parent,
                                std::vector<NativeWindow>& controls);
void DestroyNativeWindow(NativeWindow window);
// The window's title bar no longer offers to close it.
void RemoveCloseCommand(NativeWindow dialog);

// Runs the thread's messages until `ended` says so (checked after every message).
void RunNativeLoop(const std::function<bool()>& ended);

void SetNativeText(NativeWindow window, ControlKind kind, const std::string& text);
void SetNativeEnabled(NativeWindow window, bool enabled);
// A top-level window shown for the first time is centred over its owner (or the screen)
// and activated.
void SetNativeVisible(NativeWindow window, bool visible);
// The rectangle (x, y, cx, cy) in the dialog units of `unitsOf` (the dialog holding the window); a top-level
// dialog's own rectangle gives its client size in its own units.
void SetNativeGeometry(NativeWindow window, const int (&rect)[4], NativeWindow unitsOf, bool topLevel);
void SetNativeFont(NativeWindow window, const std::string& face, int points, int weight, bool underline);
// Text and background colours (0xRRGGBB; kNoColour keeps the system's); a transparent
// background shows what lies under the window.
inline constexpr std::uint32_t kNoColour = 0xFF000000u;
void SetNativeColours(NativeWindow window, std::uint32_t text, std::uint32_t background, bool transparent);
// A Bitmap control's picture, or a dialog's icon, from the program's resources (0: none).
void SetNativePicture(NativeWindow window, ControlKind kind, int resourceId);
void SetNativeChecked(NativeWindow button, bool checked);
void SetNativeLimit(NativeWindow edit, std::size_t characters);
void SetNativeComboItems(NativeWindow comboBox, const std::vector<std::string>& items);
void SetNativeComboSelection(NativeWindow comboBox, int index);
struct NativeColumn {
    std::string text;
    int width = 0;
};
void SetNativeListItems(NativeWindow list, const std::vector<NativeColumn>& columns,
                        const std::vector<std::vector<std::string>>& rows);
void SetNativeListSelection(NativeWindow list, int selected, int focused);
void SetNativeAddress(NativeWindow address, const std::array<int, 4>& fields);
void SetNativeFocus(NativeWindow window, ControlKind kind);
// The window under `window` (itself included) that a peer was made for: the nearest
// ancestor among `known`, walking up at most to the top-level window.
NativeWindow NativeAncestorIn(NativeWindow window, const std::function<bool(NativeWindow)>& known);

// The system's message box (see SystemMessageBox.h).
int ShowNativeMessageBox(NativeWindow owner, const std::string& text, const std::string& caption,
                         std::uint32_t style, std::uint16_t language);

}
