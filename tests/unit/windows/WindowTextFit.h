#pragma once

// Whether the texts (and pictures) of the Windows front end's windows fit their controls, measured as the
// system draws them: with each control's own font, at its width in pixels. Windows are
// handles as plain pointers: this header names no system type, so that files which include
// the window model can use it.

#include <string>
#include <vector>

namespace plintor::win32 {

// Every visible static text, button (push, radio, check box) and group box title under
// `window` (a page, dialog or frame, searched through its child dialogs) whose text does
// not fit its control: "control 1007: "TEXT" needs 180x104 px, has 180x97".
std::vector<std::string> ClippedTexts(void* window);

// Every visible picture control under `window` whose bitmap is not as large as the control
// in pixels (the pictures are loaded at their control's size, whatever the DPI): "control
// 1040: picture 90x60 px in 135x90".
std::vector<std::string> UnfilledPictures(void* window);

}
