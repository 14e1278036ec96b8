#include "discovery/SnmpClient.h"

namespace plintor {

SnmpClient::SnmpClient() : session(std::make_unique<SnmpSession>())
{
    SnmpSessionReset(*session);
}

SnmpClient::~SnmpClient() = default;

int SnmpClient::Setup(const char* target, const char* oidText, int valueType)
{
    return SnmpSessionSetup(*session, target, oidText, valueType);
}

int SnmpClient::Run()
{
    cursor = 0;
    return SnmpSessionRun(*session);
}

int SnmpClient::First()
{
    cursor = 0;
    return 1;
}

int SnmpClient::Next()
{
    if (cursor < session->answerCount)
        ++cursor;
    return cursor < session->answerCount ? 1 : 0;
}

const SnmpAnswerSlot& SnmpClient::Current() const
{
    // Past the last answer the accessors read the spare slot, which stays empty.
    int index = cursor < session->answerCount ? cursor : SnmpLimits::kAnswerSlots - 1;
    return session->answers[index];
}

const char* SnmpClient::AnswerAddress() const { return Current().address; }
const std::uint8_t* SnmpClient::AnswerValue() const { return Current().value; }
int SnmpClient::AnswerLength() const { return Current().valueLength; }
std::int32_t SnmpClient::AnswerInteger() const { return Current().integerValue; }
int SnmpClient::AnswerCount() const { return session->answerCount; }
std::uint32_t SnmpClient::LocalAddress() const { return session->localAddress; }

}
