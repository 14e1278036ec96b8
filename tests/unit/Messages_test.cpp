#include "wizard/Messages.h"

#include "core/StringTable.h"
#include "resources/MessageBoxButtons.h"
#include "ui/MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plintor {
namespace {

class ShowMessageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxHandler([this](const MessageBoxRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }
    void TearDown() override { SetMessageBoxHandler({}); }

    std::vector<MessageBoxRequest> requests;
    int answer = IDNO;
};

TEST_F(ShowMessageTest, LoadsTextAndCaptionInTheGivenLanguage)
{
    int result = ShowMessage(LANG_ENGLISH_US, nullptr, MSG_CANCEL_DLG, IDS_WND_TITLE,
                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_EQ(result, IDNO);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, "Are you sure you want to cancel the tool?");
    EXPECT_EQ(requests[0].caption, "Plintor");
    EXPECT_EQ(requests[0].style, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_EQ(requests[0].language, LANG_ENGLISH_US);
    EXPECT_EQ(requests[0].owner, nullptr);
}

TEST_F(ShowMessageTest, MissingStringsShowEmptyWithoutFallback)
{
    // Swiss German has no string table of its own: neither German nor English stands in.
    answer = IDOK;
    EXPECT_EQ(ShowMessage(0x0807, nullptr, MSG_ERR_NOT_ADMIN, IDS_WARNING_TITLE,
                          MB_OK | MB_ICONEXCLAMATION),
              IDOK);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, "");
    EXPECT_EQ(requests[0].caption, "");
    EXPECT_EQ(requests[0].language, 0x0807);
    // German has its own texts.
    ShowMessage(0x0407, nullptr, MSG_ERR_NOT_ADMIN, IDS_WARNING_TITLE, MB_OK | MB_ICONEXCLAMATION);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].text, LoadText(0x0407, MSG_ERR_NOT_ADMIN));
    EXPECT_NE(requests[1].text, "");
    EXPECT_NE(requests[1].text, LoadText(LANG_ENGLISH_US, MSG_ERR_NOT_ADMIN));
    EXPECT_NE(requests[1].caption, "");
}

TEST_F(ShowMessageTest, ComposedTextKeepsItsCaptionFromTheTable)
{
    ShowMessageText(LANG_ENGLISH_US, nullptr, "one\ntwo", IDS_ERR_TITLE, MB_OK);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].text, "one\ntwo");
    EXPECT_EQ(requests[0].caption, "Input Error");
}

TEST(MessageBoxButtons, TextsPerLanguageWithEnglishForOthers)
{
    EXPECT_STREQ(resources::MessageBoxButtonText(IDOK, 0x0409), "OK");
    EXPECT_STREQ(resources::MessageBoxButtonText(IDRETRY, 0x0409), "&Retry");
    EXPECT_STREQ(resources::MessageBoxButtonText(IDNO, 0x0407), "&Nein");
    EXPECT_STREQ(resources::MessageBoxButtonText(IDCANCEL, 0x0C0A), "Cancelar");
    EXPECT_STREQ(resources::MessageBoxButtonText(IDYES, 0x0412), "&Yes");
    EXPECT_STREQ(resources::MessageBoxButtonText(0, 0x0409), "");
    EXPECT_STREQ(resources::MessageBoxButtonText(8, 0x0409), "");
}

}
}
