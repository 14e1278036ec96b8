#include "SnmpAgent.h"

#include "discovery/SnmpCodec.h"
#include "discovery/SnmpSession.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

namespace plintor {

namespace {

constexpr int kPollMilliseconds = 100; // how soon Stop is noticed

const std::int32_t kSysObjectIdName[] = {1, 3, 6, 1, 2, 1, 1, 2, 0};
const std::int32_t kIfPhysAddressName[] = {1, 3, 6, 1, 2, 1, 2, 2, 1, 6, 1};

struct FaultName {
    const char* name;
    SnmpAgentFault fault;
};

const FaultName kFaults[] = {
    {"none", SnmpAgentFault::None},
    {"wrong-request-id", SnmpAgentFault::WrongRequestId},
    {"trailing-bytes", SnmpAgentFault::TrailingBytes},
    {"short-mac", SnmpAgentFault::ShortMac},
    {"no-mac-answer", SnmpAgentFault::NoMacAnswer},
    {"counter64", SnmpAgentFault::Counter64},
    {"junk", SnmpAgentFault::Junk},
    {"silent", SnmpAgentFault::Silent},
};

bool ParseMac(const char* text, std::uint8_t* mac)
{
    if (std::strlen(text) != 12)
        return false;
    for (int i = 0; i < 6; ++i) {
        unsigned v = 0;
        char pair[3] = {text[2 * i], text[2 * i + 1], 0};
        char* end = nullptr;
        v = static_cast<unsigned>(std::strtoul(pair, &end, 16));
        if (!end || *end != '\0' || !std::isxdigit(static_cast<unsigned char>(pair[0]))
            || !std::isxdigit(static_cast<unsigned char>(pair[1])))
            return false;
        mac[i] = static_cast<std::uint8_t>(v);
    }
    return true;
}

// Offset of the PDU tag in a message whose header, version and community are well formed;
// 0 if they are not.
std::size_t PduTagOffset(const std::uint8_t* bytes, std::size_t length)
{
    std::size_t p = 0;
    auto skipLength = [&](bool content) -> bool {
        if (p >= length)
            return false;
        std::size_t n = bytes[p++];
        if (n == 0x81 || n == 0x82) {
            std::size_t count = n & 0x7F;
            n = 0;
            for (std::size_t i = 0; i < count; ++i) {
                if (p >= length)
                    return false;
                n = (n << 8) | bytes[p++];
            }
        } else if (n >= 0x80) {
            return false;
        }
        if (content)
            p += n;
        return p <= length;
    };
    if (length < 2 || bytes[p++] != 0x30 || !skipLength(false))
        return 0;
    if (p >= length || bytes[p++] != 0x02 || !skipLength(true))
        return 0;
    if (p >= length || bytes[p++] != 0x04 || !skipLength(true))
        return 0;
    return p < length ? p : 0;
}

bool SameName(const SnmpVarBind& bind, const std::int32_t* name, std::size_t arcs)
{
    return bind.nameLength == static_cast<std::int16_t>(4 * arcs)
        && std::memcmp(bind.name, name, 4 * arcs) == 0;
}

}

bool ParseSnmpPort(const std::string& text, SnmpAgentOptions& options)
{
    char* end = nullptr;
    long port = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || !end || *end != '\0' || port < 0 || port > 65535)
        return false;
    options.port = static_cast<std::uint16_t>(port);
    options.portGiven = true;
    return true;
}

bool ParseSnmpMac(const std::string& text, SnmpAgentOptions& options)
{
    return ParseMac(text.c_str(), options.mac);
}

bool ParseSnmpFault(const std::string& text, SnmpAgentOptions& options)
{
    for (const FaultName& f : kFaults) {
        if (text == f.name) {
            options.fault = f.fault;
            return true;
        }
    }
    return false;
}

const char* SnmpFaultNames()
{
    return "none, wrong-request-id, trailing-bytes, short-mac, no-mac-answer, counter64, junk, silent";
}

CSnmpAgent::CSnmpAgent(SnmpAgentOptions options, LogFunction log)
    : options(std::move(options)), log(std::move(log))
{
}

CSnmpAgent::~CSnmpAgent()
{
    Stop();
}

