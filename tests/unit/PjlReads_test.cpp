#include "channel/PjlReads.h"

#include "platform/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using platform::IoResult;

// A device that hands out scripted reads, then a given outcome for ever.
struct ScriptedDevice {
    std::deque<std::pair<IoResult, std::string>> reads;
    IoResult afterwards = IoResult::TimedOut;
    int calls = 0;

    ChunkReader Reader()
    {
        return [this](std::string& bytes, std::chrono::milliseconds) {
            ++calls;
            bytes.clear();
            if (reads.empty())
                return afterwards;
            auto [result, data] = reads.front();
            reads.pop_front();
            bytes = data;
            return result;
        };
    }
};

const platform::CAnsiCodePage Latin1("ISO-8859-1");

std::vector<PjlRequest> Requests()
{
    return {{"@PJL DINQUIRE A\r\n", {"old"}}, {"@PJL DINQUIRE B\r\n", {"old"}}};
}

TEST(PjlReads, BatchCycleStopsAtTheChunkThatCompletesTheLastBlock)
{
    ScriptedDevice device;
    device.reads = {{IoResult::Ok, "@PJL DINQUIRE A\r\n1\r\n\x0c@PJL DIN"},
                    {IoResult::Ok, "QUIRE B\r\n2\r\n"},
                    {IoResult::Ok, "\x0ctrailing"},
                    {IoResult::Ok, "never read"}};
    PjlExchange exchange;
    auto requests = Requests();
    ASSERT_TRUE(ReadUntilComplete(exchange, requests, Latin1, ChannelBounds{}, device.Reader()));
    EXPECT_EQ(device.calls, 3);
    EXPECT_EQ(exchange.reply, "@PJL DINQUIRE A\r\n1\r\n\x0c@PJL DINQUIRE B\r\n2\r\n\x0ctrailing");
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"1"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"2"});
    EXPECT_EQ(exchange.failure, ChannelFailure::Ok);
}

