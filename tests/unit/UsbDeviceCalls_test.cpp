#include "channel/CUSBConnect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A USB printer as the usblp driver shows it, played through the device file's seam: what
// the tests cannot get from a pseudo-terminal. Writes are taken at once (usblp submits the
// transfer and returns); poll reports POLLOUT only once the transfer has drained, after
// `drainAfter` or never. Reads hand out the scripted packets: data, a zero-length packet,
// or the device going away. Every call the channel makes is recorded in order.
struct FakeUsbPrinter {
    enum class Packet { Data, ZeroLength, Unplugged };
    struct Read {
        Packet kind;
        std::string bytes;
    };

    std::chrono::milliseconds drainAfter{0};
    bool neverDrains = false;
    bool goneAfterDrain = false; // the printer leaves as soon as it has taken the job
    std::deque<Read> reads;
    std::vector<std::string> calls;
    Clock::time_point lastWrite{};

    bool Drained() const { return !neverDrains && Clock::now() >= lastWrite + drainAfter; }

    platform::DeviceCalls Calls()
    {
        platform::DeviceCalls device;
        device.open = [this](const char*, int) {
            calls.push_back("open");
            return 7;
        };
        device.close = [this](int) {
            calls.push_back("close");
            return 0;
        };
        device.write = [this](int, const void*, std::size_t size) {
            calls.push_back("write");
            lastWrite = Clock::now();
            return static_cast<ssize_t>(size);
        };
        device.read = [this](int, void* buffer, std::size_t size) -> ssize_t {
            calls.push_back("read");
            Read next = reads.front();
            reads.pop_front();
            if (next.kind == Packet::Unplugged) {
                errno = ENODEV;
                return -1;
            }
            std::size_t n = std::min(size, next.bytes.size());
            std::copy_n(next.bytes.data(), n, static_cast<char*>(buffer));
            return static_cast<ssize_t>(n);
        };
        device.poll = [this](pollfd& entry, int timeoutMs) {
            auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
            entry.revents = 0;
            while (true) {
                if ((entry.events & POLLOUT) && Drained()) {
                    calls.push_back("drained");
                    entry.revents = goneAfterDrain ? POLLOUT | POLLHUP : POLLOUT;
                    return 1;
                }
                if ((entry.events & POLLIN) && goneAfterDrain) {
                    entry.revents = POLLIN | POLLHUP; // as a hung-up terminal reports
                    return 1;
                }
                if ((entry.events & POLLIN) && !reads.empty()) {
                    entry.revents = reads.front().kind == Packet::Unplugged ? POLLHUP : POLLIN;
                    return 1;
                }
                if (Clock::now() >= deadline)
                    return 0;
                std::this_thread::sleep_for(2ms);
            }
        };
        return device;
    }
};

struct Channel : CUSBConnect {
    explicit Channel(FakeUsbPrinter& printer) : CUSBConnect(platform::UsbRoots{}, printer.Calls())
    {
        bounds.write = 300ms;
        bounds.read = 200ms;
        bounds.pause = 100ms;
        codePage = platform::CAnsiCodePage("ISO-8859-1");
    }
};

const std::string InfoId = "@PJL INFO ID\r\n";
const std::string Answer = InfoId + "PLINTOR MFP 9000\r\n\x0c";

TEST(UsbDrain, NoWriteIsClosedBeforeTheDriverReportsItDrained)
{
    FakeUsbPrinter printer;
    printer.drainAfter = 120ms;
    Channel channel(printer);
    ASSERT_TRUE(channel.Send("@PJL SET A=1\r\n", "/dev/usb/lp0"));
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"open", "write", "drained", "close"}));

    // A Query reads only after the drain as well.
    printer.calls.clear();
    printer.reads = {{FakeUsbPrinter::Packet::Data, Answer}};
    ASSERT_TRUE(channel.Query(InfoId, "/dev/usb/lp0"));
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"open", "write", "drained", "read", "close"}));
}

