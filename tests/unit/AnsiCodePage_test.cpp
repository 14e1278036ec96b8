#include "platform/AnsiCodePage.h"

#include <gtest/gtest.h>

namespace plintor::platform {
namespace {

using namespace std::string_literals;

TEST(AnsiCodePage, Latin1CarriesItsCharactersAndMarksOthers)
{
    CAnsiCodePage latin("ISO-8859-1");
    EXPECT_EQ(latin.ToAnsi("caf\xc3\xa9"), "caf\xe9");
    EXPECT_EQ(latin.FromAnsi("caf\xe9"), "caf\xc3\xa9");
    // U+20AC and U+1F600 are not in the set: one "?" each, the rest kept.
    EXPECT_EQ(latin.ToAnsi("a\xe2\x82\xac" "b\xf0\x9f\x98\x80" "c"), "a?b?c");
    // NUL passes both ways.
    EXPECT_EQ(latin.ToAnsi("a\0b"s), "a\0b"s);
    EXPECT_EQ(latin.FromAnsi("a\0b"s), "a\0b"s);
}

TEST(AnsiCodePage, AsciiMarksEveryByteItCannotRead)
{
    CAnsiCodePage ascii("ANSI_X3.4-1968");
    EXPECT_EQ(ascii.FromAnsi("ok\xff\x80!"), "ok\xef\xbf\xbd\xef\xbf\xbd!");
    EXPECT_EQ(ascii.ToAnsi("SSID \xc3\xbc"), "SSID ?");
    // Broken UTF-8 in the program's text is marked, not dropped.
    EXPECT_EQ(ascii.ToAnsi("a\xc3"), "a?");
}

TEST(AnsiCodePage, Utf8ChunksSplitInsideACharacterJoinWithACarry)
{
    CAnsiCodePage utf8("UTF-8");
    std::string carry;
    std::string text = utf8.FromAnsi("ab\xc3", &carry);
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(carry, "\xc3");
    text += utf8.FromAnsi("\xa9z", &carry);
    EXPECT_EQ(text, "ab\xc3\xa9z");
    EXPECT_TRUE(carry.empty());
    // Without a carry a cut character is marked.
    EXPECT_EQ(utf8.FromAnsi("ab\xc3"), "ab\xef\xbf\xbd");
    EXPECT_EQ(utf8.FromAnsi("x\xffy"), "x\xef\xbf\xbdy");
}

TEST(AnsiCodePage, UnknownCharsetFallsBackToAsciiAndCopiesKeepTheirSet)
{
    CAnsiCodePage unknown("NO-SUCH-CHARSET-42");
    EXPECT_EQ(unknown.Charset(), "ANSI_X3.4-1968");
    CAnsiCodePage latin("ISO-8859-1");
    CAnsiCodePage copy = latin;
    EXPECT_EQ(copy.ToAnsi("\xc3\xa9"), "\xe9");
    unknown = latin;
    EXPECT_EQ(unknown.FromAnsi("\xe9"), "\xc3\xa9");
    EXPECT_FALSE(CAnsiCodePage::LocaleCharset().empty());
}

TEST(AnsiCodePage, LargeTextConvertsWhole)
{
    CAnsiCodePage latin("ISO-8859-1");
    std::string big(100000, 'x');
    big += "\xc3\xa9";
    std::string bytes = latin.ToAnsi(big);
    ASSERT_EQ(bytes.size(), 100001u);
    EXPECT_EQ(bytes.back(), '\xe9');
    EXPECT_EQ(latin.FromAnsi(bytes), big);
}

}
}
