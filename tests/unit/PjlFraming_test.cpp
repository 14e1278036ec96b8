#include "channel/PjlFraming.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plintor {
namespace {

using namespace std::string_literals;

const std::string Uel = "\x1b%-12345X";

std::vector<std::string> AllLines(PjlExchange& exchange)
{
    std::vector<std::string> lines;
    exchange.lineCursor = 0;
    std::string line;
    while (NextLine(exchange, line))
        lines.push_back(line);
    return lines;
}

TEST(PjlFraming, JobGetsExactlyOneFinalNewline)
{
    EXPECT_EQ(BuildJob("@PJL INFO ID\r\n"), Uel + "@PJL INFO ID\r\n" + Uel);
    EXPECT_EQ(BuildJob("@PJL INFO ID"), Uel + "@PJL INFO ID\n" + Uel);
    EXPECT_EQ(BuildJob("@PJL INFO ID\r"), Uel + "@PJL INFO ID\r\n" + Uel);
    EXPECT_EQ(BuildJob(""), Uel + "\n" + Uel);
    EXPECT_EQ(BuildJob("\n"), Uel + "\n" + Uel);
    EXPECT_EQ(Uel.size(), 9u);
}

TEST(PjlFraming, EchoLineDataLineAndFormFeedGiveExactlyTheDataLine)
{
    PjlExchange exchange;
    exchange.command = "@PJL INFO ID\r\n";
    exchange.reply = "@PJL INFO ID\r\n\"MFP 7\"\r\n\x0c";
    ASSERT_TRUE(AcceptAnswer(exchange));
    EXPECT_EQ(exchange.body, "\"MFP 7\"\r\n");
    EXPECT_EQ(AllLines(exchange), std::vector<std::string>{"\"MFP 7\""});
}

TEST(PjlFraming, AnswerMustBeginWithTheWholeCommand)
{
    PjlExchange exchange;
    exchange.command = "@PJL INFO ID\r\n";
    // An unrelated status line ahead of the echo.
    exchange.reply = "@PJL USTATUS DEVICE\r\nCODE=10001\r\n\x0c@PJL INFO ID\r\nX\r\n\x0c";
    EXPECT_FALSE(AcceptAnswer(exchange));
    EXPECT_TRUE(exchange.body.empty());
    // Case matters, and a cut-off echo is not the command.
    exchange.reply = "@pjl info id\r\nX\r\n\x0c";
    EXPECT_FALSE(AcceptAnswer(exchange));
    exchange.reply = "@PJL INFO I";
    EXPECT_FALSE(AcceptAnswer(exchange));
    exchange.reply = "";
    EXPECT_FALSE(AcceptAnswer(exchange));
}

TEST(PjlFraming, EchoCommandAcceptsAnyAnswerAndWithoutNewlineYieldsNoLines)
{
    PjlExchange exchange;
    exchange.command = "@PJL ECHO HELLO\r\n";
    exchange.reply = "ANYTHING\x0c";
    ASSERT_TRUE(AcceptAnswer(exchange));
    EXPECT_EQ(exchange.body, "ANYTHING");
    EXPECT_TRUE(AllLines(exchange).empty());
    exchange.reply = "";
    EXPECT_TRUE(AcceptAnswer(exchange));
    EXPECT_EQ(exchange.body, "");
}

TEST(PjlFraming, LastLineWithoutNewlineIsNotReturned)
{
    PjlExchange exchange;
    exchange.command = "@PJL INFO IWAOPTIONS\r\n";
    exchange.reply = "@PJL INFO IWAOPTIONS\r\nWLAN\r\nMPC\x0c";
    ASSERT_TRUE(AcceptAnswer(exchange));
    EXPECT_EQ(AllLines(exchange), std::vector<std::string>{"WLAN"});
    // Without the form feed the last character removed is the final "\n".
    exchange.reply = "@PJL INFO IWAOPTIONS\r\nWLAN\r\nMPC\r\n";
    EXPECT_EQ(AllLines(exchange), std::vector<std::string>{"WLAN"});
}

TEST(PjlFraming, NextLineKeepsItsCursorAndRecomputesTheBody)
{
    PjlExchange exchange;
    exchange.reply = "@PJL INFO IWASETUP\r\nSETUP=ENABLE\r\n\n\x0c";
    std::string line = "unchanged";
    exchange.lineCursor = 0;
    ASSERT_TRUE(NextLine(exchange, line));
    EXPECT_EQ(line, "SETUP=ENABLE");
    ASSERT_TRUE(NextLine(exchange, line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(NextLine(exchange, line));
    EXPECT_EQ(line, "");
    int cursor = exchange.lineCursor;
    EXPECT_FALSE(NextLine(exchange, line));
    EXPECT_EQ(exchange.lineCursor, cursor);
    // A reply without any "\n" has nothing removed but its last character.
    EXPECT_EQ(MakeBody("abc"), "ab");
    EXPECT_EQ(MakeBody(""), "");
    // A negative cursor reads nothing.
    exchange.lineCursor = -5;
    EXPECT_FALSE(NextLine(exchange, line));
}

TEST(PjlFraming, NulAndBinaryBytesStayInsideLines)
{
    PjlExchange exchange;
    exchange.command = "@PJL INFO ID\r\n";
    exchange.reply = "@PJL INFO ID\r\nA\0B\xff\r\n\x0c"s;
    ASSERT_TRUE(AcceptAnswer(exchange));
    EXPECT_EQ(AllLines(exchange), std::vector<std::string>{"A\0B\xff"s});
}

std::vector<PjlRequest> FaxRequests()
{
    return {{"@PJL DINQUIRE FAX_SET_COUNTRY\r\n", {"old"}},
            {"@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n", {"old"}}};
}

TEST(PjlBatch, EachRequestTakesItsBlockInAnyOrder)
{
    PjlExchange exchange;
    auto requests = FaxRequests();
    exchange.reply = "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPSTN\r\n\x0c"
                     "@PJL DINQUIRE FAX_SET_COUNTRY\r\nGERMANY\r\nEXTRA\r\n\x0c";
    ASSERT_TRUE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[0].lines, (std::vector<std::string>{"GERMANY", "EXTRA"}));
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PSTN"});
}

TEST(PjlBatch, QuestionMarkEndsTheLinesAndStillCountsAsAnswered)
{
    PjlExchange exchange;
    auto requests = FaxRequests();
    exchange.reply = "@PJL DINQUIRE FAX_SET_COUNTRY\r\n?\r\nNOT THIS\r\n\x0c"
                     "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPBX\r\n?\r\nNOR THIS\r\n\x0c";
    ASSERT_TRUE(MatchBatch(exchange, requests));
    EXPECT_TRUE(requests[0].lines.empty());
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PBX"});
}

TEST(PjlBatch, BlockIsMatchedOnlyWhenItsFormFeedHasArrived)
{
    const std::string whole = "@PJL DINQUIRE FAX_SET_COUNTRY\r\nJAPAN\r\n\x0c"
                              "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPSTN\r\n\x0c";
    auto requests = FaxRequests();
    PjlExchange exchange;
    // Feed it in chunks of 7 bytes; only the chunk with the last form feed completes.
    std::size_t completedAt = 0;
    for (std::size_t end = 7; end < whole.size() + 7 && !completedAt; end += 7) {
        exchange.reply = whole.substr(0, std::min(end, whole.size()));
        if (MatchBatch(exchange, requests))
            completedAt = exchange.reply.size();
    }
    EXPECT_EQ(completedAt, whole.size());
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"JAPAN"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PSTN"});

    // Text after the last form feed is no block: its request keeps its old lines.
    requests = FaxRequests();
    exchange.reply = "@PJL DINQUIRE FAX_SET_COUNTRY\r\nJAPAN\r\n\x0c@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPS";
    EXPECT_FALSE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"JAPAN"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"old"});

