#include "platform/ServiceResolve.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/address.h>
#include <avahi-common/simple-watch.h>

#include <net/if.h>
#include <poll.h>

#include <algorithm>
#include <cctype>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace plintor::platform {

namespace {

// The parts of a service instance name "NAME._TYPE._tcp.DOMAIN".
struct ServiceName {
    std::string name, type, domain;
};

std::string PercentDecoded(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]))
            && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The service a dnssd:// URI names in its host part. The instance name may hold dots and
// blanks, so the type is found from the protocol label backwards.
std::optional<ServiceName> ServiceOf(const std::string& uri)
{
    const std::string scheme = "dnssd://";
    if (uri.size() <= scheme.size()
        || !std::equal(scheme.begin(), scheme.end(), uri.begin(),
                       [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
        return std::nullopt;
    std::string host = PercentDecoded(uri.substr(scheme.size(), uri.find_first_of("/?", scheme.size()) - scheme.size()));
    for (const char* protocol : {"._tcp", "._udp"}) {
        std::size_t end = host.find(protocol);
        while (end != std::string::npos && end + 5 < host.size() && host[end + 5] != '.')
            end = host.find(protocol, end + 1);
        if (end == std::string::npos || end == 0)
            continue;
        std::size_t typeStart = host.rfind("._", end - 1);
        if (typeStart == std::string::npos || typeStart == 0)
            continue;
        ServiceName service;
        service.name = host.substr(0, typeStart);
        service.type = host.substr(typeStart + 1, end + 5 - typeStart - 1);
        service.domain = end + 6 < host.size() ? host.substr(end + 6) : "";
        while (!service.domain.empty() && service.domain.back() == '.')
            service.domain.pop_back();
        return service;
    }
    return std::nullopt;
}

// The meeting point of a resolving thread and its caller; whichever ends last frees it.
struct PendingResolve {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::optional<ServiceLocation> result;
};

// One resolution on the thread that runs it.
struct Resolution {
    AvahiSimplePoll* poll = nullptr;
    std::chrono::steady_clock::time_point deadline;
    std::optional<ServiceLocation> result;
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
    auto* resolution = static_cast<Resolution*>(context);
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
        resolution->result = std::move(location);
    }
    avahi_simple_poll_quit(resolution->poll);
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
        AvahiServiceResolver* resolver = avahi_service_resolver_new(
            client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, service.name.c_str(), service.type.c_str(),
            service.domain.empty() ? nullptr : service.domain.c_str(), AVAHI_PROTO_UNSPEC, AvahiLookupFlags(0),
            Resolved, &resolution);
        if (resolver) {
            while (std::chrono::steady_clock::now() < deadline && avahi_simple_poll_iterate(resolution.poll, -1) == 0) {
            }
            avahi_service_resolver_free(resolver);
        }
        avahi_client_free(client);
    }
    avahi_simple_poll_free(resolution.poll);
    return resolution.result;
}

}

std::optional<ServiceLocation> ResolveServiceUri(const std::string& uri, std::chrono::milliseconds bound)
{
    std::optional<ServiceName> service = ServiceOf(uri);
    if (!service || service->name.empty())
        return std::nullopt;
    // The responder is asked over the system bus, whose calls can block far longer than the
    // bound when it hangs: the caller waits on a thread of its own.
    auto pending = std::make_shared<PendingResolve>();
    const auto deadline = std::chrono::steady_clock::now() + bound;
    try {
        std::thread([pending, service = *service, deadline] {
            auto result = ResolveNow(service, deadline);
            std::lock_guard lock(pending->mutex);
            pending->result = std::move(result);
            pending->finished = true;
            pending->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_until(lock, deadline, [&] { return pending->finished; }))
        return std::nullopt;
    return std::move(pending->result);
}

}
