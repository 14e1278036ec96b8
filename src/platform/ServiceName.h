#pragma once

// The DNS-SD service that a dnssd:// device URI names, read alike by both forms of
// ServiceResolve.cpp; the spooler upkeep decodes its device URIs with PercentDecoded.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <string>

namespace plintor::platform::service_name {

// The parts of a service instance name "NAME._TYPE._tcp.DOMAIN".
struct ServiceName {
    std::string name, type, domain;
};

// The %XX escapes of a device URI part decoded; other characters as they are.
inline std::string PercentDecoded(const std::string& text)
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
inline std::optional<ServiceName> ServiceOfUri(const std::string& uri)
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

}
