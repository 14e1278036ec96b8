#pragma once

#include "discovery/SnmpAnswer.h"

#include <memory>
#include <string>

namespace plintor {

class SnmpClient;
struct DiscoveryContext;

inline constexpr const char* kSysObjectIdOid = "1.3.6.1.2.1.1.2.0";
inline constexpr const char* kIfPhysAddressOid = "1.3.6.1.2.1.2.2.1.6.1";

// Support codes of the network, USB and typed-address checks.
enum SupportCode { kSupported = 0, kNotSupported = 1, kNoWirelessModule = 2, kNoAnswer = 3 };

// The answers of one discovery pass.
struct DiscoveryPass {
    SnmpAnswer answers[65];
    int routeAdded = 0;
    int answerIndex = 0;
    int answerCount = 0;
};

// One pass: kind 1 broadcasts over IPv4, kind 2 multicasts over IPv6; each answer is
// completed with the printer's MAC. Returns the number of answers kept in pass.answers.
int RunDiscoveryPass(int kind, DiscoveryPass& pass, const DiscoveryContext& context);

// The MAC of the client's current answer, by a unicast request; 1 with answer filled.
int GetMac(SnmpClient& client, SnmpAnswer& answer);

// Whether an answer names a supported model (and, when asked for, has a wireless module).
int CheckAnswer(const SnmpAnswer& answer, const DiscoveryContext& context);

// Fills context.printers (cleared by the caller) from both passes, merged by MAC and sorted
// by MAC; holds the spooler queues of each printer taken. Returns the number of entries.
int DiscoverNetwork(const DiscoveryContext& context);

}
