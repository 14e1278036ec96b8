#include "wizard/CTemplateDlg.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "core/StringTable.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "ui/CComboBox.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

using namespace plintor;

namespace {

// A page that applies the back-button rule when shown, as a page that can come first does.
class FirstPage : public CTemplateDlg {
public:
    std::int32_t* flag = nullptr;
    BackButtonFlag use = BackButtonFlag::Consume;

protected:
    void OnShowWindow(bool show) override
    {
        if (show && flag)
            ApplyBackButtonRule(*flag, use);
    }
};

class TemplateDlgTest : public ::testing::Test {
protected:
    void Open(int startPage, LangId language = 1033)
    {
        for (int i = 0; i < kPageCount; ++i)
            wizard.ReplacePage(i, pages[static_cast<std::size_t>(i)]);
        wizard.language = language;
        wizard.currentPage = startPage;
        ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        EXPECT_EQ(frontEnd.LivePeers(), 0);
    }
    FirstPage& Page(int index) { return pages[static_cast<std::size_t>(index)]; }

    CHeadlessFrontEnd frontEnd;
    FirstPage pages[kPageCount];
    CWizardDlg wizard;
};

}

TEST_F(TemplateDlgTest, InitialisationGivesTheCommonLook)
{
    Open(kPageSelectMethod);
    CTemplateDlg& page = Page(kPageSelectMethod);
    EXPECT_EQ(page.wizard, &wizard);
    EXPECT_EQ(page.backgroundBrush, 0xFFFFFFu);

    const FontDesc& banner = page.GetDlgItem(IDC_BANNER_TEXT)->GetFont();
    EXPECT_EQ(banner.face, "Tahoma");
    EXPECT_EQ(banner.height, 16);
    EXPECT_EQ(banner.weight, 700);
    EXPECT_EQ(page.GetDlgItem(IDC_FLOW_TITLE)->GetFont(), banner);
    EXPECT_EQ(page.GetDlgItem(IDC_BANNER_TEXT)->TextColour(), 0xFFFFFFu);
    EXPECT_TRUE(page.GetDlgItem(IDC_BANNER_TEXT)->TransparentBackground());

    const FontDesc& title = page.GetDlgItem(IDC_PAGE_TITLE)->GetFont();
    EXPECT_EQ(title.face, "Tahoma");
    EXPECT_EQ(title.height, 12);
    EXPECT_EQ(title.weight, 400);
    EXPECT_EQ(page.GetDlgItem(IDC_SIDE_TITLE)->GetFont().weight, 700);
    EXPECT_EQ(page.GetDlgItem(IDC_SIDE_MESSAGE)->TextColour(), 0x000000u);
    EXPECT_EQ(page.GetDlgItem(IDC_SIDE_MESSAGE)->BackgroundColour(), 0xFFFFFFu);

    EXPECT_EQ(page.GetDlgItem(IDC_BACK)->GetWindowText(), "< &Back");
    EXPECT_EQ(page.GetDlgItem(IDC_NEXT)->GetWindowText(), "&Next >");
    EXPECT_EQ(page.GetDlgItem(IDC_CANCEL)->GetWindowText(), "Cancel");
    EXPECT_EQ(page.GetDlgItem(IDC_FLOW_TITLE)->GetWindowText(), "Configure Printer");
    EXPECT_EQ(page.GetDlgItem(IDC_BANNER_TEXT)->GetWindowText(), "");

    EXPECT_EQ(page.GetDlgItem(IDC_BANNER_BACK)->GetRect().cx, PAGE_WIDTH);
    EXPECT_EQ(page.GetDlgItem(IDC_BANNER_BACK)->BitmapId(), IDB_BANNER_BACK);
    const WindowRect right = page.GetDlgItem(IDC_BANNER_RIGHT)->GetRect();
    EXPECT_EQ(right.x + right.cx, PAGE_WIDTH);
    EXPECT_EQ(right.y, 0);
    EXPECT_EQ(page.GetDlgItem(IDC_BANNER_LEFT)->BitmapId(), IDB_BANNER_LEFT);
}

TEST_F(TemplateDlgTest, SecondTitleLineTakesThePageTitleFont)
{
    Open(kPageConnectCom);
    CTemplateDlg& page = Page(kPageConnectCom);
    ASSERT_NE(page.GetDlgItem(1159), nullptr);
    EXPECT_EQ(page.GetDlgItem(1159)->GetFont().face, "Tahoma");
    EXPECT_EQ(page.GetDlgItem(1159)->GetFont().height, 12);
    EXPECT_EQ(page.pageTitleFont, page.GetDlgItem(1159)->GetFont());
}