bool CSnmpAgent::Start(std::string& error)
{
    // The IPv4 socket picks the port; the IPv6 one takes the same number.
    socket4 = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (socket4 >= 0) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(options.port);
        socklen_t length = sizeof a;
        if (bind(socket4, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
            || getsockname(socket4, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
            error = std::string("SNMP: cannot bind UDP port: ") + std::strerror(errno);
            ::close(socket4);
            socket4 = -1;
            return false;
        }
        port = ntohs(a.sin_port);
    }
    socket6 = ::socket(AF_INET6, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (socket6 >= 0) {
        int on = 1;
        setsockopt(socket6, IPPROTO_IPV6, IPV6_V6ONLY, &on, sizeof on);
        sockaddr_in6 a{};
        a.sin6_family = AF_INET6;
        a.sin6_port = htons(socket4 >= 0 ? port : options.port);
        socklen_t length = sizeof a;
        if (bind(socket6, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
            || getsockname(socket6, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
            ::close(socket6);
            socket6 = -1;
        } else if (socket4 < 0) {
            port = ntohs(a.sin6_port);
        }
    }
    if (socket4 < 0 && socket6 < 0) {
        error = "SNMP: no UDP socket";
        return false;
    }
    stopping = false;
    worker = std::thread([this] { Serve(); });
    return true;
}

void CSnmpAgent::Stop()
{
    stopping = true;
    if (worker.joinable())
        worker.join();
    if (socket4 >= 0)
        ::close(socket4);
    if (socket6 >= 0)
        ::close(socket6);
    socket4 = socket6 = -1;
}

std::string CSnmpAgent::Answer(const std::uint8_t* bytes, std::size_t length)
{
    if (options.fault == SnmpAgentFault::Silent || length > SnmpLimits::kDatagramSize)
        return {};
    // The decoder reads answers only; read the request in the layout of an answer.
    std::size_t tagAt = PduTagOffset(bytes, length);
    if (tagAt == 0 || bytes[tagAt] != SnmpTag::GetRequest)
        return {};
    std::uint8_t copy[SnmpLimits::kDatagramSize];
    std::memcpy(copy, bytes, length);
    copy[tagAt] = SnmpTag::GetResponse;
    auto message = std::make_unique<SnmpMessage>();
    ClearMessage(*message);
    if (DecodeMessage(copy, length, *message) != 0 || message->pdu.varBindCount < 1)
        return {};

    bool known = false;
    for (int i = 0; i < message->pdu.varBindCount; ++i) {
        SnmpVarBind& bind = message->pdu.varBinds[i];
        std::memset(bind.value, 0, sizeof bind.value);
        if (SameName(bind, kSysObjectIdName, std::size(kSysObjectIdName))) {
            int firstLength = 0;
            std::int32_t arcs[kSnmpMaxArcs] = {};
            int count = SnmpParseOid(options.sysObjectId.c_str(), arcs, firstLength);
            bind.valueType = SnmpTag::ObjectId;
            bind.valueLength = static_cast<std::int16_t>(4 * count);
            std::memcpy(bind.value, arcs, sizeof arcs);
            known = true;
        } else if (SameName(bind, kIfPhysAddressName, std::size(kIfPhysAddressName))) {
            if (options.fault == SnmpAgentFault::NoMacAnswer)
                return {};
            bind.valueType = SnmpTag::OctetString;
            bind.valueLength = options.fault == SnmpAgentFault::ShortMac ? 5 : 6;
            std::memcpy(bind.value, options.mac, 6);
            known = true;
        } else {
            bind.valueType = SnmpTag::Null;
            bind.valueLength = 0;
        }
        if (options.fault == SnmpAgentFault::Counter64) {
            bind.valueType = SnmpTag::Counter64;
            bind.valueLength = 0;
        }
    }
    if (options.fault == SnmpAgentFault::WrongRequestId)
        message->pdu.requestId += 1;

    // Encode in the request layout, then mark it as an answer.
    message->pduType = kSnmpGetRequest;
    static thread_local std::uint8_t out[kSnmpEncodeBufferSize];
    std::size_t n = EncodeMessage(*message, out);
    std::size_t outTag = PduTagOffset(out, n);
    if (outTag == 0)
        return {};
    out[outTag] = SnmpTag::GetResponse;
    if (!known) {
        // noSuchName (2) in the error status, which follows the request id.
        std::size_t requestIdAt = outTag + ((out[outTag + 1] & 0x80) ? 2 + (out[outTag + 1] & 0x7F) : 2);
        std::size_t statusAt = requestIdAt + 2 + out[requestIdAt + 1];
        if (statusAt + 2 < n)
            out[statusAt + 2] = 2;
    }
    std::string answer(reinterpret_cast<const char*>(out), n);
    if (options.fault == SnmpAgentFault::TrailingBytes)
        answer.append(2, '\0');
    return answer;
}

void CSnmpAgent::Serve()
{
    pollfd polls[2];
    int count = 0;
    if (socket4 >= 0)
        polls[count++] = pollfd{socket4, POLLIN, 0};
    if (socket6 >= 0)
        polls[count++] = pollfd{socket6, POLLIN, 0};
    std::uint8_t datagram[SnmpLimits::kDatagramSize + 1];
    while (!stopping) {
        int ready = poll(polls, static_cast<nfds_t>(count), kPollMilliseconds);
        if (ready <= 0)
            continue;
        for (int i = 0; i < count; ++i) {
            if (!(polls[i].revents & POLLIN))
                continue;
            sockaddr_storage from{};
            socklen_t fromLength = sizeof from;
            ssize_t n = recvfrom(polls[i].fd, datagram, sizeof datagram, MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (n < 0)
                continue;
            char who[128] = "?";
            getnameinfo(reinterpret_cast<sockaddr*>(&from), fromLength, who, sizeof who, nullptr,
                        0, NI_NUMERICHOST | NI_NUMERICSERV);
            std::string answer = Answer(datagram, static_cast<std::size_t>(n));
            if (log) {
                char line[256];
                std::snprintf(line, sizeof line, "SNMP request from %s, %zd bytes, %s", who, n,
                              answer.empty() ? "not answered" : "answered");
                log(line);
            }
            if (answer.empty())
                continue;
            if (options.fault == SnmpAgentFault::Junk) {
                static const char junk[] = "\x30\x82\xff\xff junk that is no message";
                sendto(polls[i].fd, junk, sizeof junk - 1, 0, reinterpret_cast<sockaddr*>(&from),
                       fromLength);
                sendto(polls[i].fd, answer.data(), answer.size() / 2, 0,
                       reinterpret_cast<sockaddr*>(&from), fromLength);
            }
            sendto(polls[i].fd, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from),
                   fromLength);
        }
    }
}

}
