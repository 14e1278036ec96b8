#include "pages/CEnterAPPwdDlg.h"
#include "pages/CFixedSSIDWLSettingDLG.h"
#include "pages/CSelectAPDlg.h"
#include "pages/CWirelessSettingDlg.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/EnterApPwdIds.h"
#include "resources/dialogs/FixedSsidWlSettingIds.h"
#include "resources/dialogs/SelectApIds.h"
#include "resources/dialogs/WirelessSettingIds.h"
#include "settings/SettingsStore.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CListView.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plintor {
namespace {

constexpr std::uint32_t kExclamationOk = MB_OK | MB_ICONEXCLAMATION;

std::vector<std::string> ComboTexts(const CComboBox* box)
{
    std::vector<std::string> texts;
    if (box)
        for (const auto& item : box->Items())
            texts.push_back(item.text);
    return texts;
}

// The wizard opened on one of the wireless pages for one USB printer, driven step by step
// without a modal loop of the frame.
class WirelessPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.configureFlags = kConfigureWireless;
        app.connectionMode = 1;
        PrinterEntry entry;
        entry.connection = kConnectionUsb;
        entry.usbDevicePath = "/dev/usb/lp7";
        entry.macAddress = "0000AA000001";
        app.printers.Add(entry);
    }
    // The wireless settings entry 0 holds before the wizard opens.
    void Preset(const WirelessSettings& wireless)
    {
        PrinterEntry entry;
        app.printers.GetPrinter(0, entry);
        entry.wireless = wireless;
        app.printers.ReplacePrinter(0, entry);
    }
    void Open(int page)
    {
        app.printers.GetPrinter(0, app.currentPrinter);
        SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
        wizard.currentPage = page;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        app.operations.surveyAccessPoints = [this](ApSurveyResult& result, const std::string& path,
                                                   const SettingsContext&) {
            surveyedPaths.push_back(path);
            result = survey;
        };
        wizard.ShowWindow(true);
        frontEnd.Pump();
        ASSERT_EQ(frontEnd.CurrentPage(), page);
    }
    void TearDown() override
    {
        wizard.DestroyWindow();
        EXPECT_EQ(frontEnd.LivePeers(), 0);
    }

    CWindow* Control(int id) { return frontEnd.Control(id); }
    CComboBox* Combo(int id) { return dynamic_cast<CComboBox*>(Control(id)); }
    CEdit* EditBox(int id) { return dynamic_cast<CEdit*>(Control(id)); }
    CListView* List() { return dynamic_cast<CListView*>(Control(IDC_AP_LIST)); }
    bool Enabled(int id) { return Control(id) && Control(id)->IsWindowEnabled(); }
    bool FocusIs(int id) { return CWindow::GetFocus() == Control(id); }
    WirelessSettings Stored()
    {
        PrinterEntry entry;
        app.printers.GetPrinter(0, entry);
        return entry.wireless;
    }
    // Presses Next; returns the one message it showed (empty when none).
    std::string NextMessage(const char* caption = "Input Error")
    {
        std::size_t before = frontEnd.Messages().size();
        EXPECT_TRUE(frontEnd.Click(IDC_NEXT));
        frontEnd.Pump();
        if (frontEnd.Messages().size() == before)
            return {};
        EXPECT_EQ(frontEnd.Messages().size(), before + 1) << "one message per failure";
        const auto& shown = frontEnd.Messages().back();
        EXPECT_EQ(shown.caption, caption);
        EXPECT_EQ(shown.style, kExclamationOk);
        return shown.text;
    }
    // Sets a key as if pasted past the edit's limit (the rules must still refuse it).
    void SetKeyDirectly(int id, const std::string& key) { EditBox(id)->SetWindowText(key); }

    static AccessPointInfo Ap(const char* ssid, std::uint32_t security, std::uint32_t quality)
    {
        return {ssid, security, quality};
    }

    ApSurveyResult survey;
    std::vector<std::string> surveyedPaths;
    CPlintorApp app;
    CHeadlessFrontEnd frontEnd;
    CWizardDlg wizard{&app};
};