TEST(UsbDrain, AJobThatDoesNotDrainWithinTheWriteBoundIsAFailedWrite)
{
    FakeUsbPrinter printer;
    printer.neverDrains = true;
    printer.reads = {{FakeUsbPrinter::Packet::Data, Answer}};
    Channel channel(printer);
    EXPECT_FALSE(channel.Send("@PJL SET A=1\r\n", "/dev/usb/lp0"));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::WriteFailed);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"open", "write", "close"}));

    // Late is as bad as never: a drain after the bound fails too, and nothing is read.
    printer.calls.clear();
    printer.neverDrains = false;
    printer.drainAfter = channel.bounds.write + 200ms;
    EXPECT_FALSE(channel.Query(InfoId, "/dev/usb/lp0"));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::WriteFailed);
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"open", "write", "close"}));
}

TEST(UsbDrain, APrinterThatLeavesRightAfterTakingTheJobKeepsTheWriteButAnswersNothing)
{
    // Regression: a hang-up reported together with the drain made the write a failure,
    // though the printer had the job (one that restarts on it leaves at once).
    FakeUsbPrinter printer;
    printer.goneAfterDrain = true;
    Channel channel(printer);
    EXPECT_TRUE(channel.Send("@PJL REBOOT\r\n", "/dev/usb/lp0"));
    EXPECT_EQ(printer.calls, (std::vector<std::string>{"open", "write", "drained", "close"}));
    // A read then meets the hang-up: the device went away, not a zero-length packet.
    EXPECT_FALSE(channel.Query(InfoId, "/dev/usb/lp0"));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadFailed);
}

TEST(UsbZeroLengthReads, AreAnsweredWithThePauseAndTheNextTryWithinThree)
{
    FakeUsbPrinter printer;
    printer.reads = {{FakeUsbPrinter::Packet::ZeroLength, ""}, {FakeUsbPrinter::Packet::Data, Answer}};
    Channel channel(printer);
    auto start = Clock::now();
    ASSERT_TRUE(channel.Query(InfoId, "/dev/usb/lp0"));
    EXPECT_GE(Clock::now() - start, channel.bounds.pause);
    EXPECT_EQ(channel.exchange.body, "PLINTOR MFP 9000\r\n");

    // Three zero-length packets use up the three tries: not recognised, nothing failed.
    printer.reads.assign(4, {FakeUsbPrinter::Packet::ZeroLength, ""});
    printer.calls.clear();
    EXPECT_FALSE(channel.Query(InfoId, "/dev/usb/lp0"));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NotRecognised);
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "read"), 3);

    // A zero-length packet ends a batch read cycle; the next cycle reads the answer.
    printer.reads = {{FakeUsbPrinter::Packet::ZeroLength, ""},
                     {FakeUsbPrinter::Packet::Data, "@PJL DINQUIRE A\r\nX\r\n\x0c"}};
    std::vector<PjlRequest> requests{{"@PJL DINQUIRE A\r\n", {}}};
    ASSERT_TRUE(channel.QueryBatch("@PJL DINQUIRE A\r\n", requests, "/dev/usb/lp0"));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"X"});
}

TEST(UsbZeroLengthReads, AnUnpluggedDeviceEndsTheQueryAtOnce)
{
    FakeUsbPrinter printer;
    printer.reads = {{FakeUsbPrinter::Packet::Unplugged, ""}, {FakeUsbPrinter::Packet::Data, Answer}};
    Channel channel(printer);
    EXPECT_FALSE(channel.Query(InfoId, "/dev/usb/lp0"));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadFailed);
    EXPECT_EQ(printer.reads.size(), 2u); // the hang-up was seen by poll; no try followed

    // An error from the read itself (ENODEV without a hang-up report) ends it the same way.
    printer.reads = {{FakeUsbPrinter::Packet::Unplugged, ""}, {FakeUsbPrinter::Packet::Data, Answer}};
    platform::DeviceCalls calls = printer.Calls();
    auto poll = calls.poll;
    calls.poll = [poll](pollfd& entry, int timeoutMs) {
        int ready = poll(entry, timeoutMs);
        if (entry.revents & POLLHUP)
            entry.revents = POLLIN; // an older kernel: poll says nothing of the unplug
        return ready;
    };
    CUSBConnect older(platform::UsbRoots{}, calls);
    older.bounds = channel.bounds;
    EXPECT_FALSE(older.Query(InfoId, "/dev/usb/lp0"));
    EXPECT_EQ(older.exchange.failure, ChannelFailure::ReadFailed);
    EXPECT_EQ(printer.reads.size(), 1u);
}

}
}
