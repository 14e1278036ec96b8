#include "core/CIPv6Utl.h"

#include <gtest/gtest.h>

#include <string>

namespace plintor {
namespace {

TEST(CIPv6Utl, ValidationTable)
{
    struct Case {
        const char* text;
        int result;
    } cases[] = {
        {"2001:db8::1", CIPv6Utl::kDocumentationPrefix},
        {"2001:0DB8:0:0:0:0:0:1", CIPv6Utl::kDocumentationPrefix},
        {"2001:db9::1", CIPv6Utl::kAccepted},
        {"3fff::1", CIPv6Utl::kAccepted},
        {"2001:0db8abc::1", CIPv6Utl::kBadSyntax},  // field of seven digits
        {"fe80::1", CIPv6Utl::kOutsidePrefix},
        {"::1", CIPv6Utl::kOutsidePrefix},
        {"4000::1", CIPv6Utl::kOutsidePrefix},
        {"1fff::1", CIPv6Utl::kOutsidePrefix},
        {"1:2:3:4:5:6:7", CIPv6Utl::kBadSyntax},
        {"1::2::3", CIPv6Utl::kBadSyntax},
        {":::", CIPv6Utl::kBadSyntax},
        {"2001:db8:g::1", CIPv6Utl::kBadSyntax},
        {"2001:db8:12345::1", CIPv6Utl::kBadSyntax},
        {"1", CIPv6Utl::kBadLength},
        {"", CIPv6Utl::kBadLength},
        {"2001:0db9:0000:0000:0000:0000:0000:00001", CIPv6Utl::kBadLength},  // 40 characters
        {"2001:0db9:0000:0000:0000:0000:0000:0001", CIPv6Utl::kAccepted},   // 39 characters
        {"2001:DB9:0:0:0:0:0:1", CIPv6Utl::kAccepted},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CIPv6Utl::ValidateAddress(c.text), c.result) << c.text;
}

TEST(CIPv6Utl, SyntaxCountsFieldsWithAndWithoutGap)
{
    EXPECT_TRUE(CIPv6Utl::CheckSyntax("1:2:3:4:5:6:7:8"));
    EXPECT_FALSE(CIPv6Utl::CheckSyntax("1:2:3:4:5:6:7:8:9"));
    EXPECT_TRUE(CIPv6Utl::CheckSyntax("::"));
    EXPECT_TRUE(CIPv6Utl::CheckSyntax("1::"));
    EXPECT_TRUE(CIPv6Utl::CheckSyntax("1:2:3::5:6:7:8"));
    EXPECT_FALSE(CIPv6Utl::CheckSyntax("1:2:3:4::5:6:7:8"));  // nine fields
    EXPECT_FALSE(CIPv6Utl::CheckSyntax("1:2"));
    EXPECT_TRUE(CIPv6Utl::CheckSyntax("ABCD::Ef"));
}

TEST(CIPv6Utl, ParseAndFormatFull)
{
    CIPv6Utl::Groups groups = CIPv6Utl::Parse("2001:db8::1");
    CIPv6Utl::Groups expected{0x2001, 0x0DB8, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(groups, expected);
    EXPECT_EQ(CIPv6Utl::FormatFull(groups), "2001:0db8:0000:0000:0000:0000:0000:0001");
    EXPECT_EQ(CIPv6Utl::FormatFull(CIPv6Utl::Parse("::")), "0000:0000:0000:0000:0000:0000:0000:0000");
    EXPECT_EQ(CIPv6Utl::FormatFull(CIPv6Utl::Parse("fe80::")), "fe80:0000:0000:0000:0000:0000:0000:0000");
    EXPECT_EQ(CIPv6Utl::FormatFull(CIPv6Utl::Parse("1:2:3:4:5:6:7:8")), "0001:0002:0003:0004:0005:0006:0007:0008");
    EXPECT_EQ(CIPv6Utl::FullFormUpper("fd00:AB::c1"), "FD00:00AB:0000:0000:0000:0000:0000:00C1");
}

TEST(CIPv6Utl, ParseOfMalformedTextStaysWithinEightGroups)
{
    // Texts the syntax check refuses must still parse to a defined value.
    EXPECT_EQ(CIPv6Utl::FormatFull(CIPv6Utl::Parse("1:2:3:4:5:6:7:8:9:10::11:12:13")).size(), 39u);
    EXPECT_EQ(CIPv6Utl::FormatFull(CIPv6Utl::Parse("")), "0000:0000:0000:0000:0000:0000:0000:0000");
    EXPECT_EQ(CIPv6Utl::Parse("fffff::")[0], 0xFFFF);
}

}
}
