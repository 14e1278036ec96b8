#include "pages/CCheckFAXSettingDlg.h"
#include "pages/CFAXSettingDlg.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CheckFaxSettingIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "settings/SettingsStore.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plintor {
namespace {

const std::string kIncorrectCompany = "Incorrect Company Name.";
const std::string kIncorrectNumber = "Number must be less or equal to 20 digits ('+' and 'space' allowed)";
const std::string kReadFailed = "Failed to acquire the information.";

constexpr int kFaxFields[] = {IDC_FAX_REGION, IDC_FAX_LINE_TYPE, IDC_FAX_DIAL_TYPE, IDC_FAX_RECEIVE_MODE,
                              IDC_FAX_COMPANY, IDC_FAX_NUMBER, IDC_FAX_REGION_LABEL, IDC_FAX_NUMBER_LABEL};
constexpr int kHelpButtons[] = {IDC_FAX_REGION_HELP,  IDC_FAX_LINE_TYPE_HELP, IDC_FAX_DIAL_TYPE_HELP,
                                IDC_FAX_RECEIVE_MODE_HELP, IDC_FAX_DRPD_HELP, IDC_FAX_COMPANY_HELP,
                                IDC_FAX_NUMBER_HELP};

// The wizard opened on one of the FAX pages for one network printer, driven without a
// modal loop.
class FaxSettingPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Codes without a table row (99999, 9) are in the lists on purpose.
        app.config.faxCountries = {244, 39, 99999, 242, 94, 84, 12, 122};
        app.config.faxLineTypes = {2, 1};
        app.config.faxDialTypes = {3, 1, 2};
        app.config.faxReceiveModes = {1, 2, 3, 4, 5};
        app.config.faxDrpdPatterns = {1, 2, 9, 3, 4, 5, 6, 7};
        app.configureFlags = kConfigureFax;
        app.connectionMode = 2;
        app.uiLanguage = 1033;
        stored.country = 94;
        stored.lineType = 2;
        stored.dialType = 2;
        stored.receiveMode = 5;
        stored.drpdPattern = 6;
        stored.companyName = "Lakeside Books";
        stored.faxNumber = "+1 555 0100";
    }
    void Open(int page)
    {
        PrinterEntry entry;
        entry.connection = kConnectionNetwork;
        entry.addressIpv4 = "127.0.0.1";
        entry.macAddress = "0000AA000001";
        entry.fax = stored;
        entry.panelLanguage = 1031;
        app.printers.Add(entry);
        app.currentPrinter.SetSettings(entry.Settings());
        SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
        app.currentPrinter.faxReadStatus = readStatus;
        wizard.currentPage = page;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        app.operations.applyPanelLanguage = [this](RunState& run) {
            PrinterEntry sent;
            run.printers.GetPrinter(run.selectedPrinter, sent);
            panelSends.push_back(sent.panelLanguage);
            return false;  // not examined
        };
        wizard.ShowWindow(true);
        frontEnd.Pump();
        ASSERT_EQ(frontEnd.CurrentPage(), page);
    }
    void TearDown() override { wizard.DestroyWindow(); }

    CWindow* Control(int id) { return frontEnd.Control(id); }
    CComboBox* Box(int id) { return dynamic_cast<CComboBox*>(Control(id)); }
    bool Enabled(int id) { return Control(id) && Control(id)->IsWindowEnabled(); }
    std::string SelectedText(int id)
    {
        CComboBox* box = Box(id);
        return box && box->GetCurSel() >= 0 ? box->GetLBText(box->GetCurSel()) : "(none)";
    }
    int IndexOfText(int id, const std::string& text)
    {
        CComboBox* box = Box(id);
        for (int i = 0; box && i < box->GetCount(); ++i)
            if (box->GetLBText(i) == text)
                return i;
        return -1;
    }
    bool Pick(int id, const std::string& text)
    {
        int index = IndexOfText(id, text);
        return index >= 0 && frontEnd.Select(id, index);
    }
    PrinterEntry Entry()
    {
        PrinterEntry entry;
        app.printers.GetPrinter(0, entry);
        return entry;
    }
    // Presses Next and returns the one message it showed (empty when none).
    std::string NextMessage()
    {
        std::size_t before = frontEnd.Messages().size();
        EXPECT_TRUE(frontEnd.Click(IDC_NEXT));
        frontEnd.Pump();
        if (frontEnd.Messages().size() == before)
            return {};
        EXPECT_EQ(frontEnd.Messages().size(), before + 1) << "one message per refused value";
        const auto& shown = frontEnd.Messages().back();
        EXPECT_EQ(shown.caption, "Input Error");
        EXPECT_EQ(shown.style, static_cast<std::uint32_t>(MB_OK | MB_ICONEXCLAMATION));
        return shown.text;
    }
    bool FocusIs(int id) { return CWindow::GetFocus() == Control(id); }
    std::vector<std::string> Texts(int id)
    {
        std::vector<std::string> texts;
        if (CComboBox* box = Box(id))
            for (const auto& item : box->Items())
                texts.push_back(item.text);
        return texts;
    }
    std::vector<std::intptr_t> Codes(int id)
    {
        std::vector<std::intptr_t> codes;
        if (CComboBox* box = Box(id))
            for (const auto& item : box->Items())
                codes.push_back(item.data);
        return codes;
    }

    FaxSettings stored;
    int readStatus = 1;
    std::vector<std::uint16_t> panelSends;
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(FaxSettingPagesTest, ListsComeFromTheConfigurationWithRegionsSortedByText)
{
    Open(kPageFaxSetting);
    EXPECT_EQ(Texts(IDC_FAX_REGION), (std::vector<std::string>{"Australia", "Canada", "France", "Germany", "Japan",
                                                               "United Kingdom", "United States"}));
    EXPECT_EQ(Codes(IDC_FAX_REGION), (std::vector<std::intptr_t>{12, 39, 84, 94, 122, 242, 244}));
    // The other lists keep the configuration's order, not the table's.
    EXPECT_EQ(Texts(IDC_FAX_LINE_TYPE), (std::vector<std::string>{"PBX", "PSTN"}));
    EXPECT_EQ(Codes(IDC_FAX_LINE_TYPE), (std::vector<std::intptr_t>{2, 1}));
    EXPECT_EQ(Texts(IDC_FAX_DIAL_TYPE), (std::vector<std::string>{"DP(20PPS)", "PB", "DP(10PPS)"}));
    EXPECT_EQ(Texts(IDC_FAX_RECEIVE_MODE),
              (std::vector<std::string>{"TEL Mode", "FAX Mode", "TEL/FAX Mode", "Ans/FAX Mode", "DRPD Mode"}));
    EXPECT_EQ(Codes(IDC_FAX_DRPD), (std::vector<std::intptr_t>{1, 2, 3, 4, 5, 6, 7}));

    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "FAX Settings");
    EXPECT_EQ(Control(IDC_SIDE_MESSAGE)->GetWindowText(),
              "Configure the FAX settings.\n\nThe values of each item are retrieved from your printer.");
    for (int id : kHelpButtons)
        EXPECT_EQ(Control(id)->GetWindowText(), "What's this?") << id;

    // A guide is a plain box with OK only.
    ASSERT_TRUE(frontEnd.Click(IDC_FAX_NUMBER_HELP));
    ASSERT_FALSE(frontEnd.Messages().empty());
    EXPECT_EQ(frontEnd.Messages().back().caption, "Fax Number");
    EXPECT_EQ(frontEnd.Messages().back().text,
              "Contains your telephone number, which is printed at the top of each page sent from your "
              "multifunction printer.");
    EXPECT_EQ(frontEnd.Messages().back().style, static_cast<std::uint32_t>(MB_OK));
}