const std::vector<std::string> kInfrastructureSecurity = {
    "No Security", "WEP", "WPA-PSK-TKIP", "WPA-PSK-AES / WPA2-PSK-AES", "WPA/WPA2 mixed TKIP/AES"};
const std::vector<std::string> kInfrastructureIndexes = {"Auto", "1", "2", "3", "4"};
const std::vector<std::string> kAdHocIndexes = {"1", "2", "3", "4"};

TEST_F(WirelessPagesTest, LoadShowsTheStoredSettingsWithTheKeyInAPasswordField)
{
    Preset({"office", 0, 3, 0, "", "secret-pass"});
    Open(kPageWirelessSetting);
    EXPECT_EQ(Control(IDC_WL_SSID)->GetWindowText(), "office");
    EXPECT_EQ(dynamic_cast<CButton*>(Control(IDC_WL_INFRASTRUCTURE))->GetCheck(), 1);
    EXPECT_EQ(dynamic_cast<CButton*>(Control(IDC_WL_ADHOC))->GetCheck(), 0);
    EXPECT_EQ(ComboTexts(Combo(IDC_WL_SECURITY)), kInfrastructureSecurity);
    EXPECT_EQ(Combo(IDC_WL_SECURITY)->GetCurSel(), 3);
    EXPECT_EQ(Control(IDC_WL_KEY_LABEL)->GetWindowText(), "&Passphrase:");
    EXPECT_EQ(EditBox(IDC_WL_KEY)->GetWindowText(), "secret-pass");
    EXPECT_EQ(EditBox(IDC_WL_KEY)->LimitText(), 63u);
    EXPECT_TRUE(EditBox(IDC_WL_KEY)->IsPassword());
    EXPECT_EQ(EditBox(IDC_WL_KEY)->GetFont().face, "MS Shell Dlg");
    EXPECT_FALSE(Enabled(IDC_WL_KEY_INDEX));
    EXPECT_FALSE(Enabled(IDC_WL_KEY_INDEX_LABEL));
    EXPECT_TRUE(Enabled(IDC_WL_KEY));
    EXPECT_EQ(EditBox(IDC_WL_SSID)->LimitText(), 32u);
    EXPECT_TRUE(FocusIs(IDC_NEXT));
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "Wireless Network Settings");
}

