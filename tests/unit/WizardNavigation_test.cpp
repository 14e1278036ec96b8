#include "pages/CWizardDlg.h"

#include "resources/dialogs/CommonPageIds.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <vector>

using namespace plintor;

namespace {

const char* const kCancelQuestion = "Are you sure you want to cancel the tool?";

// A page that counts how often it was shown and whose Next goes to a chosen page.
class ProbePage : public CTemplateDlg {
public:
    int shown = 0;
    int nextPage = -1;
    int nextPressed = 0;

protected:
    void OnShowWindow(bool show) override
    {
        if (show)
            ++shown;
    }
    void OnNext() override
    {
        ++nextPressed;
        if (nextPage >= 0)
            wizard->GoToPage(nextPage);
    }
};

// The frame opened on a page, as start-up does, but without a modal loop of its own so that
// the test drives it step by step.
class WizardNavigationTest : public ::testing::Test {
protected:
    void Open(int startPage)
    {
        for (int i = 0; i < kPageCount; ++i)
            wizard.ReplacePage(i, probes[static_cast<std::size_t>(i)]);
        wizard.currentPage = startPage;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        EXPECT_EQ(frontEnd.LivePeers(), 0) << "a page window outlived the frame";
    }
    ProbePage& Probe(int index) { return probes[static_cast<std::size_t>(index)]; }
    int Questions() const
    {
        int count = 0;
        for (const auto& shown : frontEnd.Messages())
            if (shown.text == kCancelQuestion)
                ++count;
        return count;
    }

    CHeadlessFrontEnd frontEnd;
    ProbePage probes[kPageCount];
    CWizardDlg wizard;
};

}

TEST_F(WizardNavigationTest, ShowingTheFrameShowsTheStartPageWithoutHistory)
{
    Open(kPageSelectMethod);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod);
    EXPECT_EQ(frontEnd.CurrentPageClass(), "CSelectMethodDlg");
    EXPECT_TRUE(Probe(kPageSelectMethod).IsWindowVisible());
    EXPECT_TRUE(wizard.history.empty());
    EXPECT_EQ(wizard.GetWindowText(), "Plintor");
    EXPECT_EQ(wizard.pageRefreshMask, 0x7FFFu);
    // Only the page shown has a window yet.
    EXPECT_FALSE(Probe(kPageIpSetting).Exists());
}

TEST_F(WizardNavigationTest, BackReturnsAlongTheHistoryOfForwardMoves)
{
    Open(kPageSelectMethod);
    EXPECT_EQ(wizard.GoToPage(kPageConnectCom), kPageSelectMethod);
    EXPECT_EQ(wizard.GoToPage(kPageSelectPrinter), kPageConnectCom);
    EXPECT_EQ(wizard.GoToPage(kPageIpSetting), kPageSelectPrinter);
    EXPECT_EQ(wizard.history, (std::vector<int>{1, 14, 4}));
    EXPECT_FALSE(Probe(kPageSelectPrinter).IsWindowVisible());

    EXPECT_EQ(wizard.GoBack(), kPageSelectPrinter);
    EXPECT_EQ(wizard.currentPage, kPageSelectPrinter);
    EXPECT_EQ(wizard.history, (std::vector<int>{1, 14}));
    EXPECT_TRUE(Probe(kPageSelectPrinter).IsWindowVisible());
    EXPECT_FALSE(Probe(kPageIpSetting).IsWindowVisible());

    // The Back button of a page runs the same way.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConnectCom);
    EXPECT_EQ(wizard.history, (std::vector<int>{1}));
    EXPECT_EQ(frontEnd.Messages().size(), 0u);
}

TEST_F(WizardNavigationTest, PageWindowsKeepWhatTheUserTypedWhenLeftAndShownAgain)
{
    Open(kPageSelectMethod);
    wizard.GoToPage(kPageIpSetting);
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_ADDRESS, "2001:1::5"));
    wizard.GoToPage(kPageConfirmConfig);
    EXPECT_EQ(wizard.GoBack(), kPageIpSetting);
    EXPECT_EQ(Probe(kPageIpSetting).GetDlgItem(IDC_IPV6_ADDRESS)->GetWindowText(), "2001:1::5");
}

TEST_F(WizardNavigationTest, BackPassesOverTheCablePages)
{
    Open(kPageSelectMethod);
    wizard.GoToPage(kPageConnect);
    wizard.GoToPage(kPageDisconnect);
    wizard.GoToPage(kPageConnect);
    wizard.GoToPage(kPageIpSetting);
    EXPECT_EQ(wizard.history, (std::vector<int>{1, 2, 3, 2}));
    EXPECT_EQ(wizard.GoBack(), kPageSelectMethod);
    EXPECT_TRUE(wizard.history.empty());
    EXPECT_TRUE(Probe(kPageSelectMethod).IsWindowVisible());
    EXPECT_FALSE(Probe(kPageConnect).IsWindowVisible());
    EXPECT_FALSE(Probe(kPageIpSetting).IsWindowVisible());
}

