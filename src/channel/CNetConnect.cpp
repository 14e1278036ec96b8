#include "channel/CNetConnect.h"

#include "channel/ChannelSteps.h"
#include "channel/PjlFraming.h"
#include "channel/PjlReads.h"
#include "platform/TestOverrides.h"

namespace plintor {

static_assert(DeviceChannel<CNetConnect>);

CNetConnect::CNetConnect() : port(platform::PjlPort()) {}

CNetConnect::~CNetConnect()
{
    Close();
}

void CNetConnect::Close()
{
    socket.Close();
}

bool CNetConnect::Open(const std::string& address)
{
    Close();
    auto results = platform::ResolveStream(codePage.ToAnsi(address), port, bounds.resolve);
    if (results.empty()) {
        exchange.failure = ChannelFailure::NoAddress;
        return false;
    }
    for (const auto& result : results) {
        if (socket.Connect(result, bounds.connect) == platform::IoResult::Ok)
            return true;
    }
    exchange.failure = ChannelFailure::NoConnection;
    return false;
}

bool CNetConnect::Write()
{
    if (socket.SendAll(codePage.ToAnsi(exchange.job), bounds.write) == platform::IoResult::Ok)
        return true;
    exchange.failure = ChannelFailure::WriteFailed;
    return false;
}

bool CNetConnect::ReadUntilFormFeed(ReadRest& rest)
{
    return plintor::ReadUntilFormFeed(exchange, codePage, bounds,
        [this](std::string& bytes, std::chrono::milliseconds bound) {
            return socket.Receive(bytes, ReadChunkBytes, bound);
        }, &rest);
}

bool CNetConnect::ReadUntilComplete(std::vector<PjlRequest>& requests)
{
    return plintor::ReadUntilComplete(exchange, requests, codePage, bounds,
        [this](std::string& bytes, std::chrono::milliseconds bound) {
            return socket.Receive(bytes, ReadChunkBytes, bound);
        });
}

bool CNetConnect::Query(const std::string& address, const std::string& command)
{
    exchange.failure = ChannelFailure::Ok;
    // Each step runs under what is left of the Query as a whole (ChannelBounds::query).
    const ChannelBounds whole = bounds;
    const auto start = std::chrono::steady_clock::now();
    bool accepted = false;
    bounds = QueryStepBounds(whole, start);
    if (Open(address)) {
        StartJob(*this, command);
        bounds = QueryStepBounds(whole, start);
        if (Write()) {
            // An answer is read until its form feed, however TCP cuts it; a block that is
            // not the answer (an unrelated status message) uses up one of the tries, and
            // whatever followed it in the same chunk is read first by the next try.
            ReadRest rest;
            bool lastReadOk = false;
            for (int attempt = 0; attempt < ChannelReadTries && !accepted; ++attempt) {
                bounds = QueryStepBounds(whole, start);
                lastReadOk = ReadUntilFormFeed(rest);
                accepted = lastReadOk && AcceptAnswer(exchange);
            }
            if (!accepted && lastReadOk)
                exchange.failure = ChannelFailure::NotRecognised;
        }
    }
    return EndQuery(*this, whole, accepted);
}

bool CNetConnect::Send(const std::string& address, const std::string& command)
{
    return SendJob(*this, address, command);
}

bool CNetConnect::QueryBatch(const std::string& address, const std::string& command,
                             std::vector<PjlRequest>& requests)
{
    return QueryBatchJob(*this, address, command, requests, false);
}

bool CNetConnect::NextLine(std::string& line)
{
    return plintor::NextLine(exchange, line);
}

}
