#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace plintor::win32 {

// Shows the system's message box (MessageBoxExW) with UTF-8 text and caption and returns
// the button pressed. `style` holds the button, icon and default button bits, whose values
// the window model's message box styles share with the system's; other bits are ignored.
// The buttons are labelled in `language` (a Windows language id). Without an owner the
// box is task-modal, so that the program's other windows wait for it too.
int ShowSystemMessageBox(HWND owner, const std::string& text, const std::string& caption, std::uint32_t style,
                         std::uint16_t language);

}
