// The TCP client socket with Winsock 2. Each socket holds one start of the library
// (WSAStartup 2.2, released by WSACleanup when it closes), and each lookup or conversion
// holds its own around its calls. The socket is made with WSASocketW and
// WSA_FLAG_NO_HANDLE_INHERIT (Winsock sockets are otherwise inherited by every process the
// program starts), switched to non-blocking with ioctlsocket(FIONBIO), and every wait is
// select on that one socket with the caller's bound: a connect in progress reports
// success as writable and failure in the exception set, and the error is then read with
// getsockopt(SO_ERROR). select is used rather than WSAPoll, which before Windows 10 2004
// did not report a refused connect at all. A receive of 0 bytes is the peer's close; send
// needs no MSG_NOSIGNAL, since Winsock raises no signal. Exercised under Wine by the
// Windows unit tests (sockets on 127.0.0.1).
#include "platform/Socket.h"

#include "platform/windows/WinsockSession.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <type_traits>

namespace plintor::platform {

static_assert(std::is_same_v<NativeSocket, SOCKET> && kNoSocket == INVALID_SOCKET);

using windows::WinsockSession;

namespace {

using Clock = std::chrono::steady_clock;

// Rounded up, so that a wait never ends before its bound.
long long RemainingMs(Clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : std::min<long long>(left, 1 << 30);
}

}

LookupHints StreamLookupHints()
{
    LookupHints hints;
    hints.socketType = SOCK_STREAM;
    return hints;
}

std::string NumericHost(const ResolvedAddress& address)
{
    WinsockSession session;
    if (!session.Started())
        return {};
    char host[NI_MAXHOST] = {};
    if (getnameinfo(reinterpret_cast<const sockaddr*>(&address.address), static_cast<socklen_t>(address.length),
                    host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
        return {};
    return host;
}

IoResult WaitFor(NativeSocket fd, short events, std::chrono::milliseconds bound)
{
    if (fd == kNoSocket)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    while (true) {
        fd_set readable, writable, failed;
        FD_ZERO(&readable);
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        if (events & kWaitReadable)
            FD_SET(fd, &readable);
        if (events & kWaitWritable)
            FD_SET(fd, &writable);
        FD_SET(fd, &failed);
        long long ms = RemainingMs(deadline);
        timeval timeout{static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
        int ready = select(0, &readable, &writable, &failed, &timeout);
        if (ready == SOCKET_ERROR) {
            if (WSAGetLastError() == WSAEINTR)
                continue;
            return IoResult::Failed;
        }
        if (ready == 0)
            return IoResult::TimedOut;
        if (FD_ISSET(fd, &readable) || FD_ISSET(fd, &writable))
            return IoResult::Ok;
        return IoResult::Failed;   // only in the exception set: a connect that failed
    }
}

CSocket::CSocket(CSocket&& other) noexcept : fd(other.fd)
{
    other.fd = kNoSocket;
}

CSocket& CSocket::operator=(CSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        fd = other.fd;
        other.fd = kNoSocket;
    }
    return *this;
}

CSocket::~CSocket()
{
    Close();
}

void CSocket::Close()
{
    if (fd != kNoSocket) {
        closesocket(fd);
        fd = kNoSocket;
        WSACleanup();   // the start that Connect made for this socket
    }
}

IoResult CSocket::Connect(const ResolvedAddress& address, std::chrono::milliseconds bound)
{
    Close();
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return IoResult::Failed;
    fd = WSASocketW(address.family, address.socketType, address.protocol, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (fd == INVALID_SOCKET) {
        fd = kNoSocket;
        WSACleanup();
        return IoResult::Failed;
    }
    u_long nonBlocking = 1;
    if (ioctlsocket(fd, FIONBIO, &nonBlocking) != 0) {
        Close();
        return IoResult::Failed;
    }
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), static_cast<int>(address.length)) == 0)
        return IoResult::Ok;
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
        Close();
        return IoResult::Failed;
    }
    IoResult waited = WaitFor(fd, kWaitWritable, bound);
    int error = 0;
    int length = sizeof error;
    if (waited == IoResult::Ok
        && getsockopt(fd, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 && error == 0)
        return IoResult::Ok;
    Close();
    return waited == IoResult::TimedOut ? IoResult::TimedOut : IoResult::Failed;
}

IoResult CSocket::SendAll(std::string_view bytes, std::chrono::milliseconds bound)
{
    if (fd == kNoSocket)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    while (!bytes.empty()) {
        int chunk = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
        int sent = ::send(fd, bytes.data(), chunk, 0);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK)
            return IoResult::Failed;
        IoResult waited = WaitFor(fd, kWaitWritable, std::chrono::milliseconds(RemainingMs(deadline)));
        if (waited != IoResult::Ok)
            return waited;
    }
    return IoResult::Ok;
}

IoResult CSocket::Receive(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound)
{
    bytes.clear();
    if (fd == kNoSocket)
        return IoResult::Failed;
    const auto deadline = Clock::now() + bound;
    int size = static_cast<int>(std::min<std::size_t>(capacity, INT_MAX));
    while (true) {
        IoResult waited = WaitFor(fd, kWaitReadable, std::chrono::milliseconds(RemainingMs(deadline)));
        if (waited != IoResult::Ok)
            return waited;
        bytes.resize(static_cast<std::size_t>(size));
        int got = ::recv(fd, bytes.data(), size, 0);
        if (got > 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return IoResult::Ok;
        }
        bytes.clear();
        if (got == 0)
            return IoResult::Closed;
        if (WSAGetLastError() != WSAEWOULDBLOCK)
            return IoResult::Failed;
    }
}

}
