#include "platform/Socket.h"

#include "platform/linux/NonBlockingIo.h"
#include "platform/linux/RemainingWait.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plintor::platform {

static_assert(kWaitReadable == POLLIN && kWaitWritable == POLLOUT);

namespace {

using Clock = std::chrono::steady_clock;

}

LookupHints StreamLookupHints()
{
    LookupHints hints;
    hints.socketType = SOCK_STREAM;
    return hints;
}

std::string NumericHost(const ResolvedAddress& address)
{
    char host[NI_MAXHOST] = {};
    if (getnameinfo(reinterpret_cast<const sockaddr*>(&address.address), address.length, host,
                    sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
        return {};
    return host;
}

IoResult WaitFor(int fd, short events, std::chrono::milliseconds bound)
{
    if (fd < 0)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    pollfd entry{fd, events, 0};
    IoResult waited = PollUntil(entry, deadline, [](pollfd& e, int timeout) { return poll(&e, 1, timeout); });
    if (waited != IoResult::Ok)
        return waited;
    // POLLERR, POLLHUP or POLLNVAL without the events asked for is a failure.
    return (entry.revents & events) ? IoResult::Ok : IoResult::Failed;
}

CSocket::CSocket(CSocket&& other) noexcept : fd(other.fd)
{
    other.fd = -1;
}

CSocket& CSocket::operator=(CSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        fd = other.fd;
        other.fd = -1;
    }
    return *this;
}

CSocket::~CSocket()
{
    Close();
}

void CSocket::Close()
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

IoResult CSocket::Connect(const ResolvedAddress& address, std::chrono::milliseconds bound)
{
    Close();
    fd = ::socket(address.family, address.socketType | SOCK_NONBLOCK | SOCK_CLOEXEC, address.protocol);
    if (fd < 0)
        return IoResult::Failed;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) == 0)
        return IoResult::Ok;
    if (errno != EINPROGRESS && errno != EINTR) {
        Close();
        return IoResult::Failed;
    }
    IoResult waited = WaitFor(fd, kWaitWritable, bound);
    int error = 0;
    socklen_t length = sizeof error;
    if (waited == IoResult::Ok && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
        return IoResult::Ok;
    Close();
    return waited == IoResult::TimedOut ? IoResult::TimedOut : IoResult::Failed;
}

IoResult CSocket::SendAll(std::string_view bytes, std::chrono::milliseconds bound)
{
    const auto deadline = Clock::now() + bound;
    return WriteEverything(
        bytes, [&](const char* data, std::size_t size) { return ::send(fd, data, size, MSG_NOSIGNAL); },
        [&] { return WaitFor(fd, kWaitWritable, std::chrono::milliseconds(RemainingMs(deadline))); });
}

IoResult CSocket::Receive(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound)
{
    const auto deadline = Clock::now() + bound;
    return ReadSome(
        bytes, capacity, [&](char* data, std::size_t size) { return ::recv(fd, data, size, 0); },
        [&] { return WaitFor(fd, kWaitReadable, std::chrono::milliseconds(RemainingMs(deadline))); });
}

}
