#include "pages/CIPSettingDlg.h"

#include "app/CPlintorApp.h"
#include "core/ConfigureFlags.h"
#include "pages/CWizardDlg.h"
#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"
#include "resources/dialogs/IpSettingIds.h"
#include "settings/SettingsStore.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/MessageBox.h"
#include "ui/headless/CHeadlessFrontEnd.h"
#include "wizard/PrinterOperations.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

const std::string kIncorrectIp = "Incorrect IP Address.";
const std::string kIncorrectMask = "Incorrect Network Mask.";
const std::string kIncorrectGateway = "Incorrect Gateway Address.";
const std::string kPrefixRange = "The prefix length number that can be entered is 1 to 128.";
const std::string kIpv6Range =
    "Incorrect IP Address.\nOnly addresses that begin with \"2000 - 2FFF\" or \"3000 - 3FFF\" are available. "
    "\n(However, addresses that begin with \"2001:DB8:\" are unavailable.)";

// The wizard opened on the IP page for one network printer, driven without a modal loop.
class IpSettingPageTest : public ::testing::Test {
protected:
    void Open(std::uint32_t flags = kConfigureIp, std::uint32_t networkType = 0)
    {
        app.configureFlags = flags;
        app.connectionMode = 2;
        PrinterEntry entry;
        entry.connection = kConnectionNetwork;
        entry.addressIpv4 = "127.0.0.1";
        entry.macAddress = "0000AA000001";
        entry.wireless.networkType = networkType;
        entry.ip = stored;
        app.printers.Add(entry);
        app.currentPrinter.SetSettings(entry.Settings());
        SelectPrinter(app.printers, app.selectedPrinter, app.currentPrinter, 0);
        wizard.currentPage = kPageIpSetting;
        const DialogTemplate* frame = FindDialogTemplate(IDD_WIZARD, 1033);
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(wizard.Create(*frame, nullptr));
        frontEnd.SetRoot(&wizard);
        wizard.ShowWindow(true);
        ASSERT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    }
    void TearDown() override { wizard.DestroyWindow(); }

    CWindow* Control(int id) { return frontEnd.Control(id); }
    bool Enabled(int id) { return Control(id) && Control(id)->IsWindowEnabled(); }
    bool Visible(int id) { return Control(id) && Control(id)->IsWindowVisible(); }
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
        if (frontEnd.Messages().size() == before)
            return {};
        EXPECT_EQ(frontEnd.Messages().size(), before + 1) << "one message per refused value";
        const auto& shown = frontEnd.Messages().back();
        EXPECT_EQ(shown.caption, "Input Error");
        EXPECT_EQ(shown.style, static_cast<std::uint32_t>(MB_OK | MB_ICONEXCLAMATION));
        return shown.text;
    }
    bool FocusIs(int id) { return CWindow::GetFocus() == Control(id); }
    void Static(const char* address, const char* mask, const char* gateway)
    {
        ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 1));
        ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, address));
        ASSERT_TRUE(frontEnd.Type(IDC_IPV4_MASK, mask));
        if (gateway) {
            ASSERT_TRUE(frontEnd.Type(IDC_IPV4_GATEWAY, gateway));
        }
    }

    IpSettings stored;
    CHeadlessFrontEnd frontEnd;
    CPlintorApp app;
    CWizardDlg wizard{&app};
};