    // No block at all: nothing is touched.
    requests = FaxRequests();
    exchange.reply = "@PJL DINQUIRE FAX_SET_COUNTRY\r\nJAPAN\r\n";
    EXPECT_FALSE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"old"});
}

TEST(PjlBatch, FirstLineMayBeABeginningOfTheCommand)
{
    PjlExchange exchange;
    std::vector<PjlRequest> requests{{"@PJL IWAWLSERCHRESULTGET\r\n", {}}};
    // The printer echoes without "\r", or only the first words.
    exchange.reply = "@PJL IWAWLSERCHRESULTGET\nDATASTATUS=1\nFINDDATANUM=0\n\x0c";
    ASSERT_TRUE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[0].lines, (std::vector<std::string>{"DATASTATUS=1", "FINDDATANUM=0"}));
    exchange.reply = "@PJL IWAWLSER\r\nX\r\n\x0c";
    EXPECT_TRUE(MatchBatch(exchange, requests));
    // A first line longer than the command does not answer it.
    exchange.reply = "@PJL IWAWLSERCHRESULTGET EXTRA\r\nX\r\n\x0c";
    EXPECT_FALSE(MatchBatch(exchange, requests));
}

TEST(PjlBatch, EmptyFirstLineAnswersNoRequest)
{
    // Regression: an empty first line "begins" every command, and used to hand the next
    // block's lines to the wrong request.
    PjlExchange exchange;
    auto requests = FaxRequests();
    exchange.reply = "\x0c\r\nstray\r\n\x0c" "@PJL DINQUIRE FAX_SET_COUNTRY\r\nUSA\r\n\x0c";
    EXPECT_FALSE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"USA"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"old"});
    // A line end right after a form feed belongs to no block.
    exchange.reply = "@PJL DINQUIRE FAX_SET_COUNTRY\r\nUSA\r\n\x0c\r\n"
                     "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPSTN\r\n\x0c";
    EXPECT_TRUE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PSTN"});
}

