#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <sys/socket.h>   // the family and type constants the callers hand in LookupHints
#endif

namespace plintor::platform {

// Room for any socket address, laid out and aligned as the system's sockaddr_storage
// (128 bytes on Linux and on Windows): callers read it as the sockaddr_in or sockaddr_in6
// that `family` says it is.
struct alignas(8) SocketAddressStorage {
    unsigned char bytes[128];
};

// One result of an address lookup, kept by value.
struct ResolvedAddress {
    int family = 0;
    int socketType = 0;
    int protocol = 0;
    SocketAddressStorage address{};
    std::uint32_t length = 0;   // the address's size in bytes (socklen_t)
};

// A result holding a copy of the system's socket address at `address`, `length` bytes (at
// most the storage's size).
ResolvedAddress ResolvedAddressOf(int family, int socketType, int protocol, const void* address,
                                  std::uint32_t length);

// What a lookup asks for, as the system's address-information lookup takes it; the values
// are the system's (AF_INET, SOCK_STREAM, ...), 0 for any.
struct LookupHints {
    int family = 0;   // AF_UNSPEC
    int socketType = 0;
    int protocol = 0;
};

// Looks up a host and service, blocking as long as it takes; empty when nothing resolves.
using Resolver = std::function<std::vector<ResolvedAddress>(const std::string& host, const std::string& service,
                                                            const LookupHints& hints)>;

// A host name lookup whose caller waits at most a bound.
//
// A broken resolver (an unreachable name server, a hanging lookup service) can block the
// system's lookup for half a minute or more, and the caller is often the page thread. So
// a numeric address is taken at once on the caller's thread, and a name is looked up on a
// thread of its own: the caller waits at most the bound it gives. A lookup that outlasts it
// is abandoned: it finishes in the background, on state it shares with nobody but the
// abandoned wait, and its results go nowhere.
class CNameLookup {
public:
    // The system's resolver (getaddrinfo).
    CNameLookup();
    // Another resolver; tests hand one that hangs or fails.
    explicit CNameLookup(Resolver resolver);

    // The addresses of `host` (a numeric address, or a name) for `service` (empty: none),
    // in the lookup's order. Empty when the host does not resolve within `bound`.
    std::vector<ResolvedAddress> Resolve(const std::string& host, const std::string& service,
                                         const LookupHints& hints, std::chrono::milliseconds bound) const;

private:
    Resolver resolver;
};

// The system's lookup with the flags given (AI_NUMERICHOST, ...), blocking.
std::vector<ResolvedAddress> SystemLookup(const std::string& host, const std::string& service,
                                          const LookupHints& hints, int flags);

// The system's flag that takes the host as a numeric address only (AI_NUMERICHOST).
extern const int kNumericHostLookup;

}