TEST_F(WizardNavigationTest, BackWithOnlyCablePagesBehindChangesNothing)
{
    Open(kPageConnect);
    wizard.GoToPage(kPageDisconnect);
    wizard.GoToPage(kPageIpSetting);
    EXPECT_EQ(wizard.GoBack(), -1);
    EXPECT_EQ(wizard.currentPage, kPageIpSetting);
    EXPECT_TRUE(Probe(kPageIpSetting).IsWindowVisible());
    EXPECT_FALSE(Probe(kPageDisconnect).IsWindowVisible());
}

TEST_F(WizardNavigationTest, TheSamePageAskedTwiceIsShownAgainWithoutGrowingTheHistory)
{
    Open(kPageSelectMethod);
    wizard.GoToPage(kPageIpSetting);
    int shownBefore = Probe(kPageIpSetting).shown;
    EXPECT_EQ(wizard.GoToPage(kPageIpSetting), kPageIpSetting);
    EXPECT_EQ(wizard.history, (std::vector<int>{1}));
    EXPECT_EQ(Probe(kPageIpSetting).shown, shownBefore + 1) << "a page asked again refreshes itself";
    EXPECT_TRUE(Probe(kPageIpSetting).IsWindowVisible());
    // Next pressed twice on a page whose Next asks for the page shown.
    Probe(kPageIpSetting).nextPage = kPageIpSetting;
    frontEnd.Click(IDC_NEXT);
    frontEnd.Click(IDC_NEXT);
    EXPECT_EQ(wizard.history, (std::vector<int>{1}));
    EXPECT_EQ(wizard.GoBack(), kPageSelectMethod);
}

TEST_F(WizardNavigationTest, AnIndexOutsideThePageTableChangesNothing)
{
    Open(kPageSelectMethod);
    wizard.GoToPage(kPageIpSetting);
    for (int bad : {-1, 15, 100, -7}) {
        EXPECT_EQ(wizard.GoToPage(bad), -1) << bad;
        EXPECT_EQ(wizard.currentPage, kPageIpSetting);
        EXPECT_EQ(wizard.history, (std::vector<int>{1}));
        EXPECT_TRUE(Probe(kPageIpSetting).IsWindowVisible());
    }
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
}

TEST_F(WizardNavigationTest, TheFirstMoveLeavesNoPageBehindItToGoBackTo)
{
    // A frame whose start page was never set: the first GoToPage must not record -1.
    Open(-1);
    EXPECT_EQ(wizard.GoToPage(kPageWelcome), -1);
    EXPECT_EQ(wizard.currentPage, kPageWelcome);
    EXPECT_TRUE(wizard.history.empty());
    EXPECT_EQ(wizard.GoBack(), -1);
}

TEST_F(WizardNavigationTest, BackWithNoHistoryAsksTheCancelQuestion)
{
    Open(kPageSelectMethod);
    frontEnd.QueueAnswer(IDNO);
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].text, kCancelQuestion);
    EXPECT_FALSE(wizard.ModalEnded());
    EXPECT_EQ(wizard.currentPage, kPageSelectMethod);

    frontEnd.QueueAnswer(IDYES);
    frontEnd.Click(IDC_BACK);
    EXPECT_TRUE(wizard.ModalEnded());
    EXPECT_EQ(wizard.ModalResult(), IDCANCEL);
}

