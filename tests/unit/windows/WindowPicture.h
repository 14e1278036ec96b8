#pragma once

// Pictures of top-level windows for tests that look at what the Windows front end draws.

#include "PngImage.h"

namespace plintor::win32 {

// Draws `window` (a window handle; this header names no system type, so that files which
// include the window model can use it) and its children now, which must belong to the
// calling thread, and copies the picture out of the window's own device context, frame
// included. False when the window has no area or a call fails.
//
// Under Wine neither of the other ways gives the whole window at once: PrintWindow draws
// the frame and background without the children, and the screen holds a window's drawing
// only some time after it was painted.
bool TakeWindowPicture(void* window, test::RgbImage& image);

}
