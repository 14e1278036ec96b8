#include "channel/CUSBConnect.h"

#include "PrinterProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace plintor {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::CPrinterProcess;
using test::CTempFolder;
using Clock = std::chrono::steady_clock;

const std::string Uel = "\x1b%-12345X";
const std::string InfoId = "@PJL INFO ID\r\n";

CPrinterProcess::Setup UsbPrinter(std::vector<std::string> arguments)
{
    CPrinterProcess::Setup setup;
    setup.usb = true;
    setup.arguments = std::move(arguments);
    return setup;
}

// A channel over the stand-in's fake tree, with short bounds and a fixed character set.
struct Channel : CUSBConnect {
    explicit Channel(const CPrinterProcess& printer) : CUSBConnect(printer.UsbRoots())
    {
        bounds.read = 400ms;
        bounds.cycle = 3s;
        bounds.pause = 50ms;
        codePage = platform::CAnsiCodePage("ISO-8859-1");
    }
};

std::vector<std::string> Lines(CUSBConnect& channel)
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
    return {{"@PJL DINQUIRE FAX_SET_COUNTRY\r\n", {}}, {"@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n", {"stale"}}};
}

const std::string FaxJob = "@PJL DINQUIRE FAX_SET_COUNTRY\r\n@PJL DINQUIRE FAX_SET_LINE_TYPE\r\n";

TEST(UsbChannel, EnumerateFindsTheStandInAndQueryTalksToIt)
{
    CPrinterProcess printer(UsbPrinter({"--dinquire", "FAX_SET_COUNTRY=JAPAN"}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    ASSERT_TRUE(channel.Enumerate());
    ASSERT_EQ(channel.devices.size(), 1u);
    std::string location, path, id;
    std::uint32_t port = 0;
    ASSERT_TRUE(channel.CurrentLocation(&location));
    ASSERT_TRUE(channel.CurrentPath(&path));
    ASSERT_TRUE(channel.CurrentPortNumber(&port));
    ASSERT_TRUE(channel.CurrentDeviceId(&id));
    EXPECT_FALSE(channel.CurrentPath(nullptr));
    EXPECT_EQ(location, "1-1");
    EXPECT_EQ(path, printer.UsbDevice());
    EXPECT_EQ(port, 1u);
    EXPECT_NE(id.find("MDL:PLINTOR MFP 9000;"), std::string::npos);

    ASSERT_TRUE(channel.Query(InfoId));
    EXPECT_EQ(channel.exchange.reply, InfoId + "PLINTOR MFP 9000\r\n\x0c");
    EXPECT_EQ(Lines(channel), std::vector<std::string>{"PLINTOR MFP 9000"});
    EXPECT_FALSE(channel.device.IsOpen());

    std::string command = "@PJL SET IWAIPADDRESS=10.0.0.9\r\n@PJL REBOOT\r\n";
    ASSERT_TRUE(channel.Send(command, path));

    auto requests = FaxRequests();
    ASSERT_TRUE(channel.QueryBatch(FaxJob, requests));
    EXPECT_EQ(requests[0].lines, std::vector<std::string>{"JAPAN"});
    EXPECT_TRUE(requests[1].lines.empty());

    std::string expected = Uel + InfoId + Uel + Uel + command + Uel + Uel + FaxJob + Uel;
    EXPECT_EQ(printer.WaitForLog(expected.size()), expected);

    channel.Next();
    EXPECT_FALSE(channel.CurrentPath(&path));
    EXPECT_FALSE(channel.Query(InfoId)); // no current device
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NoDevice);
}

TEST(UsbChannel, TwoPrintersAreListedInOrderWithTheirPortNumbers)
{
    CTempFolder shared;
    CPrinterProcess::Setup first;
    first.usbFolder = shared.Path();
    first.arguments = {"--id", "FIRST"};
    CPrinterProcess one(first);
    ASSERT_TRUE(one.Ready());
    CPrinterProcess::Setup second = first;
    second.arguments = {"--id", "SECOND"};
    CPrinterProcess two(second);
    ASSERT_TRUE(two.Ready());

    Channel channel(one);
    ASSERT_TRUE(channel.Enumerate());
    ASSERT_EQ(channel.devices.size(), 2u);
    EXPECT_EQ(channel.devices[0].portNumber, 1u);
    EXPECT_EQ(channel.devices[1].portNumber, 2u);
    EXPECT_EQ(channel.devices[1].locationInfo, "1-2");
    std::vector<std::string> ids;
    for (channel.First(); channel.current < channel.devices.size(); channel.Next()) {
        ASSERT_TRUE(channel.Query(InfoId));
        ids.push_back(Lines(channel).at(0));
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"FIRST", "SECOND"}));
}

