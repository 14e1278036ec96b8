#include "PjlTcpService.h"

#include "PjlPeer.h"
#include "StandInPrinter.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plintor::printer {

CPjlTcpService::CPjlTcpService(CStandInPrinter& owner) : printer(owner) {}

CPjlTcpService::~CPjlTcpService()
{
    Stop();
}

void CPjlTcpService::Stop()
{
    peers.clear();
    for (int fd : listeners) {
        printer.Loop().Unwatch(fd);
        ::close(fd);
    }
    listeners.clear();
}

bool CPjlTcpService::Listen(const std::string& bind, int wantedPort, std::string& error)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    std::string host = bind;
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    // Every address: one IPv6 socket that takes IPv4 too, or an IPv4 one where IPv6 is off.
    std::vector<std::string> hosts;
    if (host.empty())
        hosts = {"::", "0.0.0.0"};
    else
        hosts = {host};
    std::string service = std::to_string(wantedPort);
    for (const auto& name : hosts) {
        addrinfo* list = nullptr;
        if (getaddrinfo(name.c_str(), service.c_str(), &hints, &list) != 0) {
            if (host.empty())
                continue;
            error = "cannot resolve " + name;
            return false;
        }
        int fd = -1;
        for (addrinfo* entry = list; entry && fd < 0; entry = entry->ai_next) {
            fd = ::socket(entry->ai_family, entry->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, entry->ai_protocol);
            if (fd < 0)
                continue;
            int one = 1;
            setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
            if (entry->ai_family == AF_INET6) {
                int v6only = host.empty() ? 0 : 1;
                setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &v6only, sizeof v6only);
            }
            if (::bind(fd, entry->ai_addr, entry->ai_addrlen) != 0 || ::listen(fd, 16) != 0) {
                ::close(fd);
                fd = -1;
            }
        }
        freeaddrinfo(list);
        if (fd < 0) {
            if (host.empty())
                continue;
            error = "cannot listen on " + name + " port " + service + ": " + std::strerror(errno);
            return false;
        }
        sockaddr_storage local{};
        socklen_t length = sizeof local;
        getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
        port = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                                 : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
        listeners.push_back(fd);
        printer.Loop().Watch(fd, POLLIN, [this, fd](short) { Accept(fd); });
        // The dual-stack socket already took IPv4.
        if (host.empty())
            break;
    }
    if (listeners.empty()) {
        error = "cannot listen on port " + service;
        return false;
    }
    return true;
}

void CPjlTcpService::Accept(int listener)
{
    while (true) {
        int fd = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        // Pieces of a split answer leave as separate segments.
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        std::uint64_t key = nextPeer++;
        peers[key] = std::make_unique<CPjlPeer>(printer, fd, CPjlPeer::Kind::Tcp, [this, key] {
            peers.erase(key);
        });
    }
}

}
