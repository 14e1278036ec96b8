// Name lookups with Winsock 2's getaddrinfo, each call inside its own start of the library
// (WSAStartup 2.2 ... WSACleanup). A numeric address is parsed at once with AI_NUMERICHOST
// (which also takes IPv6 scope ids, "%12"); a name is looked up on a thread of its own
// that the caller waits for at most its bound, as on Linux: getaddrinfo on Windows has no
// time-out of its own either. Exercised under Wine by the Windows unit tests.
#include "platform/NameLookup.h"

#include "platform/AddressInfoLookup.h"
#include "platform/windows/WinsockSession.h"

#include <ws2tcpip.h>

namespace plintor::platform {

static_assert(sizeof(SocketAddressStorage) == sizeof(sockaddr_storage)
              && alignof(SocketAddressStorage) >= alignof(sockaddr_storage));

std::vector<ResolvedAddress> SystemLookup(const std::string& host, const std::string& service,
                                          const LookupHints& hints, int flags)
{
    windows::WinsockSession session;
    if (!session.Started())
        return {};
    return LookUpAddressInfo<addrinfo>(getaddrinfo, freeaddrinfo, host, service, hints, flags,
                                       sizeof(sockaddr_storage));
}

const int kNumericHostLookup = AI_NUMERICHOST;

}
