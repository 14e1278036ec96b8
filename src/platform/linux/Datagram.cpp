#include "platform/Datagram.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace plintor::platform {

namespace {

int Fd(DatagramSocket socket)
{
    return static_cast<int>(socket);
}

bool SetNonBlocking(int fd, bool on)
{
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0)
        return false;
    flags = on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return fcntl(fd, F_SETFL, flags) == 0;
}

const sockaddr* Address(const ResolvedAddress& address)
{
    return reinterpret_cast<const sockaddr*>(&address.address);
}

}

ResolvedAddress Ipv4DatagramAddress(std::uint32_t networkOrder, std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = networkOrder;
    return ResolvedAddressOf(AF_INET, SOCK_DGRAM, IPPROTO_UDP, &address, sizeof address);
}

ResolvedAddress Ipv6DatagramAddress(std::string_view numeric, std::uint16_t port, unsigned scope)
{
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_port = htons(port);
    address.sin6_scope_id = scope;
    inet_pton(AF_INET6, std::string(numeric).c_str(), &address.sin6_addr);
    return ResolvedAddressOf(AF_INET6, SOCK_DGRAM, IPPROTO_UDP, &address, sizeof address);
}

bool Ipv4OfAddress(const ResolvedAddress& address, std::uint32_t& networkOrder)
{
    if (address.family != AF_INET)
        return false;
    networkOrder = reinterpret_cast<const sockaddr_in*>(&address.address)->sin_addr.s_addr;
    return true;
}

LookupHints DatagramLookupHints()
{
    LookupHints hints;
    hints.socketType = SOCK_DGRAM;
    hints.protocol = IPPROTO_UDP;
    return hints;
}

LookupHints Ipv4LookupHints()
{
    LookupHints hints;
    hints.family = AF_INET;
    return hints;
}

DatagramSocket OpenDatagramSocket(const ResolvedAddress& like)
{
    int fd = ::socket(like.family, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0)
        return kNoDatagramSocket;
    int on = 1;
    if (!SetNonBlocking(fd, true) || setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
        ::close(fd);
        return kNoDatagramSocket;
    }
    return fd;
}

bool BindDatagramSocket(DatagramSocket socket, const ResolvedAddress& local, int& error)
{
    if (bind(Fd(socket), Address(local), local.length) == 0)
        return true;
    error = errno;
    return false;
}

void SetIpv6MulticastLoop(DatagramSocket socket, bool on)
{
    int value = on ? 1 : 0;
    setsockopt(Fd(socket), IPPROTO_IPV6, IPV6_MULTICAST_LOOP, &value, sizeof value);
}

int SendDatagram(DatagramSocket socket, std::span<const std::uint8_t> bytes, const ResolvedAddress& to,
                 std::chrono::milliseconds bound)
{
    auto send = [&] { return sendto(Fd(socket), bytes.data(), bytes.size(), 0, Address(to), to.length); };
    ssize_t sent = send();
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        pollfd entry{Fd(socket), POLLOUT, 0};
        if (poll(&entry, 1, static_cast<int>(bound.count())) > 0)
            sent = send();
    }
    return sent < 0 ? errno : 0;
}

long ReceiveDatagram(DatagramSocket socket, std::span<std::uint8_t> buffer, ResolvedAddress& from)
{
    sockaddr_storage sender{};
    socklen_t length = sizeof sender;
    ssize_t n = recvfrom(Fd(socket), buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&sender), &length);
    if (n < 0)
        return -1;
    from = ResolvedAddress{};
    from.family = sender.ss_family;
    from.socketType = SOCK_DGRAM;
    from.protocol = IPPROTO_UDP;
    std::memcpy(&from.address, &sender, sizeof sender);
    from.length = length;
    return static_cast<long>(n);
}

int WaitForDatagrams(std::span<const DatagramSocket> sockets, std::chrono::milliseconds bound)
{
    std::vector<pollfd> polls;
    for (DatagramSocket s : sockets)
        polls.push_back(pollfd{Fd(s), POLLIN, 0});
    return poll(polls.data(), static_cast<nfds_t>(polls.size()), static_cast<int>(bound.count()));
}

void CloseDatagramSocket(DatagramSocket socket, DatagramClose how)
{
    int fd = Fd(socket);
    SetNonBlocking(fd, false);
    if (how == DatagramClose::Abort) {
        linger abortive{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    ::close(fd);
}

std::string DatagramSenderText(const ResolvedAddress& from)
{
    char text[256] = "";
    if (getnameinfo(Address(from), from.length, text, sizeof text, nullptr, 0, NI_NUMERICHOST) == 0)
        return text;
    text[0] = '\0';
    if (from.family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(&from.address)->sin_addr, text, sizeof text);
    return text;
}

std::string WorkstationHostName()
{
    char name[258] = {};
    if (gethostname(name, 257) != 0)
        return {};
    name[257] = '\0';
    return name;
}

std::string SocketErrorText(int error)
{
    return std::strerror(error);
}

}
