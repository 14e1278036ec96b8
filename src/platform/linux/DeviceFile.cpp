#include "platform/DeviceFile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace plintor::platform {

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Remaining(Clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? std::chrono::milliseconds(0) : left;
}

}

CDeviceFile::~CDeviceFile()
{
    Close();
}

void CDeviceFile::Close()
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

bool CDeviceFile::Open(const std::string& path)
{
    Close();
    if (path.empty())
        return false;
    // O_NOCTTY: the stand-in printer's device is a terminal that must not become ours.
    fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0;
}

IoResult CDeviceFile::WriteAll(std::string_view bytes, std::chrono::milliseconds bound)
{
    if (fd < 0)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return IoResult::Failed;
        IoResult waited = WaitFor(fd, POLLOUT, Remaining(deadline));
        if (waited != IoResult::Ok)
            return waited;
    }
    return IoResult::Ok;
}

IoResult CDeviceFile::Read(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound)
{
    bytes.clear();
    if (fd < 0)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    while (true) {
        IoResult waited = WaitFor(fd, POLLIN, Remaining(deadline));
        if (waited != IoResult::Ok)
            return waited;
        bytes.resize(capacity);
        ssize_t got = ::read(fd, bytes.data(), capacity);
        if (got > 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return IoResult::Ok;
        }
        bytes.clear();
        // A printer device delivers no end of file; a read of 0 bytes after poll reported
        // it readable is a hang-up (the device went away).
        if (got == 0)
            return IoResult::Failed;
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            return IoResult::Failed;
    }
}

}
