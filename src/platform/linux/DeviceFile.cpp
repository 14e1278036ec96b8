#include "platform/DeviceFile.h"

#include "platform/linux/NonBlockingIo.h"
#include "platform/linux/RemainingWait.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace plintor::platform {

namespace {

using Clock = std::chrono::steady_clock;

}

CDeviceFile::CDeviceFile(DeviceCalls deviceCalls) : calls(std::move(deviceCalls)) {}

CDeviceFile::~CDeviceFile()
{
    Close();
}

void CDeviceFile::Close()
{
    if (fd < 0)
        return;
    if (calls.close)
        calls.close(fd);
    else
        ::close(fd);
    fd = -1;
}

bool CDeviceFile::Open(const std::string& path)
{
    Close();
    if (path.empty())
        return false;
    // O_NOCTTY: the stand-in printer's device is a terminal that must not become ours.
    int flags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
    fd = calls.open ? calls.open(path.c_str(), flags) : ::open(path.c_str(), flags);
    return fd >= 0;
}

IoResult CDeviceFile::Wait(short events, Clock::time_point deadline)
{
    while (true) {
        pollfd entry{fd, events, 0};
        IoResult waited = PollUntil(entry, deadline, [&](pollfd& e, int timeout) {
            return calls.poll ? calls.poll(e, timeout) : ::poll(&e, 1, timeout);
        });
        if (waited != IoResult::Ok)
            return waited;
        bool reported = (entry.revents & events) != 0;
        bool gone = (entry.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0;
        // For a read, a hang-up is the device going away even when data is reported too: a
        // hung-up terminal reads 0 bytes (no zero-length packet), an unplugged usblp device
        // ENODEV. For a write, POLLOUT says the last transfer has finished, and a device
        // that leaves right after (a printer restarting on the job it just took) does not
        // undo that; a write that follows fails anyway.
        if (gone && !(reported && events == POLLOUT))
            return IoResult::Failed;
        if (reported)
            return IoResult::Ok;
        if (RemainingMs(deadline) == 0)
            return IoResult::TimedOut;
    }
}

IoResult CDeviceFile::WriteAll(std::string_view bytes, std::chrono::milliseconds bound)
{
    if (fd < 0)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    IoResult written = WriteEverything(
        bytes,
        [&](const char* data, std::size_t size) {
            return calls.write ? calls.write(fd, data, size) : ::write(fd, data, size);
        },
        [&] { return Wait(POLLOUT, deadline); });
    if (written != IoResult::Ok)
        return written;
    // The drain: the last transfer has completed when the driver reports POLLOUT again.
    return Wait(POLLOUT, deadline);
}

IoResult CDeviceFile::Read(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound)
{
    bytes.clear();
    if (fd < 0)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    return ReadSome(
        bytes, capacity,
        [&](char* data, std::size_t size) { return calls.read ? calls.read(fd, data, size) : ::read(fd, data, size); },
        [&] { return Wait(POLLIN, deadline); });
}

}
