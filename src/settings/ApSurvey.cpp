#include "settings/ApSurvey.h"

#include "channel/CUSBConnect.h"
#include "settings/KeywordTables.h"
#include "settings/SettingsChannels.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace plintor {

namespace {

constexpr std::string_view kDataStatusKey = "DATASTATUS";
constexpr std::string_view kCountKey = "FINDDATANUM";

std::string DataKey(long long index, const char* field)
{
    return "DATA " + std::to_string(index) + " " + field;
}

// The index i of a key written exactly as "DATA i SSID" (i as the decimal form that
// DataKey writes), or -1.
long long SsidKeyIndex(const std::string& key)
{
    constexpr std::string_view prefix = "DATA ";
    constexpr std::string_view suffix = " SSID";
    if (key.size() <= prefix.size() + suffix.size() || !key.starts_with(prefix) || !key.ends_with(suffix))
        return -1;
    std::string_view digits(key.data() + prefix.size(), key.size() - prefix.size() - suffix.size());
    long long index = -1;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || index < 0)
        return -1;
    return DataKey(index, "SSID") == key ? index : -1;
}

}

void ParseAnswerFields(ApSurveyResult& result, const std::vector<std::string>& lines)
{
    result.answerFields.clear();
    for (const std::string& line : lines) {
        std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string value = line.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        result.answerFields.emplace(line.substr(0, equals), std::move(value));
    }
}

bool GetAnswerField(const ApSurveyResult& result, std::string_view key, std::string& value)
{
    auto found = result.answerFields.find(std::string(key));
    if (found == result.answerFields.end()) {
        value.clear();
        return false;
    }
    value = found->second;
    return true;
}

bool GetAnswerNumber(const ApSurveyResult& result, std::string_view key, std::int32_t& number)
{
    std::string value;
    if (!GetAnswerField(result, key, value))
        return false;
    std::size_t pos = 0;
    while (pos < value.size() && (value[pos] == ' ' || value[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < value.size() && (value[pos] == '+' || value[pos] == '-'))
        negative = value[pos++] == '-';
    long long magnitude = 0;
    for (; pos < value.size() && value[pos] >= '0' && value[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (value[pos] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            magnitude = static_cast<long long>(INT_MAX) + 1;  // held: more digits change nothing
    }
    long long signedValue = negative ? -magnitude : magnitude;
    number = static_cast<std::int32_t>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
    return true;
}

bool ReadDataStatus(ApSurveyResult& result)
{
    result.dataStatus = -1;
    std::string value;
    if (!GetAnswerField(result, kDataStatusKey, value))
        return false;
    if (value == "1")
        result.dataStatus = 1;
    else if (value == "0")
        result.dataStatus = 0;
    return true;
}

int ParseAccessPoints(ApSurveyResult& result)
{
    std::int32_t count = 0;
    if (!GetAnswerNumber(result, kCountKey, count) || count < 0)
        return -1;
    result.accessPoints.clear();
    if (count == 0)
        return 0;
    // Only indices that have an SSID line can give an access point, so the walk visits
    // those (in ascending order) instead of every index below the count: a count far
    // beyond what the answer holds costs nothing.
    std::vector<long long> indices;
    for (const auto& field : result.answerFields) {
        long long index = SsidKeyIndex(field.first);
        if (index >= 0 && index < count)
            indices.push_back(index);
    }
    std::sort(indices.begin(), indices.end());
    for (long long index : indices) {
        std::string ssid, security, quality;
        if (!GetAnswerField(result, DataKey(index, "SSID"), ssid))
            continue;
        if (!GetAnswerField(result, DataKey(index, "Encryption Mode"), security))
            continue;
        const CodedKeyword* securityRow = CodedRowOfKeyword(ApSecurityTable, security);
        if (securityRow == nullptr)
            continue;
        if (!GetAnswerField(result, DataKey(index, "Link Quality"), quality))
            continue;
        const CodedKeyword* qualityRow = CodedRowOfKeyword(LinkQualityTable, quality);
        if (qualityRow == nullptr)
            continue;
        result.accessPoints.push_back({ssid, securityRow->code, qualityRow->code});
    }
    return static_cast<int>(result.accessPoints.size());
}

bool SurveyAccessPoints(ApSurveyResult& result, const std::string& devicePath)
{
    return SurveyAccessPoints(result, devicePath, SettingsContext{});
}

bool SurveyAccessPoints(ApSurveyResult& result, const std::string& devicePath, const SettingsContext& context)
{
    result.dataStatus = -1;
    result.accessPoints.clear();
    result.answerFields.clear();
    std::vector<PjlRequest> requests{PjlRequest{kApSurveyRequest, {}}};
    CUSBConnect usb;
    ConfigureChannel(usb, context);
    // A network name is whatever bytes the access point broadcasts, in whatever character
    // set. Bytes that the wire's set cannot read are kept in the text, so that choosing
    // the access point sends its name back exactly as the printer reported it.
    usb.codePage = WireCodePage(context, platform::UnreadableBytes::Keep);
    if (!usb.QueryBatch(kApSurveyRequest, requests, devicePath))
        return false;
    const std::vector<std::string>& lines = requests.front().lines;
    if (lines.empty())
        return false;
    ParseAnswerFields(result, lines);
    if (result.answerFields.empty() || !ReadDataStatus(result) || result.dataStatus != 1)
        return false;
    return ParseAccessPoints(result) > 0;
}

}
