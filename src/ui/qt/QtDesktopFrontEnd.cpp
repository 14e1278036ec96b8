#include "ui/DesktopFrontEnd.h"

#include "ui/qt/QtFrontEnd.h"

namespace plintor {

bool RunDesktopFrontEnd(int& argc, char** argv, const std::function<int()>& startUp, int& exitCode)
{
    return RunQtFrontEnd(argc, argv, startUp, exitCode);
}

}
