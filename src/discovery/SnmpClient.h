#pragma once

#include "discovery/SnmpSession.h"

#include <cstdint>
#include <memory>

namespace plintor {

// The object through which discovery and identification make one SNMP exchange:
// Setup, Run, then First/Next with the answer accessors. Made on the stack of the
// operation that uses it; never shared between threads.
class SnmpClient {
public:
    SnmpClient();
    virtual ~SnmpClient();
    SnmpClient(const SnmpClient&) = delete;
    SnmpClient& operator=(const SnmpClient&) = delete;

    // valueType: 6 identifier, 4 octet string, 2 integer. 0 if the local host name or
    // address cannot be found.
    int Setup(const char* target, const char* oidText, int valueType);
    // Sends the request and collects the answers; 1 if at least one answer was stored.
    int Run();

    int First();
    int Next();
    const char* AnswerAddress() const;
    const std::uint8_t* AnswerValue() const;
    int AnswerLength() const;
    std::int32_t AnswerInteger() const;
    int AnswerCount() const;
    std::uint32_t LocalAddress() const;

    const SnmpSession& Session() const { return *session; }

private:
    const SnmpAnswerSlot& Current() const;

    std::unique_ptr<SnmpSession> session;
    int cursor = 0;
};

}