TEST_F(WizardNavigationTest, CancelAsksYesOrNoWithNoAsTheDefault)
{
    Open(kPageSelectMethod);
    ASSERT_TRUE(frontEnd.Click(IDC_CANCEL));
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    const auto& asked = frontEnd.Messages()[0];
    EXPECT_EQ(asked.caption, "Plintor");
    EXPECT_EQ(asked.text, kCancelQuestion);
    EXPECT_EQ(asked.style, static_cast<std::uint32_t>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
    EXPECT_TRUE(asked.defaulted);
    EXPECT_EQ(asked.answer, IDNO);
    EXPECT_FALSE(wizard.ModalEnded()) << "the default answer keeps the wizard open";
}

TEST_F(WizardNavigationTest, EscapeCancelAndClosingAskTheSameQuestion)
{
    Open(kPageSelectMethod);
    frontEnd.PressKey(VK_ESCAPE);
    frontEnd.Click(IDC_CANCEL);
    frontEnd.Close();
    EXPECT_EQ(Questions(), 3);
    EXPECT_FALSE(wizard.ModalEnded());
    frontEnd.QueueAnswer(IDYES);
    frontEnd.Close();
    EXPECT_TRUE(wizard.ModalEnded());
}

TEST_F(WizardNavigationTest, WithoutConfirmationCancellingClosesAtOnce)
{
    Open(kPageSelectMethod);
    wizard.confirmCancel = 0;
    frontEnd.PressKey(VK_ESCAPE);
    EXPECT_TRUE(wizard.ModalEnded());
    EXPECT_EQ(wizard.ModalResult(), IDCANCEL);
    EXPECT_EQ(frontEnd.Messages().size(), 0u);
}

TEST_F(WizardNavigationTest, EscapeInsideATextFieldAsksInsteadOfClosingThePage)
{
    Open(kPageSelectMethod);
    wizard.GoToPage(kPageIpSetting);
    CWindow* edit = Probe(kPageIpSetting).GetDlgItem(IDC_IPV6_ADDRESS);
    ASSERT_NE(edit, nullptr);
    edit->EnableWindow(true);
    edit->SetFocus();
    frontEnd.PressKey(VK_ESCAPE);
    EXPECT_EQ(Questions(), 1);
    EXPECT_TRUE(Probe(kPageIpSetting).IsWindowVisible());
    EXPECT_EQ(Probe(kPageIpSetting).nextPressed, 0) << "Escape must not reach the page as IDCANCEL (its Next)";
    EXPECT_FALSE(wizard.ModalEnded());
}

TEST_F(WizardNavigationTest, EnterPressesNextAndNeverClosesTheWizard)
{
    Open(kPageSelectMethod);
    // Focus on a field: Enter presses the default button, Next.
    wizard.GoToPage(kPageIpSetting);
    CWindow* edit = Probe(kPageIpSetting).GetDlgItem(IDC_IPV6_ADDRESS);
    edit->EnableWindow(true);
    edit->SetFocus();
    frontEnd.PressKey(VK_RETURN);
    EXPECT_EQ(Probe(kPageIpSetting).nextPressed, 1);
    // With Next disabled nothing happens, and nothing reaches Back (whose id is IDOK).
    Probe(kPageIpSetting).GetDlgItem(IDC_NEXT)->EnableWindow(false);
    frontEnd.PressKey(VK_RETURN);
    EXPECT_EQ(Probe(kPageIpSetting).nextPressed, 1);
    EXPECT_EQ(wizard.currentPage, kPageIpSetting);
    // Enter on the frame itself.
    wizard.SetFocus();
    CDialog::PressKey(&wizard, VK_RETURN);
    EXPECT_FALSE(wizard.ModalEnded());
    EXPECT_EQ(frontEnd.Messages().size(), 0u);
}

TEST_F(WizardNavigationTest, HelpKeyShowsNothing)
{
    Open(kPageSelectMethod);
    frontEnd.PressKey(VK_F1);
    EXPECT_EQ(frontEnd.Messages().size(), 0u);
    EXPECT_FALSE(wizard.ModalEnded());
}

TEST_F(WizardNavigationTest, AMissingPageLayoutLeavesThePageShown)
{
    wizard.templateLookup = [](int id, LangId language) -> const DialogTemplate* {
        return id == IDD_IP_SETTING ? nullptr : FindDialogTemplate(id, language);
    };
    Open(kPageSelectMethod);
    EXPECT_EQ(wizard.GoToPage(kPageIpSetting), -1);
    EXPECT_EQ(wizard.currentPage, kPageSelectMethod);
    EXPECT_TRUE(Probe(kPageSelectMethod).IsWindowVisible());
    EXPECT_TRUE(wizard.history.empty());
}

TEST_F(WizardNavigationTest, ModalRunEndsWithCancelAndTakesEveryWindowAlong)
{
    for (int i = 0; i < kPageCount; ++i)
        wizard.ReplacePage(i, probes[static_cast<std::size_t>(i)]);
    wizard.currentPage = kPageWelcome;
    Probe(kPageWelcome).nextPage = kPageSelectMethod;
    int steps = 0;
    frontEnd.SetIdleAction([&](CDialog&) {
        switch (steps++) {
        case 0: EXPECT_TRUE(frontEnd.Click(IDC_NEXT)); break;
        case 1: EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectMethod); break;
        case 2: frontEnd.QueueAnswer(IDYES); EXPECT_TRUE(frontEnd.Click(IDC_CANCEL)); break;
        default: ADD_FAILURE() << "the wizard did not close"; wizard.EndDialog(IDOK);
        }
        return true;
    });
    EXPECT_EQ(wizard.DoModal(*FindDialogTemplate(IDD_WIZARD, 1033)), IDCANCEL);
    EXPECT_EQ(wizard.history, (std::vector<int>{0}));
    EXPECT_FALSE(wizard.Exists());
    EXPECT_FALSE(Probe(kPageWelcome).Exists());
    EXPECT_FALSE(Probe(kPageSelectMethod).Exists());
    EXPECT_TRUE(wizard.pages.empty());
}
