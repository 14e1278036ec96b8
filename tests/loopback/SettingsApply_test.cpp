// The settings jobs, the FAX read and the access point survey against stand-in printers
// over TCP and over the USB stand-in; each test checks what the printer ended up with.

#include "PrinterProcess.h"

#include "channel/CUSBConnect.h"
#include "config/UtilityConfig.h"
#include "core/ConfigureFlags.h"
#include "core/PrinterList.h"
#include "discovery/WirelessAdapter.h"
#include "settings/ApSurvey.h"
#include "settings/ApplySettings.h"
#include "settings/FaxRead.h"
#include "settings/SettingsContext.h"
#include "ui/MessageBox.h"
#include "wizard/RunContexts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

namespace plintor {
namespace {

using test::CPrinterProcess;
using test::CTempFolder;
using Clock = std::chrono::steady_clock;
using State = std::map<std::string, std::string>;

// A stand-in printer with a state file; optionally bound to another loopback address
// and port, so that several network printers share the one PJL port the channel uses.
struct StandIn {
    CTempFolder stateFolder;
    std::string statePath = stateFolder.Path() + "/state";
    std::unique_ptr<CPrinterProcess> process;

    explicit StandIn(std::vector<std::string> arguments, bool usb = false, std::string bind = "127.0.0.1",
                     int port = 0)
    {
        CPrinterProcess::Setup setup;
        setup.arguments = {"--state", statePath, "--reboot-time", "1000"};
        if (port != 0) {
            setup.arguments.push_back("--pjl-port");
            setup.arguments.push_back(std::to_string(port));
        }
        setup.arguments.insert(setup.arguments.end(), arguments.begin(), arguments.end());
        setup.usb = usb;
        setup.bind = std::move(bind);
        process = std::make_unique<CPrinterProcess>(setup);
    }

    bool Ready() const { return process->Ready(); }

