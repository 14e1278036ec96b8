#include "platform/NameLookup.h"

#include "platform/AddressInfoLookup.h"

#include <netdb.h>
#include <sys/socket.h>

namespace plintor::platform {

static_assert(sizeof(SocketAddressStorage) == sizeof(sockaddr_storage)
              && alignof(SocketAddressStorage) >= alignof(sockaddr_storage));

std::vector<ResolvedAddress> SystemLookup(const std::string& host, const std::string& service,
                                          const LookupHints& hints, int flags)
{
    return LookUpAddressInfo<addrinfo>(getaddrinfo, freeaddrinfo, host, service, hints, flags,
                                       sizeof(sockaddr_storage));
}

const int kNumericHostLookup = AI_NUMERICHOST;

}
