#include "pages/CSelectPrinterDlg.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/EnterIpIds.h"
#include "resources/dialogs/SelectPrinterIds.h"
#include "ui/CButton.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"
#include "wizard/CWorkerThread.h"
#include "wizard/PrinterOperations.h"

#include "TestOperations.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace plintor {
namespace {

using namespace std::chrono_literals;

const std::string kNoPrinterSelected =
    "Check the printer connection status and click \"Refresh\". \nIf the connection spans a subnet, "
    "click \"Enter IP Address\" to add the IP address of the printer.";
const std::string kIncorrectIp = "Incorrect IP Address.";
const std::string kNotSupported = "It is not a supported printer.";
const std::string kNoAdapter = "A Wireless Adapter is not connected to the printer.";

PrinterEntry NetworkPrinter(const std::string& mac, const std::string& ipv4, const std::string& ipv6)
{
    PrinterEntry entry;
    entry.connection = kConnectionNetwork;
    entry.macAddress = mac;
    entry.addressIpv4 = ipv4;
    entry.addressIpv6 = ipv6;
    entry.ipv6Only = ipv4.empty() ? 1 : 0;
    return entry;
}

// The network and the typed-address checks as the tests set them.
struct FakeNetwork {
    std::vector<PrinterEntry> found;
    std::atomic<int> searches{0};
    std::thread::id searchedOn;
    std::function<void()> duringSearch;
    // Typed address answers.
    int validate = 1;
    int support = 0;
    int macOk = 1;
    int optionsOk = 1;
    std::vector<std::string> calls;   // typed-address operations, in order

    PrinterOperations Operations()
    {
        PrinterOperations services = test::OperationsWithoutSearches();
        services.discoverNetwork = [this](RunState& app) {
            ++searches;
            searchedOn = std::this_thread::get_id();
            if (duringSearch)
                duringSearch();
            for (const PrinterEntry& entry : found)
                app.printers.Add(entry);
            return app.printers.Count();
        };
        services.validateTypedAddress = [this](const std::string& address) {
            calls.push_back("validate " + address);
            return validate;
        };
        services.disableBidi = [this](RunState&, const std::string& address) { calls.push_back("bidi " + address); };
        services.checkTypedAddress = [this](RunState&, const std::string& address) {
            calls.push_back("check " + address);
            return support;
        };
        services.getTypedAddressMac = [this](const std::string& address, std::string& mac) {
            calls.push_back("mac " + address);
            mac = "00AA00BB00CC";
            return macOk;
        };
        services.queryOptions = [this](RunState&, const std::string& address, std::int32_t& options) {
            calls.push_back("options " + address);
            options = 1;
            return optionsOk;
        };
        return services;
    }
};

class SelectPrinterPageTest : public ::testing::Test {
protected:
    SelectPrinterPageTest()
    {
        app.configureFlags = kConfigureIp;
        app.connectionMode = 2;
        network.found = {
            NetworkPrinter("0000AA000001", "192.0.2.10", ""),
            NetworkPrinter("0000AA000002", "192.0.2.11", "2001:1::11"),
            NetworkPrinter("0000aa000003", "", "2001:1::12"),
        };
    }
    // Opens the wizard on the network check page and moves to the selection page, which
    // searches the printers behind the wait dialog.
    void Open()
    {
        wizard.currentPage = kPageConnectCom;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
        ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
        ASSERT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
        frontEnd.Pump();
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        EXPECT_EQ(CWorkerThread::LiveCount(), 0) << "a search outlived its wait";
        EXPECT_EQ(frontEnd.LivePeers(), 0);
    }
    CListView* List() { return dynamic_cast<CListView*>(frontEnd.Control(IDC_PRINTER_LIST)); }
    CButton* UseIpv6() { return dynamic_cast<CButton*>(frontEnd.Control(IDC_USE_IPV6)); }
    bool FocusIs(int id) { return frontEnd.Control(id) && CWindow::GetFocus() == frontEnd.Control(id); }
    std::vector<std::uint32_t> ChosenMarks()
    {
        std::vector<std::uint32_t> marks;
        for (const PrinterEntry& entry : app.printers.Entries())
            marks.push_back(entry.chosen);
        return marks;
    }
    // Runs the address dialog with `steps`, each done when the dialog's loop is idle; the
    // dialog is cancelled when the steps run out and it is still open.
    void EnterAddress(std::vector<std::function<void()>> steps)
    {
        std::size_t next = 0;
        frontEnd.SetIdleAction([&](CDialog& dialog) {
            if (std::string(dialog.ClassName()) != "CEnterIPDlg")
                return false;
            if (next < steps.size())
                steps[next++]();
            else
                frontEnd.Click(IDC_ENTER_IP_CANCEL);
            return true;
        });
        ASSERT_TRUE(frontEnd.Click(IDC_ENTER_IP_ADDRESS));
        frontEnd.SetIdleAction(nullptr);
    }
    // Types `address` and presses OK; the message it brought (empty when none).
    std::function<void()> TypeAndOk(const std::string& address, std::string* message)
    {
        return [this, address, message] {
            std::size_t before = frontEnd.Messages().size();
            frontEnd.Type(IDC_ENTER_IP_EDIT, address);
            frontEnd.Click(IDC_ENTER_IP_OK);
            if (frontEnd.Messages().size() > before) {
                *message = frontEnd.Messages().back().text;
                EXPECT_EQ(frontEnd.Messages().back().caption, "Input Error");
                EXPECT_TRUE(FocusIs(IDC_ENTER_IP_EDIT));
            }
        };
    }

