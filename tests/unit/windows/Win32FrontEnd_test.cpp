// The Windows front end with real windows under Wine: a dialog of the window model shown
// modally, and a second thread that clicks, types, presses keys and answers a message box
// through window messages, as a user would.

#include "ui/CButton.h"
#include "ui/CDialog.h"
#include "ui/CComboBox.h"
#include "ui/CEdit.h"
#include "ui/CIpAddressControl.h"
#include "ui/CListView.h"
#include "ui/CMessageQueue.h"
#include "ui/win32/CWin32FrontEnd.h"
#include "resources/dialogs/DialogIds.h"

#include "Win32Drive.h"
#include "Win32Input.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <string>
#include <utility>
#include <vector>

namespace plintor {
namespace {

using test::OnMain;
using test::WaitUntil;
using win32::CWin32FrontEnd;

constexpr int kLimited = 101;
constexpr int kNotes = 102;
constexpr int kOne = 103;
constexpr int kTwo = 104;
constexpr int kDigits = 105;
constexpr int kList = 106;
constexpr int kChoice = 107;
constexpr int kAddress = 108;
constexpr int kPicture = 109;
constexpr int kPictureId = 133;   // a picture of the program's resources
constexpr unsigned kPosted = WM_USER + 1;
constexpr int kArrowUp = 0x26;   // the system's virtual key of the up arrow
// How long a step may take before the test gives up on it.
constexpr std::chrono::seconds kBound{10};

DialogTemplate ProbeLayout()
{
    DialogTemplate layout;
    layout.id = 900;
    layout.cx = 200;
    layout.cy = 120;
    layout.caption = "Front end probe";
    layout.child = false;
    layout.controls = {
        {kLimited, ControlKind::Edit, 10, 10, 100, 12, "", StyleGroup, 0, 5},
        {kNotes, ControlKind::Edit, 10, 28, 100, 30, "", StyleMultiLine},
        {kOne, ControlKind::RadioButton, 10, 70, 60, 10, "&One", StyleGroup},
        {kTwo, ControlKind::RadioButton, 80, 70, 60, 10, "&Two"},
        {kDigits, ControlKind::Edit, 120, 10, 60, 12, "", StyleDigitsOnly},
        {IDOK, ControlKind::DefaultPushButton, 90, 100, 50, 14, "OK", StyleGroup},
        {IDCANCEL, ControlKind::PushButton, 145, 100, 50, 14, "Cancel"},
    };
    return layout;
}

// A list of three rows, a drop-down list and an address control.
DialogTemplate ChoicesLayout()
{
    DialogTemplate layout;
    layout.id = 901;
    layout.cx = 220;
    layout.cy = 150;
    layout.caption = "Choices probe";
    layout.child = false;
    layout.controls = {
        {kList, ControlKind::ListView, 10, 10, 200, 60, "", StyleGroup},
        {kChoice, ControlKind::ComboBox, 10, 80, 100, 12, "", StyleGroup},
        {kAddress, ControlKind::IpAddress, 10, 100, 100, 12, "", StyleGroup},
        {IDCANCEL, ControlKind::PushButton, 160, 130, 50, 14, "Cancel", StyleGroup},
    };
    return layout;
}

// Records what reaches the model. Escape is taken by the dialog itself, as the pages do.
class CProbeDialog : public CDialog {
public:
    std::vector<std::pair<int, int>> commands;
    std::vector<int> keys;
    std::vector<std::pair<int, int>> rowClicks;   // row, column
    int choice = -1;                               // the drop-down list's and the address
    std::array<int, 4> address{};                  // control's state when the dialog ended
    int helps = 0;
    std::atomic<bool> boxOpen{false};
    std::atomic<int> postedWhileBoxOpen{0};

protected:
    bool OnCommand(int controlId, int code) override
    {
        commands.emplace_back(controlId, code);
        return CDialog::OnCommand(controlId, code);
    }
    bool PreTranslateMessage(unsigned message, std::uintptr_t key, CWindow*) override
    {
        if (message == WM_KEYDOWN)
            keys.push_back(static_cast<int>(key));
        return key == VK_ESCAPE;
    }
    void OnHelp() override { ++helps; }
    void OnCancel() override
    {
        if (auto* box = Item<CComboBox>(kChoice))
            choice = box->GetCurSel();
        if (auto* field = Item<CIpAddressControl>(kAddress))
            address = field->Fields();
        CDialog::OnCancel();
    }
    bool OnNotify(const NotifyInfo& info) override
    {
        if (info.code == NM_CLICK)
            rowClicks.emplace_back(info.row, info.column);
        return false;
    }
    std::intptr_t OnMessage(unsigned message, std::uintptr_t, std::intptr_t) override
    {
        if (message == kPosted && boxOpen)
            ++postedWhileBoxOpen;
        return 0;
    }
};

class Win32FrontEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frontEnd.Start()) << "no window can be made here (no display?)";
        SetFrontEnd(&frontEnd);
    }
    void TearDown() override { SetFrontEnd(nullptr); }

    // The system window of the probe's control `id`, asked on the main thread.
    test::NativeWindow Native(int id)
    {
        return OnMain([this, id] {
            CWindow* control = dialog.GetDlgItem(id);
            return control ? CWin32FrontEnd::NativeOf(*control) : nullptr;
        });
    }
    bool Shown()
    {
        return WaitUntil([this] { return dialog.Exists() && dialog.IsWindowVisible() && dialog.peer != nullptr; }, kBound);
    }

    CWin32FrontEnd frontEnd;
    CProbeDialog dialog;
};

