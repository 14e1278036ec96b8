#include "platform/ServiceResolve.h"

#include "platform/PendingResult.h"
#include "platform/ServiceName.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/address.h>
#include <avahi-common/simple-watch.h>

#include <net/if.h>
#include <poll.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

namespace plintor::platform {

using service_name::ServiceName;
using service_name::ServiceOfUri;

namespace {

// One resolution on the thread that runs it: the service's IPv4 and IPv6 addresses are
// asked for at once, and an IPv4 answer ends it.
struct Resolution {
    AvahiSimplePoll* poll = nullptr;
    std::chrono::steady_clock::time_point deadline;
    std::optional<ServiceLocation> ipv4, ipv6;
    int ended = 0; // resolvers that answered or failed
};

// What one resolver reports to.
struct Answer {
    Resolution* resolution = nullptr;
    bool ended = false;
};

// The responder's waits, each cut at the deadline, so that the thread ends with the bound.
int PollUntilDeadline(pollfd* fds, unsigned int count, int timeout, void* context)
{
    auto* resolution = static_cast<Resolution*>(context);
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(resolution->deadline
                                                                      - std::chrono::steady_clock::now());
    int cap = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
    return ::poll(fds, count, timeout < 0 || timeout > cap ? cap : timeout);
}

void ClientChanged(AvahiClient*, AvahiClientState state, void* context)
{
    if (state == AVAHI_CLIENT_FAILURE)
        avahi_simple_poll_quit(static_cast<Resolution*>(context)->poll);
}

void Resolved(AvahiServiceResolver*, AvahiIfIndex interface, AvahiProtocol, AvahiResolverEvent event, const char*,
              const char*, const char*, const char*, const AvahiAddress* address, uint16_t port, AvahiStringList*,
              AvahiLookupResultFlags, void* context)
{
    auto* answer = static_cast<Answer*>(context);
    Resolution& resolution = *answer->resolution;
    if (event == AVAHI_RESOLVER_FOUND && address) {
        char text[AVAHI_ADDRESS_STR_MAX];
        avahi_address_snprint(text, sizeof text, address);
        ServiceLocation location{text, port};
        // A link-local address means nothing without the interface it was seen on.
        char name[IF_NAMESIZE];
        const uint8_t* v6 = address->data.ipv6.address;
        if (address->proto == AVAHI_PROTO_INET6 && v6[0] == 0xfe && (v6[1] & 0xc0) == 0x80 && interface > 0
            && if_indextoname(static_cast<unsigned>(interface), name))
            location.host += std::string("%") + name;
        auto& slot = address->proto == AVAHI_PROTO_INET ? resolution.ipv4 : resolution.ipv6;
        if (!slot)
            slot = std::move(location);
    }
    if (!answer->ended) {
        answer->ended = true;
        ++resolution.ended;
    }
    if (resolution.ipv4 || resolution.ended == 2)
        avahi_simple_poll_quit(resolution.poll);
}

std::optional<ServiceLocation> ResolveNow(const ServiceName& service, std::chrono::steady_clock::time_point deadline)
{
    Resolution resolution;
    resolution.deadline = deadline;
    resolution.poll = avahi_simple_poll_new();
    if (!resolution.poll)
        return std::nullopt;
    avahi_simple_poll_set_func(resolution.poll, PollUntilDeadline, &resolution);
    int error = 0;
    AvahiClient* client = avahi_client_new(avahi_simple_poll_get(resolution.poll), AvahiClientFlags(0),
                                           ClientChanged, &resolution, &error);
    if (client) {
        // The printer's IPv4 address first: asked for any address, the responder mostly
        // hands out the IPv6 link-local one, and the IPv4 search finds the printer first.
        // The IPv4 address is asked for over IPv4 mDNS, since responders do not announce it
        // over IPv6. The IPv6 address serves a printer that has no other.
        Answer answers[2] = {{&resolution}, {&resolution}};
        AvahiServiceResolver* resolvers[2] = {};
        const AvahiProtocol over[2] = {AVAHI_PROTO_INET, AVAHI_PROTO_UNSPEC};
        const AvahiProtocol families[2] = {AVAHI_PROTO_INET, AVAHI_PROTO_INET6};
        for (int i = 0; i < 2; ++i)
            resolvers[i] = avahi_service_resolver_new(
                client, AVAHI_IF_UNSPEC, over[i], service.name.c_str(), service.type.c_str(),
                service.domain.empty() ? nullptr : service.domain.c_str(), families[i], AvahiLookupFlags(0),
                Resolved, &answers[i]);
        if (resolvers[0] || resolvers[1]) {
            resolution.ended = (resolvers[0] ? 0 : 1) + (resolvers[1] ? 0 : 1);
            while (std::chrono::steady_clock::now() < deadline && avahi_simple_poll_iterate(resolution.poll, -1) == 0) {
            }
        }
        for (AvahiServiceResolver* resolver : resolvers)
            if (resolver)
                avahi_service_resolver_free(resolver);
        avahi_client_free(client);
    }
    avahi_simple_poll_free(resolution.poll);
    return resolution.ipv4 ? resolution.ipv4 : resolution.ipv6;
}

}

std::optional<ServiceLocation> ResolveServiceUri(const std::string& uri, std::chrono::milliseconds bound)
{
    std::optional<ServiceName> service = ServiceOfUri(uri);
    if (!service || service->name.empty())
        return std::nullopt;
    // The responder is asked over the system bus, whose calls can block far longer than the
    // bound when it hangs: the caller waits on a thread of its own.
    const auto deadline = std::chrono::steady_clock::now() + bound;
    // The thread stops asking a little before the caller stops waiting, so that an IPv6
    // answer held until the end still reaches the caller.
    const auto askUntil = deadline - std::min<std::chrono::milliseconds>(bound / 10, std::chrono::milliseconds(250));
    auto pending = RunDetached<std::optional<ServiceLocation>>(
        [service = *service, askUntil] { return ResolveNow(service, askUntil); });
    std::optional<ServiceLocation> result;
    if (pending)
        pending->TakeBy(deadline, result);
    return result;
}

}
