// The USB search of discovery against USB stand-in printers in a fake class tree.

#include "PrinterProcess.h"

#include "channel/CUSBConnect.h"
#include "config/UtilityConfig.h"
#include "core/PrinterList.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/UsbDiscovery.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace plintor {
namespace {

using test::CPrinterProcess;
using test::CTempFolder;

const std::string kModel = "PLINTOR MFP 9000";

// Stand-ins plugged into one shared tree in order: ports 1, 2, 3...
class UsbDiscoveryTest : public ::testing::Test {
protected:
    UsbDiscoveryTest() { config.usbIds = {"plintor mfp 9000"}; }

    CPrinterProcess& Plug(std::vector<std::string> arguments)
    {
        CPrinterProcess::Setup setup;
        setup.usbFolder = shared.Path();
        setup.arguments = std::move(arguments);
        printers.push_back(std::make_unique<CPrinterProcess>(setup));
        EXPECT_TRUE(printers.back()->Ready());
        return *printers.back();
    }
    DiscoveryContext Context(std::uint32_t flags, int checkWlan)
    {
        DiscoveryContext context;
        context.config = &config;
        context.printers = &list;
        context.configureFlags = flags;
        context.checkWlan = checkWlan;
        context.configFilePath = shared.Path() + "/plintor.ini"; // absent: the printer is asked
        context.usbRoots = printers.front()->UsbRoots();
        return context;
    }
    std::vector<PrinterEntry> Entries() const
    {
        std::vector<PrinterEntry> out;
        for (int i = 0; i < list.Count(); ++i) {
            PrinterEntry entry;
            EXPECT_TRUE(list.GetPrinter(i, entry));
            out.push_back(entry);
        }
        return out;
    }

    CTempFolder shared;
    std::vector<std::unique_ptr<CPrinterProcess>> printers;
    UtilityConfig config;
    PrinterList list;
};

TEST(UsbPortNames, AreUsbAndThreeDigits)
{
    EXPECT_EQ(UsbPortName(1), "USB001");
    EXPECT_EQ(UsbPortName(7), "USB007");
    EXPECT_EQ(UsbPortName(123), "USB123");
}

TEST_F(UsbDiscoveryTest, ListsSupportedPrintersWithPathPortAndOptionsAndDropsOthers)
{
    CPrinterProcess& wlan = Plug({"--id", kModel});                  // options WLAN
    CPrinterProcess& other = Plug({"--id", "ANOTHER MAKER 1"});
    CPrinterProcess& mpc = Plug({"--id", kModel, "--options", "MPC,WLAN"});

    // With IP configured the capability query sets options.
    DiscoveryContext context = Context(kConfigureIp, 0);
    int noModule = -1;
    ASSERT_EQ(DiscoverUsb(context, noModule), 2);
    EXPECT_EQ(noModule, 0);
    std::vector<PrinterEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].connection, kConnectionUsb);
    EXPECT_EQ(entries[0].chosen, 0u);
    EXPECT_EQ(entries[0].usbDevicePath, wlan.UsbDevice());
    EXPECT_EQ(entries[0].usbPortNumber, 1u);
    EXPECT_EQ(UsbPortName(entries[0].usbPortNumber), "USB001");
    EXPECT_EQ(entries[0].options, 1);
    EXPECT_TRUE(entries[0].macAddress.empty());
    EXPECT_EQ(entries[1].usbDevicePath, mpc.UsbDevice());
    EXPECT_EQ(UsbPortName(entries[1].usbPortNumber), "USB003");
    EXPECT_EQ(entries[1].options, 0); // an "MPC" line
    // The unsupported printer was asked who it is, and nothing more.
    const std::string uel = "\x1b%-12345X";
    EXPECT_EQ(other.WaitForLog(1), uel + "@PJL INFO ID\r\n" + uel);
    EXPECT_EQ(other.Log().find("IWAOPTIONS"), std::string::npos);

    // Without IP the capability query is not run: options stay -1, and the printers are
    // not asked for them.
    std::size_t asked = wlan.Log().size();
    context = Context(0, 0);
    ASSERT_EQ(DiscoverUsb(context, noModule), 2);
    entries = Entries();
    ASSERT_EQ(entries.size(), 2u); // cleared first, not appended to
    EXPECT_EQ(entries[0].options, -1);
    EXPECT_EQ(entries[1].options, -1);
    std::string since = wlan.WaitForLog(asked + 1).substr(asked);
    EXPECT_NE(since.find("@PJL INFO ID"), std::string::npos);
    EXPECT_EQ(since.find("IWAOPTIONS"), std::string::npos);

    // A model listed only by its location text is not enough on this platform.
    config.usbIds = {"NOT THIS ONE"};
    config.usbLocationInfos = {"1-1", "1-2", "1-3"};
    ASSERT_EQ(DiscoverUsb(context, noModule), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(UsbDiscoveryTest, SilentDeviceIsLeftOutAndTheTightSearchBoundStillListsTheOthers)
{
    // The search's questions have UsbSearchQuery as a whole (a silent device used to hold
    // a pass for three read bounds and two pauses; channel_query_bench prints the time of
    // a pass). A printer that answers in pieces still answers within it.
    CPrinterProcess& silent = Plug({"--id", kModel, "--fault", "silent"});
    CPrinterProcess& answering = Plug({"--id", kModel});
    DiscoveryContext context = Context(kConfigureIp, 0);
    int noModule = -1;
    ASSERT_EQ(DiscoverUsb(context, noModule), 1);
    std::vector<PrinterEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].usbDevicePath, answering.UsbDevice());
    EXPECT_EQ(entries[0].options, 1);
    // The silent device was asked who it is, once.
    const std::string uel = "\x1b%-12345X";
    EXPECT_EQ(silent.WaitForLog(1), uel + "@PJL INFO ID\r\n" + uel);
}

