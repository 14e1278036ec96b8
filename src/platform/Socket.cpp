#include "platform/Socket.h"

namespace plintor::platform {

std::vector<ResolvedAddress> ResolveStream(std::string_view host, const std::string& service,
                                           std::chrono::milliseconds bound)
{
    while (!host.empty() && (host.front() == ' ' || host.front() == '\t'))
        host.remove_prefix(1);
    while (!host.empty() && (host.back() == ' ' || host.back() == '\t'))
        host.remove_suffix(1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    if (host.empty() || host.find('\0') != std::string_view::npos)
        return {};
    return CNameLookup().Resolve(std::string(host), service, StreamLookupHints(), bound);
}

}
