#include "channel/CNetConnect.h"

#include "channel/PjlFraming.h"
#include "channel/PjlReads.h"
#include "platform/TestOverrides.h"

#include <thread>

namespace plintor {

static_assert(DeviceChannel<CNetConnect>);

namespace {

constexpr int ReadTries = 3;

}

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

bool CNetConnect::ReadOnce()
{
    std::string bytes;
    platform::IoResult result = socket.Receive(bytes, ReadChunkBytes, bounds.read);
    if (result == platform::IoResult::Ok || result == platform::IoResult::Closed) {
        exchange.reply = codePage.FromAnsi(bytes);
        return true;
    }
    exchange.reply.clear();
    exchange.failure = FailureOf(result);
    return false;
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
    bool accepted = false;
    if (Open(address)) {
        exchange.command = command;
        exchange.job = BuildJob(command);
        if (Write()) {
            bool lastReadOk = false;
            for (int attempt = 0; attempt < ReadTries && !accepted; ++attempt) {
                lastReadOk = ReadOnce();
                accepted = lastReadOk && AcceptAnswer(exchange);
            }
            if (!accepted && lastReadOk)
                exchange.failure = ChannelFailure::NotRecognised;
        }
    }
    Close();
    if (accepted)
        exchange.failure = ChannelFailure::Ok;
    return accepted;
}

bool CNetConnect::Send(const std::string& address, const std::string& command)
{
    exchange.failure = ChannelFailure::Ok;
    bool written = false;
    if (Open(address)) {
        exchange.command = command;
        exchange.job = BuildJob(command);
        written = Write();
    }
    Close();
    return written;
}

bool CNetConnect::QueryBatch(const std::string& address, const std::string& command,
                             std::vector<PjlRequest>& requests)
{
    exchange.failure = ChannelFailure::Ok;
    bool answered = false;
    if (Open(address)) {
        exchange.command = command;
        exchange.job = BuildJob(command);
        if (Write()) {
            for (int cycle = 0; cycle < ReadTries && !answered; ++cycle) {
                std::this_thread::sleep_for(bounds.pause);
                answered = ReadUntilComplete(requests);
            }
        }
    }
    Close();
    return answered;
}

bool CNetConnect::NextLine(std::string& line)
{
    return plintor::NextLine(exchange, line);
}

}