TEST_F(UsbDiscoveryTest, WirelessRunCountsPrintersWithoutTheModuleAndDoesNotListThem)
{
    CPrinterProcess& wlan = Plug({"--id", kModel, "--options", "WLAN"});
    Plug({"--id", kModel, "--options", "MPC"});          // supported, no wireless module
    Plug({"--id", "ANOTHER MAKER 1", "--options", "MPC"}); // not supported: not counted

    DiscoveryContext context = Context(kConfigureWireless | kConfigureIp, 1);
    int noModule = -1;
    ASSERT_EQ(DiscoverUsb(context, noModule), 1);
    EXPECT_EQ(noModule, 1);
    std::vector<PrinterEntry> entries = Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].usbDevicePath, wlan.UsbDevice());
    EXPECT_EQ(entries[0].usbPortNumber, 1u);
    EXPECT_EQ(entries[0].options, 1);

    // The same search, one device at a time.
    CUSBConnect usb(*context.usbRoots);
    ASSERT_TRUE(usb.Enumerate());
    ASSERT_EQ(usb.devices.size(), 3u);
    std::vector<int> codes;
    for (usb.First(); usb.current < usb.devices.size(); usb.Next()) {
        std::string location;
        usb.CurrentLocation(&location);
        codes.push_back(CheckUsbDevice(location, usb, context));
    }
    EXPECT_EQ(codes, (std::vector<int>{kSupported, kNoWirelessModule, kNotSupported}));

    // Without the module check, or without wireless, both supported printers are listed.
    using Run = std::pair<std::uint32_t, int>;
    for (auto [flags, check] : {Run{kConfigureWireless | kConfigureIp, 0}, Run{kConfigureIp, 1}}) {
        SCOPED_TRACE(flags * 10 + check);
        context = Context(flags, check);
        EXPECT_EQ(DiscoverUsb(context, noModule), 2);
        EXPECT_EQ(noModule, 0);
    }
}

TEST_F(UsbDiscoveryTest, AnEmptyTreeClearsTheList)
{
    Plug({"--id", kModel});
    DiscoveryContext context = Context(0, 0);
    int noModule = -1;
    ASSERT_EQ(DiscoverUsb(context, noModule), 1);
    CTempFolder empty;
    platform::UsbRoots roots;
    roots.sysRoot = empty.Path() + "/sys";
    roots.devRoot = empty.Path() + "/dev";
    context.usbRoots = roots;
    noModule = -1;
    EXPECT_EQ(DiscoverUsb(context, noModule), 0);
    EXPECT_EQ(noModule, 0);
    EXPECT_EQ(list.Count(), 0);
}

}
}
