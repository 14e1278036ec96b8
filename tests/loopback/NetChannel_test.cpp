#include "channel/CNetConnect.h"
#include "channel/PjlFraming.h"

#include "PrinterProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using test::CPrinterProcess;
using Clock = std::chrono::steady_clock;

const std::string Uel = "\x1b%-12345X";
const std::string InfoId = "@PJL INFO ID\r\n";

// A channel to the stand-in, with short bounds so that fault cases end quickly, and a
// character set that does not depend on the machine's locale.
struct Channel : CNetConnect {
    explicit Channel(const CPrinterProcess& printer)
    {
        port = std::to_string(printer.Port());
        bounds.read = 400ms;
        bounds.cycle = 3s;
        bounds.pause = 50ms;
        codePage = platform::CAnsiCodePage("ISO-8859-1");
    }
};

std::vector<std::string> Lines(CNetConnect& channel)
{
    std::vector<std::string> lines;
    channel.exchange.lineCursor = 0;
    std::string line;
    while (channel.NextLine(line))
        lines.push_back(line);
    return lines;
}

std::vector<PjlRequest> FaxRequests()
{
    return {{"@PJL DINQUIRE FAX_SET_COUNTRY\r\n", {}},
            {"@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n", {}},
            {"@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n", {"stale"}}};
}

std::string FaxJob()
{
    std::string job;
    for (const auto& request : FaxRequests())
        job += request.command;
    return job;
}

CPrinterProcess::Setup Printer(std::vector<std::string> arguments)
{
    CPrinterProcess::Setup setup;
    setup.arguments = std::move(arguments);
    return setup;
}

const std::vector<std::string> FaxValues = {"--dinquire", "FAX_SET_COUNTRY=GERMANY",
                                            "--dinquire", "FAX_SET_LINE_TYPE=PBX"};

