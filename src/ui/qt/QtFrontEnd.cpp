#include "ui/qt/QtFrontEnd.h"

#include "ui/CFrontEnd.h"
#include "ui/qt/CQtFrontEnd.h"

#include <QApplication>

#include <cstdlib>

namespace plintor {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}

bool QtDisplayAvailable()
{
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

bool RunQtFrontEnd(int& argc, char** argv, const std::function<int()>& startUp, int& exitCode)
{
    if (!QtDisplayAvailable())
        return false;
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Plintor"));
    // The program ends when start-up returns, not when a window closes: closing the last
    // window would end every running modal loop at once.
    application.setQuitOnLastWindowClosed(false);
    {
        qt::CQtFrontEnd frontEnd;
        SetFrontEnd(&frontEnd);
        exitCode = startUp();
        SetFrontEnd(nullptr);
    }
    return true;
}

}
