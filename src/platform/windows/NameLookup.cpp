// Name lookups with Winsock 2's getaddrinfo, each call inside its own start of the library
// (WSAStartup 2.2 ... WSACleanup). A numeric address is parsed at once with AI_NUMERICHOST
// (which also takes IPv6 scope ids, "%12"); a name is looked up on a thread of its own
// that the caller waits for at most its bound, as on Linux: getaddrinfo on Windows has no
// time-out of its own either. Exercised under Wine by the Windows unit tests.
#include "platform/NameLookup.h"

#include "platform/windows/WinsockSession.h"

#include <ws2tcpip.h>

#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace plintor::platform {

static_assert(sizeof(SocketAddressStorage) == sizeof(sockaddr_storage)
              && alignof(SocketAddressStorage) >= alignof(sockaddr_storage));

namespace {

// The meeting point of a lookup thread and its caller. Both hold it, so whichever ends
// last frees it: the caller may give up and return while the lookup still runs.
struct PendingLookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::vector<ResolvedAddress> results;
};

}

std::vector<ResolvedAddress> SystemLookup(const std::string& host, const std::string& service,
                                          const LookupHints& hints, int flags)
{
    windows::WinsockSession session;
    if (!session.Started())
        return {};
    addrinfo want{};
    want.ai_family = hints.family;
    want.ai_socktype = hints.socketType;
    want.ai_protocol = hints.protocol;
    want.ai_flags = flags;
    addrinfo* list = nullptr;
    if (getaddrinfo(host.c_str(), service.empty() ? nullptr : service.c_str(), &want, &list) != 0)
        return {};
    std::vector<ResolvedAddress> results;
    for (const addrinfo* entry = list; entry; entry = entry->ai_next) {
        if (!entry->ai_addr || entry->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        ResolvedAddress result;
        result.family = entry->ai_family;
        result.socketType = entry->ai_socktype;
        result.protocol = entry->ai_protocol;
        std::memcpy(&result.address, entry->ai_addr, entry->ai_addrlen);
        result.length = static_cast<std::uint32_t>(entry->ai_addrlen);
        results.push_back(result);
    }
    freeaddrinfo(list);
    return results;
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
    auto numeric = SystemLookup(host, service, hints, AI_NUMERICHOST);
    if (!numeric.empty())
        return numeric;
    if (!resolver)
        return {};

    auto pending = std::make_shared<PendingLookup>();
    try {
        std::thread([pending, lookup = resolver, host, service, hints] {
            auto results = lookup(host, service, hints);
            std::lock_guard lock(pending->mutex);
            pending->results = std::move(results);
            pending->finished = true;
            pending->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return {};
    }
    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_for(lock, bound, [&] { return pending->finished; }))
        return {};
    return std::move(pending->results);
}

}
