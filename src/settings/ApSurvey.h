#pragma once

#include "settings/ApSurveyResult.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plintor {

struct SettingsContext;

// The survey request, sent as a job of its own.
inline constexpr const char* kApSurveyRequest = "@PJL IWAWLSERCHRESULTGET\r\n";

// Asks the USB printer at `devicePath` for the access points it hears and fills
// `result`. True when at least one access point was found.
bool SurveyAccessPoints(ApSurveyResult& result, const std::string& devicePath);
// The same with the channel waits and wire character set of `context`.
bool SurveyAccessPoints(ApSurveyResult& result, const std::string& devicePath, const SettingsContext& context);

// Fills answerFields from key=value lines: the key is the text before the first "=",
// unchanged; the value loses one pair of surrounding double quotes; the first of
// repeated keys stays; lines without "=" are ignored.
void ParseAnswerFields(ApSurveyResult& result, const std::vector<std::string>& lines);

// True and the value when `key` (compared exactly) is present; false and empty otherwise.
bool GetAnswerField(const ApSurveyResult& result, std::string_view key, std::string& value);

// True when `key` is present; the number is its value read as a decimal integer
// (leading blanks and a sign allowed, stops at the first non-digit, 0 without digits,
// held to the 32-bit range).
bool GetAnswerNumber(const ApSurveyResult& result, std::string_view key, std::int32_t& number);

// Sets dataStatus from DATASTATUS; true when that key is present.
bool ReadDataStatus(ApSurveyResult& result);

// Builds accessPoints from FINDDATANUM and the DATA i fields; the number appended, or -1
// when the count is missing or negative.
int ParseAccessPoints(ApSurveyResult& result);

}
