// DNS-SD services through the system's own mDNS resolver: DnsServiceResolve of dnsapi
// (Windows 10 version 1809 and later), looked up at run time, so that the program still
// starts where it is missing (older systems, Wine): there a dnssd:// URI resolves to
// nothing, as on a Linux workstation without a responder. The request names the service
// instance "NAME._TYPE._tcp.DOMAIN" (DNS_QUERY_REQUEST_VERSION1, any interface) and
// returns DNS_REQUEST_PENDING; the completion routine receives a DNS_SERVICE_INSTANCE with
// the host's IPv4 and IPv6 addresses and the port, which it frees with
// DnsServiceFreeInstance. At the caller's bound the request is cancelled with
// DnsServiceResolveCancel, given the DNS_SERVICE_CANCEL that the request was made with.
// The system may use that structure, the query name and the context until the completion
// routine has run, so all three live on the heap, shared by the caller and the routine;
// should a cancelled request never complete, the routine's share stays behind, which is
// safe. The IPv4 address is preferred, as on
// Linux; an IPv6 link-local address gets its interface index as scope ("fe80::1%12").
// This cannot run under Wine, which has no such resolver: it is checked against the
// documentation of DnsServiceResolve, DNS_SERVICE_RESOLVE_REQUEST, DNS_SERVICE_INSTANCE and
// DnsServiceResolveCancel.
#include "platform/ServiceResolve.h"

#include "platform/PendingResult.h"
#include "platform/ServiceName.h"
#include "platform/windows/WinsockSession.h"
#include "platform/windows/WinText.h"

#include <windns.h>
#include <ws2tcpip.h>

#include <cstring>
#include <memory>

namespace plintor::platform {

namespace {

constexpr DNS_STATUS kRequestPending = 9506;   // DNS_REQUEST_PENDING

using ResolveCall = DNS_STATUS(WINAPI*)(PDNS_SERVICE_RESOLVE_REQUEST, PDNS_SERVICE_CANCEL);
using CancelCall = DNS_STATUS(WINAPI*)(PDNS_SERVICE_CANCEL);
using FreeCall = VOID(WINAPI*)(PDNS_SERVICE_INSTANCE);

struct Resolver {
    ResolveCall resolve = nullptr;
    CancelCall cancel = nullptr;
    FreeCall free = nullptr;
};

template <class Call>
Call Find(HMODULE module, const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Resolver& SystemResolver()
{
    static const Resolver resolver = [] {
        Resolver found;
        HMODULE dnsapi = LoadLibraryExW(L"dnsapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (dnsapi) {
            found.resolve = Find<ResolveCall>(dnsapi, "DnsServiceResolve");
            found.cancel = Find<CancelCall>(dnsapi, "DnsServiceResolveCancel");
            found.free = Find<FreeCall>(dnsapi, "DnsServiceFreeInstance");
        }
        return found;
    }();
    return resolver;
}

// One request, shared by the caller and the completion routine: the name and the cancel
// handle the request points at, and the answer.
struct Context {
    FreeCall free = nullptr;
    std::wstring queryName;
    DNS_SERVICE_CANCEL cancel{};
    PendingResult<std::optional<ServiceLocation>> answer;
};

std::optional<ServiceLocation> LocationOf(const DNS_SERVICE_INSTANCE& instance)
{
    windows::WinsockSession session;
    char text[INET6_ADDRSTRLEN + 16] = {};
    if (instance.ip4Address) {
        in_addr address{};
        address.s_addr = *instance.ip4Address;   // network byte order
        if (inet_ntop(AF_INET, &address, text, sizeof text))
            return ServiceLocation{text, instance.wPort};
    }
    if (instance.ip6Address) {
        in6_addr address{};
        static_assert(sizeof address == sizeof *instance.ip6Address);
        std::memcpy(&address, instance.ip6Address, sizeof address);
        if (inet_ntop(AF_INET6, &address, text, sizeof text)) {
            ServiceLocation location{text, instance.wPort};
            bool linkLocal = address.s6_addr[0] == 0xfe && (address.s6_addr[1] & 0xc0) == 0x80;
            if (linkLocal && instance.dwInterfaceIndex != 0)
                location.host += "%" + std::to_string(instance.dwInterfaceIndex);
            return location;
        }
    }
    return std::nullopt;
}

VOID WINAPI Completed(DWORD status, PVOID queryContext, PDNS_SERVICE_INSTANCE instance)
{
    // The routine's share of the context, handed over with the request.
    std::unique_ptr<std::shared_ptr<Context>> share(static_cast<std::shared_ptr<Context>*>(queryContext));
    Context& context = **share;
    std::optional<ServiceLocation> location;
    if (status == ERROR_SUCCESS && instance)
        location = LocationOf(*instance);
    if (instance && context.free)
        context.free(instance);
    context.answer.Finish(std::move(location));
}

}

std::optional<ServiceLocation> ResolveServiceUri(const std::string& uri, std::chrono::milliseconds bound)
{
    std::optional<service_name::ServiceName> service = service_name::ServiceOfUri(uri);
    if (!service || service->name.empty())
        return std::nullopt;
    const Resolver& resolver = SystemResolver();
    if (!resolver.resolve || !resolver.cancel || !resolver.free)
        return std::nullopt;

    std::string name = service->name + "." + service->type + "." + (service->domain.empty() ? "local" : service->domain);
    auto context = std::make_shared<Context>();
    context->free = resolver.free;
    context->queryName = windows::WideFromAnsi(name);
    DNS_SERVICE_RESOLVE_REQUEST request{};
    request.Version = DNS_QUERY_REQUEST_VERSION1;
    request.InterfaceIndex = 0;
    request.QueryName = context->queryName.data();
    request.pResolveCompletionCallback = Completed;
    auto* share = new std::shared_ptr<Context>(context);
    request.pQueryContext = share;
    if (resolver.resolve(&request, &context->cancel) != kRequestPending) {
        delete share;   // no completion will come
        return std::nullopt;
    }
    std::optional<ServiceLocation> location;
    if (context->answer.TakeWithin(bound, location))
        return location;
    resolver.cancel(&context->cancel);   // this function's share keeps the handle alive
    return std::nullopt;
}

}
