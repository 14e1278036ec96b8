#pragma once

#include "discovery/SnmpMessage.h"
#include "platform/Datagram.h"

#include <cstddef>
#include <cstdint>

namespace plintor {

// Bounds of one SNMP exchange, in one place.
namespace SnmpLimits {
inline constexpr int kWaitMilliseconds = 1000;  // one quiet period
inline constexpr int kWaitPeriods = 2;          // quiet periods that end the collection
inline constexpr int kReceiveAttempts = 256;
inline constexpr int kMaxAnswers = 64;
inline constexpr int kAnswerSlots = 65;
inline constexpr std::size_t kDatagramSize = 2048;
inline constexpr int kOctetCopyMax = 248;
inline constexpr int kMaxOutlets = 32;          // sockets or destinations of one group send
}

inline constexpr const char* kSnmpBroadcastTarget = "255.255.255.255";
inline constexpr const char* kSnmpMulticastTarget = "ff02::1";

struct SnmpAnswerSlot {
    char address[256];     // numeric host text of the sender
    std::uint8_t value[256]; // identifier text, or raw octets (at most 248)
    std::int32_t integerValue;
    std::int32_t valueLength; // characters of the text (may exceed what value holds), or octets
};

enum SnmpErrorKind { kSnmpErrorNone = 0, kSnmpErrorFailure = 1, kSnmpErrorBind = 4, kSnmpErrorTimeout = 5 };
enum SnmpErrorOperation {
    kSnmpOperationSend = 10,
    kSnmpOperationReceive = 11,
    kSnmpOperationHostName = 40,
    kSnmpOperationHostAddress = 41,
};

enum class SnmpTargetKind { Unicast, Broadcast, Multicast };

// One place a group request leaves from: a socket and the destination it sends to.
struct SnmpOutlet {
    platform::DatagramSocket socket;
    platform::ResolvedAddress destination;
};

// The state of one exchange: parameters, sockets, request, last response and answers.
// One block, owned by SnmpClient.
struct SnmpSession {
    int startupFailed;
    platform::DatagramSocket socket; // the first socket of the current exchange, or none
    int errorKind;
    int errorOperation;
    int platformError;
    std::uint16_t port;
    platform::ResolvedAddress destination;
    char target[256];
    SnmpTargetKind targetKind;
    bool plainGroupTarget; // a group kind reached at a plain address (test override)
    char hostName[258];
    std::uint32_t localAddress; // network byte order, 0 when the workstation has none
    char oidText[256];
    int valueType;
    SnmpMessage request;
    std::uint8_t requestBytes[1024];
    std::size_t requestLength;
    SnmpMessage response;
    SnmpAnswerSlot answers[SnmpLimits::kAnswerSlots];
    int answerCount;
    int answerStored;
    SnmpOutlet outlets[SnmpLimits::kMaxOutlets];
    int outletCount;
    int sentCount; // requests of the last Run that left; 0 with sendError: none could be sent
    int sendError; // system error of the last request that could not be sent, 0 when none failed
};

// The steps of one exchange over a session block.
void SnmpSessionReset(SnmpSession& session);
int SnmpSessionSetup(SnmpSession& session, const char* target, const char* oidText, int valueType);
int SnmpSessionRun(SnmpSession& session);

// Splits an identifier text at ".", ",", space and tab into at most 60 arcs; returns the
// number of arcs and the length of the first arc's text.
int SnmpParseOid(const char* text, std::int32_t* arcs, int& firstArcLength);

// Orders the answers by address text with the program's exchange sort.
void SnmpSortAnswers(SnmpAnswerSlot* answers, int count);

}
