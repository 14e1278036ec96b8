#include "platform/ProgramPath.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace plintor::platform {

std::string ProgramPath()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer)
        return {};
    return std::string(buffer, static_cast<size_t>(length));
}

std::string ProgramFolder()
{
    std::string path = ProgramPath();
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash);
}

std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr)
        return {};
    return buffer;
}

bool FolderWritable(const std::string& folder)
{
    // The effective ids decide, as they do when the file is created.
    return !folder.empty() && faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}
