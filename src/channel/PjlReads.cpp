#include "channel/PjlReads.h"

#include "channel/PjlFraming.h"
#include "platform/AnsiCodePage.h"

#include <algorithm>
#include <string_view>

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

// Appends a converted chunk to `text` unless that passes the cap; the answer then keeps
// exactly the cap.
bool AppendCapped(std::string& text, std::string_view chunk, const ChannelBounds& bounds)
{
    if (text.size() > bounds.maxReplyBytes || chunk.size() > bounds.maxReplyBytes - text.size()) {
        if (text.size() < bounds.maxReplyBytes)
            text.append(chunk.substr(0, bounds.maxReplyBytes - text.size()));
        return false;
    }
    text.append(chunk);
    return true;
}

// A character cut off by the end of the answer is marked, not dropped. The mark counts
// against the cap like every other byte: false when it does not fit.
bool FlushCarry(std::string& text, std::string& carry, const platform::CAnsiCodePage& codePage,
                const ChannelBounds& bounds)
{
    if (carry.empty())
        return true;
    std::string rest = codePage.FromAnsi(carry);
    carry.clear();
    return AppendCapped(text, rest, bounds);
}

}

ChannelBounds QueryStepBounds(const ChannelBounds& bounds, Clock::time_point start)
{
    if (bounds.query.count() <= 0)
        return bounds;
    auto left = std::chrono::ceil<std::chrono::milliseconds>(start + bounds.query - Clock::now());
    if (left.count() < 0)
        left = std::chrono::milliseconds(0);
    ChannelBounds cut = bounds;
    for (auto* wait : {&cut.resolve, &cut.connect, &cut.write, &cut.read, &cut.cycle, &cut.pause})
        *wait = std::min(*wait, left);
    return cut;
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
    // `reply` is everything read in this cycle, appended to in place; the matcher looks
    // only at what each chunk added.
    std::string& text = exchange.reply;
    text.clear();
    CBatchMatcher matcher(requests);
    std::string carry;
    std::string bytes;
    bool readOk = true;
    while (true) {
        auto wait = NextWait(deadline, bounds);
        IoResult result = wait.count() > 0 ? read(bytes, wait) : IoResult::TimedOut;
        if (result == IoResult::Closed) {
            if (!FlushCarry(text, carry, codePage, bounds)) {
                readOk = false;
                exchange.failure = ChannelFailure::ReplyTooLarge;
                break;
            }
            matcher.Match(exchange);
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
        if (chunk.find(FormFeed) != std::string::npos && matcher.Match(exchange))
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
                       const ChannelBounds& bounds, const ChunkReader& read, ReadRest* rest)
{
    const auto deadline = Clock::now() + bounds.cycle;
    std::string text;
    std::string carry;
    std::string pending;
    if (rest) {
        pending = std::move(rest->text);
        carry = std::move(rest->carry);
        rest->text.clear();
        rest->carry.clear();
    }
    std::string bytes;
    bool ok = true;
    bool formFeed = false;
    // What the last try left over comes first, as if it had just been read.
    bool fresh = !pending.empty();
    while (true) {
        std::string chunk;
        if (fresh) {
            chunk = std::move(pending);
            fresh = false;
        } else {
            auto wait = NextWait(deadline, bounds);
            IoResult result = wait.count() > 0 ? read(bytes, wait) : IoResult::TimedOut;
            if (result == IoResult::Closed)
                break;
            if (result != IoResult::Ok) {
                ok = false;
                exchange.failure = FailureOf(result);
                break;
            }
            chunk = codePage.FromAnsi(bytes, &carry);
        }
        // The answer ends at its form feed. What follows belongs to the next answer: it is
        // kept for the next try when the caller keeps a rest, else dropped.
        auto end = chunk.find(FormFeed);
        formFeed = end != std::string::npos;
        if (formFeed) {
            if (rest) {
                rest->text = chunk.substr(end + 1);
                rest->carry = std::move(carry);
            }
            carry.clear();
            chunk.resize(end + 1);
        }
        if (!AppendCapped(text, chunk, bounds)) {
            ok = false;
            exchange.failure = ChannelFailure::ReplyTooLarge;
            break;
        }
        if (formFeed)
            break;
    }
    if (ok && !FlushCarry(text, carry, codePage, bounds)) {
        ok = false;
        exchange.failure = ChannelFailure::ReplyTooLarge;
    }
    exchange.reply = std::move(text);
    return ok;
}

}