TEST_F(FaxSettingPagesTest, LoadSelectsTheStoredCodesOrTheFirstItemAndFollowsTheDrpdRule)
{
    Open(kPageFaxSetting);
    EXPECT_EQ(SelectedText(IDC_FAX_REGION), "Germany");
    EXPECT_EQ(SelectedText(IDC_FAX_LINE_TYPE), "PBX");
    EXPECT_EQ(SelectedText(IDC_FAX_DIAL_TYPE), "DP(10PPS)");
    EXPECT_EQ(SelectedText(IDC_FAX_RECEIVE_MODE), "DRPD Mode");
    EXPECT_EQ(SelectedText(IDC_FAX_DRPD), "Pattern6");
    EXPECT_EQ(Control(IDC_FAX_COMPANY)->GetWindowText(), "Lakeside Books");
    EXPECT_EQ(Control(IDC_FAX_NUMBER)->GetWindowText(), "+1 555 0100");
    EXPECT_TRUE(Enabled(IDC_FAX_DRPD));
    EXPECT_TRUE(Enabled(IDC_FAX_DRPD_LABEL));
    EXPECT_TRUE(FocusIs(IDC_NEXT));
    EXPECT_EQ(wizard.pageRefreshMask & (1u << kPageFaxSetting), 0u);

    for (const char* mode : {"TEL Mode", "FAX Mode", "TEL/FAX Mode", "Ans/FAX Mode"}) {
        ASSERT_TRUE(Pick(IDC_FAX_RECEIVE_MODE, mode));
        EXPECT_FALSE(Enabled(IDC_FAX_DRPD)) << mode;
        EXPECT_FALSE(Enabled(IDC_FAX_DRPD_LABEL)) << mode;
        EXPECT_TRUE(Enabled(IDC_FAX_DRPD_HELP)) << mode;
    }
    ASSERT_TRUE(Pick(IDC_FAX_RECEIVE_MODE, "DRPD Mode"));
    EXPECT_TRUE(Enabled(IDC_FAX_DRPD));
}

