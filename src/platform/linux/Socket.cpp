#include "platform/Socket.h"

#include "platform/linux/RemainingWait.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

namespace plintor::platform {

namespace {

using Clock = std::chrono::steady_clock;

}

std::vector<ResolvedAddress> ResolveStream(std::string_view host, const std::string& service,
                                           std::chrono::milliseconds bound)
{
    while (!host.empty() && (host.front() == ' ' || host.front() == '\t'))
        host.remove_prefix(1);
    while (!host.empty() && (host.back() == ' ' || host.back() == '\t'))
        host.remove_suffix(1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    if (host.empty() || host.find('\0') != std::string_view::npos)
        return {};
    LookupHints hints;
    hints.socketType = SOCK_STREAM;
    return CNameLookup().Resolve(std::string(host), service, hints, bound);
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
    while (true) {
        pollfd entry{fd, events, 0};
        int ready = poll(&entry, 1, RemainingMs(deadline));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return IoResult::Failed;
        }
        if (ready == 0)
            return IoResult::TimedOut;
        if (entry.revents & events)
            return IoResult::Ok;
        return IoResult::Failed; // POLLERR, POLLHUP or POLLNVAL without the events asked for
    }
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
    IoResult waited = WaitFor(fd, POLLOUT, bound);
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
    while (!bytes.empty()) {
        ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return IoResult::Failed;
        IoResult waited = WaitFor(fd, POLLOUT, std::chrono::milliseconds(RemainingMs(deadline)));
        if (waited != IoResult::Ok)
            return waited;
    }
    return IoResult::Ok;
}

IoResult CSocket::Receive(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound)
{
    bytes.clear();
    const auto deadline = Clock::now() + bound;
    while (true) {
        IoResult waited = WaitFor(fd, POLLIN, std::chrono::milliseconds(RemainingMs(deadline)));
        if (waited != IoResult::Ok)
            return waited;
        bytes.resize(capacity);
        ssize_t got = ::recv(fd, bytes.data(), capacity, 0);
        if (got > 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return IoResult::Ok;
        }
        bytes.clear();
        if (got == 0)
            return IoResult::Closed;
        if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
            return IoResult::Failed;
    }
}

}
