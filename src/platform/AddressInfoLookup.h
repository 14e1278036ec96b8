#pragma once

#include "platform/NameLookup.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plintor::platform {

// The system's address-information lookup, written once for every form: each system names
// the list entry (addrinfo) and its fields alike and frees the list with its own call.
// `room` is the size of the system's largest socket address; entries without an address,
// or with a larger one, are left out.
template <class AddressInfo, class GetCall, class FreeCall>
std::vector<ResolvedAddress> LookUpAddressInfo(GetCall get, FreeCall release, const std::string& host,
                                               const std::string& service, const LookupHints& hints,
                                               int flags, std::size_t room)
{
    AddressInfo want{};
    want.ai_family = hints.family;
    want.ai_socktype = hints.socketType;
    want.ai_protocol = hints.protocol;
    want.ai_flags = flags;
    AddressInfo* list = nullptr;
    if (get(host.c_str(), service.empty() ? nullptr : service.c_str(), &want, &list) != 0)
        return {};
    std::vector<ResolvedAddress> results;
    for (const AddressInfo* entry = list; entry; entry = entry->ai_next) {
        if (!entry->ai_addr || entry->ai_addrlen > room)
            continue;
        results.push_back(ResolvedAddressOf(entry->ai_family, entry->ai_socktype, entry->ai_protocol,
                                            entry->ai_addr, static_cast<std::uint32_t>(entry->ai_addrlen)));
    }
    release(list);
    return results;
}

}