TEST_F(FaxSettingPagesTest, ValuesNotOfferedSelectTheFirstItemAndADisabledPatternAfterLoad)
{
    stored.country = 45;  // China: not offered
    stored.lineType = 7;
    stored.receiveMode = 1;
    stored.drpdPattern = 9;
    Open(kPageFaxSetting);
    EXPECT_EQ(SelectedText(IDC_FAX_REGION), "Australia");
    EXPECT_EQ(SelectedText(IDC_FAX_LINE_TYPE), "PBX");
    EXPECT_EQ(SelectedText(IDC_FAX_DRPD), "Pattern1");
    EXPECT_FALSE(Enabled(IDC_FAX_DRPD));
}

TEST_F(FaxSettingPagesTest, ControlsReloadOnlyWhenTheRefreshBitIsSet)
{
    Open(kPageFaxSetting);
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, "Typed Name"));
    ASSERT_TRUE(Pick(IDC_FAX_REGION, "Japan"));
    EXPECT_EQ(NextMessage(), "");
    ASSERT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    EXPECT_EQ(Entry().fax.companyName, "Typed Name");

    // The entry changes behind the page: without the bit the page keeps what was typed.
    PrinterEntry changed = Entry();
    changed.fax.companyName = "From The Printer";
    changed.fax.country = 244;
    app.printers.ReplacePrinter(0, changed);
    wizard.GoBack();
    ASSERT_EQ(frontEnd.CurrentPage(), kPageFaxSetting);
    EXPECT_EQ(Control(IDC_FAX_COMPANY)->GetWindowText(), "Typed Name");
    EXPECT_EQ(SelectedText(IDC_FAX_REGION), "Japan");

    // A newly chosen printer sets the bit: the page loads from the entry again.
    wizard.GoToPage(kPageConfirmConfig);
    wizard.pageRefreshMask |= 1u << kPageFaxSetting;
    wizard.GoBack();
    EXPECT_EQ(Control(IDC_FAX_COMPANY)->GetWindowText(), "From The Printer");
    EXPECT_EQ(SelectedText(IDC_FAX_REGION), "United States");
}

TEST_F(FaxSettingPagesTest, AFailedReadIsToldOnceAfterThePageIsShown)
{
    readStatus = 0;
    Open(kPageFaxSetting);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].text, kReadFailed);
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Warning!");
    EXPECT_EQ(frontEnd.Messages()[0].style, static_cast<std::uint32_t>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(app.currentPrinter.faxReadStatus, 1);

    EXPECT_EQ(NextMessage(), "");
    wizard.GoBack();
    frontEnd.Pump();
    EXPECT_EQ(frontEnd.CurrentPage(), kPageFaxSetting);
    EXPECT_EQ(frontEnd.Messages().size(), 1u);
}