    State ReadState() const
    {
        State state;
        std::ifstream file(statePath, std::ios::binary);
        std::string line;
        while (std::getline(file, line)) {
            auto equals = line.find('=');
            if (equals != std::string::npos)
                state[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return state;
    }

    // The state once the printer has taken `jobs` jobs (bounded wait).
    State WaitForJobs(int jobs) const
    {
        auto deadline = Clock::now() + std::chrono::seconds(10);
        State state = ReadState();
        while (std::atoi(state["JOBS"].c_str()) < jobs && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            state = ReadState();
        }
        return state;
    }
};

PrinterEntry NetworkEntry(const std::string& address)
{
    PrinterEntry entry;
    entry.chosen = 1;
    entry.connection = kConnectionNetwork;
    entry.addressIpv4 = address;
    entry.options = 0;
    return entry;
}

PrinterEntry UsbEntry(const std::string& device)
{
    PrinterEntry entry;
    entry.chosen = 1;
    entry.connection = kConnectionUsb;
    entry.usbDevicePath = device;
    entry.options = 1;
    return entry;
}

UtilityConfig FaxConfig()
{
    UtilityConfig config;
    config.faxCountries = {244, 94, 84};
    config.faxLineTypes = {1, 2};
    config.faxDialTypes = {1, 2, 3};
    config.faxReceiveModes = {1, 2, 3, 4, 5};
    config.faxDrpdPatterns = {1, 2, 3, 4, 5, 6, 7};
    config.faxDefaults.country = 244;
    config.faxDefaults.drpdPattern = 4;
    return config;
}

class SettingsLoopback : public ::testing::Test {
protected:
    void SetUp() override
    {
        config = FaxConfig();
        context.printers = &printers;
        context.selectedPrinter = &selected;
        context.config = &config;
        context.wireCharset = "UTF-8";
        context.userNation = [] { return std::int64_t{-1}; };
        context.bounds.read = std::chrono::milliseconds(3000);
        context.bounds.connect = std::chrono::milliseconds(2000);
        context.bounds.pause = std::chrono::milliseconds(50);
    }
    void TearDown() override
    {
        unsetenv("PLINTOR_PJL_PORT");
        SetMessageBoxHandler({});
    }
    void UsePort(int port) { setenv("PLINTOR_PJL_PORT", std::to_string(port).c_str(), 1); }

    PrinterList printers;
    std::int32_t selected = 0;
    UtilityConfig config;
    SettingsContext context;
};

TEST_F(SettingsLoopback, ApplySettingsOverTcpSetsIpFaxAndLanguageAndRestarts)
{
    StandIn printer({});
    ASSERT_TRUE(printer.Ready());
    UsePort(printer.process->Port());
    PrinterEntry entry = NetworkEntry("127.0.0.1");
    entry.ip.stackMode = 0;
    entry.ip.ipv4Mode = 1;
    entry.ip.ipv4Address = 0xC0A8010A;
    entry.ip.subnetMask = 0xFFFFFF00;
    entry.ip.gateway = 0xC0A80101;
    entry.ip.ipv6Manual = 1;
    entry.ip.ipv6Address = "2001:db9::10";
    entry.ip.ipv6Gateway = "2001:db9::1";
    entry.fax.country = 94;
    entry.fax.lineType = 2;
    entry.fax.dialType = 3;
    entry.fax.receiveMode = 5;
    entry.fax.drpdPattern = 6;
    entry.fax.companyName = "Acme \"Ltd\"";
    entry.fax.faxNumber = "+49 30 1234";
    entry.panelLanguage = 1031;
    printers.Add(entry);
    context.configureFlags = kConfigureIp | kConfigureFax | kConfigurePanelLanguage;

    ApplyReport report;
    ASSERT_TRUE(ApplySettings(context, &report));
    EXPECT_EQ(report.sent, std::vector<int>{0});
    State state = printer.WaitForJobs(1);
    EXPECT_EQ(state["RESTARTS"], "1");
    EXPECT_EQ(state["TCPIP.VSSTACKMODE"], "DUAL");
    EXPECT_EQ(state["TCPIP.IPMODE"], "MANUAL");
    EXPECT_EQ(state["TCPIP.IPADDRESS"], "C0A8010A");
    EXPECT_EQ(state["TCPIP.SNMADDRESS"], "FFFFFF00");
    EXPECT_EQ(state["TCPIP.GTWADDRESS"], "C0A80101");
    EXPECT_EQ(state["TCPIP.VSMANUAL"], "ON");
    EXPECT_EQ(state["TCPIP.VSIPADDRESS"], "2001:0DB9:0000:0000:0000:0000:0000:0010/64");
    EXPECT_EQ(state["TCPIP.VSGTWADDRESS"], "2001:0DB9:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(state["FAX_SET_COUNTRY"], "GERMANY");
    EXPECT_EQ(state["FAX_SET_LINE_TYPE"], "PBX");
    EXPECT_EQ(state["FAX_SET_DIAL_TYPE"], "DP20");
    EXPECT_EQ(state["FAX_SET_RCV_MODE"], "DRPD");
    EXPECT_EQ(state["FAX_SET_DRPD"], "PAT6");
    EXPECT_EQ(state["FAX_SET_SD_HEAD_NAME"], "Acme \"Ltd\"");
    EXPECT_EQ(state["FAX_SET_G3ID"], "+49 30 1234");
    EXPECT_EQ(state["FAXSAVE"], "1");
    EXPECT_EQ(state["LANG"], "GERMAN");
    EXPECT_EQ(state["UNKNOWN_LINES"], "0");
    EXPECT_EQ(state.count("WLAN.SSID"), 0u);  // the wireless group was not configured

    // The restart keeps the printer away for a while; a send then fails and says so.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(ApplySettings(context, &report));
    EXPECT_EQ(report.failed, 0);
    EXPECT_TRUE(report.sent.empty());
    auto deadline = Clock::now() + std::chrono::seconds(10);
    bool back = false;
    while (!back && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        back = ApplySettings(context);
    }
    EXPECT_TRUE(back);
    EXPECT_EQ(printer.WaitForJobs(2)["RESTARTS"], "2");
}

TEST_F(SettingsLoopback, ApplySettingsOverUsbSetsWirelessAndTheWirelessFormOfIp)
{
    StandIn printer({}, true);
    ASSERT_TRUE(printer.Ready());
    PrinterEntry entry = UsbEntry(printer.process->UsbDevice());
    entry.wireless.ssid = "Caf\xc3\xa9 \"5\"";
    entry.wireless.networkType = 1;
    entry.wireless.security = 1;
    entry.wireless.wepKey = "AbCdE";
    entry.wireless.transmitKey = 2;
    entry.ip.stackMode = 1;
    entry.ip.ipv4Mode = 1;
    entry.ip.ipv4Address = 0xA9FE0001;
    entry.ip.subnetMask = 0xFFFF0000;
    entry.ip.gateway = 0xA9FE00FE;
    printers.Add(entry);
    context.configureFlags = kConfigureWireless | kConfigureIp;

    ASSERT_TRUE(ApplySettings(context));
    State state = printer.WaitForJobs(1);
    EXPECT_EQ(state["RESTARTS"], "1");
    EXPECT_EQ(state["IWAWIRELESS"], "ON");
    EXPECT_EQ(state["WLAN.SSID"], "Caf\xc3\xa9 \"5\"");
    EXPECT_EQ(state["WLAN.NETWORKTYPE"], "ADHOC");
    EXPECT_EQ(state["WLAN.SECURITY"], "WEP");
    EXPECT_EQ(state["WLAN.WEPKEYSIZE"], "64BIT");
    EXPECT_EQ(state["WLAN.TRANSMITKEY"], "2");
    EXPECT_EQ(state["WLAN.WEPKEY"], "F54162436445FF");
    EXPECT_EQ(state["WLAN.IPMODE"], "MANUAL");
    EXPECT_EQ(state["WLAN.IPADDRESS"], "A9FE0001");
    EXPECT_EQ(state["WLAN.GTWADDRESS"], "A9FE00FE");  // the IP group (options 1) sends it
    EXPECT_EQ(state.count("TCPIP.IPMODE"), 0u);         // the wired interface is untouched
}

TEST_F(SettingsLoopback, TextsOutsideTheWireCharacterSetWereSentWithQuestionMarks)
{
    StandIn printer({});
    ASSERT_TRUE(printer.Ready());
    UsePort(printer.process->Port());
    PrinterEntry entry = NetworkEntry("127.0.0.1");
    entry.wireless.ssid = "Caf\xc3\xa9\xe2\x82\xac";  // "Caf\u00e9\u20ac"
    entry.wireless.security = 3;
    entry.wireless.passphrase = "\xc3\xa9t\xc3\xa9";
    entry.ip.stackMode = 1;
    printers.Add(entry);
    context.configureFlags = kConfigureWireless;
    context.wireCharset = "ISO-8859-1";
    // Latin-1 cannot carry the euro sign: the job is not sent at all.
    ApplyReport report;
    EXPECT_FALSE(ApplySettings(context, &report));
    EXPECT_EQ(report.unbuilt, std::vector<int>{0});
    EXPECT_TRUE(report.sent.empty());
    EXPECT_EQ(report.failed, -1);
    // Without it every character goes as its one Latin-1 byte.
    entry.wireless.ssid = "Caf\xc3\xa9";
    printers.ReplacePrinter(0, entry);
    ASSERT_TRUE(ApplySettings(context));
    State state = printer.WaitForJobs(1);
    EXPECT_EQ(state["JOBS"], "1");
    EXPECT_EQ(state["WLAN.SSID"], "Caf\xe9");
    EXPECT_EQ(state["WLAN.SECURITY"], "WPAPSKAES");
    EXPECT_EQ(state["WLAN.PASSPHRASE"], "\xe9t\xe9");
}

TEST_F(SettingsLoopback, FailedSendStopsTheWalkAndLaterPrintersAreNotContacted)
{
    StandIn first({}, true);
    StandIn third({}, true);
    ASSERT_TRUE(first.Ready() && third.Ready());
    CTempFolder missing;
    printers.Add(UsbEntry(first.process->UsbDevice()));
    printers.Add(UsbEntry(missing.Path() + "/lp9"));  // unplugged
    printers.Add(UsbEntry(third.process->UsbDevice()));
    context.configureFlags = kConfigurePanelLanguage;
    for (int i = 0; i < 3; ++i) {
        PrinterEntry entry;
        printers.GetPrinter(i, entry);
        entry.panelLanguage = 1036;
        printers.ReplacePrinter(i, entry);
    }
    ApplyReport report;
    EXPECT_FALSE(ApplySettings(context, &report));
    EXPECT_EQ(report.sent, std::vector<int>{0});
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(first.WaitForJobs(1)["LANG"], "FRENCH");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(third.ReadState()["JOBS"], "0");
    EXPECT_EQ(third.process->Log(), "");
}

TEST_F(SettingsLoopback, FailedSendOverTcpStopsTheWalk)
{
    StandIn first({});
    ASSERT_TRUE(first.Ready());
    int port = first.process->Port();
    StandIn third({}, false, "127.0.0.3", port);
    ASSERT_TRUE(third.Ready());
    UsePort(port);
    printers.Add(NetworkEntry("127.0.0.1"));
    printers.Add(NetworkEntry("127.0.0.2"));  // nothing listens there
    printers.Add(NetworkEntry("127.0.0.3"));
    context.configureFlags = kConfigureIp;
    ApplyReport report;
    EXPECT_FALSE(ApplySettings(context, &report));
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(first.WaitForJobs(1)["RESTARTS"], "1");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(third.ReadState()["JOBS"], "0");

    // Without the dead printer both get their job.
    printers.RemovePrinter(1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));  // the first one's restart
    ASSERT_TRUE(ApplySettings(context, &report));
    EXPECT_EQ(report.sent, (std::vector<int>{0, 1}));
    EXPECT_EQ(third.WaitForJobs(1)["RESTARTS"], "1");
}

TEST_F(SettingsLoopback, UnbuildableJobIsNotReportedAsSent)
{
    StandIn first({}, true);
    StandIn second({}, true);
    ASSERT_TRUE(first.Ready() && second.Ready());
    PrinterEntry bad = UsbEntry(first.process->UsbDevice());
    bad.panelLanguage = 1050;  // no such panel language
    printers.Add(bad);
    PrinterEntry good = UsbEntry(second.process->UsbDevice());
    good.panelLanguage = 1040;
    printers.Add(good);
    context.configureFlags = kConfigurePanelLanguage;
    ApplyReport report;
    EXPECT_FALSE(ApplySettings(context, &report));
    EXPECT_EQ(report.unbuilt, std::vector<int>{0});
    EXPECT_EQ(report.sent, std::vector<int>{1});
    EXPECT_EQ(second.WaitForJobs(1)["LANG"], "ITALIAN");
    EXPECT_EQ(first.ReadState()["JOBS"], "0");
}

TEST_F(SettingsLoopback, PanelLanguageOnlyChangesTheLanguageWithoutRestart)
{
    StandIn network({});
    StandIn usb({}, true);
    ASSERT_TRUE(network.Ready() && usb.Ready());
    UsePort(network.process->Port());
    PrinterEntry a = NetworkEntry("127.0.0.1");
    a.panelLanguage = 1036;
    PrinterEntry b = UsbEntry(usb.process->UsbDevice());
    b.panelLanguage = 1041;
    printers.Add(a);
    printers.Add(b);
    ASSERT_TRUE(ApplyPanelLanguage(context));
    State first = network.WaitForJobs(1);
    EXPECT_EQ(first["LANG"], "FRENCH");
    EXPECT_EQ(first["RESTARTS"], "0");
    // The language job grows from printer to printer; the last line decides.
    State second = usb.WaitForJobs(1);
    EXPECT_EQ(second["LANG"], "JAPANESE");
    EXPECT_EQ(second["RESTARTS"], "0");
    EXPECT_NE(usb.process->Log().find("@PJL DEFAULT LANG=FRENCH\r\n@PJL DEFAULT LANG=JAPANESE\r\n"), std::string::npos);
}

TEST_F(SettingsLoopback, ReportJobsAreLoggedOverBothChannels)
{
    StandIn network({});
    StandIn usb({}, true);
    ASSERT_TRUE(network.Ready() && usb.Ready());
    UsePort(network.process->Port());
    printers.Add(NetworkEntry("127.0.0.1"));
    printers.Add(UsbEntry(usb.process->UsbDevice()));
    context.configureFlags = kConfigureIp | kConfigureFax;
    context.fileMode = 1;  // reports are always sent
    ApplyReport report;
    ASSERT_TRUE(PrintSettingsReport(context, &report));
    EXPECT_EQ(report.sent, (std::vector<int>{0, 1}));
    EXPECT_EQ(network.WaitForJobs(1)["REPORTS"], "PANELSETTINGS PRINTERSETTINGS");
    EXPECT_EQ(usb.WaitForJobs(1)["REPORTS"], "PANELSETTINGS PRINTERSETTINGS");
    EXPECT_EQ(usb.ReadState()["RESTARTS"], "0");
}

TEST_F(SettingsLoopback, FileModeShowsAndSavesTheJobWithoutContactingThePrinter)
{
    StandIn printer({});
    ASSERT_TRUE(printer.Ready());
    UsePort(printer.process->Port());
    CTempFolder programFolder;
    context.programPath = programFolder.Path() + "/plintor";
    context.fileMode = 1;
    context.confirmFileJob = FileJobQuestion(LANG_ENGLISH_US);
    context.configureFlags = kConfigurePanelLanguage;
    PrinterEntry entry = NetworkEntry("127.0.0.1");
    entry.panelLanguage = 1036;
    printers.Add(entry);
    printers.Add(entry);
    std::vector<MessageBoxRequest> shown;
    SetMessageBoxHandler([&](const MessageBoxRequest& request) {
        shown.push_back(request);
        return static_cast<int>(IDYES);
    });
    ASSERT_TRUE(ApplySettings(context));
    ASSERT_EQ(shown.size(), 1u);  // later entries are not visited
    EXPECT_EQ(shown[0].caption, "PJL");
    EXPECT_EQ(shown[0].text, "@PJL DEFAULT LANG=FRENCH\r\n@PJL REBOOT\r\n");
    EXPECT_EQ(shown[0].style, static_cast<std::uint32_t>(MB_YESNO | MB_DEFBUTTON2));
    std::ifstream file(programFolder.Path() + "/plintor.prn", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::string expected;
    for (char c : std::string("\x1b%-12345X@PJL DEFAULT LANG=FRENCH\r\n@PJL REBOOT\r\n\x1b%-12345X")) {
        expected.push_back(c);
        expected.push_back('\0');
    }
    EXPECT_EQ(bytes.str(), expected);

    std::filesystem::remove(programFolder.Path() + "/plintor.prn");
    SetMessageBoxHandler([](const MessageBoxRequest&) { return static_cast<int>(IDNO); });
    ASSERT_TRUE(ApplySettings(context));
    EXPECT_FALSE(std::filesystem::exists(programFolder.Path() + "/plintor.prn"));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(printer.process->Log(), "");
}

TEST_F(SettingsLoopback, ReadFaxSettingsOverTcpAndUsb)
{
    std::vector<std::string> presets = {"--dinquire", "FAX_SET_COUNTRY=france", "--dinquire", "FAX_SET_LINE_TYPE=pbx",
                                        "--dinquire", "FAX_SET_DIAL_TYPE=DP10", "--dinquire", "FAX_SET_RCV_MODE=TELFAX",
                                        "--dinquire", "FAX_SET_DRPD=PAT3", "--dinquire", "FAX_SET_SD_HEAD_NAME=Acme",
                                        "--dinquire", "FAX_SET_G3ID=+33 1 23", "--dinquire", "IWAFAXFUNC=OFF"};
    StandIn network(presets);
    StandIn usb(presets, true);
    ASSERT_TRUE(network.Ready() && usb.Ready());
    UsePort(network.process->Port());

    for (int connection : {kConnectionNetwork, kConnectionUsb}) {
        printers.Clear();
        printers.Add(connection == kConnectionNetwork ? NetworkEntry("127.0.0.1")
                                                      : UsbEntry(usb.process->UsbDevice()));
        context.faxPageVariant = 1;  // the long read asks for the FAX function too
        int status = -5;
        EXPECT_EQ(ReadFaxSettings(context, status), 1) << connection;
        EXPECT_EQ(status, 1);
        PrinterEntry entry;
        ASSERT_TRUE(printers.GetPrinter(0, entry));
        EXPECT_EQ(entry.fax.faxEnabled, 0u);
        EXPECT_EQ(entry.fax.country, 84u);
        EXPECT_EQ(entry.fax.lineType, 2u);
        EXPECT_EQ(entry.fax.dialType, 2u);
        EXPECT_EQ(entry.fax.receiveMode, 3u);
        EXPECT_EQ(entry.fax.drpdPattern, 3u);
        EXPECT_EQ(entry.fax.companyName, "Acme");
        EXPECT_EQ(entry.fax.faxNumber, "+33 1 23");
    }
}

TEST_F(SettingsLoopback, ReadFaxSettingsFallsBackAndReportsASilentPrinter)
{
    StandIn printer({"--dinquire", "FAX_SET_COUNTRY=ATLANTIS"});
    ASSERT_TRUE(printer.Ready());
    UsePort(printer.process->Port());
    printers.Add(NetworkEntry("127.0.0.1"));
    context.userNation = [] { return std::int64_t{94}; };
    int status = 0;
    EXPECT_EQ(ReadFaxSettings(context, status), 1);
    PrinterEntry entry;
    printers.GetPrinter(0, entry);
    EXPECT_EQ(entry.fax.country, 94u);
    EXPECT_EQ(entry.fax.faxEnabled, 1u);  // the short read never changes it

    // A printer that is gone: status 0, the configuration defaults are stored.
    printers.Clear();
    printers.Add(NetworkEntry("127.0.0.2"));
    context.userNation = [] { return std::int64_t{-1}; };
    EXPECT_EQ(ReadFaxSettings(context, status), 0);
    EXPECT_EQ(status, 0);
    printers.GetPrinter(0, entry);
    EXPECT_EQ(entry.fax, config.faxDefaults);

    // An entry with an unknown connection kind ends the read and stores nothing.
    PrinterEntry odd = NetworkEntry("127.0.0.1");
    odd.connection = 7;
    odd.fax.companyName = "untouched";
    printers.Clear();
    printers.Add(odd);
    EXPECT_EQ(ReadFaxSettings(context, status), 0);
    printers.GetPrinter(0, entry);
    EXPECT_EQ(entry.fax.companyName, "untouched");
}

TEST_F(SettingsLoopback, ReadFaxSettingsFromSeveralPrintersKeepsTheLastAnswers)
{
    StandIn first({"--dinquire", "FAX_SET_COUNTRY=FRANCE", "--dinquire", "FAX_SET_LINE_TYPE=PBX", "--dinquire",
                   "FAX_SET_G3ID=111"},
                  true);
    StandIn second({"--dinquire", "FAX_SET_COUNTRY=GERMANY", "--dinquire", "FAX_SET_G3ID=222"}, true);
    ASSERT_TRUE(first.Ready() && second.Ready());
    printers.Add(UsbEntry(first.process->UsbDevice()));
    printers.Add(UsbEntry(second.process->UsbDevice()));
    selected = 1;
    int status = 0;
    ASSERT_EQ(ReadFaxSettings(context, status), 1);
    PrinterEntry entry;
    printers.GetPrinter(1, entry);
    EXPECT_EQ(entry.fax.country, 94u);
    EXPECT_EQ(entry.fax.faxNumber, "222");
    // The second printer's "?" for the line type is its answer: the default stays.
    EXPECT_EQ(entry.fax.lineType, config.faxDefaults.lineType);
    printers.GetPrinter(0, entry);
    EXPECT_EQ(entry.fax, FaxSettings{});  // only the selected entry is written
}

TEST_F(SettingsLoopback, AppliedFaxSettingsReadBackTheSame)
{
    StandIn printer({"--reboot-time", "200"}, true);
    ASSERT_TRUE(printer.Ready());
    PrinterEntry entry = UsbEntry(printer.process->UsbDevice());
    entry.fax.country = 84;
    entry.fax.lineType = 2;
    entry.fax.dialType = 2;
    entry.fax.receiveMode = 4;
    entry.fax.companyName = "Round trip";
    entry.fax.faxNumber = "0123";
    printers.Add(entry);
    context.configureFlags = kConfigureFax;
    ASSERT_TRUE(ApplySettings(context));
    ASSERT_EQ(printer.WaitForJobs(1)["RESTARTS"], "1");
    ASSERT_TRUE(CPrinterProcess::WaitForPath(printer.process->UsbDevice(), std::chrono::seconds(5)));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    int status = 0;
    ASSERT_EQ(ReadFaxSettings(context, status), 1);
    PrinterEntry read;
    printers.GetPrinter(0, read);
    FaxSettings expected = entry.fax;
    expected.drpdPattern = config.faxDefaults.drpdPattern;  // not DRPD mode: the default was sent
    EXPECT_EQ(read.fax, expected);
}

TEST_F(SettingsLoopback, SurveyOverUsb)
{
    StandIn printer({"--access-point", "home,3,1", "--access-point", "ca,fe,4,2", "--access-point",
                     "Caf\xc3\xa9,6,3"},
                    true);
    ASSERT_TRUE(printer.Ready());
    ApSurveyResult result;
    result.accessPoints.push_back({"stale", 1, 1});
    ASSERT_TRUE(SurveyAccessPoints(result, printer.process->UsbDevice(), context));
    EXPECT_EQ(result.dataStatus, 1);
    ASSERT_EQ(result.accessPoints.size(), 2u);
    EXPECT_EQ(result.accessPoints[0], (AccessPointInfo{"home", 4, 1}));
    EXPECT_EQ(result.accessPoints[1], (AccessPointInfo{"Caf\xc3\xa9", 5, 3}));
    EXPECT_EQ(result.answerFields["DATA 1 SSID"], "ca,fe");
}

TEST_F(SettingsLoopback, SurveyEdgeAnswers)
{
    StandIn noStatus({"--survey-status", "none", "--access-point", "home,3,1"}, true);
    StandIn noData({"--survey-status", "0", "--access-point", "home,3,1"}, true);
    StandIn huge({"--survey-count", "2147483647", "--access-point", "home,0,2"}, true);
    ASSERT_TRUE(noStatus.Ready() && noData.Ready() && huge.Ready());
    ApSurveyResult result;
    EXPECT_FALSE(SurveyAccessPoints(result, noStatus.process->UsbDevice(), context));
    EXPECT_EQ(result.dataStatus, -1);
    EXPECT_FALSE(SurveyAccessPoints(result, noData.process->UsbDevice(), context));
    EXPECT_EQ(result.dataStatus, 0);
    EXPECT_TRUE(result.accessPoints.empty());
    // A count far beyond the lines of the answer ends at once.
    EXPECT_TRUE(SurveyAccessPoints(result, huge.process->UsbDevice(), context));
    ASSERT_EQ(result.accessPoints.size(), 1u);
    EXPECT_EQ(result.accessPoints[0], (AccessPointInfo{"home", 1, 2}));
    CTempFolder gone;
    EXPECT_FALSE(SurveyAccessPoints(result, gone.Path() + "/lp0", context));
    EXPECT_EQ(result.dataStatus, -1);
    EXPECT_TRUE(result.answerFields.empty());
}

TEST_F(SettingsLoopback, WirelessAdapterCheck)
{
    StandIn withAdapter({"--options", "MODEL X,HAS WLAN MODULE"}, true);
    StandIn without({"--options", "MPC"});
    ASSERT_TRUE(withAdapter.Ready() && without.Ready());
    CUSBConnect usb;
    usb.bounds = context.bounds;
    EXPECT_TRUE(HasWirelessAdapter(usb, withAdapter.process->UsbDevice()));
    UsePort(without.process->Port());
    EXPECT_FALSE(HasWirelessAdapter("127.0.0.1", context.bounds));
    EXPECT_FALSE(HasWirelessAdapter("127.0.0.2", context.bounds));  // nobody there
}

}
}
