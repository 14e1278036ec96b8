#include "platform/NameLookup.h"

#include "platform/PendingResult.h"

#include <cstring>

namespace plintor::platform {

ResolvedAddress ResolvedAddressOf(int family, int socketType, int protocol, const void* address,
                                  std::uint32_t length)
{
    ResolvedAddress result;
    result.family = family;
    result.socketType = socketType;
    result.protocol = protocol;
    std::memcpy(&result.address, address, length);
    result.length = length;
    return result;
}

CNameLookup::CNameLookup()
    : CNameLookup([](const std::string& host, const std::string& service, const LookupHints& hints) {
          return SystemLookup(host, service, hints, 0);
      })
{
}

CNameLookup::CNameLookup(Resolver lookup) : resolver(std::move(lookup)) {}

std::vector<ResolvedAddress> CNameLookup::Resolve(const std::string& host, const std::string& service,
                                                  const LookupHints& hints, std::chrono::milliseconds bound) const
{
    if (host.empty() || host.find('\0') != std::string::npos)
        return {};
    // A numeric address needs no name service: parsed at once, it never waits.
    auto numeric = SystemLookup(host, service, hints, kNumericHostLookup);
    if (!numeric.empty())
        return numeric;
    if (!resolver)
        return {};

    // No thread to wait on leaves the name unresolved.
    auto pending = RunDetached<std::vector<ResolvedAddress>>(
        [lookup = resolver, host, service, hints] { return lookup(host, service, hints); });
    std::vector<ResolvedAddress> results;
    if (pending)
        pending->TakeWithin(bound, results);
    return results;
}

}
