#include "pages/CompletionTexts.h"

#include "core/ConfigureFlags.h"
#include "core/StringTable.h"

#include <gtest/gtest.h>

namespace plintor {
namespace {

constexpr LangId kEnglish = 1033;

std::string T(StringId id)
{
    return LoadText(kEnglish, id);
}

const std::string kBreak = "\r\n\r\n";

TEST(CompletionTexts, TopVariantOverTheNetworkOffersAnotherPrinter)
{
    CompletionInput input;
    input.faxPageVariant = -1;
    input.connectionMode = 2;
    input.configureFlags = kConfigureIp;
    CompletionView ip = ComposeCompletion(input, kEnglish);
    EXPECT_TRUE(ip.anotherButton);
    EXPECT_FALSE(ip.printButton);
    EXPECT_EQ(ip.nextCaption, IDS_FINISH_BUTTON);
    EXPECT_EQ(ip.upper, T(IDS_COMPLETE_DLG_FINISHED) + kBreak + T(IDS_COMPLETE_DLG_CHECK_REPORT) + kBreak
                            + T(IDS_COMPLETE_DLG_ANOTHER_PRINTER));
    EXPECT_EQ(ip.lower, "Please continue to install the software.");

    // Without IP configuration: the link quality hint and the cable advice join in.
    input.faxPageVariant = 0;
    input.configureFlags = kConfigureWireless;
    input.continueToInstall = false;
    CompletionView wireless = ComposeCompletion(input, kEnglish);
    EXPECT_EQ(wireless.upper, T(IDS_COMPLETE_DLG_FINISHED) + kBreak + T(IDS_COMPLETE_DLG_CHECK_REPORT) + kBreak
                                  + T(IDS_COMPLETE_DLG_CHECK_LINK_QUALITY) + kBreak
                                  + T(IDS_COMPLETE_DLG_ANOTHER_PRINTER));
    EXPECT_EQ(wireless.lower, T(IDS_COMPLETE_DLG_DISCONNECT_ETHERNET) + kBreak);
}

TEST(CompletionTexts, TopVariantOverUsbOffersTheReportOnly)
{
    CompletionInput input;
    input.connectionMode = 1;
    input.configureFlags = kConfigureIp;
    CompletionView view = ComposeCompletion(input, kEnglish);
    EXPECT_TRUE(view.printButton);
    EXPECT_FALSE(view.anotherButton);
    EXPECT_EQ(view.upper, T(IDS_COMPLETE_DLG_FINISHED) + kBreak + T(IDS_COMPLETE_DLG_CHECK_REPORT_PRINT));
    EXPECT_EQ(view.lower, T(IDS_COMPLETE_DLG_DISCONNECT_USB) + kBreak + T(IDS_COMPLETE_DLG_CONTINUE_TEXT));
    EXPECT_EQ(view.nextCaption, IDS_FINISH_BUTTON);
}

TEST(CompletionTexts, FlowVariantCases)
{
    CompletionInput input;
    input.faxPageVariant = 1;
    const std::string continueText = T(IDS_COMPLETE_DLG_CONTINUE_TEXT);

    // Case 0: the report can be printed; FAX only over the network with FAX in use, or
    // anything over USB but a declined FAX.
    for (std::int32_t mode : {1, 2}) {
        input.connectionMode = mode;
        input.configureFlags = kConfigureFax | kConfigurePanelLanguage;
        input.faxEnabled = 1;
        CompletionView view = ComposeCompletion(input, kEnglish);
        EXPECT_TRUE(view.printButton) << mode;
        EXPECT_FALSE(view.anotherButton);
        EXPECT_EQ(view.nextCaption, IDS_NEXT_BUTTON);
        EXPECT_EQ(view.upper, T(IDS_COMPLETE_DLG_FINISHED) + kBreak + T(IDS_COMPLETE_DLG_CHECK_REPORT_PRINT));
        EXPECT_EQ(view.lower, T(IDS_COMPLETE_DLG_CLICK_NEXT) + kBreak + continueText);
    }
    input.connectionMode = 1;
    input.configureFlags = kConfigureIp;
    EXPECT_TRUE(ComposeCompletion(input, kEnglish).printButton);

    // Case 4: only FAX, declined, on either connection.
    for (std::int32_t mode : {1, 2}) {
        input.connectionMode = mode;
        input.configureFlags = kConfigureFax;
        input.faxEnabled = 0;
        CompletionView view = ComposeCompletion(input, kEnglish);
        EXPECT_FALSE(view.printButton);
        EXPECT_FALSE(view.anotherButton);
        EXPECT_EQ(view.upper, T(IDS_COMPLETE_DLG_FINISHED_CONFIGURING) + kBreak + T(IDS_COMPLETE_DLG_CLICK_NEXT)
                                  + kBreak + continueText);
        EXPECT_EQ(view.lower, "");
    }

    // Case 1: anything else over the network.
    input.connectionMode = 2;
    input.configureFlags = kConfigureIp | kConfigureFax;
    input.faxEnabled = 1;
    CompletionView view = ComposeCompletion(input, kEnglish);
    EXPECT_FALSE(view.printButton);
    EXPECT_FALSE(view.anotherButton);
    EXPECT_EQ(view.upper, T(IDS_COMPLETE_DLG_FINISHED) + kBreak + T(IDS_COMPLETE_DLG_CHECK_REPORT) + kBreak
                              + T(IDS_COMPLETE_DLG_CHECK_LINK_QUALITY) + kBreak + T(IDS_COMPLETE_DLG_CLICK_NEXT)
                              + kBreak + continueText);
    EXPECT_EQ(view.lower, "");
}

}
}