TEST_F(IpSettingPageTest, LoadsTheChosenPrinterAndFillsTheBoxesInRowOrder)
{
    stored.stackMode = 0;
    stored.ipv4Mode = 1;
    stored.ipv4Address = 0xC0A8010A;
    stored.subnetMask = 0xFFFFFF00;
    stored.gateway = 0xC0A80101;
    stored.ipv6Manual = 1;
    stored.ipv6Address = "2001:db9::5";
    stored.ipv6PrefixLength = 48;
    stored.ipv6Gateway = "2001:db9::1";
    Open();
    auto* mode = dynamic_cast<CComboBox*>(Control(IDC_IP_MODE));
    ASSERT_NE(mode, nullptr);
    ASSERT_EQ(mode->GetCount(), 3);
    EXPECT_EQ(mode->GetLBText(0), "Dual Stack");
    EXPECT_EQ(mode->GetLBText(2), "IPv6");
    EXPECT_EQ(mode->GetItemData(2), 2);
    EXPECT_EQ(mode->GetCurSel(), 0);
    auto* type = dynamic_cast<CComboBox*>(Control(IDC_IPV4_TYPE));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->GetLBText(1), "Static IP");
    EXPECT_EQ(type->GetCurSel(), 1);
    EXPECT_EQ(Control(IDC_IPV4_ADDRESS)->GetWindowText(), "192.168.1.10");
    EXPECT_EQ(Control(IDC_IPV4_MASK)->GetWindowText(), "255.255.255.0");
    EXPECT_EQ(Control(IDC_IPV4_GATEWAY)->GetWindowText(), "192.168.1.1");
    EXPECT_EQ(dynamic_cast<CButton*>(Control(IDC_IPV6_MANUAL))->GetCheck(), 1);
    EXPECT_EQ(Control(IDC_IPV6_ADDRESS)->GetWindowText(), "2001:db9::5");
    EXPECT_EQ(Control(IDC_IPV6_PREFIX)->GetWindowText(), "48");
    EXPECT_EQ(Control(IDC_IPV6_GATEWAY)->GetWindowText(), "2001:db9::1");
    EXPECT_EQ(Control(IDC_PAGE_TITLE)->GetWindowText(), "IP Address Settings");
    EXPECT_TRUE(FocusIs(IDC_NEXT));
    EXPECT_EQ(wizard.pageRefreshMask & (1u << kPageIpSetting), 0u);

    // The link buttons are underlined blue on white.
    CWindow* link = Control(IDC_IP_MODE_HELP);
    EXPECT_EQ(link->GetWindowText(), "What's this?");
    EXPECT_TRUE(link->GetFont().underline);
    EXPECT_EQ(link->TextColour(), CLinkBtn::kLinkColour);
    EXPECT_EQ(link->BackgroundColour(), 0xFFFFFFu);
}

TEST_F(IpSettingPageTest, EnableRulesFollowModeTypeAndCheckBox)
{
    Open();  // dual stack, DHCP, no manual IPv6
    EXPECT_TRUE(Enabled(IDC_IPV4_TYPE));
    for (int id : {IDC_IPV4_ADDRESS, IDC_IPV4_MASK, IDC_IPV4_GATEWAY, IDC_IPV4_ADDRESS_LABEL})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_IPV6_MANUAL));
    for (int id : {IDC_IPV6_ADDRESS, IDC_IPV6_PREFIX, IDC_IPV6_GATEWAY, IDC_IPV6_SLASH})
        EXPECT_FALSE(Enabled(id)) << id;

    ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 1));  // static
    for (int id : {IDC_IPV4_ADDRESS, IDC_IPV4_MASK, IDC_IPV4_GATEWAY, IDC_IPV4_GATEWAY_LABEL})
        EXPECT_TRUE(Enabled(id)) << id;
    ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 2));  // AutoIP
    EXPECT_FALSE(Enabled(IDC_IPV4_ADDRESS));
    EXPECT_FALSE(Enabled(IDC_IPV4_GATEWAY));

    ASSERT_TRUE(frontEnd.Check(IDC_IPV6_MANUAL));
    for (int id : {IDC_IPV6_ADDRESS, IDC_IPV6_PREFIX, IDC_IPV6_GATEWAY, IDC_IPV6_GATEWAY_LABEL})
        EXPECT_TRUE(Enabled(id)) << id;

    // IPv4 only: the whole IPv6 group goes, the check box included.
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 1));
    for (int id : {IDC_IPV6_MANUAL, IDC_IPV6_ADDRESS, IDC_IPV6_PREFIX, IDC_IPV6_GATEWAY})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_IPV4_TYPE));

    // IPv6 only: the whole IPv4 group goes, the type box included, whatever the type.
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 2));
    ASSERT_TRUE(frontEnd.Check(IDC_IPV6_MANUAL));
    EXPECT_TRUE(Enabled(IDC_IPV6_ADDRESS));
    for (int id : {IDC_IPV4_TYPE, IDC_IPV4_TYPE_LABEL, IDC_IPV4_ADDRESS, IDC_IPV4_MASK, IDC_IPV4_GATEWAY})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Visible(IDC_IPV4_GATEWAY));

    ASSERT_TRUE(frontEnd.Uncheck(IDC_IPV6_MANUAL));
    EXPECT_FALSE(Enabled(IDC_IPV6_ADDRESS));
    EXPECT_FALSE(Enabled(IDC_IPV6_GATEWAY));
}

