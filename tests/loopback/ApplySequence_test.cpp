#include "wizard/RunContexts.h"
#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CompleteIds.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "settings/SettingsStore.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include "PrinterProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <thread>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using test::CPrinterProcess;
using test::CTempFolder;

const std::string Uel = "\x1b%-12345X";
const std::string SetupQuestion = Uel + "@PJL INFO IWASETUP\r\n" + Uel;
const std::string kBusy = "Settings cannot be changed.\n";
const std::string kNotFound = "Printer not found. Settings are not sent to the printer.\n";

const std::string DualStaticJob =
    "@PJL IWASETTCPIP VSSTACKMODE=DUAL\r\n"
    "@PJL IWASETTCPIP IPMODE=MANUAL\r\n"
    "@PJL IWASETTCPIP IPADDRESS=C0A8010A\r\n"
    "@PJL IWASETTCPIP SNMADDRESS=FFFFFF00\r\n"
    "@PJL IWASETTCPIP GTWADDRESS=C0A80101\r\n"
    "@PJL IWASETTCPIP VSMANUAL=ON\r\n"
    "@PJL IWASETTCPIP VSIPADDRESS=\"2001:0DB9:0000:0000:0000:0000:0000:0005/64\"\r\n"
    "@PJL IWASETTCPIP VSGTWADDRESS=\"2001:0DB9:0000:0000:0000:0000:0000:0001\"\r\n"
    "@PJL REBOOT\r\n";