    CHeadlessFrontEnd frontEnd;
    FakeNetwork network;
    CPlintorApp app{DefaultStartUpServices(), network.Operations()};
    CWizardDlg wizard{&app};
};

TEST_F(SelectPrinterPageTest, SearchOnAWorkerFillsTheListWithMacAndAddresses)
{
    Open();
    EXPECT_EQ(network.searches.load(), 1);
    EXPECT_NE(network.searchedOn, std::this_thread::get_id());
    EXPECT_EQ(wizard.rediscover, 0);
    CListView* list = List();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Columns().size(), 2u);
    EXPECT_EQ(list->Columns()[0].text, "MAC Address");
    EXPECT_EQ(list->Columns()[0].width, 116);
    EXPECT_EQ(list->Columns()[1].text, "IP Address");
    EXPECT_EQ(list->Columns()[1].width, 220);
    ASSERT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetItemText(0, 0), "00:00:AA:00:00:01");
    EXPECT_EQ(list->GetItemText(0, 1), "192.0.2.10");
    EXPECT_EQ(list->GetItemText(1, 1), "192.0.2.11 / 2001:1::11");
    EXPECT_EQ(list->GetItemText(2, 0), "00:00:aa:00:00:03");
    EXPECT_EQ(list->GetItemText(2, 1), "2001:1::12");
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_EQ(list->FocusedRow(), 0);
    EXPECT_TRUE(FocusIs(IDC_NEXT));

    // Use IPv6 is offered only for a printer known by both addresses.
    EXPECT_FALSE(UseIpv6()->IsWindowEnabled());
    ASSERT_TRUE(frontEnd.Select(IDC_PRINTER_LIST, 1));
    EXPECT_TRUE(UseIpv6()->IsWindowEnabled());
    ASSERT_TRUE(frontEnd.Select(IDC_PRINTER_LIST, 2));
    EXPECT_FALSE(UseIpv6()->IsWindowEnabled());
}

