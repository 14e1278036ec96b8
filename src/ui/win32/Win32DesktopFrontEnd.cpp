#include "ui/DesktopFrontEnd.h"

#include <cstdio>

namespace plintor {

// The Windows program's desktop front end is not written yet: started without a script,
// the program says so and ends with status 1, before start-up touches the workstation.
bool RunDesktopFrontEnd(int&, char**, const std::function<int()>&, int& exitCode)
{
    std::fputs("plintor: the desktop front end is not built yet (run a script with --script FILE)\n", stderr);
    exitCode = 1;
    return true;
}

}
