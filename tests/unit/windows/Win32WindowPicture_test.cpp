// Pictures of real windows under Wine on a virtual display: a picture holds the whole
// window, its frame and its controls.

#include "WindowPicture.h"

#include "ui/win32/DialogTemplateBuilder.h"
#include "ui/win32/Win32Controls.h"

#include <gtest/gtest.h>


#include "resources/dialogs/DialogIds.h"
#include "resources/dialogs/DialogResources.h"

namespace plintor::win32 {
namespace {

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

TEST(Win32WindowPicture, HoldsTheWholeDialogAndChangesWithItsControls)
{
    ASSERT_TRUE(RegisterControlClasses());
    const DialogTemplate* layout = FindDialogTemplate(IDD_ENTER_IP, 1033);
    ASSERT_NE(layout, nullptr);
    const std::vector<std::uint8_t> bytes = BuildDialogTemplate(*layout);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                             nullptr, IdleDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    SetWindowPos(dialog, HWND_TOP, 10, 10, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Pump();
    test::RgbImage whole, withoutControls;
    ASSERT_TRUE(TakeWindowPicture(dialog, whole));
    RECT place{};
    GetWindowRect(dialog, &place);
    EXPECT_EQ(whole.width, place.right - place.left);
    EXPECT_EQ(whole.height, place.bottom - place.top);
    EXPECT_FALSE(test::IsOneColour(whole));

    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ShowWindow(child, SW_HIDE);
    Pump();
    ASSERT_TRUE(TakeWindowPicture(dialog, withoutControls));
    EXPECT_NE(whole.rgb, withoutControls.rgb);

    DestroyWindow(dialog);
}

}
}