TEST_F(SelectPrinterPageTest, NextChoosesTheFocusedPrinterAndOpensTheIpPage)
{
    Open();
    ASSERT_TRUE(frontEnd.Select(IDC_PRINTER_LIST, 1));
    ASSERT_TRUE(frontEnd.Check(IDC_USE_IPV6));
    wizard.pageRefreshMask = 0;
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(app.selectedPrinter, 1);
    EXPECT_EQ(ChosenMarks(), (std::vector<std::uint32_t>{0, 1, 0}));
    EXPECT_EQ(app.printers.Entries()[1].ipv6Only, 1);
    // Every page reloads from the settings (the IP page has done so already).
    EXPECT_EQ(wizard.pageRefreshMask | (1u << kPageIpSetting), CWizardDlg::kAllPagesMask);

    // Back to the selection page: the list is rebuilt from the printers found, without a
    // new search, and a second Next re-marks.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
    frontEnd.Pump();
    EXPECT_EQ(network.searches.load(), 1);
    EXPECT_EQ(List()->GetItemCount(), 3);
    ASSERT_TRUE(frontEnd.Select(IDC_PRINTER_LIST, 2));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(ChosenMarks(), (std::vector<std::uint32_t>{0, 0, 1}));
    EXPECT_EQ(app.selectedPrinter, 2);
}

TEST_F(SelectPrinterPageTest, EmptySearchLeavesOnlyTheAddressEntry)
{
    network.found.clear();
    Open();
    EXPECT_EQ(List()->GetItemCount(), 0);
    EXPECT_FALSE(UseIpv6()->IsWindowEnabled());
    EXPECT_TRUE(FocusIs(IDC_ENTER_IP_ADDRESS));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].text, kNoPrinterSelected);
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Warning!");
    EXPECT_EQ(frontEnd.Messages()[0].style, static_cast<std::uint32_t>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(FocusIs(IDC_PRINTER_REFRESH));

    // Refresh searches again and shows what is there now.
    network.found = {NetworkPrinter("0000AA000009", "192.0.2.19", "")};
    ASSERT_TRUE(frontEnd.Click(IDC_PRINTER_REFRESH));
    EXPECT_EQ(network.searches.load(), 2);
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(List()->GetItemText(0, 1), "192.0.2.19");
    EXPECT_TRUE(FocusIs(IDC_NEXT));
}

TEST_F(SelectPrinterPageTest, PrintersConfiguredInThisRunAreNotListedAgain)
{
    app.configuredMacs = {"0000AA000003", "0000AA000001"};
    Open();
    ASSERT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(List()->GetItemText(0, 0), "00:00:AA:00:00:02");
}

TEST_F(SelectPrinterPageTest, PostedMessageIsHandledWhileTheSearchRuns)
{
    // The search waits for the main thread to handle a message posted to the page: it
    // would wait in vain if the main thread blocked while the search runs.
    std::promise<void> handled;
    network.duringSearch = [&] {
        std::future<void> done = handled.get_future();
        CMessageQueue::Instance().Post([&] { handled.set_value(); });
        EXPECT_EQ(done.wait_for(5s), std::future_status::ready);
    };
    Open();
    EXPECT_EQ(network.searches.load(), 1);
    EXPECT_EQ(List()->GetItemCount(), 3);
}

