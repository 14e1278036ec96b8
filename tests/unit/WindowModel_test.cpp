#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"
#include "ui/DialogTemplate.h"
#include "ui/WindowMessages.h"
#include "ui/headless/CHeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plintor;

namespace {

enum : int {
    IDC_RADIO_A = 100, IDC_RADIO_B, IDC_RADIO_C, IDC_RADIO_D, IDC_CHECK,
    IDC_NAME, IDC_DIGITS, IDC_NOTES, IDC_CHOICE, IDC_LIST, IDC_ADDRESS, IDC_APPLY,
};

ControlTemplate Make(int id, ControlKind kind, std::uint32_t style = StyleNone, int limit = 0)
{
    ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.cx = 50;
    c.cy = 12;
    c.style = style;
    c.limit = limit;
    return c;
}

DialogTemplate TestLayout()
{
    DialogTemplate layout;
    layout.id = 9100;
    layout.cx = 200;
    layout.cy = 150;
    layout.child = false;
    layout.controls = {
        Make(IDC_RADIO_A, ControlKind::RadioButton, StyleGroup),
        Make(IDC_RADIO_B, ControlKind::RadioButton),
        Make(IDC_RADIO_C, ControlKind::RadioButton, StyleGroup),
        Make(IDC_RADIO_D, ControlKind::RadioButton),
        Make(IDC_CHECK, ControlKind::CheckBox, StyleGroup),
        Make(IDC_NAME, ControlKind::Edit, StyleNone, 5),
        Make(IDC_DIGITS, ControlKind::Edit, StyleDigitsOnly, 3),
        Make(IDC_NOTES, ControlKind::Edit, StyleMultiLine | StyleReadOnly),
        Make(IDC_CHOICE, ControlKind::ComboBox, StyleSorted),
        Make(IDC_LIST, ControlKind::ListView),
        Make(IDC_ADDRESS, ControlKind::IpAddress),
        Make(IDC_APPLY, ControlKind::DefaultPushButton),
        Make(IDCANCEL, ControlKind::PushButton),
    };
    return layout;
}

// Records every notification it receives.
class NotedDialog : public CDialog {
public:
    std::vector<std::string> notes;

protected:
    bool OnCommand(int id, int code) override
    {
        notes.push_back("command " + std::to_string(id) + " " + std::to_string(code));
        return CDialog::OnCommand(id, code);
    }
    bool OnNotify(const NotifyInfo& info) override
    {
        notes.push_back("notify " + std::to_string(info.idFrom) + " " + std::to_string(info.code) + " row "
                        + std::to_string(info.row) + " col " + std::to_string(info.column) + " "
                        + std::to_string(info.oldState) + "->" + std::to_string(info.newState));
        return true;
    }
};

class WindowModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(TestLayout(), nullptr));
        dialog.ShowWindow(true);
        frontEnd.SetRoot(&dialog);
    }
    void TearDown() override
    {
        dialog.DestroyWindow();
        EXPECT_EQ(frontEnd.LivePeers(), 0) << "a dialog was left behind";
    }
    template <class T> T& Item(int id)
    {
        T* item = dialog.Item<T>(id);
        EXPECT_NE(item, nullptr) << id;
        return *item;
    }

    CHeadlessFrontEnd frontEnd;
    NotedDialog dialog;
};

}

TEST_F(WindowModelTest, RadioButtonsCheckWithinTheirGroupOnly)
{
    auto& a = Item<CButton>(IDC_RADIO_A);
    auto& b = Item<CButton>(IDC_RADIO_B);
    auto& c = Item<CButton>(IDC_RADIO_C);
    c.Click();
    a.Click();
    b.Click();
    EXPECT_EQ(a.GetCheck(), 0);
    EXPECT_EQ(b.GetCheck(), 1);
    EXPECT_EQ(c.GetCheck(), 1) << "a click in the first group must not clear the second";
    EXPECT_EQ(dialog.notes, (std::vector<std::string>{"command 102 0", "command 100 0", "command 101 0"}));
    EXPECT_EQ(b.RadioGroup().size(), 2u);
}