TEST_F(TemplateDlgTest, APageWithoutBannerOrSideBarInitialisesAndSkipsWhatItLacks)
{
    DialogTemplate bare;
    bare.id = 9200;
    bare.cx = PAGE_WIDTH;
    bare.cy = PAGE_HEIGHT;
    ControlTemplate next;
    next.id = IDC_NEXT;
    next.kind = ControlKind::DefaultPushButton;
    bare.controls.push_back(next);
    wizard.templateLookup = [&](int id, LangId language) -> const DialogTemplate* {
        return id == IDD_COMPLETE ? &bare : FindDialogTemplate(id, language);
    };
    Open(kPageComplete);
    CTemplateDlg& page = Page(kPageComplete);
    ASSERT_TRUE(page.Exists());
    EXPECT_EQ(page.GetDlgItem(IDC_NEXT)->GetWindowText(), "&Next >");
    EXPECT_EQ(page.GetDlgItem(IDC_BANNER_TEXT), nullptr);
    EXPECT_EQ(page.sideTitleFont, FontDesc());
}

TEST_F(TemplateDlgTest, TextsComeInTheWizardLanguageAndAMissingOneIsEmpty)
{
    Open(kPageSelectMethod, 1031);
    CTemplateDlg& page = Page(kPageSelectMethod);
    EXPECT_EQ(page.language, 1031);
    EXPECT_EQ(page.GetDlgItem(IDC_CANCEL)->GetWindowText(), LoadText(1031, IDS_CANCEL_BUTTON));
    EXPECT_EQ(wizard.GetWindowText(), LoadText(1031, IDS_WND_TITLE));
    page.SetItemText(IDC_PAGE_TITLE, static_cast<StringId>(9999));
    EXPECT_EQ(page.GetDlgItem(IDC_PAGE_TITLE)->GetWindowText(), "");
    page.SetItemText(12345, IDS_FLOW_TITLE);   // a control the page lacks is skipped
}

TEST_F(TemplateDlgTest, AddComboItemAttachesItsData)
{
    Open(kPageIpSetting);
    CTemplateDlg& page = Page(kPageIpSetting);
    auto* combo = page.Item<CComboBox>(IDC_IP_MODE);
    ASSERT_NE(combo, nullptr);
    combo->ResetContent();
    int index = page.AddComboItem(combo, IDS_WND_TITLE, 77);
    EXPECT_EQ(combo->GetLBText(index), "Plintor");
    EXPECT_EQ(combo->GetItemData(index), 77);
    EXPECT_EQ(page.AddComboItem(nullptr, IDS_WND_TITLE, 1), -1);
}

TEST_F(TemplateDlgTest, GuideBoxHasTheGuideTitleAnOkButtonAndNoIcon)
{
    Open(kPageSelectMethod);
    Page(kPageSelectMethod).ShowGuide(IDS_GUIDE_FAXNUMBER_TEXT, IDS_GUIDE_FAXNUMBER_TITLE);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Fax Number");
    EXPECT_EQ(frontEnd.Messages()[0].text,
              "Contains your telephone number, which is printed at the top of each page sent from your "
              "multifunction printer.");
    EXPECT_EQ(frontEnd.Messages()[0].style, static_cast<std::uint32_t>(MB_OK));
}

TEST_F(TemplateDlgTest, OnlyTheFirstPageShownLosesItsBackButton)
{
    std::int32_t backButtonFlag = 0;
    for (auto& page : pages)
        page.flag = &backButtonFlag;
    Open(kPageSelectMethod);
    CWindow* firstBack = Page(kPageSelectMethod).GetDlgItem(IDC_BACK);
    EXPECT_FALSE(firstBack->IsWindowVisible());
    EXPECT_FALSE(firstBack->IsWindowEnabled());
    EXPECT_EQ(backButtonFlag, 1);
    wizard.GoToPage(kPageConnectCom);
    CWindow* laterBack = Page(kPageConnectCom).GetDlgItem(IDC_BACK);
    EXPECT_TRUE(laterBack->IsWindowVisible());
    EXPECT_TRUE(laterBack->IsWindowEnabled());
    EXPECT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
}