TEST_F(FaxSettingPagesTest, CompanyNameAndFaxNumberAreCheckedInOrderWithTheFocusOnTheCulprit)
{
    Open(kPageFaxSetting);
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, "Caf\xC3\xA9 Nord"));
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, "555-0100"));
    EXPECT_EQ(NextMessage(), kIncorrectCompany);
    EXPECT_TRUE(FocusIs(IDC_FAX_COMPANY));
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, "Tab\there"));
    EXPECT_EQ(NextMessage(), kIncorrectCompany);

    // 23 printable characters pass; a 24th is never typed.
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, "~Lakeside Books & Co. !X"));
    EXPECT_EQ(Control(IDC_FAX_COMPANY)->GetWindowText(), "~Lakeside Books & Co. !");
    EXPECT_EQ(NextMessage(), kIncorrectNumber);
    EXPECT_TRUE(FocusIs(IDC_FAX_NUMBER));
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, "(555) 0100"));
    EXPECT_EQ(NextMessage(), kIncorrectNumber);
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, "+49 30 1234567890 12345"));
    EXPECT_EQ(Control(IDC_FAX_NUMBER)->GetWindowText(), "+49 30 1234567890 12");

    // Nothing reached the entry while values were refused.
    EXPECT_EQ(Entry().fax, stored);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageFaxSetting);

    ASSERT_TRUE(Pick(IDC_FAX_RECEIVE_MODE, "TEL/FAX Mode"));
    ASSERT_TRUE(Pick(IDC_FAX_DIAL_TYPE, "DP(20PPS)"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    FaxSettings fax = Entry().fax;
    EXPECT_EQ(fax.companyName, "~Lakeside Books & Co. !");
    EXPECT_EQ(fax.faxNumber, "+49 30 1234567890 12");
    EXPECT_EQ(fax.country, 94u);
    EXPECT_EQ(fax.lineType, 2u);
    EXPECT_EQ(fax.dialType, 3u);
    EXPECT_EQ(fax.receiveMode, 3u);
    EXPECT_EQ(fax.drpdPattern, 6u);  // stored although no DRPD mode uses it
    EXPECT_EQ(fax.faxEnabled, 1u);

    // Empty texts pass.
    wizard.GoBack();
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, ""));
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, ""));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(Entry().fax.companyName, "");
    EXPECT_EQ(Entry().fax.faxNumber, "");
}

TEST_F(FaxSettingPagesTest, AnEmptyListStoresNothingAndTheRunStillMovesOn)
{
    app.config.faxLineTypes = {};
    Open(kPageFaxSetting);
    EXPECT_EQ(Box(IDC_FAX_LINE_TYPE)->GetCount(), 0);
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, "Other Name"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    EXPECT_EQ(Entry().fax, stored);
}

TEST_F(FaxSettingPagesTest, BoxFollowsFaxEnabledAndSwitchesTheFieldsButNotTheGuides)
{
    stored.faxEnabled = 0;
    app.backButtonFlag = 0;
    Open(kPageCheckFaxSetting);
    EXPECT_NE(Control(IDC_SIDE_MESSAGE)->GetWindowText().find("\n\nIf you will not use FAX functionality"),
              std::string::npos);
    EXPECT_EQ(Control(IDC_FAX_NOT_USED)->GetWindowText(), "&I don\xE2\x80\x99t use FAX functionality");
    EXPECT_FALSE(Control(IDC_BACK)->IsWindowVisible());
    EXPECT_FALSE(Enabled(IDC_BACK));
    EXPECT_EQ(app.backButtonFlag, 1);

    auto* box = dynamic_cast<CButton*>(Control(IDC_FAX_NOT_USED));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetCheck(), 1);
    for (int id : kFaxFields)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_FAX_DRPD));  // the loaded mode is DRPD, the box wins
    for (int id : kHelpButtons)
        EXPECT_TRUE(Enabled(id)) << id;

    ASSERT_TRUE(frontEnd.Uncheck(IDC_FAX_NOT_USED));
    for (int id : kFaxFields)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_FAX_DRPD));
    ASSERT_TRUE(Pick(IDC_FAX_RECEIVE_MODE, "FAX Mode"));
    EXPECT_FALSE(Enabled(IDC_FAX_DRPD));
    ASSERT_TRUE(frontEnd.Check(IDC_FAX_NOT_USED));
    ASSERT_TRUE(frontEnd.Uncheck(IDC_FAX_NOT_USED));
    EXPECT_FALSE(Enabled(IDC_FAX_DRPD));
    EXPECT_TRUE(Enabled(IDC_FAX_DRPD_HELP));
}