TEST_F(SelectPrinterPageTest, TypedAddressIsCheckedStepByStep)
{
    Open();
    std::string message;
    // Refused before any network traffic.
    for (const char* address : {"", "0.0.0.0", "255.255.255.255"}) {
        message.clear();
        EnterAddress({TypeAndOk(address, &message)});
        EXPECT_EQ(message, kIncorrectIp) << address;
    }
    EXPECT_TRUE(network.calls.empty());

    network.validate = 0;
    EnterAddress({TypeAndOk("printer.invalid", &message)});
    EXPECT_EQ(message, kIncorrectIp);
    EXPECT_EQ(network.calls, (std::vector<std::string>{"validate printer.invalid"}));

    network.validate = 1;
    network.support = 1;
    network.calls.clear();
    EnterAddress({TypeAndOk("192.0.2.50", &message)});
    EXPECT_EQ(message, kNotSupported);
    EXPECT_EQ(network.calls,
              (std::vector<std::string>{"validate 192.0.2.50", "bidi 192.0.2.50", "check 192.0.2.50"}));
    network.support = 3;
    EnterAddress({TypeAndOk("192.0.2.50", &message)});
    EXPECT_EQ(message, kNotSupported);
    network.support = 2;
    EnterAddress({TypeAndOk("192.0.2.50", &message)});
    EXPECT_EQ(message, kNoAdapter);

    network.support = 0;
    network.macOk = 0;
    EnterAddress({TypeAndOk("192.0.2.50", &message)});
    EXPECT_EQ(message, kIncorrectIp);
    network.macOk = 1;
    network.optionsOk = 0;
    network.calls.clear();
    EnterAddress({TypeAndOk("192.0.2.50", &message)});
    EXPECT_EQ(message, kIncorrectIp);
    EXPECT_EQ(network.calls.back(), "options 192.0.2.50");

    // Cancel adds nothing; the page stays.
    EXPECT_EQ(app.printers.Count(), 3);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
}

TEST_F(SelectPrinterPageTest, TypedPrinterIsAddedChosenAndDroppedWhenComingBack)
{
    Open();
    std::string message;
    // The first try fails and the dialog stays open for the second.
    network.validate = 0;
    EnterAddress({TypeAndOk("198.51.100.7", &message), [&] { network.validate = 1; },
                  TypeAndOk("198.51.100.7", &message)});
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    ASSERT_EQ(app.printers.Count(), 4);
    PrinterEntry added;
    ASSERT_TRUE(app.printers.GetPrinter(3, added));
    EXPECT_EQ(added.addressIpv4, "198.51.100.7");
    EXPECT_EQ(added.macAddress, "00AA00BB00CC");
    EXPECT_EQ(added.options, 1);
    EXPECT_EQ(added.chosen, 1u);
    EXPECT_EQ(app.selectedPrinter, 3);

    // Back: the added printer is gone from the list.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(app.printers.Count(), 3);
    frontEnd.Pump();
    EXPECT_EQ(List()->GetItemCount(), 3);
}

TEST_F(SelectPrinterPageTest, WirelessRunRefusesATypedPrinterWithoutAdapterAndSkipsTheOptionsQuery)
{
    app.configureFlags = kConfigureWireless;
    app.checkWlan = 1;
    Open();
    std::string message;
    network.support = 2;
    EnterAddress({TypeAndOk("192.0.2.60", &message)});
    EXPECT_EQ(message, kNoAdapter);
    network.support = 0;
    network.calls.clear();
    EnterAddress({TypeAndOk("192.0.2.60", &message)});
    EXPECT_EQ(frontEnd.CurrentPage(), kPageWirelessSetting);
    for (const std::string& call : network.calls)
        EXPECT_EQ(call.rfind("options", 0), std::string::npos) << call;
}

TEST(SelectPrinterTexts, MacAndAddressColumns)
{
    EXPECT_EQ(CSelectPrinterDlg::MacText("0011223344AA"), "00:11:22:33:44:AA");
    // A short MAC text gives short pairs, never reads past its end.
    EXPECT_EQ(CSelectPrinterDlg::MacText("00112"), "00:11:2:::");
    EXPECT_EQ(CSelectPrinterDlg::AddressText(NetworkPrinter("", "10.0.0.1", "")), "10.0.0.1");
    EXPECT_EQ(CSelectPrinterDlg::AddressText(NetworkPrinter("", "", "2001:1::1")), "2001:1::1");
    EXPECT_EQ(CSelectPrinterDlg::AddressText(NetworkPrinter("", "10.0.0.1", "2001:1::1")), "10.0.0.1 / 2001:1::1");
    EXPECT_EQ(CSelectPrinterDlg::AddressText(NetworkPrinter("", "", "")), "");
}

}
}