TEST_F(IpSettingPageTest, StaticIpv4AddressesAreCheckedInOrderWithTheFocusOnTheCulprit)
{
    Open();
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 1));
    Static("127.0.0.1", "255.255.255.0", "192.168.1.1");
    EXPECT_EQ(NextMessage(), kIncorrectIp);
    EXPECT_TRUE(FocusIs(IDC_IPV4_ADDRESS));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "224.0.0.1"));
    EXPECT_EQ(NextMessage(), kIncorrectIp);
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "192.168..10"));  // a blank field
    EXPECT_EQ(NextMessage(), kIncorrectIp);

    // 0.0.0.0 passes as an address; the mask is next.
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "0.0.0.0"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_MASK, "255.255.255.255"));
    EXPECT_EQ(NextMessage(), kIncorrectMask);
    EXPECT_TRUE(FocusIs(IDC_IPV4_MASK));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_MASK, "255.0.255.0"));
    EXPECT_EQ(NextMessage(), kIncorrectMask);

    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "192.168.1.10"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_MASK, "255.255.255.0"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_GATEWAY, ""));
    EXPECT_EQ(NextMessage(), kIncorrectGateway);
    EXPECT_TRUE(FocusIs(IDC_IPV4_GATEWAY));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_GATEWAY, "127.0.0.1"));
    EXPECT_EQ(NextMessage(), kIncorrectGateway);

    // Nothing reached the entry while values were refused.
    EXPECT_EQ(Entry().ip, IpSettings{});
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);

    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_GATEWAY, "192.168.1.1"));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageConfirmConfig);
    IpSettings ip = Entry().ip;
    EXPECT_EQ(ip.stackMode, 1u);
    EXPECT_EQ(ip.ipv4Mode, 1u);
    EXPECT_EQ(ip.ipv4Address, 0xC0A8010Au);
    EXPECT_EQ(ip.subnetMask, 0xFFFFFF00u);
    EXPECT_EQ(ip.gateway, 0xC0A80101u);
}

TEST_F(IpSettingPageTest, MaskZeroIsAccepted)
{
    Open();
    Static("10.0.0.5", "0.0.0.0", "10.0.0.1");
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(Entry().ip.subnetMask, 0u);
}

TEST_F(IpSettingPageTest, ManualIpv6AddressPrefixAndGateway)
{
    Open();
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 2));
    ASSERT_TRUE(frontEnd.Check(IDC_IPV6_MANUAL));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_GATEWAY, "2001:db9::1"));
    for (const char* refused : {"2001:db8::1", "fe80::1", "::1", "1:2:3:4:5:6:7", ""}) {
        ASSERT_TRUE(frontEnd.Type(IDC_IPV6_ADDRESS, refused));
        ASSERT_TRUE(frontEnd.Type(IDC_IPV6_PREFIX, "64"));
        EXPECT_EQ(NextMessage(), kIpv6Range) << refused;
        EXPECT_TRUE(FocusIs(IDC_IPV6_ADDRESS));
    }
    // The edit takes at most 39 characters: a 40th is never typed.
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_ADDRESS, "2001:0db9:0000:0000:0000:0000:0000:00011"));
    EXPECT_EQ(Control(IDC_IPV6_ADDRESS)->GetWindowText(), "2001:0db9:0000:0000:0000:0000:0000:0001");

    for (const char* refused : {"0", "129", ""}) {
        ASSERT_TRUE(frontEnd.Type(IDC_IPV6_PREFIX, refused));
        EXPECT_EQ(NextMessage(), kPrefixRange) << refused;
        EXPECT_TRUE(FocusIs(IDC_IPV6_PREFIX));
    }
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_PREFIX, "128"));
    for (const char* refused : {"", "fe80::1", "2001:db8::2"}) {
        ASSERT_TRUE(frontEnd.Type(IDC_IPV6_GATEWAY, refused));
        EXPECT_EQ(NextMessage(), kIncorrectGateway) << refused;
        EXPECT_TRUE(FocusIs(IDC_IPV6_GATEWAY));
    }
    EXPECT_EQ(Entry().ip, IpSettings{});

    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_GATEWAY, "3fff::1"));
    EXPECT_EQ(NextMessage(), "");
    IpSettings ip = Entry().ip;
    EXPECT_EQ(ip.stackMode, 2u);
    EXPECT_EQ(ip.ipv6Manual, 1u);
    EXPECT_EQ(ip.ipv6Address, "2001:0db9:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(ip.ipv6PrefixLength, 128u);
    EXPECT_EQ(ip.ipv6Gateway, "3fff::1");
}

