#include "discovery/SnmpSession.h"

#include "channel/ChannelBounds.h"
#include "discovery/SnmpCodec.h"
#include "platform/Datagram.h"
#include "platform/Ipv4Address.h"
#include "platform/NameLookup.h"
#include "platform/NetInterfaces.h"
#include "platform/TestOverrides.h"

#include <chrono>
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
// Sockets are non-blocking (platform/Datagram.h); every wait is bounded by SnmpLimits.

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

using platform::DatagramSocket;
using platform::kNoDatagramSocket;

constexpr std::chrono::milliseconds kWaitPeriod{SnmpLimits::kWaitMilliseconds};

bool AddOutlet(SnmpSession& s, DatagramSocket socket, const platform::ResolvedAddress& destination)
{
    if (s.outletCount >= SnmpLimits::kMaxOutlets)
        return false;
    SnmpOutlet& o = s.outlets[s.outletCount++];
    o.socket = socket;
    o.destination = destination;
    return true;
}

bool OpenBroadcastOutlets(SnmpSession& s)
{
    for (const platform::NetInterface& i : platform::ListExternalInterfaces()) {
        if (!i.hasIpv4 || !i.hasIpv4Broadcast)
            continue;
        const platform::ResolvedAddress local = platform::Ipv4DatagramAddress(i.ipv4, 0);
        DatagramSocket socket = platform::OpenDatagramSocket(local);
        if (socket == kNoDatagramSocket)
            continue;
        int error = 0;
        if (!platform::BindDatagramSocket(socket, local, error)) {
            platform::CloseDatagramSocket(socket, platform::DatagramClose::Graceful);
            continue;
        }
        if (!AddOutlet(s, socket, platform::Ipv4DatagramAddress(0xFFFFFFFFu, s.port))) {
            platform::CloseDatagramSocket(socket, platform::DatagramClose::Graceful);
            break;
        }
    }
    return s.outletCount > 0;
}

int OpenMulticastOutlets(SnmpSession& s)
{
    const platform::ResolvedAddress local = platform::Ipv6DatagramAddress("::", s.port, 0);
    DatagramSocket socket = platform::OpenDatagramSocket(local);
    if (socket == kNoDatagramSocket)
        return 0;
    if (!platform::BindDatagramSocket(socket, local, s.platformError)) {
        s.errorKind = kSnmpErrorBind;
        platform::CloseDatagramSocket(socket, platform::DatagramClose::Graceful);
        return 0;
    }
    platform::SetIpv6MulticastLoop(socket, false);
    for (const platform::NetInterface& i : platform::ListExternalInterfaces()) {
        if (!i.hasIpv6 || !i.multicast)
            continue;
        if (!AddOutlet(s, socket, platform::Ipv6DatagramAddress(kSnmpMulticastTarget, s.port, i.index)))
            break;
    }
    if (s.outletCount == 0) {
        // No interface to send on: the request has nowhere to go.
        platform::CloseDatagramSocket(socket, platform::DatagramClose::Graceful);
        return 0;
    }
    return 1;
}

int OpenResolvedOutlet(SnmpSession& s)
{
    char service[8];
    std::snprintf(service, sizeof service, "%u", static_cast<unsigned>(s.port));
    auto results = platform::CNameLookup().Resolve(s.target, service, platform::DatagramLookupHints(),
                                                   ChannelBounds{}.resolve);
    int taken = 0;
    for (const platform::ResolvedAddress& r : results) {
        if (taken)
            break;
        DatagramSocket socket = platform::OpenDatagramSocket(r);
        if (socket == kNoDatagramSocket)
            continue;
        AddOutlet(s, socket, r);
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
    s.destination = s.outlets[0].destination;
    s.errorKind = kSnmpErrorNone;
    return 1;
}

// The distinct sockets of the outlets (a multicast send shares one socket).
int UniqueSockets(const SnmpSession& s, DatagramSocket* out)
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
    DatagramSocket sockets[SnmpLimits::kMaxOutlets];
    int count = UniqueSockets(s, sockets);
    for (int i = 0; i < count; ++i)
        platform::CloseDatagramSocket(sockets[i], s.errorKind != kSnmpErrorNone ? platform::DatagramClose::Abort
                                                                                : platform::DatagramClose::Graceful);
    s.outletCount = 0;
    s.socket = kNoDatagramSocket;
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

void SendRequest(SnmpSession& s)
{
    for (int i = 0; i < s.outletCount; ++i) {
        const SnmpOutlet& o = s.outlets[i];
        int error = platform::SendDatagram(o.socket, {s.requestBytes, s.requestLength}, o.destination,
                                           SnmpLimits::kWaitPeriods * kWaitPeriod);
        if (error != 0) {
            s.errorOperation = kSnmpOperationSend;
            s.platformError = error;
            s.sendError = error;
        } else {
            ++s.sentCount;
        }
    }
}

// Takes one decoded response into the next answer slot; false if it is not taken.
bool StoreAnswer(SnmpSession& s, const platform::ResolvedAddress& from, int index)
{
    SnmpAnswerSlot& slot = s.answers[index];
    char address[sizeof slot.address];
    CopyText(address, sizeof address, platform::DatagramSenderText(from).c_str());
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
    DatagramSocket sockets[SnmpLimits::kMaxOutlets];
    int socketCount = UniqueSockets(s, sockets);
    static thread_local std::uint8_t datagram[SnmpLimits::kDatagramSize];

    for (int attempt = 0; attempt < SnmpLimits::kReceiveAttempts; ++attempt) {
        long n = -1;
        platform::ResolvedAddress from;
        for (int f = 0; f < socketCount && n < 0; ++f)
            n = platform::ReceiveDatagram(sockets[f], datagram, from);
        if (n < 0) {
            const std::span<const DatagramSocket> waitOn(sockets, static_cast<std::size_t>(socketCount));
            int ready = 0;
            for (int period = 0; period < SnmpLimits::kWaitPeriods && ready == 0; ++period)
                ready = platform::WaitForDatagrams(waitOn, kWaitPeriod);
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
        if (!StoreAnswer(s, from, index))
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

}

void SnmpSessionReset(SnmpSession& session)
{
    // A block of plain data (its addresses are plain bytes too), cleared in place rather than
    // through a temporary as large as itself.
    std::memset(static_cast<void*>(&session), 0, sizeof session);
    session.socket = kNoDatagramSocket;
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

    const std::string name = platform::WorkstationHostName();
    if (name.empty()) {
        s.errorOperation = kSnmpOperationHostName;
        return 0;
    }
    CopyText(s.hostName, sizeof s.hostName, name.c_str());
    if (char* dot = std::strchr(s.hostName, '.'))
        *dot = '\0';

    // The host name usually resolves to 127.0.0.1 or 127.0.1.1 from /etc/hosts, or to
    // nothing; loopback is not the workstation's own address, so then the first IPv4
    // address of an interface that is up and not loopback stands in for it.
    bool resolved = false;
    std::uint32_t address = 0;
    auto results = platform::CNameLookup().Resolve(name, {}, platform::Ipv4LookupHints(), ChannelBounds{}.resolve);
    if (!results.empty() && platform::Ipv4OfAddress(results.front(), address))
        resolved = true;
    if (!resolved || platform::IsLoopbackIpv4(address)) {
        std::uint32_t found = 0;
        for (const platform::NetInterface& i : platform::ListExternalInterfaces()) {
            if (i.hasIpv4 && !platform::IsLoopbackIpv4(i.ipv4)) {
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
