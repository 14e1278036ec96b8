#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace plintor::platform {

// Where a DNS-SD service lives: the numeric address its host resolved to (an IPv6
// link-local address with its scope, "fe80::1%eth0") and its port.
struct ServiceLocation {
    std::string host;
    int port = 0;
};

// The service named by a dnssd:// device URI ("dnssd://Office%20MFP._ipp._tcp.local/?uuid=..."),
// as the system's mDNS responder resolves it. Nothing when the URI names no service, when no
// responder runs, or when the answer does not come within `bound`. A lookup that outlasts
// the bound is abandoned and ends by itself in the background.
std::optional<ServiceLocation> ResolveServiceUri(const std::string& uri, std::chrono::milliseconds bound);

}
