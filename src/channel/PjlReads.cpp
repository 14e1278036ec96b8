#include "channel/PjlReads.h"

#include "channel/PjlFraming.h"
#include "platform/AnsiCodePage.h"

namespace plintor {

namespace {

using Clock = std::chrono::steady_clock;
using platform::IoResult;

// The time left of a cycle that ends at `deadline`, at most one read bound.
std::chrono::milliseconds NextWait(Clock::time_point deadline, const ChannelBounds& bounds)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() < 0)
        left = std::chrono::milliseconds(0);
    return left < bounds.read ? left : bounds.read;
}

// Appends a converted chunk to `text` unless that passes the cap.
bool AppendCapped(std::string& text, const std::string& chunk, const ChannelBounds& bounds)
{
    if (text.size() + chunk.size() > bounds.maxReplyBytes) {
        text.append(chunk, 0, bounds.maxReplyBytes - text.size());
        return false;
    }
    text.append(chunk);
    return true;
}

// A character cut off by the end of the answer is marked, not dropped.
void FlushCarry(std::string& text, std::string& carry, const platform::CAnsiCodePage& codePage,
                const ChannelBounds& bounds)
{
    if (carry.empty())
        return;
    std::string rest = codePage.FromAnsi(carry);
    carry.clear();
    AppendCapped(text, rest, bounds);
}

}

ChannelFailure FailureOf(IoResult result)
{
    switch (result) {
    case IoResult::Ok:
        return ChannelFailure::Ok;
    case IoResult::Closed:
        return ChannelFailure::NoReply;
    case IoResult::TimedOut:
        return ChannelFailure::ReadTimedOut;
    case IoResult::Failed:
        break;
    }
    return ChannelFailure::ReadFailed;
}

bool ReadUntilComplete(PjlExchange& exchange, std::vector<PjlRequest>& requests,
                       const platform::CAnsiCodePage& codePage, const ChannelBounds& bounds,
                       const ChunkReader& read)
{
    const auto deadline = Clock::now() + bounds.cycle;
    // `reply` is everything read in this cycle, appended to in place.
    std::string& text = exchange.reply;
    text.clear();
    std::string carry;
    std::string bytes;
    bool readOk = true;
    while (true) {
        auto wait = NextWait(deadline, bounds);
        IoResult result = wait.count() > 0 ? read(bytes, wait) : IoResult::TimedOut;
        if (result == IoResult::Closed) {
            FlushCarry(text, carry, codePage, bounds);
            MatchBatch(exchange, requests);
            break;
        }
        if (result != IoResult::Ok) {
            readOk = false;
            exchange.failure = FailureOf(result);
            break;
        }
        std::string chunk = codePage.FromAnsi(bytes, &carry);
        if (!AppendCapped(text, chunk, bounds)) {
            readOk = false;
            exchange.failure = ChannelFailure::ReplyTooLarge;
            break;
        }
        // Only a chunk that completes a block can change what the matcher finds.
        if (chunk.find(FormFeed) != std::string::npos && MatchBatch(exchange, requests))
            break;
    }
    if (text.empty()) {
        if (readOk)
            exchange.failure = ChannelFailure::NoReply;
        return false;
    }
    if (readOk)
        exchange.failure = ChannelFailure::Ok;
    return readOk;
}

bool ReadUntilFormFeed(PjlExchange& exchange, const platform::CAnsiCodePage& codePage,
                       const ChannelBounds& bounds, const ChunkReader& read)
{
    const auto deadline = Clock::now() + bounds.cycle;
    std::string text;
    std::string carry;
    std::string bytes;
    bool ok = true;
    while (true) {
        auto wait = NextWait(deadline, bounds);
        IoResult result = wait.count() > 0 ? read(bytes, wait) : IoResult::TimedOut;
        if (result == IoResult::Closed)
            break;
        if (result != IoResult::Ok) {
            ok = false;
            exchange.failure = FailureOf(result);
            break;
        }
        std::string chunk = codePage.FromAnsi(bytes, &carry);
        // The answer ends at its form feed; what follows in the same chunk is not part of it.
        auto formFeed = chunk.find(FormFeed);
        bool hasFormFeed = formFeed != std::string::npos;
        if (hasFormFeed) {
            chunk.resize(formFeed + 1);
            carry.clear();
        }
        if (!AppendCapped(text, chunk, bounds)) {
            ok = false;
            exchange.failure = ChannelFailure::ReplyTooLarge;
            break;
        }
        if (hasFormFeed)
            break;
    }
    if (ok)
        FlushCarry(text, carry, codePage, bounds);
    exchange.reply = std::move(text);
    return ok;
}

}