TEST_F(IpSettingPageTest, ModeIpv6KeepsTheIpv4FieldsAndChecksNoneOfThem)
{
    stored.ipv4Mode = 1;
    stored.ipv4Address = 0x0A000005;
    stored.subnetMask = 0xFFFF0000;
    stored.gateway = 0x0A000001;
    Open();
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "127.0.0.1"));  // refused if it were checked
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 2));
    EXPECT_EQ(NextMessage(), "");
    IpSettings ip = Entry().ip;
    EXPECT_EQ(ip.stackMode, 2u);
    EXPECT_EQ(ip.ipv4Mode, 1u);
    EXPECT_EQ(ip.ipv4Address, 0x0A000005u);
    EXPECT_EQ(ip.subnetMask, 0xFFFF0000u);
    EXPECT_EQ(ip.gateway, 0x0A000001u);
    EXPECT_EQ(ip.ipv6Manual, 0u);
}

TEST_F(IpSettingPageTest, ModeIpv4ChecksNoIpv6AndKeepsIt)
{
    stored.ipv6Manual = 1;
    stored.ipv6Address = "fe80::1";   // refused if it were checked
    stored.ipv6PrefixLength = 0;
    Open();
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 1));
    EXPECT_FALSE(Enabled(IDC_IPV6_MANUAL));
    EXPECT_EQ(NextMessage(), "");
    IpSettings ip = Entry().ip;
    EXPECT_EQ(ip.stackMode, 1u);
    EXPECT_EQ(ip.ipv6Manual, 1u);
    EXPECT_EQ(ip.ipv6Address, "fe80::1");
}

TEST_F(IpSettingPageTest, AutomaticTypesAndUncheckedManualStoreTheirFixedValues)
{
    stored.ipv4Mode = 1;
    stored.ipv4Address = 0x0A000005;
    stored.subnetMask = 0xFFFF0000;
    stored.gateway = 0x0A000001;
    stored.ipv6Manual = 1;
    stored.ipv6Address = "2001:db9::5";
    stored.ipv6PrefixLength = 48;
    stored.ipv6Gateway = "2001:db9::1";
    Open();
    ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 2));  // AutoIP
    ASSERT_TRUE(frontEnd.Uncheck(IDC_IPV6_MANUAL));
    EXPECT_EQ(NextMessage(), "");
    IpSettings ip = Entry().ip;
    EXPECT_EQ(ip.ipv4Mode, 2u);
    EXPECT_EQ(ip.ipv4Address, 0u);
    EXPECT_EQ(ip.subnetMask, 0xFF000000u);
    EXPECT_EQ(ip.gateway, 0u);
    EXPECT_EQ(ip.ipv6Manual, 0u);
    EXPECT_EQ(ip.ipv6Address, "");
    EXPECT_EQ(ip.ipv6PrefixLength, 64u);
    EXPECT_EQ(ip.ipv6Gateway, "");
}

TEST_F(IpSettingPageTest, AdHocHasNoGatewayAndDefaultsToAStaticAddress)
{
    stored.ipv6Manual = 1;
    stored.ipv6PrefixLength = 64;
    Open(kConfigureWireless, 1);
    auto* type = dynamic_cast<CComboBox*>(Control(IDC_IPV4_TYPE));
    EXPECT_EQ(type->GetCurSel(), 1);
    for (int id : {IDC_IPV4_GATEWAY, IDC_IPV4_GATEWAY_LABEL, IDC_IPV6_GATEWAY, IDC_IPV6_GATEWAY_LABEL}) {
        EXPECT_FALSE(Visible(id)) << id;
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(IDC_IPV4_ADDRESS));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "169.254.10.2"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_MASK, "255.255.0.0"));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV6_ADDRESS, "2001:db9::7"));
    // Whatever the hidden gateway fields hold is neither checked nor stored.
    Control(IDC_IPV4_GATEWAY)->SetWindowText("10.0.0.1");
    Control(IDC_IPV6_GATEWAY)->SetWindowText("2001:db9::1");
    EXPECT_EQ(NextMessage(), "");
    IpSettings ip = Entry().ip;
    EXPECT_EQ(ip.ipv4Mode, 1u);
    EXPECT_EQ(ip.ipv4Address, 0xA9FE0A02u);
    EXPECT_EQ(ip.gateway, 0u);
    EXPECT_EQ(ip.ipv6Address, "2001:db9::7");
    EXPECT_EQ(ip.ipv6Gateway, "");
}

TEST_F(IpSettingPageTest, InfrastructureWirelessKeepsTheGateway)
{
    Open(kConfigureWireless, 0);
    EXPECT_TRUE(Visible(IDC_IPV4_GATEWAY));
    EXPECT_EQ(dynamic_cast<CComboBox*>(Control(IDC_IPV4_TYPE))->GetCurSel(), 0);
}

