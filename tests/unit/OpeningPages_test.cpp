#include "wizard/CConnectTemplateDlg.h"
#include "pages/CWizardDlg.h"
#include "wizard/CWorkerThread.h"
#include "wizard/FirstSettingsPage.h"
#include "wizard/PrinterOperations.h"

#include "TestOperations.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/SelectMethodIds.h"
#include "resources/dialogs/WelcomeIds.h"
#include "ui/CButton.h"
#include "ui/CMessageQueue.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <string>

namespace plintor {
namespace {

using namespace std::chrono_literals;

const std::string kNoAdapter = "A Wireless Adapter is not connected to the printer.";

// USB printers that tests plug in and out; the search sees them as they are now.
struct FakeUsb {
    std::atomic<int> printers{0};
    std::atomic<int> noAdapter{0};
    std::atomic<int> searches{0};
    std::function<void()> duringSearch;   // set before the watcher starts

    int Search(RunState& app, int& noAdapterCount)
    {
        ++searches;
        if (duringSearch)
            duringSearch();
        app.printers.Clear();
        int count = printers.load();
        for (int i = 0; i < count; ++i) {
            PrinterEntry entry;
            entry.connection = kConnectionUsb;
            entry.usbDevicePath = "/dev/usb/lp" + std::to_string(i);
            entry.usbPortNumber = static_cast<std::uint32_t>(i + 1);
            app.printers.Add(entry);
        }
        noAdapterCount = noAdapter.load();
        return count;
    }
};

PrinterOperations FakeOperations(FakeUsb& usb, std::atomic<int>& faxReads)
{
    PrinterOperations services = test::OperationsWithoutSearches();
    services.discoverUsb = [&usb](RunState& app, int& noAdapter) { return usb.Search(app, noAdapter); };
    services.readFaxSettings = [&faxReads](RunState&) {
        ++faxReads;
        return 1;
    };
    return services;
}

// The wizard opened on a page as start-up does, driven without a modal loop of its own.
class OpeningPagesTest : public ::testing::Test {
protected:
    OpeningPagesTest()
    {
        app.config.features = FeatureIp;
        app.configureFlags = kConfigureChoose;
    }
    void Open(int startPage)
    {
        wizard.currentPage = startPage;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
        ASSERT_EQ(frontEnd.CurrentPage(), startPage);
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        EXPECT_EQ(CWorkerThread::LiveCount(), 0) << "a watcher outlived the wizard";
        EXPECT_EQ(frontEnd.LivePeers(), 0);
    }
    CWindow* Control(int id) { return frontEnd.Control(id); }
    bool Enabled(int id) { return Control(id) && Control(id)->IsWindowEnabled(); }
    bool Visible(int id) { return Control(id) && Control(id)->IsWindowVisible(); }
    bool FocusIs(int id) { return Control(id) && CWindow::GetFocus() == Control(id); }
    CConnectTemplateDlg* CablePage(int index) { return dynamic_cast<CConnectTemplateDlg*>(wizard.Page(index)); }
    int MessagesWith(const std::string& text)
    {
        int count = 0;
        for (const auto& shown : frontEnd.Messages())
            count += shown.text == text ? 1 : 0;
        return count;
    }

    CHeadlessFrontEnd frontEnd;
    FakeUsb usb;
    std::atomic<int> faxReads{0};
    CPlintorApp app{DefaultStartUpServices(), FakeOperations(usb, faxReads)};
    CWizardDlg wizard{&app};
};

TEST_F(OpeningPagesTest, WelcomeOffersOnlyTheConfiguredKindsAndWaitsForAChoice)
{
    Open(kPageWelcome);
    EXPECT_EQ(frontEnd.CurrentPageClass(), "CWelcomDlg");
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "Select Configuration");
    EXPECT_EQ(Control(IDC_WELCOME_IP)->GetWindowText(), "&IP Configuration");
    for (int id : {IDC_WELCOME_WIRELESS, IDC_WELCOME_WIRELESS_TEXT, IDC_WELCOME_FAX, IDC_WELCOME_FAX_TEXT}) {
        EXPECT_FALSE(Visible(id)) << id;
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Visible(IDC_WELCOME_IP));
    EXPECT_FALSE(Enabled(IDC_NEXT));
    EXPECT_TRUE(FocusIs(IDC_CANCEL));
    EXPECT_FALSE(frontEnd.Click(IDC_NEXT));

