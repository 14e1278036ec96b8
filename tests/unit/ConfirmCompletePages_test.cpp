#include "pages/CCompleteDlg.h"
#include "pages/CConfirmConfigDlg.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CompleteIds.h"
#include "resources/dialogs/ConfirmConfigIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "settings/ApplySettings.h"
#include "settings/SettingsStore.h"
#include "ui/CComboBox.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace plintor {
namespace {

const std::string kCancelQuestion = "Are you sure you want to cancel the tool?";

// Stand-ins for the printer operations that record what the pages asked for.
struct FakePrinter {
    std::vector<int> setupCodes;     // one per question; 0 ready
    std::vector<bool> applyResults;  // one per apply
    int questions = 0;
    int applies = 0;
    int reports = 0;
    std::vector<std::chrono::milliseconds> pauses;

    // Puts the fake in place of the run's setup question, apply, report and pause.
    void Install(PrinterOperations& operations)
    {
        operations.querySetupState = [this](RunState&, int& code) {
            code = questions < static_cast<int>(setupCodes.size()) ? setupCodes[static_cast<std::size_t>(questions)] : 0;
            ++questions;
            return code == 0;
        };
        operations.applySettings = [this](RunState&, ApplyReport& report) {
            bool ok = applies < static_cast<int>(applyResults.size()) ? applyResults[static_cast<std::size_t>(applies)]
                                                                      : true;
            ++applies;
            if (!ok)
                report.failed = 0;  // a send failed
            return ok;
        };
        operations.printSettingsReport = [this](RunState&) {
            ++reports;
            return false;  // not reported either way
        };
        operations.pause = [this](std::chrono::milliseconds pause) { pauses.push_back(pause); };
    }
};

class FinishingPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = temp.Path();
        ASSERT_FALSE(folder.empty());
        app.configFilePath = folder + "/plintor.ini";
        app.config.panelLanguages = {1036, 1033, 1031, 1050};  // 1050 is no panel language
        app.configureFlags = kConfigureIp;
        app.connectionMode = 2;
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
    }
    void AddPrinter(const std::string& mac, std::uint16_t panelLanguage = 1033)
    {
        PrinterEntry entry;
        entry.connection = kConnectionNetwork;
        entry.addressIpv4 = "127.0.0.1";
        entry.macAddress = mac;
        entry.panelLanguage = panelLanguage;
        entry.ip.stackMode = 1;
        entry.ip.ipv4Mode = 1;
        entry.ip.ipv4Address = 0xC0A8010A;
        entry.ip.subnetMask = 0xFFFFFF00;
        entry.ip.gateway = 0xC0A80101;
        app.printers.Add(entry);
    }
    void WriteConfig(const std::string& text)
    {
        std::ofstream(app.configFilePath) << text;
    }
    void Open(int page, int chosen = 0)
    {
        SelectPrinter(app.printers, app.selectedPrinter, app.printers.Entries()[static_cast<std::size_t>(chosen)],
                      chosen);
        wizard.currentPage = page;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        UseFakePrinter(wizard);
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
        ASSERT_EQ(frontEnd.CurrentPage(), page);
    }
    void UseFakePrinter(CWizardDlg&) { printer.Install(app.operations); }
    CWindow* Control(int id) { return frontEnd.Control(id); }
    CComboBox* Languages() { return dynamic_cast<CComboBox*>(Control(IDC_PANEL_LANGUAGE)); }
    std::uint16_t SelectedLanguage()
    {
        CComboBox* box = Languages();
        return static_cast<std::uint16_t>(box->GetItemData(box->GetCurSel()));
    }

    test::CTempFolder temp{"plintor-pages"};
    std::string folder;
    FakePrinter printer;
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(FinishingPagesTest, ConfirmationShowsTheSummaryAndAppliesAtOnceWhenThePrinterIsReady)
{
    AddPrinter("0000AA000001");
    Open(kPageConfirmConfig);
    EXPECT_EQ(Control(IDC_CONFIRM_SUMMARY)->GetWindowText(),
              "========== IP Address Settings ==========\r\n"
              "IP Mode:IPv4\r\n"
              "[IPv4 Settings]\r\n"
              "Type:Static IP\r\n"
              "IP Address:192.168.1.10\r\n"
              "Network Mask:255.255.255.0\r\n"
              "Gateway Address:192.168.1.1\r\n");
    EXPECT_EQ(Control(IDC_NEXT)->GetWindowText(), "&Apply");
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "Confirm the settings");
    EXPECT_EQ(Control(IDC_SIDE_MESSAGE)->GetWindowText(), "Please confirm your settings.");
    EXPECT_FALSE(Control(IDC_PANEL_LANGUAGE)->IsWindowVisible());
    EXPECT_EQ(CWindow::GetFocus(), Control(IDC_NEXT));

    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(printer.questions, 1);
    EXPECT_EQ(printer.applies, 1);
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureIp));
}

