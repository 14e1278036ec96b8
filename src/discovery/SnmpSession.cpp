#include "discovery/SnmpSession.h"

#include "channel/ChannelBounds.h"
#include "discovery/SnmpCodec.h"
#include "platform/NameLookup.h"
#include "platform/NetInterfaces.h"
#include "platform/TestOverrides.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// One SNMP exchange is one GetRequest and the collection of every answer that arrives
// until the line has been quiet for two one-second periods.
//
// A unicast target is resolved and sent to with one socket. The two group targets need
// more on Linux, because the routing table decides where a datagram leaves:
// - "255.255.255.255" leaves only by the interface of the default route, and not at all
//   without one. The request therefore goes out once per interface that is up, is not
//   loopback and has an IPv4 broadcast address, from a socket bound to that interface's
//   address (the kernel sends a limited broadcast from the interface that owns the
//   source address). An agent that answers on two of those sockets counts once.
// - "ff02::1" needs an outgoing interface: one socket, bound to port 161 as agents
//   expect, sends to ff02::1 scoped to each interface that is up, is not loopback and
//   has IPv6. Multicast loop is off, and our own request would not decode as a
//   response anyway.
// Sockets are non-blocking; every wait is a poll bounded by SnmpLimits.

namespace plintor {

namespace {

void CopyText(char* out, std::size_t size, const char* text)
{
    if (size == 0)
        return;
    std::size_t n = text ? strnlen(text, size - 1) : 0;
    if (n)
        std::memcpy(out, text, n);
    out[n] = '\0';
}

bool SetNonBlocking(int fd, bool on)
{
    int flags = fcntl(fd, F_GETFL, 0);
    if (flags < 0)
        return false;
    flags = on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
    return fcntl(fd, F_SETFL, flags) == 0;
}

int OpenDatagramSocket(int family, int type, int protocol)
{
    int fd = ::socket(family, type | SOCK_CLOEXEC, protocol);
    if (fd < 0)
        return -1;
    int on = 1;
    if (!SetNonBlocking(fd, true) || setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool AddOutlet(SnmpSession& s, int fd, const void* address, socklen_t length)
{
    if (s.outletCount >= SnmpLimits::kMaxOutlets)
        return false;
    SnmpOutlet& o = s.outlets[s.outletCount++];
    o.socket = fd;
    std::memset(&o.destination, 0, sizeof o.destination);
    std::memcpy(&o.destination, address, length);
    o.destinationLength = length;
    return true;
}

bool OpenBroadcastOutlets(SnmpSession& s)
{
    for (const platform::NetInterface& i : platform::ListExternalInterfaces()) {
        if (!i.hasIpv4 || !i.hasIpv4Broadcast)
            continue;
        int fd = OpenDatagramSocket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        if (fd < 0)
            continue;
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = i.ipv4;
        if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
            ::close(fd);
            continue;
        }
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(s.port);
        to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
        if (!AddOutlet(s, fd, &to, sizeof to)) {
            ::close(fd);
            break;
        }
    }
    return s.outletCount > 0;
}

int OpenMulticastOutlets(SnmpSession& s)
{
    int fd = OpenDatagramSocket(AF_INET6, SOCK_DGRAM, IPPROTO_UDP);
    if (fd < 0)
        return 0;
    sockaddr_in6 local{};
    local.sin6_family = AF_INET6;
    local.sin6_port = htons(s.port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        s.errorKind = kSnmpErrorBind;
        s.platformError = errno;
        ::close(fd);
        return 0;
    }
    int off = 0;
    setsockopt(fd, IPPROTO_IPV6, IPV6_MULTICAST_LOOP, &off, sizeof off);
    sockaddr_in6 to{};
    to.sin6_family = AF_INET6;
    to.sin6_port = htons(s.port);
    inet_pton(AF_INET6, kSnmpMulticastTarget, &to.sin6_addr);
    for (const platform::NetInterface& i : platform::ListExternalInterfaces()) {
        if (!i.hasIpv6 || !i.multicast)
            continue;
        to.sin6_scope_id = i.index;
        if (!AddOutlet(s, fd, &to, sizeof to))
            break;
    }
    if (s.outletCount == 0) {
        // No interface to send on: the request has nowhere to go.
        ::close(fd);
        return 0;
    }
    return 1;
}

int OpenResolvedOutlet(SnmpSession& s)
{
    char service[8];
    std::snprintf(service, sizeof service, "%u", static_cast<unsigned>(s.port));
    platform::LookupHints hints;
    hints.socketType = SOCK_DGRAM;
    hints.protocol = IPPROTO_UDP;
    auto results = platform::CNameLookup().Resolve(s.target, service, hints, ChannelBounds{}.resolve);
    int taken = 0;
    for (const platform::ResolvedAddress& r : results) {
        if (taken)
            break;
        int fd = OpenDatagramSocket(r.family, r.socketType, r.protocol);
        if (fd < 0)
            continue;
        AddOutlet(s, fd, reinterpret_cast<const sockaddr*>(&r.address), r.length);
        taken = 1;
    }
    return taken;
}

int OpenSockets(SnmpSession& s)
{
    s.outletCount = 0;
    s.errorKind = kSnmpErrorNone;
    int opened = 0;
    if (s.targetKind == SnmpTargetKind::Broadcast && !s.plainGroupTarget)
        opened = OpenBroadcastOutlets(s) ? 1 : OpenResolvedOutlet(s);
    else if (s.targetKind == SnmpTargetKind::Multicast && !s.plainGroupTarget)
        opened = OpenMulticastOutlets(s);
    else
        opened = OpenResolvedOutlet(s);
    if (!opened)
        return 0;
    s.socket = s.outlets[0].socket;
    std::memcpy(&s.destination, &s.outlets[0].destination, sizeof s.destination);
    s.destinationLength = s.outlets[0].destinationLength;
    s.errorKind = kSnmpErrorNone;
    return 1;
}

// The distinct sockets of the outlets (a multicast send shares one socket).
int UniqueSockets(const SnmpSession& s, int* out)
{
    int count = 0;
    for (int i = 0; i < s.outletCount; ++i) {
        bool seen = false;
        for (int j = 0; j < count; ++j)
            seen = seen || out[j] == s.outlets[i].socket;
        if (!seen)
            out[count++] = s.outlets[i].socket;
    }
    return count;
}

void CloseSockets(SnmpSession& s)
{
    int fds[SnmpLimits::kMaxOutlets];
    int count = UniqueSockets(s, fds);
    for (int i = 0; i < count; ++i) {
        SetNonBlocking(fds[i], false);
        if (s.errorKind != kSnmpErrorNone) {
            linger abortive{1, 0};
            setsockopt(fds[i], SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        }
        ::close(fds[i]);
    }
    s.outletCount = 0;
    s.socket = -1;
}

void BuildRequest(SnmpSession& s)
{
    ClearMessage(s.request);
    s.request.version = 0;
    CopyText(s.request.community, sizeof s.request.community, "public");
    s.request.pduType = kSnmpGetRequest;
    s.request.pdu.requestId = 1;
    s.request.pdu.varBindCount = 1;
    SnmpVarBind& bind = s.request.pdu.varBinds[0];
    int firstArcLength = 0;
    int arcs = SnmpParseOid(s.oidText, bind.name, firstArcLength);
    bind.nameLength = static_cast<std::int16_t>(4 * arcs);
    bind.valueType = static_cast<std::uint8_t>(s.valueType);
    bind.valueLength = static_cast<std::int16_t>(firstArcLength);
    s.requestLength = EncodeMessage(s.request, s.requestBytes);
}

bool WaitFor(int fd, short events, int periods)
{
    for (int i = 0; i < periods; ++i) {
        pollfd p{fd, events, 0};
        int r = poll(&p, 1, SnmpLimits::kWaitMilliseconds);
        if (r != 0)
            return r > 0;
    }
    return false;
}

void SendRequest(SnmpSession& s)
{
    for (int i = 0; i < s.outletCount; ++i) {
        const SnmpOutlet& o = s.outlets[i];
        auto send = [&] {
            return sendto(o.socket, s.requestBytes, s.requestLength, 0,
                          reinterpret_cast<const sockaddr*>(&o.destination), o.destinationLength);
        };
        ssize_t sent = send();
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)
            && WaitFor(o.socket, POLLOUT, SnmpLimits::kWaitPeriods))
            sent = send();
        if (sent < 0) {
            s.errorOperation = kSnmpOperationSend;
            s.platformError = errno;
            s.sendError = errno;
        } else {
            ++s.sentCount;
        }
    }
}

void SenderText(const sockaddr_storage& from, socklen_t length, char* out, std::size_t size)
{
    out[0] = '\0';
    if (getnameinfo(reinterpret_cast<const sockaddr*>(&from), length, out,
                    static_cast<socklen_t>(size), nullptr, 0, NI_NUMERICHOST) == 0)
        return;
    if (from.ss_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(&from)->sin_addr, out,
                  static_cast<socklen_t>(size));
}

// Takes one decoded response into the next answer slot; false if it is not taken.
bool StoreAnswer(SnmpSession& s, const sockaddr_storage& from, socklen_t fromLength, int index)
{
    SnmpAnswerSlot& slot = s.answers[index];
    char address[sizeof slot.address];
    SenderText(from, fromLength, address, sizeof address);
    if (s.targetKind != SnmpTargetKind::Unicast) {
        for (int i = 0; i < index; ++i)
            if (std::strcmp(s.answers[i].address, address) == 0)
                return false; // the same agent heard on a second interface
    }
    std::memset(&slot, 0, sizeof slot);
    std::memcpy(slot.address, address, sizeof slot.address);

    const SnmpVarBind& bind = s.response.pdu.varBinds[0];
    if (s.valueType == SnmpTag::OctetString) {
        int n = bind.valueLength < 0 ? 0 : bind.valueLength;
        if (n > SnmpLimits::kOctetCopyMax)
            n = SnmpLimits::kOctetCopyMax;
        std::memcpy(slot.value, bind.value, static_cast<std::size_t>(n));
        slot.valueLength = n;
    }
    std::int32_t arcs[kSnmpMaxArcs];
    std::memcpy(arcs, bind.value, sizeof arcs);
    char text[kSnmpOidTextSize];
    int textLength = bind.valueLength;
    OidToText(arcs, textLength, text, sizeof text);
    if (s.valueType == SnmpTag::ObjectId) {
        CopyText(reinterpret_cast<char*>(slot.value), sizeof slot.value, text);
        slot.valueLength = textLength;
    } else if (s.valueType == SnmpTag::Integer) {
        slot.integerValue = static_cast<std::int32_t>(std::strtol(text, nullptr, 10));
    }
    return true;
}

void CollectAnswers(SnmpSession& s)
{
    ClearMessage(s.response);
    s.answerStored = 0;
    int index = 0;
    int fds[SnmpLimits::kMaxOutlets];
    int fdCount = UniqueSockets(s, fds);
    static thread_local std::uint8_t datagram[SnmpLimits::kDatagramSize];

    for (int attempt = 0; attempt < SnmpLimits::kReceiveAttempts; ++attempt) {
        ssize_t n = -1;
        sockaddr_storage from{};
        socklen_t fromLength = 0;
        for (int f = 0; f < fdCount && n < 0; ++f) {
            fromLength = sizeof from;
            n = recvfrom(fds[f], datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from),
                         &fromLength);
        }
        if (n < 0) {
            pollfd polls[SnmpLimits::kMaxOutlets];
            for (int f = 0; f < fdCount; ++f)
                polls[f] = pollfd{fds[f], POLLIN, 0};
            int ready = 0;
            for (int period = 0; period < SnmpLimits::kWaitPeriods && ready == 0; ++period)
                ready = poll(polls, static_cast<nfds_t>(fdCount), SnmpLimits::kWaitMilliseconds);
            if (ready == 0) {
                s.errorKind = kSnmpErrorTimeout;
                s.errorOperation = kSnmpOperationReceive;
                break;
            }
            continue;
        }
        // A datagram larger than the area is cut by the receive and then fails to decode.
        ClearMessage(s.response);
        if (DecodeMessage(datagram, static_cast<std::size_t>(n), s.response) != 0)
            continue;
        if (s.response.pduType != kSnmpGetResponse
            || s.response.pdu.requestId != s.request.pdu.requestId)
            continue;
        if (!StoreAnswer(s, from, fromLength, index))
            continue;
        s.answerStored = 1;
        ++index;
        if (index >= SnmpLimits::kMaxAnswers || s.targetKind == SnmpTargetKind::Unicast)
            break;
    }
    s.answerCount = index;
    if (index > 1)
        SnmpSortAnswers(s.answers, index);
}

bool IsLoopback(std::uint32_t networkOrder)
{
    return (ntohl(networkOrder) >> 24) == 127;
}

}

