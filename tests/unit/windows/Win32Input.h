#pragma once

// A user's input to the system's windows, sent from a thread other than the windows' own,
// as window messages to the real windows: the front end under test sees what the dialog
// manager and the controls make of them. No system header here, so that tests that also
// hold the window model can use it.

#include <string>

namespace plintor::test {

using NativeWindow = void*;

void PressButton(NativeWindow button);                          // BM_CLICK
// Selects the edit's text and types `utf8` over it, one WM_CHAR per character.
void TypeText(NativeWindow edit, const std::string& utf8);
// Puts `utf8` in as a paste would, past the edit's own digit rule (WM_SETTEXT).
void PasteText(NativeWindow edit, const std::string& utf8);
// Sets each field of an IPv4 address control ("a.b.c.d", fields may be empty) with WM_SETTEXT.
void TypeAddress(NativeWindow address, const std::string& dotted);
// CB_SETCURSEL, then CBN_SELCHANGE to the box's dialog, as the box sends after a choice.
void ChooseItem(NativeWindow comboBox, int index);
// Posts the left button's press and release over the middle of a list view's row.
void ClickRow(NativeWindow list, int row);
// Posts the key's press and release to `window`, as the keyboard would.
void PressKey(NativeWindow window, int virtualKey);
// Alt and a letter (a mnemonic), posted as the keyboard sends it.
void PressAltKey(NativeWindow window, char letter);
// The title bar's close button (WM_SYSCOMMAND SC_CLOSE), posted.
void CloseFromTitleBar(NativeWindow dialog);

// WM_DPICHANGED as the system sends it when a window moves to a monitor of `dpi` dots per
// inch, with the place it suggests (left, top, right, bottom, screen pixels); sent.
void ChangeDpi(NativeWindow window, int dpi, const int (&suggested)[4]);
// The window's top-left corner on the screen.
void NativePlace(NativeWindow window, int& left, int& top);
// The bitmap a picture control shows (null: none), its size and the control's client size.
void* NativePicture(NativeWindow picture, int& width, int& height, int& clientWidth, int& clientHeight);

std::string NativeText(NativeWindow window);
int NativeSelectedRow(NativeWindow list);   // -1: none
bool NativeChecked(NativeWindow button);
bool NativeEnabled(NativeWindow window);
// The pictures a window holds: a dialog's big and small icon, a picture control's bitmap
// (null where none), and whether such a handle still names a live icon or bitmap.
void* NativeIcon(NativeWindow dialog, bool big);
void* NativeBitmap(NativeWindow picture);
bool IconAlive(void* icon);
bool BitmapAlive(void* bitmap);

// Waits (bounded) for a message box of this process whose caption is `caption`, reads its
// text into `text` and presses its button `buttonId`. False when no box came.
bool AnswerMessageBox(const std::string& caption, int buttonId, std::string* text = nullptr);
// Waits (bounded) for a message box of this process whose caption is `caption` and
// returns the window that owns it (null: none, or no box came).
NativeWindow MessageBoxOwner(const std::string& caption);
// The calling thread's active window.
NativeWindow ActiveWindow();
// Posts WM_QUIT to the calling thread; takes it from the thread's queue again, true when
// one was there.
void PostQuit();
bool TakeQuit();
// Answers every message box of this process that is open now with No, else OK, else
// Cancel (a run that went astray is ended so); returns how many it answered.
int DismissMessageBoxes();

}