TEST_F(TemplateDlgTest, CablePageHidesBackButLeavesTheFlagForThePageAfterIt)
{
    std::int32_t backButtonFlag = 0;
    for (auto& page : pages)
        page.flag = &backButtonFlag;
    Page(kPageConnect).use = CTemplateDlg::BackButtonFlag::Keep;
    Open(kPageConnect);
    EXPECT_FALSE(Page(kPageConnect).GetDlgItem(IDC_BACK)->IsWindowVisible());
    EXPECT_EQ(backButtonFlag, 0);
    wizard.GoToPage(kPageIpSetting);
    EXPECT_FALSE(Page(kPageIpSetting).GetDlgItem(IDC_BACK)->IsWindowVisible());
    EXPECT_EQ(backButtonFlag, 1);
}

TEST(FlowTitle, NamesTheKindWhenExactlyOneIsConfigured)
{
    EXPECT_EQ(CWizardDlg::FlowTitleId(kConfigureIp), IDS_IP_CONFIG_FLOW_TITLE);
    EXPECT_EQ(CWizardDlg::FlowTitleId(kConfigureIp | kConfigurePanelLanguage), IDS_IP_CONFIG_FLOW_TITLE);
    EXPECT_EQ(CWizardDlg::FlowTitleId(kConfigureWireless), IDS_WIRELESS_CONFIG_FLOW_TITLE);
    EXPECT_EQ(CWizardDlg::FlowTitleId(kConfigureFax | kConfigureChoose), IDS_FAX_CONFIG_FLOW_TITLE);
    EXPECT_EQ(CWizardDlg::FlowTitleId(kConfigureIp | kConfigureFax), IDS_FLOW_TITLE);
    EXPECT_EQ(CWizardDlg::FlowTitleId(kConfigurePanelLanguage), IDS_FLOW_TITLE);
    EXPECT_EQ(CWizardDlg::FlowTitleId(0), IDS_FLOW_TITLE);
}

TEST(StandInPages, ApplyTheBackButtonRuleOfTheRun)
{
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    app.backButtonFlag = 0;
    CWizardDlg wizard(&app);
    wizard.currentPage = kPageConnect;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    frontEnd.SetRoot(&wizard);
    wizard.ShowWindow(true);
    // The cable page hides its Back button and leaves the flag to the page after it.
    EXPECT_FALSE(wizard.Page(kPageConnect)->GetDlgItem(IDC_BACK)->IsWindowVisible());
    EXPECT_EQ(app.backButtonFlag, 0);
    wizard.GoToPage(kPageIpSetting);
    EXPECT_FALSE(wizard.Page(kPageIpSetting)->GetDlgItem(IDC_BACK)->IsWindowEnabled());
    EXPECT_EQ(app.backButtonFlag, 1);
    wizard.GoToPage(kPageConfirmConfig);
    EXPECT_TRUE(wizard.Page(kPageConfirmConfig)->GetDlgItem(IDC_BACK)->IsWindowVisible());
    // Back on the stand-in runs the common handler.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    wizard.DestroyWindow();
    EXPECT_EQ(frontEnd.LivePeers(), 0);
}

TEST_F(TemplateDlgTest, RefreshBitIsTakenOnceUntilTheFrameSetsItAgain)
{
    Open(kPageIpSetting);
    CTemplateDlg& page = Page(kPageIpSetting);
    EXPECT_TRUE(page.TakeRefreshBit());
    EXPECT_FALSE(page.TakeRefreshBit());
    EXPECT_EQ(wizard.pageRefreshMask, CWizardDlg::kAllPagesMask & ~(1u << kPageIpSetting));
    wizard.pageRefreshMask = CWizardDlg::kAllPagesMask;
    EXPECT_TRUE(page.TakeRefreshBit());
}

TEST(StandInPages, MethodPageNamesTheConfiguredKindInItsFlowTitle)
{
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    app.configureFlags = kConfigureWireless | kConfigurePanelLanguage;
    CWizardDlg wizard(&app);
    wizard.currentPage = kPageSelectMethod;
    ASSERT_TRUE(wizard.Create(*FindDialogTemplate(IDD_WIZARD, 1033), nullptr));
    wizard.ShowWindow(true);
    CWindow* flowTitle = wizard.Page(kPageSelectMethod)->GetDlgItem(IDC_FLOW_TITLE);
    EXPECT_EQ(flowTitle->GetWindowText(), "Wireless Configuration");
    // Shown again after the kind changed, it follows.
    app.configureFlags = kConfigureIp | kConfigureFax;
    wizard.GoToPage(kPageSelectMethod);
    EXPECT_EQ(flowTitle->GetWindowText(), "Configure Printer");
    wizard.DestroyWindow();
}
