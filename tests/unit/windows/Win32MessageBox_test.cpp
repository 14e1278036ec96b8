// The system's message box under Wine, answered by another thread as a user would: it
// finds the box by its caption, reads what it shows and presses "No".

#include "ui/win32/SystemMessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace plintor::win32 {
namespace {

struct SeenBox {
    bool found = false;
    std::wstring text;
    std::wstring noButton;
    bool noIsDefault = false;
};

// Waits up to ten seconds for the box, records it and clicks its "No" button.
SeenBox AnswerNo(const wchar_t* caption)
{
    SeenBox seen;
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) {
        box = FindWindowW(L"#32770", caption);
        if (!box)
            Sleep(50);
    }
    if (!box)
        return seen;
    seen.found = true;
    wchar_t buffer[256] = {};
    GetDlgItemTextW(box, 0xFFFF, buffer, 256);  // the box's text has no id of its own
    seen.text = buffer;
    GetDlgItemTextW(box, IDNO, buffer, 256);
    seen.noButton = buffer;
    const LONG noStyle = GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE);
    seen.noIsDefault = (noStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    return seen;
}

TEST(Win32MessageBox, ShowsTheTextWithTheDefaultButtonAndAnswersWithTheButtonPressedInEachLanguage)
{
    SeenBox english, german;
    for (const auto& [language, seen] : {std::pair<std::uint16_t, SeenBox*>{1033, &english}, {1031, &german}}) {
        std::thread user([seen] { *seen = AnswerNo(L"Plintor \u00FC"); });
        const int result = ShowSystemMessageBox(nullptr, "Drucker gefunden: \xE2\x80\x9E" "B\xC3\xBCro\xE2\x80\x9C",
                                                "Plintor \xC3\xBC", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                                                language);
        user.join();
        ASSERT_TRUE(seen->found) << language;
        EXPECT_EQ(result, IDNO) << language;
        EXPECT_EQ(seen->text, L"Drucker gefunden: \u201EB\u00FCro\u201C") << language;
        EXPECT_TRUE(seen->noIsDefault) << language;
        EXPECT_FALSE(seen->noButton.empty()) << language;
    }
    // The buttons follow the language asked for, not the system's.
    EXPECT_NE(english.noButton, german.noButton);
}

}
}
