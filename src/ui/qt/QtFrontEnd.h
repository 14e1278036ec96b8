#pragma once

#include <functional>

namespace plintor {

// True when the desktop can be reached: QT_QPA_PLATFORM names a platform (offscreen
// included), DISPLAY names an X display that answers (one on another host is taken on
// trust), or WAYLAND_DISPLAY names a compositor's socket. Without it the desktop front
// end cannot start.
bool QtDisplayAvailable();

// Runs `startUp` (the program's start-up, which runs the wizard modally) with the desktop
// front end installed: makes the application object of the toolkit, installs the front
// end for the model, runs `startUp` on this thread, uninstalls the front end and stores
// its result in `exitCode`. Returns false, without running anything, when no display is
// available (QtDisplayAvailable).
bool RunQtFrontEnd(int& argc, char** argv, const std::function<int()>& startUp, int& exitCode);

}
