// The IP configuration over USB from the welcome page to the completion page, against USB
// stand-in printers that appear in and vanish from a fake sysfs tree while the wizard runs.

#include "PrinterProcess.h"

#include "app/CPlintorApp.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/UsbDiscovery.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "resources/dialogs/SelectMethodIds.h"
#include "resources/dialogs/WelcomeIds.h"
#include "ui/headless/CHeadlessFrontEnd.h"
#include "wizard/CWorkerThread.h"
#include "wizard/PrinterOperations.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <thread>

namespace plintor {
namespace {

using namespace std::chrono_literals;
using test::CPrinterProcess;
using test::CTempFolder;
using State = std::map<std::string, std::string>;

const std::string kUel = "\x1b%-12345X";
// What the printer receives last: the setup question, then the settings job.
const std::string kSetupAndStaticIpv4Job = kUel + "@PJL INFO IWASETUP\r\n" + kUel + kUel
    + "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n"
      "@PJL IWASETTCPIP IPMODE=MANUAL\r\n"
      "@PJL IWASETTCPIP IPADDRESS=C0A8010A\r\n"
      "@PJL IWASETTCPIP SNMADDRESS=FFFFFF00\r\n"
      "@PJL IWASETTCPIP GTWADDRESS=C0A80101\r\n"
      "@PJL REBOOT\r\n"
    + kUel;

State ReadState(const std::string& path)
{
    State state;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    while (std::getline(file, line))
        if (auto equals = line.find('='); equals != std::string::npos)
            state[line.substr(0, equals)] = line.substr(equals + 1);
    return state;
}

class UsbFlowTest : public ::testing::Test {
protected:
    UsbFlowTest()
    {
        app.config.features = FeatureIp;
        app.config.usbIds = {"PLINTOR MFP 9000"};
        app.config.connectionTypes = ConnectionUsb | ConnectionNet;
        app.configureFlags = CPlintorApp::kOptSelect;   // the user chooses the kind
        app.connectionMode = 0;
        app.configFilePath = tree.Path() + "/plintor.ini";
        roots.sysRoot = usbFolder + "/sys";
        roots.devRoot = usbFolder + "/dev";
        SearchTheFakeTree();
    }
    void SearchTheFakeTree()
    {
        // The real USB search, below the fake tree; the workstation's queues stay alone.
        app.operations.discoverUsb = [this](RunState& run, int& noAdapter) {
            DiscoveryContext context;
            context.config = &run.config;
            context.printers = &run.printers;
            context.configureFlags = run.configureFlags;
            context.checkWlan = run.checkWlan;
            context.configFilePath = run.configFilePath;
            context.usbRoots = roots;
            return DiscoverUsb(context, noAdapter);
        };
    }
    std::unique_ptr<CPrinterProcess> PlugIn(const std::string& stateFile)
    {
        CPrinterProcess::Setup setup;
        setup.usbFolder = usbFolder;
        // A printer without the wireless form of the IP lines.
        setup.arguments = {"--state", tree.Path() + "/" + stateFile, "--options", "MPC"};
        auto printer = std::make_unique<CPrinterProcess>(setup);
        EXPECT_TRUE(printer->Ready());
        return printer;
    }
    void Open()
    {
        wizard.currentPage = kPageWelcome;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
        ASSERT_TRUE(frontEnd.Check(IDC_WELCOME_IP));
        ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
        ASSERT_TRUE(frontEnd.Check(IDC_METHOD_USB));
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        EXPECT_EQ(CWorkerThread::LiveCount(), 0);
    }

    CTempFolder tree;
    std::string usbFolder = tree.Path() + "/usb";
    platform::UsbRoots roots;
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(UsbFlowTest, PluggedInPrinterLeadsToTheIpPageAndTakesTheSettings)
{
    Open();
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConnect);

    auto printer = PlugIn("state");
    auto plugged = std::chrono::steady_clock::now();
    ASSERT_TRUE(frontEnd.WaitForPage(kPageIpSetting, 5s));
    EXPECT_LT(std::chrono::steady_clock::now() - plugged, 3s);
    PrinterEntry chosen;
    ASSERT_TRUE(app.printers.GetPrinter(app.selectedPrinter, chosen));
    EXPECT_EQ(chosen.connection, kConnectionUsb);
    EXPECT_EQ(chosen.usbDevicePath, printer->UsbDevice());

    // Back passes over the cable page; Next finds the one printer at once.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageIpSetting);

    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 1));
    ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 1));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "192.168.1.10"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_MASK, "255.255.255.0"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_GATEWAY, "192.168.1.1"));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_TRUE(frontEnd.WaitForPage(kPageComplete, 20s));
    for (const auto& shown : frontEnd.Messages())
        ADD_FAILURE() << "unexpected message: " << shown.text;

    State state;
    auto until = std::chrono::steady_clock::now() + 10s;
    do {
        state = ReadState(tree.Path() + "/state");
        if (state["RESTARTS"] == "1")
            break;
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < until);
    EXPECT_EQ(state["RESTARTS"], "1");
    EXPECT_EQ(state["TCPIP.IPADDRESS"], "C0A8010A");
    EXPECT_EQ(state["TCPIP.SNMADDRESS"], "FFFFFF00");
    EXPECT_EQ(state["TCPIP.GTWADDRESS"], "C0A80101");
    EXPECT_EQ(state["UNKNOWN_LINES"], "0");
    // Before them the printer only answered the searches' identification queries.
    std::string log = printer->Log();
    ASSERT_GE(log.size(), kSetupAndStaticIpv4Job.size());
    EXPECT_EQ(log.substr(log.size() - kSetupAndStaticIpv4Job.size()), kSetupAndStaticIpv4Job);
}

TEST_F(UsbFlowTest, DisconnectPageShowsUntilOnlyOnePrinterRemains)
{
    auto first = PlugIn("first");
    auto second = PlugIn("second");
    Open();
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageDisconnect);
    EXPECT_FALSE(frontEnd.WaitForPage(kPageIpSetting, 1500ms));

    second.reset();   // unplugged
    ASSERT_TRUE(frontEnd.WaitForPage(kPageIpSetting, 5s));
    PrinterEntry chosen;
    ASSERT_TRUE(app.printers.GetPrinter(app.selectedPrinter, chosen));
    EXPECT_EQ(chosen.usbDevicePath, first->UsbDevice());
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
}

}
}