std::unique_ptr<CPrinterProcess> StartPrinter(std::vector<std::string> arguments, bool usb = false)
{
    CPrinterProcess::Setup setup;
    setup.arguments = std::move(arguments);
    setup.usb = usb;
    auto printer = std::make_unique<CPrinterProcess>(setup);
    EXPECT_TRUE(printer->Ready());
    return printer;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The printer's state file once it holds `needle` (bounded wait); what it holds otherwise.
std::string WaitForState(const std::string& path, const std::string& needle)
{
    auto until = std::chrono::steady_clock::now() + 5s;
    std::string state = ReadFile(path);
    while (state.find(needle) == std::string::npos && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(20ms);
        state = ReadFile(path);
    }
    return state;
}

std::string Utf16Le(const std::string& ascii)
{
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

// The wizard of one run, opened on a page, for one printer on the network (or USB), with
// the real apply operations, short channel waits and a fixed wire character set.
class ApplySequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.configFilePath = folder.Path() + "/plintor.ini";
        app.configureFlags = kConfigureIp;
        app.connectionMode = 2;
        program = folder.Path() + "/plintor";
        currentFolder = folder.Path();
        app.operations.adjustContext = [this](SettingsContext& context) {
            context.wireCharset = "ISO-8859-1";
            context.programPath = program;
            context.currentFolder = currentFolder;
            context.bounds.connect = 2s;
            context.bounds.read = 2s;
            context.bounds.cycle = 4s;
            context.bounds.pause = 50ms;
        };
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        unsetenv("PLINTOR_PJL_PORT");
    }
    void UsePort(int port) { setenv("PLINTOR_PJL_PORT", std::to_string(port).c_str(), 1); }

    void AddNetworkPrinter(const IpSettings& ip = {})
    {
        PrinterEntry entry;
        entry.connection = kConnectionNetwork;
        entry.addressIpv4 = "127.0.0.1";
        entry.macAddress = "0000AA000001";
        entry.options = 0;
        entry.ip = ip;
        app.printers.Add(entry);
    }
    void Open(int page)
    {
        app.currentPrinter.SetSettings(app.printers.Entries()[0].Settings());
        SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
        wizard.currentPage = page;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
        ASSERT_EQ(frontEnd.CurrentPage(), page);
    }
    static IpSettings Dhcp()
    {
        IpSettings ip;
        ip.stackMode = 1;
        return ip;
    }
    bool Shown(std::size_t index, const std::string& prefix)
    {
        return index < frontEnd.Messages().size() && frontEnd.Messages()[index].text.rfind(prefix, 0) == 0;
    }

    CTempFolder folder;
    std::string program;  // the file-mode job is saved beside it
    std::string currentFolder;  // where it goes when it cannot go beside the program
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(ApplySequenceTest, IpPageToCompletionSendsTheSettingsJobByteForByte)
{
    std::string statePath = folder.Path() + "/state";
    auto printer = StartPrinter({"--state", statePath});
    UsePort(printer->Port());
    AddNetworkPrinter();
    Open(kPageIpSetting);
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 0));
    ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 1));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "192.168.1.10"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_MASK, "255.255.255.0"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_GATEWAY, "192.168.1.1"));
    ASSERT_TRUE(frontEnd.Check(IDC_IPV6_MANUAL));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_ADDRESS, "2001:db9::5"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_PREFIX, "64"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_GATEWAY, "2001:db9::1"));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    EXPECT_EQ(frontEnd.Control(IDC_CONFIRM_SUMMARY)->GetWindowText(),
              "========== IP Address Settings ==========\r\n"
              "IP Mode:Dual Stack\r\n"
              "[IPv4 Settings]\r\n"
              "Type:Static IP\r\n"
              "IP Address:192.168.1.10\r\n"
              "Network Mask:255.255.255.0\r\n"
              "Gateway Address:192.168.1.1\r\n"
              "[IPv6 Settings]\r\n"
              "Use Manual Address:Use\r\n"
              "IP Address:2001:db9::5/64\r\n"
              "Gateway Address:2001:db9::1\r\n");
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_TRUE(frontEnd.Messages().empty());
    ASSERT_EQ(frontEnd.CurrentPage(), kPageComplete);
    std::string expected = SetupQuestion + Uel + DualStaticJob + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    // The printer took the settings with its restart.
    std::string state = WaitForState(statePath, "RESTARTS=1\n");
    for (const char* line : {"RESTARTS=1\n", "TCPIP.VSSTACKMODE=DUAL\n", "TCPIP.IPMODE=MANUAL\n",
                             "TCPIP.IPADDRESS=C0A8010A\n", "TCPIP.SNMADDRESS=FFFFFF00\n", "TCPIP.GTWADDRESS=C0A80101\n",
                             "TCPIP.VSMANUAL=ON\n"})
        EXPECT_NE(state.find(line), std::string::npos) << line << " in\n" << state;
    EXPECT_NE(state.find("2001:0DB9:0000:0000:0000:0000:0000:0005/64"), std::string::npos) << state;
}