TEST_F(FinishingPagesTest, PanelLanguageListSelectionAndApply)
{
    AddPrinter("0000AA000001", 1031);
    app.configureFlags = kConfigureIp | kConfigurePanelLanguage;
    Open(kPageConfirmConfig);
    CComboBox* box = Languages();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->IsWindowVisible());
    EXPECT_TRUE(box->IsWindowEnabled());
    EXPECT_EQ(box->GetCount(), 3);   // the LANGID without a panel language row is skipped
    // The languages are named in the interface language, and the list sorts by the names
    // shown.
    EXPECT_EQ(box->GetLBText(0), "English");
    EXPECT_EQ(box->GetLBText(1), "French");
    EXPECT_EQ(box->GetLBText(2), "German");
    EXPECT_EQ(SelectedLanguage(), 1031);
    EXPECT_EQ(Control(IDC_SIDE_MESSAGE)->GetWindowText(),
              "Please confirm your settings.\n\nSelect language if you want to change the language of printer's "
              "operation panel.");
    ASSERT_TRUE(frontEnd.Select(IDC_PANEL_LANGUAGE, box->FindItemData(1036)));
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    PrinterEntry entry;
    app.printers.GetPrinter(0, entry);
    EXPECT_EQ(entry.panelLanguage, 1036);
    EXPECT_TRUE(app.configureFlags & kConfigurePanelLanguage);
}