TEST_F(WindowModelTest, CheckBoxTogglesAndADisabledOneIgnoresClicks)
{
    auto& box = Item<CButton>(IDC_CHECK);
    box.Click();
    EXPECT_EQ(box.GetCheck(), 1);
    box.Click();
    EXPECT_EQ(box.GetCheck(), 0);
    box.EnableWindow(false);
    box.Click();
    EXPECT_EQ(box.GetCheck(), 0);
    EXPECT_EQ(dialog.notes.size(), 2u);
    // A disabled dialog keeps input from all its controls.
    box.EnableWindow(true);
    dialog.EnableWindow(false);
    EXPECT_FALSE(frontEnd.Click(IDC_CHECK));
    EXPECT_EQ(box.GetCheck(), 0);
}

TEST_F(WindowModelTest, TypingHonoursLimitDigitsAndReadOnly)
{
    auto& name = Item<CEdit>(IDC_NAME);
    EXPECT_TRUE(frontEnd.Type(IDC_NAME, "h\xC3\xA9llo world"));
    EXPECT_EQ(name.GetWindowText(), "h\xC3\xA9llo") << "the limit counts characters, not bytes";
    EXPECT_TRUE(frontEnd.Type(IDC_DIGITS, "1a2b3c4"));
    EXPECT_EQ(Item<CEdit>(IDC_DIGITS).GetWindowText(), "123");
    EXPECT_FALSE(frontEnd.Type(IDC_NOTES, "x"));
    EXPECT_EQ(dialog.notes, (std::vector<std::string>{"command 105 768", "command 106 768"}));
    // The program itself may set any text, and no notification follows.
    name.SetWindowText("longer than five");
    EXPECT_EQ(name.GetWindowText(), "longer than five");
    EXPECT_EQ(dialog.notes.size(), 2u);
}

TEST_F(WindowModelTest, SortedComboKeepsItemDataWithItsText)
{
    auto& combo = Item<CComboBox>(IDC_CHOICE);
    combo.SetItemData(combo.AddString("Static IP"), 1);
    combo.SetItemData(combo.AddString("AutoIP"), 2);
    combo.SetItemData(combo.AddString("DHCP"), 0);
    EXPECT_EQ(combo.GetLBText(0), "AutoIP");
    EXPECT_EQ(combo.GetItemData(0), 2);
    EXPECT_EQ(combo.FindItemData(1), 2);
    EXPECT_FALSE(frontEnd.Select(IDC_CHOICE, 3));
    EXPECT_TRUE(frontEnd.Select(IDC_CHOICE, 1));
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), 0);
    EXPECT_EQ(dialog.notes, (std::vector<std::string>{"command 108 1"}));
    combo.ResetContent();
    EXPECT_EQ(combo.GetCurSel(), -1);
}

