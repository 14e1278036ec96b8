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

TEST(AnsiCodePage, Utf8ReadLetFiveAndSixByteFormsAndCodePointsAboveU10FFFFThrough)
{
    CAnsiCodePage utf8("UTF-8");
    const std::string fffd = "\xef\xbf\xbd";
    struct Case {
        std::string bytes;
        int replacements;  // one U+FFFD per byte that begins no character
    };
    const Case cases[] = {
        {"\xf8\x88\x80\x80\x80", 5},      // 5-byte form
        {"\xfc\x84\x80\x80\x80\x80", 6},  // 6-byte form
        {"\xf4\x90\x80\x80", 4},          // U+110000
        {"\xf5\x80\x80\x80", 4},          // lead byte beyond U+10FFFF
        {"\xc0\xaf", 2},                  // overlong "/"
        {"\xe0\x80\xaf", 3},              // overlong "/" in three bytes
        {"\xf0\x80\x80\xaf", 4},          // and in four
        {"\xed\xa0\x80", 3},              // surrogate U+D800
    };
    for (const Case& bad : cases) {
        std::string expected = "<";
        for (int i = 0; i < bad.replacements; ++i)
            expected += fffd;
        expected += ">";
        EXPECT_EQ(utf8.FromAnsi("<" + bad.bytes + ">"), expected) << bad.bytes.size();
        // A cut-off prefix of such a form is no character to wait for either.
        std::string carry;
        EXPECT_EQ(utf8.FromAnsi("<" + bad.bytes.substr(0, 2), &carry), "<" + fffd + fffd) << bad.bytes.size();
        EXPECT_TRUE(carry.empty()) << bad.bytes.size();
    }
    // The largest code point and the last ones before and after the surrogates stay.
    for (std::string good : {"\xf4\x8f\xbf\xbf", "\xed\x9f\xbf", "\xee\x80\x80", "\xc2\x80"})
        EXPECT_EQ(utf8.FromAnsi(good), good);
    // Written to a UTF-8 wire, such a form is marked, as every broken sequence is.
    EXPECT_EQ(utf8.ToAnsi("a\xf8\x88\x80\x80\x80" "b"), "a?????b");
}

TEST(AnsiCodePage, KeptBytesGoBackAsThemselvesAndOnlyExactTextsAreWritten)
{
    // Latin-1 "Caf\xe9" read under UTF-8 and ASCII, UTF-8 "Caf\xc3\xa9" under ASCII: the
    // bytes that the set cannot read are kept, shown as U+FFFD, and written back as read.
    const std::pair<const char*, std::string> reads[] = {
        {"UTF-8", "Caf\xe9"}, {"ANSI_X3.4-1968", "Caf\xe9"}, {"ANSI_X3.4-1968", "Caf\xc3\xa9"}};
    for (const auto& [charset, bytes] : reads) {
        CAnsiCodePage keeping(charset, UnreadableBytes::Keep);
        std::string text = keeping.FromAnsi(bytes);
        EXPECT_EQ(keeping.ToAnsi(text), bytes) << charset;
        std::string exact;
        EXPECT_TRUE(keeping.ToAnsiExactly(text, exact)) << charset;
        EXPECT_EQ(exact, bytes) << charset;
        std::string shown = CAnsiCodePage::Readable(text);
        EXPECT_EQ(shown.substr(0, 3), "Caf") << charset;
        EXPECT_EQ(CAnsiCodePage::Readable(shown), shown);
        EXPECT_EQ(CAnsiCodePage(charset).FromAnsi(bytes), shown) << charset;
    }
    // Kept bytes also pass through a set that reads them, and through a carry.
    CAnsiCodePage latin("ISO-8859-1", UnreadableBytes::Keep);
    EXPECT_EQ(latin.ToAnsi(CAnsiCodePage("UTF-8", UnreadableBytes::Keep).FromAnsi("\xff\xfe")), "\xff\xfe");

    // Typed text: exact where the set carries every character, refused where "?" would
    // stand in for one.
    std::string bytes;
    EXPECT_TRUE(CAnsiCodePage("ISO-8859-1").ToAnsiExactly("Caf\xc3\xa9", bytes));
    EXPECT_EQ(bytes, "Caf\xe9");
    EXPECT_TRUE(CAnsiCodePage("UTF-8").ToAnsiExactly("Caf\xc3\xa9", bytes));
    EXPECT_EQ(bytes, "Caf\xc3\xa9");
    EXPECT_FALSE(CAnsiCodePage("ANSI_X3.4-1968").ToAnsiExactly("Caf\xc3\xa9", bytes));
    EXPECT_FALSE(CAnsiCodePage("ISO-8859-1").ToAnsiExactly("\xe6\x9d\xb1", bytes));
    EXPECT_FALSE(CAnsiCodePage("UTF-8").ToAnsiExactly("a\xf8\x88\x80\x80\x80", bytes));
    EXPECT_FALSE(CAnsiCodePage("UTF-8").ToAnsiExactly("a\xc3", bytes));
    EXPECT_TRUE(CAnsiCodePage("ANSI_X3.4-1968").ToAnsiExactly("plain\0text"s, bytes));
    EXPECT_EQ(bytes, "plain\0text"s);
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