TEST_F(WirelessPagesTest, AdHocDropsTheWpaRowsAndAutoAndFallsBackToNoSecurity)
{
    Open(kPageWirelessSetting);
    // No security: the whole key area is off.
    EXPECT_EQ(Combo(IDC_WL_SECURITY)->GetCurSel(), 0);
    EXPECT_FALSE(Enabled(IDC_WL_KEY));
    EXPECT_FALSE(Enabled(IDC_WL_KEY_LABEL));
    EXPECT_FALSE(Enabled(IDC_WL_KEY_INDEX));

    ASSERT_TRUE(frontEnd.Select(IDC_WL_SECURITY, 2));   // WPA-PSK-TKIP
    EXPECT_TRUE(Enabled(IDC_WL_KEY));
    ASSERT_TRUE(frontEnd.Check(IDC_WL_ADHOC));
    EXPECT_EQ(ComboTexts(Combo(IDC_WL_SECURITY)), (std::vector<std::string>{"No Security", "WEP"}));
    EXPECT_EQ(Combo(IDC_WL_SECURITY)->GetCurSel(), 0);
    EXPECT_FALSE(Enabled(IDC_WL_KEY));

    // WEP in ad hoc mode: no "Auto"; the automatic index becomes 1.
    ASSERT_TRUE(frontEnd.Select(IDC_WL_SECURITY, 1));
    EXPECT_EQ(ComboTexts(Combo(IDC_WL_KEY_INDEX)), kAdHocIndexes);
    EXPECT_EQ(Combo(IDC_WL_KEY_INDEX)->GetItemData(Combo(IDC_WL_KEY_INDEX)->GetCurSel()), 1);
    EXPECT_EQ(Control(IDC_WL_KEY_LABEL)->GetWindowText(), "&WEP Key:");
    EXPECT_EQ(EditBox(IDC_WL_KEY)->LimitText(), 26u);
    EXPECT_TRUE(Enabled(IDC_WL_KEY_INDEX));
    EXPECT_TRUE(Enabled(IDC_WL_KEY));

    // WEP survives the way back to infrastructure, and "Auto" returns with index 3 kept.
    ASSERT_TRUE(frontEnd.Select(IDC_WL_KEY_INDEX, 2));
    ASSERT_TRUE(frontEnd.Check(IDC_WL_INFRASTRUCTURE));
    EXPECT_EQ(ComboTexts(Combo(IDC_WL_SECURITY)), kInfrastructureSecurity);
    EXPECT_EQ(Combo(IDC_WL_SECURITY)->GetCurSel(), 1);
    EXPECT_EQ(ComboTexts(Combo(IDC_WL_KEY_INDEX)), kInfrastructureIndexes);
    EXPECT_EQ(Combo(IDC_WL_KEY_INDEX)->GetItemData(Combo(IDC_WL_KEY_INDEX)->GetCurSel()), 3);

    // Stored: ad hoc WEP with key slot 1 and the key typed.
    ASSERT_TRUE(frontEnd.Type(IDC_WL_SSID, "adhocnet"));
    ASSERT_TRUE(frontEnd.Check(IDC_WL_ADHOC));
    ASSERT_TRUE(frontEnd.Select(IDC_WL_KEY_INDEX, 0));
    ASSERT_TRUE(frontEnd.Type(IDC_WL_KEY, "abcde"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(Stored(), (WirelessSettings{"adhocnet", 1, 1, 1, "abcde", ""}));
}

TEST_F(WirelessPagesTest, NextChecksTheSsidFirstThenTheKey)
{
    Open(kPageWirelessSetting);
    ASSERT_TRUE(frontEnd.Select(IDC_WL_SECURITY, 1));
    ASSERT_TRUE(frontEnd.Type(IDC_WL_KEY, "bad"));
    EXPECT_EQ(NextMessage(), "Incorrect SSID.");
    EXPECT_TRUE(FocusIs(IDC_WL_SSID));

    ASSERT_TRUE(frontEnd.Type(IDC_WL_SSID, std::string(32, 'n')));
    EXPECT_EQ(NextMessage(), "Incorrect WEP key.");
    EXPECT_TRUE(FocusIs(IDC_WL_KEY));
    ASSERT_TRUE(frontEnd.Type(IDC_WL_KEY, "0123456789ab"));
    EXPECT_EQ(NextMessage(), "Incorrect WEP key.");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageWirelessSetting);
    EXPECT_EQ(Stored(), WirelessSettings{}) << "a refused Next stores nothing";

    ASSERT_TRUE(frontEnd.Type(IDC_WL_KEY, "0123456789abcdef0123456789"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(Stored(), (WirelessSettings{std::string(32, 'n'), 0, 1, 0, "0123456789abcdef0123456789", ""}));
}

TEST_F(WirelessPagesTest, PassphraseOfSixtyFourCharactersIsRefusedAndSixtyThreeTaken)
{
    WirelessSettings kept;
    kept.wepKey = "keepme";
    Preset(kept);
    Open(kPageWirelessSetting);
    ASSERT_TRUE(frontEnd.Type(IDC_WL_SSID, "net"));
    ASSERT_TRUE(frontEnd.Select(IDC_WL_SECURITY, 4));
    ASSERT_TRUE(frontEnd.Type(IDC_WL_KEY, "1234567"));
    EXPECT_EQ(NextMessage(), "Incorrect passphrase.");
    SetKeyDirectly(IDC_WL_KEY, std::string(64, 'p'));
    EXPECT_EQ(NextMessage(), "Incorrect passphrase.");
    EXPECT_TRUE(FocusIs(IDC_WL_KEY));
    // Typing 64 characters stops at the limit of 63, which is a valid passphrase.
    ASSERT_TRUE(frontEnd.Type(IDC_WL_KEY, std::string(64, 'p')));
    EXPECT_EQ(EditBox(IDC_WL_KEY)->GetWindowText().size(), 63u);
    EXPECT_EQ(NextMessage(), "");
    WirelessSettings wireless = Stored();
    EXPECT_EQ(wireless.security, 4u);
    EXPECT_EQ(wireless.passphrase, std::string(63, 'p'));
    EXPECT_EQ(wireless.wepKey, "keepme") << "fields not named keep their values";
}

TEST_F(WirelessPagesTest, WhatsThisBoxesJoinTheirTextsWithoutIcon)
{
    Open(kPageWirelessSetting);
    ASSERT_TRUE(frontEnd.Click(IDC_WL_TYPE_HELP));
    ASSERT_TRUE(frontEnd.Click(IDC_WL_SECURITY_HELP));
    ASSERT_TRUE(frontEnd.Click(IDC_WL_SSID_HELP));
    ASSERT_EQ(frontEnd.Messages().size(), 3u);
    const auto& type = frontEnd.Messages()[0];
    EXPECT_EQ(type.caption, "Type of wireless network");
    EXPECT_EQ(type.style, static_cast<std::uint32_t>(MB_OK));
    EXPECT_EQ(type.text.find("<Infrastructure Mode>\n"), 0u);
    EXPECT_NE(type.text.find("many devices connected to it.\r\n\r\n<Ad-hoc Mode>\n"), std::string::npos);
    const auto& security = frontEnd.Messages()[1];
    EXPECT_EQ(security.caption, "Security");
    EXPECT_EQ(security.style, static_cast<std::uint32_t>(MB_OK));
    EXPECT_NE(security.text.find("commonly used for encoding.\r\n\r\n<WEP>\n"), std::string::npos);
    EXPECT_NE(security.text.find("can join the wireless network.\r\n\r\n<WPA>\n"), std::string::npos);
    EXPECT_EQ(frontEnd.Messages()[2].caption, "SSID");
    EXPECT_EQ(frontEnd.Messages()[2].text.find("<SSID>\nSSID is the abbreviation"), 0u);
}

TEST_F(WirelessPagesTest, AccessPointListDropsUnknownCodesAndShowsTexts)
{
    survey.dataStatus = 1;
    survey.accessPoints = {
        Ap("open", 1, 1),   Ap("wep", 2, 2),    Ap("bad-quality", 3, 4), Ap("tkip", 3, 3),
        Ap("bad-sec", 6, 1), Ap("aes", 4, 1),   Ap("zero-sec", 0, 2),    Ap("mixed", 5, 2),
        Ap("zero-quality", 2, 0),
    };
    Open(kPageSelectAp);
    ASSERT_EQ(surveyedPaths, (std::vector<std::string>{"/dev/usb/lp7"}));
    CListView* list = List();
    ASSERT_EQ(list->GetItemCount(), 5);
    const std::vector<std::vector<std::string>> rows = {
        {"open", "No Security", "Good"},   {"wep", "WEP", "Acceptable"}, {"tkip", "WPA-PSK-TKIP", "Low"},
        {"aes", "WPA2-PSK-AES", "Good"}, {"mixed", "Mixed mode PSK", "Acceptable"},
    };
    const std::vector<std::intptr_t> data = {0, 1, 3, 5, 7};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(list->GetItemText(row, column), rows[row][column]) << row << "," << column;
        EXPECT_EQ(list->GetItemData(row), data[row]);
    }
    ASSERT_EQ(list->Columns().size(), 3u);
    EXPECT_EQ(list->Columns()[1].text, "Encryption Type");
    EXPECT_EQ(list->Columns()[1].width, 106);
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_TRUE(FocusIs(IDC_NEXT));
    EXPECT_TRUE(frontEnd.Messages().empty());

    // Row 3 (aes, survey index 5): the passphrase page follows.
    ASSERT_TRUE(frontEnd.Select(IDC_AP_LIST, 3));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageEnterApPwd);
    EXPECT_EQ(Stored(), (WirelessSettings{"aes", 0, 3, 0, "", ""}));
}

TEST_F(WirelessPagesTest, OpenAccessPointSkipsTheKeyPage)
{
    Preset({"old", 1, 1, 2, "abcde", "oldpassphrase"});
    survey.dataStatus = 1;
    survey.accessPoints = {Ap("wep", 2, 1), Ap("cafe", 1, 3)};
    Open(kPageSelectAp);
    ASSERT_TRUE(frontEnd.Select(IDC_AP_LIST, 1));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(Stored(), (WirelessSettings{"cafe", 0, 0, 0, "", ""}));
}

TEST_F(WirelessPagesTest, SurveyFailuresWarnWithTheFocusOnRefresh)
{
    survey.dataStatus = -1;
    Open(kPageSelectAp);
    ASSERT_EQ(frontEnd.Messages().size(), 1u);
    EXPECT_EQ(frontEnd.Messages()[0].caption, "Warning!");
    EXPECT_EQ(frontEnd.Messages()[0].style, kExclamationOk);
    EXPECT_EQ(frontEnd.Messages()[0].text,
              "No Access Point found. Please check the printer status and click the \"Refresh\" button.");

    survey.dataStatus = 0;
    ASSERT_TRUE(frontEnd.Click(IDC_AP_REFRESH));
    ASSERT_EQ(frontEnd.Messages().size(), 2u);
    EXPECT_EQ(frontEnd.Messages()[1].text,
              "No Access Point found. Please check the Access Point status and click the \"Refresh\" button.");
    EXPECT_TRUE(FocusIs(IDC_AP_REFRESH));
    EXPECT_EQ(surveyedPaths.size(), 2u);

    EXPECT_EQ(NextMessage("Warning!"),
              "Select the Access Point you want to use from the list. \nOr input the SSID directly to specify "
              "the Access Point.");
    EXPECT_TRUE(FocusIs(IDC_AP_REFRESH));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectAp);

    // A refresh that finds access points replaces the old result.
    survey.dataStatus = 1;
    survey.accessPoints = {Ap("late", 4, 2)};
    ASSERT_TRUE(frontEnd.Click(IDC_AP_REFRESH));
    EXPECT_EQ(List()->GetItemCount(), 1);
    EXPECT_EQ(frontEnd.Messages().size(), 3u);
}