TEST_F(WindowModelTest, ListViewHasOneSelectionAndReportsEveryChange)
{
    auto& list = Item<CListView>(IDC_LIST);
    list.InsertColumn(0, "MAC Address", 116);
    list.InsertColumn(1, "IP Address", 220);
    for (int row = 0; row < 3; ++row) {
        list.InsertItem(row, "mac" + std::to_string(row));
        list.SetItemText(row, 1, "ip" + std::to_string(row));
    }
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    dialog.notes.clear();
    EXPECT_TRUE(frontEnd.Select(IDC_LIST, 2));
    EXPECT_EQ(list.SelectedRow(), 2);
    EXPECT_EQ(list.FocusedRow(), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    // Row 0 loses both states first, then row 2 gains them, then the click itself.
    EXPECT_EQ(dialog.notes, (std::vector<std::string>{
                                "notify 109 -101 row 0 col -1 3->1",
                                "notify 109 -101 row 0 col -1 1->0",
                                "notify 109 -101 row 2 col -1 0->3",
                                "notify 109 -2 row 2 col 0 0->0",
                            }));
    EXPECT_FALSE(frontEnd.Select(IDC_LIST, 3));
    // Deleting a row above the selection moves the selection with its row.
    list.DeleteItem(0);
    EXPECT_EQ(list.SelectedRow(), 1);
    EXPECT_EQ(list.GetItemText(1, 1), "ip2");
    list.DeleteItem(1);
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
}

TEST_F(WindowModelTest, AddressControlKeepsFourFieldsAndBlanks)
{
    auto& address = Item<CIpAddressControl>(IDC_ADDRESS);
    EXPECT_TRUE(frontEnd.Type(IDC_ADDRESS, "192.168.0.10"));
    std::uint32_t value = 0;
    EXPECT_EQ(address.GetAddress(value), 4);
    EXPECT_EQ(value, 0xC0A8000Au);
    EXPECT_EQ(address.GetWindowText(), "192.168.0.10");
    EXPECT_TRUE(frontEnd.Type(IDC_ADDRESS, "10..0."));
    EXPECT_EQ(address.GetAddress(value), 2);
    EXPECT_EQ(value, 0x0A000000u);
    EXPECT_EQ(address.Field(1), -1);
    EXPECT_EQ(address.GetWindowText(), "10..0.");
    for (const char* bad : {"256.1.1.1", "1.2.3", "1.2.3.4.5", "1.2.3.x", "1.2.3.0004"})
        EXPECT_FALSE(frontEnd.Type(IDC_ADDRESS, bad)) << bad;
    EXPECT_EQ(address.GetWindowText(), "10..0.");
    address.SetAddress(0x7F000001u);
    EXPECT_EQ(address.GetWindowText(), "127.0.0.1");
    address.ClearAddress();
    EXPECT_TRUE(address.IsBlank());
    EXPECT_EQ(address.GetWindowText(), "...");
}

TEST_F(WindowModelTest, EnterPressesTheDefaultButtonAndEscapeCancels)
{
    Item<CEdit>(IDC_NAME).SetFocus();
    EXPECT_TRUE(frontEnd.PressKey(VK_RETURN));
    EXPECT_EQ(dialog.notes, (std::vector<std::string>{"command 111 0"}));
    // A focused push button takes Enter itself.
    Item<CButton>(IDCANCEL).SetFocus();
    frontEnd.PressKey(VK_RETURN);
    EXPECT_TRUE(dialog.ModalEnded());
    EXPECT_EQ(dialog.ModalResult(), IDCANCEL);
}

TEST_F(WindowModelTest, ModalDialogDisablesItsOwnerWhileItRuns)
{
    NotedDialog modal;
    bool ownerWasDisabled = false;
    frontEnd.SetIdleAction([&](CDialog& running) {
        ownerWasDisabled = !dialog.IsWindowEnabled();
        EXPECT_EQ(&running, &modal);
        EXPECT_EQ(frontEnd.FrontDialog(), &modal);
        frontEnd.PressKey(VK_ESCAPE);
        return true;
    });
    DialogTemplate layout = TestLayout();
    layout.id = 9101;
    EXPECT_EQ(modal.DoModal(layout, Item<CButton>(IDC_APPLY).Parent()), IDCANCEL);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_TRUE(dialog.IsWindowEnabled());
    EXPECT_FALSE(modal.Exists());
    EXPECT_EQ(frontEnd.FrontDialog(), &dialog);
}

TEST_F(WindowModelTest, QuotedTextsUseCEscapes)
{
    EXPECT_EQ(CHeadlessFrontEnd::Quote("a \"b\"\n\tc\\\r\x01"), "\"a \\\"b\\\"\\n\\tc\\\\\\r\\x01\"");
    Item<CButton>(IDC_CHECK).SetCheck(1);
    EXPECT_EQ(CHeadlessFrontEnd::DescribeControl(*dialog.GetDlgItem(IDC_CHECK)),
              "104 checkbox enabled visible \"\" checked");
}