TEST_F(FinishingPagesTest, PanelLanguageFallsBackToEnglishThenToTheFirstItem)
{
    AddPrinter("0000AA000001", 1041);
    app.configureFlags = kConfigureIp | kConfigurePanelLanguage;
    Open(kPageConfirmConfig);
    EXPECT_EQ(SelectedLanguage(), 1033);
    wizard.DestroyWindow();

    app.config.panelLanguages = {1036, 1031};
    app.printers.Clear();
    AddPrinter("0000AA000001", 1041);
    CWizardDlg other{&app};
    other.currentPage = kPageConfirmConfig;
    ASSERT_TRUE(other.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    UseFakePrinter(other);
    frontEnd.SetRoot(&other);
    other.ShowWindow(true);
    CComboBox* box = Languages();
    EXPECT_EQ(box->GetCurSel(), 0);
    other.DestroyWindow();
    frontEnd.SetRoot(&wizard);
}

TEST_F(FinishingPagesTest, PanelLanguageIsOfferedWithFaxOnlyWhenFaxIsDeclined)
{
    AddPrinter("0000AA000001");
    app.configureFlags = kConfigureFax | kConfigurePanelLanguage;
    PrinterEntry entry = app.printers.Entries()[0];
    entry.fax.faxEnabled = 1;
    app.printers.ReplacePrinter(0, entry);
    Open(kPageConfirmConfig);
    EXPECT_FALSE(Control(IDC_PANEL_LANGUAGE)->IsWindowVisible());
    EXPECT_FALSE(Control(IDC_PANEL_LANGUAGE_LABEL)->IsWindowEnabled());
    // Applying without the list clears the panel bit: the FAX page sent the language.
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_FALSE(app.configureFlags & kConfigurePanelLanguage);

    frontEnd.SetRoot(&wizard);
    app.configureFlags = kConfigureFax | kConfigurePanelLanguage;
    entry.fax.faxEnabled = 0;
    app.printers.ReplacePrinter(0, entry);
    wizard.GoToPage(kPageConfirmConfig);
    EXPECT_TRUE(Control(IDC_PANEL_LANGUAGE)->IsWindowVisible());
    // A declined FAX has no summary section.
    EXPECT_EQ(Control(IDC_CONFIRM_SUMMARY)->GetWindowText(), "");
}

TEST_F(FinishingPagesTest, BusyPrinterIsOfferedRetryUntilItAcceptsThenFailedSendsToo)
{
    AddPrinter("0000AA000001");
    printer.setupCodes = {5, 4, 3, 0};
    printer.applyResults = {false, true};
    Open(kPageConfirmConfig);
    for (int i = 0; i < 4; ++i)
        frontEnd.QueueAnswer(IDRETRY);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    const auto& shown = frontEnd.Messages();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].text.rfind("Settings cannot be changed.\n", 0), 0u) << shown[0].text;
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(shown[i].text.rfind("Printer not found. Settings are not sent to the printer.\n", 0), 0u) << i;
    for (const auto& message : shown) {
        EXPECT_EQ(message.caption, "Warning!");
        EXPECT_EQ(message.style, static_cast<std::uint32_t>(MB_RETRYCANCEL | MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(printer.questions, 4);
    EXPECT_EQ(printer.applies, 2);
    ASSERT_EQ(printer.pauses.size(), 4u);
    EXPECT_EQ(printer.pauses[0], std::chrono::milliseconds(500));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
}

TEST_F(FinishingPagesTest, CancelOnAFailureEndsTheWizardAndSendsNothing)
{
    AddPrinter("0000AA000001");
    printer.setupCodes = {5};
    Open(kPageConfirmConfig);
    frontEnd.QueueAnswer(IDCANCEL);
    frontEnd.QueueAnswer(IDYES);  // the cancel question
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    ASSERT_EQ(frontEnd.Messages().size(), 2u);
    EXPECT_EQ(frontEnd.Messages()[1].text, kCancelQuestion);
    EXPECT_EQ(printer.applies, 0);
    EXPECT_TRUE(wizard.ModalEnded());
    EXPECT_EQ(wizard.ModalResult(), IDCANCEL);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
}

TEST_F(FinishingPagesTest, CancelAnsweredNoLeavesThePageAndApplyWorksAfterwards)
{
    AddPrinter("0000AA000001");
    printer.applyResults = {false};
    Open(kPageConfirmConfig);
    frontEnd.QueueAnswer(IDCANCEL);
    frontEnd.QueueAnswer(IDNO);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_FALSE(wizard.ModalEnded());
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_EQ(printer.applies, 2);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
}

TEST_F(FinishingPagesTest, CompletionOverTheNetworkOffersAnotherPrinterAndFinishesWithoutAsking)
{
    AddPrinter("0000AA000001");
    Open(kPageComplete);
    EXPECT_EQ(Control(IDC_COMPLETE_UPPER)->GetWindowText(),
              "Plintor has finished sending the settings to your printer.\r\n\r\n"
              "After your printer restarts, wait for a few minutes and check the settings using Printer Setting "
              "Report.\r\n\r\n"
              "If you want to same settings to another printer, you click the \"Set another printer\".");
    EXPECT_EQ(Control(IDC_COMPLETE_LOWER)->GetWindowText(), "Please continue to install the software.");
    EXPECT_TRUE(Control(IDC_SET_ANOTHER)->IsWindowVisible());
    EXPECT_TRUE(Control(IDC_SET_ANOTHER)->IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_PRINT_SETTINGS)->IsWindowVisible());
    EXPECT_EQ(Control(IDC_NEXT)->GetWindowText(), "Finish");
    EXPECT_EQ(Control(IDC_SET_ANOTHER)->GetWindowText(), "&Set another printer");
    EXPECT_EQ(wizard.confirmCancel, 0);
    ASSERT_TRUE(frontEnd.Click(IDC_NEXT));
    EXPECT_TRUE(wizard.ModalEnded());
    EXPECT_EQ(wizard.ModalResult(), IDCANCEL);
    EXPECT_TRUE(frontEnd.Messages().empty());
}

TEST_F(FinishingPagesTest, CompletionOverUsbPrintsTheReportAndTellsSoWhateverHappened)
{
    AddPrinter("0000AA000001");
    app.connectionMode = 1;
    WriteConfig("[General Setting]\nCONTINUE_TO_INSTALL=OFF\n");
    Open(kPageComplete);
    EXPECT_TRUE(Control(IDC_PRINT_SETTINGS)->IsWindowVisible());
    EXPECT_FALSE(Control(IDC_SET_ANOTHER)->IsWindowVisible());
    EXPECT_FALSE(Control(IDC_SET_ANOTHER)->IsWindowEnabled());
    EXPECT_EQ(Control(IDC_COMPLETE_LOWER)->GetWindowText(),
              "If you use USB cable only to configure the printer, disconnect the USB cable from the printer "
              "now.\r\n\r\n");
    ASSERT_TRUE(frontEnd.Click(IDC_PRINT_SETTINGS));
    EXPECT_EQ(printer.reports, 1);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].text, "The print job is sent.\nCheck the setting list.");
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Plintor");
    EXPECT_EQ(frontEnd.Messages()[0].style, static_cast<std::uint32_t>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(FinishingPagesTest, FlowVariantCaptionIsNext)
{
    AddPrinter("0000AA000001");
    app.faxPageVariant = 1;
    Open(kPageComplete);
    EXPECT_EQ(Control(IDC_NEXT)->GetWindowText(), "&Next >");
    EXPECT_FALSE(Control(IDC_PRINT_SETTINGS)->IsWindowVisible());
    EXPECT_FALSE(Control(IDC_SET_ANOTHER)->IsWindowVisible());
}

TEST_F(FinishingPagesTest, SetAnotherPrinterRemovesTheConfiguredOneOnceAndCarriesTheSettings)
{
    AddPrinter("0000AA000001");
    AddPrinter("0000AA000002");
    AddPrinter("0000aa000001");   // the same printer found a second way
    Open(kPageComplete, 0);
    ASSERT_TRUE(frontEnd.Click(IDC_SET_ANOTHER));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectPrinter);
    ASSERT_EQ(app.printers.Count(), 1);
    EXPECT_EQ(app.printers.Entries()[0].macAddress, "0000AA000002");
    EXPECT_EQ(app.configuredMacs, std::vector<std::string>{"0000AA000001"});
    // The next printer gets the same settings without this one's address.
    EXPECT_EQ(app.currentPrinter.ip.ipv4Mode, 1u);
    EXPECT_EQ(app.currentPrinter.ip.subnetMask, 0xFFFFFF00u);
    EXPECT_EQ(app.currentPrinter.ip.gateway, 0xC0A80101u);
    EXPECT_EQ(app.currentPrinter.ip.ipv4Address, 0u);
    // The selection page is the first page of the next round: it has no Back button.
    EXPECT_FALSE(Control(IDC_BACK)->IsWindowVisible());
    EXPECT_EQ(app.backButtonFlag, 1);
    EXPECT_EQ(wizard.completionRecorded, 1);
    EXPECT_EQ(wizard.rediscover, 0);
    EXPECT_EQ(wizard.confirmCancel, 1);

    // Back on the completion page without a new apply: nothing more is removed.
    app.selectedPrinter = 0;
    wizard.GoToPage(kPageComplete);
    ASSERT_TRUE(frontEnd.Click(IDC_SET_ANOTHER));
    EXPECT_EQ(app.printers.Count(), 1);
    EXPECT_EQ(app.configuredMacs.size(), 1u);
}

}
}
