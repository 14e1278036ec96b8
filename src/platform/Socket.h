#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/NameLookup.h"
#include "platform/NativeHandles.h"

namespace plintor::platform {

// Outcome of one bounded socket or device operation.
enum class IoResult {
    Ok,       // data moved (or the connection was made)
    Closed,   // a receive of 0 bytes: the peer closed the connection (on a USB printer
              // device: the printer sent a zero-length packet)
    TimedOut, // the wait expired
    Failed,   // the system reported an error, or the device went away
};

// Resolves `host` (IPv4 dotted, IPv6 with or without "[...]" and "%scope", or a name) for a
// stream connection to `service`, any address family, in the lookup's order. Numeric
// addresses resolve at once; a name lookup that outlasts `bound` gives no results
// (platform/NameLookup.h).
std::vector<ResolvedAddress> ResolveStream(std::string_view host, const std::string& service,
                                           std::chrono::milliseconds bound);

// What a stream lookup asks for: stream sockets, any family and protocol.
LookupHints StreamLookupHints();

// The numeric text of an address ("127.0.0.1", "fe80::1%eth0"), for logs and tests.
std::string NumericHost(const ResolvedAddress& address);

// A TCP client socket that closes itself. The socket is non-blocking and every wait goes
// through the system's readiness wait (poll; on Windows select) with the caller's bound, so
// no call blocks longer than asked.
class CSocket {
public:
    CSocket() = default;
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;
    CSocket(CSocket&& other) noexcept;
    CSocket& operator=(CSocket&& other) noexcept;
    ~CSocket();

    bool IsOpen() const { return fd != kNoSocket; }
    NativeSocket Descriptor() const { return fd; }

    // Creates a socket for the address and connects within `bound`; Failed when the socket
    // cannot be made or the connection is refused. Closes a socket that was open before.
    IoResult Connect(const ResolvedAddress& address, std::chrono::milliseconds bound);

    // Sends all of `bytes`; Ok only when every byte went out within `bound`.
    IoResult SendAll(std::string_view bytes, std::chrono::milliseconds bound);

    // One receive of at most `capacity` bytes into `bytes` (replaced), waiting at most
    // `bound` for data.
    IoResult Receive(std::string& bytes, std::size_t capacity, std::chrono::milliseconds bound);

    void Close();

private:
    NativeSocket fd = kNoSocket;
};

// What WaitFor waits for (the values of poll's POLLIN and POLLOUT on every system).
inline constexpr short kWaitReadable = 0x0001;
inline constexpr short kWaitWritable = 0x0004;

// A bounded wait on one socket: Ok when one of `events` is ready, TimedOut when the bound
// expired, Failed on an error or a hang-up without readable data. Retries on EINTR within
// the same bound.
IoResult WaitFor(NativeSocket fd, short events, std::chrono::milliseconds bound);

}
