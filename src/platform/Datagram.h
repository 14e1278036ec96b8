#pragma once

#include "platform/NameLookup.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace plintor::platform {

// UDP sockets as one SNMP exchange uses them (discovery/SnmpSession.h): non-blocking, allowed
// to send to broadcast addresses, every wait bounded by the caller. A socket is the system's
// socket number held as a plain value (the exchange keeps its sockets in a plain record);
// kNoDatagramSocket is none.
using DatagramSocket = std::intptr_t;
inline constexpr DatagramSocket kNoDatagramSocket = -1;

// Socket addresses made from their parts, for UDP.
ResolvedAddress Ipv4DatagramAddress(std::uint32_t networkOrder, std::uint16_t port);
// `numeric` is an IPv6 address without scope ("ff02::1", "::" for any); `scope` is an
// interface index (0: none).
ResolvedAddress Ipv6DatagramAddress(std::string_view numeric, std::uint16_t port, unsigned scope);
// The IPv4 address (network byte order) of an IPv4 socket address; false for others.
bool Ipv4OfAddress(const ResolvedAddress& address, std::uint32_t& networkOrder);

// Lookup hints for a UDP target of any family, and for the IPv4 addresses of a host.
LookupHints DatagramLookupHints();
LookupHints Ipv4LookupHints();

// A socket of the family of `like` (an address it will send to or be bound to);
// kNoDatagramSocket when it cannot be made.
DatagramSocket OpenDatagramSocket(const ResolvedAddress& like);
// Binds to a local address; false with the system's error number in `error`.
bool BindDatagramSocket(DatagramSocket socket, const ResolvedAddress& local, int& error);
// Whether IPv6 multicast sent from the socket comes back to the workstation.
void SetIpv6MulticastLoop(DatagramSocket socket, bool on);

// Sends one datagram. When the socket cannot take it at once, waits at most `bound` for
// room and tries once more. 0 when it left, else the system's error number.
int SendDatagram(DatagramSocket socket, std::span<const std::uint8_t> bytes, const ResolvedAddress& to,
                 std::chrono::milliseconds bound);
// Takes one waiting datagram into `buffer` (a longer one is cut) and its sender: the
// datagram's length, or -1 when none is waiting or the receive failed.
long ReceiveDatagram(DatagramSocket socket, std::span<std::uint8_t> buffer, ResolvedAddress& from);
// Waits at most `bound` until one of the sockets has a datagram: above 0 when one has,
// 0 when the bound expired, below 0 when the wait failed (a signal interrupted it).
int WaitForDatagrams(std::span<const DatagramSocket> sockets, std::chrono::milliseconds bound);

enum class DatagramClose {
    Graceful,
    Abort, // the exchange failed: nothing queued on the socket is kept (linger 0)
};
void CloseDatagramSocket(DatagramSocket socket, DatagramClose how);

// The numeric text of a sender's address ("192.0.2.1", "fe80::1%eth0"), at most 255 bytes.
std::string DatagramSenderText(const ResolvedAddress& from);

// The workstation's host name as the system gives it; empty when it cannot be had.
std::string WorkstationHostName();

// The system's text for a socket error number of the functions above.
std::string SocketErrorText(int error);

}
