#pragma once

#include "platform/Socket.h"
#include "platform/linux/RemainingWait.h"

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include <poll.h>
#include <sys/types.h>

namespace plintor::platform {

// One readiness wait on `entry` until `deadline`: `poll(entry, timeoutMs)` is the system's
// poll of that one entry. An interrupted wait is taken up again with the time left. Ok when
// something was reported (the caller reads `entry.revents`), TimedOut, or Failed.
template <class Poll>
IoResult PollUntil(pollfd& entry, std::chrono::steady_clock::time_point deadline, Poll poll)
{
    while (true) {
        int ready = poll(entry, RemainingMs(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return IoResult::Failed;
        return ready == 0 ? IoResult::TimedOut : IoResult::Ok;
    }
}

// The write loop of a non-blocking descriptor: `write(data, size)` is the system's write
// or send; whenever the other end takes nothing more, `waitWritable()` waits until it does
// or gives up. An interrupted call is retried.
template <class Write, class WaitWritable>
IoResult WriteEverything(std::string_view bytes, Write write, WaitWritable waitWritable)
{
    while (!bytes.empty()) {
        ssize_t written = write(bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return IoResult::Failed;
        IoResult waited = waitWritable();
        if (waited != IoResult::Ok)
            return waited;
    }
    return IoResult::Ok;
}

// The read of a non-blocking descriptor: waits with `waitReadable()`, then takes up to
// `capacity` bytes with `read(data, size)`, the system's read or recv; Closed when the other
// end sent nothing (end of stream, or a zero-length packet).
template <class Read, class WaitReadable>
IoResult ReadSome(std::string& bytes, std::size_t capacity, Read read, WaitReadable waitReadable)
{
    bytes.clear();
    while (true) {
        IoResult waited = waitReadable();
        if (waited != IoResult::Ok)
            return waited;
        bytes.resize(capacity);
        ssize_t got = read(bytes.data(), capacity);
        if (got > 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return IoResult::Ok;
        }
        bytes.clear();
        if (got == 0)
            return IoResult::Closed;
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            return IoResult::Failed; // on a device: ENODEV, ESHUTDOWN, EIO, it went away
    }
}

}