// A hand-made class tree: entries that are not usblp printers, and the device-id ioctl.
TEST(UsbChannel, OnlyPrinterClassDevicesWithShortTextsAreListed)
{
    CTempFolder tree;
    fs::path sys = fs::path(tree.Path()) / "sys";
    fs::path dev = fs::path(tree.Path()) / "dev";
    auto add = [&](const std::string& name, const std::string& interface, const std::string& driver) {
        fs::create_directories(sys / "devices" / interface);
        fs::create_directories(sys / "bus/usb/drivers" / driver);
        fs::create_directory_symlink(sys / "bus/usb/drivers" / driver, sys / "devices" / interface / "driver");
        fs::create_directories(sys / "class/usbmisc" / name);
        fs::create_directory_symlink(sys / "devices" / interface, sys / "class/usbmisc" / name / "device");
        fs::create_directories(dev / "usb");
        std::ofstream(dev / "usb" / name) << "";
    };
    add("lp3", "2-1.4:1.0", "usblp");
    add("lp1", "2-1.1:1.1", "usblp");
    add("hiddev0", "2-1.2:1.0", "usbhid"); // not an lp entry
    add("lp2", "2-1.3:1.0", "usbfs");      // not bound to the printer driver
    std::ofstream(sys / "devices/2-1.4:1.0/ieee1284_id") << "MFG:A;MDL:B;\n";

    platform::UsbRoots roots{(sys).string(), (dev).string(), {}};
    int ioctlCalls = 0;
    roots.deviceIdIoctl = [&](int, std::string& raw) {
        ++ioctlCalls;
        std::string id = "MFG:C;MDL:D;";
        raw = std::string(1, static_cast<char>(id.size() + 2)) + std::string(1, '\0') + id; // little-endian
        raw.resize(1024, '\0');
        return true;
    };
    CUSBConnect channel(roots);
    ASSERT_TRUE(channel.Enumerate());
    ASSERT_EQ(channel.devices.size(), 2u);
    EXPECT_EQ(channel.devices[0].devicePath, (dev / "usb/lp1").string());
    EXPECT_EQ(channel.devices[0].portNumber, 2u);
    EXPECT_EQ(channel.devices[0].locationInfo, "2-1.1");
    EXPECT_EQ(channel.devices[0].deviceId, "MFG:C;MDL:D;"); // from the ioctl
    EXPECT_EQ(channel.devices[1].portNumber, 4u);
    EXPECT_EQ(channel.devices[1].deviceId, "MFG:A;MDL:B;"); // from sysfs
    EXPECT_EQ(ioctlCalls, 1);

    // A device path of 260 characters or more is not listed; 259 is.
    auto withDevRoot = [&](std::size_t pathLength) {
        std::string suffix = "/usb/lp1";
        std::string root = dev.string() + "/" + std::string(pathLength - dev.string().size() - 1 - suffix.size(), 'd');
        platform::UsbRoots longRoots{sys.string(), root, {}};
        CUSBConnect longChannel(longRoots);
        longChannel.Enumerate();
        for (const auto& device : longChannel.devices)
            if (device.portNumber == 2)
                return device.devicePath.size();
        return std::size_t(0);
    };
    EXPECT_EQ(withDevRoot(259), 259u);
    EXPECT_EQ(withDevRoot(260), 0u);

    // No class folder at all: nothing is listed.
    CUSBConnect empty(platform::UsbRoots{tree.Path() + "/none", tree.Path() + "/none", {}});
    EXPECT_TRUE(empty.Enumerate());
    EXPECT_TRUE(empty.devices.empty());
    EXPECT_FALSE(empty.CurrentPath(nullptr));
}