TEST_F(WirelessPagesTest, TypedSsidRadioSwitchesTheControlsAndLeadsToTheFixedSsidPage)
{
    survey.dataStatus = 1;
    survey.accessPoints = {Ap("one", 1, 1), Ap("two", 2, 1)};
    Open(kPageSelectAp);
    EXPECT_TRUE(Enabled(IDC_AP_LIST));
    EXPECT_FALSE(Enabled(IDC_AP_SSID));
    EXPECT_FALSE(Enabled(IDC_AP_SSID_HELP));
    ASSERT_TRUE(frontEnd.Select(IDC_AP_LIST, 1));

    ASSERT_TRUE(frontEnd.Check(IDC_AP_TYPED));
    EXPECT_FALSE(Enabled(IDC_AP_LIST));
    EXPECT_FALSE(Enabled(IDC_AP_REFRESH));
    EXPECT_FALSE(Enabled(IDC_AP_GROUP));
    EXPECT_TRUE(Enabled(IDC_AP_SSID));
    EXPECT_TRUE(Enabled(IDC_AP_SSID_LABEL));
    EXPECT_EQ(List()->SelectedRow(), -1);

    // Back to the list: the remembered row comes back selected.
    ASSERT_TRUE(frontEnd.Check(IDC_AP_FROM_LIST));
    EXPECT_EQ(List()->SelectedRow(), 1);
    ASSERT_TRUE(frontEnd.Check(IDC_AP_TYPED));

    EXPECT_EQ(NextMessage(), "Incorrect SSID.");
    EXPECT_TRUE(FocusIs(IDC_AP_SSID));
    ASSERT_TRUE(frontEnd.Click(IDC_AP_SSID_HELP));
    EXPECT_EQ(frontEnd.Messages().back().caption, "SSID");
    EXPECT_EQ(frontEnd.Messages().back().style, static_cast<std::uint32_t>(MB_OK));

    ASSERT_TRUE(frontEnd.Type(IDC_AP_SSID, "hidden net"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageFixedSsidWlSetting);
    EXPECT_EQ(Control(IDC_WL_FIXED_SSID)->GetWindowText(), "hidden net");
    EXPECT_EQ(Control(IDC_WL_SSID_LABEL)->GetWindowText(), "SSID:");

    // The fixed-SSID page stores the rest and leaves the SSID alone.
    ASSERT_TRUE(frontEnd.Select(IDC_WL_SECURITY, 2));
    ASSERT_TRUE(frontEnd.Type(IDC_WL_KEY, "tkip-pass"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(Stored(), (WirelessSettings{"hidden net", 0, 2, 0, "", "tkip-pass"}));

    // Coming back from a later page keeps the typed SSID and runs no survey.
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    frontEnd.Pump();
    EXPECT_EQ(frontEnd.CurrentPage(), kPageSelectAp);
    EXPECT_EQ(dynamic_cast<CButton*>(Control(IDC_AP_TYPED))->GetCheck(), 1);
    EXPECT_EQ(Control(IDC_AP_SSID)->GetWindowText(), "hidden net");
    EXPECT_TRUE(FocusIs(IDC_AP_SSID));
    EXPECT_EQ(surveyedPaths.size(), 1u);
}

TEST_F(WirelessPagesTest, KeyPageFollowsTheAccessPointSecurity)
{
    survey.dataStatus = 1;
    survey.accessPoints = {Ap("wepnet", 2, 1), Ap("wpanet", 5, 1)};
    Open(kPageSelectAp);
    EXPECT_EQ(NextMessage(), "");
    ASSERT_EQ(frontEnd.CurrentPage(), kPageEnterApPwd);
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "Enter WEP Key");
    EXPECT_EQ(Control(IDC_SIDE_TITLE)->GetWindowText(), "WEP Key");
    EXPECT_EQ(Control(IDC_AP_PWD_KEY_LABEL)->GetWindowText(), "&WEP Key:");
    EXPECT_EQ(Control(IDC_AP_PWD_SSID)->GetWindowText(), "wepnet");
    EXPECT_EQ(EditBox(IDC_AP_PWD_KEY)->LimitText(), 26u);
    EXPECT_TRUE(EditBox(IDC_AP_PWD_KEY)->IsPassword());
    EXPECT_EQ(EditBox(IDC_AP_PWD_KEY)->GetFont().face, "MS Shell Dlg");
    EXPECT_TRUE(FocusIs(IDC_AP_PWD_KEY));
    ASSERT_TRUE(frontEnd.Type(IDC_AP_PWD_KEY, "0123456789abc"));   // 13 printables
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    EXPECT_EQ(Stored(), (WirelessSettings{"wepnet", 0, 1, 0, "0123456789abc", ""}));

    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    frontEnd.Pump();
    ASSERT_EQ(frontEnd.CurrentPage(), kPageSelectAp);
    ASSERT_TRUE(frontEnd.Select(IDC_AP_LIST, 1));
    EXPECT_EQ(NextMessage(), "");
    ASSERT_EQ(frontEnd.CurrentPage(), kPageEnterApPwd);
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "Enter Passphrase");
    EXPECT_EQ(Control(IDC_AP_PWD_KEY_LABEL)->GetWindowText(), "&Passphrase:");
    EXPECT_EQ(EditBox(IDC_AP_PWD_KEY)->LimitText(), 63u);
    EXPECT_EQ(EditBox(IDC_AP_PWD_KEY)->GetWindowText(), "") << "a new access point starts without a key";
    SetKeyDirectly(IDC_AP_PWD_KEY, std::string(64, 'k'));
    EXPECT_EQ(NextMessage(), "Incorrect passphrase.");
    EXPECT_TRUE(FocusIs(IDC_AP_PWD_KEY));
    ASSERT_TRUE(frontEnd.Type(IDC_AP_PWD_KEY, "mixed-mode"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(Stored(), (WirelessSettings{"wpanet", 0, 4, 0, "", "mixed-mode"}));
}

}
}