    ASSERT_TRUE(frontEnd.Check(IDC_WELCOME_IP));
    EXPECT_TRUE(Enabled(IDC_NEXT));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureIp));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
}

TEST_F(OpeningPagesTest, WelcomeChoiceSetsOneKindPlusThePanelLanguage)
{
    app.config.features = FeatureIp | FeatureWireless | FeatureFax | FeaturePanel;
    Open(kPageWelcome);
    EXPECT_TRUE(Visible(IDC_WELCOME_FAX));
    EXPECT_TRUE(Visible(IDC_WELCOME_WIRELESS));
    ASSERT_TRUE(frontEnd.Check(IDC_WELCOME_IP));
    ASSERT_TRUE(frontEnd.Check(IDC_WELCOME_FAX));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureFax | kConfigurePanelLanguage));
    // The method page names the one kind in its flow title.
    EXPECT_EQ(Control(IDC_FLOW_TITLE)->GetWindowText(), "FAX Configuration");

    // Back, another kind: the method page's title follows.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    ASSERT_TRUE(frontEnd.Check(IDC_WELCOME_WIRELESS));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureWireless | kConfigurePanelLanguage));
    EXPECT_EQ(Control(IDC_FLOW_TITLE)->GetWindowText(), "Wireless Configuration");
}

TEST_F(OpeningPagesTest, MethodYesLeadsThroughTheNetworkCheckToTheSelectionPage)
{
    app.configureFlags = kConfigureIp;
    app.backButtonFlag = 0;
    Open(kPageSelectMethod);
    EXPECT_EQ(Control(IDC_FLOW_TITLE)->GetWindowText(), "IP Configuration");
    // The first page shown has no Back button; the ones after it have theirs.
    EXPECT_FALSE(Visible(IDC_BACK));
    EXPECT_EQ(app.backButtonFlag, 1);
    auto* yes = dynamic_cast<CButton*>(Control(IDC_METHOD_NETWORK));
    ASSERT_NE(yes, nullptr);
    EXPECT_EQ(yes->GetCheck(), 1);
    EXPECT_TRUE(FocusIs(IDC_METHOD_NETWORK));

    wizard.pageRefreshMask = 0;
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(app.connectionMode, 2);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConnectCom);
    EXPECT_EQ(Control(1159)->GetWindowText(), "Check network connection");
    EXPECT_TRUE(Visible(IDC_BACK));
    EXPECT_TRUE(FocusIs(IDC_NEXT));
    EXPECT_EQ(usb.searches.load(), 0);

    wizard.pageRefreshMask = 0;
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
    EXPECT_EQ(wizard.pageRefreshMask, CWizardDlg::kAllPagesMask);
}

TEST_F(OpeningPagesTest, MethodNoGoesOnByTheNumberOfUsbPrinters)
{
    app.configureFlags = kConfigureIp;
    Open(kPageSelectMethod);
    ASSERT_TRUE(frontEnd.Check(IDC_METHOD_USB));

    // Exactly one: the IP page, with that printer chosen.
    usb.printers = 1;
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(app.connectionMode, 1);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(app.selectedPrinter, 0);
    PrinterEntry chosen;
    ASSERT_TRUE(app.printers.GetPrinter(0, chosen));
    EXPECT_EQ(chosen.chosen, 1u);
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);

    // Several: the disconnect page.
    usb.printers = 3;
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageDisconnect);
    EXPECT_EQ(frontEnd.CurrentPageClass(), "CDisconnectDlg");
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "Disconnect printer from Computer");
    EXPECT_FALSE(Visible(IDC_NEXT));
    EXPECT_TRUE(FocusIs(IDC_CANCEL));
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
    EXPECT_FALSE(CablePage(kPageDisconnect)->WatcherRunning());

    // None: the cable page.
    usb.printers = 0;
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConnect);
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "Connecting to a computer");
}