std::vector<std::string> With(std::vector<std::string> base, std::vector<std::string> more)
{
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

TEST(NetChannel, QueryReadsTheIdentityAndTheJobArrivesByteForByte)
{
    CPrinterProcess printer(Printer({"--id", "PLINTOR MFP 9000W"}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    ASSERT_TRUE(channel.Query("127.0.0.1", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::Ok);
    EXPECT_EQ(channel.exchange.job, Uel + InfoId + Uel);
    EXPECT_EQ(channel.exchange.reply, InfoId + "PLINTOR MFP 9000W\r\n\x0c");
    EXPECT_EQ(Lines(channel), std::vector<std::string>{"PLINTOR MFP 9000W"});
    EXPECT_EQ(printer.WaitForLog(channel.exchange.job.size()), Uel + InfoId + Uel);
    EXPECT_FALSE(channel.socket.IsOpen());
}

TEST(NetChannel, OptionsAndSetupAnswers)
{
    CPrinterProcess printer(Printer({"--options", "IPV6,MPC,WLAN", "--setup", "disable"}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    ASSERT_TRUE(channel.Query("127.0.0.1", "@PJL INFO IWAOPTIONS\r\n"));
    EXPECT_EQ(Lines(channel), (std::vector<std::string>{"IPV6", "MPC", "WLAN"}));
    ASSERT_TRUE(channel.Query("127.0.0.1", "@PJL INFO IWASETUP\r\n"));
    EXPECT_EQ(Lines(channel), std::vector<std::string>{"SETUP=DISABLE"});
    // A command without its line end gets one "\n", and the echo is of what was sent.
    ASSERT_TRUE(channel.Query("127.0.0.1", "@PJL INFO IWASETUP"));
    EXPECT_EQ(channel.exchange.reply, "@PJL INFO IWASETUP\nSETUP=DISABLE\r\n\x0c");
}

TEST(NetChannel, SendWritesTheJobWholeWithoutReading)
{
    CPrinterProcess printer(Printer({}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    std::string command = "@PJL SET IWAIPADDRESS=192.168.0.7\r\n@PJL REBOOT\r\n";
    ASSERT_TRUE(channel.Send("127.0.0.1", command));
    EXPECT_TRUE(channel.exchange.reply.empty());
    std::string job = Uel + command + Uel;
    EXPECT_EQ(printer.WaitForLog(job.size()), job);
    // A job far larger than one segment also goes out whole.
    std::string big;
    for (int i = 0; big.size() < 300000; ++i)
        big += "@PJL COMMENT LINE " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(channel.Send("127.0.0.1", big));
    EXPECT_EQ(printer.WaitForLog(job.size() + big.size() + 18), job + Uel + big + Uel);
}

TEST(NetChannel, QueryBatchFillsEveryRequestAndUnknownValuesAreEmpty)
{
    CPrinterProcess printer(Printer(FaxValues));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    auto requests = FaxRequests();
    ASSERT_TRUE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"GERMANY"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PBX"});
    EXPECT_TRUE(requests[2].lines.empty()); // answered "?"
    EXPECT_EQ(channel.exchange.reply,
              "@PJL DINQUIRE FAX_SET_COUNTRY\r\nGERMANY\r\n\x0c"
              "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPBX\r\n\x0c"
              "@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n?\r\n\x0c");
    std::string job = Uel + FaxJob() + Uel;
    EXPECT_EQ(printer.WaitForLog(job.size()), job);
}

TEST(NetChannel, AddressFormsAndLookupOrder)
{
    CPrinterProcess printer(Printer({}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    // "localhost" may resolve to ::1 first; the printer listens on 127.0.0.1 only, so the
    // next result is tried.
    EXPECT_TRUE(channel.Query("localhost", InfoId));
    EXPECT_TRUE(channel.Query(" 127.0.0.1 ", InfoId));
    EXPECT_FALSE(channel.Query("::1", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NoConnection);
    EXPECT_FALSE(channel.Query("no-such-printer.invalid", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NoAddress);
    EXPECT_FALSE(channel.Query("", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NoAddress);
    // Nothing was written for the failed opens.
    std::string job = Uel + InfoId + Uel;
    EXPECT_EQ(printer.WaitForLog(2 * job.size()), job + job);

    CPrinterProcess six(CPrinterProcess::Setup{{}, false, {}, "::1"});
    ASSERT_TRUE(six.Ready());
    Channel channel6(six);
    EXPECT_TRUE(channel6.Query("::1", InfoId));
    EXPECT_TRUE(channel6.Query("[::1]", InfoId));
    // A scope belongs to link-local addresses only (tests/lab runs one).
    EXPECT_FALSE(channel6.Query("::1%lo", InfoId));
    EXPECT_EQ(channel6.exchange.failure, ChannelFailure::NoAddress);
    EXPECT_FALSE(channel6.Query("fe80::1%lo", InfoId));
    EXPECT_EQ(channel6.exchange.failure, ChannelFailure::NoConnection);
}

TEST(NetChannel, RefusedConnectionWritesNothing)
{
    // A port that nobody listens on: bind one, read it back, close it.
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    CNetConnect channel;
    channel.port = std::to_string(ntohs(address.sin_port));
    EXPECT_FALSE(channel.Send("127.0.0.1", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NoConnection);
    EXPECT_TRUE(channel.exchange.job.empty());
}

TEST(NetChannelFaults, PrinterThatStopsReadingFailsTheWriteWithinItsBound)
{
    // A listener that never accepts: the connection is made, but nobody reads, so a large
    // job fills the buffers and the write must give up.
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(fd, 1), 0);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    CNetConnect channel;
    channel.port = std::to_string(ntohs(address.sin_port));
    channel.bounds.write = 300ms;
    // More than loopback's send and receive buffers hold.
    std::string job(24u << 20, 'x');
    auto start = Clock::now();
    EXPECT_FALSE(channel.Send("127.0.0.1", job));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::WriteFailed);
    // Converting the job takes its time on a loaded (or sanitized) build; the point is
    // that the write ends instead of waiting for ever.
    EXPECT_LT(Clock::now() - start, channel.bounds.write + 20s);
    EXPECT_FALSE(channel.socket.IsOpen());
    close(fd);
}

TEST(NetChannelFaults, SilentPrinterFailsWithinTheReadBounds)
{
    CPrinterProcess printer(Printer({"--fault", "silent"}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    auto start = Clock::now();
    EXPECT_FALSE(channel.Query("127.0.0.1", InfoId));
    auto took = Clock::now() - start;
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_GE(took, 3 * channel.bounds.read);
    EXPECT_LT(took, 3 * channel.bounds.read + 1s);

    auto requests = FaxRequests();
    start = Clock::now();
    EXPECT_FALSE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_LT(Clock::now() - start, 3 * (channel.bounds.pause + channel.bounds.read) + 1s);
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_EQ(requests[2].lines, std::vector<std::string>{"stale"});
    // The printer still got both jobs.
    std::string log = printer.WaitForLog(2 * Uel.size() * 2 + InfoId.size() + FaxJob().size());
    EXPECT_EQ(log, Uel + InfoId + Uel + Uel + FaxJob() + Uel);
}

TEST(NetChannelFaults, SlowAnswerWithinTheBoundSucceedsBeyondItFails)
{
    CPrinterProcess printer(Printer({"--fault", "slow=700"}));
    ASSERT_TRUE(printer.Ready());
    Channel patient(printer);
    patient.bounds.read = 3s;
    EXPECT_TRUE(patient.Query("127.0.0.1", InfoId));
    Channel hasty(printer);
    hasty.bounds.read = 150ms; // three reads end before the answer comes
    EXPECT_FALSE(hasty.Query("127.0.0.1", InfoId));
    EXPECT_EQ(hasty.exchange.failure, ChannelFailure::ReadTimedOut);
}

TEST(NetChannelFaults, SplitAnswers)
{
    // Regression: Query kept only the last chunk it read, so an answer that TCP cut
    // anywhere (here inside the echo line) was lost. The pieces are joined.
    CPrinterProcess echoCut(Printer({"--fault", "split=5,20/100"}));
    ASSERT_TRUE(echoCut.Ready());
    Channel cut(echoCut);
    ASSERT_TRUE(cut.Query("127.0.0.1", InfoId));
    EXPECT_EQ(cut.exchange.reply, InfoId + "PLINTOR MFP 9000\r\n\x0c");
    EXPECT_EQ(Lines(cut), std::vector<std::string>{"PLINTOR MFP 9000"});

    // An unrelated status block before the answer uses up one try; the next try reads the
    // answer, whether it came in a later piece or in the same chunk as the status block.
    const std::string status = "garbage=@PJL USTATUS DEVICE\\r\\nCODE=10001\\r\\n\\f";
    for (std::vector<std::string> cutting : {std::vector<std::string>{"--fault", "split=34/100"},
                                             std::vector<std::string>{"--segment-pause", "0"}}) {
        CPrinterProcess statusFirst(Printer(With({"--fault", status}, cutting)));
        ASSERT_TRUE(statusFirst.Ready());
        Channel channel(statusFirst);
        ASSERT_TRUE(channel.Query("127.0.0.1", InfoId));
        EXPECT_EQ(channel.exchange.reply, InfoId + "PLINTOR MFP 9000\r\n\x0c");
    }

    // A batch answer in pieces, cut inside lines and right after a form feed.
    CPrinterProcess batch(Printer(With(FaxValues, {"--fault", "split=3,40,41,45,90/80"})));
    ASSERT_TRUE(batch.Ready());
    Channel batchChannel(batch);
    auto requests = FaxRequests();
    ASSERT_TRUE(batchChannel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"GERMANY"});
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PBX"});
    EXPECT_TRUE(requests[2].lines.empty());
}

TEST(NetChannelFaults, EarlyClose)
{
    CPrinterProcess closer(Printer({"--fault", "early-close"}));
    ASSERT_TRUE(closer.Ready());
    Channel channel(closer);
    auto start = Clock::now();
    EXPECT_FALSE(channel.Query("127.0.0.1", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NotRecognised);
    EXPECT_TRUE(channel.exchange.reply.empty());
    auto requests = FaxRequests();
    EXPECT_FALSE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NoReply);
    EXPECT_LT(Clock::now() - start, 1s); // no wait runs out: the close ends every read

    // Closed after the first block: the batch succeeds with what arrived.
    std::string firstBlock = "@PJL DINQUIRE FAX_SET_COUNTRY\r\nGERMANY\r\n\x0c";
    CPrinterProcess partial(Printer(With(FaxValues, {"--fault", "early-close=" + std::to_string(firstBlock.size())})));
    ASSERT_TRUE(partial.Ready());
    Channel partialChannel(partial);
    requests = FaxRequests();
    EXPECT_TRUE(partialChannel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(partialChannel.exchange.reply, firstBlock);
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"GERMANY"});
    EXPECT_TRUE(requests[1].lines.empty());
    EXPECT_EQ(requests[2].lines, std::vector<std::string>{"stale"});
}

TEST(NetChannelFaults, GarbageBeforeTheEchoIsNotAnAnswer)
{
    CPrinterProcess printer(Printer(With(FaxValues, {"--fault", "garbage"})));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    EXPECT_FALSE(channel.Query("127.0.0.1", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadTimedOut);
    // The batch's first block starts with the garbage, so its request finds no block.
    auto requests = FaxRequests();
    EXPECT_FALSE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_TRUE(requests[0].lines.empty());
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PBX"});
}

TEST(NetChannelFaults, NulAndHighBytesArriveByteForByte)
{
    // A junk block of NUL, control and high bytes ahead of the answers: it answers no
    // request and is kept in the reply exactly.
    std::string junk = "\0\x01\xfe\xff\x7f\x0c"s;
    CPrinterProcess printer(Printer(With(FaxValues, {"--fault", "garbage=\\0\\x01\\xfe\\xff\\x7f\\f"})));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    auto requests = FaxRequests();
    ASSERT_TRUE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    std::string expected = junk + "@PJL DINQUIRE FAX_SET_COUNTRY\r\nGERMANY\r\n\x0c"
                                  "@PJL DINQUIRE FAX_SET_LINE_TYPE\r\nPBX\r\n\x0c"
                                  "@PJL DINQUIRE FAX_SET_DIAL_TYPE\r\n?\r\n\x0c";
    EXPECT_EQ(channel.exchange.reply, channel.codePage.FromAnsi(expected));
    EXPECT_EQ(channel.codePage.ToAnsi(channel.exchange.reply), expected);
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"GERMANY"});
}

TEST(NetChannelFaults, OversizedAnswerIsCappedAndFails)
{
    CPrinterProcess printer(Printer(With(FaxValues, {"--fault", "oversized=6000000"})));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    // Query reads the answer until its form feed, which comes only after the cap.
    EXPECT_FALSE(channel.Query("127.0.0.1", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReplyTooLarge);
    EXPECT_EQ(channel.exchange.reply.size(), channel.bounds.maxReplyBytes);
    // The accumulating read stops at the cap.
    auto requests = FaxRequests();
    EXPECT_FALSE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReplyTooLarge);
    EXPECT_EQ(channel.exchange.reply.size(), channel.bounds.maxReplyBytes);
}

TEST(NetChannelFaults, NoFormFeed)
{
    CPrinterProcess printer(Printer(With(FaxValues, {"--fault", "no-formfeed"})));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    // Without its form feed an answer never ends while the printer keeps the connection:
    // each try's wait runs out.
    EXPECT_FALSE(channel.Query("127.0.0.1", InfoId));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_EQ(channel.exchange.reply, ""); // the last try found nothing more
    // A batch answer without form feeds has no blocks: the read cycles run out.
    auto requests = FaxRequests();
    auto start = Clock::now();
    EXPECT_FALSE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_LT(Clock::now() - start, 3 * (channel.bounds.pause + channel.bounds.read) + 1s);
}

TEST(NetChannelFaults, PrinterThatNeverStopsSending)
{
    CPrinterProcess printer(Printer(With(FaxValues, {"--fault", "endless"})));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    // The answer is complete before the flood: both operations succeed and close.
    ASSERT_TRUE(channel.Query("127.0.0.1", InfoId));
    auto requests = FaxRequests();
    ASSERT_TRUE(channel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PBX"});

    // Without form feeds the flood never completes a block: the cap ends it.
    CPrinterProcess flood(Printer({"--fault", "endless", "--fault", "no-formfeed"}));
    ASSERT_TRUE(flood.Ready());
    Channel floodChannel(flood);
    requests = FaxRequests();
    EXPECT_FALSE(floodChannel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(floodChannel.exchange.failure, ChannelFailure::ReplyTooLarge);
    // With a larger cap the cycle bound ends it.
    floodChannel.bounds.maxReplyBytes = std::size_t(1) << 40;
    floodChannel.bounds.cycle = 500ms;
    auto start = Clock::now();
    EXPECT_FALSE(floodChannel.QueryBatch("127.0.0.1", FaxJob(), requests));
    EXPECT_EQ(floodChannel.exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_LT(Clock::now() - start, 3 * (floodChannel.bounds.pause + floodChannel.bounds.cycle) + 1s);
}

}
}
