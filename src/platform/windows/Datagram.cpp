// UDP sockets of the SNMP exchange with Winsock 2. Each socket holds one start of the
// library (WSAStartup 2.2 when it is made, WSACleanup when it is closed); the address and
// name functions hold their own around their calls. Sockets are made with WSASocketW and
// WSA_FLAG_NO_HANDLE_INHERIT, switched to non-blocking with ioctlsocket(FIONBIO) and
// allowed to broadcast (SO_BROADCAST). IPv6 multicast leaves by the interface that the
// target's scope id names (sin6_scope_id of "ff02::1%N"), as IPV6_MULTICAST_IF would
// choose it. Waits are select over the sockets with the caller's bound. A receive that
// finds no datagram gives -1; one cut to the buffer (WSAEMSGSIZE) counts with the buffer's
// length, as the Linux receive cuts it. Windows would report an ICMP "port unreachable"
// for an earlier datagram as a failed receive (WSAECONNRESET) on the next one; the socket
// is told not to (SIO_UDP_CONNRESET off), as Linux does not for an unconnected socket. The
// abortive close sets
// SO_LINGER to 0 before closesocket. Error numbers are Winsock's (WSAGetLastError), and
// their text is the system's (FormatMessageW). Exercised under Wine by the Windows unit
// tests on 127.0.0.1.
#include "platform/Datagram.h"

#include "platform/windows/WinsockSession.h"
#include "platform/windows/WinText.h"

#include <mswsock.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace plintor::platform {

using windows::WinsockSession;

namespace {

SOCKET Native(DatagramSocket socket)
{
    return static_cast<SOCKET>(socket);
}

const sockaddr* Address(const ResolvedAddress& address)
{
    return reinterpret_cast<const sockaddr*>(&address.address);
}

timeval Timeout(std::chrono::milliseconds bound)
{
    long long ms = std::clamp<long long>(bound.count(), 0, 1 << 30);
    return timeval{static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
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
    WinsockSession session;
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
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return kNoDatagramSocket;
    SOCKET socket = WSASocketW(like.family, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (socket == INVALID_SOCKET) {
        WSACleanup();
        return kNoDatagramSocket;
    }
    u_long nonBlocking = 1;
    BOOL on = TRUE;
    BOOL reportUnreachable = FALSE;
    DWORD returned = 0;
    WSAIoctl(socket, SIO_UDP_CONNRESET, &reportUnreachable, sizeof reportUnreachable, nullptr, 0, &returned, nullptr,
             nullptr);
    if (ioctlsocket(socket, FIONBIO, &nonBlocking) != 0
        || setsockopt(socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on) != 0) {
        closesocket(socket);
        WSACleanup();
        return kNoDatagramSocket;
    }
    return static_cast<DatagramSocket>(socket);
}

bool BindDatagramSocket(DatagramSocket socket, const ResolvedAddress& local, int& error)
{
    if (bind(Native(socket), Address(local), static_cast<int>(local.length)) == 0)
        return true;
    error = WSAGetLastError();
    return false;
}

void SetIpv6MulticastLoop(DatagramSocket socket, bool on)
{
    DWORD value = on ? 1 : 0;
    setsockopt(Native(socket), IPPROTO_IPV6, IPV6_MULTICAST_LOOP, reinterpret_cast<const char*>(&value), sizeof value);
}

int SendDatagram(DatagramSocket socket, std::span<const std::uint8_t> bytes, const ResolvedAddress& to,
                 std::chrono::milliseconds bound)
{
    int size = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
    auto send = [&] {
        return sendto(Native(socket), reinterpret_cast<const char*>(bytes.data()), size, 0, Address(to),
                      static_cast<int>(to.length));
    };
    int sent = send();
    if (sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set writable;
        FD_ZERO(&writable);
        FD_SET(Native(socket), &writable);
        timeval timeout = Timeout(bound);
        if (select(0, nullptr, &writable, nullptr, &timeout) > 0)
            sent = send();
    }
    return sent == SOCKET_ERROR ? WSAGetLastError() : 0;
}

long ReceiveDatagram(DatagramSocket socket, std::span<std::uint8_t> buffer, ResolvedAddress& from)
{
    sockaddr_storage sender{};
    int length = sizeof sender;
    int size = static_cast<int>(std::min<std::size_t>(buffer.size(), INT_MAX));
    int n = recvfrom(Native(socket), reinterpret_cast<char*>(buffer.data()), size, 0,
                     reinterpret_cast<sockaddr*>(&sender), &length);
    if (n == SOCKET_ERROR) {
        if (WSAGetLastError() != WSAEMSGSIZE)
            return -1;
        n = size;   // cut to the buffer, as the Linux receive cuts it
    }
    from = ResolvedAddress{};
    from.family = sender.ss_family;
    from.socketType = SOCK_DGRAM;
    from.protocol = IPPROTO_UDP;
    std::memcpy(&from.address, &sender, sizeof sender);
    from.length = static_cast<std::uint32_t>(length);
    return static_cast<long>(n);
}

int WaitForDatagrams(std::span<const DatagramSocket> sockets, std::chrono::milliseconds bound)
{
    fd_set readable;
    FD_ZERO(&readable);
    for (DatagramSocket s : sockets)
        if (s != kNoDatagramSocket && readable.fd_count < FD_SETSIZE)
            FD_SET(Native(s), &readable);
    if (readable.fd_count == 0) {
        Sleep(static_cast<DWORD>(std::clamp<long long>(bound.count(), 0, 1 << 30)));
        return 0;
    }
    timeval timeout = Timeout(bound);
    int ready = select(0, &readable, nullptr, nullptr, &timeout);
    return ready == SOCKET_ERROR ? -1 : ready;
}

void CloseDatagramSocket(DatagramSocket socket, DatagramClose how)
{
    SOCKET native = Native(socket);
    u_long blocking = 0;
    ioctlsocket(native, FIONBIO, &blocking);
    if (how == DatagramClose::Abort) {
        linger abortive{1, 0};
        setsockopt(native, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive), sizeof abortive);
    }
    closesocket(native);
    WSACleanup();   // the start that OpenDatagramSocket made for this socket
}

std::string DatagramSenderText(const ResolvedAddress& from)
{
    WinsockSession session;
    char text[256] = "";
    if (getnameinfo(Address(from), static_cast<socklen_t>(from.length), text, sizeof text, nullptr, 0,
                    NI_NUMERICHOST) == 0)
        return text;
    text[0] = '\0';
    if (from.family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(&from.address)->sin_addr, text, sizeof text);
    return text;
}

std::string WorkstationHostName()
{
    WinsockSession session;
    char name[258] = {};
    if (!session.Started() || gethostname(name, 257) != 0)
        return {};
    name[257] = '\0';
    return name;
}

std::string SocketErrorText(int error)
{
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                      | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '
                                || message.back() == L'.'))
        message.pop_back();
    if (message.empty())
        return "socket error " + std::to_string(error);
    return windows::AnsiFromWide(message);
}

}