TEST_F(OpeningPagesTest, CablePageMovesOnByItselfWhenOnePrinterIsPluggedIn)
{
    app.configureFlags = kConfigureIp;
    app.backButtonFlag = 0;
    Open(kPageSelectMethod);
    ASSERT_TRUE(frontEnd.Check(IDC_METHOD_USB));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConnect);
    CConnectTemplateDlg* cable = CablePage(kPageConnect);
    EXPECT_TRUE(cable->IsWatching());
    EXPECT_TRUE(cable->WatcherRunning());

    // Nothing connected: the page stays and keeps searching.
    int before = usb.searches.load();
    EXPECT_FALSE(frontEnd.WaitForPage(kPageIpSetting, 1500ms));
    EXPECT_GE(usb.searches.load(), before + 1);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConnect);

    // Plugged in: the IP page follows within about a second, without a key press.
    usb.printers = 1;
    auto plugged = std::chrono::steady_clock::now();
    ASSERT_TRUE(frontEnd.WaitForPage(kPageIpSetting, 3000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - plugged, 2500ms);
    EXPECT_FALSE(cable->WatcherRunning());
    EXPECT_EQ(CConnectTemplateDlg::lastUsbCount.load(), 0);

    // Back passes over the cable page to the method page.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
}

TEST_F(OpeningPagesTest, MainThreadHandlesMessagesWhileTheWatcherSearches)
{
    // The search waits for the main thread to handle a posted message: it would wait in
    // vain if showing the cable page blocked the main thread.
    std::atomic<int> handledDuringSearch{0};
    usb.duringSearch = [&] {
        auto handled = std::make_shared<std::promise<void>>();
        std::future<void> done = handled->get_future();
        CMessageQueue::Instance().Post([handled] { handled->set_value(); });
        if (done.wait_for(5s) == std::future_status::ready)
            ++handledDuringSearch;
    };
    app.configureFlags = kConfigureIp;
    Open(kPageConnect);
    auto until = std::chrono::steady_clock::now() + 5s;
    while (handledDuringSearch.load() < 2 && std::chrono::steady_clock::now() < until)
        frontEnd.WaitForPage(-2, 20ms);
    EXPECT_GE(handledDuringSearch.load(), 2);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConnect);
}

TEST_F(OpeningPagesTest, DisconnectPageStaysUntilOnlyOnePrinterRemains)
{
    app.configureFlags = kConfigureIp;
    usb.printers = 2;
    Open(kPageSelectMethod);
    ASSERT_TRUE(frontEnd.Check(IDC_METHOD_USB));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageDisconnect);

    // A second printer joins: the page stays.
    usb.printers = 3;
    EXPECT_FALSE(frontEnd.WaitForPage(kPageIpSetting, 1500ms));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageDisconnect);
    EXPECT_TRUE(CablePage(kPageDisconnect)->IsWatching());

    // All unplugged: the cable page; then one comes back: the IP page.
    usb.printers = 0;
    ASSERT_TRUE(frontEnd.WaitForPage(kPageConnect, 3000ms));
    EXPECT_FALSE(CablePage(kPageDisconnect)->WatcherRunning());
    usb.printers = 1;
    ASSERT_TRUE(frontEnd.WaitForPage(kPageIpSetting, 3000ms));
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
}

