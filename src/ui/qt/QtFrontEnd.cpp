#include "ui/qt/QtFrontEnd.h"

#include "ui/CFrontEnd.h"
#include "ui/qt/CQtFrontEnd.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace plintor {

namespace {

std::string Value(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsSocket(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// Connects to a local Unix socket; `abstract` names one in the abstract namespace.
bool CanConnect(const std::string& path, bool abstract)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.size() + offset >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    close(fd);
    return connected;
}

// A local X display (":N", ":N.S", "unix:N") answers on its socket; a display on another
// host cannot be checked here and counts as reachable. The toolkit ends the process when
// it cannot open its display, so this is asked before it starts.
bool XDisplayReachable(const std::string& display)
{
    std::string rest = display;
    if (rest.rfind("unix:", 0) == 0)
        rest = rest.substr(4);
    if (rest.find(':') == std::string::npos)
        return false;
    if (rest[0] != ':')
        return true;
    std::string number;
    for (std::size_t i = 1; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i)
        number += rest[i];
    if (number.empty())
        return false;
    const std::string socketPath = "/tmp/.X11-unix/X" + number;
    return CanConnect(socketPath, false) || CanConnect(socketPath, true);
}

bool WaylandReachable(const std::string& name)
{
    if (name.empty())
        return false;
    if (name[0] == '/')
        return IsSocket(name);
    const std::string runtime = Value("XDG_RUNTIME_DIR");
    return !runtime.empty() && IsSocket(runtime + "/" + name);
}

}

bool QtDisplayAvailable()
{
    if (!Value("QT_QPA_PLATFORM").empty())
        return true;
    const std::string display = Value("DISPLAY");
    if (!display.empty() && XDisplayReachable(display))
        return true;
    return WaylandReachable(Value("WAYLAND_DISPLAY"));
}

bool RunQtFrontEnd(int& argc, char** argv, const std::function<int()>& startUp, int& exitCode)
{
    if (!QtDisplayAvailable())
        return false;
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Plintor"));
    // Names the desktop entry, so that the desktop shows the entry's icon and name for
    // the window (on Wayland this is the window's application id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.plintor.Plintor"));
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
