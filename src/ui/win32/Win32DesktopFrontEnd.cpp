#include "ui/DesktopFrontEnd.h"

#include "ui/CFrontEnd.h"
#include "ui/win32/CWin32FrontEnd.h"

namespace plintor {

// The Windows program's desktop front end: the common control classes registered, the
// front end installed on this thread, start-up run inside it. Without a display (Wine
// started without one) no window can be made, and the program reports as without a
// desktop at all.
bool RunDesktopFrontEnd(int&, char**, const std::function<int()>& startUp, int& exitCode)
{
    win32::CWin32FrontEnd frontEnd;
    if (!frontEnd.Start())
        return false;
    SetFrontEnd(&frontEnd);
    exitCode = startUp();
    SetFrontEnd(nullptr);
    return true;
}

}