TEST(UsbChannelFaults, SilentAndSlow)
{
    CPrinterProcess silent(UsbPrinter({"--fault", "silent"}));
    ASSERT_TRUE(silent.Ready());
    Channel channel(silent);
    auto start = Clock::now();
    EXPECT_FALSE(channel.Query(InfoId, silent.UsbDevice()));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadTimedOut);
    EXPECT_LT(Clock::now() - start, 3 * channel.bounds.read + 3 * channel.bounds.pause + 1s);
    auto requests = FaxRequests();
    EXPECT_FALSE(channel.QueryBatch(FaxJob, requests, silent.UsbDevice()));
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"stale"});

    CPrinterProcess slow(UsbPrinter({"--fault", "slow=600"}));
    ASSERT_TRUE(slow.Ready());
    Channel patient(slow);
    patient.bounds.read = 2s;
    EXPECT_TRUE(patient.Query(InfoId, slow.UsbDevice()));
    // A hasty reader gives up; the late answer it left behind does not confuse the next job.
    Channel hasty(slow);
    hasty.bounds.read = 100ms;
    EXPECT_FALSE(hasty.Query(InfoId, slow.UsbDevice()));
    EXPECT_TRUE(patient.Query("@PJL INFO IWASETUP\r\n", slow.UsbDevice()));
    EXPECT_EQ(Lines(patient), std::vector<std::string>{"SETUP=ENABLE"});
}

