// The ANSI code page through the system's conversions keeps the contracts of the Linux
// form: exactly or not at all, "?" for what the page cannot carry, kept bytes, carries.
#include "platform/AnsiCodePage.h"

#include <gtest/gtest.h>

namespace plintor::platform {
namespace {

TEST(WindowsAnsiCodePage, WesternPageWritesExactlyOrMarksAndNeverFindsALookAlike)
{
    CAnsiCodePage western("CP1252");
    EXPECT_EQ(western.Charset(), "CP1252");
    std::string bytes;
    ASSERT_TRUE(western.ToAnsiExactly("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC", bytes));   // "Grüße €"
    EXPECT_EQ(bytes, "Gr\xFC\xDF" "e \x80");
    EXPECT_EQ(western.FromAnsi(bytes), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");

    // "ā" would become "a" by the system's best fit; "日" cannot be written at all.
    EXPECT_FALSE(western.ToAnsiExactly("\xC4\x81", bytes));
    EXPECT_FALSE(western.ToAnsiExactly("\xE6\x97\xA5", bytes));
    EXPECT_FALSE(western.ToAnsiExactly("\xC3", bytes));   // broken UTF-8
    EXPECT_EQ(western.ToAnsi("x\xC4\x81y\xE6\x97\xA5z\xFF"), "x?y?z?");
    EXPECT_EQ(western.ToAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));

    CAnsiCodePage latin1("ISO-8859-1");
    EXPECT_EQ(latin1.ToAnsi("\xC3\xA9"), "\xE9");
    CAnsiCodePage unknown("NO-SUCH-SET");
    EXPECT_EQ(unknown.Charset(), "ANSI_X3.4-1968");
    EXPECT_FALSE(unknown.ToAnsiExactly("\xC3\xA9", bytes));
}

TEST(WindowsAnsiCodePage, DoubleBytePageCarriesCutCharactersAndKeepsUnreadableBytes)
{
    CAnsiCodePage japanese("SHIFT_JIS", UnreadableBytes::Keep);
    std::string bytes;
    ASSERT_TRUE(japanese.ToAnsiExactly("\xE3\x81\x82", bytes));   // "あ"
    EXPECT_EQ(bytes, "\x82\xA0");

    std::string carry;
    EXPECT_EQ(japanese.FromAnsi("ok\x82", &carry), "ok");
    EXPECT_EQ(carry, "\x82");
    EXPECT_EQ(japanese.FromAnsi("\xA0!", &carry), "\xE3\x81\x82!");
    EXPECT_TRUE(carry.empty());

    // A lead byte followed by no valid trail byte is unreadable: kept, and written back.
    std::string read = japanese.FromAnsi("A\x81\x20" "B");
    EXPECT_EQ(CAnsiCodePage::Readable(read), "A\xEF\xBF\xBD B");
    EXPECT_EQ(japanese.ToAnsi(read), "A\x81\x20" "B");
    ASSERT_TRUE(japanese.ToAnsiExactly(read, bytes));
    EXPECT_EQ(bytes, "A\x81\x20" "B");

    CAnsiCodePage replacing("CP932");
    EXPECT_EQ(replacing.FromAnsi("A\x81\x20"), "A\xEF\xBF\xBD ");
}

TEST(WindowsAnsiCodePage, Utf8AndTheSystemsOwnPage)
{
    CAnsiCodePage utf8("UTF-8");
    EXPECT_EQ(utf8.FromAnsi("a\xC0\xAF"), "a\xEF\xBF\xBD\xEF\xBF\xBD");   // overlong form refused
    EXPECT_FALSE(CAnsiCodePage::LocaleCharset().empty());
    CAnsiCodePage system;
    EXPECT_EQ(system.Charset(), CAnsiCodePage::LocaleCharset());
    EXPECT_EQ(system.FromAnsi(system.ToAnsi("plain ASCII")), "plain ASCII");
}

}
}
