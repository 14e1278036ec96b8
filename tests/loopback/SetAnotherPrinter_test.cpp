// "Set another printer" over the network, through the real pages: two stand-in printers on
// loopback (127.0.0.1 and 127.0.0.2, the same moved PJL port), the selection page with the
// search behind its wait dialog, the IP page, the confirmation and the completion page.

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CompleteIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "ui/CListView.h"
#include "ui/headless/CHeadlessFrontEnd.h"
#include "wizard/CWorkerThread.h"
#include "wizard/PrinterOperations.h"
#include "wizard/RunContexts.h"

#include "PrinterProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>

namespace plintor {
namespace {

using test::CPrinterProcess;

const std::string Uel = "\x1b%-12345X";
const std::string SetupQuestion = Uel + "@PJL INFO IWASETUP\r\n" + Uel;

std::string StaticJob(const std::string& address)
{
    return Uel + "@PJL IWASETTCPIP VSSTACKMODE=IPV4\r\n@PJL IWASETTCPIP IPMODE=MANUAL\r\n"
        "@PJL IWASETTCPIP IPADDRESS=" + address + "\r\n@PJL IWASETTCPIP SNMADDRESS=FFFFFF00\r\n"
        "@PJL IWASETTCPIP GTWADDRESS=C0A80101\r\n@PJL REBOOT\r\n" + Uel;
}

PrinterEntry NetworkPrinter(const std::string& mac, const std::string& address)
{
    PrinterEntry entry;
    entry.connection = kConnectionNetwork;
    entry.macAddress = mac;
    entry.addressIpv4 = address;
    entry.options = 0;
    return entry;
}

class SetAnotherPrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CPrinterProcess::Setup first;
        first.bind = "127.0.0.1";
        printerA = std::make_unique<CPrinterProcess>(first);
        ASSERT_TRUE(printerA->Ready());
        CPrinterProcess::Setup second;
        second.bind = "127.0.0.2";
        second.arguments = {"--pjl-port", std::to_string(printerA->Port())};
        printerB = std::make_unique<CPrinterProcess>(second);
        ASSERT_TRUE(printerB->Ready());
        setenv("PLINTOR_PJL_PORT", std::to_string(printerA->Port()).c_str(), 1);
        app.operations.adjustContext = [](SettingsContext& context) { context.wireCharset = "ISO-8859-1"; };
        app.configureFlags = kConfigureIp;
        app.connectionMode = 2;
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        EXPECT_EQ(CWorkerThread::LiveCount(), 0);
        unsetenv("PLINTOR_PJL_PORT");
    }
    void FindBothOnTheNetwork()
    {
        app.operations.discoverNetwork = [this](RunState& run) {
            ++searches;
            run.printers.Add(NetworkPrinter("0000AA000001", "127.0.0.1"));
            run.printers.Add(NetworkPrinter("0000AA000002", "127.0.0.2"));
            return run.printers.Count();
        };
    }
    CListView* List() { return dynamic_cast<CListView*>(frontEnd.Control(IDC_PRINTER_LIST)); }
    std::string Text(int id) { return frontEnd.Control(id)->GetWindowText(); }

    std::unique_ptr<CPrinterProcess> printerA;
    std::unique_ptr<CPrinterProcess> printerB;
    std::atomic<int> searches{0};
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(SetAnotherPrinterTest, NextPrinterGetsTheSameSettingsWithoutTheFirstOnesAddress)
{
    FindBothOnTheNetwork();
    wizard.currentPage = kPageConnectCom;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    frontEnd.SetRoot(&wizard);
    wizard.ShowWindow(true);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
    frontEnd.Pump();
    ASSERT_EQ(List()->GetItemCount(), 2);

    // The first printer: a static address.
    ASSERT_TRUE(frontEnd.Select(IDC_PRINTER_LIST, 0));
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
    ASSERT_EQ(frontEnd.CurrentPage(), kPageComplete);
    std::string firstLog = SetupQuestion + StaticJob("C0A8010A");
    EXPECT_EQ(printerA->WaitForLog(firstLog.size()), firstLog);

    // Set another printer: the configured one is gone from the list, without a new search.
    ASSERT_TRUE(frontEnd.Click(IDC_SET_ANOTHER));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
    frontEnd.Pump();
    EXPECT_EQ(searches.load(), 1);
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(List()->GetItemText(0, 0), "00:00:AA:00:00:02");
    EXPECT_FALSE(frontEnd.Control(IDC_BACK)->IsWindowVisible());

    // The IP page shows the same settings without the first printer's address.
    ASSERT_TRUE(frontEnd.Select(IDC_PRINTER_LIST, 0));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(Text(IDC_IPV4_ADDRESS), "0.0.0.0");
    EXPECT_EQ(Text(IDC_IPV4_MASK), "255.255.255.0");
    EXPECT_EQ(Text(IDC_IPV4_GATEWAY), "192.168.1.1");
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "192.168.1.11"));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageComplete);
    std::string secondLog = SetupQuestion + StaticJob("C0A8010B");
    EXPECT_EQ(printerB->WaitForLog(secondLog.size()), secondLog);
    EXPECT_EQ(printerA->Log(), firstLog);

    // A new search in the same run finds neither again.
    ASSERT_TRUE(frontEnd.Click(IDC_SET_ANOTHER));
    frontEnd.Pump();
    ASSERT_TRUE(frontEnd.Click(IDC_PRINTER_REFRESH));
    frontEnd.Pump();
    EXPECT_EQ(searches.load(), 2);
    EXPECT_EQ(List()->GetItemCount(), 0);
    EXPECT_EQ(app.configuredMacs, (std::vector<std::string>{"0000AA000001", "0000AA000002"}));
}

}
}