void SnmpSessionReset(SnmpSession& session)
{
    std::memset(&session, 0, sizeof session);
    session.socket = -1;
    session.port = 161;
}

int SnmpParseOid(const char* text, std::int32_t* arcs, int& firstArcLength)
{
    int count = 0;
    firstArcLength = 0;
    const char* p = text;
    auto separator = [](char c) { return c == '.' || c == ',' || c == ' ' || c == '\t'; };
    while (*p && count < kSnmpMaxArcs) {
        while (*p && separator(*p))
            ++p;
        if (!*p)
            break;
        const char* start = p;
        while (*p && !separator(*p))
            ++p;
        char piece[32];
        std::size_t n = static_cast<std::size_t>(p - start);
        if (n >= sizeof piece)
            n = sizeof piece - 1;
        std::memcpy(piece, start, n);
        piece[n] = '\0';
        if (count == 0)
            firstArcLength = static_cast<int>(p - start);
        arcs[count++] = static_cast<std::int32_t>(std::strtol(piece, nullptr, 10));
    }
    return count;
}

void SnmpSortAnswers(SnmpAnswerSlot* answers, int count)
{
    for (int k = 0; k + 1 < count; ++k) {
        for (int j = k + 1; j < count; ++j) {
            const auto* a = reinterpret_cast<const unsigned char*>(answers[k].address);
            const auto* b = reinterpret_cast<const unsigned char*>(answers[j].address);
            std::size_t length = strnlen(answers[k].address, sizeof answers[k].address);
            for (std::size_t i = 0; i < length && b[i] != 0; ++i) {
                if (a[i] != b[i]) {
                    if (b[i] < a[i]) {
                        SnmpAnswerSlot held = answers[k];
                        answers[k] = answers[j];
                        answers[j] = held;
                    }
                    break;
                }
            }
        }
    }
}