TEST_F(ApplySequenceTest, BusyPrinterGets555AndRetrySucceedsOnceItAcceptsSetup)
{
    auto printer = StartPrinter({"--setup", "disable"});
    int port = printer->Port();
    UsePort(port);
    AddNetworkPrinter(Dhcp());
    Open(kPageConfirmConfig);
    std::unique_ptr<CPrinterProcess> ready;
    frontEnd.onMessage = [&](const CHeadlessFrontEnd::ShownMessage& shown) {
        if (shown.text.rfind(kBusy, 0) == 0 && !ready) {
            EXPECT_EQ(printer->Log(), SetupQuestion);
            printer.reset();
            ready = StartPrinter({"--pjl-port", std::to_string(port)});
        }
    };
    frontEnd.QueueAnswer(IDRETRY);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_TRUE(Shown(0, kBusy));
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Warning!");
    EXPECT_EQ(frontEnd.Messages()[0].style, static_cast<std::uint32_t>(MB_RETRYCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    ASSERT_TRUE(ready);
    std::string job = "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n@PJL IWASETTCPIP IPMODE=DHCP\r\n@PJL REBOOT\r\n";
    std::string expected = SetupQuestion + Uel + job + Uel;
    EXPECT_EQ(ready->WaitForLog(expected.size()), expected);
}

TEST_F(ApplySequenceTest, UnreachablePrinterGets554AndRetrySucceedsOnceItIsBack)
{
    int port = test::FreeLoopbackPort();
    UsePort(port);
    AddNetworkPrinter(Dhcp());
    Open(kPageConfirmConfig);
    std::unique_ptr<CPrinterProcess> back;
    frontEnd.onMessage = [&](const CHeadlessFrontEnd::ShownMessage& shown) {
        if (shown.text.rfind(kNotFound, 0) == 0 && frontEnd.Messages().size() == 2)
            back = StartPrinter({"--pjl-port", std::to_string(port)});
    };
    frontEnd.QueueAnswer(IDRETRY);
    frontEnd.QueueAnswer(IDRETRY);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 2u);
    EXPECT_TRUE(Shown(0, kNotFound));
    EXPECT_TRUE(Shown(1, kNotFound));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    ASSERT_TRUE(back);
    EXPECT_NE(back->WaitForLog(SetupQuestion.size() + 10).find("@PJL IWASETTCPIP IPMODE=DHCP\r\n"), std::string::npos);
}

TEST_F(ApplySequenceTest, CancelOnAnUnreachablePrinterEndsTheRun)
{
    UsePort(test::FreeLoopbackPort());
    AddNetworkPrinter(Dhcp());
    Open(kPageConfirmConfig);
    frontEnd.QueueAnswer(IDCANCEL);
    frontEnd.QueueAnswer(IDYES);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 2u);
    EXPECT_TRUE(Shown(0, kNotFound));
    EXPECT_EQ(frontEnd.Messages()[1].text, "Are you sure you want to cancel the tool?");
    EXPECT_TRUE(wizard.ModalEnded());
    EXPECT_EQ(wizard.ModalResult(), IDCANCEL);
}

TEST_F(ApplySequenceTest, FileModeShowsTheJobAndWritesItBesideTheProgram)
{
    auto printer = StartPrinter({});
    UsePort(printer->Port());
    app.fileMode = 1;
    AddNetworkPrinter(Dhcp());
    Open(kPageConfirmConfig);
    frontEnd.QueueAnswer(IDYES);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 2u);
    std::string job = "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n@PJL IWASETTCPIP IPMODE=DHCP\r\n@PJL REBOOT\r\n";
    EXPECT_EQ(frontEnd.Messages()[0].caption, "PJL");
    EXPECT_EQ(frontEnd.Messages()[0].text, job);
    EXPECT_EQ(frontEnd.Messages()[0].style, static_cast<std::uint32_t>(MB_YESNO | MB_DEFBUTTON2));
    // The user is told where the file went.
    EXPECT_EQ(frontEnd.Messages()[1].caption, "Plintor");
    EXPECT_EQ(frontEnd.Messages()[1].text, "The settings job was saved to this file:\n" + folder.Path() + "/plintor.prn");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    EXPECT_EQ(ReadFile(folder.Path() + "/plintor.prn"), Utf16Le(Uel + job + Uel));
    // Only the readiness question reached the printer, no settings.
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(printer->Log(), SetupQuestion);
}

TEST_F(ApplySequenceTest, FileModeAnsweredNoWritesNothing)
{
    auto printer = StartPrinter({});
    UsePort(printer->Port());
    app.fileMode = 1;
    AddNetworkPrinter(Dhcp());
    Open(kPageConfirmConfig);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));   // No is the default button
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    EXPECT_FALSE(std::ifstream(folder.Path() + "/plintor.prn").good());
}