TEST(PjlBatch, UnansweredRequestFailsButOthersAreFilled)
{
    PjlExchange exchange;
    auto requests = FaxRequests();
    exchange.reply = "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPBX\r\n\x0cjunk\x0c";
    EXPECT_FALSE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"old"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PBX"});
    // A duplicate block: the first one counts.
    exchange.reply = "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPBX\r\n\x0c@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPSTN\r\n\x0c";
    EXPECT_FALSE(MatchBatch(exchange, requests));
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PBX"});
}

TEST(PjlBatch, MatcherFedChunkByChunkAgreesWithMatchingTheWholeReplyEachTime)
{
    // Regression: the accumulating read re-ran the whole-reply matcher after every chunk,
    // quadratic in the answer. The incremental matcher must give, after every chunk, what
    // matching the reply so far from scratch gives: the result and every request's lines.
    const std::vector<std::string> replies = {
        "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPSTN\r\n\x0c@PJL DINQUIRE FAX_SET_COUNTRY\r\nGERMANY\r\nEXTRA\r\n\x0c",
        "\x0c\r\nstray\r\n\x0c\r\n@PJL DINQUIRE FAX_SET_COUNTRY\r\n?\r\nNOT\r\n\x0cjunk\x0c"
        "@PJL DINQUIRE FAX_SET_LINE_TYPE\nPBX\n\x0c@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nLATER\r\n\x0c",
        "@PJL DINQUIRE\r\nBOTH\r\n\x0c@PJL DINQUIRE FAX_SET_COUNTRY EXTRA\r\nNO\r\n\x0ctail without end",
        "no form feed at all\r\n",
        "",
    };
    for (const std::string& whole : replies) {
        for (std::size_t chunk : {std::size_t(1), std::size_t(3), std::size_t(7), std::size_t(64)}) {
            SCOPED_TRACE(testing::Message() << "chunk " << chunk << " of: " << whole);
            auto incremental = FaxRequests();
            PjlExchange growing;
            CBatchMatcher matcher(incremental);
            for (std::size_t end = 0; end < whole.size() + chunk; end += chunk) {
                growing.reply = whole.substr(0, std::min(end, whole.size()));
                auto fromScratch = FaxRequests();
                PjlExchange once;
                once.reply = growing.reply;
                bool expected = MatchBatch(once, fromScratch);
                ASSERT_EQ(matcher.Match(growing), expected) << "after " << growing.reply.size() << " bytes";
                for (std::size_t i = 0; i < fromScratch.size(); ++i)
                    ASSERT_EQ(incremental[i].lines, fromScratch[i].lines) << "request " << i;
            }
        }
    }
    // No requests: complete at once, as MatchBatch has it.
    std::vector<PjlRequest> none;
    PjlExchange exchange;
    EXPECT_TRUE(CBatchMatcher(none).Match(exchange));
}

}
}