TEST_F(Win32FrontEndTest, ClicksTypingAndTheTitleBarReachTheModelWhichStaysTheTruth)
{
    bool shown = false, typedCut = false, pastedCut = false;
    std::string pastedNative, wideFits, wideCut, wideCutNative;
    std::thread user([&] {
        shown = Shown();
        if (!shown)
            return;
        test::PressButton(Native(kTwo));
        test::TypeText(Native(kLimited), "abcdefgh");
        typedCut = OnMain([this] { return dialog.GetDlgItem(kLimited)->GetWindowText() == "abcde"; });
        // A character outside the BMP takes two of the edit's places: it goes in whole
        // where both are left, and not at all where one is.
        test::TypeText(Native(kLimited), "abc\xF0\x9F\x98\x80");
        wideFits = OnMain([this] { return dialog.GetDlgItem(kLimited)->GetWindowText(); });
        test::TypeText(Native(kLimited), "abcd\xF0\x9F\x98\x80");
        wideCut = OnMain([this] { return dialog.GetDlgItem(kLimited)->GetWindowText(); });
        wideCutNative = test::NativeText(Native(kLimited));
        // Letters pasted past the edit's own digit rule: the model drops them and the edit
        // follows, also when what is left is the text it had.
        test::PasteText(Native(kDigits), "12ab34");
        test::PasteText(Native(kDigits), "1234cd");
        pastedCut = OnMain([this] { return dialog.GetDlgItem(kDigits)->GetWindowText() == "1234"; });
        pastedNative = test::NativeText(Native(kDigits));
        test::CloseFromTitleBar(OnMain([this] { return CWin32FrontEnd::NativeOf(dialog); }));
    });
    const int result = dialog.DoModal(ProbeLayout());
    user.join();
    ASSERT_TRUE(shown);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_NE(std::find(dialog.commands.begin(), dialog.commands.end(), std::make_pair(kTwo, int(BN_CLICKED))),
              dialog.commands.end());
    EXPECT_TRUE(typedCut);
    EXPECT_TRUE(pastedCut);
    EXPECT_EQ(pastedNative, "1234");
    EXPECT_EQ(wideFits, "abc\xF0\x9F\x98\x80");
    EXPECT_EQ(wideCut, "abcd");
    EXPECT_EQ(wideCutNative, "abcd");
    EXPECT_EQ(dialog.commands.back(), std::make_pair(int(IDCANCEL), int(BN_CLICKED)));
}