TEST_F(IpSettingPageTest, NextChoosesTheFaxPageByVariant)
{
    Open(kConfigureIp | kConfigureFax);
    app.faxPageVariant = 1;
    // The FAX read is not wanted here: no FAX page needs a fresh read.
    wizard.pageRefreshMask &= ~(1u << kPageFaxSetting);
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageCheckFaxSetting);
    ASSERT_TRUE(frontEnd.Click(IDC_BACK));
    EXPECT_EQ(frontEnd.CurrentPage(), kPageIpSetting);
    app.faxPageVariant = -1;
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(frontEnd.CurrentPage(), kPageFaxSetting);
}

TEST_F(IpSettingPageTest, FaxPageThatReloadsGetsTheFaxSettingsReadFirst)
{
    int reads = 0;
    app.operations.readFaxSettings = [&](RunState& run) {
        ++reads;
        // The IP values are in the entry before the printer is asked.
        EXPECT_EQ(run.printers.Entries()[0].ip.stackMode, 1u);
        return 0;
    };
    Open(kConfigureIp | kConfigureFax);
    ASSERT_TRUE(frontEnd.Select(IDC_IP_MODE, 1));
    EXPECT_EQ(NextMessage(), "");
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(frontEnd.CurrentPage(), kPageFaxSetting);
    // The FAX page takes the failed read's status and tells it once it is shown.
    EXPECT_EQ(app.currentPrinter.faxReadStatus, 1);
    frontEnd.Pump();
    ASSERT_FALSE(frontEnd.Messages().empty());
    EXPECT_EQ(frontEnd.Messages().back().text, "Failed to acquire the information.");
}

TEST_F(IpSettingPageTest, ValuesTypedSurviveBackAndAreNotReloaded)
{
    Open();
    ASSERT_TRUE(frontEnd.Select(IDC_IPV4_TYPE, 1));
    ASSERT_TRUE(frontEnd.Type(IDC_IPV4_ADDRESS, "10.1.1.1"));
    // Shown again without a new printer: what the user typed stays.
    wizard.GoToPage(kPageIpSetting);
    EXPECT_EQ(Control(IDC_IPV4_ADDRESS)->GetWindowText(), "10.1.1.1");
}

TEST_F(IpSettingPageTest, GuidesShowPlainBoxes)
{
    Open();
    ASSERT_TRUE(frontEnd.Click(IDC_IPV6_HELP));
    ASSERT_FALSE(frontEnd.Messages().empty());
    EXPECT_EQ(frontEnd.Messages().back().caption, "IPv6 Settings");
    EXPECT_EQ(frontEnd.Messages().back().style, static_cast<std::uint32_t>(MB_OK));
    EXPECT_EQ(frontEnd.Messages().back().text.rfind("<IPv6>\n<IP Address>\n", 0), 0u);
    ASSERT_TRUE(frontEnd.Click(IDC_IP_MODE_HELP));
    EXPECT_EQ(frontEnd.Messages().back().caption, "IP Mode");
    ASSERT_TRUE(frontEnd.Click(IDC_IPV4_HELP));
    EXPECT_EQ(frontEnd.Messages().back().caption, "IPv4 Settings");
}

TEST(LinkButtonDrawing, StatesAndRectangles)
{
    WindowRect rect{10, 20, 60, 12};
    CLinkBtn::Drawing normal = CLinkBtn::Describe(rect, true, false, false);
    EXPECT_EQ(normal.state, CLinkBtn::kNormal);
    EXPECT_EQ(normal.text, 0x0000FFu);
    EXPECT_EQ(normal.fill, 0xFFFFFFu);
    EXPECT_EQ(normal.textRect, (WindowRect{14, 24, 52, 4}));
    EXPECT_FALSE(normal.focusRect);
    CLinkBtn::Drawing focused = CLinkBtn::Describe(rect, true, false, true);
    EXPECT_EQ(focused.state, CLinkBtn::kFocused);
    EXPECT_TRUE(focused.focusRect);
    EXPECT_EQ(focused.focusRectangle, (WindowRect{12, 22, 56, 8}));
    EXPECT_EQ(CLinkBtn::Describe(rect, true, true, true).state, CLinkBtn::kPressed);
    CLinkBtn::Drawing disabled = CLinkBtn::Describe(rect, false, true, true);
    EXPECT_EQ(disabled.state, CLinkBtn::kDisabled);
    EXPECT_TRUE(disabled.greyText);
}

}
}
