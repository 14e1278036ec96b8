#include "pages/WirelessKeyRules.h"

#include "platform/AnsiCodePage.h"

#include <gtest/gtest.h>

#include <string>

using namespace plintor;

namespace {

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

}

TEST(WirelessKeyRules, WepKeyTakesFiveOrThirteenPrintablesOrTenOrTwentySixHexDigits)
{
    EXPECT_TRUE(IsValidWepKey("ab cd"));
    EXPECT_TRUE(IsValidWepKey(" !~{}"));
    EXPECT_TRUE(IsValidWepKey("0123456789abc"));
    EXPECT_TRUE(IsValidWepKey("0123456789"));
    EXPECT_TRUE(IsValidWepKey("ABCDEFabcdef0123456789aBcD"));

    // Hexadecimal digits count only at 10 and 26.
    EXPECT_FALSE(IsValidWepKey("0123456789ab"));
    EXPECT_FALSE(IsValidWepKey(""));
    EXPECT_FALSE(IsValidWepKey("abcd"));
    EXPECT_FALSE(IsValidWepKey("abcdef"));
    EXPECT_FALSE(IsValidWepKey(Repeat("a", 27)));
    // Ten or twenty-six characters must all be hexadecimal digits.
    EXPECT_FALSE(IsValidWepKey("012345678g"));
    EXPECT_FALSE(IsValidWepKey("0123456789abcdef012345678 "));
    // Five or thirteen characters must all be printable ASCII.
    EXPECT_FALSE(IsValidWepKey("ab\tcd"));
    EXPECT_FALSE(IsValidWepKey("abc\x7f" "d"));
    // Three code points in five bytes are neither five characters nor printable ASCII.
    EXPECT_FALSE(IsValidWepKey("a\xc3\xa9\xc3\xa9"));
}

TEST(WirelessKeyRules, PassphraseTakesEightToSixtyThreePrintables)
{
    EXPECT_TRUE(IsValidPassphrase("12345678"));
    EXPECT_TRUE(IsValidPassphrase("a b~c d!"));
    EXPECT_TRUE(IsValidPassphrase(Repeat("x", 63)));

    EXPECT_FALSE(IsValidPassphrase("1234567"));
    EXPECT_FALSE(IsValidPassphrase(""));
    // 64 hexadecimal digits would be a raw key: refused like any 64 characters.
    EXPECT_FALSE(IsValidPassphrase(Repeat("0", 64)));
    EXPECT_FALSE(IsValidPassphrase("1234\t5678"));
    EXPECT_FALSE(IsValidPassphrase("caf\xc3\xa9" "1234"));
}

TEST(WirelessKeyRules, SsidWasCountedInCharactersAndSentWithQuestionMarksForWhatTheWireCannotCarry)
{
    platform::CAnsiCodePage utf8("UTF-8");
    platform::CAnsiCodePage ascii("ANSI_X3.4-1968");
    EXPECT_EQ(CheckSsid("", utf8), SsidVerdict::BadLength);
    EXPECT_EQ(CheckSsid(" ", utf8), SsidVerdict::Accepted);
    EXPECT_EQ(CheckSsid(Repeat("s", 32), ascii), SsidVerdict::Accepted);
    EXPECT_EQ(CheckSsid(Repeat("s", 33), ascii), SsidVerdict::BadLength);
    // An SSID is 32 octets: 16 two-byte characters fit, 17 do not.
    EXPECT_EQ(CheckSsid(Repeat("\xc3\xa9", 16), utf8), SsidVerdict::Accepted);
    EXPECT_EQ(CheckSsid(Repeat("\xc3\xa9", 17), utf8), SsidVerdict::TooManyOctets);
    EXPECT_EQ(CheckSsid(Repeat("\xc3\xa9", 32), platform::CAnsiCodePage("ISO-8859-1")), SsidVerdict::Accepted);
    EXPECT_EQ(CheckSsid("Caf\xc3\xa9", ascii), SsidVerdict::NotCarried);
    // No character test beyond that: control characters and tabs are taken.
    EXPECT_EQ(CheckSsid("tab\there", ascii), SsidVerdict::Accepted);
}