TEST(UsbChannelFaults, SplitAnswerIsReadUntilItsFormFeed)
{
    CPrinterProcess printer(UsbPrinter({"--fault", "split=5,14,20/80", "--dinquire", "FAX_SET_LINE_TYPE=PSTN"}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    ASSERT_TRUE(channel.Query(InfoId, printer.UsbDevice()));
    EXPECT_EQ(channel.exchange.reply, InfoId + "PLINTOR MFP 9000\r\n\x0c");
    auto requests = FaxRequests();
    ASSERT_TRUE(channel.QueryBatch(FaxJob, requests, printer.UsbDevice()));
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PSTN"});
}

TEST(UsbChannelFaults, DeviceThatVanishesMidAnswerFailsAndComesBack)
{
    CPrinterProcess printer(UsbPrinter({"--fault", "early-close=20"}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    auto start = Clock::now();
    EXPECT_FALSE(channel.Query(InfoId, printer.UsbDevice()));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadFailed);
    EXPECT_LT(Clock::now() - start, 1s);
    // The stand-in plugs itself in again as a new device at the same path.
    ASSERT_TRUE(CPrinterProcess::WaitForPath(printer.UsbDevice(), 3s));
    auto requests = FaxRequests();
    EXPECT_FALSE(channel.QueryBatch(FaxJob, requests, printer.UsbDevice()));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadFailed);
    // Gone before the job: the open fails and nothing is written.
    ASSERT_TRUE(CPrinterProcess::WaitForPath(printer.UsbDevice(), 3s));
    fs::remove(printer.UsbDevice());
    EXPECT_FALSE(channel.Send("@PJL ECHO X\r\n", printer.UsbDevice()));
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::NoDevice);
}

TEST(UsbChannelFaults, ZeroLengthPacketIsAnEmptyAnswerAndTheNextTryReadsTheAnswer)
{
    // A read of 0 bytes is what usblp returns for a zero-length packet: the try ends with
    // nothing recognised, and the next one follows the pause.
    CPrinterProcess printer(UsbPrinter({"--fault", "zero-length", "--dinquire", "FAX_SET_LINE_TYPE=PSTN"}));
    ASSERT_TRUE(printer.Ready());
    Channel channel(printer);
    auto start = Clock::now();
    ASSERT_TRUE(channel.Query(InfoId, printer.UsbDevice()));
    EXPECT_GE(Clock::now() - start, channel.bounds.pause);
    EXPECT_EQ(channel.exchange.reply, InfoId + "PLINTOR MFP 9000\r\n\x0c");
    // In a batch a zero-length packet ends the first read cycle without text.
    auto requests = FaxRequests();
    ASSERT_TRUE(channel.QueryBatch(FaxJob, requests, printer.UsbDevice()));
    EXPECT_EQ(requests[1].lines, std::vector<std::string>{"PSTN"});

    // Three of them use up the three tries.
    CPrinterProcess three(UsbPrinter({"--fault", "zero-length=3"}));
    ASSERT_TRUE(three.Ready());
    Channel tries(three);
    EXPECT_FALSE(tries.Query(InfoId, three.UsbDevice()));
    EXPECT_EQ(tries.exchange.failure, ChannelFailure::NotRecognised);
}

TEST(UsbChannelFaults, GarbageNoFormFeedOversizedEndless)
{
    CPrinterProcess garbage(UsbPrinter({"--fault", "garbage"}));
    ASSERT_TRUE(garbage.Ready());
    Channel channel(garbage);
    EXPECT_FALSE(channel.Query(InfoId, garbage.UsbDevice()));
    // The first read ended at the form feed unrecognised; the ones after it found nothing.
    EXPECT_EQ(channel.exchange.failure, ChannelFailure::ReadTimedOut);

    // Without a form feed (and without a zero-length packet after it) the wait runs out.
    CPrinterProcess noFormFeed(UsbPrinter({"--fault", "no-formfeed"}));
    ASSERT_TRUE(noFormFeed.Ready());
    Channel waiting(noFormFeed);
    EXPECT_FALSE(waiting.Query(InfoId, noFormFeed.UsbDevice()));
    EXPECT_EQ(waiting.exchange.failure, ChannelFailure::ReadTimedOut);

    CPrinterProcess oversized(UsbPrinter({"--fault", "oversized=5000000"}));
    ASSERT_TRUE(oversized.Ready());
    Channel capped(oversized);
    EXPECT_FALSE(capped.Query(InfoId, oversized.UsbDevice()));
    EXPECT_EQ(capped.exchange.failure, ChannelFailure::ReplyTooLarge);
    EXPECT_LE(capped.exchange.reply.size(), capped.bounds.maxReplyBytes);
    // The rest of that answer is dropped when the next job comes.
    EXPECT_FALSE(capped.Query(InfoId, oversized.UsbDevice()));
    EXPECT_EQ(capped.exchange.failure, ChannelFailure::ReplyTooLarge);

    CPrinterProcess endless(UsbPrinter({"--fault", "endless"}));
    ASSERT_TRUE(endless.Ready());
    Channel flooded(endless);
    // The answer ends at its form feed; the flood behind it is no part of it.
    ASSERT_TRUE(flooded.Query(InfoId, endless.UsbDevice()));
    EXPECT_EQ(flooded.exchange.reply, InfoId + "PLINTOR MFP 9000\r\n\x0c");
    EXPECT_EQ(Lines(flooded), std::vector<std::string>{"PLINTOR MFP 9000"});
    // The next job meets the rest of the flood still waiting on the device: whatever the
    // outcome, it ends within the bounds.
    auto start = Clock::now();
    flooded.Query("@PJL INFO IWAOPTIONS\r\n", endless.UsbDevice());
    EXPECT_LT(Clock::now() - start, 3 * (flooded.bounds.cycle + flooded.bounds.pause) + 1s);
    EXPECT_LE(flooded.exchange.reply.size(), flooded.bounds.maxReplyBytes);
}

}
}