TEST_F(FaxSettingPagesTest, DeclinedInAFaxOnlyRunSendsThePanelLanguageAndCompletes)
{
    app.configureFlags = kConfigureFax | kConfigurePanelLanguage;
    app.uiLanguage = 1036;
    Open(kPageCheckFaxSetting);
    // Declined: nothing is validated and the FAX values stay.
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_COMPANY, "Caf\xC3\xA9"));
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, "555-0100"));
    ASSERT_TRUE(Pick(IDC_FAX_REGION, "Japan"));
    ASSERT_TRUE(frontEnd.Check(IDC_FAX_NOT_USED));
    EXPECT_FALSE(frontEnd.Type(IDC_FAX_COMPANY, "Other"));  // a disabled edit takes nothing
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    EXPECT_EQ(panelSends, (std::vector<std::uint16_t>{1036}));
    PrinterEntry entry = Entry();
    EXPECT_EQ(entry.fax.faxEnabled, 0u);
    EXPECT_EQ(entry.fax.companyName, stored.companyName);
    EXPECT_EQ(entry.fax.faxNumber, stored.faxNumber);
    EXPECT_EQ(entry.fax.country, stored.country);
    EXPECT_EQ(entry.panelLanguage, 1036);
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureFax | kConfigurePanelLanguage));
}

TEST_F(FaxSettingPagesTest, DeclinedWithoutThePanelBitCompletesWithoutAJob)
{
    Open(kPageCheckFaxSetting);
    ASSERT_TRUE(frontEnd.Check(IDC_FAX_NOT_USED));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageComplete);
    EXPECT_TRUE(panelSends.empty());
    EXPECT_EQ(Entry().panelLanguage, 1031);
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureFax));
}

TEST_F(FaxSettingPagesTest, DeclinedInARunWithIpGoesToTheConfirmationPage)
{
    app.configureFlags = kConfigureIp | kConfigureFax | kConfigurePanelLanguage;
    Open(kPageCheckFaxSetting);
    ASSERT_TRUE(frontEnd.Check(IDC_FAX_NOT_USED));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    EXPECT_TRUE(panelSends.empty());
    EXPECT_EQ(Entry().fax.faxEnabled, 0u);
    EXPECT_EQ(app.configureFlags, static_cast<std::uint32_t>(kConfigureIp | kConfigureFax | kConfigurePanelLanguage));
}

TEST_F(FaxSettingPagesTest, UsedFaxIsValidatedStoredAndEnabledOnTheCheckPage)
{
    stored.faxEnabled = 0;
    app.configureFlags = kConfigureFax | kConfigurePanelLanguage;
    Open(kPageCheckFaxSetting);
    ASSERT_TRUE(frontEnd.Uncheck(IDC_FAX_NOT_USED));
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, "555-0100"));
    EXPECT_EQ(NextMessage(), kIncorrectNumber);
    EXPECT_TRUE(FocusIs(IDC_FAX_NUMBER));
    EXPECT_EQ(Entry().fax.faxEnabled, 0u);
    ASSERT_TRUE(frontEnd.Type(IDC_FAX_NUMBER, "5550100"));
    ASSERT_TRUE(Pick(IDC_FAX_REGION, "France"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    EXPECT_TRUE(panelSends.empty());
    FaxSettings fax = Entry().fax;
    EXPECT_EQ(fax.faxEnabled, 1u);
    EXPECT_EQ(fax.faxNumber, "5550100");
    EXPECT_EQ(fax.country, 84u);
}

}
}