TEST_F(Win32FrontEndTest, EnterEscapeAndF1GoToTheModelFirstTabAndMnemonicsToTheDialogManager)
{
    bool shown = false, openAfterEscape = false, tabbed = false, radioChecked = false;
    std::string notes;
    std::thread user([&] {
        shown = Shown();
        if (!shown)
            return;
        OnMain([this] { return dialog.GetDlgItem(kLimited)->SetFocus(), 0; });
        test::PressKey(Native(kLimited), VK_ESCAPE);
        test::PressKey(Native(kLimited), VK_F1);
        openAfterEscape = WaitUntil([this] { return dialog.helps == 1; }, kBound) && OnMain([this] { return !dialog.ModalEnded(); });
        // Tab moves along the tab order, the dialog manager's; the model hears of it.
        test::PressKey(Native(kLimited), VK_TAB);
        tabbed = WaitUntil([this] { return CWindow::GetFocus() == dialog.GetDlgItem(kNotes); }, kBound);
        // Alt+T, the radio button's mnemonic, is the dialog manager's.
        test::PressAltKey(Native(kLimited), 'T');
        radioChecked = WaitUntil([this] { return dialog.Item<CButton>(kTwo)->GetCheck() == 1; }, kBound)
            && test::NativeChecked(Native(kTwo));
        OnMain([this] { return dialog.GetDlgItem(kNotes)->SetFocus(), 0; });
        test::PressKey(Native(kNotes), VK_RETURN);
        WaitUntil([this] { return !dialog.GetDlgItem(kNotes)->GetWindowText().empty(); }, kBound);
        notes = OnMain([this] { return dialog.GetDlgItem(kNotes)->GetWindowText(); });
        OnMain([this] { return dialog.GetDlgItem(kLimited)->SetFocus(), 0; });
        test::PressKey(Native(kLimited), VK_RETURN);
    });
    const int result = dialog.DoModal(ProbeLayout());
    user.join();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(openAfterEscape);
    EXPECT_TRUE(tabbed);
    EXPECT_TRUE(radioChecked);
    EXPECT_EQ(notes, "\r\n");
    // Enter in a single-line edit pressed the default button through the model.
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.keys, (std::vector<int>{VK_ESCAPE, VK_F1, VK_RETURN, VK_RETURN}));
    EXPECT_EQ(dialog.helps, 1);
}

TEST_F(Win32FrontEndTest, AGoneDialogLeavesNoIconOrPictureBehind)
{
    DialogTemplate layout = ProbeLayout();
    layout.controls.push_back({kPicture, ControlKind::Bitmap, 150, 30, 40, 30, "", 0, IDB_METHOD_USB});
    // Shown several times, as a page is: every round's icons and picture go with its window.
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(dialog.Create(layout, nullptr));
        dialog.SetBitmap(IDI_PROGRAM);
        void* first = test::NativeBitmap(CWin32FrontEnd::NativeOf(*dialog.GetDlgItem(kPicture)));
        ASSERT_TRUE(test::BitmapAlive(first)) << round;
        dialog.GetDlgItem(kPicture)->SetBitmap(IDB_METHOD_NETWORK);
        EXPECT_FALSE(test::BitmapAlive(first)) << round;
        void* big = test::NativeIcon(CWin32FrontEnd::NativeOf(dialog), true);
        void* small = test::NativeIcon(CWin32FrontEnd::NativeOf(dialog), false);
        void* picture = test::NativeBitmap(CWin32FrontEnd::NativeOf(*dialog.GetDlgItem(kPicture)));
        ASSERT_TRUE(test::IconAlive(big) && test::IconAlive(small) && test::BitmapAlive(picture)) << round;
        dialog.DestroyWindow();
        EXPECT_FALSE(test::IconAlive(big)) << round;
        EXPECT_FALSE(test::IconAlive(small)) << round;
        EXPECT_FALSE(test::BitmapAlive(picture)) << round;
    }
}

