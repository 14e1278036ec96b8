#include "settings/ApSurvey.h"

#include <gtest/gtest.h>

#include <climits>

namespace plintor {
namespace {

ApSurveyResult Parsed(const std::vector<std::string>& lines)
{
    ApSurveyResult result;
    ParseAnswerFields(result, lines);
    return result;
}

TEST(ApSurvey, SurveyExampleKeepsOnlyKnownSecurityValues)
{
    ApSurveyResult result = Parsed({
        "DATASTATUS=1",
        "FINDDATANUM=2",
        "DATA 0 SSID=home",
        "DATA 0 Encryption Mode=3",
        "DATA 0 Link Quality=1",
        "DATA 1 SSID=cafe",
        "DATA 1 Encryption Mode=4",
        "DATA 1 Link Quality=2",
    });
    ASSERT_TRUE(ReadDataStatus(result));
    EXPECT_EQ(result.dataStatus, 1);
    EXPECT_EQ(ParseAccessPoints(result), 1);
    ASSERT_EQ(result.accessPoints.size(), 1u);
    EXPECT_EQ(result.accessPoints[0], (AccessPointInfo{"home", 4, 1}));
}

TEST(ApSurvey, EncryptionModeSixIsMixedMode)
{
    ApSurveyResult result = Parsed({"FINDDATANUM=1", "DATA 0 SSID=\"office\"", "DATA 0 Encryption Mode=6",
                                    "DATA 0 Link Quality=3"});
    EXPECT_EQ(ParseAccessPoints(result), 1);
    EXPECT_EQ(result.accessPoints[0], (AccessPointInfo{"office", 5, 3}));
}

TEST(ApSurvey, FieldRules)
{
    ApSurveyResult result = Parsed({
        "quoted=\"office\"",
        "leading=\"office",
        "lone=\"",
        "no separator line",
        "twice=first",
        "twice=second",
        "a=b=c",
        " spaced =x",
        "empty=",
    });
    std::string value;
    EXPECT_TRUE(GetAnswerField(result, "quoted", value));
    EXPECT_EQ(value, "office");
    EXPECT_TRUE(GetAnswerField(result, "leading", value));
    EXPECT_EQ(value, "\"office");
    EXPECT_TRUE(GetAnswerField(result, "lone", value));
    EXPECT_EQ(value, "\"");
    EXPECT_TRUE(GetAnswerField(result, "twice", value));
    EXPECT_EQ(value, "first");
    EXPECT_TRUE(GetAnswerField(result, "a", value));
    EXPECT_EQ(value, "b=c");
    EXPECT_TRUE(GetAnswerField(result, " spaced ", value));
    EXPECT_FALSE(GetAnswerField(result, "spaced", value));
    EXPECT_TRUE(value.empty());
    EXPECT_TRUE(GetAnswerField(result, "empty", value));
    EXPECT_EQ(result.answerFields.size(), 7u);
}

TEST(ApSurvey, DataStatusValues)
{
    ApSurveyResult result = Parsed({"DATASTATUS=0"});
    EXPECT_TRUE(ReadDataStatus(result));
    EXPECT_EQ(result.dataStatus, 0);
    result = Parsed({"datastatus=1"});  // keys are exact: not found
    EXPECT_FALSE(ReadDataStatus(result));
    EXPECT_EQ(result.dataStatus, -1);
    result = Parsed({"DATASTATUS=2"});
    EXPECT_TRUE(ReadDataStatus(result));
    EXPECT_EQ(result.dataStatus, -1);
}

TEST(ApSurvey, AnswerNumbers)
{
    ApSurveyResult result = Parsed({"a=  42xyz", "b=-7", "c=abc", "d=+3", "e=99999999999999999999", "f=-99999999999"});
    std::int32_t n = 5;
    EXPECT_TRUE(GetAnswerNumber(result, "a", n));
    EXPECT_EQ(n, 42);
    EXPECT_TRUE(GetAnswerNumber(result, "b", n));
    EXPECT_EQ(n, -7);
    EXPECT_TRUE(GetAnswerNumber(result, "c", n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(GetAnswerNumber(result, "d", n));
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(GetAnswerNumber(result, "e", n));
    EXPECT_EQ(n, INT_MAX);
    EXPECT_TRUE(GetAnswerNumber(result, "f", n));
    EXPECT_EQ(n, INT_MIN);
    EXPECT_FALSE(GetAnswerNumber(result, "missing", n));
}

TEST(ApSurvey, CountRules)
{
    ApSurveyResult result = Parsed({"FINDDATANUM=-1", "DATA 0 SSID=x", "DATA 0 Encryption Mode=0",
                                    "DATA 0 Link Quality=1"});
    result.accessPoints.push_back({"stale", 1, 1});
    EXPECT_EQ(ParseAccessPoints(result), -1);
    result = Parsed({"DATA 0 SSID=x"});
    EXPECT_EQ(ParseAccessPoints(result), -1);
    result = Parsed({"FINDDATANUM=0", "DATA 0 SSID=x", "DATA 0 Encryption Mode=0", "DATA 0 Link Quality=1"});
    result.accessPoints.push_back({"stale", 1, 1});
    EXPECT_EQ(ParseAccessPoints(result), 0);
    EXPECT_TRUE(result.accessPoints.empty());
    // Indices at or beyond the count are not read; entries keep the order of indices.
    result = Parsed({"FINDDATANUM=11", "DATA 10 SSID=ten", "DATA 10 Encryption Mode=1", "DATA 10 Link Quality=2",
                     "DATA 2 SSID=two", "DATA 2 Encryption Mode=2", "DATA 2 Link Quality=3", "DATA 11 SSID=over",
                     "DATA 11 Encryption Mode=1", "DATA 11 Link Quality=1", "DATA 02 SSID=padded",
                     "DATA 02 Encryption Mode=1", "DATA 02 Link Quality=1", "DATA 3 SSID=no quality",
                     "DATA 3 Encryption Mode=1", "DATA 3 Link Quality=9"});
    ASSERT_EQ(ParseAccessPoints(result), 2);
    EXPECT_EQ(result.accessPoints[0], (AccessPointInfo{"two", 3, 3}));
    EXPECT_EQ(result.accessPoints[1], (AccessPointInfo{"ten", 2, 2}));
}

TEST(ApSurvey, HugeCountWithFewLinesFinishesAtOnce)
{
    // Regression: a count of 2147483647 walked every index below it and hung for minutes
    // (the suite's time limit catches a relapse).
    ApSurveyResult result = Parsed({"DATASTATUS=1", "FINDDATANUM=2147483647", "DATA 0 SSID=a",
                                    "DATA 0 Encryption Mode=0", "DATA 0 Link Quality=1",
                                    "DATA 2147483646 SSID=last", "DATA 2147483646 Encryption Mode=1",
                                    "DATA 2147483646 Link Quality=1"});
    EXPECT_EQ(ParseAccessPoints(result), 2);
    EXPECT_EQ(result.accessPoints[1].ssid, "last");
}

}
}