TEST_F(ApplySequenceTest, FileModeSaveThatFailedNamedTheFileAndWhyAndRetryClearsItOnceTheCauseIsGone)
{
    auto printer = StartPrinter({});
    UsePort(printer->Port());
    // Neither beside the program nor in the current folder can the file be written.
    program = folder.Path() + "/missing/plintor";
    currentFolder = folder.Path() + "/missing";
    app.fileMode = 1;
    AddNetworkPrinter(Dhcp());
    Open(kPageConfirmConfig);
    const std::string failure = "The settings cannot be saved to the file\n" + folder.Path() +
                                "/missing/plintor.prn\n(No such file or directory).\n";
    frontEnd.onMessage = [&](const CHeadlessFrontEnd::ShownMessage& shown) {
        if (shown.text.rfind(failure, 0) == 0)
            std::filesystem::create_directory(folder.Path() + "/missing");
    };
    frontEnd.QueueAnswer(IDYES);
    frontEnd.QueueAnswer(IDRETRY);
    frontEnd.QueueAnswer(IDYES);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 4u);
    EXPECT_EQ(frontEnd.Messages()[0].caption, "PJL");
    EXPECT_TRUE(Shown(1, failure)) << frontEnd.Messages()[1].text;
    EXPECT_EQ(frontEnd.Messages()[1].style, static_cast<std::uint32_t>(MB_RETRYCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(frontEnd.Messages()[2].caption, "PJL");
    EXPECT_EQ(frontEnd.Messages()[3].text, "The settings job was saved to this file:\n" + folder.Path() + "/missing/plintor.prn");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    std::string job = "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n@PJL IWASETTCPIP IPMODE=DHCP\r\n@PJL REBOOT\r\n";
    EXPECT_EQ(ReadFile(folder.Path() + "/missing/plintor.prn"), Utf16Le(Uel + job + Uel));
}

TEST_F(ApplySequenceTest, FileModeSaveThatFailedEndsTheRunOnCancelWithNothingSentOrWritten)
{
    auto printer = StartPrinter({});
    UsePort(printer->Port());
    program = folder.Path() + "/missing/plintor";
    currentFolder = folder.Path() + "/missing";
    app.fileMode = 1;
    AddNetworkPrinter(Dhcp());
    Open(kPageConfirmConfig);
    frontEnd.QueueAnswer(IDYES);
    frontEnd.QueueAnswer(IDCANCEL);
    frontEnd.QueueAnswer(IDYES);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 3u);
    EXPECT_TRUE(Shown(1, "The settings cannot be saved to the file\n")) << frontEnd.Messages()[1].text;
    EXPECT_EQ(frontEnd.Messages()[2].text, "Are you sure you want to cancel the tool?");
    EXPECT_TRUE(wizard.ModalEnded());
    EXPECT_EQ(wizard.ModalResult(), IDCANCEL);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/missing"));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(printer->Log(), SetupQuestion);
}

TEST_F(ApplySequenceTest, SettingsThatCannotBeBuiltAreToldOnceWithoutARetryThatCouldNotHelp)
{
    auto printer = StartPrinter({});
    UsePort(printer->Port());
    IpSettings outsideTheTable = Dhcp();
    outsideTheTable.stackMode = 7;
    AddNetworkPrinter(outsideTheTable);
    Open(kPageConfirmConfig);
    const std::string notBuilt = "Settings cannot be sent to the printer: a value is outside the range";
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_TRUE(Shown(0, notBuilt)) << frontEnd.Messages()[0].text;
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Warning!");
    EXPECT_EQ(frontEnd.Messages()[0].style, static_cast<std::uint32_t>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    EXPECT_FALSE(wizard.ModalEnded());
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(printer->Log(), SetupQuestion);
}

TEST_F(ApplySequenceTest, PrintPrinterSettingOverUsbSendsTheReportJob)
{
    auto printer = StartPrinter({}, true);
    ASSERT_FALSE(printer->UsbDevice().empty());
    PrinterEntry entry;
    entry.connection = kConnectionUsb;
    entry.usbDevicePath = printer->UsbDevice();
    app.printers.Add(entry);
    app.connectionMode = 1;
    Open(kPageComplete);
    ASSERT_TRUE(frontEnd.Click(IDC_PRINT_SETTINGS));
    std::string expected = Uel + "@PJL REPORTPRINT PRINTERSETTINGS\r\n" + Uel;
    EXPECT_EQ(printer->WaitForLog(expected.size()), expected);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].text, "The print job is sent.\nCheck the setting list.");
}

}
}
