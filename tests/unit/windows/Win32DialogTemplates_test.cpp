// Every dialog layout made into an extended template in memory and created by the
// system's dialog manager: the controls it makes must be the layout's, in its order, of
// its classes, at its places in dialog units.

#include "ui/win32/DialogTemplateBuilder.h"
#include "ui/win32/Win32Controls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"

namespace plintor::win32 {
namespace {

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

HWND Create(const std::vector<std::uint8_t>& bytes, HWND parent)
{
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                      parent, IdleDialogProc, 0);
}

std::vector<HWND> ChildrenInOrder(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

RECT PlaceInDialog(HWND dialog, HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Style bits the system must have kept for a control of this layout.
DWORD ExpectedStyleBits(const ControlTemplate& c)
{
    DWORD bits = WS_CHILD;
    if (!(c.style & StyleHidden))
        bits |= WS_VISIBLE;
    if (c.style & StyleDisabled)
        bits |= WS_DISABLED;
    switch (c.kind) {
    case ControlKind::Edit:
        return bits | ((c.style & StylePassword) ? ES_PASSWORD : 0) | ((c.style & StyleDigitsOnly) ? ES_NUMBER : 0);
    case ControlKind::ComboBox:
        return bits | CBS_DROPDOWNLIST | ((c.style & StyleSorted) ? CBS_SORT : 0);
    case ControlKind::ListView:
        return bits | LVS_REPORT;
    default:
        return bits;
    }
}

// The low button style bits say what kind of button the system made.
LONG ExpectedButtonType(ControlKind kind)
{
    switch (kind) {
    case ControlKind::GroupBox: return BS_GROUPBOX;
    case ControlKind::PushButton: return BS_PUSHBUTTON;
    case ControlKind::DefaultPushButton: return BS_DEFPUSHBUTTON;
    case ControlKind::RadioButton: return BS_AUTORADIOBUTTON;
    case ControlKind::CheckBox: return BS_AUTOCHECKBOX;
    case ControlKind::LinkButton: return BS_OWNERDRAW;
    default: return -1;
    }
}

void ExpectControlsOfLayout(HWND dialog, const DialogTemplate& layout)
{
    const std::vector<HWND> children = ChildrenInOrder(dialog);
    ASSERT_EQ(children.size(), layout.controls.size()) << "dialog " << layout.id;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ControlTemplate& c = layout.controls[i];
        const HWND child = children[i];
        SCOPED_TRACE("dialog " + std::to_string(layout.id) + ", control " + std::to_string(i) + " (id "
                     + std::to_string(c.id) + ")");
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        EXPECT_EQ(_wcsicmp(className, ControlClassName(c.kind)), 0);

        const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        EXPECT_EQ(style & ExpectedStyleBits(c), ExpectedStyleBits(c));
        if (ExpectedButtonType(c.kind) >= 0) {
            EXPECT_EQ(static_cast<LONG>(style & BS_TYPEMASK), ExpectedButtonType(c.kind));
        }
        if (c.kind == ControlKind::Edit && c.limit > 0) {
            EXPECT_EQ(SendMessageW(child, EM_GETLIMITTEXT, 0, 0), c.limit);
        }
        if (c.kind == ControlKind::Edit && (c.style & StylePassword)) {
            EXPECT_EQ(SendMessageW(child, EM_GETPASSWORDCHAR, 0, 0), PASSWORD_CHARACTER);
        }

        // The dialog manager scales a control's place and its size each on its own;
        // MapDialogRect scales the four fields each on its own too.
        RECT expected{c.x, c.y, c.cx, c.cy};
        MapDialogRect(dialog, &expected);
        const RECT actual = PlaceInDialog(dialog, child);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        // An etched line may be widened by its edges; it covers at least its width.
        if (c.kind == ControlKind::EtchedLine) {
            EXPECT_GE(actual.right - actual.left, expected.right);
        } else {
            EXPECT_EQ(actual.right - actual.left, expected.right);
        }
        // A drop-down list sizes its selection field to its font; only its list takes
        // the template's height.
        if (c.kind != ControlKind::ComboBox) {
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
        } else {
            // Dropped down, the list has room for several lines, not just the field's
            // height (where the system counts the field and borders differs).
            RECT dropped{}, list{0, 0, 0, DROP_DOWN_LIST_HEIGHT / 2};
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapDialogRect(dialog, &list);
            EXPECT_GT(dropped.bottom - dropped.top - (actual.bottom - actual.top), list.bottom);
        }
    }
}

TEST(Win32DialogTemplates, EveryLayoutBecomesADialogWithTheLayoutsControls)
{
    ASSERT_TRUE(RegisterControlClasses());
    const std::uint16_t english = 1033;
    const DialogTemplate* frameLayout = FindDialogTemplate(IDD_WIZARD, english);
    ASSERT_NE(frameLayout, nullptr);
    const std::vector<std::uint8_t> frameBytes = BuildDialogTemplate(*frameLayout);
    const HWND frame = Create(frameBytes, nullptr);
    ASSERT_NE(frame, nullptr) << "error " << GetLastError();
    EXPECT_FALSE(IsWindowVisible(frame));
    // The page is the frame's size in dialog units.
    RECT pageSize{0, 0, PAGE_WIDTH, PAGE_HEIGHT}, client{};
    MapDialogRect(frame, &pageSize);
    GetClientRect(frame, &client);
    EXPECT_EQ(client.right, pageSize.right);
    EXPECT_EQ(client.bottom, pageSize.bottom);

    int made = 0;
    for (int id : DialogTemplateIds()) {
        const DialogTemplate* layout = FindDialogTemplate(id, english);
        ASSERT_NE(layout, nullptr) << id;
        const std::vector<std::uint8_t> bytes = BuildDialogTemplate(*layout);
        ASSERT_EQ(bytes.size() % 2, 0u);
        const HWND dialog = Create(bytes, layout->child ? frame : nullptr);
        ASSERT_NE(dialog, nullptr) << "dialog " << id << ", error " << GetLastError();
        ApplyEditSettings(dialog, *layout);
        ExpectControlsOfLayout(dialog, *layout);
        const LONG style = GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_EQ((style & WS_CHILD) != 0, layout->child) << id;
        DestroyWindow(dialog);
        ++made;
    }
    EXPECT_EQ(made, static_cast<int>(DialogTemplateIds().size()));
    DestroyWindow(frame);
}

// Texts of odd and even lengths move the items' DWORD boundaries; a text outside ASCII
// must arrive as the same characters.
TEST(Win32DialogTemplates, ItemsAfterTextsOfEveryLengthAndNonAsciiTextsArriveIntact)
{
    ASSERT_TRUE(RegisterControlClasses());
    DialogTemplate layout;
    layout.id = 1;
    layout.cx = 200;
    layout.cy = 120;
    layout.child = false;
    layout.caption = "Einstellungen f\xC3\xBCr den Drucker";  // "für"
    std::string text;
    for (int i = 0; i < 6; ++i) {
        ControlTemplate c;
        c.id = 100 + i;
        c.kind = i % 2 ? ControlKind::CheckBox : ControlKind::Static;
        c.x = 5;
        c.y = 5 + 15 * i;
        c.cx = 150 - i;
        c.cy = 12;
        c.text = text;
        text += 'a';
        layout.controls.push_back(c);
    }
    layout.controls.push_back(ControlTemplate{200, ControlKind::Edit, 5, 100, 60, 14, "\xD0\x9F\xD1\x80", StylePassword, 0, 8});

    const std::vector<std::uint8_t> bytes = BuildDialogTemplate(layout);
    const HWND dialog = Create(bytes, nullptr);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    ApplyEditSettings(dialog, layout);
    ExpectControlsOfLayout(dialog, layout);
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_STREQ(caption, L"Einstellungen f\u00FCr den Drucker");
    for (int i = 0; i < 6; ++i) {
        wchar_t buffer[16] = {};
        GetDlgItemTextW(dialog, 100 + i, buffer, 16);
        EXPECT_EQ(std::wstring(buffer), std::wstring(static_cast<std::size_t>(i), L'a'));
    }
    wchar_t edit[16] = {};
    GetDlgItemTextW(dialog, 200, edit, 16);
    EXPECT_STREQ(edit, L"\u041F\u0440");
    DestroyWindow(dialog);
}

}
}