TEST_F(OpeningPagesTest, PrinterWithoutWirelessAdapterBringsTheMessageOncePerChange)
{
    app.configureFlags = kConfigureWireless;
    app.config.apUsbDiscovery = 1;
    Open(kPageSelectMethod);
    ASSERT_TRUE(frontEnd.Check(IDC_METHOD_USB));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConnect);

    usb.noAdapter = 1;
    auto until = std::chrono::steady_clock::now() + 3s;
    while (MessagesWith(kNoAdapter) == 0 && std::chrono::steady_clock::now() < until)
        frontEnd.WaitForPage(-2, 20ms);
    ASSERT_EQ(MessagesWith(kNoAdapter), 1);
    EXPECT_EQ(frontEnd.Messages().back().caption, "Warning!");
    EXPECT_EQ(frontEnd.Messages().back().style, static_cast<std::uint32_t>(MB_OK | MB_ICONEXCLAMATION));
    // The same counts again: no second message.
    frontEnd.WaitForPage(-2, 1500ms);
    EXPECT_EQ(MessagesWith(kNoAdapter), 1);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConnect);

    // A supported printer with its adapter: the access point page (survey over USB on).
    usb.noAdapter = 0;
    usb.printers = 1;
    ASSERT_TRUE(frontEnd.WaitForPage(kPageSelectAp, 3000ms));
}

TEST_F(OpeningPagesTest, CablePageKeepsWatchingWhenNoSettingsPageFits)
{
    // A run for the panel language only has no settings page to go to.
    app.configureFlags = kConfigurePanelLanguage;
    Open(kPageConnect);
    usb.printers = 1;
    auto until = std::chrono::steady_clock::now() + 3s;
    while (CConnectTemplateDlg::lastUsbCount.load() != 1 && std::chrono::steady_clock::now() < until)
        frontEnd.WaitForPage(-2, 20ms);
    frontEnd.WaitForPage(-2, 200ms);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConnect);
    EXPECT_TRUE(CablePage(kPageConnect)->IsWatching());
    EXPECT_TRUE(CablePage(kPageConnect)->WatcherRunning());
}

TEST_F(OpeningPagesTest, FirstSettingsPageFollowsTheConfiguredKind)
{
    usb.printers = 1;
    int noAdapter = 0;
    usb.Search(app, noAdapter);
    struct Case {
        std::uint32_t flags;
        int apUsb;
        int variant;
        int usbPage;
        int selectionPage;
    } cases[] = {
        {kConfigureWireless | kConfigureIp, 1, -1, kPageSelectAp, kPageWirelessSetting},
        {kConfigureWireless, 0, -1, kPageWirelessSetting, kPageWirelessSetting},
        {kConfigureIp | kConfigureFax, 1, 1, kPageIpSetting, kPageIpSetting},
        {kConfigureFax, 0, 1, kPageCheckFaxSetting, kPageCheckFaxSetting},
        {kConfigureFax, 0, 0, kPageFaxSetting, kPageFaxSetting},
        {kConfigureFax, 0, -1, kPageFaxSetting, kPageFaxSetting},
        {kConfigureFax, 0, 7, kPageNone, kPageNone},
        {kConfigurePanelLanguage, 1, 1, kPageNone, kPageNone},
    };
    for (const Case& c : cases) {
        app.configureFlags = c.flags;
        app.config.apUsbDiscovery = c.apUsb;
        app.faxPageVariant = c.variant;
        int readsBefore = faxReads.load();
        EXPECT_EQ(FirstSettingsPage(app), c.usbPage) << c.flags;
        EXPECT_EQ(NextSettingsPage(app, ChosenOn::SelectionPage), c.selectionPage) << c.flags;
        bool fax = (c.flags & (kConfigureWireless | kConfigureIp)) == 0 && (c.flags & kConfigureFax);
        EXPECT_EQ(faxReads.load() - readsBefore, fax ? 2 : 0) << c.flags;
    }
    EXPECT_EQ(app.selectedPrinter, 0);
}

}
}
