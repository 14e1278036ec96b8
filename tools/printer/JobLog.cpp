#include "JobLog.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace plintor::printer {

void CJobLog::Append(std::string_view bytes) const
{
    if (path.empty() || bytes.empty())
        return;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    ::close(fd);
}

}
