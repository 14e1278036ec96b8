#pragma once

#include <functional>

namespace plintor {

// The desktop front end this program is built with (the build picks its form: Qt 6 on
// Linux, the Win32 one on Windows, none at all). Runs `startUp` (start-up, which runs the
// wizard modally) with the front end installed and stores its result in `exitCode`.
// False, having run nothing, when the front end cannot show the wizard: no display can be
// reached, or the build has no desktop front end.
bool RunDesktopFrontEnd(int& argc, char** argv, const std::function<int()>& startUp, int& exitCode);

}