TEST(PjlReads, BatchCycleEndsByCloseErrorOrNothing)
{
    // Closed after some text: success, unmatched requests keep their lines.
    ScriptedDevice closed;
    closed.reads = {{IoResult::Ok, "@PJL DINQUIRE B\r\n2\r\n\x0c"}, {IoResult::Closed, ""}};
    PjlExchange exchange;
    auto requests = Requests();
    EXPECT_TRUE(ReadUntilComplete(exchange, requests, Latin1, ChannelBounds{}, closed.Reader()));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"old"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"2"});

    // Closed with nothing read: failure.
    ScriptedDevice nothing;
    nothing.afterwards = IoResult::Closed;
    EXPECT_FALSE(ReadUntilComplete(exchange, requests, Latin1, ChannelBounds{}, nothing.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::NoReply);

    // A failed read after some text: failure, the text is kept.
    ScriptedDevice broken;
    broken.reads = {{IoResult::Ok, "@PJL DINQUIRE A\r\n"}};
    broken.afterwards = IoResult::Failed;
    EXPECT_FALSE(ReadUntilComplete(exchange, requests, Latin1, ChannelBounds{}, broken.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReadFailed);
    EXPECT_EQ(exchange.reply, "@PJL DINQUIRE A\r\n");

    ScriptedDevice silent;
    EXPECT_FALSE(ReadUntilComplete(exchange, requests, Latin1, ChannelBounds{}, silent.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReadTimedOut);
}

TEST(PjlReads, AnswerPastTheCapFailsAndKeepsOnlyTheCap)
{
    ChannelBounds bounds;
    bounds.maxReplyBytes = 5000;
    ScriptedDevice flood;
    for (int i = 0; i < 100; ++i)
        flood.reads.push_back({IoResult::Ok, std::string(1024, 'x')});
    PjlExchange exchange;
    auto requests = Requests();
    EXPECT_FALSE(ReadUntilComplete(exchange, requests, Latin1, bounds, flood.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReplyTooLarge);
    EXPECT_EQ(exchange.reply.size(), 5000u);
    EXPECT_EQ(flood.calls, 5);

    flood.calls = 0;
    EXPECT_FALSE(ReadUntilFormFeed(exchange, Latin1, bounds, flood.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReplyTooLarge);
    EXPECT_EQ(exchange.reply.size(), 5000u);
}

TEST(PjlReads, TricklingPrinterIsStoppedByTheCycleBound)
{
    ChannelBounds bounds;
    bounds.cycle = 200ms;
    int calls = 0;
    std::chrono::milliseconds lastBound{0};
    ChunkReader trickle = [&](std::string& bytes, std::chrono::milliseconds bound) {
        ++calls;
        lastBound = bound;
        std::this_thread::sleep_for(10ms);
        bytes = "x";
        return IoResult::Ok;
    };
    PjlExchange exchange;
    auto requests = Requests();
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadUntilComplete(exchange, requests, Latin1, bounds, trickle));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_GT(calls, 1);
    // Each read is told how long the cycle has left, never more than one read bound.
    EXPECT_LE(lastBound, bounds.cycle);
}

TEST(PjlReads, CharacterCutBetweenChunksIsJoined)
{
    platform::CAnsiCodePage utf8("UTF-8");
    ScriptedDevice device;
    device.reads = {{IoResult::Ok, "@PJL DINQUIRE A\r\nCAF\xc3"}, {IoResult::Ok, "\xa9\r\n\x0c"}};
    PjlExchange exchange;
    std::vector<PjlRequest> requests{{"@PJL DINQUIRE A\r\n", {}}};
    ASSERT_TRUE(ReadUntilComplete(exchange, requests, utf8, ChannelBounds{}, device.Reader()));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"CAF\xc3\xa9"});

    // A cut character at the very end is marked, not dropped.
    ScriptedDevice cut;
    cut.reads = {{IoResult::Ok, "@PJL DINQUIRE A\r\nX\xc3"}, {IoResult::Closed, ""}};
    ASSERT_TRUE(ReadUntilComplete(exchange, requests, utf8, ChannelBounds{}, cut.Reader()));
    EXPECT_EQ(exchange.reply, "@PJL DINQUIRE A\r\nX\xef\xbf\xbd");
}

TEST(PjlReads, FormFeedReadEndsAtTheFormFeed)
{
    ScriptedDevice device;
    device.reads = {{IoResult::Ok, "@PJL INFO ID\r\n"}, {IoResult::Ok, "M\r\n\x0cNEXT"}, {IoResult::Ok, "never"}};
    PjlExchange exchange;
    ASSERT_TRUE(ReadUntilFormFeed(exchange, Latin1, ChannelBounds{}, device.Reader()));
    EXPECT_EQ(exchange.reply, "@PJL INFO ID\r\nM\r\n\x0c");
    EXPECT_EQ(device.calls, 2);

    ScriptedDevice timesOut;
    timesOut.reads = {{IoResult::Ok, "@PJL INFO ID\r\n"}};
    EXPECT_FALSE(ReadUntilFormFeed(exchange, Latin1, ChannelBounds{}, timesOut.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_EQ(exchange.reply, "@PJL INFO ID\r\n");
}

TEST(PjlReads, CharacterCutAtTheCapFailsTheReadInsteadOfEndingPastIt)
{
    // Regression: a character cut off by the close was marked after the cap had been
    // checked, so the answer ended one mark past the cap and the read still succeeded.
    platform::CAnsiCodePage utf8("UTF-8");
    ChannelBounds bounds;
    bounds.maxReplyBytes = 20;
    std::string head = "@PJL DINQUIRE A\r\nXX"; // 19 bytes; the mark of the cut "\xc3" takes 3
    ASSERT_EQ(head.size(), 19u);
    std::vector<PjlRequest> requests{{"@PJL DINQUIRE A\r\n", {}}};
    PjlExchange exchange;

    ScriptedDevice batch;
    batch.reads = {{IoResult::Ok, head + "\xc3"}, {IoResult::Closed, ""}};
    EXPECT_FALSE(ReadUntilComplete(exchange, requests, utf8, bounds, batch.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReplyTooLarge);
    EXPECT_LE(exchange.reply.size(), bounds.maxReplyBytes);

    ScriptedDevice single;
    single.reads = {{IoResult::Ok, head + "\xc3"}, {IoResult::Closed, ""}};
    EXPECT_FALSE(ReadUntilFormFeed(exchange, utf8, bounds, single.Reader()));
    EXPECT_EQ(exchange.failure, ChannelFailure::ReplyTooLarge);
    EXPECT_LE(exchange.reply.size(), bounds.maxReplyBytes);

    // Within the cap the mark is kept and the read succeeds.
    bounds.maxReplyBytes = 22;
    ScriptedDevice fits;
    fits.reads = {{IoResult::Ok, head + "\xc3"}, {IoResult::Closed, ""}};
    EXPECT_TRUE(ReadUntilFormFeed(exchange, utf8, bounds, fits.Reader()));
    EXPECT_EQ(exchange.reply, head + "\xef\xbf\xbd");
}

TEST(PjlReads, TextAfterAFormFeedIsKeptForTheNextTry)
{
    // A status block and the answer in one chunk, then the answer's end in the next: the
    // first try ends at the status block's form feed, the second starts with what followed.
    platform::CAnsiCodePage utf8("UTF-8");
    ScriptedDevice device;
    device.reads = {{IoResult::Ok, "@PJL USTATUS DEVICE\r\nCODE=10001\r\n\x0c@PJL INFO ID\r\nCAF\xc3"},
                    {IoResult::Ok, "\xa9\r\n\x0cNEXT"}};
    PjlExchange exchange;
    ReadRest rest;
    ASSERT_TRUE(ReadUntilFormFeed(exchange, utf8, ChannelBounds{}, device.Reader(), &rest));
    EXPECT_EQ(exchange.reply, "@PJL USTATUS DEVICE\r\nCODE=10001\r\n\x0c");
    ASSERT_TRUE(ReadUntilFormFeed(exchange, utf8, ChannelBounds{}, device.Reader(), &rest));
    EXPECT_EQ(exchange.reply, "@PJL INFO ID\r\nCAF\xc3\xa9\r\n\x0c");
    EXPECT_EQ(rest.text, "NEXT");
    EXPECT_EQ(device.calls, 2);
}

}
}