TEST_F(Win32FrontEndTest, APostedMessageRunsWhileAMessageBoxIsOpen)
{
    ASSERT_TRUE(dialog.Create(ProbeLayout(), nullptr));
    dialog.ShowWindow(true);
    bool answered = false;
    std::thread user([&] {
        // The box is open once it can be found; the model's message is posted from here.
        std::string text;
        for (int i = 0; i < 400 && dialog.postedWhileBoxOpen == 0; ++i) {
            if (dialog.boxOpen)
                dialog.PostMessage(kPosted);
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        answered = test::AnswerMessageBox("Probe question", IDNO, &text) && text == "Go on?";
    });
    MessageBoxRequest request;
    request.owner = &dialog;
    request.text = "Go on?";
    request.caption = "Probe question";
    request.style = MB_YESNO | MB_ICONEXCLAMATION;
    dialog.boxOpen = true;
    const int pressed = ShowMessageBox(request);
    dialog.boxOpen = false;
    user.join();
    dialog.DestroyWindow();
    EXPECT_TRUE(answered);
    EXPECT_EQ(pressed, IDNO);
    EXPECT_GE(dialog.postedWhileBoxOpen.load(), 1);
}

TEST_F(Win32FrontEndTest, AMessageBoxWithoutOwnerGivesTheActivationBackToTheWindowThatHadIt)
{
    // Ownerless, the box would leave the thread's windows disabled as it goes, and the
    // system would activate another program's window: it belongs to the active window.
    ASSERT_TRUE(dialog.Create(ProbeLayout(), nullptr));
    dialog.ShowWindow(true);
    test::NativeWindow shown = CWin32FrontEnd::NativeOf(dialog);
    ASSERT_EQ(test::ActiveWindow(), shown);
    test::NativeWindow owner = nullptr;
    bool answered = false;
    std::thread user([&] {
        owner = test::MessageBoxOwner("Probe notice");
        answered = test::AnswerMessageBox("Probe notice", IDOK);
    });
    MessageBoxRequest request;
    request.text = "Done.";
    request.caption = "Probe notice";
    request.style = MB_OK;
    ShowMessageBox(request);
    user.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(owner, shown);
    EXPECT_EQ(test::ActiveWindow(), shown);
    EXPECT_TRUE(test::NativeEnabled(shown));
    dialog.DestroyWindow();
}

TEST_F(Win32FrontEndTest, AModalDialogGivesTheActivationBackToItsOwnerAndAQuitEndsEveryLoop)
{
    CProbeDialog inner;
    std::atomic<int> innerRuns{0};
    std::atomic<bool> outerReturned{false};
    bool innerShown = false, outerActive = false, outerEnabled = false, quitShown = false, outerEnded = false;
    auto openInner = [&] {
        CMessageQueue::Instance().Post([&] {
            inner.DoModal(ChoicesLayout(), &dialog);
            ++innerRuns;
        });
        return WaitUntil([&] { return inner.Exists() && inner.IsWindowVisible() && inner.peer != nullptr; }, kBound);
    };
    std::thread user([&] {
        if (!Shown())
            return;
        innerShown = openInner();
        test::PressButton(OnMain([&] { return CWin32FrontEnd::NativeOf(*inner.GetDlgItem(IDCANCEL)); }));
        WaitUntil([&] { return innerRuns == 1; }, kBound);
        outerActive = OnMain([this] { return test::ActiveWindow() == CWin32FrontEnd::NativeOf(dialog); });
        outerEnabled = test::NativeEnabled(OnMain([this] { return CWin32FrontEnd::NativeOf(dialog); }));
        // A quit taken by the inner loop reaches the outer one too.
        quitShown = openInner();
        OnMain([] { return test::PostQuit(), 0; });
        for (int i = 0; i < 200 && !outerReturned; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!outerReturned)
            OnMain([this] { return dialog.EndDialog(IDOK), 0; });
        else
            outerEnded = true;
    });
    dialog.DoModal(ProbeLayout());
    outerReturned = true;
    user.join();
    const bool quitLeft = test::TakeQuit();
    ASSERT_TRUE(innerShown);
    EXPECT_TRUE(outerActive);
    EXPECT_TRUE(outerEnabled);
    ASSERT_TRUE(quitShown);
    EXPECT_EQ(innerRuns, 2);
    EXPECT_TRUE(outerEnded);
    EXPECT_TRUE(quitLeft);
}

TEST_F(Win32FrontEndTest, ListRowsComboItemsAndAddressFieldsChosenOnTheWindowsReachTheModel)
{
    bool shown = false, clicked = false, moved = false;
    std::thread user([&] {
        shown = Shown();
        if (!shown)
            return;
        OnMain([this] {
            auto* list = dialog.Item<CListView>(kList);
            list->InsertColumn(0, "Name", 80);
            list->InsertColumn(1, "Address", 80);
            for (int row = 0; row < 3; ++row) {
                list->InsertItem(row, "printer " + std::to_string(row));
                list->SetItemText(row, 1, "198.18.1." + std::to_string(row));
            }
            for (const char* item : {"DHCP", "Static IP", "AutoIP"})
                dialog.Item<CComboBox>(kChoice)->AddString(item);
            return 0;
        });
        test::ClickRow(Native(kList), 2);
        clicked = WaitUntil([this] { return dialog.Item<CListView>(kList)->SelectedRow() == 2; }, kBound);
        // The keyboard moves the selection up a row.
        OnMain([this] { return dialog.GetDlgItem(kList)->SetFocus(), 0; });
        test::PressKey(Native(kList), kArrowUp);
        moved = WaitUntil([this] { return dialog.Item<CListView>(kList)->SelectedRow() == 1; }, kBound);
        test::ChooseItem(Native(kChoice), 1);
        test::TypeAddress(Native(kAddress), "192..0.");
        test::PressButton(Native(IDCANCEL));
    });
    dialog.DoModal(ChoicesLayout());
    user.join();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(clicked);
    ASSERT_FALSE(dialog.rowClicks.empty());
    EXPECT_EQ(dialog.rowClicks.front().first, 2);
    EXPECT_TRUE(moved);
    EXPECT_NE(std::find(dialog.commands.begin(), dialog.commands.end(), std::make_pair(kChoice, int(CBN_SELCHANGE))),
              dialog.commands.end());
    EXPECT_NE(std::find(dialog.commands.begin(), dialog.commands.end(), std::make_pair(kAddress, int(EN_CHANGE))),
              dialog.commands.end());
    // The window is gone: what the model holds is what the user chose.
    EXPECT_EQ(dialog.choice, 1);
    EXPECT_EQ(dialog.address, (std::array<int, 4>{192, -1, 0, -1}));
}

// Under Wine no window ever changes monitors, and the system keeps saying the old DPI
// (GetDpiForWindow), so the fonts and the list's columns come back at the sizes they had:
// what this shows is that the window takes the place the system suggests, that its picture
// is made anew at the size its control has then, and that the list and the drop-down list,
// filled anew, keep what the model holds; not that the sizes follow the new DPI.
TEST_F(Win32FrontEndTest, AWindowMovedToAnotherDpiTakesTheSuggestedPlaceAndRemakesItsPicturesAndLists)
{
    DialogTemplate layout = ChoicesLayout();
    layout.controls.push_back({kPicture, ControlKind::Bitmap, 120, 80, 60, 12, "", StyleNone, kPictureId});
    ASSERT_TRUE(dialog.Create(layout, nullptr));
    auto* list = dialog.Item<CListView>(kList);
    list->InsertColumn(0, "Name", 80);
    for (int row = 0; row < 3; ++row)
        list->InsertItem(row, "printer " + std::to_string(row));
    list->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    for (const char* item : {"DHCP", "Static IP", "AutoIP"})
        dialog.Item<CComboBox>(kChoice)->AddString(item);
    dialog.Item<CComboBox>(kChoice)->SetCurSel(2);
    dialog.ShowWindow(true);
    test::NativeWindow window = CWin32FrontEnd::NativeOf(dialog);
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0, clientWidth = 0, clientHeight = 0;
    void* before = test::NativePicture(Native(kPicture), width, height, clientWidth, clientHeight);
    ASSERT_NE(before, nullptr);

    test::ChangeDpi(window, 144, {40, 30, 640, 480});
    int left = 0, top = 0;
    test::NativePlace(window, left, top);
    EXPECT_EQ(left, 40);
    EXPECT_EQ(top, 30);
    void* after = test::NativePicture(Native(kPicture), width, height, clientWidth, clientHeight);
    EXPECT_NE(after, nullptr);
    EXPECT_NE(after, before) << "the picture was not made anew";
    EXPECT_EQ(width, clientWidth);
    EXPECT_EQ(height, clientHeight);
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_EQ(test::NativeSelectedRow(Native(kList)), 1);
    EXPECT_EQ(test::NativeText(Native(kChoice)), "AutoIP");
    dialog.DestroyWindow();
}

}
}