int SnmpSessionSetup(SnmpSession& s, const char* target, const char* oidText, int valueType)
{
    CopyText(s.oidText, sizeof s.oidText, oidText);
    s.valueType = valueType;
    CopyText(s.target, sizeof s.target, (target && *target) ? target : kSnmpBroadcastTarget);

    platform::SnmpTestOverrides overrides = platform::ReadSnmpTestOverrides();
    s.port = overrides.port;
    s.plainGroupTarget = false;
    s.targetKind = SnmpTargetKind::Unicast;
    if (std::strcmp(s.target, kSnmpBroadcastTarget) == 0) {
        s.targetKind = SnmpTargetKind::Broadcast;
        if (!overrides.broadcastTarget.empty()) {
            CopyText(s.target, sizeof s.target, overrides.broadcastTarget.c_str());
            s.plainGroupTarget = true;
        }
    } else if (std::strcmp(s.target, kSnmpMulticastTarget) == 0) {
        s.targetKind = SnmpTargetKind::Multicast;
        if (!overrides.multicastTarget.empty()) {
            CopyText(s.target, sizeof s.target, overrides.multicastTarget.c_str());
            s.plainGroupTarget = true;
        }
    }

    char name[258] = {};
    if (gethostname(name, 257) != 0 || name[0] == '\0') {
        s.errorOperation = kSnmpOperationHostName;
        return 0;
    }
    name[257] = '\0';
    CopyText(s.hostName, sizeof s.hostName, name);
    if (char* dot = std::strchr(s.hostName, '.'))
        *dot = '\0';

    // The host name usually resolves to 127.0.0.1 or 127.0.1.1 from /etc/hosts, or to
    // nothing; loopback is not the workstation's own address, so then the first IPv4
    // address of an interface that is up and not loopback stands in for it.
    bool resolved = false;
    std::uint32_t address = 0;
    platform::LookupHints hints;
    hints.family = AF_INET;
    auto results = platform::CNameLookup().Resolve(name, {}, hints, ChannelBounds{}.resolve);
    if (!results.empty() && results.front().family == AF_INET) {
        address = reinterpret_cast<const sockaddr_in*>(&results.front().address)->sin_addr.s_addr;
        resolved = true;
    }
    if (!resolved || IsLoopback(address)) {
        std::uint32_t found = 0;
        for (const platform::NetInterface& i : platform::ListExternalInterfaces()) {
            if (i.hasIpv4 && !IsLoopback(i.ipv4)) {
                found = i.ipv4;
                break;
            }
        }
        if (!found && !resolved) {
            s.errorOperation = kSnmpOperationHostAddress;
            return 0;
        }
        address = found;
    }
    s.localAddress = address;
    return 1;
}

int SnmpSessionRun(SnmpSession& s)
{
    s.answerCount = 0;
    s.answerStored = 0;
    s.sentCount = 0;
    s.sendError = 0;
    if (s.startupFailed)
        return 0;
    if (!OpenSockets(s)) {
        CloseSockets(s);
        return 0;
    }
    BuildRequest(s);
    SendRequest(s);
    CollectAnswers(s);
    CloseSockets(s);
    return s.answerStored == 1 ? 1 : 0;
}

}
