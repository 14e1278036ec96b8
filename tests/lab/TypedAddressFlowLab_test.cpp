// A printer in another subnet added by its typed address on the selection page, with the
// wizard's real discovery and typed-address checks inside a network lab.

#include "Lab.h"

#include "app/CPlintorApp.h"
#include "discovery/DiscoveryContext.h"
#include "discovery/LinkLocalRoute.h"
#include "discovery/NetworkDiscovery.h"
#include "discovery/PrinterIdentification.h"
#include "discovery/TypedAddress.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/EnterIpIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "ui/headless/CHeadlessFrontEnd.h"
#include "wizard/CWorkerThread.h"
#include "wizard/PrinterOperations.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace plintor {
namespace {

using test::Lab;

const char* kModel = "1.3.6.1.4.1.59999.1.1";

class TypedAddressFlowLab : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string reason = Lab::SkipReason();
        if (!reason.empty())
            GTEST_SKIP() << reason;
        app.config.sysObjectIds = {kModel};
        // A wireless run with the adapter check, as "/mode:network /wireless /check:wlan".
        app.configureFlags = CPlintorApp::kOptWireless;
        app.checkWlan = 1;
        app.connectionMode = 2;
        SearchInTheLab();
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        route.Remove();
        lab.Leave();
        EXPECT_EQ(CWorkerThread::LiveCount(), 0);
    }
    void SearchInTheLab()
    {
        PrinterOperations& services = app.operations;
        auto contextOf = [this](RunState& run) {
            DiscoveryContext context;
            context.config = &run.config;
            context.printers = &run.printers;
            context.configureFlags = run.configureFlags;
            context.checkWlan = run.checkWlan;
            context.route = &route;
            return context;
        };
        services.discoverNetwork = [contextOf](RunState& run) { return DiscoverNetwork(contextOf(run)); };
        services.checkTypedAddress = [contextOf](RunState& run, const std::string& address) {
            return CheckTypedAddress(address, contextOf(run));
        };
        services.disableBidi = [this](RunState&, const std::string& address) { bidiAsked.push_back(address); };
    }
    // Types `address` into the address dialog and presses OK; returns the message shown
    // (empty when none) and leaves the dialog with Cancel when it stays open.
    std::string TryAddress(const std::string& address)
    {
        std::string message;
        int step = 0;
        frontEnd.SetIdleAction([&](CDialog& dialog) {
            if (std::string(dialog.ClassName()) != "CEnterIPDlg")
                return false;
            if (step++ == 0) {
                std::size_t before = frontEnd.Messages().size();
                frontEnd.Type(IDC_ENTER_IP_EDIT, address);
                frontEnd.Click(IDC_ENTER_IP_OK);
                if (frontEnd.Messages().size() > before)
                    message = frontEnd.Messages().back().text;
            } else {
                frontEnd.Click(IDC_ENTER_IP_CANCEL);
            }
            return true;
        });
        EXPECT_TRUE(frontEnd.Click(IDC_ENTER_IP_ADDRESS));
        frontEnd.SetIdleAction(nullptr);
        return message;
    }

    Lab lab;
    CLinkLocalRoute route;
    std::vector<std::string> bidiAsked;
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(TypedAddressFlowLab, PrinterInAnotherSubnetIsAddedByAddressAfterTheRefusals)
{
    Lab::Options options;
    options.printers = 3;
    options.twoNetworks = true;
    options.printerLines = {
        std::string("@net2 --sysobjectid ") + kModel,
        "@net2 --sysobjectid 1.3.6.1.4.1.59999.1.2",
        std::string("@net2 --sysobjectid ") + kModel + " --options MPC",
    };
    ASSERT_TRUE(lab.Up(options));
    ASSERT_TRUE(lab.Enter());

    wizard.currentPage = kPageSelectPrinter;
    const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(wizard.Create(*frame, nullptr));
    frontEnd.SetRoot(&wizard);
    wizard.ShowWindow(true);
    frontEnd.Pump();   // the search behind the wait dialog
    // Only the supported printer with its adapter may be heard (over IPv6 on the link).
    const int found = app.printers.Count();
    EXPECT_LE(found, 1);

    EXPECT_EQ(TryAddress("0.0.0.0"), "Incorrect IP Address.");
    EXPECT_EQ(TryAddress("198.18.200.1.7"), "Incorrect IP Address.");
    EXPECT_EQ(TryAddress(Lab::PrinterIpv4(2, 2)), "It is not a supported printer.");
    EXPECT_EQ(TryAddress(Lab::PrinterIpv4(3, 2)), "A Wireless Adapter is not connected to the printer.");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
    EXPECT_EQ(app.printers.Count(), found);

    EXPECT_EQ(TryAddress(Lab::PrinterIpv4(1, 2)), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageWirelessSetting);
    ASSERT_EQ(app.printers.Count(), found + 1);
    EXPECT_EQ(app.selectedPrinter, found);
    PrinterEntry added;
    ASSERT_TRUE(app.printers.GetPrinter(found, added));
    EXPECT_EQ(added.addressIpv4, Lab::PrinterIpv4(1, 2));
    EXPECT_EQ(added.macAddress, Lab::PrinterMac(1));
    EXPECT_EQ(added.chosen, 1u);
    EXPECT_EQ(bidiAsked.back(), Lab::PrinterIpv4(1, 2));
}

}
}
